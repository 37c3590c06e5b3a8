#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Store/ObjectValue.h"

class ManagedObject;

struct SortDescriptor {
    std::string key;
    bool ascending = true;
};

// Which records of one entity a fetch gives, and in what order. Without a predicate every
// record matches; records that compare equal under every sort key keep the order of their keys
// in the file.
struct FetchRequest {
    std::string entityName;
    std::function<bool(const ManagedObject&)> predicate;
    std::vector<SortDescriptor> sortDescriptors;

    // "(key <= value)" for a 32-bit integer attribute; an unset attribute does not match.
    static std::function<bool(const ManagedObject&)> predicateKeyLessThanOrEqual(std::string key, int32_t value);
};
