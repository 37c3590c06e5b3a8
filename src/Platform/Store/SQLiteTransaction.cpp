#include "Platform/Store/SQLiteTransaction.h"

#include "Platform/Core/Log.h"
#include "Platform/Store/SQLiteDatabase.h"

SQLiteTransaction::SQLiteTransaction(SQLiteDatabase& database, std::string* error) : database_(database) {
    active_ = database_.execute("BEGIN IMMEDIATE", error);
}

SQLiteTransaction::~SQLiteTransaction() {
    if (!active_) return;
    std::string error;
    if (!database_.execute("ROLLBACK", &error)) Log::format("error rolling back store transaction: %s", error.c_str());
}

bool SQLiteTransaction::commit(std::string* error) {
    if (!active_) return false;
    if (!database_.execute("COMMIT", error)) return false;  // still active: the destructor rolls back
    active_ = false;
    return true;
}
