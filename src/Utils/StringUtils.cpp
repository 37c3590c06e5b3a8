#include "Utils/StringUtils.h"

std::string StringUtils::stringWithDuplicatedStringCount(std::string_view text, int count) {
    std::string result;
    if (count <= 0) return result;
    result.reserve(text.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) result += text;
    return result;
}
