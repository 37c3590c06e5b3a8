#include "Calculator/OperatorsTrig.h"

#include <cmath>

#include "Calculator/Operators.h"
#include "Calculator/OperatorsFormat.h"
#include "Utils/NumberUtils.h"

namespace {

constexpr OperatorsTableRow kRows[] = {
    {OperatorsOperatorSin, "Sin", "Sin", "Sine", "operatorSinDark.png", 15, true},
    {OperatorsOperatorCos, "Cos", "Cos", "Cosine", "operatorCosDark.png", 15, true},
    {OperatorsOperatorTan, "Tan", "Tan", "Tangent", "operatorTanDark.png", 15, true},
    {OperatorsOperatorASin, "ASin", "Inverse sin", "Inverse sine", "operatorASinDark.png", 15, true},
    {OperatorsOperatorACos, "ACos", "Inverse cos", "Inverse cosine", "operatorACosDark.png", 15, true},
    {OperatorsOperatorATan, "ATan", "Inverse tan", "Inverse tangent", "operatorATanDark.png", 15, true},
};

using Function = double (*)(double);

bool inDegrees() { return Operators::sharedInstance().angleType() == 0; }

std::optional<CalcValue> forward(const CalcValue& value, Function function) {
    return OperatorsFormat::withDoubleFromCalcValue(value, [function](double x) {
        const double radians = inDegrees() ? NumberUtils::radiansFromDegrees(x) : x;
        return std::optional(CalcValue::calcValueWithRealValue(
            NumberUtils::roundValueToIntWithPrecision(function(radians), OperatorsEpsilon)));
    });
}

// Inverse results are not snapped: asin 0.5 in degrees stays 30.000000000000004.
std::optional<CalcValue> inverse(const CalcValue& value, Function function, bool checkRange, OperatorsError* error) {
    return OperatorsFormat::withDoubleFromCalcValue(
        value, [function, checkRange, error](double x) -> std::optional<CalcValue> {
            // A NaN passes this check and comes out NaN, which the registry refuses.
            if (checkRange && (x < -1.0 || x > 1.0)) {
                *error = OperatorsErrorValueOutOfRange;
                return std::nullopt;
            }
            const double radians = function(x);
            return CalcValue::calcValueWithRealValue(inDegrees() ? NumberUtils::degreesFromRadians(radians) : radians);
        });
}

double sine(double x) { return std::sin(x); }
double cosine(double x) { return std::cos(x); }
double tangent(double x) { return std::tan(x); }
double arcSine(double x) { return std::asin(x); }
double arcCosine(double x) { return std::acos(x); }
double arcTangent(double x) { return std::atan(x); }

}  // namespace

OperatorsTrig& OperatorsTrig::sharedInstance() {
    static OperatorsTrig module;
    return module;
}

OperatorsTrig::OperatorsTrig() : OperatorsTableModule(kRows) {}

std::optional<CalcValue> OperatorsTrig::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                    OperatorsError* error) {
    switch (op) {
        case OperatorsOperatorSin: return trigSin(value, error);
        case OperatorsOperatorCos: return trigCos(value, error);
        case OperatorsOperatorTan: return trigTan(value, error);
        case OperatorsOperatorASin: return trigASin(value, error);
        case OperatorsOperatorACos: return trigACos(value, error);
        case OperatorsOperatorATan: return trigATan(value, error);
        default: return std::nullopt;
    }
}

std::optional<CalcValue> OperatorsTrig::trigSin(const CalcValue& value, OperatorsError*) {
    return forward(value, sine);
}

std::optional<CalcValue> OperatorsTrig::trigCos(const CalcValue& value, OperatorsError*) {
    return forward(value, cosine);
}

std::optional<CalcValue> OperatorsTrig::trigTan(const CalcValue& value, OperatorsError*) {
    return forward(value, tangent);
}

std::optional<CalcValue> OperatorsTrig::trigASin(const CalcValue& value, OperatorsError* error) {
    return inverse(value, arcSine, true, error);
}

std::optional<CalcValue> OperatorsTrig::trigACos(const CalcValue& value, OperatorsError* error) {
    return inverse(value, arcCosine, true, error);
}

std::optional<CalcValue> OperatorsTrig::trigATan(const CalcValue& value, OperatorsError* error) {
    return inverse(value, arcTangent, false, error);
}
