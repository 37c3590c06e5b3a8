#pragma once

#include <string>

class SQLiteDatabase;

// A write transaction that rolls back in its destructor unless it was committed. Destructors
// never throw: a failed rollback is logged, and SQLite has then rolled back on its own.
class SQLiteTransaction {
public:
    SQLiteTransaction(SQLiteDatabase& database, std::string* error);
    ~SQLiteTransaction();
    SQLiteTransaction(const SQLiteTransaction&) = delete;
    SQLiteTransaction& operator=(const SQLiteTransaction&) = delete;

    bool isActive() const { return active_; }
    bool commit(std::string* error);

private:
    SQLiteDatabase& database_;
    bool active_ = false;
};
