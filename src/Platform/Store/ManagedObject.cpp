#include "Platform/Store/ManagedObject.h"

#include <string>

#include "Platform/Core/FatalAssert.h"
#include "Platform/Store/ManagedObjectContext.h"

namespace {

template <typename T>
std::optional<T> valueOfType(const ObjectValue& value) {
    if (const T* typed = std::get_if<T>(&value)) return *typed;
    return std::nullopt;
}

}  // namespace

ManagedObject::ManagedObject(ManagedObjectContext& context, const EntityDescription& entity, int64_t objectID)
    : context_(context),
      entity_(entity),
      objectID_(objectID),
      attributeValues_(entity.attributes.size()),
      relationshipIDs_(entity.relationships.size(), 0) {}

size_t ManagedObject::requiredAttributeIndex(std::string_view key) const {
    const auto index = entity_.attributeIndex(key);
    if (!index) fatalAssert("Platform/ManagedObject", entity_.name + " has no attribute " + std::string(key));
    return *index;
}

size_t ManagedObject::requiredRelationshipIndex(std::string_view key) const {
    const auto index = entity_.relationshipIndex(key);
    if (!index) fatalAssert("Platform/ManagedObject", entity_.name + " has no relationship " + std::string(key));
    return *index;
}

const ObjectValue& ManagedObject::valueForKey(std::string_view key) const {
    return attributeValues_[requiredAttributeIndex(key)];
}

void ManagedObject::setValue(ObjectValue value, std::string_view key) {
    const size_t index = requiredAttributeIndex(key);
    // The alternatives after std::monostate follow the order of AttributeType.
    const auto expected = static_cast<size_t>(entity_.attributes[index].type) + 1;
    if (value.index() != 0 && value.index() != expected) {
        fatalAssert("Platform/ManagedObject", "value of the wrong type for attribute " + std::string(key));
    }
    attributeValues_[index] = std::move(value);
    context_.noteUpdated(*this);
}

std::optional<int32_t> ManagedObject::int32ForKey(std::string_view key) const {
    return valueOfType<int32_t>(valueForKey(key));
}

std::optional<int64_t> ManagedObject::int64ForKey(std::string_view key) const {
    return valueOfType<int64_t>(valueForKey(key));
}

std::optional<double> ManagedObject::doubleForKey(std::string_view key) const {
    return valueOfType<double>(valueForKey(key));
}

std::optional<bool> ManagedObject::boolForKey(std::string_view key) const {
    return valueOfType<bool>(valueForKey(key));
}

std::optional<ObjectDate> ManagedObject::dateForKey(std::string_view key) const {
    return valueOfType<ObjectDate>(valueForKey(key));
}

std::optional<std::string> ManagedObject::stringForKey(std::string_view key) const {
    return valueOfType<std::string>(valueForKey(key));
}

ManagedObject* ManagedObject::objectForKey(std::string_view key) const {
    const size_t index = requiredRelationshipIndex(key);
    const int64_t targetID = relationshipIDs_[index];
    if (targetID == 0) return nullptr;
    const EntityDescription* target =
        context_.model().entityForName(entity_.relationships[index].destinationEntityName);
    ManagedObject* object = target ? context_.objectWithID(*target, targetID) : nullptr;
    return object && !object->isDeleted() ? object : nullptr;
}

void ManagedObject::setObject(ManagedObject* object, std::string_view key) {
    const size_t index = requiredRelationshipIndex(key);
    if (object && object->entity().name != entity_.relationships[index].destinationEntityName) {
        fatalAssert("Platform/ManagedObject", "wrong entity for relationship " + std::string(key));
    }
    relationshipIDs_[index] = object ? object->objectID() : 0;
    context_.noteUpdated(*this);
}
