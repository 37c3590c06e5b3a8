#include "Calculator/OperatorsBasic.h"

#include <cstdlib>
#include <ctime>

#include "Calculator/Operators.h"
#include "Platform/Core/FatalAssert.h"

namespace {

constexpr const char* kSource = "Calculator/OperatorsBasic";

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorEquals, "=", "Equals", "Equals", "", 2, false},
    {OperatorsOperatorAdd, "+", "Add", "Add", "operatorAddDark.png", 12, false},
    {OperatorsOperatorSubtract, "\u2212", "Subtract", "Subtract", "operatorSubtractDark.png", 12, false},
    {OperatorsOperatorMultiply, "\u00D7", "Multiply", "Multiply", "operatorMultiplyDark.png", 13, false},
    {OperatorsOperatorDivide, "\u00F7", "Divide", "Divide", "operatorDivideDark.png", 13, false},
    {OperatorsOperatorFactorial, "!", "Factorial", "Factorial", "operatorFactorialDark.png", 15, true},
    {OperatorsOperatorPercent, "%", "Percent", "Percent", "operatorRandomDark.png", 13, false},
    {OperatorsOperatorRandom, "Random", "Random number", "Random number", "operatorRandomDark.png", 15, true},
    {OperatorsOperatorNegate, "+/-", "Negate", "Negate", "", 15, true},
    {OperatorsOperatorReverseBytes, "<-->", "Reverse bytes", "Reverse bytes", "operatorReverseBytesDark.png", 15, true},
    {OperatorsOperatorBitGet, "xx?xx", "Get bit", "Get bit", "operatorBitGetDark.png", 8, false},
    {OperatorsOperatorBitSet, "xx1xx", "Set bit", "Set bit", "operatorBitSetDark.png", 8, false},
    {OperatorsOperatorBitClear, "xx0xx", "Clear bit", "Clear bit", "operatorBitClearDark.png", 8, false},
};

int wordSize() { return Operators::sharedInstance().wordSize(); }

enum class Arithmetic { Add, Subtract, Multiply, Divide };

// The left operand decides the kind of the calculation; the right one is converted to it.
std::optional<CalcValue> arithmetic(const CalcValue& a, const CalcValue& b, Arithmetic operation,
                                    OperatorsError* error) {
    const int w = wordSize();
    const std::optional<CalcValue> left = a.calcValueAsType(a.type(), w);
    if (!left) fatalAssert(kSource, "unknown calc value type");
    const std::optional<CalcValue> right = b.calcValueAsType(left->type(), w);
    if (!right) return std::nullopt;
    switch (left->type()) {
        case CalcValueTypeUBase: {
            const uint64_t l = left->uBaseValue();
            const uint64_t r = right->uBaseValue();
            uint64_t result = 0;
            switch (operation) {
                case Arithmetic::Add: result = l + r; break;
                case Arithmetic::Subtract: result = l - r; break;
                case Arithmetic::Multiply: result = l * r; break;
                case Arithmetic::Divide:
                    if (r == 0) {
                        *error = OperatorsErrorDivideByZero;
                        return std::nullopt;
                    }
                    result = l / r;
                    break;
            }
            return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(result, w));
        }
        case CalcValueTypeSBase: {
            // Wrapping two's-complement arithmetic, done on the unsigned bit patterns.
            const uint64_t l = static_cast<uint64_t>(left->sBaseValue());
            const uint64_t r = static_cast<uint64_t>(right->sBaseValue());
            uint64_t result = 0;
            switch (operation) {
                case Arithmetic::Add: result = l + r; break;
                case Arithmetic::Subtract: result = l - r; break;
                case Arithmetic::Multiply: result = l * r; break;
                case Arithmetic::Divide: {
                    const int64_t dividend = left->sBaseValue();
                    const int64_t divisor = right->sBaseValue();
                    if (divisor == 0) {
                        *error = OperatorsErrorDivideByZero;
                        return std::nullopt;
                    }
                    // The one overflowing quotient, the most negative value by -1, wraps to
                    // itself. Signed division truncates toward zero.
                    if (divisor == -1) {
                        result = 0 - l;
                    } else {
                        result = static_cast<uint64_t>(dividend / divisor);
                    }
                    break;
                }
            }
            return CalcValue::calcValueWithSBaseValue(
                CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(result), w));
        }
        case CalcValueTypeReal: {
            const double l = left->realValue();
            const double r = right->realValue();
            switch (operation) {
                case Arithmetic::Add: return CalcValue::calcValueWithRealValue(l + r);
                case Arithmetic::Subtract: return CalcValue::calcValueWithRealValue(l - r);
                case Arithmetic::Multiply: return CalcValue::calcValueWithRealValue(l * r);
                case Arithmetic::Divide:
                    if (r == 0.0) {
                        *error = OperatorsErrorDivideByZero;
                        return std::nullopt;
                    }
                    return CalcValue::calcValueWithRealValue(l / r);
            }
            break;
        }
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown calc value type");
}

enum class BitOperation { Get, Set, Clear };

std::optional<CalcValue> bitOperation(const CalcValue& value, const CalcValue& bit, BitOperation operation,
                                      OperatorsError* error) {
    const int w = wordSize();
    const std::optional<CalcValue> bitNumber = bit.calcValueAsType(CalcValueTypeSBase, w);
    const int32_t n = bitNumber ? static_cast<int32_t>(bitNumber->sBaseValue()) : -1;
    if (n < 0 || n >= w) {
        *error = OperatorsErrorValueOutOfRange;
        return std::nullopt;
    }
    CalcValue operand = value;
    if (operand.type() == CalcValueTypeReal) operand = *operand.calcValueAsType(CalcValueTypeUBase, w);
    const uint64_t mask = uint64_t{1} << n;
    switch (operand.type()) {
        case CalcValueTypeUBase: {
            const uint64_t v = operand.uBaseValue();
            switch (operation) {
                case BitOperation::Get: return CalcValue::calcValueWithUBaseValue((v >> n) & 1);
                // A value typed past the word size keeps its bits above it until "=" cuts them;
                // a result is complete and never holds them.
                case BitOperation::Set:
                    return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(v | mask, w));
                case BitOperation::Clear:
                    return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(v & ~mask, w));
            }
            break;
        }
        case CalcValueTypeSBase: {
            const uint64_t v = static_cast<uint64_t>(operand.sBaseValue());
            uint64_t result = 0;
            switch (operation) {
                case BitOperation::Get: return CalcValue::calcValueWithSBaseValue(static_cast<int64_t>((v >> n) & 1));
                case BitOperation::Set: result = v | mask; break;
                case BitOperation::Clear: result = v & ~mask; break;
            }
            return CalcValue::calcValueWithSBaseValue(
                CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(result), w));
        }
        case CalcValueTypeReal:
        case CalcValueTypeNone: break;
    }
    return std::nullopt;
}

}  // namespace

OperatorsBasic& OperatorsBasic::sharedInstance() {
    static OperatorsBasic module;
    return module;
}

OperatorsBasic::OperatorsBasic() : OperatorsTableModule(kRows) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

std::optional<CalcValue> OperatorsBasic::calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                      const CalcValue& value2, OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorAdd: return addTo(value1, value2, error);
        case OperatorsOperatorSubtract: return subtractFrom(value1, value2, error);
        case OperatorsOperatorMultiply: return multiplyBy(value1, value2, error);
        case OperatorsOperatorDivide: return divideBy(value1, value2, error);
        case OperatorsOperatorPercent: return percentWith(value1, value2, error);
        case OperatorsOperatorBitGet: return bitGetBit(value1, value2, error);
        case OperatorsOperatorBitSet: return bitSetBit(value1, value2, error);
        case OperatorsOperatorBitClear: return bitClearBit(value1, value2, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsBasic::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                     OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorFactorial: return factorial(value, error);
        case OperatorsOperatorRandom: return random(value, error);
        case OperatorsOperatorNegate: return negate(value, error);
        case OperatorsOperatorReverseBytes: return reverseBytes(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsBasic::addTo(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    return arithmetic(a, b, Arithmetic::Add, error);
}

std::optional<CalcValue> OperatorsBasic::subtractFrom(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    return arithmetic(a, b, Arithmetic::Subtract, error);
}

std::optional<CalcValue> OperatorsBasic::multiplyBy(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    return arithmetic(a, b, Arithmetic::Multiply, error);
}

std::optional<CalcValue> OperatorsBasic::divideBy(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    return arithmetic(a, b, Arithmetic::Divide, error);
}

std::optional<CalcValue> OperatorsBasic::percentWith(const CalcValue&, const CalcValue&, OperatorsError*) {
    return std::nullopt;
}

std::optional<CalcValue> OperatorsBasic::bitGetBit(const CalcValue& value, const CalcValue& bit,
                                                   OperatorsError* error) {
    return bitOperation(value, bit, BitOperation::Get, error);
}

std::optional<CalcValue> OperatorsBasic::bitSetBit(const CalcValue& value, const CalcValue& bit,
                                                   OperatorsError* error) {
    return bitOperation(value, bit, BitOperation::Set, error);
}

std::optional<CalcValue> OperatorsBasic::bitClearBit(const CalcValue& value, const CalcValue& bit,
                                                     OperatorsError* error) {
    return bitOperation(value, bit, BitOperation::Clear, error);
}

std::optional<CalcValue> OperatorsBasic::factorial(const CalcValue& value, OperatorsError* error) {
    const std::optional<CalcValue> real = value.calcValueAsType(CalcValueTypeReal, wordSize());
    if (!real) fatalAssert(kSource, "unknown calc value type");
    const double x = real->realValue();
    // NaN fails both comparisons; it is out of range as well.
    if (!(x >= 0.0 && x <= 92.0)) {
        *error = OperatorsErrorValueOutOfRange;
        return std::nullopt;
    }
    const int n = static_cast<int>(x);
    double product = 1.0;
    for (int factor = 2; factor <= n; ++factor) product *= factor;
    return CalcValue::calcValueWithRealValue(product);
}

uint64_t OperatorsBasic::makeRand64() {
    uint64_t result = 0;
    for (int i = 0; i < 4; ++i) result = (result << 16) | (static_cast<uint64_t>(std::rand()) & 0xFFFF);
    return result;
}

std::optional<CalcValue> OperatorsBasic::random(const CalcValue& value, OperatorsError*) {
    const int w = wordSize();
    switch (value.type()) {
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(makeRand64(), w));
        case CalcValueTypeSBase:
            return CalcValue::calcValueWithSBaseValue(
                CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(makeRand64()), w));
        case CalcValueTypeReal: return CalcValue::calcValueWithRealValue(std::rand() / 2147483647.0);
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unrecognised calc value type");
}

std::optional<CalcValue> OperatorsBasic::negate(const CalcValue& value, OperatorsError*) {
    const int w = wordSize();
    switch (value.type()) {
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(0 - value.uBaseValue(), w));
        case CalcValueTypeSBase: {
            const uint64_t bits = static_cast<uint64_t>(CalcValue::sValueMaskedWithWordSize(value.sBaseValue(), w));
            return CalcValue::calcValueWithSBaseValue(
                CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(0 - bits), w));
        }
        case CalcValueTypeReal: return CalcValue::calcValueWithRealValue(-value.realValue());
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown calc value type");
}

std::optional<CalcValue> OperatorsBasic::reverseBytes(const CalcValue& value, OperatorsError* error) {
    const int w = wordSize();
    if (value.type() == CalcValueTypeNone) fatalAssert(kSource, "unknown calc value type");
    CalcValue operand = value;
    if (operand.type() == CalcValueTypeReal) operand = *operand.calcValueAsType(CalcValueTypeSBase, w);
    if (w != 16 && w != 32 && w != 64) {
        *error = OperatorsErrorInvalidWordSize;
        return std::nullopt;
    }
    const CalcValue masked = *operand.calcValueAsType(operand.type(), w);
    const uint64_t bits =
        masked.type() == CalcValueTypeUBase ? masked.uBaseValue() : static_cast<uint64_t>(masked.sBaseValue());
    uint64_t reversed = 0;
    switch (w) {
        case 16: reversed = __builtin_bswap16(static_cast<uint16_t>(bits)); break;
        case 32: reversed = __builtin_bswap32(static_cast<uint32_t>(bits)); break;
        default: reversed = __builtin_bswap64(bits); break;
    }
    if (masked.type() == CalcValueTypeUBase) return CalcValue::calcValueWithUBaseValue(reversed);
    return CalcValue::calcValueWithSBaseValue(CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(reversed), w));
}
