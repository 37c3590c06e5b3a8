#include <gtest/gtest.h>

#include <filesystem>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "PersistenceTestSupport.h"

namespace {

uintmax_t sizeOrZero(const std::string& path) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}

}  // namespace

// A start reads the store before its first frame; writing to it there would make the start wait
// for the disk.
TEST(StoreOpening, AStoreLaidOutAlreadyIsOpenedAndRestoredWithoutAWrite) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    {
        CalcStore store(path);
        store.addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(2), u(3), CalcValueFormatStyleDec);
        CalcEngine engine;
        engine.setAccumulatorCalcValue(u(42));
        CalcEngineStore::persistCalcEngine(engine, store);
        store.close();
    }
    const std::string before = fileContents(path);

    CalcStore store(path);
    std::string message;
    ASSERT_TRUE(store.open(&message)) << message;
    CalcEngine engine;
    CalcEngineStore::restoreCalcEngine(engine, store);
    EXPECT_EQ(engine.accumulatorCalcValue().uBaseValue(), 42u);
    EXPECT_EQ(fileContents(path), before);
    EXPECT_EQ(sizeOrZero(path + "-wal"), 0u);
    store.close();
}

// A file of this layout's number that lacks a table (one made by hand, say) still gets it.
TEST(StoreOpening, AMissingTableIsMadeEvenInAFileOfThePresentLayout) {
    TemporaryFolder folder;
    const std::string path = folder.filePath("Quillet.sqlite");
    {
        CalcStore fresh(path);
        std::string message;
        ASSERT_TRUE(fresh.open(&message)) << message;
        fresh.close();
    }
    ASSERT_TRUE(executeSql(path, "DROP TABLE \"QuickOperator\""));

    CalcStore store(path);
    std::string message;
    ASSERT_TRUE(store.open(&message)) << message;
    store.close();
    EXPECT_EQ(queryInteger(path, "SELECT count(*) FROM sqlite_master WHERE name = 'QuickOperator'"), 1);
    EXPECT_EQ(queryInteger(path, "PRAGMA user_version"), 1);
}
