#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Store/ManagedObjectModel.h"
#include "Platform/Store/ObjectValue.h"

class ManagedObjectContext;

// One record of the working set. Attributes and to-one relationships are read and written by
// name; a change stays pending in the context until its next save. Records belong to their
// context: a deleted record is destroyed by the save that removes it from the file, so nobody
// may keep a pointer to it past that save.
class ManagedObject {
public:
    ManagedObject(ManagedObjectContext& context, const EntityDescription& entity, int64_t objectID);
    virtual ~ManagedObject() = default;
    ManagedObject(const ManagedObject&) = delete;
    ManagedObject& operator=(const ManagedObject&) = delete;

    const EntityDescription& entity() const { return entity_; }
    // The record's key in its table: positive, unique within the entity, never reused.
    int64_t objectID() const { return objectID_; }
    ManagedObjectContext& managedObjectContext() const { return context_; }
    bool isInserted() const { return inserted_; }
    bool isDeleted() const { return deleted_; }

    // Attributes. A key that is not an attribute of the entity is a fatal assertion.
    const ObjectValue& valueForKey(std::string_view key) const;
    void setValue(ObjectValue value, std::string_view key);
    std::optional<int32_t> int32ForKey(std::string_view key) const;
    std::optional<int64_t> int64ForKey(std::string_view key) const;
    std::optional<double> doubleForKey(std::string_view key) const;
    std::optional<bool> boolForKey(std::string_view key) const;
    std::optional<ObjectDate> dateForKey(std::string_view key) const;
    std::optional<std::string> stringForKey(std::string_view key) const;

    // To-one relationships; null when unset or when the record it named is gone. The target is
    // read from the file on first use.
    ManagedObject* objectForKey(std::string_view key) const;
    void setObject(ManagedObject* object, std::string_view key);

private:
    friend class ManagedObjectContext;
    friend class PersistentStoreCoordinator;

    size_t requiredAttributeIndex(std::string_view key) const;
    size_t requiredRelationshipIndex(std::string_view key) const;

    ManagedObjectContext& context_;
    const EntityDescription& entity_;
    int64_t objectID_;
    std::vector<ObjectValue> attributeValues_;
    std::vector<int64_t> relationshipIDs_;  // 0: no record
    bool inserted_ = false;
    bool deleted_ = false;
    bool updated_ = false;
};
