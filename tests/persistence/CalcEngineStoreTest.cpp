#include <gtest/gtest.h>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"
#include "support/EngineDriver.h"
#include "support/WordSizeScope.h"

namespace {

class EngineState : public ::testing::Test {
protected:
    // Persists the engine, closes the file and restores into a fresh engine from a new store.
    void persistAndRestore() {
        CalcEngineStore::persistCalcEngine(engine_, *store_);
        store_->close();
        store_ = std::make_unique<CalcStore>(path_);
        CalcEngineStore::restoreCalcEngine(restored_, *store_);
    }
    long long countOnDisk(const std::string& entity) {
        store_->close();
        return queryInteger(path_, "SELECT count(*) FROM " + entity);
    }

    WordSizeScope wordSize_{32};
    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("Quillet.sqlite");
    std::unique_ptr<CalcStore> store_ = std::make_unique<CalcStore>(path_);
    CalcEngine engine_;
    CalcEngine restored_;
};

TEST_F(EngineState, APendingAdditionIsSavedAndFinishesAfterARestore) {
    pressKeys(engine_, "2 + 3");
    CalcEngineStore::persistCalcEngine(engine_, *store_);
    const AccumulatorState* state = store_->accumulatorState();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->state(), CalcEngineStateEnteringValue);
    EXPECT_EQ(state->currOperator(), OperatorsOperatorNone);
    EXPECT_EQ(CalcStore::calcValueFromGeneralValue(*state->generalValue())->uBaseValue(), 3u);
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == 1);
    EXPECT_EQ((*steps)[0]->index(), 0);
    EXPECT_EQ((*steps)[0]->operatorsOperator(), OperatorsOperatorAdd);
    EXPECT_EQ(CalcStore::calcValueFromGeneralValue(*(*steps)[0]->generalValue())->uBaseValue(), 2u);

    persistAndRestore();
    pressKeys(restored_, "=");
    EXPECT_EQ(restored_.accumulatorCalcValue().uBaseValue(), 5u);
}

TEST_F(EngineState, TheStackComesBackWithItsTopOnTop) {
    pressKeys(engine_, "1 + 2 \u00D7 3");
    {
        CalcEngineStore::persistCalcEngine(engine_, *store_);
        const auto steps = store_->opSteps();
        ASSERT_TRUE(steps && steps->size() == 2);
        EXPECT_EQ((*steps)[0]->operatorsOperator(), OperatorsOperatorMultiply);
        EXPECT_EQ(CalcStore::calcValueFromGeneralValue(*(*steps)[1]->generalValue())->uBaseValue(), 1u);
    }
    CalcEngineStore::persistCalcEngine(engine_, *store_);  // persisting twice keeps one state and one stack
    persistAndRestore();
    ASSERT_EQ(restored_.stack().size(), 2u);
    EXPECT_EQ(restored_.stack()[0].operatorsOperator, OperatorsOperatorMultiply);
    EXPECT_EQ(restored_.stack()[1].operatorsOperator, OperatorsOperatorAdd);
    pressKeys(restored_, "=");
    EXPECT_EQ(restored_.accumulatorCalcValue().uBaseValue(), 7u);
    // What was restored stays saved until the next save: a crash right after a start keeps it.
    EXPECT_EQ(countOnDisk("AccumulatorState"), 1);
    EXPECT_EQ(queryInteger(path_, "SELECT count(*) FROM OpStep"), 2);
    EXPECT_EQ(queryInteger(path_, "SELECT count(*) FROM GeneralValue"), 3);
    store_ = std::make_unique<CalcStore>(path_);
    CalcEngine again;
    CalcEngineStore::restoreCalcEngine(again, *store_);
    pressKeys(again, "=");
    EXPECT_EQ(again.accumulatorCalcValue().uBaseValue(), 7u);
}

TEST_F(EngineState, ASaveThatFailsHalfwayLeavesTheCalculationSavedBefore) {
    pressKeys(engine_, "4 + 5");
    CalcEngineStore::persistCalcEngine(engine_, *store_);
    store_->close();
    // The second stack entry cannot be written, as when the disk fills up or the process dies there.
    ASSERT_TRUE(executeSql(path_,
                           "CREATE TRIGGER refuse AFTER INSERT ON OpStep WHEN NEW.\"index\" = 1 "
                           "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    store_ = std::make_unique<CalcStore>(path_);
    CalcEngine other;
    pressKeys(other, "1 + 2 \u00D7 3");
    {
        LogCapture log;
        CalcEngineStore::persistCalcEngine(other, *store_);
        EXPECT_TRUE(log.contains("error saving AccumulatorState"));
    }
    store_ = std::make_unique<CalcStore>(path_);
    CalcEngineStore::restoreCalcEngine(restored_, *store_);
    pressKeys(restored_, "=");
    EXPECT_EQ(restored_.accumulatorCalcValue().uBaseValue(), 9u) << "the new state over a part of the new stack";
}

TEST_F(EngineState, EveryEntryFieldSurvives) {
    engine_.restoreAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorDivideByZero,
                                    OperatorsOperatorShiftLeftN, 100, -42, true, 16,
                                    CalcValue::calcValueWithRealValue(-1.25));
    engine_.appendStack({OperatorsOperatorAdd, CalcValue::calcValueWithSBaseValue(-7)});
    engine_.appendStack({OperatorsOperatorNone, CalcValue::calcValueWithUBaseValue(~uint64_t{0})});
    persistAndRestore();
    EXPECT_EQ(restored_.state(), CalcEngineStateEnteringValue);
    EXPECT_EQ(restored_.currError(), OperatorsErrorDivideByZero);
    EXPECT_EQ(restored_.currOperator(), OperatorsOperatorShiftLeftN);
    EXPECT_EQ(restored_.decimalPointDivider(), 100);
    EXPECT_EQ(restored_.exponent(), -42);
    EXPECT_TRUE(restored_.hasExponent());
    EXPECT_EQ(restored_.numberBase(), 16);
    EXPECT_EQ(restored_.accumulatorCalcValue().realValue(), -1.25);
    ASSERT_EQ(restored_.stack().size(), 2u);
    EXPECT_EQ(restored_.stack()[0].calcValue.sBaseValue(), -7);
    EXPECT_EQ(restored_.stack()[1].operatorsOperator, OperatorsOperatorNone);
    EXPECT_EQ(restored_.stack()[1].calcValue.uBaseValue(), ~uint64_t{0});
}

TEST_F(EngineState, ExponentEntryContinuesAfterARestore) {
    engine_.setAccumulatorCalcValue(CalcValue::calcValueWithType(CalcValueTypeReal));
    pressKeys(engine_, "1.5 E 1");
    persistAndRestore();
    EXPECT_TRUE(restored_.hasExponent());
    EXPECT_EQ(restored_.exponent(), 1);
    pressKeys(restored_, "2");
    EXPECT_EQ(restored_.exponent(), 12);
}

TEST_F(EngineState, AFirstLaunchLeavesTheEngineAsItIsAndTwoSavedStatesCountAsNone) {
    store_->addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
    store_->saveChanges();
    CalcEngineStore::restoreCalcEngine(restored_, *store_);
    EXPECT_EQ(restored_.state(), CalcEngineStateResult);
    EXPECT_TRUE(restored_.stack().empty());
    EXPECT_EQ(restored_.accumulatorCalcValue().type(), CalcValueTypeUBase);
    // Two saved states count as none, but the stack is still restored.
    for (int32_t base : {2, 8}) {
        store_->addAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorNone, OperatorsOperatorNone, 0, 0,
                                    false, base, u(5));
    }
    store_->addOpStepWithCalcValue(u(4), OperatorsOperatorAdd, 0);
    CalcEngineStore::restoreCalcEngine(restored_, *store_);
    EXPECT_EQ(restored_.numberBase(), 10);
    EXPECT_EQ(restored_.stack().size(), 1u);
    EXPECT_EQ(countOnDisk("HistoryStep"), 1);
}

}  // namespace
