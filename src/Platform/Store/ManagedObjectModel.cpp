#include "Platform/Store/ManagedObjectModel.h"

#include <string>

#include "Platform/Core/FatalAssert.h"

namespace {

template <typename Descriptions>
std::optional<size_t> indexOfName(const Descriptions& descriptions, std::string_view name) {
    for (size_t index = 0; index < descriptions.size(); ++index) {
        if (descriptions[index].name == name) return index;
    }
    return std::nullopt;
}

}  // namespace

std::optional<size_t> EntityDescription::attributeIndex(std::string_view key) const {
    return indexOfName(attributes, key);
}

std::optional<size_t> EntityDescription::relationshipIndex(std::string_view key) const {
    return indexOfName(relationships, key);
}

ManagedObjectModel::ManagedObjectModel(std::vector<EntityDescription> entities) : entities_(std::move(entities)) {}

const EntityDescription* ManagedObjectModel::entityForName(std::string_view name) const {
    const auto index = indexOfName(entities_, name);
    return index ? &entities_[*index] : nullptr;
}

size_t ManagedObjectModel::entityIndex(std::string_view name) const {
    const auto index = indexOfName(entities_, name);
    if (!index) fatalAssert("Platform/ManagedObjectModel", "unknown entity " + std::string(name));
    return *index;
}
