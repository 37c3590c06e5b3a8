#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// One value of the settings file, unescaped as QSettings unescapes it.
struct UserDefaultsIniValue {
    // Text (also the bytes of "@ByteArray(...)"), a list (a comma outside quotes), or a value
    // of another kind ("@Invalid()", "@Rect(...)", a serialized variant) that reads as no number.
    enum class Kind { Text, List, Other };
    Kind kind = Kind::Other;
    std::u16string text;

    // As QVariant::toInt reads it: the text up to its first NUL, white space around it, a sign
    // and decimal digits of a 64-bit number, taken to 32 bits; 0 for anything else.
    int32_t integerValue() const;
    // As QVariant::toBool reads it: text is true unless empty, "0" or "false" in any case.
    bool boolValue() const;
};

// The settings file in the INI format QSettings writes, read the way QSettings reads it so that
// the command line sees what the calculator sees, without loading Qt: logical lines (a quoted
// value may span lines, a backslash escapes the next character, ";" starts a comment), the
// [General] section and the lines before any section, keys with "%XX" escapes, values with
// quotes, C escapes and comma lists, the last of equal keys winning.
class UserDefaultsIniParser {
public:
    // The values of the [General] section by key (keys in UTF-8). Nothing when QSettings reports
    // the file as damaged, a section header without "]" or a line without "=" that is no
    // comment: the calculator then sets the file aside and starts from the defaults.
    static std::optional<std::map<std::string, UserDefaultsIniValue, std::less<>>> generalValuesFromText(
        std::string_view text);
};
