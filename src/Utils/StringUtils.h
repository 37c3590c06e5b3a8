#pragma once

#include <string>
#include <string_view>

class StringUtils {
public:
    // The text repeated count times; empty for a count of 0 or less.
    static std::string stringWithDuplicatedStringCount(std::string_view text, int count);
};
