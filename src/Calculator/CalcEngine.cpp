#include "Calculator/CalcEngine.h"

#include <cmath>

#include "Calculator/Operators.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Log.h"
#include "Utils/CalcValueFormat.h"

namespace {

constexpr const char* kSource = "Calculator/CalcEngine";

// The whole part of a real holds at most eleven digits: a number being typed stays below the
// magnitude from which Auto would show it in Sci.
constexpr double kWholePartLimit = CalcValueFormatMaxAutoAsFix;

int wordSize() { return Operators::sharedInstance().wordSize(); }

}  // namespace

CalcEngine& CalcEngine::sharedInstance() {
    static CalcEngine engine;
    return engine;
}

void CalcEngine::assertKnownState(std::string_view message) const {
    if (!calcEngineStateFromInt32(state_)) fatalAssert(kSource, message);
}

void CalcEngine::accumulatorUpdate() {
    if (delegate_) delegate_->calcEngineAccumulatorUpdate(*this);
}

CalcValue CalcEngine::zeroOfAccumulatorType() const { return CalcValue::calcValueWithType(accumulator_.type()); }

CalcValue CalcEngine::digitOfAccumulatorType(int32_t digit) const {
    switch (accumulator_.type()) {
        case CalcValueTypeUBase: return CalcValue::calcValueWithUBaseValue(static_cast<uint64_t>(digit));
        case CalcValueTypeSBase: return CalcValue::calcValueWithSBaseValue(digit);
        case CalcValueTypeReal: return CalcValue::calcValueWithRealValue(digit);
        case CalcValueTypeNone: break;
    }
    fatalAssert(kSource, "unknown calc value type");
}

void CalcEngine::foldExponent() {
    if (accumulator_.type() == CalcValueTypeReal && hasExponent_) {
        accumulator_ = CalcValue::calcValueWithRealValue(accumulator_.realValue() * std::pow(10.0, exponent_));
        hasExponent_ = false;
        exponent_ = 0;
    }
}

void CalcEngine::pushStack() { stack_.insert(stack_.begin(), OpStep{currOperator_, accumulator_}); }

void CalcEngine::popStack() {
    if (stack_.empty()) fatalAssert(kSource, "stack empty");
    stack_.erase(stack_.begin());
}

void CalcEngine::executeStack() {
    Operators& operators = Operators::sharedInstance();
    const int incoming = operators.precedenceFromOperator(currOperator_);
    while (!stack_.empty()) {
        const OpStep top = stack_.front();
        if (incoming > operators.precedenceFromOperator(top.operatorsOperator)) break;
        OperatorsError error = OperatorsErrorNone;
        const std::optional<CalcValue> result =
            operators.calculateResultForCalcValue1(top.calcValue, top.operatorsOperator, accumulator_, &error);
        if (error != OperatorsErrorNone) {
            currError_ = error;
            break;
        }
        // A calculation that yields nothing ("%") consumes its entry and leaves the
        // accumulator and the history as they were.
        if (result) {
            if (delegate_) {
                delegate_->calcEngineAddHistoryStepWithCalcValue1(*this, top.calcValue, top.operatorsOperator,
                                                                  accumulator_, *result);
            }
            accumulator_ = *result;
        }
        decimalPointDivider_ = 0;
        popStack();
    }
}

void CalcEngine::startNewNumber() {
    executeStack();
    if (currOperator_ != OperatorsOperatorEquals) pushStack();
    currOperator_ = OperatorsOperatorNone;
    decimalPointDivider_ = 0;
    hasExponent_ = false;
    exponent_ = 0;
    state_ = CalcEngineStateEnteringValue;
}

void CalcEngine::enterValue(int32_t digit) {
    const bool isInteger = accumulator_.isInteger();
    if (digit < 0 || (isInteger && digit >= numberBase_) || (!isInteger && digit > 9)) {
        fatalAssert(kSource, "value out of range");
    }
    if (currError_ != OperatorsErrorNone) clearError();
    assertKnownState("unknown state");
    switch (state_) {
        case CalcEngineStateOperatorPending:
            // The digit takes the kind of the value the reduction leaves: 5 ^ 2 + 3 starts a real 3.
            startNewNumber();
            accumulator_ = digitOfAccumulatorType(digit);
            break;
        case CalcEngineStateResult:
            accumulator_ = digitOfAccumulatorType(digit);
            if (digit != 0) state_ = CalcEngineStateEnteringValue;
            break;
        case CalcEngineStateEnteringValue:
            switch (accumulator_.type()) {
                case CalcValueTypeUBase:
                    accumulator_ = CalcValue::calcValueWithUBaseValue(
                        accumulator_.uBaseValue() * static_cast<uint64_t>(numberBase_) + static_cast<uint64_t>(digit));
                    break;
                case CalcValueTypeSBase: {
                    // A negative number grows away from zero; the arithmetic wraps in 64 bits.
                    const uint64_t bits =
                        static_cast<uint64_t>(accumulator_.sBaseValue()) * static_cast<uint64_t>(numberBase_);
                    const uint64_t next = accumulator_.sBaseValue() >= 0 ? bits + static_cast<uint64_t>(digit)
                                                                         : bits - static_cast<uint64_t>(digit);
                    accumulator_ = CalcValue::calcValueWithSBaseValue(static_cast<int64_t>(next));
                    break;
                }
                case CalcValueTypeReal: {
                    // The sign bit decides, so that digits typed after the sign key on -0 stay
                    // negative.
                    const double real = accumulator_.realValue();
                    const bool negative = std::signbit(real);
                    if (hasExponent_) {
                        const int32_t shifted = exponent_ * 10;
                        const int32_t next = shifted >= 0 ? shifted + digit : shifted - digit;
                        if (next >= -CalcEngineMaxExponent && next <= CalcEngineMaxExponent) exponent_ = next;
                    } else if (decimalPointDivider_ == 0) {
                        const double shifted = real * 10.0;
                        const double next = negative ? shifted - digit : shifted + digit;
                        if (next < kWholePartLimit && next > -kWholePartLimit) {
                            accumulator_ = CalcValue::calcValueWithRealValue(next);
                        }
                    } else if (decimalPointDivider_ < CalcEngineMaxDecimalPointDivider) {
                        decimalPointDivider_ *= 10;
                        const double fraction = static_cast<double>(digit) / decimalPointDivider_;
                        accumulator_ = CalcValue::calcValueWithRealValue(negative ? real - fraction : real + fraction);
                    }
                    break;
                }
                case CalcValueTypeNone: fatalAssert(kSource, "unknown calc value type");
            }
            break;
    }
    accumulatorUpdate();
}

void CalcEngine::enterDecimalPoint() {
    if (accumulator_.type() != CalcValueTypeReal || decimalPointDivider_ != 0) return;
    assertKnownState("unknown calc engine state");
    if (state_ != CalcEngineStateEnteringValue) enterValue(0);
    decimalPointDivider_ = 1;
    state_ = CalcEngineStateEnteringValue;
    accumulatorUpdate();
}

void CalcEngine::enterExponent() {
    if (accumulator_.type() != CalcValueTypeReal || hasExponent_) return;
    assertKnownState("Unknown state");
    switch (state_) {
        case CalcEngineStateEnteringValue:
        case CalcEngineStateResult: state_ = CalcEngineStateEnteringValue; break;
        case CalcEngineStateOperatorPending:
            startNewNumber();
            accumulator_ = CalcValue::calcValueWithRealValue(0.0);
            break;
    }
    hasExponent_ = true;
    exponent_ = 0;
    accumulatorUpdate();
}

void CalcEngine::enterPlusMinus() {
    if (hasExponent_) {
        exponent_ = -exponent_;
    } else {
        switch (accumulator_.type()) {
            case CalcValueTypeSBase:
                accumulator_ = CalcValue::calcValueWithSBaseValue(
                    static_cast<int64_t>(0 - static_cast<uint64_t>(accumulator_.sBaseValue())));
                break;
            case CalcValueTypeReal: accumulator_ = CalcValue::calcValueWithRealValue(-accumulator_.realValue()); break;
            case CalcValueTypeUBase:
                accumulator_ = CalcValue::calcValueWithUBaseValue(
                    CalcValue::uValueMaskedWithWordSize(0 - accumulator_.uBaseValue(), wordSize()));
                break;
            case CalcValueTypeNone: fatalAssert(kSource, "unknown value type");
        }
    }
    accumulatorUpdate();
}

void CalcEngine::enterOperator(OperatorsOperator op) {
    if (op == OperatorsOperatorEquals) fatalAssert(kSource, "equals operator not allowed");
    if (currError_ != OperatorsErrorNone) clearError();
    foldExponent();
    decimalPointDivider_ = 0;
    assertKnownState("unknown state");
    Operators& operators = Operators::sharedInstance();
    if (operators.operatorIsUnary(op)) {
        OperatorsError error = OperatorsErrorNone;
        const std::optional<CalcValue> result = operators.calculateResultForCalcValue(accumulator_, op, &error);
        if (error == OperatorsErrorNone && result) {
            if (delegate_) {
                delegate_->calcEngineAddHistoryStepWithCalcValue1(*this, accumulator_, op, std::nullopt, *result);
            }
            accumulator_ = *result;
            if (state_ == CalcEngineStateEnteringValue) state_ = CalcEngineStateResult;
        }
        currError_ = error;
        accumulatorUpdate();
        return;
    }
    currOperator_ = op;
    state_ = CalcEngineStateOperatorPending;
    if (delegate_) delegate_->calcEngineNewOperator(*this, op);
    accumulatorUpdate();
}

void CalcEngine::enterEquals() {
    foldExponent();
    accumulator_ = withinWordSize(accumulator_);
    decimalPointDivider_ = 0;
    assertKnownState("unknown state");
    switch (state_) {
        case CalcEngineStateEnteringValue:
        case CalcEngineStateResult:
            currOperator_ = OperatorsOperatorEquals;
            if (!stack_.empty()) executeStack();
            break;
        case CalcEngineStateOperatorPending: {
            // "5 + =" computes 5 + 5: the value, already within the word size, is also the operand.
            pushStack();
            currOperator_ = OperatorsOperatorEquals;
            executeStack();
            break;
        }
    }
    state_ = CalcEngineStateResult;
    accumulatorUpdate();
}

CalcValue CalcEngine::withinWordSize(const CalcValue& value) const {
    return value.calcValueAsType(value.type(), wordSize()).value_or(value);
}

void CalcEngine::enterAccumulatorCalcValue(const CalcValue& value) {
    // A value kept at another word size (a history result, a favourite, the menu's value row)
    // takes this one, as the result of "=" does.
    const CalcValue entered = withinWordSize(value);
    if (currError_ != OperatorsErrorNone) clearError();
    decimalPointDivider_ = 0;
    hasExponent_ = false;
    exponent_ = 0;
    assertKnownState("unknown state");
    switch (state_) {
        case CalcEngineStateEnteringValue:
        case CalcEngineStateResult:
            accumulator_ = entered;
            state_ = CalcEngineStateResult;
            break;
        case CalcEngineStateOperatorPending:
            executeStack();
            if (currOperator_ != OperatorsOperatorEquals) pushStack();
            accumulator_ = entered;
            currOperator_ = OperatorsOperatorNone;
            state_ = CalcEngineStateEnteringValue;
            break;
    }
    accumulatorUpdate();
}

bool CalcEngine::willClearAll() const {
    if (currError_ != OperatorsErrorNone) return false;
    return state_ != CalcEngineStateEnteringValue || accumulator_.isZero() || currOperator_ != OperatorsOperatorNone;
}

void CalcEngine::clear() {
    if (currError_ != OperatorsErrorNone) {
        clearError();
    } else if (willClearAll()) {
        stack_.clear();
        accumulator_ = zeroOfAccumulatorType();
        currOperator_ = OperatorsOperatorNone;
        decimalPointDivider_ = 0;
        hasExponent_ = false;
        exponent_ = 0;
        state_ = CalcEngineStateResult;
    } else {
        accumulator_ = zeroOfAccumulatorType();
        decimalPointDivider_ = 0;
        hasExponent_ = false;
        exponent_ = 0;
    }
    accumulatorUpdate();
}

void CalcEngine::clearError() {
    stack_.clear();
    accumulator_ = zeroOfAccumulatorType();
    currOperator_ = OperatorsOperatorNone;
    decimalPointDivider_ = 0;
    state_ = CalcEngineStateResult;
    currError_ = OperatorsErrorNone;
}

void CalcEngine::restoreAccumulatorState(CalcEngineState state, OperatorsError currError,
                                         OperatorsOperator currOperator, int32_t decimalPointDivider, int32_t exponent,
                                         bool hasExponent, int32_t numberBase, const CalcValue& accumulatorCalcValue) {
    state_ = state;
    currError_ = currError;
    currOperator_ = currOperator;
    decimalPointDivider_ = decimalPointDivider;
    exponent_ = exponent;
    hasExponent_ = hasExponent;
    numberBase_ = numberBase;
    accumulator_ = accumulatorCalcValue;
}

void CalcEngine::printStack() const {
    Log::line("--");
    for (size_t i = 0; i < stack_.size(); ++i) {
        Log::format("%d: %s", static_cast<int>(i), stack_[i].description().c_str());
    }
}
