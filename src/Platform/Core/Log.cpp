#include "Platform/Core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

Log::Sink& currentSink() {
    static Log::Sink sink;
    return sink;
}

}  // namespace

void Log::line(std::string_view text) {
    if (const Sink& sink = currentSink()) {
        sink(text);
        return;
    }
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void Log::format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    line(std::string_view(buffer.data(), buffer.size() - 1));
}

Log::Sink Log::setSink(Sink sink) { return std::exchange(currentSink(), std::move(sink)); }
