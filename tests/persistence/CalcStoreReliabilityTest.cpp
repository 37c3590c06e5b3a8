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

struct UnreadableRow {
    const char* name;
    // Turns a sound store file (holding one step) into one that cannot be used.
    void (*spoil)(const std::string& path);
};

class UnreadableStore : public ::testing::TestWithParam<UnreadableRow> {};

TEST_P(UnreadableStore, IsKeptAsideAndAFreshStoreStarts) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    createStoreWithOneStep(path);
    GetParam().spoil(path);
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
    ASSERT_FALSE(log.lines().empty());
    EXPECT_TRUE(log.contains("kept it as")) << log.lines().front();
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

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableStore,
    ::testing::Values(UnreadableRow{"textFile", writeText}, UnreadableRow{"header", overwriteHeader},
                      UnreadableRow{"damagedPages", damagePages}, UnreadableRow{"cutShort", cutShort},
                      UnreadableRow{"damagedPagesWithoutWriteAheadLog", damagePagesWithoutWriteAheadLog},
                      UnreadableRow{"newerLayout", markAsNewerLayout},
                      UnreadableRow{"tableOfAnotherLayout", replaceATable}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
