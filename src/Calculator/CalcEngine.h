#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "Calculator/CalcEngineDelegate.h"
#include "Calculator/CalcEngineState.h"
#include "Calculator/OpStep.h"
#include "Model/CalcValue.h"

// A typed exponent stays within -99 to 99.
constexpr int32_t CalcEngineMaxExponent = 99;
// The divider is 10^k after k decimals; a tenth decimal would overflow 32 bits, so decimals
// beyond the ninth are ignored, as a twelfth whole digit is.
constexpr int32_t CalcEngineMaxDecimalPointDivider = 1000000000;

// Key-by-key entry with an operator stack reduced by precedence, the way an algebraic pocket
// calculator works: 2 + 3 × 4 = gives 14. The top of the stack is index 0.
class CalcEngine {
public:
    static CalcEngine& sharedInstance();
    // A fresh engine in its first-launch state; the program uses the shared one, tests and the
    // command line may make their own.
    CalcEngine() = default;
    CalcEngine(const CalcEngine&) = delete;
    CalcEngine& operator=(const CalcEngine&) = delete;

    static bool operatorIsNoneOrEquals(OperatorsOperator op) { return static_cast<uint32_t>(op) < 2; }
    // The radix of integer digit entry: 2, 8, 10 or 16.
    static bool numberBaseIsValid(int32_t numberBase) {
        return numberBase == 2 || numberBase == 8 || numberBase == 10 || numberBase == 16;
    }

    CalcEngineState state() const { return state_; }
    bool isEnteringValue() const { return state_ == CalcEngineStateEnteringValue; }
    OperatorsOperator currOperator() const { return currOperator_; }
    void setCurrOperator(OperatorsOperator op) { currOperator_ = op; }
    OperatorsError currError() const { return currError_; }
    int32_t decimalPointDivider() const { return decimalPointDivider_; }
    bool hasExponent() const { return hasExponent_; }
    int32_t exponent() const { return exponent_; }
    int32_t numberBase() const { return numberBase_; }
    void setNumberBase(int32_t numberBase) { numberBase_ = numberBase; }
    const CalcValue& accumulatorCalcValue() const { return accumulator_; }
    void setAccumulatorCalcValue(const CalcValue& value) { accumulator_ = value; }
    const std::vector<OpStep>& stack() const { return stack_; }
    CalcEngineDelegate* delegate() const { return delegate_; }
    void setDelegate(CalcEngineDelegate* delegate) { delegate_ = delegate; }

    void enterValue(int32_t digit);
    void enterDecimalPoint();
    void enterExponent();
    void enterPlusMinus();
    void enterOperator(OperatorsOperator op);
    void enterEquals();
    void enterAccumulatorCalcValue(const CalcValue& value);
    void clear();
    void clearError();
    bool willClearAll() const;
    void restoreAccumulatorState(CalcEngineState state, OperatorsError currError, OperatorsOperator currOperator,
                                 int32_t decimalPointDivider, int32_t exponent, bool hasExponent, int32_t numberBase,
                                 const CalcValue& accumulatorCalcValue);

    // Stack primitives; restoring a saved stack appends entries at the bottom.
    void pushStack();
    void popStack();
    void appendStack(const OpStep& step) { stack_.push_back(step); }
    void executeStack();
    void printStack() const;

private:
    void foldExponent();
    // Reduces the stack and pushes the pending operator; the caller sets the new accumulator.
    void startNewNumber();
    CalcValue digitOfAccumulatorType(int32_t digit) const;
    CalcValue zeroOfAccumulatorType() const;
    // An integer masked to the word size in its own kind; a real as it is.
    CalcValue withinWordSize(const CalcValue& value) const;
    void accumulatorUpdate();
    // The switches over the state cover every state; anything else is a programming error.
    void assertKnownState(std::string_view message) const;

    CalcEngineDelegate* delegate_ = nullptr;
    std::vector<OpStep> stack_;
    CalcEngineState state_ = CalcEngineStateResult;
    OperatorsOperator currOperator_ = OperatorsOperatorNone;
    OperatorsError currError_ = OperatorsErrorNone;
    int32_t decimalPointDivider_ = 0;
    bool hasExponent_ = false;
    int32_t exponent_ = 0;
    int32_t numberBase_ = 10;
    CalcValue accumulator_ = CalcValue::calcValueWithType(CalcValueTypeUBase);
};
