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

TEST_F(Store, ValuesOfEveryKindDecodeToTheIdenticalValueAfterAReopen) {
    const CalcValue values[] = {u(std::numeric_limits<uint64_t>::max()),
                                u(uint64_t{1} << 63),
                                u(0),
                                CalcValue::calcValueWithSBaseValue(std::numeric_limits<int64_t>::min()),
                                CalcValue::calcValueWithSBaseValue(-1),
                                CalcValue::calcValueWithRealValue(3.141592653589793),
                                CalcValue::calcValueWithRealValue(-0.0),
                                CalcValue::calcValueWithRealValue(1e-99),
                                CalcValue::calcValueWithRealValue(-9.999999999999999e99)};
    for (size_t index = 0; index < std::size(values); ++index) {
        store_->addOpStepWithCalcValue(values[index], OperatorsOperatorAdd, static_cast<int32_t>(index));
    }
    reopened();
    const auto steps = store_->opSteps();
    ASSERT_TRUE(steps && steps->size() == std::size(values));
    for (size_t index = 0; index < std::size(values); ++index) {
        const auto decoded = CalcStore::calcValueFromGeneralValue(*(*steps)[index]->generalValue());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->type(), values[index].type());
        EXPECT_EQ(decoded->uBaseValue(), values[index].uBaseValue());
        EXPECT_EQ(std::bit_cast<uint64_t>(decoded->realValue()), std::bit_cast<uint64_t>(values[index].realValue()));
    }
}

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

// Favourites as the numbers stored in their slots: the migration is a rule about those numbers.
std::vector<OperatorsOperator> stored(std::initializer_list<int32_t> numbers) {
    std::vector<OperatorsOperator> operators;
    for (int32_t number : numbers) operators.push_back(*operatorsOperatorFromInt32(number));
    return operators;
}

struct Slot {
    int32_t index;
    OperatorsOperator op;
    std::optional<double> value;
    std::optional<CalcValueFormatStyle> style;
    bool operator==(const Slot&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Slot& slot) {
    return out << "{" << slot.index << ", op " << slot.op << ", value "
               << (slot.value ? std::to_string(*slot.value) : "-") << ", style "
               << (slot.style ? std::to_string(*slot.style) : "-") << "}";
}

class Favourites : public ::testing::Test {
protected:
    std::vector<Slot> storedSlots() {
        std::vector<Slot> result;
        const auto list = store_.favourites();
        EXPECT_TRUE(list.has_value());
        for (Favourite* favourite : list.value_or(std::vector<Favourite*>{})) {
            Slot slot{favourite->index(), favourite->operatorsOperator(), std::nullopt, std::nullopt};
            if (GeneralValue* value = favourite->generalValue()) {
                slot.value = CalcStore::calcValueFromGeneralValue(*value)->realValue();
                slot.style = value->style();
            }
            result.push_back(slot);
        }
        return result;
    }
    std::vector<OperatorsOperator> operators() {
        std::vector<OperatorsOperator> result;
        for (const Slot& slot : storedSlots()) result.push_back(slot.op);
        return result;
    }
    // Operator 0 makes a value slot.
    void setOperators(const std::vector<OperatorsOperator>& ops) {
        for (size_t slot = 0; slot < ops.size(); ++slot) {
            std::optional<CalcValue> value;
            if (ops[slot] == OperatorsOperatorNone) value = CalcValue::calcValueWithRealValue(1.0);
            store_.addFavouriteWithCalcValue(value, ops[slot], static_cast<int32_t>(slot), CalcValueFormatStyleFix);
        }
    }
    std::vector<std::pair<int32_t, OperatorsOperator>> quickList() {
        std::vector<std::pair<int32_t, OperatorsOperator>> result;
        const auto list = store_.quickOperators();
        EXPECT_TRUE(list.has_value());
        for (QuickOperator* entry : list.value_or(std::vector<QuickOperator*>{})) {
            result.emplace_back(entry->index(), entry->operatorsOperator());
        }
        return result;
    }

    TemporaryFolder folder_;
    CalcStore store_{folder_.filePath("Quillet.sqlite")};
};

// Twelve operators, then π, e and 42 shown in Auto.
std::vector<Slot> defaultSlots() {
    const std::vector<OperatorsOperator> ops = stored({9, 10, 12, 13, 43, 22, 23, 26, 28, 29, 8, 44, 0, 0, 0});
    const double values[] = {3.141592653589793, 2.718281828459045, 42.0};
    std::vector<Slot> expected;
    for (int32_t i = 0; i < 12; ++i) expected.push_back({i, ops[i], std::nullopt, std::nullopt});
    for (int32_t i = 12; i < 15; ++i) expected.push_back({i, ops[i], values[i - 12], CalcValueFormatStyleAuto});
    return expected;
}

TEST_F(Favourites, FewerThanFifteenSlotsGetTheDefaultsAndASecondRunChangesNothing) {
    setOperators(std::vector<OperatorsOperator>(10, OperatorsOperatorBitGet));
    store_.createDefaultFavourites();
    EXPECT_EQ(storedSlots(), defaultSlots());
    store_.close();
    store_.createDefaultFavourites();
    EXPECT_EQ(storedSlots(), defaultSlots());
}

TEST_F(Favourites, TypeConversionsGiveWayToTheFirstOperatorsNotYetPresent) {
    const std::pair<std::vector<OperatorsOperator>, std::vector<OperatorsOperator>> rows[] = {
        // No bit operators present; get bit already in slot 0; ->float too; every candidate present already.
        {stored({9, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0}),
         stored({9, 10, 12, 48, 43, 22, 23, 49, 28, 29, 8, 44, 0, 0, 0})},
        {stored({48, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0}),
         stored({48, 10, 12, 49, 43, 22, 23, 50, 28, 29, 8, 44, 0, 0, 0})},
        {stored({18, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0}),
         stored({33, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0})},
        {stored({48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                 18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45}),
         stored({48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                 18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45})},
    };
    for (const auto& [before, after] : rows) {
        store_.deleteAllObjects(CalcStoreFavouriteEntityName);
        setOperators(before);
        store_.createDefaultFavourites();
        EXPECT_EQ(operators(), after);
    }
}

TEST_F(Favourites, AssigningAValueOrAnOperatorReplacesTheSlotAndTheValueItHeld) {
    store_.createDefaultFavourites();
    store_.addFavouriteWithCalcValue(CalcValue::calcValueWithRealValue(1.5), OperatorsOperatorNone, 4,
                                     CalcValueFormatStyleSci);
    store_.addFavouriteWithCalcValue(std::nullopt, OperatorsOperatorAND, 12, CalcValueFormatStyleFix);
    store_.close();
    const auto after = storedSlots();
    ASSERT_EQ(after.size(), 15u);
    EXPECT_EQ(after[4], (Slot{4, OperatorsOperatorNone, 1.5, CalcValueFormatStyleSci}));
    EXPECT_EQ(after[12], (Slot{12, OperatorsOperatorAND, {}, {}}));
    EXPECT_EQ(store_.favourites()->at(4)->generalValue()->objectForKey(CalcStoreGeneralValueKeyParentFavourite),
              store_.favourites()->at(4));
    store_.close();
    EXPECT_EQ(rowCount(folder_.filePath("Quillet.sqlite"), "GeneralValue"), 3);
}

TEST_F(Favourites, DeletingAPositionOutsideTheListDeletesNothing) {
    store_.createDefaultFavourites();
    for (int32_t index : {-1, 15, 1000}) {
        store_.deleteFavouriteWithIndex(index);
        store_.saveChanges();
        EXPECT_EQ(storedSlots().size(), 15u) << index;
    }
    store_.deleteFavouriteWithIndex(14);
    EXPECT_EQ(storedSlots().size(), 14u);
}

TEST_F(Favourites, FindingAnOperatorGivesTheSlotNumberOfTheRecord) {
    setOperators({OperatorsOperatorShiftLeft, OperatorsOperatorShiftRight, OperatorsOperatorShiftLeftN,
                  OperatorsOperatorShiftRightN});
    auto list = *store_.favourites();
    EXPECT_EQ(CalcStore::indexFromOperator(OperatorsOperatorShiftLeftN, list), 2);
    list.erase(list.begin());
    EXPECT_EQ(CalcStore::indexFromOperator(OperatorsOperatorShiftLeftN, list), 2)
        << "the record's slot, not its position";
    EXPECT_EQ(CalcStore::indexFromOperator(OperatorsOperatorSqRoot, list), -1);
    EXPECT_EQ(CalcStore::indexFromOperator(OperatorsOperatorShiftLeft, {}), -1);
}

TEST_F(Favourites, QuickOperatorsKeepTheMostRecentFirstButNoBasicArithmetic) {
    for (OperatorsOperator op :
         {OperatorsOperatorSin, OperatorsOperatorCos, OperatorsOperatorTan, OperatorsOperatorASin, OperatorsOperatorCos,
          OperatorsOperatorAdd, OperatorsOperatorSubtract, OperatorsOperatorMultiply, OperatorsOperatorDivide}) {
        store_.addQuickOperatorWithOperator(op);
    }
    store_.close();
    EXPECT_EQ(quickList(), (std::vector<std::pair<int32_t, OperatorsOperator>>{{0, OperatorsOperatorCos},
                                                                               {1, OperatorsOperatorASin},
                                                                               {2, OperatorsOperatorTan},
                                                                               {3, OperatorsOperatorSin}}));
}

TEST_F(Favourites, TheQuickOperatorListIsLoggedAfterEachChangeOnly) {
    LogCapture log;
    store_.addQuickOperatorWithOperator(OperatorsOperatorAND);
    store_.addQuickOperatorWithOperator(OperatorsOperatorOR);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"[0] AND", "--", "[0] OR", "[1] AND", "--"}));
    store_.addQuickOperatorWithOperator(OperatorsOperatorOR);
    store_.addQuickOperatorWithOperator(OperatorsOperatorAdd);
    EXPECT_EQ(log.lines().size(), 5u) << "an operator already first writes and logs nothing";
}

TEST_F(Favourites, AFavouriteThatCannotBeSavedIsFatal) {
    std::string error;
    ASSERT_TRUE(store_.open(&error)) << error;
    ASSERT_TRUE(store_.persistentStoreCoordinator()->database()->execute("PRAGMA query_only = 1", &error));
    EXPECT_DEATH(store_.addFavouriteWithCalcValue(std::nullopt, OperatorsOperatorAND, 0, CalcValueFormatStyleFix),
                 "Model/CalcStore: error saving favourite");
    EXPECT_DEATH(store_.addQuickOperatorWithOperator(OperatorsOperatorAND),
                 "Model/CalcStore: error saving operator history");
}

}  // namespace
