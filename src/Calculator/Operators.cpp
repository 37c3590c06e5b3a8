#include "Calculator/Operators.h"

#include <cmath>

#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsFormat.h"
#include "Calculator/OperatorsIEEE754.h"
#include "Calculator/OperatorsLogic.h"
#include "Calculator/OperatorsPercent.h"
#include "Calculator/OperatorsPowers.h"
#include "Calculator/OperatorsShiftRotate.h"
#include "Calculator/OperatorsTrig.h"
#include "Platform/Core/FatalAssert.h"

namespace {

constexpr const char* kSource = "Calculator/Operators";

std::string asciiLowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// Callers may pass no error out-parameter; the modules always get one to write to.
OperatorsError* clearedError(OperatorsError* error, OperatorsError& unreported) {
    OperatorsError* target = error ? error : &unreported;
    *target = OperatorsErrorNone;
    return target;
}

}  // namespace

Operators& Operators::sharedInstance() {
    static Operators operators;
    return operators;
}

Operators::Operators()
    : modules_{&OperatorsBasic::sharedInstance(),       &OperatorsFormat::sharedInstance(),
               &OperatorsShiftRotate::sharedInstance(), &OperatorsLogic::sharedInstance(),
               &OperatorsTrig::sharedInstance(),        &OperatorsPowers::sharedInstance(),
               &OperatorsPercent::sharedInstance(),     &OperatorsIEEE754::sharedInstance()} {}

std::optional<CalcValue> Operators::checkedResult(std::optional<CalcValue> candidate, OperatorsError* error) {
    if (!candidate || candidate->type() != CalcValueTypeReal) return candidate;
    const double x = candidate->realValue();
    if (std::isnan(x) || std::isinf(x) || x >= OperatorsMaxRealResult || x <= -OperatorsMaxRealResult) {
        *error = OperatorsErrorValueOutOfRange;
        return std::nullopt;
    }
    // Tiny results, -0.0 included, become plus zero.
    if (x > -OperatorsMinRealResult && x < OperatorsMinRealResult) return CalcValue::calcValueWithRealValue(0.0);
    return candidate;
}

std::optional<CalcValue> Operators::calculateResultForCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                                                 const CalcValue& value2, OperatorsError* error) {
    OperatorsError unreported;
    error = clearedError(error, unreported);
    for (OperatorsModule* module : modules_) {
        if (auto result = module->calculateResultForCalcValue1(value1, op, value2, error)) {
            return checkedResult(result, error);
        }
    }
    return std::nullopt;
}

std::optional<CalcValue> Operators::calculateResultForCalcValue(const CalcValue& value, OperatorsOperator op,
                                                                OperatorsError* error) {
    OperatorsError unreported;
    error = clearedError(error, unreported);
    for (OperatorsModule* module : modules_) {
        if (auto result = module->calculateResultForCalcValue(value, op, error)) {
            return checkedResult(result, error);
        }
    }
    return std::nullopt;
}

int Operators::precedenceFromOperator(OperatorsOperator op) {
    if (op == OperatorsOperatorNone) return 18;
    for (OperatorsModule* module : modules_) {
        bool found = false;
        const int precedence = module->precedenceFromOperator(op, &found);
        if (found) return precedence;
    }
    fatalAssert(kSource, "unknown operator");
}

bool Operators::operatorIsUnary(OperatorsOperator op) {
    if (op == OperatorsOperatorNone) return false;
    for (OperatorsModule* module : modules_) {
        bool found = false;
        const bool isUnary = module->operatorIsUnary(op, &found);
        if (found) return isUnary;
    }
    fatalAssert(kSource, "unknown operator");
}

std::string Operators::imageFromOperator(OperatorsOperator op) {
    if (op == OperatorsOperatorNone || op == OperatorsOperatorEquals) return {};
    for (OperatorsModule* module : modules_) {
        std::string image = module->imageFromOperator(op);
        if (!image.empty()) return image;
    }
    return {};
}

std::string Operators::firstText(OperatorsOperator op, TextQuery query) {
    if (op == OperatorsOperatorNone) return {};
    for (OperatorsModule* module : modules_) {
        std::string text = (module->*query)(op);
        if (!text.empty()) return text;
    }
    fatalAssert(kSource, "unknown operator");
}

std::string Operators::descriptionFromOperator(OperatorsOperator op) {
    return firstText(op, &OperatorsModule::descriptionFromOperator);
}

std::string Operators::accessibilityStringFromOperator(OperatorsOperator op) {
    return firstText(op, &OperatorsModule::accessibilityStringFromOperator);
}

std::string Operators::stringFromOperator(OperatorsOperator op) {
    return firstText(op, &OperatorsModule::stringFromOperator);
}

std::string_view Operators::messageFromOperatorsError(OperatorsError error) {
    switch (error) {
        case OperatorsErrorNone: return "";
        case OperatorsErrorValueOutOfRange: return "Value out of range";
        case OperatorsErrorDivideByZero: return "Divide by zero";
        case OperatorsErrorInvalidWordSize: return "Invalid word size";
        case OperatorsErrorIntegerSize32: return "Integer size must be 32 bits or larger";
        case OperatorsErrorIntegerSize64: return "Integer size must be 64 bits";
    }
    return "Unknown error";
}

bool Operators::operatorIsKnown(OperatorsOperator op) {
    if (op == OperatorsOperatorNone || op == OperatorsOperatorEquals) return true;
    for (OperatorsModule* module : modules_) {
        bool found = false;
        module->operatorIsUnary(op, &found);
        if (found) return true;
    }
    return false;
}

std::vector<OperatorsOperator> Operators::knownOperators() {
    std::vector<OperatorsOperator> known;
    for (int32_t number = OperatorsOperatorAdd; number <= OperatorsOperatorIEEE754ToDouble; ++number) {
        const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(number);
        if (op && operatorIsKnown(*op)) known.push_back(*op);
    }
    return known;
}

std::optional<OperatorsOperator> Operators::operatorFromString(std::string_view label) {
    if (labelIndex_.empty()) {
        for (OperatorsOperator op : knownOperators())
            labelIndex_.emplace_back(asciiLowerCase(stringFromOperator(op)), op);
    }
    const std::string lower = asciiLowerCase(label);
    for (const auto& [text, op] : labelIndex_) {
        if (text == lower) return op;
    }
    return std::nullopt;
}
