#include "Platform/Core/UserDefaultsIniParser.h"

#include <vector>

namespace {

// The characters QSettings skips before a line and those that end or change one.
bool isLineSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isLineSpecial(char c) { return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\'; }
template <typename Char>
bool isAsciiSpace(Char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isAsciiSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isAsciiSpace(text.back())) text.remove_suffix(1);
    return text;
}

template <typename Char>
Char asciiLower(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Text>
bool equalsIgnoringAsciiCase(const Text& text, std::string_view ascii) {
    if (text.size() != ascii.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (asciiLower(text[i]) != asciiLower(static_cast<typename Text::value_type>(ascii[i]))) return false;
    }
    return true;
}

struct IniLine {
    std::string_view text;
    std::optional<size_t> equals;  // within text, outside quotes
};

// One logical line from position on; false at the end of the text.
bool readLine(std::string_view data, size_t& position, IniLine& line) {
    const size_t size = data.size();
    bool inQuotes = false;
    std::optional<size_t> equals;
    size_t start = position;
    while (start < size && isLineSpace(data[start])) ++start;
    size_t i = start;
    while (i < size) {
        const char c = data[i++];
        if (!isLineSpecial(c)) continue;
        if (c == '=') {
            if (!inQuotes && !equals) equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n'))) ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) {  // ';' starting a line: a comment
            while (i < size && data[i] != '\n' && data[i] != '\r') ++i;
            while (i < size && isLineSpace(data[i])) ++i;
            start = i;
        } else if (!inQuotes) {  // ';' after text ends the line
            --i;
            break;
        }
    }
    position = i;
    line.text = data.substr(start, i - start);
    line.equals = equals ? std::optional<size_t>(*equals - start) : std::nullopt;
    return i > start;
}

// UTF-8 to UTF-16, keeping an incomplete sequence for the next piece as a running decoder does;
// what cannot be decoded becomes U+FFFD.
class Utf8Decoder {
public:
    void decode(std::string_view bytes, std::u16string& out) {
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            if (pending_ > 0) {
                if ((byte & 0xC0) == 0x80) {
                    codePoint_ = codePoint_ << 6 | (byte & 0x3F);
                    if (--pending_ == 0) finish(out);
                    continue;
                }
                pending_ = 0;
                decodedAny_ = true;
                out += u'\uFFFD';
            }
            if (byte < 0x80) {
                decodedAny_ = true;
                out += static_cast<char16_t>(byte);
            } else if (byte >= 0xC2 && byte < 0xE0) {
                start(byte & 0x1F, 1, 0x80);
            } else if (byte >= 0xE0 && byte < 0xF0) {
                start(byte & 0x0F, 2, 0x800);
            } else if (byte >= 0xF0 && byte < 0xF5) {
                start(byte & 0x07, 3, 0x10000);
            } else {
                decodedAny_ = true;
                out += u'\uFFFD';
            }
        }
    }
    // A sequence still incomplete at the end of the text is dropped, as QSettings drops it.
    bool hasPending() const { return pending_ > 0; }

private:
    void start(uint32_t bits, int continuations, uint32_t smallest) {
        codePoint_ = bits;
        pending_ = continuations;
        smallest_ = smallest;
    }
    void finish(std::u16string& out) {
        // A byte order mark that is the first thing decoded is dropped.
        const bool first = !decodedAny_;
        decodedAny_ = true;
        if (first && codePoint_ == 0xFEFF) return;
        if (codePoint_ < smallest_ || codePoint_ > 0x10FFFF || (codePoint_ >= 0xD800 && codePoint_ < 0xE000)) {
            out += u'\uFFFD';
        } else if (codePoint_ >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((codePoint_ - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((codePoint_ - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(codePoint_);
        }
    }

    uint32_t codePoint_ = 0;
    uint32_t smallest_ = 0;
    int pending_ = 0;
    bool decodedAny_ = false;
};

std::u16string decodedUtf8(std::string_view bytes) {
    std::u16string text;
    Utf8Decoder decoder;
    decoder.decode(bytes, text);
    if (decoder.hasPending()) text += u'\uFFFD';
    return text;
}

std::string encodedUtf8(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
        } else if (unit < 0x800) {
            bytes += static_cast<char>(0xC0 | (unit >> 6));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (unit >> 12));
            bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}

int hexDigit(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A short hexadecimal number as QString::toUShort(16) reads it: white space around it, a plus
// sign, an optional "0x".
std::optional<char16_t> hexNumber(std::u16string_view text) {
    while (!text.empty() && isAsciiSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isAsciiSpace(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    if (text.empty()) return std::nullopt;
    uint32_t value = 0;
    for (const char16_t c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return static_cast<char16_t>(value);
}

// "\" separates groups; "%XX" and "%UXXXX" are characters.
std::string unescapedKey(std::string_view bytes) {
    const std::u16string key = decodedUtf8(bytes);
    std::u16string result;
    size_t i = 0;
    while (i < key.size()) {
        const char16_t c = key[i];
        if (c == '\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (c != '%' || i == key.size() - 1) {
            result += c;
            ++i;
            continue;
        }
        size_t first = i + 1;
        size_t digits = 2;
        if (key[i + 1] == 'U') {
            ++first;
            digits = 4;
        }
        const std::optional<char16_t> decoded =
            first + digits > key.size() ? std::nullopt : hexNumber(std::u16string_view(key).substr(first, digits));
        if (!decoded) {
            result += u'%';
            ++i;
            continue;
        }
        result += *decoded;
        i = first + digits;
    }
    return encodedUtf8(result);
}

void chopTrailingSpaces(std::u16string& text, size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

char16_t escapedCharacter(char c) {
    switch (c) {
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'v': return '\v';
        case '"':
        case '?':
        case '\'':
        case '\\': return static_cast<char16_t>(c);
        default: return 0;
    }
}

// Quotes, C escapes (with hexadecimal and octal numbers kept to 16 bits) and commas outside
// quotes, which make a list.
UserDefaultsIniValue unescapedValue(std::string_view bytes) {
    UserDefaultsIniValue value;
    value.kind = UserDefaultsIniValue::Kind::Text;
    std::u16string& text = value.text;
    Utf8Decoder decoder;
    bool inQuotes = false;
    bool isQuoted = false;
    size_t i = 0;
    auto skipSpaces = [&] {
        while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t')) ++i;
    };
    skipSpaces();
    size_t chopLimit = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\\') {
            // A backslash or "\x" at the very end ends the value without trimming it.
            if (++i >= bytes.size()) return value;
            const char escaped = bytes[i++];
            if (const char16_t character = escapedCharacter(escaped)) {
                text += character;
            } else if (escaped == 'x' || (escaped >= '0' && escaped <= '7')) {
                const int base = escaped == 'x' ? 16 : 8;
                if (base == 16 && i >= bytes.size()) return value;
                if (base == 16 && hexDigit(static_cast<unsigned char>(bytes[i])) < 0) {
                    chopLimit = text.size();
                    continue;
                }
                char16_t number = base == 8 ? static_cast<char16_t>(escaped - '0') : 0;
                while (i < bytes.size()) {
                    const int digit = hexDigit(static_cast<unsigned char>(bytes[i]));
                    if (digit < 0 || digit >= base) break;
                    number = static_cast<char16_t>(number * base + digit);
                    ++i;
                }
                text += number;
            } else if ((escaped == '\n' || escaped == '\r') && i < bytes.size() &&
                       (bytes[i] == '\n' || bytes[i] == '\r') && bytes[i] != escaped) {
                ++i;
            }
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            isQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) skipSpaces();
        } else if (c == ',' && !inQuotes) {
            // Each item of a list reads alike; the calculator reads a list as no number.
            value.kind = UserDefaultsIniValue::Kind::List;
            text.clear();
            isQuoted = false;
            ++i;
            skipSpaces();
            chopLimit = 0;
        } else {
            size_t end = i + 1;
            while (end < bytes.size() && bytes[end] != '\\' && bytes[end] != '"' && bytes[end] != ',') ++end;
            decoder.decode(bytes.substr(i, end - i), text);
            i = end;
        }
    }
    if (!isQuoted) chopTrailingSpaces(text, chopLimit);
    return value;
}

// The kinds written as "@Type(...)"; "@@" stands for one "@".
void readVariantForm(UserDefaultsIniValue& value) {
    if (value.kind != UserDefaultsIniValue::Kind::Text) return;
    std::u16string& text = value.text;
    if (text.empty() || text.front() != '@') return;
    auto startsWith = [&](std::u16string_view prefix) { return text.starts_with(prefix); };
    // "@Rect(" and its kin with the wrong number of space-separated parts stay text.
    auto parts = [&](size_t open) {
        size_t count = 0;
        for (size_t i = open + 1; i < text.size(); ++i) count += text[i] == ' ' || text[i] == ')';
        return count;
    };
    if (text.back() == ')') {
        if (startsWith(u"@ByteArray(")) {
            std::u16string bytes = text.substr(11, text.size() - 12);
            for (char16_t& unit : bytes) {
                if (unit > 0xFF) unit = '?';
            }
            text = bytes;
            return;
        }
        if (startsWith(u"@String(")) {
            text = text.substr(8, text.size() - 9);
            return;
        }
        if (startsWith(u"@Variant(") || startsWith(u"@DateTime(") || text == u"@Invalid()" ||
            (startsWith(u"@Rect(") && parts(5) == 4) || (startsWith(u"@Size(") && parts(5) == 2) ||
            (startsWith(u"@Point(") && parts(6) == 2)) {
            value.kind = UserDefaultsIniValue::Kind::Other;
            return;
        }
    }
    if (startsWith(u"@@")) text.erase(0, 1);
}

}  // namespace

int32_t UserDefaultsIniValue::integerValue() const {
    if (kind != Kind::Text) return 0;
    std::u16string_view number(text);
    number = number.substr(0, number.find(u'\0'));
    while (!number.empty() && isAsciiSpace(number.front())) number.remove_prefix(1);
    while (!number.empty() && isAsciiSpace(number.back())) number.remove_suffix(1);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (number.empty()) return 0;
    uint64_t magnitude = 0;
    for (const char16_t c : number) {
        if (c < '0' || c > '9') return 0;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (UINT64_MAX - digit) / 10) return 0;
        magnitude = magnitude * 10 + digit;
    }
    // A 64-bit number, then its low 32 bits.
    if (magnitude > (negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1)) return 0;
    const uint64_t bits = negative ? 0 - magnitude : magnitude;
    return static_cast<int32_t>(static_cast<uint32_t>(bits));
}

bool UserDefaultsIniValue::boolValue() const {
    if (kind != Kind::Text) return false;
    return !(text.empty() || text == u"0" || equalsIgnoringAsciiCase(text, "false"));
}

std::optional<std::map<std::string, UserDefaultsIniValue, std::less<>>> UserDefaultsIniParser::generalValuesFromText(
    std::string_view text) {
    // First the section headers split the text, then each section is read on its own, as
    // QSettings does. The lines before the first header belong to [General] and start at the
    // very beginning, byte order mark included, although headers are looked for after it.
    struct Section {
        std::string_view text;
        bool isGeneral;
    };
    std::vector<Section> sections;
    bool sound = true;
    bool isGeneral = true;
    size_t sectionStart = 0;
    size_t position = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    IniLine line;
    while (readLine(text, position, line)) {
        if (line.text.front() != '[') continue;
        const size_t lineStart = static_cast<size_t>(line.text.data() - text.data());
        sections.push_back({text.substr(sectionStart, lineStart - sectionStart), isGeneral});
        const size_t close = line.text.find(']');
        if (close == std::string_view::npos) sound = false;
        const std::string_view name =
            trimmed(close == std::string_view::npos ? line.text.substr(1) : line.text.substr(1, close - 1));
        isGeneral = equalsIgnoringAsciiCase(name, "general");
        sectionStart = position;
    }
    sections.push_back({text.substr(sectionStart), isGeneral});

    std::map<std::string, UserDefaultsIniValue, std::less<>> values;
    for (const Section& section : sections) {
        size_t at = 0;
        while (readLine(section.text, at, line)) {
            if (!line.equals) {
                if (line.text.front() != ';') sound = false;
                continue;
            }
            if (!section.isGeneral) continue;
            UserDefaultsIniValue value = unescapedValue(line.text.substr(*line.equals + 1));
            readVariantForm(value);
            values.insert_or_assign(unescapedKey(trimmed(line.text.substr(0, *line.equals))), std::move(value));
        }
    }
    if (!sound) return std::nullopt;
    return values;
}
