#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Platform/Store/FetchRequest.h"
#include "Platform/Store/ManagedObject.h"
#include "Platform/Store/ManagedObjectModel.h"

class FetchedResultsController;
class PersistentStoreCoordinator;

// The one working set of records over a store file. Inserts, changes and deletes stay pending
// until save(), which writes them all in one transaction. The file is held by this process
// alone, so once an entity has been read the records in memory are the whole truth about it.
class ManagedObjectContext {
public:
    explicit ManagedObjectContext(PersistentStoreCoordinator& coordinator);
    ~ManagedObjectContext();
    ManagedObjectContext(const ManagedObjectContext&) = delete;
    ManagedObjectContext& operator=(const ManagedObjectContext&) = delete;

    PersistentStoreCoordinator& persistentStoreCoordinator() const { return coordinator_; }
    const ManagedObjectModel& model() const;

    // A new record with every attribute unset; a name the model lacks is a fatal assertion.
    ManagedObject* insertNewObjectForEntityForName(std::string_view entityName);
    // All matching records in the requested order, or no list and an error.
    std::optional<std::vector<ManagedObject*>> executeFetchRequest(const FetchRequest& request, std::string* error);
    // The record leaves the working set at once (with the records it owns) and the file at the
    // next save.
    void deleteObject(ManagedObject* object);

    bool hasChanges() const;
    // Tells the live lists what changed since the last call.
    void processPendingChanges();
    // Makes every pending change durable together; false with error when nothing was written,
    // in which case the changes stay pending.
    bool save(std::string* error);

    // The record of an entity with a key, read from the file if needed; null if there is none.
    ManagedObject* objectWithID(const EntityDescription& entity, int64_t objectID);

private:
    friend class ManagedObject;
    friend class FetchedResultsController;

    struct EntityRecords {
        std::unordered_map<int64_t, std::unique_ptr<ManagedObject>> objects;
        bool allLoaded = false;
        int64_t largestObjectID = 0;
    };

    void noteUpdated(ManagedObject& object);
    bool loadAllObjects(size_t entityIndex, std::string* error);
    ManagedObject* registerRow(const EntityDescription& entity, size_t entityIndex, int64_t objectID);
    void addFetchedResultsController(FetchedResultsController* controller);
    void removeFetchedResultsController(FetchedResultsController* controller);

    PersistentStoreCoordinator& coordinator_;
    std::vector<EntityRecords> records_;
    std::vector<ManagedObject*> inserted_;
    std::vector<ManagedObject*> updated_;
    std::vector<ManagedObject*> deleted_;
    bool pendingReport_ = false;
    std::vector<FetchedResultsController*> controllers_;
};
