#include "Calculator/OperatorsShiftRotate.h"

#include "Calculator/Operators.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorShiftLeft, "<<", "Shift left", "Shift left", "operatorShiftLeftDark.png", 11, true},
    {OperatorsOperatorShiftRight, ">>", "Shift right", "Shift right", "operatorShiftRightDark.png", 11, true},
    {OperatorsOperatorArithmeticShiftRight, "A>>", "Arithmetic shift right", "Arithmetic shift right",
     "operatorArithmeticShiftRightDark.png", 11, true},
    {OperatorsOperatorShiftLeftN, "<<N", "Shift left N bits", "Shift left n bits", "operatorShiftLeftNDark.png", 11,
     false},
    {OperatorsOperatorShiftRightN, ">>N", "Shift right N bits", "Shift right n bits", "operatorShiftRightNDark.png", 11,
     false},
    {OperatorsOperatorRotateLeft, "ROTL", "Rotate left", "Rotate left", "operatorRotateLeftDark.png", 11, true},
    {OperatorsOperatorRotateRight, "ROTR", "Rotate right", "Rotate right", "operatorRotateRightDark.png", 11, true},
    {OperatorsOperatorRotateLeftN, "ROTLN", "Rotate left N bits", "Rotate left n bits", "operatorRotateLeftNDark.png",
     11, false},
    {OperatorsOperatorRotateRightN, "ROTRN", "Rotate right N bits", "Rotate right n bits",
     "operatorRotateRightNDark.png", 11, false},
};

enum class Movement { ShiftLeft, ShiftRight, ArithmeticShiftRight, RotateLeft, RotateRight };

int wordSize() { return Operators::sharedInstance().wordSize(); }

// Every movement is a function of the low w bits alone: a signed value's pattern is moved as
// it is and read back as two's complement, an unsigned one is masked again. The counts reach 64
// (a shift by 64 empties the word), so no shift of a 64-bit quantity by 64 or more is made.
uint64_t movedPattern(uint64_t pattern, Movement movement, int count, int w) {
    const uint64_t low = CalcValue::uValueMaskedWithWordSize(~uint64_t{0}, w);
    pattern &= low;
    switch (movement) {
        case Movement::ShiftLeft: return count >= 64 ? 0 : (pattern << count) & low;
        case Movement::ShiftRight: return count >= 64 ? 0 : pattern >> count;
        case Movement::ArithmeticShiftRight: {
            const uint64_t top = (pattern >> (w - 1)) & 1;
            return (pattern >> 1) | (top << (w - 1));
        }
        case Movement::RotateLeft:
        case Movement::RotateRight: {
            int places = count % w;
            if (places == 0) return pattern;
            if (movement == Movement::RotateRight) places = w - places;
            return ((pattern << places) | (pattern >> (w - places))) & low;
        }
    }
    return pattern;
}

// A real is first turned into a signed integer; integers are re-narrowed to the word size.
std::optional<CalcValue> moved(const CalcValue& value, Movement movement, int count) {
    const int w = wordSize();
    const CalcValueType type = value.type() == CalcValueTypeReal ? CalcValueTypeSBase : value.type();
    const std::optional<CalcValue> operand = value.calcValueAsType(type, w);
    if (!operand) return std::nullopt;
    switch (operand->type()) {
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(movedPattern(operand->uBaseValue(), movement, count, w));
        case CalcValueTypeSBase: {
            const uint64_t pattern = static_cast<uint64_t>(operand->sBaseValue());
            return CalcValue::calcValueWithSBaseValue(CalcValue::sValueMaskedWithWordSize(
                static_cast<int64_t>(movedPattern(pattern, movement, count, w)), w));
        }
        default: return std::nullopt;
    }
}

// The count is read as a 64-bit signed integer (an unsigned count of 2^63 or more is negative);
// a count of 0 gives the value re-narrowed, a real staying the same real. The count one-bit
// steps are made in one movement, with the same result as making them one after another.
std::optional<CalcValue> movedN(const CalcValue& value, const CalcValue& count, Movement movement,
                                OperatorsError* error) {
    const std::optional<CalcValue> steps = count.calcValueAsType(CalcValueTypeSBase, 64);
    if (!steps) return std::nullopt;
    if (steps->sBaseValue() < 0 || steps->sBaseValue() > OperatorsMaxWordSize) {
        *error = OperatorsErrorValueOutOfRange;
        return std::nullopt;
    }
    const int n = static_cast<int>(steps->sBaseValue());
    if (n == 0) return value.calcValueAsType(value.type(), wordSize());
    return moved(value, movement, n);
}

}  // namespace

OperatorsShiftRotate& OperatorsShiftRotate::sharedInstance() {
    static OperatorsShiftRotate module;
    return module;
}

OperatorsShiftRotate::OperatorsShiftRotate() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsShiftRotate::calculateResultForCalcValue1(const CalcValue& value1,
                                                                            OperatorsOperator op,
                                                                            const CalcValue& value2,
                                                                            OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorShiftLeftN: return shiftLeftNBy(value1, value2, error);
        case OperatorsOperatorShiftRightN: return shiftRightNBy(value1, value2, error);
        case OperatorsOperatorRotateLeftN: return rotateLeftNBy(value1, value2, error);
        case OperatorsOperatorRotateRightN: return rotateRightNBy(value1, value2, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsShiftRotate::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                           OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorShiftLeft: return shiftLeft(value, error);
        case OperatorsOperatorShiftRight: return shiftRight(value, error);
        case OperatorsOperatorArithmeticShiftRight: return arithmeticShiftRight(value, error);
        case OperatorsOperatorRotateLeft: return rotateLeft(value, error);
        case OperatorsOperatorRotateRight: return rotateRight(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsShiftRotate::shiftLeft(const CalcValue& value, OperatorsError*) {
    return moved(value, Movement::ShiftLeft, 1);
}

std::optional<CalcValue> OperatorsShiftRotate::shiftRight(const CalcValue& value, OperatorsError*) {
    return moved(value, Movement::ShiftRight, 1);
}

std::optional<CalcValue> OperatorsShiftRotate::arithmeticShiftRight(const CalcValue& value, OperatorsError*) {
    return moved(value, Movement::ArithmeticShiftRight, 1);
}

std::optional<CalcValue> OperatorsShiftRotate::rotateLeft(const CalcValue& value, OperatorsError*) {
    return moved(value, Movement::RotateLeft, 1);
}

std::optional<CalcValue> OperatorsShiftRotate::rotateRight(const CalcValue& value, OperatorsError*) {
    return moved(value, Movement::RotateRight, 1);
}

std::optional<CalcValue> OperatorsShiftRotate::shiftLeftNBy(const CalcValue& value, const CalcValue& count,
                                                            OperatorsError* error) {
    return movedN(value, count, Movement::ShiftLeft, error);
}

std::optional<CalcValue> OperatorsShiftRotate::shiftRightNBy(const CalcValue& value, const CalcValue& count,
                                                             OperatorsError* error) {
    return movedN(value, count, Movement::ShiftRight, error);
}

std::optional<CalcValue> OperatorsShiftRotate::rotateLeftNBy(const CalcValue& value, const CalcValue& count,
                                                             OperatorsError* error) {
    return movedN(value, count, Movement::RotateLeft, error);
}

std::optional<CalcValue> OperatorsShiftRotate::rotateRightNBy(const CalcValue& value, const CalcValue& count,
                                                              OperatorsError* error) {
    return movedN(value, count, Movement::RotateRight, error);
}
