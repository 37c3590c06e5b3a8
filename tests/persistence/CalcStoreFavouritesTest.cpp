#include <gtest/gtest.h>

#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"

namespace {

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

INSTANTIATE_TEST_SUITE_P(
    Cases, FavouritesMigration,
    ::testing::Values(
        MigrationRow{"noBitOperatorsPresent", stored({9, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0}),
                     stored({9, 10, 12, 48, 43, 22, 23, 49, 28, 29, 8, 44, 0, 0, 0})},
        MigrationRow{"getBitAlreadyInSlotZero", stored({48, 10, 12, 19, 43, 22, 23, 20, 28, 29, 8, 44, 0, 0, 0}),
                     stored({48, 10, 12, 49, 43, 22, 23, 50, 28, 29, 8, 44, 0, 0, 0})},
        MigrationRow{"toRealToo", stored({18, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0}),
                     stored({33, 48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 0})},
        MigrationRow{"everyCandidatePresentAlready", stored({48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                                                             18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45}),
                     stored({48, 49, 50, 11, 12, 13, 14, 15, 16, 17, 30, 31, 32, 33,
                             18, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45})}),
    [](const auto& row) { return std::string(row.param.name); });

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
