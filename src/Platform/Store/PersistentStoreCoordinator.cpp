#include "Platform/Store/PersistentStoreCoordinator.h"

#include <sqlite3.h>

#include "Platform/Store/ManagedObject.h"
#include "Platform/Store/SQLiteTransaction.h"

namespace {

// The layout written by this program; a file with a larger number comes from a newer one.
constexpr int storeLayoutVersion = 1;
constexpr std::string_view primaryKeyColumn = "Z_PK";

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string columnType(AttributeType type) {
    switch (type) {
        // No declared type: a REAL column would store -0.0 as the integer 0 and lose its sign.
        case AttributeType::Double: return "";
        case AttributeType::String: return "TEXT";
        default: return "INTEGER";
    }
}

// Every column of an entity in table order: the key, the attributes, the relationships.
std::vector<std::string> columnNames(const EntityDescription& entity) {
    std::vector<std::string> names{quoted(primaryKeyColumn)};
    for (const auto& attribute : entity.attributes) names.push_back(quoted(attribute.name));
    for (const auto& relationship : entity.relationships) names.push_back(quoted(relationship.name));
    return names;
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const auto& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

StoreOpenFailure failureFromResultCode(int resultCode) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return StoreOpenFailure::InUse;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
        case SQLITE_ERROR:  // a table of another layout
        case SQLITE_SCHEMA:
        case SQLITE_FORMAT: return StoreOpenFailure::Unreadable;
        default: return StoreOpenFailure::CannotCreate;
    }
}

}  // namespace

PersistentStoreCoordinator::PersistentStoreCoordinator(const ManagedObjectModel& model, std::string path)
    : model_(model), path_(std::move(path)) {
    open();
}

PersistentStoreCoordinator::~PersistentStoreCoordinator() {
    // Statements must be finalized before their connection closes.
    statements_.clear();
    database_.reset();
}

bool PersistentStoreCoordinator::fail(StoreOpenFailure failure, int resultCode, const std::string& message) {
    statements_.clear();
    database_.reset();
    failure_ = failure == StoreOpenFailure::None ? failureFromResultCode(resultCode) : failure;
    errorMessage_ = failure_ == StoreOpenFailure::InUse ? std::string(inUseMessage) + " (" + path_ + ")"
                                                        : "cannot open store " + path_ + ": " + message;
    return false;
}

void PersistentStoreCoordinator::open() {
    std::string error;
    int resultCode = SQLITE_OK;
    database_ = SQLiteDatabase::open(path_, &error, &resultCode);
    if (!database_) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    // One process at a time: in exclusive locking mode every lock taken is held until the file
    // is closed, so a second process fails below before it has changed anything. Only once the
    // write lock is held is the file switched to write-ahead logging, which makes each commit
    // one append and one flush.
    if (!database_->execute("PRAGMA locking_mode = EXCLUSIVE", &error, &resultCode)) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    // The file is checked while it is only read: taking the write lock of a damaged file (one
    // cut short, say) can already rewrite its first page, and a file set aside must keep the
    // bytes it had.
    std::string check;
    if (!database_->queryText("PRAGMA quick_check", &check, &error, &resultCode)) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    if (check != "ok") {
        fail(StoreOpenFailure::Unreadable, SQLITE_CORRUPT, "damaged (" + check + ")");
        return;
    }
    if (!database_->execute("BEGIN EXCLUSIVE; COMMIT", &error, &resultCode)) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    std::string journalMode;
    if (!database_->queryText("PRAGMA journal_mode = WAL", &journalMode, &error, &resultCode)) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    if (journalMode != "wal") {
        fail(StoreOpenFailure::CannotCreate, SQLITE_OK, "write-ahead log unavailable (" + journalMode + ")");
        return;
    }
    // In write-ahead mode NORMAL writes every commit to the log before it returns, so a commit
    // survives the process being killed at any moment; only the flush to the platter waits for
    // the next checkpoint. A power failure can then lose the last few commits, never the file's
    // soundness. FULL would add one flush to every commit (up to several milliseconds here).
    // The log is cut back after each checkpoint so that it does not keep its largest size.
    if (!database_->execute("PRAGMA synchronous = NORMAL; PRAGMA journal_size_limit = 1048576", &error, &resultCode)) {
        fail(StoreOpenFailure::None, resultCode, error);
        return;
    }
    if (!prepareLayout(&error, &resultCode)) fail(StoreOpenFailure::None, resultCode, error);
}

bool PersistentStoreCoordinator::prepareLayout(std::string* error, int* resultCode) {
    std::string versionText;
    if (!database_->queryText("PRAGMA user_version", &versionText, error, resultCode)) return false;
    const int version = std::stoi(versionText);
    if (version > storeLayoutVersion) {
        *resultCode = SQLITE_FORMAT;
        *error = "made by a newer version of Quillet";
        return false;
    }
    // Tables already in the file must have every column we need; this is checked before the
    // file is changed at all, so that a file of another layout is set aside as it was.
    bool isLaidOut = version == storeLayoutVersion;
    for (const auto& entity : model_.entities()) {
        std::string exists;
        const std::string lookup =
            "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '" + entity.name + "'";
        if (!database_->queryText(lookup, &exists, error, resultCode)) return false;
        if (exists == "0") {
            isLaidOut = false;
            continue;
        }
        std::string ignored;
        const std::string probe =
            "SELECT " + joined(columnNames(entity), ", ") + " FROM " + quoted(entity.name) + " LIMIT 0";
        if (!database_->queryText(probe, &ignored, error, resultCode)) return false;
    }
    // A file laid out already is not written to: the first write of a session starts the log
    // and flushes it to the disk, which a start would otherwise wait for before its first frame.
    if (!isLaidOut) {
        SQLiteTransaction transaction(*database_, error);
        if (!transaction.isActive()) return false;
        for (const auto& entity : model_.entities()) {
            std::vector<std::string> columns{quoted(primaryKeyColumn) + " INTEGER PRIMARY KEY"};
            for (const auto& attribute : entity.attributes) {
                const std::string type = columnType(attribute.type);
                columns.push_back(quoted(attribute.name) + (type.empty() ? "" : " " + type));
            }
            for (const auto& relationship : entity.relationships)
                columns.push_back(quoted(relationship.name) + " INTEGER");
            const std::string sql =
                "CREATE TABLE IF NOT EXISTS " + quoted(entity.name) + " (" + joined(columns, ", ") + ")";
            if (!database_->execute(sql, error, resultCode)) return false;
        }
        if (!database_->execute("PRAGMA user_version = " + std::to_string(storeLayoutVersion), error, resultCode) ||
            !transaction.commit(error)) {
            return false;
        }
    }
    largestObjectIDs_.clear();
    for (const auto& entity : model_.entities()) {
        std::string largest;
        const std::string sql = "SELECT max(" + quoted(primaryKeyColumn) + ") FROM " + quoted(entity.name);
        if (!database_->queryText(sql, &largest, error, resultCode)) return false;
        largestObjectIDs_.push_back(largest.empty() ? 0 : std::stoll(largest));
    }
    return true;
}

SQLiteStatement* PersistentStoreCoordinator::statement(const std::string& sql, std::string* error) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second.get();
    auto prepared = database_->prepare(sql, error);
    if (!prepared) return nullptr;
    return statements_.emplace(sql, std::move(prepared)).first->second.get();
}

PersistentStoreCoordinator::Row PersistentStoreCoordinator::readRow(const EntityDescription& entity,
                                                                    const SQLiteStatement& statement) const {
    Row row;
    row.objectID = statement.columnInt64(0);
    int column = 1;
    for (const auto& attribute : entity.attributes) {
        ObjectValue value;
        if (!statement.columnIsNull(column)) {
            switch (attribute.type) {
                case AttributeType::Int32: value = static_cast<int32_t>(statement.columnInt64(column)); break;
                case AttributeType::Int64: value = statement.columnInt64(column); break;
                case AttributeType::Double: value = statement.columnDouble(column); break;
                case AttributeType::Boolean: value = statement.columnInt64(column) != 0; break;
                case AttributeType::Date:
                    value = ObjectDate(std::chrono::duration_cast<ObjectDate::duration>(
                        std::chrono::nanoseconds(statement.columnInt64(column))));
                    break;
                case AttributeType::String: value = statement.columnText(column); break;
            }
        }
        row.attributeValues.push_back(std::move(value));
        ++column;
    }
    for (size_t index = 0; index < entity.relationships.size(); ++index, ++column) {
        row.relationshipIDs.push_back(statement.columnIsNull(column) ? 0 : statement.columnInt64(column));
    }
    return row;
}

std::optional<std::vector<PersistentStoreCoordinator::Row>> PersistentStoreCoordinator::rowsOfEntity(
    const EntityDescription& entity, std::string* error) {
    if (!database_) return std::nullopt;
    const std::string sql = "SELECT " + joined(columnNames(entity), ", ") + " FROM " + quoted(entity.name) +
                            " ORDER BY " + quoted(primaryKeyColumn);
    SQLiteStatement* query = statement(sql, error);
    if (!query) return std::nullopt;
    std::vector<Row> rows;
    bool hasRow = false;
    bool stepped = false;
    while ((stepped = query->step(&hasRow, error)) && hasRow) rows.push_back(readRow(entity, *query));
    query->reset();
    if (!stepped) return std::nullopt;
    return rows;
}

std::optional<PersistentStoreCoordinator::Row> PersistentStoreCoordinator::rowOfEntity(const EntityDescription& entity,
                                                                                       int64_t objectID,
                                                                                       std::string* error) {
    if (!database_) return std::nullopt;
    const std::string sql = "SELECT " + joined(columnNames(entity), ", ") + " FROM " + quoted(entity.name) + " WHERE " +
                            quoted(primaryKeyColumn) + " = ?";
    SQLiteStatement* query = statement(sql, error);
    if (!query || !query->bindInt64(1, objectID, error)) return std::nullopt;
    bool hasRow = false;
    std::optional<Row> row;
    if (query->step(&hasRow, error) && hasRow) row = readRow(entity, *query);
    query->reset();
    return row;
}

bool PersistentStoreCoordinator::bindValues(SQLiteStatement& statement, const ManagedObject& object, int firstPosition,
                                            std::string* error) {
    int position = firstPosition;
    for (const ObjectValue& value : object.attributeValues_) {
        const bool bound = std::visit(
            [&](const auto& typed) {
                using T = std::decay_t<decltype(typed)>;
                if constexpr (std::is_same_v<T, std::monostate>) {
                    return statement.bindNull(position, error);
                } else if constexpr (std::is_same_v<T, double>) {
                    return statement.bindDouble(position, typed, error);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    return statement.bindText(position, typed, error);
                } else if constexpr (std::is_same_v<T, ObjectDate>) {
                    const auto nanoseconds =
                        std::chrono::duration_cast<std::chrono::nanoseconds>(typed.time_since_epoch());
                    return statement.bindInt64(position, nanoseconds.count(), error);
                } else {
                    return statement.bindInt64(position, static_cast<int64_t>(typed), error);
                }
            },
            value);
        if (!bound) return false;
        ++position;
    }
    for (const int64_t targetID : object.relationshipIDs_) {
        const bool bound =
            targetID == 0 ? statement.bindNull(position, error) : statement.bindInt64(position, targetID, error);
        if (!bound) return false;
        ++position;
    }
    return true;
}

bool PersistentStoreCoordinator::saveChanges(const std::vector<const ManagedObject*>& inserted,
                                             const std::vector<const ManagedObject*>& updated,
                                             const std::vector<const ManagedObject*>& deleted, std::string* error) {
    if (!database_) {
        if (error) *error = "store is not open";
        return false;
    }
    SQLiteTransaction transaction(*database_, error);
    if (!transaction.isActive()) return false;
    for (const ManagedObject* object : deleted) {
        const std::string sql =
            "DELETE FROM " + quoted(object->entity().name) + " WHERE " + quoted(primaryKeyColumn) + " = ?";
        SQLiteStatement* remove = statement(sql, error);
        if (!remove || !remove->bindInt64(1, object->objectID(), error) || !remove->execute(error)) return false;
    }
    for (const ManagedObject* object : inserted) {
        const auto columns = columnNames(object->entity());
        const std::vector<std::string> placeholders(columns.size(), "?");
        const std::string sql = "INSERT INTO " + quoted(object->entity().name) + " (" + joined(columns, ", ") +
                                ") VALUES (" + joined(placeholders, ", ") + ")";
        SQLiteStatement* insert = statement(sql, error);
        if (!insert || !insert->bindInt64(1, object->objectID(), error) || !bindValues(*insert, *object, 2, error) ||
            !insert->execute(error)) {
            if (insert) insert->reset();
            return false;
        }
    }
    for (const ManagedObject* object : updated) {
        auto columns = columnNames(object->entity());
        columns.erase(columns.begin());
        for (auto& column : columns) column += " = ?";
        const std::string sql = "UPDATE " + quoted(object->entity().name) + " SET " + joined(columns, ", ") +
                                " WHERE " + quoted(primaryKeyColumn) + " = ?";
        SQLiteStatement* update = statement(sql, error);
        if (!update || !bindValues(*update, *object, 1, error) ||
            !update->bindInt64(static_cast<int>(columns.size()) + 1, object->objectID(), error) ||
            !update->execute(error)) {
            if (update) update->reset();
            return false;
        }
    }
    return transaction.commit(error);
}
