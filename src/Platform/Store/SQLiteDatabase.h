#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. Bind, step until done, reset for the next use.
class SQLiteStatement {
public:
    SQLiteStatement(sqlite3* database, sqlite3_stmt* statement) : database_(database), statement_(statement) {}
    ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Bind positions count from 1. Each returns false with error set when SQLite refuses.
    bool bindNull(int position, std::string* error);
    bool bindInt64(int position, int64_t value, std::string* error);
    bool bindDouble(int position, double value, std::string* error);
    bool bindText(int position, std::string_view value, std::string* error);
    // A row is ready (true with *hasRow), or the statement is done (true, !*hasRow), or failed.
    bool step(bool* hasRow, std::string* error);
    // Steps once, expecting the statement to finish without a row.
    bool execute(std::string* error);
    void reset();

    bool columnIsNull(int column) const;
    int64_t columnInt64(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;

private:
    bool check(int resultCode, std::string* error) const;

    sqlite3* database_;
    sqlite3_stmt* statement_;
};

// One connection to an SQLite file. Every call reports SQLite's failures as text.
class SQLiteDatabase {
public:
    ~SQLiteDatabase();
    SQLiteDatabase(const SQLiteDatabase&) = delete;
    SQLiteDatabase& operator=(const SQLiteDatabase&) = delete;

    // Opens or creates the file; null with error and the SQLite result code on failure.
    static std::unique_ptr<SQLiteDatabase> open(const std::string& path, std::string* error, int* resultCode);

    // Runs one or more statements that return no rows of interest.
    bool execute(std::string_view sql, std::string* error, int* resultCode = nullptr);
    // The first column of the first row of a query as text ("" when there is no row).
    bool queryText(std::string_view sql, std::string* text, std::string* error, int* resultCode = nullptr);
    std::unique_ptr<SQLiteStatement> prepare(std::string_view sql, std::string* error);

    std::string errorText(int resultCode) const;

private:
    explicit SQLiteDatabase(sqlite3* database) : database_(database) {}
    sqlite3* database_;
};
