#pragma once

// Shared by the operator tests: short value makers, an independent model of w-bit words (a vector
// of bits read back with 128-bit arithmetic), comparison of results bit for bit, and sample
// operands.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Calculator/Operators.h"
#include "Model/CalcValue.h"
#include "support/Int128.h"
#include "support/WordSizeScope.h"

// An error code no calculation writes, to see that a calculation wrote one.
inline constexpr OperatorsError kUnwrittenError = static_cast<OperatorsError>(-1);

inline CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }
inline CalcValue s(int64_t v) { return CalcValue::calcValueWithSBaseValue(v); }
inline CalcValue r(double v) { return CalcValue::calcValueWithRealValue(v); }
inline CalcValue noneValue() { return CalcValue::calcValueWithType(CalcValueTypeNone); }

inline std::optional<CalcValue> unary(const CalcValue& a, OperatorsOperator op, OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue(a, op, error);
}
inline std::optional<CalcValue> binary(const CalcValue& a, OperatorsOperator op, const CalcValue& b,
                                       OperatorsError* error) {
    return Operators::sharedInstance().calculateResultForCalcValue1(a, op, b, error);
}

// What the registry's check makes of a real result: none when NaN or out of range, plus zero when
// tiny.
inline std::optional<CalcValue> registryReal(double x) {
    if (std::isnan(x) || std::fabs(x) >= OperatorsMaxRealResult) return std::nullopt;
    return r(std::fabs(x) < OperatorsMinRealResult ? 0.0 : x);
}

// A w-bit word as its bits, least significant first.
using Bits = std::vector<int>;

inline Bits bitsFromInteger(Int128 x, int w) {
    const Int128 modulus = Int128{1} << w;
    Int128 rest = x % modulus;
    if (rest < 0) rest += modulus;
    Bits bits(w);
    for (int i = 0; i < w; ++i, rest /= 2) bits[i] = static_cast<int>(rest % 2);
    return bits;
}

inline Int128 unsignedFromBits(const Bits& bits) {
    Int128 sum = 0;
    for (size_t i = bits.size(); i-- > 0;) sum = sum * 2 + bits[i];
    return sum;
}

// Two's complement: the top bit weighs -2^(w-1).
inline Int128 signedFromBits(const Bits& bits) {
    return unsignedFromBits(bits) - (bits.back() ? Int128{1} << bits.size() : 0);
}

// The integer a value stands for before narrowing (a real truncated toward zero).
inline Int128 integerOfValue(const CalcValue& value) {
    switch (value.type()) {
        case CalcValueTypeUBase: return value.uBaseValue();
        case CalcValueTypeSBase: return value.sBaseValue();
        default: return static_cast<Int128>(std::trunc(value.realValue()));
    }
}

// The integer a value stands for after narrowing to w bits, read in the given kind; a negative real
// has no unsigned reading and is taken as 0.
inline Int128 narrowedInteger(const CalcValue& value, CalcValueType kind, int w) {
    if (value.type() == CalcValueTypeReal && kind == CalcValueTypeUBase && value.realValue() < 0) return 0;
    const Bits bits = bitsFromInteger(integerOfValue(value), w);
    return kind == CalcValueTypeUBase ? unsignedFromBits(bits) : signedFromBits(bits);
}

// The value of the given integer kind whose w-bit pattern is the bits.
inline CalcValue valueFromBits(const Bits& bits, CalcValueType type) {
    if (type == CalcValueTypeUBase) return u(static_cast<uint64_t>(unsignedFromBits(bits)));
    return s(static_cast<int64_t>(signedFromBits(bits)));
}

inline std::string describe(const std::optional<CalcValue>& value) {
    if (!value) return "no value";
    switch (value->type()) {
        case CalcValueTypeUBase: return "unsigned " + value->description();
        case CalcValueTypeSBase: return "signed " + value->description();
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
    std::vector<uint64_t> patterns = {
        0x0000000000000000u, 0x0000000000000001u, 0x0000000000000002u, 0x0000000000000003u, 0x000000000000007Fu,
        0x0000000000000080u, 0x0000000000000081u, 0x00000000000000FFu, 0x5555555555555555u, 0xAAAAAAAAAAAAAAAAu,
        0x8000000000000000u, 0x7FFFFFFFFFFFFFFFu, 0xFFFFFFFFFFFFFFFFu, 0x0123456789ABCDEFu,
    };
    std::mt19937_64 generator(20261206);
    for (int i = 0; i < 6; ++i) patterns.push_back(generator());
    return patterns;
}

// Reals well inside the 64-bit range, positive and negative, whole and not.
inline std::vector<double> sampleReals() {
    return {0.0,      -0.0,         0.9,   -0.9,           1.0,    5.9,    -5.9, 127.5, -128.7, 300.7, 65535.2,
            -65536.0, 4294967296.5, -1e15, 123456789012.3, 9.0e18, -9.0e18};
}

// Every sample operand of one kind: integers from the patterns, reals from the real samples.
inline std::vector<CalcValue> sampleValues(CalcValueType type) {
    std::vector<CalcValue> values;
    if (type == CalcValueTypeReal) {
        for (double x : sampleReals()) values.push_back(r(x));
        return values;
    }
    for (uint64_t pattern : samplePatterns()) {
        values.push_back(type == CalcValueTypeUBase ? u(pattern) : s(static_cast<int64_t>(pattern)));
    }
    return values;
}

constexpr CalcValueType kAllKinds[] = {CalcValueTypeUBase, CalcValueTypeSBase, CalcValueTypeReal};
constexpr int kSmallestWordSize = 2;
constexpr int kLargestWordSize = 64;

// One calculation and what it should give.
struct Calculation {
    const char* name;
    int wordSize;
    CalcValue a;
    OperatorsOperator op;
    std::optional<CalcValue> b;  // none for a unary operator
    std::optional<CalcValue> expected;
    OperatorsError error = OperatorsErrorNone;
};

inline void expectCalculations(std::initializer_list<Calculation> rows, int angleType = 0) {
    for (const Calculation& c : rows) {
        SCOPED_TRACE(c.name);
        WordSizeScope settings(c.wordSize, angleType);
        OperatorsError error = kUnwrittenError;
        EXPECT_IDENTICAL(c.b ? binary(c.a, c.op, *c.b, &error) : unary(c.a, c.op, &error), c.expected);
        EXPECT_EQ(error, c.error);
    }
}
