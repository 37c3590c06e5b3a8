#pragma once

#include <functional>
#include <string>
#include <string_view>

// Plain text lines for the system log. There are no levels. The sink defaults to standard
// error; the app and the tests may replace it.
class Log {
public:
    using Sink = std::function<void(std::string_view line)>;

    static void line(std::string_view text);
    // Printf-style convenience for the few formatted lines ("Error fetching request %s").
    static void format(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Replaces the sink and returns the previous one; an empty sink restores standard error.
    static Sink setSink(Sink sink);
};
