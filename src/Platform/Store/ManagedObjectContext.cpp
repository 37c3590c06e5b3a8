#include "Platform/Store/ManagedObjectContext.h"

#include <algorithm>

#include "Platform/Core/Log.h"
#include "Platform/Store/FetchedResultsController.h"
#include "Platform/Store/PersistentStoreCoordinator.h"

namespace {

std::unique_ptr<ManagedObject> makeObject(ManagedObjectContext& context, const EntityDescription& entity,
                                          int64_t objectID) {
    if (entity.factory) return entity.factory(context, entity, objectID);
    return std::make_unique<ManagedObject>(context, entity, objectID);
}

// Sorts by the request's keys; equal records keep their key order.
void sortObjects(std::vector<ManagedObject*>& objects, const std::vector<SortDescriptor>& sortDescriptors) {
    std::sort(objects.begin(), objects.end(),
              [](const ManagedObject* a, const ManagedObject* b) { return a->objectID() < b->objectID(); });
    if (sortDescriptors.empty()) return;
    std::stable_sort(objects.begin(), objects.end(), [&](const ManagedObject* a, const ManagedObject* b) {
        for (const SortDescriptor& descriptor : sortDescriptors) {
            const ObjectValue& left = a->valueForKey(descriptor.key);
            const ObjectValue& right = b->valueForKey(descriptor.key);
            if (left == right) continue;
            return descriptor.ascending ? left < right : right < left;
        }
        return false;
    });
}

}  // namespace

ManagedObjectContext::ManagedObjectContext(PersistentStoreCoordinator& coordinator)
    : coordinator_(coordinator), records_(coordinator.model().entities().size()) {
    const auto& largest = coordinator.largestObjectIDs();
    for (size_t index = 0; index < records_.size() && index < largest.size(); ++index) {
        records_[index].largestObjectID = largest[index];
    }
}

ManagedObjectContext::~ManagedObjectContext() {
    for (FetchedResultsController* controller : controllers_) controller->forgetObjects();
}

const ManagedObjectModel& ManagedObjectContext::model() const { return coordinator_.model(); }

ManagedObject* ManagedObjectContext::insertNewObjectForEntityForName(std::string_view entityName) {
    const size_t entityIndex = model().entityIndex(entityName);
    EntityRecords& records = records_[entityIndex];
    const int64_t objectID = ++records.largestObjectID;
    auto object = makeObject(*this, model().entities()[entityIndex], objectID);
    ManagedObject* inserted = object.get();
    inserted->inserted_ = true;
    records.objects.emplace(objectID, std::move(object));
    inserted_.push_back(inserted);
    pendingReport_ = true;
    return inserted;
}

ManagedObject* ManagedObjectContext::registerRow(const EntityDescription& entity, size_t entityIndex,
                                                 int64_t objectID) {
    auto object = makeObject(*this, entity, objectID);
    ManagedObject* registered = object.get();
    records_[entityIndex].objects.emplace(objectID, std::move(object));
    return registered;
}

ManagedObject* ManagedObjectContext::objectWithID(const EntityDescription& entity, int64_t objectID) {
    const size_t entityIndex = model().entityIndex(entity.name);
    EntityRecords& records = records_[entityIndex];
    if (auto found = records.objects.find(objectID); found != records.objects.end()) return found->second.get();
    if (records.allLoaded) return nullptr;
    std::string error;
    auto row = coordinator_.rowOfEntity(entity, objectID, &error);
    if (!row) {
        if (!error.empty()) Log::format("Error fetching request %s", error.c_str());
        return nullptr;
    }
    ManagedObject* object = registerRow(entity, entityIndex, objectID);
    object->attributeValues_ = std::move(row->attributeValues);
    object->relationshipIDs_ = std::move(row->relationshipIDs);
    return object;
}

bool ManagedObjectContext::loadAllObjects(size_t entityIndex, std::string* error) {
    EntityRecords& records = records_[entityIndex];
    if (records.allLoaded) return true;
    const EntityDescription& entity = model().entities()[entityIndex];
    auto rows = coordinator_.rowsOfEntity(entity, error);
    if (!rows) return false;
    for (auto& row : *rows) {
        // A record already in memory is newer than its row.
        if (records.objects.count(row.objectID)) continue;
        ManagedObject* object = registerRow(entity, entityIndex, row.objectID);
        object->attributeValues_ = std::move(row.attributeValues);
        object->relationshipIDs_ = std::move(row.relationshipIDs);
    }
    records.allLoaded = true;
    return true;
}

std::optional<std::vector<ManagedObject*>> ManagedObjectContext::executeFetchRequest(const FetchRequest& request,
                                                                                     std::string* error) {
    const EntityDescription* entity = model().entityForName(request.entityName);
    if (!entity) {
        if (error) *error = "unknown entity " + request.entityName;
        return std::nullopt;
    }
    const size_t entityIndex = model().entityIndex(request.entityName);
    if (!loadAllObjects(entityIndex, error)) return std::nullopt;
    std::vector<ManagedObject*> objects;
    for (const auto& [objectID, object] : records_[entityIndex].objects) {
        if (object->isDeleted()) continue;
        if (request.predicate && !request.predicate(*object)) continue;
        objects.push_back(object.get());
    }
    sortObjects(objects, request.sortDescriptors);
    return objects;
}

void ManagedObjectContext::deleteObject(ManagedObject* object) {
    if (!object || object->isDeleted()) return;
    object->deleted_ = true;
    deleted_.push_back(object);
    pendingReport_ = true;
    const auto& relationships = object->entity().relationships;
    for (size_t index = 0; index < relationships.size(); ++index) {
        if (!relationships[index].cascadeDelete || object->relationshipIDs_[index] == 0) continue;
        const EntityDescription* target = model().entityForName(relationships[index].destinationEntityName);
        if (target) deleteObject(objectWithID(*target, object->relationshipIDs_[index]));
    }
}

void ManagedObjectContext::noteUpdated(ManagedObject& object) {
    if (object.inserted_ || object.deleted_ || object.updated_) return;
    object.updated_ = true;
    updated_.push_back(&object);
}

bool ManagedObjectContext::hasChanges() const { return !inserted_.empty() || !updated_.empty() || !deleted_.empty(); }

void ManagedObjectContext::processPendingChanges() {
    if (!pendingReport_) return;
    pendingReport_ = false;
    const auto controllers = controllers_;
    for (FetchedResultsController* controller : controllers) controller->contextDidChange();
}

bool ManagedObjectContext::save(std::string* error) {
    processPendingChanges();
    if (!hasChanges()) return true;
    std::vector<const ManagedObject*> inserted, updated, deleted;
    for (const ManagedObject* object : inserted_) {
        if (!object->deleted_) inserted.push_back(object);
    }
    for (const ManagedObject* object : updated_) {
        if (!object->deleted_) updated.push_back(object);
    }
    for (const ManagedObject* object : deleted_) {
        if (!object->inserted_) deleted.push_back(object);
    }
    if (!coordinator_.saveChanges(inserted, updated, deleted, error)) return false;
    for (ManagedObject* object : inserted_) object->inserted_ = false;
    for (ManagedObject* object : updated_) object->updated_ = false;
    for (ManagedObject* object : deleted_) {
        records_[model().entityIndex(object->entity().name)].objects.erase(object->objectID());
    }
    inserted_.clear();
    updated_.clear();
    deleted_.clear();
    return true;
}

void ManagedObjectContext::addFetchedResultsController(FetchedResultsController* controller) {
    controllers_.push_back(controller);
}

void ManagedObjectContext::removeFetchedResultsController(FetchedResultsController* controller) {
    std::erase(controllers_, controller);
}
