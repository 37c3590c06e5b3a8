#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <ctime>
#include <limits>

#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"

namespace {

CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }

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
    std::vector<int32_t> historyIndices() {
        auto list = store_->historyStepsFetchedResultsController();
        std::vector<int32_t> indices;
        for (const auto& section : list->sections()) {
            for (ManagedObject* step : section.objects) indices.push_back(static_cast<HistoryStep*>(step)->index());
        }
        return indices;
    }
    long long countOnDisk(const std::string& entity) {
        store_->close();
        return queryInteger(path_, "SELECT count(*) FROM " + entity);
    }

    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("Quillet.sqlite");
    std::unique_ptr<CalcStore> store_ = std::make_unique<CalcStore>(path_);
};

struct ValueRow {
    const char* name;
    CalcValue value;
};

class StoreValueEncoding : public Store, public ::testing::WithParamInterface<ValueRow> {};

TEST_P(StoreValueEncoding, DecodesToTheIdenticalValueAfterAReopen) {
    const CalcValue value = GetParam().value;
    store_->addOpStepWithCalcValue(value, OperatorsOperatorAdd, 0);
    reopened();
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == 1);
    const auto decoded = CalcStore::calcValueFromGeneralValue(*steps->front()->generalValue());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->type(), value.type());
    EXPECT_EQ(decoded->uBaseValue(), value.uBaseValue());
    EXPECT_EQ(decoded->sBaseValue(), value.sBaseValue());
    EXPECT_EQ(std::bit_cast<uint64_t>(decoded->realValue()), std::bit_cast<uint64_t>(value.realValue()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, StoreValueEncoding,
    ::testing::Values(
        ValueRow{"unsignedAllBitsSet", u(std::numeric_limits<uint64_t>::max())},
        ValueRow{"unsignedTopBit", u(uint64_t{1} << 63)}, ValueRow{"unsignedZero", u(0)},
        ValueRow{"signedMinimum", CalcValue::calcValueWithSBaseValue(std::numeric_limits<int64_t>::min())},
        ValueRow{"signedMaximum", CalcValue::calcValueWithSBaseValue(std::numeric_limits<int64_t>::max())},
        ValueRow{"signedMinusOne", CalcValue::calcValueWithSBaseValue(-1)},
        ValueRow{"realPi", CalcValue::calcValueWithRealValue(3.141592653589793)},
        ValueRow{"realNegativeZero", CalcValue::calcValueWithRealValue(-0.0)},
        ValueRow{"realTiny", CalcValue::calcValueWithRealValue(1e-99)},
        ValueRow{"realHuge", CalcValue::calcValueWithRealValue(-9.999999999999999e99)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Store, AnUnsignedValueWithTheTopBitSetIsStoredAsANegativeBaseValue) {
    store_->addOpStepWithCalcValue(u(std::numeric_limits<uint64_t>::max()), OperatorsOperatorAdd, 0);
    store_->close();
    EXPECT_EQ(queryInteger(path_, "SELECT baseValue FROM GeneralValue"), -1);
    EXPECT_EQ(queryInteger(path_, "SELECT realValue IS NULL FROM GeneralValue"), 1);
}

TEST_F(Store, ARealValueLeavesTheBaseValueUnset) {
    store_->addOpStepWithCalcValue(CalcValue::calcValueWithRealValue(2.5), OperatorsOperatorAdd, 0);
    store_->close();
    EXPECT_EQ(queryInteger(path_, "SELECT baseValue IS NULL FROM GeneralValue"), 1);
    EXPECT_EQ(queryInteger(path_, "SELECT type FROM GeneralValue"), 3);
}

TEST_F(Store, EncodingAValueWithoutATypeIsFatal) {
    EXPECT_DEATH(store_->generalValueFromCalcValue(CalcValue::calcValueWithType(CalcValueTypeNone)),
                 "Model/CalcStore: unknown value type");
}

// The type comes from the file: one that is no kind of value decodes to no value.
TEST_F(Store, AStoredValueOfNoKindDecodesToNoValue) {
    GeneralValue* generalValue = store_->generalValueFromCalcValue(u(1));
    for (int32_t type : {0, 4, 9, -1}) {
        generalValue->setValue(type, CalcStoreGeneralValueKeyType);
        EXPECT_FALSE(CalcStore::calcValueFromGeneralValue(*generalValue)) << type;
    }
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

TEST_F(Store, OfSeveralHistoryCountersTheLargestGoesOn) {
    for (int32_t next : {3, 7, 5}) {
        static_cast<GlobalData*>(
            store_->managedObjectContext()->insertNewObjectForEntityForName(CalcStoreGlobalDataEntityName))
            ->setNextHistoryStepIndex(next);
    }
    LogCapture log;
    EXPECT_EQ(store_->nextHistoryStepIndexAndIncrement(), 7);
    EXPECT_EQ(store_->nextHistoryStepIndexAndIncrement(), 8);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(Store, ARecordedStepCarriesItsValuesStyleAndEmptyTextCaches) {
    store_->addHistoryStepWithCalcValue1(u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleHex);
    store_ = std::make_unique<CalcStore>(path_);  // ends without close, as a killed process would
    EXPECT_TRUE(historyIndices().empty()) << "recording a step does not save it";

    store_->addHistoryStepWithCalcValue1(u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleHex);
    store_->saveChanges();
    reopened();
    auto list = store_->historyStepsFetchedResultsController();
    ASSERT_EQ(list->numberOfObjects(), 1u);
    auto* step = static_cast<HistoryStep*>(list->objectAtIndexPath({0, 0}));
    EXPECT_EQ(step->operatorsOperator(), OperatorsOperatorAdd);
    EXPECT_EQ(step->error(), 0);
    EXPECT_EQ(step->stringForKey(CalcStoreHistoryStepKeyTextCacheLHS), "");
    EXPECT_EQ(step->stringForKey(CalcStoreHistoryStepKeyTextCacheRHS), "");
    EXPECT_EQ(step->date(), CalcStore::dateQuantizedToToday());
    for (GeneralValue* value : {step->generalValue1(), step->generalValue2(), step->generalValueResult()}) {
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->style(), CalcValueFormatStyleHex);
    }
    EXPECT_EQ(CalcStore::calcValueFromGeneralValue(*step->generalValueResult())->uBaseValue(), 42u);
    EXPECT_EQ(step->generalValue1()->objectForKey(CalcStoreGeneralValueKeyParentHistoryStepGeneralValue1), step);
    EXPECT_EQ(step->generalValueResult()->objectForKey(CalcStoreGeneralValueKeyParentHistoryStepGeneralValueResult),
              step);
}

TEST_F(Store, AUnaryStepHasNoSecondOperand) {
    store_->addHistoryStepWithCalcValue1(CalcValue::calcValueWithRealValue(30), OperatorsOperatorSin, std::nullopt,
                                         CalcValue::calcValueWithRealValue(0.5), CalcValueFormatStyleAuto);
    store_->saveChanges();
    reopened();
    auto list = store_->historyStepsFetchedResultsController();
    auto* step = static_cast<HistoryStep*>(list->objectAtIndexPath({0, 0}));
    EXPECT_EQ(step->generalValue2(), nullptr);
    EXPECT_EQ(step->generalValue1()->realValue(), 30.0);
    EXPECT_EQ(countOnDisk("GeneralValue"), 2);
}

TEST_F(Store, TextCachesBecomeDurableWithTheNextSave) {
    addStep(1, 1);
    auto list = store_->historyStepsFetchedResultsController();
    static_cast<HistoryStep*>(list->objectAtIndexPath({0, 0}))->setTextCacheLHS("1 + 1 = ");
    list.reset();
    store_->saveChanges();
    reopened();
    list = store_->historyStepsFetchedResultsController();
    EXPECT_EQ(static_cast<HistoryStep*>(list->objectAtIndexPath({0, 0}))->textCacheLHS(), "1 + 1 = ");
}

TEST_F(Store, OnlyTheLastHundredStepsAreKept) {
    for (uint64_t i = 0; i < 100; ++i) addStep(i, 1);
    EXPECT_EQ(historyIndices().size(), 100u) << "step 99 deletes nothing";
    addStep(100, 1);
    const auto afterStep100 = historyIndices();
    ASSERT_EQ(afterStep100.size(), 100u);
    EXPECT_EQ(afterStep100.front(), 1) << "step 100 deletes step 0";
    for (uint64_t i = 101; i < 150; ++i) addStep(i, 1);
    const auto indices = historyIndices();
    ASSERT_EQ(indices.size(), 100u);
    EXPECT_EQ(indices.front(), 50);
    EXPECT_EQ(indices.back(), 149);
    EXPECT_EQ(countOnDisk("GeneralValue"), 300) << "the values of trimmed steps go with them";
}

std::time_t localTime(int year, int month, int day, int hour, int minute) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

TEST(StoreDay, StepsOfOneDayShareItsLocalMidnightAndTheNextDayIsAnother) {
    const auto day = [](std::time_t time) {
        return CalcStore::dateQuantizedToDay(std::chrono::system_clock::from_time_t(time));
    };
    const auto midnight = std::chrono::system_clock::from_time_t(localTime(2026, 3, 14, 0, 0));
    EXPECT_EQ(day(localTime(2026, 3, 14, 0, 0)), midnight);
    EXPECT_EQ(day(localTime(2026, 3, 14, 12, 30)), midnight);
    EXPECT_EQ(day(localTime(2026, 3, 14, 23, 59)), midnight);
    EXPECT_EQ(day(localTime(2026, 3, 15, 0, 1)), std::chrono::system_clock::from_time_t(localTime(2026, 3, 15, 0, 0)));
    EXPECT_EQ(CalcStore::dateQuantizedToToday(), day(std::time(nullptr)));
}

TEST_F(Store, TheHistoryListShowsTheLaterDayFirstAndWithinADayTheOlderStepFirst) {
    for (uint64_t i = 0; i < 4; ++i) addStep(i, 0);
    const ObjectDate today = CalcStore::dateQuantizedToToday();
    const ObjectDate yesterday = CalcStore::dateQuantizedToDay(today - std::chrono::hours(12));
    {
        auto list = store_->historyStepsFetchedResultsController();
        // Steps 0 and 1 were made yesterday.
        for (size_t row : {0u, 1u}) list->objectAtIndexPath({0, row})->setValue(yesterday, CalcStoreHistoryStepKeyDate);
    }
    store_->saveChanges();
    reopened();
    auto list = store_->historyStepsFetchedResultsController();
    ASSERT_EQ(list->sections().size(), 2u);
    EXPECT_EQ(list->sections()[0].sectionValue, ObjectValue(today));
    EXPECT_EQ(static_cast<HistoryStep*>(list->objectAtIndexPath({0, 0}))->index(), 2);
    EXPECT_EQ(static_cast<HistoryStep*>(list->objectAtIndexPath({0, 1}))->index(), 3);
    EXPECT_EQ(static_cast<HistoryStep*>(list->objectAtIndexPath({1, 0}))->index(), 0);
    EXPECT_EQ(static_cast<HistoryStep*>(list->objectAtIndexPath({1, 1}))->index(), 1);
}

class HistoryChanges : public FetchedResultsControllerDelegate {
public:
    void controllerWillChangeContent(FetchedResultsController&) override { events.push_back("will"); }
    void controllerDidChangeSection(FetchedResultsController&, size_t section, FetchedResultsChangeType type) override {
        events.push_back((type == FetchedResultsChangeType::Insert ? "+section " : "-section ") +
                         std::to_string(section));
    }
    void controllerDidChangeObject(FetchedResultsController&, ManagedObject*, IndexPath path,
                                   FetchedResultsChangeType type) override {
        events.push_back((type == FetchedResultsChangeType::Insert ? "+row " : "-row ") + std::to_string(path.section) +
                         "." + std::to_string(path.row));
    }
    void controllerDidChangeContent(FetchedResultsController&) override { events.push_back("did"); }
    std::vector<std::string> events;
};

TEST_F(Store, TheLiveHistoryListReportsNewStepsAndAClearedHistory) {
    auto list = store_->historyStepsFetchedResultsController();
    ASSERT_NE(list, nullptr);
    HistoryChanges changes;
    list->setDelegate(&changes);
    addStep(1, 2);
    EXPECT_EQ(changes.events, (std::vector<std::string>{"will", "+section 0", "+row 0.0", "did"}));
    changes.events.clear();
    addStep(3, 4);
    EXPECT_EQ(changes.events, (std::vector<std::string>{"will", "+row 0.1", "did"}));
    changes.events.clear();
    store_->deleteAllHistorySteps();
    EXPECT_EQ(changes.events, (std::vector<std::string>{"will", "-section 0", "-row 0.0", "-row 0.1", "did"}));
    EXPECT_EQ(list->numberOfObjects(), 0u);
}

TEST_F(Store, AnOpStepKeepsItsOperatorOnlyWhenItIsARealOperator) {
    store_->addOpStepWithCalcValue(u(1), OperatorsOperatorNone, 0);
    store_->addOpStepWithCalcValue(u(2), OperatorsOperatorEquals, 1);
    store_->addOpStepWithCalcValue(u(3), OperatorsOperatorAdd, 2);
    reopened();
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == 3);
    EXPECT_FALSE((*steps)[0]->operatorsOperator().has_value());
    EXPECT_FALSE((*steps)[1]->operatorsOperator().has_value());
    EXPECT_EQ((*steps)[2]->operatorsOperator(), OperatorsOperatorAdd);
    EXPECT_EQ((*steps)[2]->index(), 2);
}

TEST_F(Store, OpStepsComeInIndexOrder) {
    for (int32_t index : {2, 0, 1})
        store_->addOpStepWithCalcValue(u(static_cast<uint64_t>(index)), OperatorsOperatorMultiply, index);
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps);
    std::vector<int32_t> indices;
    for (auto* step : *steps) indices.push_back(step->index());
    EXPECT_EQ(indices, (std::vector<int32_t>{0, 1, 2}));
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
    EXPECT_EQ(queryInteger(path_, "SELECT count(*) FROM GeneralValue"), 0);
}

TEST_F(Store, ASaveThatFailsInSaveChangesIsFatal) {
    store_->addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
    std::string error;
    ASSERT_TRUE(store_->persistentStoreCoordinator()->database()->execute("PRAGMA query_only = 1", &error));
    EXPECT_DEATH(store_->saveChanges(), "Model/CalcStore: unable to save history step");
}

TEST_F(Store, SaveFailuresOfTheEngineStateAreLoggedAndTheProgramGoesOn) {
    std::string error;
    ASSERT_TRUE(store_->open(&error)) << error;
    ASSERT_TRUE(store_->persistentStoreCoordinator()->database()->execute("PRAGMA query_only = 1", &error));
    LogCapture log;
    store_->addAccumulatorState(CalcEngineStateEnteringValue, OperatorsErrorNone, OperatorsOperatorNone, 0, 0, false,
                                10, u(1));
    store_->addOpStepWithCalcValue(u(1), OperatorsOperatorAdd, 0);
    EXPECT_TRUE(log.contains("error saving AccumulatorState"));
    EXPECT_TRUE(log.contains("error saving opStep"));
}

TEST_F(Store, CloseSavesPendingChangesAndReleasesTheFile) {
    store_->addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(1), u(2), CalcValueFormatStyleDec);
    store_->close();
    CalcStore other(path_);
    std::string message;
    ASSERT_TRUE(other.open(&message)) << message;
    EXPECT_EQ(other.historyStepsFetchedResultsController()->numberOfObjects(), 1u);
}

TEST_F(Store, DeletingEveryObjectOfAnEntitySavesAtOnce) {
    store_->addFavouriteWithCalcValue(u(5), OperatorsOperatorNone, 0, CalcValueFormatStyleDec);
    store_->deleteAllObjects(CalcStoreFavouriteEntityName);
    EXPECT_EQ(countOnDisk("Favourite"), 0);
    EXPECT_EQ(queryInteger(path_, "SELECT count(*) FROM GeneralValue"), 0);
}

TEST(StoreLocation, TheDefaultFileIsQuilletSqliteInTheApplicationDataFolder) {
    const std::string folder = CalcStore::applicationDocumentsDirectory();
    EXPECT_NE(folder.find("Quillet/Quillet"), std::string::npos) << folder;
    EXPECT_EQ(CalcStore::sharedInstance().storePath(), folder + "/Quillet.sqlite");
    EXPECT_EQ(&CalcStore::sharedInstance(), &CalcStore::sharedInstance());
}

}  // namespace
