#include <gtest/gtest.h>

#include <bit>
#include <ctime>
#include <limits>

#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"

namespace {

class Store : public ::testing::Test {
protected:
    void reopened() {
        store_->close();
        store_ = std::make_unique<CalcStore>(path_);
    }
    void addStep(uint64_t a, uint64_t b) {
        store_->addHistoryStepWithCalcValue1(u(a), OperatorsOperatorAdd, u(b), u(a + b), CalcValueFormatStyleDec);
        store_->saveChanges();
    }
    HistoryStep* step(size_t section, size_t row) {
        list_ = store_->historyStepsFetchedResultsController();
        return static_cast<HistoryStep*>(list_->objectAtIndexPath({section, row}));
    }
    std::vector<int32_t> historyIndices() {
        list_ = store_->historyStepsFetchedResultsController();
        std::vector<int32_t> indices;
        for (const auto& section : list_->sections()) {
            for (ManagedObject* step : section.objects) indices.push_back(static_cast<HistoryStep*>(step)->index());
        }
        return indices;
    }
    long long countOnDisk(const std::string& entity) {
        list_.reset();
        store_->close();
        return rowCount(path_, entity);
    }

    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("Quillet.sqlite");
    std::unique_ptr<CalcStore> store_ = std::make_unique<CalcStore>(path_);
    std::unique_ptr<FetchedResultsController> list_;
};

class StoreValueEncoding : public Store, public ::testing::WithParamInterface<CalcValue> {};

TEST_P(StoreValueEncoding, DecodesToTheIdenticalValueAfterAReopen) {
    const CalcValue value = GetParam();
    store_->addOpStepWithCalcValue(value, OperatorsOperatorAdd, 0);
    reopened();
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == 1);
    const auto decoded = CalcStore::calcValueFromGeneralValue(*steps->front()->generalValue());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->type(), value.type());
    EXPECT_EQ(decoded->uBaseValue(), value.uBaseValue());
    EXPECT_EQ(std::bit_cast<uint64_t>(decoded->realValue()), std::bit_cast<uint64_t>(value.realValue()));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, StoreValueEncoding,
                         ::testing::Values(u(std::numeric_limits<uint64_t>::max()), u(uint64_t{1} << 63), u(0),
                                           CalcValue::calcValueWithSBaseValue(std::numeric_limits<int64_t>::min()),
                                           CalcValue::calcValueWithSBaseValue(-1),
                                           CalcValue::calcValueWithRealValue(3.141592653589793),
                                           CalcValue::calcValueWithRealValue(-0.0),
                                           CalcValue::calcValueWithRealValue(1e-99),
                                           CalcValue::calcValueWithRealValue(-9.999999999999999e99)));

TEST_F(Store, TheFileLayoutOfValuesIsKept) {
    store_->addOpStepWithCalcValue(u(std::numeric_limits<uint64_t>::max()), OperatorsOperatorAdd, 0);
    store_->addOpStepWithCalcValue(CalcValue::calcValueWithRealValue(2.5), OperatorsOperatorAdd, 1);
    store_->close();
    // An unsigned value with the top bit set is stored as a negative base value; a real leaves it
    // unset.
    EXPECT_EQ(queryInteger(path_, "SELECT baseValue FROM GeneralValue WHERE type = 1"), -1);
    EXPECT_EQ(queryInteger(path_, "SELECT realValue IS NULL FROM GeneralValue WHERE type = 1"), 1);
    EXPECT_EQ(queryInteger(path_, "SELECT baseValue IS NULL FROM GeneralValue WHERE type = 3"), 1);
}

// A stored type that is no kind of value decodes to no value (see the damaged store tests).
TEST_F(Store, AValueOfNoKindCannotBeStored) {
    EXPECT_DEATH(store_->generalValueFromCalcValue(CalcValue::calcValueWithType(CalcValueTypeNone)),
                 "Model/CalcStore: unknown value type");
}

TEST_F(Store, HistoryIndicesStartAtZeroAndAreNeverReused) {
    EXPECT_EQ(store_->nextHistoryStepIndexAndIncrement(), 0);
    EXPECT_EQ(store_->nextHistoryStepIndexAndIncrement(), 1);
    addStep(1, 2);
    store_->deleteAllHistorySteps();
    EXPECT_TRUE(historyIndices().empty());
    reopened();
    addStep(3, 4);
    EXPECT_EQ(historyIndices(), std::vector<int32_t>{3});
}

TEST_F(Store, ARecordedStepCarriesItsValuesStyleAndEmptyTextCaches) {
    store_->addHistoryStepWithCalcValue1(u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleHex);
    store_ = std::make_unique<CalcStore>(path_);  // ends without close, as a killed process would
    EXPECT_TRUE(historyIndices().empty()) << "recording a step does not save it";

    store_->addHistoryStepWithCalcValue1(u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleHex);
    store_->addHistoryStepWithCalcValue1(CalcValue::calcValueWithRealValue(30), OperatorsOperatorSin, std::nullopt,
                                         CalcValue::calcValueWithRealValue(0.5), CalcValueFormatStyleAuto);
    store_->saveChanges();
    reopened();
    HistoryStep* binaryStep = step(0, 0);
    EXPECT_EQ(binaryStep->operatorsOperator(), OperatorsOperatorAdd);
    EXPECT_EQ(binaryStep->error(), 0);
    EXPECT_EQ(binaryStep->textCacheLHS(), "");
    EXPECT_EQ(binaryStep->stringForKey(CalcStoreHistoryStepKeyTextCacheRHS), "");
    EXPECT_EQ(binaryStep->date(), CalcStore::dateQuantizedToToday());
    for (GeneralValue* value :
         {binaryStep->generalValue1(), binaryStep->generalValue2(), binaryStep->generalValueResult()}) {
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->style(), CalcValueFormatStyleHex);
    }
    EXPECT_EQ(CalcStore::calcValueFromGeneralValue(*binaryStep->generalValueResult())->uBaseValue(), 42u);
    EXPECT_EQ(binaryStep->generalValue1()->objectForKey(CalcStoreGeneralValueKeyParentHistoryStepGeneralValue1),
              binaryStep);
    EXPECT_EQ(
        binaryStep->generalValueResult()->objectForKey(CalcStoreGeneralValueKeyParentHistoryStepGeneralValueResult),
        binaryStep);
    EXPECT_EQ(step(0, 1)->generalValue2(), nullptr) << "a unary step has no second operand";
    EXPECT_EQ(countOnDisk("GeneralValue"), 5);
}

TEST_F(Store, OnlyTheLastHundredStepsAreKept) {
    for (uint64_t i = 0; i < 100; ++i) addStep(i, 1);
    EXPECT_EQ(historyIndices().size(), 100u) << "step 99 deletes nothing";
    addStep(100, 1);
    EXPECT_EQ(historyIndices().front(), 1) << "step 100 deletes step 0";
    for (uint64_t i = 101; i < 150; ++i) addStep(i, 1);
    const auto indices = historyIndices();
    ASSERT_EQ(indices.size(), 100u);
    EXPECT_EQ(indices.front(), 50);
    EXPECT_EQ(indices.back(), 149);
    EXPECT_EQ(countOnDisk("GeneralValue"), 300) << "the values of trimmed steps go with them";
}

std::chrono::system_clock::time_point localTime(int day, int hour, int minute) {
    std::tm parts{};
    parts.tm_year = 2026 - 1900;
    parts.tm_mon = 2;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&parts));
}

TEST(StoreDay, StepsOfOneDayShareItsLocalMidnightAndTheNextDayIsAnother) {
    for (const auto& [hour, minute] : {std::pair{0, 0}, {12, 30}, {23, 59}}) {
        EXPECT_EQ(CalcStore::dateQuantizedToDay(localTime(14, hour, minute)), localTime(14, 0, 0)) << hour;
    }
    EXPECT_EQ(CalcStore::dateQuantizedToDay(localTime(15, 0, 1)), localTime(15, 0, 0));
    EXPECT_EQ(CalcStore::dateQuantizedToToday(), CalcStore::dateQuantizedToDay(std::chrono::system_clock::now()));
}

TEST_F(Store, TheHistoryListShowsTheLaterDayFirstAndWithinADayTheOlderStepFirst) {
    for (uint64_t i = 0; i < 4; ++i) addStep(i, 0);
    const ObjectDate today = CalcStore::dateQuantizedToToday();
    const ObjectDate yesterday = CalcStore::dateQuantizedToDay(today - std::chrono::hours(12));
    // Steps 0 and 1 were made yesterday.
    step(0, 0)->setValue(yesterday, CalcStoreHistoryStepKeyDate);
    list_->objectAtIndexPath({0, 1})->setValue(yesterday, CalcStoreHistoryStepKeyDate);
    list_.reset();
    store_->saveChanges();
    reopened();
    EXPECT_EQ(historyIndices(), (std::vector<int32_t>{2, 3, 0, 1}));
    ASSERT_EQ(list_->sections().size(), 2u);
    EXPECT_EQ(list_->sections()[0].sectionValue, ObjectValue(today));
}

TEST_F(Store, OpStepsComeInIndexOrderAndKeepOnlyRealOperators) {
    store_->addOpStepWithCalcValue(u(2), OperatorsOperatorAdd, 2);
    store_->addOpStepWithCalcValue(u(0), OperatorsOperatorNone, 0);
    store_->addOpStepWithCalcValue(u(1), OperatorsOperatorEquals, 1);
    reopened();
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == 3);
    for (int32_t index = 0; index < 3; ++index) EXPECT_EQ((*steps)[index]->index(), index);
    EXPECT_FALSE((*steps)[0]->operatorsOperator().has_value());
    EXPECT_FALSE((*steps)[1]->operatorsOperator().has_value());
    EXPECT_EQ((*steps)[2]->operatorsOperator(), OperatorsOperatorAdd);
}

TEST_F(Store, TheAccumulatorStateIsAbsentUnlessExactlyOneExists) {
    EXPECT_EQ(store_->accumulatorState(), nullptr);
    store_->addAccumulatorState(CalcEngineStateOperatorPending, OperatorsErrorDivideByZero, OperatorsOperatorSubtract,
                                4, 5, true, 16, u(0xff));
    reopened();
    AccumulatorState* state = store_->accumulatorState();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(std::vector<int32_t>({state->state(), state->currError(), state->currOperator(),
                                    state->decimalPointDivider(), state->exponent(), state->numberBase()}),
              std::vector<int32_t>({1, 2, 3, 4, 5, 16}));
    EXPECT_TRUE(state->hasExponent());
    EXPECT_FALSE(state->generalValue()->style().has_value()) << "engine values carry no style";
    store_->addAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorNone, OperatorsOperatorNone, 0, 0, false,
                                10, u(1));
    EXPECT_EQ(store_->accumulatorState(), nullptr);
    store_->deleteAccumulatorState();
    EXPECT_EQ(countOnDisk("AccumulatorState"), 0);
    EXPECT_EQ(rowCount(path_, "GeneralValue"), 0);
}

TEST_F(Store, SaveFailuresOfHistoryAreFatalAndOfTheEngineStateAreLogged) {
    std::string error;
    ASSERT_TRUE(store_->open(&error)) << error;
    ASSERT_TRUE(store_->persistentStoreCoordinator()->database()->execute("PRAGMA query_only = 1", &error));
    LogCapture log;
    store_->addAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorNone, OperatorsOperatorNone, 0, 0, false,
                                10, u(1));
    store_->addOpStepWithCalcValue(u(1), OperatorsOperatorAdd, 0);
    EXPECT_TRUE(log.contains("error saving AccumulatorState"));
    EXPECT_TRUE(log.contains("error saving opStep"));
    store_->addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
    EXPECT_DEATH(store_->saveChanges(), "Model/CalcStore: unable to save history step");
}

TEST_F(Store, CloseAndDeletingEveryObjectOfAnEntitySave) {
    store_->addFavouriteWithCalcValue(u(5), OperatorsOperatorNone, 0, CalcValueFormatStyleDec);
    store_->deleteAllObjects(CalcStoreFavouriteEntityName);
    EXPECT_EQ(countOnDisk("Favourite"), 0);
    store_->addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
    store_->close();
    CalcStore other(path_);
    std::string message;
    ASSERT_TRUE(other.open(&message)) << message;
    EXPECT_EQ(other.historyStepsFetchedResultsController()->numberOfObjects(), 1u);
}

TEST(StoreLocation, TheDefaultFileIsQuilletSqliteInTheApplicationDataFolder) {
    const std::string folder = CalcStore::applicationDocumentsDirectory();
    EXPECT_NE(folder.find("Quillet/Quillet"), std::string::npos) << folder;
    EXPECT_EQ(CalcStore::sharedInstance().storePath(), folder + "/Quillet.sqlite");
}

}  // namespace
