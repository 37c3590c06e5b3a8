#include "Calculator/OperatorsPowers.h"

#include <cmath>

#include "Calculator/OperatorsFormat.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorLog, "Log", "Logarithm", "Base 10 logarithm", "operatorLogDark.png", 15, true},
    {OperatorsOperatorLn, "Ln", "Natural logarithm", "Natural logrithm", "operatorLnDark.png", 15, true},
    {OperatorsOperatorEPow, "e^", "e to the power x", "e to the power", "operatorEPowDark.png", 15, true},
    {OperatorsOperator10Pow, "10^", "10 to the power x", "10 to the power", "operator10PowDark.png", 15, true},
    {OperatorsOperatorSquared, "^2", "Squared", "Square", "operatorSquaredDark.png", 15, true},
    // "^3" has no image of its own and shows that of "^".
    {OperatorsOperatorCubed, "^3", "Cubed", "Cube", "operatorPowNDark.png", 15, true},
    {OperatorsOperatorPowN, "^", "x to the power y", "x to the power y", "operatorPowNDark.png", 16, false},
    {OperatorsOperatorRecip, "1/N", "Reciprocal", "Reciprocal", "operatorRecipDark.png", 15, true},
    {OperatorsOperatorSqRoot, "SQRT", "Square root", "Square root", "operatorSqRootDark.png", 15, true},
    {OperatorsOperatorNthRoot, "NTHRT", "Nth root", "N-th root", "operatorNthRootDark.png", 16, false},
};

// The double nearest to e: "e^" is pow with this base, not exp.
constexpr double kE = 2.718281828459045;

std::optional<CalcValue> real(double x) { return CalcValue::calcValueWithRealValue(x); }

std::optional<CalcValue> refused(OperatorsError code, OperatorsError* error) {
    *error = code;
    return std::nullopt;
}

}  // namespace

OperatorsPowers& OperatorsPowers::sharedInstance() {
    static OperatorsPowers module;
    return module;
}

OperatorsPowers::OperatorsPowers() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsPowers::calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                       const CalcValue& value2, OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorPowN: return powersPowNToPowerOf(value1, value2, error);
        case OperatorsOperatorNthRoot: return powersNthRootNthRoot(value1, value2, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsPowers::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                      OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorLog: return powersLog(value, error);
        case OperatorsOperatorLn: return powersLn(value, error);
        case OperatorsOperatorEPow: return powersEPow(value, error);
        case OperatorsOperator10Pow: return powers10Pow(value, error);
        case OperatorsOperatorSquared: return powersSquared(value, error);
        case OperatorsOperatorCubed: return powersCubed(value, error);
        case OperatorsOperatorRecip: return powersRecip(value, error);
        case OperatorsOperatorSqRoot: return powersSqRoot(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsPowers::powersLog(const CalcValue& value, OperatorsError* error) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [error](double x) {
        return x <= 0.0 ? refused(OperatorsErrorValueOutOfRange, error) : real(std::log10(x));
    });
}

std::optional<CalcValue> OperatorsPowers::powersLn(const CalcValue& value, OperatorsError* error) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [error](double x) {
        return x <= 0.0 ? refused(OperatorsErrorValueOutOfRange, error) : real(std::log(x));
    });
}

std::optional<CalcValue> OperatorsPowers::powersEPow(const CalcValue& value, OperatorsError*) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [](double x) { return real(std::pow(kE, x)); });
}

std::optional<CalcValue> OperatorsPowers::powers10Pow(const CalcValue& value, OperatorsError*) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [](double x) { return real(std::pow(10.0, x)); });
}

std::optional<CalcValue> OperatorsPowers::powersSquared(const CalcValue& value, OperatorsError*) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [](double x) { return real(x * x); });
}

std::optional<CalcValue> OperatorsPowers::powersCubed(const CalcValue& value, OperatorsError*) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [](double x) { return real((x * x) * x); });
}

std::optional<CalcValue> OperatorsPowers::powersPowNToPowerOf(const CalcValue& x, const CalcValue& y,
                                                              OperatorsError* error) {
    return OperatorsFormat::withDoublesFromCalcValues(x, y, [error](double base, double exponent) {
        if (base < 0.0 && exponent < 1.0) return refused(OperatorsErrorValueOutOfRange, error);
        return real(std::pow(base, exponent));
    });
}

std::optional<CalcValue> OperatorsPowers::powersRecip(const CalcValue& value, OperatorsError* error) {
    return OperatorsFormat::withDoubleFromCalcValue(
        value, [error](double x) { return x == 0.0 ? refused(OperatorsErrorDivideByZero, error) : real(1.0 / x); });
}

std::optional<CalcValue> OperatorsPowers::powersSqRoot(const CalcValue& value, OperatorsError* error) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [error](double x) {
        return x < 0.0 ? refused(OperatorsErrorValueOutOfRange, error) : real(std::sqrt(x));
    });
}

std::optional<CalcValue> OperatorsPowers::powersNthRootNthRoot(const CalcValue& x, const CalcValue& n,
                                                               OperatorsError* error) {
    return OperatorsFormat::withDoublesFromCalcValues(x, n, [error](double radicand, double degree) {
        if (degree == 0.0) return refused(OperatorsErrorValueOutOfRange, error);
        const double exponent = 1.0 / degree;
        if (radicand < 0.0 && exponent < 1.0) return refused(OperatorsErrorValueOutOfRange, error);
        return real(std::pow(radicand, exponent));
    });
}
