#pragma once

#include <span>
#include <string_view>

#include "Calculator/OperatorsModule.h"

// One row of a module's operator table. Descriptions and spoken texts are English keys for
// the localized-text lookup; labels are shown as they are.
struct OperatorsTableRow {
    OperatorsOperator op;
    std::string_view label;
    std::string_view description;
    std::string_view accessibilityString;
    std::string_view image;
    int precedence;
    bool isUnary;
};

// The text, image, precedence and arity answers of a module, read from its constexpr table.
// Modules derive from it and add only their arithmetic.
class OperatorsTableModule : public OperatorsModule {
public:
    explicit OperatorsTableModule(std::span<const OperatorsTableRow> rows) : rows_(rows) {}

    const OperatorsTableRow* rowFromOperator(OperatorsOperator op) const;

    // A module without binary (or without unary) operators gives no value in that form.
    std::optional<CalcValue> calculateResultForCalcValue1(const CalcValue&, OperatorsOperator, const CalcValue&,
                                                          OperatorsError*) override {
        return std::nullopt;
    }
    std::optional<CalcValue> calculateResultForCalcValue(const CalcValue&, OperatorsOperator,
                                                         OperatorsError*) override {
        return std::nullopt;
    }

    int precedenceFromOperator(OperatorsOperator op, bool* found) override;
    bool operatorIsUnary(OperatorsOperator op, bool* found) override;
    std::string imageFromOperator(OperatorsOperator op) override;
    std::string descriptionFromOperator(OperatorsOperator op) override;
    std::string accessibilityStringFromOperator(OperatorsOperator op) override;
    std::string stringFromOperator(OperatorsOperator op) override;

private:
    std::span<const OperatorsTableRow> rows_;
};
