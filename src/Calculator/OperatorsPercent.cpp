#include "Calculator/OperatorsPercent.h"

#include "Calculator/OperatorsFormat.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorAddPercent, "+%", "Add percent", "Add percent", "operatorAddPercentDark.png", 12, false},
    {OperatorsOperatorSubtractPercent, "-%", "Subtract percent", "Subtract percent", "operatorSubtractPercentDark.png",
     12, false},
    {OperatorsOperatorIsPercentOf, "is%of", "Is percent of", "Is percent of", "operatorIsPercentOfDark.png", 12, false},
    {OperatorsOperatorPercentChange, "%chng", "Percent change", "Percent change", "operatorPercentChangeDark.png", 12,
     false},
    {OperatorsOperatorPercentOf, "%of", "Percent of", "Percent of", "operatorPercentOfDark.png", 12, false},
};

std::optional<CalcValue> real(double x) { return CalcValue::calcValueWithRealValue(x); }

std::optional<CalcValue> divideByZero(OperatorsError* error) {
    *error = OperatorsErrorDivideByZero;
    return std::nullopt;
}

}  // namespace

OperatorsPercent& OperatorsPercent::sharedInstance() {
    static OperatorsPercent module;
    return module;
}

OperatorsPercent::OperatorsPercent() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsPercent::calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                        const CalcValue& value2,
                                                                        OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorAddPercent: return addPercent(value1, value2, error);
        case OperatorsOperatorSubtractPercent: return subtractPercent(value1, value2, error);
        case OperatorsOperatorIsPercentOf: return isPercentOf(value1, value2, error);
        case OperatorsOperatorPercentChange: return valuePercentChange(value1, value2, error);
        case OperatorsOperatorPercentOf: return percentOf(value1, value2, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsPercent::addPercent(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return OperatorsFormat::withDoublesFromCalcValues(a, b,
                                                      [](double x, double y) { return real(x * ((y / 100.0) + 1.0)); });
}

std::optional<CalcValue> OperatorsPercent::subtractPercent(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return OperatorsFormat::withDoublesFromCalcValues(
        a, b, [](double x, double y) { return real(x * ((y / -100.0) + 1.0)); });
}

std::optional<CalcValue> OperatorsPercent::isPercentOf(const CalcValue& a, const CalcValue& b, OperatorsError* error) {
    return OperatorsFormat::withDoublesFromCalcValues(
        a, b, [error](double x, double y) { return y == 0.0 ? divideByZero(error) : real((x / y) * 100.0); });
}

std::optional<CalcValue> OperatorsPercent::valuePercentChange(const CalcValue& a, const CalcValue& b,
                                                              OperatorsError* error) {
    return OperatorsFormat::withDoublesFromCalcValues(
        a, b, [error](double x, double y) { return x == 0.0 ? divideByZero(error) : real(((y - x) / x) * 100.0); });
}

std::optional<CalcValue> OperatorsPercent::percentOf(const CalcValue& a, const CalcValue& b, OperatorsError*) {
    return OperatorsFormat::withDoublesFromCalcValues(a, b, [](double x, double y) { return real((x * y) / 100.0); });
}
