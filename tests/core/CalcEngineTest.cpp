#include <gtest/gtest.h>

#include "Calculator/CalcEngine.h"
#include "OperatorsModuleTestSupport.h"
#include "support/EngineDriver.h"

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { engine.setDelegate(&delegate); }

    void startWith(CalcValueType type) { engine.setAccumulatorCalcValue(CalcValue::calcValueWithType(type)); }
    const CalcValue& accumulator() const { return engine.accumulatorCalcValue(); }

    WordSizeScope wordSize{16};
    CalcEngine engine;
    RecordingDelegate delegate;
};

constexpr CalcValueType kU = CalcValueTypeUBase;
constexpr CalcValueType kS = CalcValueTypeSBase;
constexpr CalcValueType kR = CalcValueTypeReal;

// Entries and precedences; the registry's own precedences (XOR binds tighter than OR, MOD than XOR,
// shifts looser than +); and module errors, which reach the engine with the failing entry kept.
TEST_F(EngineTest, KeySequencesGiveTheirResult) {
    const struct {
        const char* keys;
        CalcValueType type;
        CalcValue expected;
        OperatorsError error = OperatorsErrorNone;
    } rows[] = {
        // clang-format off
        {"2 + 3 \u00D7 4 =", kU, u(14)},                           {"2 + 3 \u00D7 4 =", kS, s(14)},
        {"2 + 3 \u00D7 4 =", kR, r(14)},                           {"2 \u00D7 3 + 4 =", kS, s(10)},
        {"8 \u2212 3 \u2212 2 =", kS, s(3)},                       {"5 + =", kU, u(10)},
        {"5 + \u00D7 2 =", kU, u(10)},                             {"1 + 2 \u00D7 3 \u2212 4 \u00F7 2 =", kR, r(5)},
        {"0 0 0 5", kU, u(5)},                                     {"1 2 . 5 \u00B1 6", kR, r(-12.56)},
        {"1 2 3 4 5 6 7 8 9 0 1 2", kR, r(12345678901)},           {"2 E 3 =", kR, r(2000)},
        {"2 E 3 \u00B1 =", kR, r(0.002)},                          {"2 E \u00B1 3 =", kR, r(2000)},
        {"1 E 9 9 9 =", kR, r(1e99)},                              {"5 + ! 3 =", kR, r(123)},
        {"5 + 3 = 2", kU, u(2)},                                   {". \u00B1 5", kR, r(-0.5)},
        {"3 + E 2 =", kR, r(3)},                                   {"7 \u00F7 2 =", kS, s(3)},
        {"7 \u00B1 \u00F7 2 =", kS, s(-3)},                        {"4 OR 2 AND 3 =", kU, u(6)},
        {"8 OR 6 XOR 3 =", kU, u(13)},                             {"6 XOR 7 MOD 4 =", kU, u(5)},
        {"2 ^ 3 ^ 2 =", kU, r(64)},                                {"2 + 3 ^ 2 =", kR, r(11)},
        {"64 NTHRT 2 + 1 =", kR, r(9)},                            {"1 + 2 <<N 3 =", kU, u(24)},
        {"5 ROTR", kU, u(0x8002)},                                 {"40000 A>>", kU, u(0xCE20)},
        {"5 INV", kS, s(-6)},                                      {"200 +% 10 =", kR, r(220.00000000000003)},
        {"50 %chng 75 =", kU, r(50)},                              {"90 Sin", kR, r(1)},
        {"1000 Log", kU, r(3)},                                    {"5 MOD 0 =", kU, u(0), OperatorsErrorDivideByZero},
        {"1 <<N 65 =", kU, u(65), OperatorsErrorValueOutOfRange},
        {"1 float2ieee", kU, u(1), OperatorsErrorIntegerSize32},
        // clang-format on
    };
    for (const auto& row : rows) {
        CalcEngine fresh;
        fresh.setAccumulatorCalcValue(CalcValue::calcValueWithType(row.type));
        pressKeys(fresh, row.keys);
        EXPECT_IDENTICAL(std::optional(fresh.accumulatorCalcValue()), row.expected) << row.keys;
        EXPECT_EQ(fresh.currError(), row.error) << row.keys;
    }
}

// A value kept at another word size (a history result, a favourite, the menu's value row) takes
// this one as it is entered, whether or not an operator is pending: 36 bits of a value typed at
// 64 bits would otherwise stand in a 16-bit calculator.
TEST_F(EngineTest, AValueEnteredTakesTheWordSize) {
    const struct {
        CalcValue entered;
        CalcValue shown;
    } rows[] = {
        {u(0x9FFFFFFD1), u(0xFFD1)}, {s(70000), s(4464)}, {s(-70000), s(-4464)}, {s(-5), s(-5)}, {r(1e20), r(1e20)},
    };
    for (const auto& row : rows) {
        CalcEngine fresh;
        fresh.enterAccumulatorCalcValue(row.entered);
        EXPECT_IDENTICAL(std::optional(fresh.accumulatorCalcValue()), row.shown) << row.entered.description();
        fresh.setAccumulatorCalcValue(CalcValue::calcValueWithType(row.entered.type()));
        pressKeys(fresh, "0 +");
        fresh.enterAccumulatorCalcValue(row.entered);
        EXPECT_IDENTICAL(std::optional(fresh.accumulatorCalcValue()), row.shown) << row.entered.description();
    }
}

// The digit after a binary operator takes the kind of the value the reduction left.
TEST_F(EngineTest, TheNextOperandTakesTheKindOfTheReducedValue) {
    pressKeys(engine, "2 \u00D7");
    engine.enterAccumulatorCalcValue(r(3.141592653589793));
    pressKeys(engine, "+ 3");
    EXPECT_IDENTICAL(std::optional(accumulator()), u(3));
    pressKeys(engine, "C C 5 ^ 2 + 3 . 5 =");
    EXPECT_IDENTICAL(std::optional(accumulator()), r(28.5));
}

TEST_F(EngineTest, HistoryStepsAndCallbacksComeInReductionOrder) {
    pressKeys(engine, "2 + 3 =");
    EXPECT_EQ(delegate.calls,
              (std::vector<std::string>{"update", "newOperator 2", "update", "update", "history 2", "update"}));
    delegate.history.clear();
    pressKeys(engine, "2 + 3 \u00D7 4 = 5 !");
    ASSERT_EQ(delegate.history.size(), 3u);
    const auto& [value1, op, value2, result] = delegate.history[0];
    EXPECT_EQ(std::make_tuple(value1.uBaseValue(), op, value2->uBaseValue(), result.uBaseValue()),
              std::make_tuple(uint64_t{3}, OperatorsOperatorMultiply, uint64_t{4}, uint64_t{12}));
    EXPECT_EQ(delegate.history[1].op, OperatorsOperatorAdd);
    EXPECT_EQ(delegate.history[1].value1.uBaseValue(), 2u);
    EXPECT_EQ(delegate.history[1].result.uBaseValue(), 14u);
    // A unary operator's step has no second operand and leaves a result.
    EXPECT_FALSE(delegate.history[2].value2.has_value());
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
}

TEST_F(EngineTest, LeadingZerosKeepTheResultStateAndDecimalsStopAtNine) {
    pressKeys(engine, "0 0 0");
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
    startWith(CalcValueTypeReal);
    pressKeys(engine, "0 . 1 2 3 4 5 6 7 8 9 9 9 9");
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 0.123456789);
    EXPECT_EQ(engine.decimalPointDivider(), 1000000000);
    engine.clear();
    pressKeys(engine, "1 E 9 9 9 \u00B1 9");
    EXPECT_EQ(engine.exponent(), -99);
}

TEST_F(EngineTest, UnsignedEightBitsWrapsAndMasksOnEquals) {
    WordSizeScope eight(8);
    pressKeys(engine, "1 \u00B1");
    EXPECT_EQ(accumulator().uBaseValue(), 255u);
    pressKeys(engine, "C 3 0 0");
    EXPECT_EQ(accumulator().uBaseValue(), 300u);
    engine.enterEquals();
    EXPECT_EQ(accumulator().uBaseValue(), 44u);
    engine.setNumberBase(16);
    pressKeys(engine, "C F F + 1 =");
    EXPECT_EQ(accumulator().uBaseValue(), 0u);
}

TEST_F(EngineTest, AnErrorKeepsTheStackUntilClearOrTheNextDigit) {
    pressKeys(engine, "5 \u00F7 0 =");
    EXPECT_EQ(engine.currError(), OperatorsErrorDivideByZero);
    ASSERT_EQ(engine.stack().size(), 1u);
    EXPECT_EQ(engine.stack()[0].operatorsOperator, OperatorsOperatorDivide);
    EXPECT_FALSE(engine.willClearAll());
    engine.clear();
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_TRUE(engine.stack().empty());
    EXPECT_EQ(engine.state(), CalcEngineStateResult);
    pressKeys(engine, "5 \u00F7 0 = 7");
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_EQ(accumulator().uBaseValue(), 7u);
    EXPECT_TRUE(engine.stack().empty());
}

TEST_F(EngineTest, AUnaryErrorWhileTypingKeepsTheEntryState) {
    startWith(CalcValueTypeReal);
    pressKeys(engine, "9 9 !");
    EXPECT_EQ(engine.currError(), OperatorsErrorValueOutOfRange);
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "4");
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
    EXPECT_DOUBLE_EQ(accumulator().realValue(), 4.0);
}

TEST_F(EngineTest, ClearEntryKeepsThePendingOperator) {
    pressKeys(engine, "2 + 3");
    EXPECT_FALSE(engine.willClearAll());
    engine.clear();
    EXPECT_EQ(engine.stack().size(), 1u);
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "4 = 2");
    EXPECT_EQ(engine.currOperator(), OperatorsOperatorEquals);
    EXPECT_TRUE(engine.willClearAll());
    pressKeys(engine, "4 +");
    engine.enterAccumulatorCalcValue(u(10));
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "=");
    EXPECT_EQ(accumulator().uBaseValue(), 34u);
}

TEST_F(EngineTest, PercentYieldsNothingAndLeavesTheAccumulator) {
    // No module calculates identifier 7: the entry is consumed, nothing is recorded.
    pressKeys(engine, "5");
    engine.enterOperator(OperatorsOperatorPercent);
    pressKeys(engine, "3 =");
    EXPECT_IDENTICAL(std::optional(accumulator()), u(3));
    EXPECT_TRUE(engine.stack().empty());
    EXPECT_TRUE(delegate.history.empty());
    EXPECT_EQ(engine.currError(), OperatorsErrorNone);
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
                                   false, 10, u(1));
    EXPECT_DEATH(engine.enterValue(1), "Calculator/CalcEngine: unknown state");
}

}  // namespace
