#include "Platform/Store/FetchRequest.h"

#include "Platform/Store/ManagedObject.h"

std::function<bool(const ManagedObject&)> FetchRequest::predicateKeyLessThanOrEqual(std::string key, int32_t value) {
    return [key = std::move(key), value](const ManagedObject& object) {
        const auto stored = object.int32ForKey(key);
        return stored && *stored <= value;
    };
}
