#pragma once

#include <optional>
#include <string>
#include <string_view>

// The system clipboard, addressed by pasteboard type; plain text travels as
// "public.utf8-plain-text" and no other type is kept.
class Clipboard {
public:
    static constexpr std::string_view ClipboardTypeUTF8PlainText = "public.utf8-plain-text";

    // The text held under that type, or none (also for any other type).
    static std::optional<std::string> valueForPasteboardType(std::string_view type);
    static void setValueForPasteboardType(std::string_view value, std::string_view type);
};
