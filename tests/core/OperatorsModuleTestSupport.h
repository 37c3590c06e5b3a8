#pragma once

// Shared by the operator module tests: a scope that sets the registry's word size and angle unit
// and puts them back, an independent model of w-bit words (a vector of bits read back with
// 128-bit arithmetic), and sample operands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsModule.h"
#include "Model/CalcValue.h"

__extension__ typedef __int128 Int128;

class RegistrySettings {
public:
    RegistrySettings(int wordSize, int angleType = 0)
        : savedWordSize_(Operators::sharedInstance().wordSize()),
          savedAngleType_(Operators::sharedInstance().angleType()) {
        Operators::sharedInstance().setWordSize(wordSize);
        Operators::sharedInstance().setAngleType(angleType);
    }
    ~RegistrySettings() {
        Operators::sharedInstance().setWordSize(savedWordSize_);
        Operators::sharedInstance().setAngleType(savedAngleType_);
    }
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

private:
    int savedWordSize_;
    int savedAngleType_;
};

// The operators stored as the numbers from first to last.
inline std::vector<OperatorsOperator> operatorsFrom(OperatorsOperator first, OperatorsOperator last) {
    std::vector<OperatorsOperator> operators;
    for (int32_t number = first; number <= last; ++number) {
        if (const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(number)) operators.push_back(*op);
    }
    return operators;
}

// An error code no calculation writes, to see that a calculation wrote one.
inline constexpr OperatorsError kUnwrittenError = static_cast<OperatorsError>(-1);

inline CalcValue unsignedValue(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }
inline CalcValue signedValue(int64_t v) { return CalcValue::calcValueWithSBaseValue(v); }
inline CalcValue realValue(double v) { return CalcValue::calcValueWithRealValue(v); }
inline CalcValue noneValue() { return CalcValue::calcValueWithType(CalcValueTypeNone); }

// What the registry's check makes of a real result: none when NaN or out of range, plus zero when
// tiny.
inline std::optional<CalcValue> registryReal(double x) {
    if (std::isnan(x) || std::fabs(x) >= OperatorsMaxRealResult) return std::nullopt;
    return realValue(std::fabs(x) < OperatorsMinRealResult ? 0.0 : x);
}

// A w-bit word as its bits, least significant first.
using Bits = std::vector<int>;

inline Int128 powerOfTwo(int exponent) { return Int128{1} << exponent; }

// The residue of x modulo 2^w, in 0 to 2^w - 1.
inline Int128 residue(Int128 x, int w) {
    const Int128 modulus = powerOfTwo(w);
    Int128 r = x % modulus;
    if (r < 0) r += modulus;
    return r;
}

inline Bits bitsFromInteger(Int128 x, int w) {
    Int128 r = residue(x, w);
    Bits bits(w);
    for (int i = 0; i < w; ++i) {
        bits[i] = static_cast<int>(r % 2);
        r /= 2;
    }
    return bits;
}

inline Int128 unsignedFromBits(const Bits& bits) {
    Int128 sum = 0;
    for (size_t i = bits.size(); i-- > 0;) sum = sum * 2 + bits[i];
    return sum;
}

// Two's complement: the top bit weighs -2^(w-1).
inline Int128 signedFromBits(const Bits& bits) {
    const int w = static_cast<int>(bits.size());
    return unsignedFromBits(bits) - (bits[w - 1] ? powerOfTwo(w) : 0);
}

// The integer a value stands for before narrowing (a real truncated toward zero).
inline Int128 integerOfValue(const CalcValue& value) {
    switch (value.type()) {
        case CalcValueTypeUBase: return value.uBaseValue();
        case CalcValueTypeSBase: return value.sBaseValue();
        default: return static_cast<Int128>(std::trunc(value.realValue()));
    }
}

// The value of the given integer kind whose w-bit pattern is the bits.
inline CalcValue valueFromBits(const Bits& bits, CalcValueType type) {
    if (type == CalcValueTypeUBase) {
        return unsignedValue(static_cast<uint64_t>(unsignedFromBits(bits)));
    }
    return signedValue(static_cast<int64_t>(signedFromBits(bits)));
}

inline std::string text(Int128 x) {
    if (x == 0) return "0";
    const bool negative = x < 0;
    std::string digits;
    while (x != 0) {
        const int digit = static_cast<int>(x % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (negative ? -digit : digit)));
        x /= 10;
    }
    return negative ? "-" + digits : digits;
}

inline std::string describe(const std::optional<CalcValue>& value) {
    if (!value) return "no value";
    switch (value->type()) {
        case CalcValueTypeUBase: return "unsigned " + text(value->uBaseValue());
        case CalcValueTypeSBase: return "signed " + text(value->sBaseValue());
        case CalcValueTypeReal: {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "real %.17g", value->realValue());
            return buffer;
        }
        default: return "tag " + std::to_string(value->type());
    }
}

// Same kind and, for reals, the same bits (so 0.0 and -0.0 differ, and NaN matches NaN).
inline bool identical(const std::optional<CalcValue>& a, const std::optional<CalcValue>& b) {
    if (!a || !b) return !a && !b;
    if (a->type() != b->type()) return false;
    switch (a->type()) {
        case CalcValueTypeUBase: return a->uBaseValue() == b->uBaseValue();
        case CalcValueTypeSBase: return a->sBaseValue() == b->sBaseValue();
        default:
            return std::signbit(a->realValue()) == std::signbit(b->realValue()) &&
                   (a->realValue() == b->realValue() || (std::isnan(a->realValue()) && std::isnan(b->realValue())));
    }
}

#define EXPECT_IDENTICAL(actual, expected) \
    EXPECT_TRUE(identical((actual), (expected))) << "got " << describe(actual) << ", expected " << describe(expected)

// Integer operands spread over the word: zero, one, the top bit, all ones, alternating
// patterns, patterns wider than the word (which the operators narrow) and pseudo-random ones.
inline std::vector<uint64_t> samplePatterns() {
    std::vector<uint64_t> patterns = {0,
                                      1,
                                      2,
                                      3,
                                      0x7F,
                                      0x80,
                                      0x81,
                                      0xFF,
                                      0x5555555555555555u,
                                      0xAAAAAAAAAAAAAAAAu,
                                      0x8000000000000000u,
                                      0x7FFFFFFFFFFFFFFFu,
                                      0xFFFFFFFFFFFFFFFFu,
                                      0x0123456789ABCDEFu};
    std::mt19937_64 generator(20261206);
    for (int i = 0; i < 6; ++i) patterns.push_back(generator());
    return patterns;
}

// Reals well inside the 64-bit range, positive and negative, whole and not.
inline std::vector<double> sampleReals() {
    return {0.0,      -0.0,         0.9,   -0.9,           1.0,    5.9,    -5.9, 127.5, -128.7, 300.7, 65535.2,
            -65536.0, 4294967296.5, -1e15, 123456789012.3, 9.0e18, -9.0e18};
}

inline const char* kindName(CalcValueType type) {
    switch (type) {
        case CalcValueTypeUBase: return "unsigned";
        case CalcValueTypeSBase: return "signed";
        default: return "real";
    }
}

// Every sample operand of one kind: integers from the patterns, reals from the real samples.
inline std::vector<CalcValue> sampleValues(CalcValueType type) {
    std::vector<CalcValue> values;
    if (type == CalcValueTypeReal) {
        for (double x : sampleReals()) values.push_back(realValue(x));
        return values;
    }
    for (uint64_t pattern : samplePatterns()) {
        values.push_back(type == CalcValueTypeUBase ? unsignedValue(pattern)
                                                    : signedValue(static_cast<int64_t>(pattern)));
    }
    return values;
}

constexpr CalcValueType kAllKinds[] = {CalcValueTypeUBase, CalcValueTypeSBase, CalcValueTypeReal};
constexpr int kSmallestWordSize = 2;
constexpr int kLargestWordSize = 64;

// One operator as the registry should describe it, by the number it is stored as.
struct ExpectedOperator {
    int32_t number;
    const char* label;
    const char* description;
    const char* spokenText;
    const char* image;
    int precedence;
    bool isUnary;
};

// The registry answers each listed operator as given, and the module answers nothing else.
inline void expectOperatorAnswers(OperatorsModule& module, std::span<const ExpectedOperator> rows) {
    Operators& operators = Operators::sharedInstance();
    for (const ExpectedOperator& row : rows) {
        SCOPED_TRACE("operator " + std::to_string(row.number));
        const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(row.number);
        ASSERT_TRUE(op);
        EXPECT_EQ(operators.stringFromOperator(*op), row.label);
        EXPECT_EQ(operators.descriptionFromOperator(*op), row.description);
        EXPECT_EQ(operators.accessibilityStringFromOperator(*op), row.spokenText);
        EXPECT_EQ(operators.imageFromOperator(*op), row.image);
        EXPECT_EQ(operators.precedenceFromOperator(*op), row.precedence);
        EXPECT_EQ(operators.operatorIsUnary(*op), row.isUnary);
        EXPECT_EQ(operators.operatorFromString(row.label), op);
    }
    for (int32_t number = OperatorsOperatorNone; number <= OperatorsOperatorIEEE754ToDouble; ++number) {
        const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(number);
        bool listed = !op;
        for (const ExpectedOperator& row : rows) listed = listed || row.number == number;
        if (listed) continue;
        SCOPED_TRACE("declined operator " + std::to_string(number));
        bool found = false;
        module.precedenceFromOperator(*op, &found);
        module.operatorIsUnary(*op, &found);
        EXPECT_FALSE(found);
        EXPECT_EQ(module.stringFromOperator(*op), "");
        EXPECT_EQ(module.descriptionFromOperator(*op), "");
        EXPECT_EQ(module.accessibilityStringFromOperator(*op), "");
        EXPECT_EQ(module.imageFromOperator(*op), "");
        OperatorsError error = kUnwrittenError;
        EXPECT_FALSE(module.calculateResultForCalcValue(unsignedValue(1), *op, &error));
        EXPECT_FALSE(module.calculateResultForCalcValue1(unsignedValue(1), *op, unsignedValue(1), &error));
        EXPECT_EQ(error, kUnwrittenError);
    }
}
