#include "Calculator/OperatorsLogic.h"

#include <cmath>

#include "Calculator/Operators.h"
#include "Platform/Core/FatalAssert.h"

namespace {

constexpr const char* kSource = "Calculator/OperatorsLogic";

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorAND, "AND", "Bitwise AND", "Bitwise and", "operatorANDDark.png", 8, false},
    {OperatorsOperatorOR, "OR", "Bitwise OR", "Bitwise or", "operatorORDark.png", 6, false},
    {OperatorsOperatorNAND, "NAND", "Bitwise NAND", "Bitwise nand", "operatorNANDDark.png", 8, false},
    {OperatorsOperatorNOR, "NOR", "Bitwise NOR", "Bitwise nor", "operatorNORDark.png", 6, false},
    {OperatorsOperatorXOR, "XOR", "Bitwise XOR", "Bitwise x or", "operatorXORDark.png", 7, false},
    {OperatorsOperatorMOD, "MOD", "Modulo divide", "Modulo divide", "operatorMODDark.png", 13, false},
    {OperatorsOperatorInvert, "INV", "Bitwise invert", "Bitwise invert", "operatorInvertDark.png", 15, true},
};

enum class Combination { And, Or, Nand, Nor, Xor };

int wordSize() { return Operators::sharedInstance().wordSize(); }

uint64_t combined(uint64_t x, uint64_t y, Combination combination) {
    switch (combination) {
        case Combination::And: return x & y;
        case Combination::Or: return x | y;
        case Combination::Nand: return ~(x & y);
        case Combination::Nor: return ~(x | y);
        case Combination::Xor: return x ^ y;
    }
    return 0;
}

CalcValue asSignedIfReal(const CalcValue& value, int w) {
    if (value.type() != CalcValueTypeReal) return value;
    return *value.calcValueAsType(CalcValueTypeSBase, w);
}

// The left operand's kind decides the calculation: the right operand is converted to it and
// the left one re-narrowed. No value when the right operand has no kind; a left operand of
// another kind than the allowed ones is an internal impossibility.
struct Operands {
    CalcValue left;
    CalcValue right;
};

std::optional<Operands> operandsOfLeftKind(const CalcValue& a, const CalcValue& b, int w, bool realAllowed) {
    if (b.type() == CalcValueTypeNone) return std::nullopt;
    const bool known = a.isInteger() || (realAllowed && a.type() == CalcValueTypeReal);
    if (!known) fatalAssert(kSource, "unknown calc value type");
    const std::optional<CalcValue> right = b.calcValueAsType(a.type(), w);
    if (!right) return std::nullopt;
    return Operands{*a.calcValueAsType(a.type(), w), *right};
}

std::optional<CalcValue> bitwise(const CalcValue& a, const CalcValue& b, Combination combination) {
    const int w = wordSize();
    const std::optional<Operands> operands = operandsOfLeftKind(asSignedIfReal(a, w), asSignedIfReal(b, w), w, false);
    if (!operands) return std::nullopt;
    if (operands->left.type() == CalcValueTypeSBase) {
        const uint64_t bits = combined(static_cast<uint64_t>(operands->left.sBaseValue()),
                                       static_cast<uint64_t>(operands->right.sBaseValue()), combination);
        return CalcValue::calcValueWithSBaseValue(CalcValue::sValueMaskedWithWordSize(static_cast<int64_t>(bits), w));
    }
    const uint64_t bits = combined(operands->left.uBaseValue(), operands->right.uBaseValue(), combination);
    return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(bits, w));
}

}  // namespace

OperatorsLogic& OperatorsLogic::sharedInstance() {
    static OperatorsLogic module;
    return module;
}

OperatorsLogic::OperatorsLogic() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsLogic::calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                      const CalcValue& value2, OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorAND: return logicANDWith(value1, value2, error);
        case OperatorsOperatorOR: return logicORWith(value1, value2, error);
        case OperatorsOperatorNAND: return logicNANDWith(value1, value2, error);
        case OperatorsOperatorNOR: return logicNORWith(value1, value2, error);
        case OperatorsOperatorXOR: return logicXORWith(value1, value2, error);
        case OperatorsOperatorMOD: return logicMODWith(value1, value2, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsLogic::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                     OperatorsError* error) {
    if (op == OperatorsOperatorInvert) return invert(value, error);
    return std::nullopt;
}

std::optional<CalcValue> OperatorsLogic::logicANDWith(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return bitwise(a, b, Combination::And);
}

std::optional<CalcValue> OperatorsLogic::logicORWith(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return bitwise(a, b, Combination::Or);
}

std::optional<CalcValue> OperatorsLogic::logicNANDWith(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return bitwise(a, b, Combination::Nand);
}

std::optional<CalcValue> OperatorsLogic::logicNORWith(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return bitwise(a, b, Combination::Nor);
}

std::optional<CalcValue> OperatorsLogic::logicXORWith(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return bitwise(a, b, Combination::Xor);
}

std::optional<CalcValue> OperatorsLogic::logicMODWith(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    const int w = wordSize();
    const std::optional<Operands> operands = operandsOfLeftKind(a, b, w, true);
    if (!operands) return std::nullopt;
    const CalcValue& dividend = operands->left;
    const CalcValue& divisor = operands->right;
    if (divisor.isZero()) {
        *error = OperatorsErrorDivideByZero;
        return std::nullopt;
    }
    switch (dividend.type()) {
        case CalcValueTypeSBase: {
            // Any value MOD -1 is 0; asking the machine for the most negative value MOD -1
            // would overflow.
            if (divisor.sBaseValue() == -1) return CalcValue::calcValueWithSBaseValue(0);
            return CalcValue::calcValueWithSBaseValue(
                CalcValue::sValueMaskedWithWordSize(dividend.sBaseValue() % divisor.sBaseValue(), w));
        }
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(
                CalcValue::uValueMaskedWithWordSize(dividend.uBaseValue() % divisor.uBaseValue(), w));
        case CalcValueTypeReal:
        case CalcValueTypeNone: break;
    }
    return CalcValue::calcValueWithRealValue(std::fmod(dividend.realValue(), divisor.realValue()));
}

std::optional<CalcValue> OperatorsLogic::invert(const CalcValue& a, OperatorsError*) {
    const int w = wordSize();
    const CalcValueType type = a.type() == CalcValueTypeReal ? CalcValueTypeSBase : a.type();
    const std::optional<CalcValue> operand = a.calcValueAsType(type, w);
    if (!operand) return std::nullopt;
    switch (operand->type()) {
        case CalcValueTypeSBase:
            return CalcValue::calcValueWithSBaseValue(CalcValue::sValueMaskedWithWordSize(~operand->sBaseValue(), w));
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(CalcValue::uValueMaskedWithWordSize(~operand->uBaseValue(), w));
        case CalcValueTypeReal:
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown calc value type");
}
