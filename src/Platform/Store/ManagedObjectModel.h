#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Store/ObjectValue.h"

class ManagedObject;
class ManagedObjectContext;
struct EntityDescription;

// Makes the record object of an entity, so that an entity can have a class of its own.
using ManagedObjectFactory = std::unique_ptr<ManagedObject> (*)(ManagedObjectContext& context,
                                                                const EntityDescription& entity, int64_t objectID);

struct AttributeDescription {
    std::string name;
    AttributeType type;
};

// A to-one link to a record of another entity. With cascade, deleting the record also deletes
// the record it points to (the owner of a stored value takes the value with it).
struct RelationshipDescription {
    std::string name;
    std::string destinationEntityName;
    bool cascadeDelete = false;
};

struct EntityDescription {
    std::string name;
    std::vector<AttributeDescription> attributes;
    std::vector<RelationshipDescription> relationships;
    // Null: plain ManagedObject records.
    ManagedObjectFactory factory = nullptr;

    // Position of an attribute or relationship by name; absent when the entity has none.
    std::optional<size_t> attributeIndex(std::string_view key) const;
    std::optional<size_t> relationshipIndex(std::string_view key) const;
};

// The entities a store file holds. Entities are looked up by name and keep their order.
class ManagedObjectModel {
public:
    ManagedObjectModel() = default;
    explicit ManagedObjectModel(std::vector<EntityDescription> entities);

    const std::vector<EntityDescription>& entities() const { return entities_; }
    const EntityDescription* entityForName(std::string_view name) const;
    // The position of an entity in entities(); a name the model lacks is a fatal assertion.
    size_t entityIndex(std::string_view name) const;

private:
    std::vector<EntityDescription> entities_;
};
