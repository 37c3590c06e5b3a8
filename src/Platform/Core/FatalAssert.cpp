#include "Platform/Core/FatalAssert.h"

#include <cstdio>
#include <cstdlib>

void fatalAssert(std::string_view source, std::string_view message) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(source.size()), source.data(),
                 static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}
