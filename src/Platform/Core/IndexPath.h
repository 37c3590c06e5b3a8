#pragma once

#include <compare>
#include <cstddef>

// A row of a sectioned list: the live lists of the store report changes with it, and the
// tables of the screens ask for cells and report choices with it.
struct IndexPath {
    size_t section = 0;
    size_t row = 0;
    bool operator==(const IndexPath&) const = default;
    auto operator<=>(const IndexPath&) const = default;
};
