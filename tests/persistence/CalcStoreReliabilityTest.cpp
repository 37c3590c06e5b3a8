#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"
#include "support/EngineDriver.h"
#include "support/WordSizeScope.h"

namespace {

void createStoreWithOneStep(const std::string& path) {
    CalcStore store(path);
    store.addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(2), u(3), CalcValueFormatStyleDec);
    store.close();
}

// The index of the step saved last, from the store's counter.
int32_t lastSavedIndex(CalcStore& store) {
    std::string error;
    const auto records = store.managedObjectContext()->executeFetchRequest(
        {std::string(CalcStoreGlobalDataEntityName), nullptr, {}}, &error);
    return static_cast<GlobalData*>(records->front())->nextHistoryStepIndex() - 1;
}

// The body of a child process: adds steps (and now and then saves an engine with a stack) until
// it is killed, reporting on the pipe the index of every step whose save has returned.
[[noreturn]] void writeStepsUntilKilled(const std::string& path, int reportPipe) {
    CalcStore store(path);
    std::string message;
    if (!store.open(&message)) _exit(3);
    CalcEngine engine;
    engine.appendStack({OperatorsOperatorAdd, u(1)});
    engine.appendStack({OperatorsOperatorAdd, u(2)});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (uint64_t i = 0; std::chrono::steady_clock::now() < deadline; ++i) {
        store.addHistoryStepWithCalcValue1(u(i), OperatorsOperatorAdd, u(1), u(i + 1), CalcValueFormatStyleDec);
        store.saveChanges();
        const int32_t index = lastSavedIndex(store);
        if (write(reportPipe, &index, sizeof index) != sizeof index) _exit(4);
        if (i % 5 == 0) {
            engine.setAccumulatorCalcValue(u(i));
            CalcEngineStore::persistCalcEngine(engine, store);
        }
    }
    _exit(0);
}

TEST(StoreDurability, KillingAWriterAtAnyMomentNeverDamagesTheFileNorLosesASavedStep) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMs(0, 200);
    int roundsWithSteps = 0;
    int32_t largestSaved = -1;
    for (int round = 0; round < 50; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            writeStepsUntilKilled(path, fds[1]);
        }
        close(fds[1]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own with " << WEXITSTATUS(status);

        int32_t reported = -1;
        int32_t index = 0;
        while (read(fds[0], &index, sizeof index) == sizeof index) reported = index;
        close(fds[0]);
        if (reported >= 0) {
            ++roundsWithSteps;
            largestSaved = reported;
        }
        if (!std::filesystem::exists(path)) continue;

        ASSERT_EQ(integrityCheck(path), "ok") << "round " << round;
        if (queryInteger(path, "SELECT count(*) FROM sqlite_master WHERE name = 'HistoryStep'") == 0) {
            // Killed while the first writer was still laying out the file.
            EXPECT_LT(largestSaved, 0);
            continue;
        }
        if (largestSaved >= 0) {
            EXPECT_EQ(queryInteger(
                          path, "SELECT count(*) FROM HistoryStep WHERE \"index\" = " + std::to_string(largestSaved)),
                      1)
                << "round " << round << ": step " << largestSaved << " was saved before the kill";
        }
        EXPECT_LE(queryInteger(path, "SELECT count(*) FROM HistoryStep"), 100);
        // Every stored value still has its owner: no save was ever half written.
        EXPECT_EQ(queryInteger(path, "SELECT count(*) FROM GeneralValue"),
                  queryInteger(path,
                               "SELECT 3 * (SELECT count(*) FROM HistoryStep) + (SELECT count(*) FROM OpStep) + "
                               "(SELECT count(*) FROM AccumulatorState)"))
            << "round " << round;
    }
    EXPECT_GE(roundsWithSteps, 20) << "too few rounds reached a save to prove anything";
}

TEST(StoreLock, ASecondProcessIsToldTheStoreIsInUseAndChangesNothing) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    createStoreWithOneStep(path);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        close(fds[0]);
        CalcStore store(path);
        std::string message;
        const char ready = store.open(&message) ? 'y' : 'n';
        if (write(fds[1], &ready, 1) != 1) _exit(4);
        pause();
        _exit(0);
    }
    close(fds[1]);
    char ready = 0;
    ASSERT_EQ(read(fds[0], &ready, 1), 1);
    close(fds[0]);
    ASSERT_EQ(ready, 'y');
    const std::string before = fileContents(path);

    {
        CalcStore second(path);
        std::string message;
        EXPECT_FALSE(second.open(&message));
        EXPECT_NE(message.find("store is in use by another Quillet process"), std::string::npos) << message;
        EXPECT_DEATH(second.managedObjectContext(), "store is in use by another Quillet process");
    }
    EXPECT_TRUE(fileContents(path) == before) << "the file was changed";
    EXPECT_EQ(QDir(QString::fromStdString(folder.path())).entryList({"*unreadable*"}).size(), 0);

    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    CalcStore after(path);
    std::string message;
    ASSERT_TRUE(after.open(&message)) << message;
    EXPECT_EQ(after.historyStepsFetchedResultsController()->numberOfObjects(), 1u);
}

TEST(StoreLock, TheSameFileCannotBeOpenedTwiceInOneProcess) {
    TemporaryFolder folder;
    CalcStore first(folder.filePath("Quillet.sqlite"));
    CalcStore second(folder.filePath("Quillet.sqlite"));
    std::string message;
    ASSERT_TRUE(first.open(&message)) << message;
    EXPECT_FALSE(second.open(&message));
    EXPECT_NE(message.find("in use"), std::string::npos);
    first.close();
    EXPECT_TRUE(second.open(&message)) << message;
}

void writeText(const std::string& path) { writeFile(path, "These are my notes, not a database.\n"); }

void overwriteHeader(const std::string& path) {
    std::string contents = fileContents(path);
    for (size_t i = 0; i < 16; ++i) contents[i] = 'x';
    writeFile(path, contents);
}

void damagePages(const std::string& path) {
    std::string contents = fileContents(path);
    // Keep the header, scramble the table pages that follow it.
    for (size_t i = 4096; i < contents.size(); ++i) contents[i] = static_cast<char>((i * 7919) & 0xff);
    writeFile(path, contents);
}

// Checking the file must not change it: taking the write lock of a file cut short used to
// rewrite its first page, and switching a damaged file to write-ahead logging its header.
void cutShort(const std::string& path) { writeFile(path, fileContents(path).substr(0, 25)); }

void damagePagesWithoutWriteAheadLog(const std::string& path) {
    executeSql(path, "PRAGMA journal_mode = DELETE");
    damagePages(path);
}

void markAsNewerLayout(const std::string& path) {
    executeSql(path, "PRAGMA user_version = 99");
    EXPECT_EQ(queryInteger(path, "PRAGMA user_version"), 99);
}

void replaceATable(const std::string& path) {
    executeSql(path, "DROP TABLE HistoryStep; CREATE TABLE HistoryStep (something TEXT)");
}

// Each turns a sound store file (holding one step) into one that cannot be used.
TEST(UnreadableStore, IsKeptAsideAndAFreshStoreStarts) {
    for (const auto spoil : {writeText, overwriteHeader, damagePages, cutShort, damagePagesWithoutWriteAheadLog,
                             markAsNewerLayout, replaceATable}) {
        TemporaryFolder folder;
        const std::string path = folder.filePath("Quillet.sqlite");
        createStoreWithOneStep(path);
        spoil(path);
        const std::string spoiled = fileContents(path);

        LogCapture log;
        CalcStore store(path);
        std::string message;
        ASSERT_TRUE(store.open(&message)) << message;
        EXPECT_EQ(store.historyStepsFetchedResultsController()->numberOfObjects(), 0u);
        store.addHistoryStepWithCalcValue1(u(4), OperatorsOperatorAdd, u(5), u(9), CalcValueFormatStyleDec);
        store.saveChanges();

        const auto kept = QDir(QString::fromStdString(folder.path())).entryList({"Quillet.sqlite.unreadable-*"});
        ASSERT_EQ(kept.size(), 1) << "kept, never deleted";
        EXPECT_TRUE(fileContents(folder.filePath(kept.front().toStdString())) == spoiled) << "kept as it was";
        EXPECT_TRUE(log.contains("kept it as"));
    }
}

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
    const char* damage;  // SQL run on the sound store file
    const char* logged;
    size_t favourites = 15;
    size_t historySteps = 2;
};

const DamageRow kDamages[] = {
    {"UPDATE AccumulatorState SET state = 7", "state 7"},
    {"UPDATE AccumulatorState SET state = -1", "state -1"},
    {"UPDATE AccumulatorState SET numberBase = 7", "number base 7"},
    {"UPDATE AccumulatorState SET currOperator = 46", "operator 46"},
    {"UPDATE AccumulatorState SET currOperator = 6", "operator 6"},
    {"UPDATE AccumulatorState SET currError = 9", "error 9"},
    {"UPDATE AccumulatorState SET hasExponent = 1, exponent = 100", "exponent 100"},
    {"UPDATE AccumulatorState SET decimalPointDivider = 3", "decimal point divider 3"},
    {"UPDATE GeneralValue SET type = 9 WHERE Z_PK = (SELECT generalValue FROM AccumulatorState)", "type 9"},
    {"UPDATE AccumulatorState SET generalValue = NULL", "no value"},
    {"UPDATE GeneralValue SET realValue = 9e999 WHERE Z_PK = (SELECT generalValue FROM AccumulatorState)",
     "real value inf"},
    {"UPDATE GeneralValue SET realValue = -9e999 WHERE Z_PK = "
     "(SELECT generalValue FROM Favourite WHERE \"index\" = 12)",
     "real value -inf", 14},
    {"UPDATE GlobalData SET nextHistoryStepIndex = 2147483647", "numbered afresh"},
    {"UPDATE QuickOperator SET \"index\" = 2147483647", "[2147483647] AND"},
    {"UPDATE OpStep SET generalValue = NULL", "no value"},
    {"UPDATE OpStep SET operator = 99", "operator 99"},
    {"UPDATE OpStep SET operator = 31", "operator 31"},
    {"UPDATE GeneralValue SET type = 0 WHERE Z_PK = (SELECT generalValue FROM OpStep)", "type 0"},
    {"UPDATE Favourite SET operator = 99 WHERE \"index\" = 3", "operator 99", 14},
    {"UPDATE Favourite SET operator = 1 WHERE \"index\" = 3", "operator 1", 14},
    {"UPDATE GeneralValue SET type = 9 WHERE Z_PK = (SELECT generalValue FROM Favourite WHERE \"index\" = 12)",
     "type 9", 14},
    {"UPDATE Favourite SET generalValue = NULL WHERE \"index\" = 13", "no value", 14},
    {"UPDATE Favourite SET operator = 99", "operator 99", 0},
    {"UPDATE QuickOperator SET operator = 99", "operator 99"},
    {"UPDATE HistoryStep SET operator = 99 WHERE \"index\" = 0", "operator 99", 15, 1},
    {"UPDATE GeneralValue SET type = 9 WHERE Z_PK = "
     "(SELECT generalValueResult FROM HistoryStep WHERE \"index\" = 1)",
     "type 9", 15, 1},
    {"UPDATE HistoryStep SET generalValue1 = NULL WHERE \"index\" = 1", "no value", 15, 1},
    {"INSERT INTO GlobalData (nextHistoryStepIndex) VALUES (0)", "more than 1 global data object"}};

TEST(DamagedStore, AnImpossibleRecordIsLoggedAndLeftOutAndNothingElseChanges) {
    const WordSizeScope wordSize(32);
    for (const DamageRow& row : kDamages) {
        SCOPED_TRACE(row.damage);
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
            EXPECT_EQ(outcome.result.type(), CalcValueTypeReal);
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
}

}  // namespace
