#include "Calculator/OperatorsFormat.h"

#include "Calculator/Operators.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorToReal, "->float", "To floating point", "Convert to floating point", "operatorToRealDark.png", 17,
     true},
    {OperatorsOperatorToUBase, "->uint", "To unsigned int", "Convert to unsigned integer", "operatorToUBaseDark.png",
     17, true},
    {OperatorsOperatorToSBase, "->int", "To signed int", "Convert to signed integer", "operatorToSBaseDark.png", 17,
     true},
};

std::optional<CalcValue> converted(const CalcValue& value, CalcValueType destination) {
    return value.calcValueAsType(destination, Operators::sharedInstance().wordSize());
}

}  // namespace

OperatorsFormat& OperatorsFormat::sharedInstance() {
    static OperatorsFormat module;
    return module;
}

OperatorsFormat::OperatorsFormat() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsFormat::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                      OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorToReal: return toReal(value, error);
        case OperatorsOperatorToUBase: return toUBase(value, error);
        case OperatorsOperatorToSBase: return toSBase(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsFormat::toReal(const CalcValue& value, OperatorsError*) {
    return converted(value, CalcValueTypeReal);
}

std::optional<CalcValue> OperatorsFormat::toUBase(const CalcValue& value, OperatorsError*) {
    return converted(value, CalcValueTypeUBase);
}

std::optional<CalcValue> OperatorsFormat::toSBase(const CalcValue& value, OperatorsError*) {
    return converted(value, CalcValueTypeSBase);
}

std::optional<double> OperatorsFormat::doubleFromCalcValue(const CalcValue& value) {
    const std::optional<CalcValue> real = converted(value, CalcValueTypeReal);
    if (!real) return std::nullopt;
    return real->realValue();
}
