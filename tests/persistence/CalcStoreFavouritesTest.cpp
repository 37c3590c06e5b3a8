#include <gtest/gtest.h>

#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"

namespace {

constexpr OperatorsOperator opAdd = 2;
constexpr OperatorsOperator opAnd = 22;
constexpr OperatorsOperator opOr = 23;

struct Slot {
    int32_t index;
    OperatorsOperator op;
    std::optional<double> value;
    std::optional<int32_t> style;
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
    void setOperators(const std::vector<OperatorsOperator>& ops) {
        for (size_t slot = 0; slot < ops.size(); ++slot) {
            store_.addFavouriteWithCalcValue(std::nullopt, ops[slot], static_cast<int32_t>(slot), 0);
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

const std::vector<Slot> defaultSlots = {
    {0, 9, {}, {}},
    {1, 10, {}, {}},
    {2, 12, {}, {}},
    {3, 13, {}, {}},
    {4, 43, {}, {}},
    {5, 22, {}, {}},
    {6, 23, {}, {}},
    {7, 26, {}, {}},
    {8, 28, {}, {}},
    {9, 29, {}, {}},
    {10, 8, {}, {}},
    {11, 44, {}, {}},
    {12, 0, 3.141592653589793, 3},
    {13, 0, 2.718281828459045, 3},
    {14, 0, 42.0, 3},
};

TEST_F(Favourites, AnEmptyStoreGetsTheFifteenDefaultsAndASecondRunChangesNothing) {
    store_.createDefaultFavourites();
    EXPECT_EQ(storedSlots(), defaultSlots);
    store_.close();
    store_.createDefaultFavourites();
    EXPECT_EQ(storedSlots(), defaultSlots);
}

TEST_F(Favourites, AStoreWithFewerThanFifteenSlotsGetsEverySlotRewritten) {
    setOperators({48, 48, 48, 48, 48, 48, 48, 48, 48, 48});
    store_.createDefaultFavourites();
    EXPECT_EQ(storedSlots(), defaultSlots);
}

struct MigrationRow {
    const char* name;
    std::vector<OperatorsOperator> before;
    std::vector<OperatorsOperator> after;
};

class FavouritesMigration : public Favourites, public ::testing::WithParamInterface<MigrationRow> {};

TEST_P(FavouritesMigration, TypeConversionsGiveWayToTheFirstOperatorsNotYetPresent) {
    setOperators(GetParam().before);
    store_.createDefaultFavourites();
    EXPECT_EQ(operators(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, FavouritesMigration,
                         ::testing::Values(MigrationRow{"noBitOperatorsPresent",
                                                        {9, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0},
                                                        {9, 10, 12, 48, 43, 22, 23, 49, 28, 29, 8, 44, 0, 0, 0}},
                                           MigrationRow{"getBitAlreadyInSlotZero",
                                                        {48, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0},
                                                        {48, 10, 12, 49, 43, 22, 23, 50, 28, 29, 8, 44, 0, 0, 0}},
                                           MigrationRow{"toRealToo",
                                                        {18, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0},
                                                        {33, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0}},
                                           MigrationRow{"everyCandidatePresentAlready",
                                                        {48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                                                         18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45},
                                                        {48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                                                         18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Favourites, AssigningAValueReplacesTheOperatorOfTheSlot) {
    store_.createDefaultFavourites();
    store_.addFavouriteWithCalcValue(CalcValue::calcValueWithRealValue(1.5), 0, 4, 2);
    store_.close();
    const auto after = storedSlots();
    ASSERT_EQ(after.size(), 15u);
    EXPECT_EQ(after[4], (Slot{4, 0, 1.5, 2}));
    EXPECT_EQ(store_.favourites()->at(4)->generalValue()->objectForKey(CalcStoreGeneralValueKeyParentFavourite),
              store_.favourites()->at(4));
}

TEST_F(Favourites, ReplacingASlotDeletesTheValueItHeld) {
    store_.createDefaultFavourites();
    store_.addFavouriteWithCalcValue(std::nullopt, opAnd, 12, 0);
    store_.close();
    EXPECT_EQ(queryInteger(folder_.filePath("Quillet.sqlite"), "SELECT count(*) FROM GeneralValue"), 2);
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
    setOperators({9, 10, 12, 13});
    auto list = *store_.favourites();
    EXPECT_EQ(CalcStore::indexFromOperator(12, list), 2);
    list.erase(list.begin());
    EXPECT_EQ(CalcStore::indexFromOperator(12, list), 2) << "the record's slot, not its position";
    EXPECT_EQ(CalcStore::indexFromOperator(44, list), -1);
    EXPECT_EQ(CalcStore::indexFromOperator(9, {}), -1);
}

TEST_F(Favourites, QuickOperatorsKeepTheMostRecentFirst) {
    store_.addQuickOperatorWithOperator(opAnd);
    store_.addQuickOperatorWithOperator(opOr);
    store_.addQuickOperatorWithOperator(opAnd);
    store_.close();
    EXPECT_EQ(quickList(), (std::vector<std::pair<int32_t, OperatorsOperator>>{{0, opAnd}, {1, opOr}}));
}

TEST_F(Favourites, MovingAnOperatorToTheFrontLeavesTheEntriesAfterItAlone) {
    for (OperatorsOperator op : {30, 31, 32, 33}) store_.addQuickOperatorWithOperator(op);
    store_.addQuickOperatorWithOperator(31);
    EXPECT_EQ(quickList(), (std::vector<std::pair<int32_t, OperatorsOperator>>{{0, 31}, {1, 33}, {2, 32}, {3, 30}}));
}

TEST_F(Favourites, BasicArithmeticIsNotAQuickOperator) {
    store_.addQuickOperatorWithOperator(opAnd);
    for (OperatorsOperator op : {2, 3, 4, 5}) store_.addQuickOperatorWithOperator(op);
    EXPECT_EQ(quickList(), (std::vector<std::pair<int32_t, OperatorsOperator>>{{0, opAnd}}));
}

TEST_F(Favourites, TheQuickOperatorListIsLoggedAfterEachChangeOnly) {
    LogCapture log;
    store_.addQuickOperatorWithOperator(opAnd);
    store_.addQuickOperatorWithOperator(opOr);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"[0] AND", "--", "[0] OR", "[1] AND", "--"}));
    store_.addQuickOperatorWithOperator(opOr);
    store_.addQuickOperatorWithOperator(opAdd);
    EXPECT_EQ(log.lines().size(), 5u) << "an operator already first writes and logs nothing";
}

TEST_F(Favourites, AFavouriteThatCannotBeSavedIsFatal) {
    std::string error;
    ASSERT_TRUE(store_.open(&error)) << error;
    ASSERT_TRUE(store_.persistentStoreCoordinator()->database()->execute("PRAGMA query_only = 1", &error));
    EXPECT_DEATH(store_.addFavouriteWithCalcValue(std::nullopt, opAnd, 0, 0),
                 "Model/CalcStore: error saving favourite");
    EXPECT_DEATH(store_.addQuickOperatorWithOperator(opAnd), "Model/CalcStore: error saving operator history");
}

}  // namespace
