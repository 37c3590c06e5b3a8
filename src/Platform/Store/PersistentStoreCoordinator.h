#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Platform/Store/ManagedObjectModel.h"
#include "Platform/Store/ObjectValue.h"
#include "Platform/Store/SQLiteDatabase.h"

class ManagedObject;

// Why a store file could not be opened. InUse leaves the file untouched; Unreadable means the
// file is not a store this program can use (not a database, damaged, or of a newer layout).
enum class StoreOpenFailure { None, InUse, Unreadable, CannotCreate };

// The link between the model and one SQLite file: one table per entity, one column per
// attribute or relationship. The file is held exclusively by this process while it is open.
class PersistentStoreCoordinator {
public:
    // Opens (or creates) the file and takes its lock. Check isOpen() / failure() afterwards.
    PersistentStoreCoordinator(const ManagedObjectModel& model, std::string path);
    ~PersistentStoreCoordinator();
    PersistentStoreCoordinator(const PersistentStoreCoordinator&) = delete;
    PersistentStoreCoordinator& operator=(const PersistentStoreCoordinator&) = delete;

    static constexpr std::string_view inUseMessage = "store is in use by another Quillet process";

    bool isOpen() const { return database_ != nullptr; }
    StoreOpenFailure failure() const { return failure_; }
    const std::string& errorMessage() const { return errorMessage_; }
    const std::string& path() const { return path_; }
    const ManagedObjectModel& model() const { return model_; }
    // The open connection, for diagnostics and tests; null when the file could not be opened.
    SQLiteDatabase* database() const { return database_.get(); }

    // The largest key in use per entity when the file was opened, in model order.
    const std::vector<int64_t>& largestObjectIDs() const { return largestObjectIDs_; }

    struct Row {
        int64_t objectID = 0;
        std::vector<ObjectValue> attributeValues;
        std::vector<int64_t> relationshipIDs;
    };
    // Every row of an entity, by ascending key; no list and an error when the read fails.
    std::optional<std::vector<Row>> rowsOfEntity(const EntityDescription& entity, std::string* error);
    // One row by key; no row when it does not exist or the read fails (then error is set).
    std::optional<Row> rowOfEntity(const EntityDescription& entity, int64_t objectID, std::string* error);

    // Writes all changes in one transaction: every change is in the file, or none is.
    bool saveChanges(const std::vector<const ManagedObject*>& inserted,
                     const std::vector<const ManagedObject*>& updated, const std::vector<const ManagedObject*>& deleted,
                     std::string* error);

private:
    void open();
    bool fail(StoreOpenFailure failure, int resultCode, const std::string& message);
    bool prepareLayout(std::string* error, int* resultCode);
    SQLiteStatement* statement(const std::string& sql, std::string* error);
    bool bindValues(SQLiteStatement& statement, const ManagedObject& object, int firstPosition, std::string* error);
    Row readRow(const EntityDescription& entity, const SQLiteStatement& statement) const;

    const ManagedObjectModel& model_;
    std::string path_;
    std::unique_ptr<SQLiteDatabase> database_;
    StoreOpenFailure failure_ = StoreOpenFailure::None;
    std::string errorMessage_;
    std::vector<int64_t> largestObjectIDs_;
    std::unordered_map<std::string, std::unique_ptr<SQLiteStatement>> statements_;
};
