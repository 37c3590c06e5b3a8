#pragma once

#include <string_view>

// Internal impossibilities (an unknown state, tag or operator) end the process: they print
// "source: message" on standard error and abort.
[[noreturn]] void fatalAssert(std::string_view source, std::string_view message);

inline void fatalAssertUnless(bool condition, std::string_view source, std::string_view message) {
    if (!condition) fatalAssert(source, message);
}
