#include <gtest/gtest.h>

#include "Calculator/CalcEngine.h"
#include "Calculator/OperatorsBasic.h"
#include "support/EngineDriver.h"
#include "support/WordSizeScope.h"

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { engine.setDelegate(&delegate); }

    void startWith(CalcValueType type) { engine.setAccumulatorCalcValue(CalcValue::calcValueWithType(type)); }
    const CalcValue& accumulator() const { return engine.accumulatorCalcValue(); }

    WordSizeScope wordSize{32};
    CalcEngine engine;
    RecordingDelegate delegate;
};

struct SequenceRow {
    const char* keys;
    CalcValueType type;
    double expected;  // compared as the value of the accumulator's own kind
};

class EngineSequences : public EngineTest, public ::testing::WithParamInterface<SequenceRow> {};

double numericValue(const CalcValue& value) {
    switch (value.type()) {
        case CalcValueTypeUBase: return static_cast<double>(value.uBaseValue());
        case CalcValueTypeSBase: return static_cast<double>(value.sBaseValue());
        default: return value.realValue();
    }
}

TEST_P(EngineSequences, GiveTheResult) {
    const SequenceRow& row = GetParam();
    startWith(row.type);
    pressKeys(engine, row.keys);
    EXPECT_EQ(accumulator().type(), row.type);
    EXPECT_DOUBLE_EQ(numericValue(accumulator()), row.expected) << row.keys;
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, EngineSequences,
    ::testing::Values(
        SequenceRow{"2 + 3 \u00D7 4 =", CalcValueTypeUBase, 14},
        SequenceRow{"2 + 3 \u00D7 4 =", CalcValueTypeSBase, 14}, SequenceRow{"2 + 3 \u00D7 4 =", CalcValueTypeReal, 14},
        SequenceRow{"2 \u00D7 3 + 4 =", CalcValueTypeSBase, 10},
        SequenceRow{"8 \u2212 3 \u2212 2 =", CalcValueTypeSBase, 3}, SequenceRow{"5 + =", CalcValueTypeUBase, 10},
        SequenceRow{"5 + \u00D7 2 =", CalcValueTypeUBase, 10},
        SequenceRow{"1 + 2 \u00D7 3 \u2212 4 \u00F7 2 =", CalcValueTypeReal, 5},
        SequenceRow{"0 0 0 5", CalcValueTypeUBase, 5}, SequenceRow{"1 2 . 5", CalcValueTypeReal, 12.5},
        SequenceRow{"1 2 . 5 \u00B1 6", CalcValueTypeReal, -12.56},
        SequenceRow{"1 2 3 4 5 6 7 8 9 0 1 2", CalcValueTypeReal, 12345678901},
        SequenceRow{"2 E 3 =", CalcValueTypeReal, 2000}, SequenceRow{"2 E 3 \u00B1 =", CalcValueTypeReal, 0.002},
        SequenceRow{"2 E \u00B1 3 =", CalcValueTypeReal, 2000}, SequenceRow{"1 E 9 9 9 =", CalcValueTypeReal, 1e99},
        SequenceRow{"5 + ! 3 =", CalcValueTypeReal, 123}, SequenceRow{"5 + 3 = 2", CalcValueTypeUBase, 2},
        SequenceRow{". 5", CalcValueTypeReal, 0.5}, SequenceRow{". \u00B1 5", CalcValueTypeReal, -0.5},
        SequenceRow{"3 + E 2 =", CalcValueTypeReal, 3}, SequenceRow{"7 \u00F7 2 =", CalcValueTypeSBase, 3},
        SequenceRow{"7 \u00B1 \u00F7 2 =", CalcValueTypeSBase, -3}));

// The digit after a binary operator takes the kind of the value the reduction left.
TEST_F(EngineTest, TheNextOperandTakesTheKindOfTheReducedValue) {
    pressKeys(engine, "2 \u00D7");
    engine.enterAccumulatorCalcValue(CalcValue::calcValueWithRealValue(3.141592653589793));
    pressKeys(engine, "+ 3");
    EXPECT_EQ(accumulator().type(), CalcValueTypeUBase);
    EXPECT_EQ(accumulator().uBaseValue(), 3u);
    pressKeys(engine, "C C 5 ^ 2 + 3 . 5 =");
    EXPECT_EQ(accumulator().type(), CalcValueTypeReal);
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 28.5);
}

TEST_F(EngineTest, HistoryStepsComeInReductionOrder) {
    pressKeys(engine, "2 + 3 \u00D7 4 =");
    ASSERT_EQ(delegate.history.size(), 2u);
    EXPECT_EQ(delegate.history[0].op, OperatorsOperatorMultiply);
    EXPECT_EQ(delegate.history[0].value1.uBaseValue(), 3u);
    EXPECT_EQ(delegate.history[0].value2->uBaseValue(), 4u);
    EXPECT_EQ(delegate.history[0].result.uBaseValue(), 12u);
    EXPECT_EQ(delegate.history[1].op, OperatorsOperatorAdd);
    EXPECT_EQ(delegate.history[1].value1.uBaseValue(), 2u);
    EXPECT_EQ(delegate.history[1].result.uBaseValue(), 14u);
}

TEST_F(EngineTest, CallbackOrderOfABinaryOperatorAndEquals) {
    pressKeys(engine, "2 + 3 =");
    const std::vector<std::string> expected = {"update", "newOperator 2", "update", "update", "history 2", "update"};
    EXPECT_EQ(delegate.calls, expected);
}

TEST_F(EngineTest, UnaryOperatorRecordsAHistoryStepWithoutSecondOperand) {
    pressKeys(engine, "5 !");
    ASSERT_EQ(delegate.history.size(), 1u);
    EXPECT_FALSE(delegate.history[0].value2.has_value());
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 120.0);
}

TEST_F(EngineTest, LeadingZerosKeepTheResultState) {
    pressKeys(engine, "0 0 0");
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
    EXPECT_TRUE(accumulator().isZero());
}

TEST_F(EngineTest, WholePartKeepsElevenDigitsAndDecimalsNine) {
    startWith(CalcValueTypeReal);
    pressKeys(engine, "1 2 3 4 5 6 7 8 9 0 1 2");
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 12345678901.0);
    engine.clear();
    engine.clear();
    // Decimals beyond the ninth are ignored; the divider never overflows.
    pressKeys(engine, "0 . 1 2 3 4 5 6 7 8 9 9 9 9");
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 0.123456789);
    EXPECT_EQ(engine.decimalPointDivider(), 1000000000);
}

TEST_F(EngineTest, ExponentDigitsBeyondNinetyNineAreIgnored) {
    startWith(CalcValueTypeReal);
    pressKeys(engine, "1 E 9 9 9");
    EXPECT_EQ(engine.exponent(), 99);
    engine.enterPlusMinus();
    pressKeys(engine, "9");
    EXPECT_EQ(engine.exponent(), -99);
}

TEST_F(EngineTest, UnsignedEightBitsWrapsAndMasksOnEquals) {
    WordSizeScope eight(8);
    pressKeys(engine, "1 \u00B1");
    EXPECT_EQ(accumulator().uBaseValue(), 255u);
    engine.clear();
    pressKeys(engine, "3 0 0");
    EXPECT_EQ(accumulator().uBaseValue(), 300u);
    engine.enterEquals();
    EXPECT_EQ(accumulator().uBaseValue(), 44u);
}

TEST_F(EngineTest, HexDigitsInBaseSixteen) {
    engine.setNumberBase(16);
    pressKeys(engine, "F F + 1 =");
    EXPECT_EQ(accumulator().uBaseValue(), 256u);
}

TEST_F(EngineTest, DivisionByZeroKeepsTheStackUntilClear) {
    pressKeys(engine, "5 \u00F7 0 =");
    EXPECT_EQ(engine.currError(), OperatorsErrorDivideByZero);
    ASSERT_EQ(engine.stack().size(), 1u);
    EXPECT_EQ(engine.stack()[0].operatorsOperator, OperatorsOperatorDivide);
    EXPECT_EQ(engine.stack()[0].calcValue.uBaseValue(), 5u);
    EXPECT_FALSE(engine.willClearAll());
    engine.clear();
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_TRUE(engine.stack().empty());
    EXPECT_TRUE(accumulator().isZero());
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
}

TEST_F(EngineTest, ErrorIsClearedByTheNextDigit) {
    pressKeys(engine, "5 \u00F7 0 = 7");
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_EQ(accumulator().uBaseValue(), 7u);
    EXPECT_TRUE(engine.stack().empty());
}

TEST_F(EngineTest, UnaryErrorInStateZeroKeepsTheState) {
    startWith(CalcValueTypeReal);
    pressKeys(engine, "9 9 !");
    EXPECT_EQ(engine.currError(), OperatorsErrorValueOutOfRange);
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "4");
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 4.0);
}

TEST_F(EngineTest, WillClearAllAndClearEntry) {
    pressKeys(engine, "2 + 3");
    EXPECT_FALSE(engine.willClearAll());
    engine.clear();  // clear entry: the pending 2 + stays
    EXPECT_EQ(engine.stack().size(), 1u);
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "4 =");
    EXPECT_EQ(accumulator().uBaseValue(), 6u);
    pressKeys(engine, "2");
    EXPECT_EQ(engine.currOperator(), OperatorsOperatorEquals);
    EXPECT_TRUE(engine.willClearAll());
}

TEST_F(EngineTest, WholeValueEnteredWhileOperatorPendingStartsTheSecondOperand) {
    pressKeys(engine, "4 +");
    engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(10));
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "=");
    EXPECT_EQ(accumulator().uBaseValue(), 14u);
}

TEST_F(EngineTest, PercentYieldsNothingAndLeavesTheAccumulator) {
    // No module calculates identifier 7: the entry is consumed, nothing is recorded.
    pressKeys(engine, "5");
    engine.enterOperator(OperatorsOperatorPercent);
    pressKeys(engine, "3 =");
    EXPECT_EQ(accumulator().type(), CalcValueTypeUBase);
    EXPECT_EQ(accumulator().uBaseValue(), 3u);
    EXPECT_TRUE(engine.stack().empty());
    EXPECT_TRUE(delegate.history.empty());
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
}

TEST_F(EngineTest, RestoreSetsEveryFieldWithoutCallbacks) {
    engine.restoreAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorDivideByZero, OperatorsOperatorMultiply,
                                   100, -5, true, 16, CalcValue::calcValueWithRealValue(1.5));
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    EXPECT_EQ(engine.currError(), OperatorsErrorDivideByZero);
    EXPECT_EQ(engine.currOperator(), OperatorsOperatorMultiply);
    EXPECT_EQ(engine.decimalPointDivider(), 100);
    EXPECT_EQ(engine.exponent(), -5);
    EXPECT_TRUE(engine.hasExponent());
    EXPECT_EQ(engine.numberBase(), 16);
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 1.5);
    EXPECT_TRUE(delegate.calls.empty());
}

TEST_F(EngineTest, DecimalPointAndExponentNeedARealValue) {
    pressKeys(engine, "3");
    delegate.calls.clear();
    engine.enterDecimalPoint();
    engine.enterExponent();
    EXPECT_TRUE(delegate.calls.empty());
    EXPECT_EQ(engine.decimalPointDivider(), 0);
    EXPECT_FALSE(engine.hasExponent());
}

using EngineDeathTest = EngineTest;

TEST_F(EngineDeathTest, ProgrammingErrorsAbort) {
    EXPECT_DEATH(engine.enterOperator(OperatorsOperatorEquals), "Calculator/CalcEngine: equals operator not allowed");
    EXPECT_DEATH(engine.enterValue(10), "Calculator/CalcEngine: value out of range");
    EXPECT_DEATH(engine.enterValue(-1), "Calculator/CalcEngine: value out of range");
    EXPECT_DEATH(engine.popStack(), "Calculator/CalcEngine: stack empty");
    engine.restoreAccumulatorState(static_cast<CalcEngineState>(7), OperatorsErrorNone, OperatorsOperatorNone, 0, 0,
                                   false, 10, CalcValue::calcValueWithUBaseValue(1));
    EXPECT_DEATH(engine.enterValue(1), "Calculator/CalcEngine: unknown state");
}

}  // namespace
