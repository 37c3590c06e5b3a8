#include <gtest/gtest.h>

#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"
#include "support/EngineDriver.h"
#include "support/WordSizeScope.h"

namespace {

// Two history steps (indices 0 and 1), the default favourites, one quick operator, and a real
// calculation in the middle of its fraction: 2 + 1.5, saved as the app saves it.
void writeSoundStore(const std::string& path) {
    CalcStore store(path);
    store.createDefaultFavourites();
    store.addQuickOperatorWithOperator(OperatorsOperatorAND);
    store.addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(2), u(3), CalcValueFormatStyleDec);
    store.addHistoryStepWithCalcValue1(u(3), OperatorsOperatorFactorial, std::nullopt, u(6), CalcValueFormatStyleDec);
    store.saveChanges();
    CalcEngine engine;
    engine.setAccumulatorCalcValue(CalcValue::calcValueWithType(CalcValueTypeReal));
    pressKeys(engine, "2 + 1 . 5");
    CalcEngineStore::persistCalcEngine(engine, store);
    store.close();
}

struct Outcome {
    CalcValue result;
    size_t favourites = 0;
    size_t historySteps = 0;
};

// Starts as the app and quillet-cli --store do, then uses everything the store hands out the way
// the favourites bar, the history list and the keypad use it.
Outcome useStore(const std::string& path) {
    Outcome outcome;
    CalcStore store(path);
    CalcEngine engine;
    CalcEngineStore::restoreCalcEngine(engine, store);
    pressKeys(engine, "7 =");
    outcome.result = engine.accumulatorCalcValue();

    Operators& operators = Operators::sharedInstance();
    for (const Favourite* favourite : store.favourites().value_or(std::vector<Favourite*>{})) {
        ++outcome.favourites;
        if (const OperatorsOperator op = favourite->operatorsOperator(); op != OperatorsOperatorNone) {
            operators.stringFromOperator(op);
            CalcEngine tapped;
            tapped.enterOperator(op);
        } else if (const GeneralValue* value = favourite->generalValue()) {
            CalcStore::calcValueFromGeneralValue(*value);
        } else {
            ADD_FAILURE() << "a value favourite without a value was handed out";
        }
    }
    store.addQuickOperatorWithOperator(OperatorsOperatorOR);
    const auto history = store.historyStepsFetchedResultsController();
    for (const auto& section : history->sections()) {
        for (const ManagedObject* object : section.objects) {
            const auto* step = static_cast<const HistoryStep*>(object);
            ++outcome.historySteps;
            operators.stringFromOperator(step->operatorsOperator());
            for (const GeneralValue* value :
                 {step->generalValue1(), step->generalValue2(), step->generalValueResult()}) {
                if (value) CalcStore::calcValueFromGeneralValue(*value);
            }
        }
    }
    store.addHistoryStepWithCalcValue1(u(4), OperatorsOperatorAdd, u(4), u(8), CalcValueFormatStyleDec);
    store.saveChanges();
    store.close();
    return outcome;
}

struct DamageRow {
    const char* name;
    const char* damage;  // SQL run on the sound store file
    const char* logged;
    size_t favourites = 15;
    size_t historySteps = 2;
};

void PrintTo(const DamageRow& row, std::ostream* out) { *out << row.name; }

class DamagedStore : public ::testing::TestWithParam<DamageRow> {
protected:
    WordSizeScope wordSize_{32};
};

TEST_P(DamagedStore, AnImpossibleRecordIsLoggedAndLeftOutAndNothingElseChanges) {
    const DamageRow& row = GetParam();
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    writeSoundStore(path);
    ASSERT_TRUE(executeSql(path, row.damage));

    LogCapture log;
    const Outcome outcome = useStore(path);
    EXPECT_TRUE(log.contains(row.logged)) << "nothing logged about '" << row.logged << "'";
    // Damage to the saved calculation drops it whole and the engine starts afresh; damage
    // elsewhere leaves it alone.
    const std::string damage = row.damage;
    if (damage.find("AccumulatorState") == std::string::npos && damage.find("OpStep") == std::string::npos) {
        ASSERT_EQ(outcome.result.type(), CalcValueTypeReal);
        EXPECT_DOUBLE_EQ(outcome.result.realValue(), 3.57) << "2 + 1.57";
    } else {
        EXPECT_TRUE(outcome.result.isEqualToCalcValue(u(7))) << "a fresh engine: " << outcome.result.description();
    }
    EXPECT_EQ(outcome.favourites, row.favourites);
    EXPECT_EQ(outcome.historySteps, row.historySteps);
    EXPECT_EQ(rowCount(path, "Favourite"), 15);
    EXPECT_EQ(rowCount(path, "HistoryStep"), 3);
    EXPECT_EQ(queryInteger(path, "SELECT count(DISTINCT \"index\") FROM HistoryStep"), 3) << "an index was reused";
    EXPECT_EQ(rowCount(path, "QuickOperator"), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedStore,
    ::testing::Values(
        DamageRow{"state", "UPDATE AccumulatorState SET state = 7", "state 7"},
        DamageRow{"negativeState", "UPDATE AccumulatorState SET state = -1", "state -1"},
        DamageRow{"numberBase", "UPDATE AccumulatorState SET numberBase = 7", "number base 7"},
        DamageRow{"pendingOperator", "UPDATE AccumulatorState SET currOperator = 46", "operator 46"},
        DamageRow{"unaryPendingOperator", "UPDATE AccumulatorState SET currOperator = 6", "operator 6"},
        DamageRow{"error", "UPDATE AccumulatorState SET currError = 9", "error 9"},
        DamageRow{"exponent", "UPDATE AccumulatorState SET hasExponent = 1, exponent = 100", "exponent 100"},
        DamageRow{"divider", "UPDATE AccumulatorState SET decimalPointDivider = 3", "decimal point divider 3"},
        DamageRow{"accumulatorType",
                  "UPDATE GeneralValue SET type = 9 WHERE Z_PK = (SELECT generalValue FROM AccumulatorState)",
                  "type 9"},
        DamageRow{"accumulatorWithoutValue", "UPDATE AccumulatorState SET generalValue = NULL", "no value"},
        DamageRow{"infiniteAccumulator",
                  "UPDATE GeneralValue SET realValue = 9e999 WHERE Z_PK = (SELECT generalValue FROM AccumulatorState)",
                  "real value inf"},
        DamageRow{"infiniteFavourite",
                  "UPDATE GeneralValue SET realValue = -9e999 WHERE Z_PK = "
                  "(SELECT generalValue FROM Favourite WHERE \"index\" = 12)",
                  "real value -inf", 14},
        DamageRow{"historyCounterAtTheLargestIndex", "UPDATE GlobalData SET nextHistoryStepIndex = 2147483647",
                  "numbered afresh"},
        DamageRow{"quickOperatorAtTheLargestIndex", "UPDATE QuickOperator SET \"index\" = 2147483647",
                  "[2147483647] AND"},
        DamageRow{"stackEntryWithoutValue", "UPDATE OpStep SET generalValue = NULL", "no value"},
        DamageRow{"stackOperator", "UPDATE OpStep SET operator = 99", "operator 99"},
        DamageRow{"stackUnaryOperator", "UPDATE OpStep SET operator = 31", "operator 31"},
        DamageRow{"stackValueType", "UPDATE GeneralValue SET type = 0 WHERE Z_PK = (SELECT generalValue FROM OpStep)",
                  "type 0"},
        DamageRow{"favouriteOperator", "UPDATE Favourite SET operator = 99 WHERE \"index\" = 3", "operator 99", 14},
        DamageRow{"favouriteEquals", "UPDATE Favourite SET operator = 1 WHERE \"index\" = 3", "operator 1", 14},
        DamageRow{
            "favouriteValueType",
            "UPDATE GeneralValue SET type = 9 WHERE Z_PK = (SELECT generalValue FROM Favourite WHERE \"index\" = 12)",
            "type 9", 14},
        DamageRow{"favouriteWithoutValue", "UPDATE Favourite SET generalValue = NULL WHERE \"index\" = 13", "no value",
                  14},
        DamageRow{"everyFavourite", "UPDATE Favourite SET operator = 99", "operator 99", 0},
        DamageRow{"quickOperator", "UPDATE QuickOperator SET operator = 99", "operator 99"},
        DamageRow{"historyOperator", "UPDATE HistoryStep SET operator = 99 WHERE \"index\" = 0", "operator 99", 15, 1},
        DamageRow{"historyValueType",
                  "UPDATE GeneralValue SET type = 9 WHERE Z_PK = "
                  "(SELECT generalValueResult FROM HistoryStep WHERE \"index\" = 1)",
                  "type 9", 15, 1},
        DamageRow{"historyWithoutOperand", "UPDATE HistoryStep SET generalValue1 = NULL WHERE \"index\" = 1",
                  "no value", 15, 1},
        DamageRow{"twoCounters", "INSERT INTO GlobalData (nextHistoryStepIndex) VALUES (0)",
                  "more than 1 global data object"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
