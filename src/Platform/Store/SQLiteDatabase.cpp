#include "Platform/Store/SQLiteDatabase.h"

#include <sqlite3.h>

#include "Platform/Core/Log.h"

namespace {

bool fail(sqlite3* database, int resultCode, std::string* error) {
    if (error) {
        *error = sqlite3_errstr(resultCode);
        if (database) {
            const char* detail = sqlite3_errmsg(database);
            if (detail && *error != detail) *error += std::string(": ") + detail;
        }
    }
    return false;
}

}  // namespace

SQLiteStatement::~SQLiteStatement() {
    // Finalize reports the last step's error again; that error was handled where it happened.
    sqlite3_finalize(statement_);
}

bool SQLiteStatement::check(int resultCode, std::string* error) const {
    if (resultCode == SQLITE_OK) return true;
    return fail(database_, resultCode, error);
}

bool SQLiteStatement::bindNull(int position, std::string* error) {
    return check(sqlite3_bind_null(statement_, position), error);
}

bool SQLiteStatement::bindInt64(int position, int64_t value, std::string* error) {
    return check(sqlite3_bind_int64(statement_, position, value), error);
}

bool SQLiteStatement::bindDouble(int position, double value, std::string* error) {
    return check(sqlite3_bind_double(statement_, position, value), error);
}

bool SQLiteStatement::bindText(int position, std::string_view value, std::string* error) {
    return check(sqlite3_bind_text64(statement_, position, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
                 error);
}

bool SQLiteStatement::step(bool* hasRow, std::string* error) {
    const int resultCode = sqlite3_step(statement_);
    *hasRow = resultCode == SQLITE_ROW;
    if (resultCode == SQLITE_ROW || resultCode == SQLITE_DONE) return true;
    return fail(database_, resultCode, error);
}

bool SQLiteStatement::execute(std::string* error) {
    bool hasRow = false;
    const bool done = step(&hasRow, error);
    reset();
    return done;
}

void SQLiteStatement::reset() {
    // The result code of reset repeats the last step's, which the caller has already seen.
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

bool SQLiteStatement::columnIsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

int64_t SQLiteStatement::columnInt64(int column) const { return sqlite3_column_int64(statement_, column); }

double SQLiteStatement::columnDouble(int column) const { return sqlite3_column_double(statement_, column); }

std::string SQLiteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int length = sqlite3_column_bytes(statement_, column);
    return text ? std::string(text, static_cast<size_t>(length)) : std::string();
}

SQLiteDatabase::~SQLiteDatabase() {
    const int resultCode = sqlite3_close(database_);
    if (resultCode != SQLITE_OK) Log::format("error closing store: %s", sqlite3_errstr(resultCode));
}

std::unique_ptr<SQLiteDatabase> SQLiteDatabase::open(const std::string& path, std::string* error, int* resultCode) {
    sqlite3* database = nullptr;
    const int openResult =
        sqlite3_open_v2(path.c_str(), &database, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (resultCode) *resultCode = openResult;
    if (openResult != SQLITE_OK) {
        fail(database, openResult, error);
        sqlite3_close(database);
        return nullptr;
    }
    // A double-quoted name that matches no column must be an error, not a string literal.
    for (const int option : {SQLITE_DBCONFIG_DQS_DML, SQLITE_DBCONFIG_DQS_DDL}) {
        const int configResult = sqlite3_db_config(database, option, 0, nullptr);
        if (configResult != SQLITE_OK) {
            if (resultCode) *resultCode = configResult;
            fail(database, configResult, error);
            sqlite3_close(database);
            return nullptr;
        }
    }
    sqlite3_extended_result_codes(database, 1);
    return std::unique_ptr<SQLiteDatabase>(new SQLiteDatabase(database));
}

bool SQLiteDatabase::execute(std::string_view sql, std::string* error, int* resultCode) {
    const std::string text(sql);
    char* message = nullptr;
    const int result = sqlite3_exec(database_, text.c_str(), nullptr, nullptr, &message);
    if (resultCode) *resultCode = result;
    if (result == SQLITE_OK) return true;
    if (error) *error = std::string(sqlite3_errstr(result)) + (message ? std::string(": ") + message : "");
    sqlite3_free(message);
    return false;
}

bool SQLiteDatabase::queryText(std::string_view sql, std::string* text, std::string* error, int* resultCode) {
    sqlite3_stmt* statement = nullptr;
    int result = sqlite3_prepare_v2(database_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (result == SQLITE_OK) {
        result = sqlite3_step(statement);
        text->clear();
        if (result == SQLITE_ROW) {
            const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            if (column) *text = column;
            result = SQLITE_OK;
        } else if (result == SQLITE_DONE) {
            result = SQLITE_OK;
        }
    }
    if (result != SQLITE_OK) fail(database_, result, error);
    sqlite3_finalize(statement);
    if (resultCode) *resultCode = result;
    return result == SQLITE_OK;
}

std::unique_ptr<SQLiteStatement> SQLiteDatabase::prepare(std::string_view sql, std::string* error) {
    sqlite3_stmt* statement = nullptr;
    const int result = sqlite3_prepare_v3(database_, sql.data(), static_cast<int>(sql.size()),
                                          SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (result != SQLITE_OK) {
        fail(database_, result, error);
        sqlite3_finalize(statement);
        return nullptr;
    }
    return std::make_unique<SQLiteStatement>(database_, statement);
}

std::string SQLiteDatabase::errorText(int resultCode) const { return sqlite3_errstr(resultCode); }
