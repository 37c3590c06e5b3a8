#include "PersistenceTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QStandardPaths>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Nothing a test does may reach the real user's files: the data, configuration and home folders
// point into a temporary folder before any test runs, and Qt's own test mode is on.
class IsolatedUserFolders : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<QTemporaryDir>();
        const std::string root = folder_->path().toStdString();
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        QStandardPaths::setTestModeEnabled(true);
    }
    void TearDown() override { folder_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

[[maybe_unused]] const auto* const isolatedUserFolders = ::testing::AddGlobalTestEnvironment(new IsolatedUserFolders);

}  // namespace

TemporaryFolder::TemporaryFolder() { EXPECT_TRUE(folder_.isValid()); }

std::string fileContents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

void writeFile(const std::string& path, const std::string& contents) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
}

namespace {

std::string firstColumn(const std::string& path, const std::string& sql) {
    sqlite3* database = nullptr;
    std::string text = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            text = std::string("cannot prepare: ") + sqlite3_errmsg(database);
        } else {
            const int result = sqlite3_step(statement);
            if (result == SQLITE_ROW) {
                const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
                text = column ? column : "";
            } else {
                text = std::string("no row: ") + sqlite3_errstr(result);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return text;
}

}  // namespace

std::string integrityCheck(const std::string& path) { return firstColumn(path, "PRAGMA integrity_check"); }

long long queryInteger(const std::string& path, const std::string& sql) {
    const std::string text = firstColumn(path, sql);
    return text.empty() ? 0 : std::stoll(text);
}

bool executeSql(const std::string& path, const std::string& sql) {
    sqlite3* database = nullptr;
    char* message = nullptr;
    bool done = sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
                sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK;
    EXPECT_TRUE(done) << sql << ": " << (message ? message : sqlite3_errmsg(database));
    sqlite3_free(message);
    sqlite3_close(database);
    return done;
}
