#include "Utils/NumberUtils.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "Calculator/Operators.h"
#include "Platform/Core/Localized.h"

// Every number is written and read with the C conventions: std::to_chars and std::from_chars
// behave as printf and strtod in the "C" locale, whatever locale the application runs in.

namespace {

bool isTiny(double x) { return x > -OperatorsMinRealResult && x < OperatorsMinRealResult; }

std::string fixedText(double x, int places) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, places);
    return std::string(buffer, result.ptr);
}

std::string scientificText(double x, int digitsAfterPoint) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, digitsAfterPoint);
    return std::string(buffer, result.ptr);
}

// "%g": six significant figures, the shorter of fixed and exponent form.
std::string generalText(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string exponentText(int exponent) {
    // "%02d" of the exponent, or "-%02d" of its magnitude.
    const unsigned magnitude = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    std::string text = exponent < 0 ? "-" : "";
    if (magnitude < 10) text += '0';
    return text += std::to_string(magnitude);
}

std::string unsignedText(uint64_t value, int base) {
    char buffer[72];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
    std::string text(buffer, result.ptr);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The unsigned bit pattern of an integer at the registry's word size.
uint64_t unsignedBits(const CalcValue& value) {
    if (value.type() == CalcValueTypeUBase) return value.uBaseValue();
    const std::optional<CalcValue> converted =
        value.calcValueAsType(CalcValueTypeUBase, Operators::sharedInstance().wordSize());
    return converted ? converted->uBaseValue() : 0;
}

int significantFigures(const CalcValueFormat* format) {
    if (format && format->numSigFig && *format->numSigFig <= 10) return *format->numSigFig;
    return 10;
}

bool isDigitOfBase(char c, int base) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
        digit = c - '0';
    } else if (c >= 'a' && c <= 'z') {
        digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'Z') {
        digit = c - 'A' + 10;
    } else {
        return false;
    }
    return digit < base;
}

// Reads an unsigned number the way strtoull does: leading white space, an optional sign, and
// with base 0 a "0x" or "0" prefix choosing the base. A text without a digit is no number, so
// that a pasted word ending in "b", "o" or "u" ("Bob") does not replace the value with 0.
std::optional<uint64_t> unsignedFromText(std::string_view text, int base) {
    const std::string copy(text);
    char* end = nullptr;
    const uint64_t value = std::strtoull(copy.c_str(), &end, base);
    if (end == copy.c_str()) return std::nullopt;
    return value;
}

// A hexadecimal number at the start of the text, with an optional "0x" prefix; saturates on
// overflow. No value without a hex digit.
std::optional<uint64_t> scanHex(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && i + 2 < text.size() &&
        isDigitOfBase(text[i + 2], 16)) {
        i += 2;
    }
    if (i >= text.size() || !isDigitOfBase(text[i], 16)) return std::nullopt;
    uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && isDigitOfBase(text[i], 16); ++i) {
        const int digit = std::isdigit(static_cast<unsigned char>(text[i]))
                              ? text[i] - '0'
                              : std::tolower(static_cast<unsigned char>(text[i])) - 'a' + 10;
        if (value > (UINT64_MAX >> 4)) overflow = true;
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    return overflow ? UINT64_MAX : value;
}

// A signed decimal, skipping the characters "#" and " " before it; saturates on overflow.
std::optional<int64_t> scanSignedDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == '#' || text[i] == ' ')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (magnitude > (UINT64_MAX - digit) / 10) overflow = true;
        magnitude = magnitude * 10 + digit;
    }
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (overflow || magnitude > limit) return negative ? INT64_MIN : INT64_MAX;
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

// A finite decimal real at the start of the text. Words such as "inf" or "nan" and numbers too
// large for a double are not numbers the calculator can take.
std::optional<double> scanDouble(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::string_view rest = text.substr(i);
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || !(std::isdigit(static_cast<unsigned char>(rest[0])) || rest[0] == '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::string_view afterFirstHash(std::string_view text) {
    const size_t hash = text.find('#');
    return hash == std::string_view::npos ? text : text.substr(hash + 1);
}

}  // namespace

CalcValueStrings NumberUtils::stringsFromCalcValue(const CalcValue& value, const CalcValueFormat* format) {
    if (value.type() == CalcValueTypeReal) return stringsFromCalcValueReal(value, format);
    return stringsFromCalcValueBase(value, format);
}

std::string NumberUtils::stringFromCalcValue(const CalcValue& value, const CalcValueFormat* format) {
    const CalcValueStrings strings = stringsFromCalcValue(value, format);
    if (value.type() == CalcValueTypeReal) {
        return strings[1].empty() ? strings[0] : strings[0] + "e" + strings[1];
    }
    return strings[0] + strings[1];
}

std::optional<std::string> NumberUtils::accessibilityStringFromCalcValue(const CalcValue& value,
                                                                         const CalcValueFormat* format) {
    const CalcValueStrings strings = stringsFromCalcValue(value, format);
    const std::string& second = strings[1];
    const char* baseWord = second == "b"   ? "binary"
                           : second == "o" ? "octal"
                           : second == "d" ? "decimal"
                           : second == "h" ? "hex"
                                           : nullptr;
    if (baseWord) return Localized::string(baseWord) + " " + strings[0];
    if (second.empty()) return strings[0];
    return strings[0] + " times 10 to the power " + second;
}

CalcValueStrings NumberUtils::stringsFromCalcValueReal(const CalcValue& value, const CalcValueFormat* format) {
    const double x = value.realValue();
    if (std::isnan(x)) return {"NaN", ""};
    if (std::isinf(x)) return {"Infinity", ""};
    if (format && format->style) {
        switch (*format->style) {
            case CalcValueFormatStyleFix: return stringsFromCalcValueRealFix(value, format);
            case CalcValueFormatStyleEng: return stringsFromCalcValueRealEng(value, format);
            case CalcValueFormatStyleSci: return stringsFromCalcValueRealSci(value, format);
            // A real given an integer style shows in Auto.
            case CalcValueFormatStyleAuto:
            case CalcValueFormatStyleBin:
            case CalcValueFormatStyleOct:
            case CalcValueFormatStyleDec:
            case CalcValueFormatStyleHex: break;
        }
        return stringsFromCalcValueRealAuto(value, format);
    }
    return {generalText(x), ""};
}

CalcValueStrings NumberUtils::stringsFromCalcValueRealFix(const CalcValue& value, const CalcValueFormat* format) {
    double x = value.realValue();
    if (x >= CalcValueFormatMaxAutoAsFix || x <= -CalcValueFormatMaxAutoAsFix)
        return stringsFromCalcValueRealAuto(value, format);
    int places = 10;
    if (format && format->numDecimalPlaces) places = std::min(*format->numDecimalPlaces, 10);
    if (places < 0) places = 0;
    // Values that round to zero show as zero, never as "-0.00".
    const double half = 0.5 * std::pow(10.0, -places);
    if (x > -half && x < half) x = 0.0;
    std::string main = fixedText(x, places);
    if (places == 0) main += ".";
    std::string second;
    if (format && format->exponent) second = exponentText(*format->exponent);
    return {main, second};
}

CalcValueStrings NumberUtils::stringsFromCalcValueRealSci(const CalcValue& value, const CalcValueFormat* format) {
    const double x = value.realValue();
    if (isTiny(x)) return {"0", "00"};
    const int figures = significantFigures(format);
    const std::string text = scientificText(x, figures > 0 ? figures - 1 : 0);
    const size_t e = text.find('e');
    return {stringStripTrailingZeros(std::string_view(text).substr(0, e)),
            stringStripPlusPrefix(std::string_view(text).substr(e + 1))};
}

CalcValueStrings NumberUtils::stringsFromCalcValueRealEng(const CalcValue& value, const CalcValueFormat* format) {
    CalcValueStrings sci = stringsFromCalcValueRealSci(value, format);
    const int a = std::atoi(sci[1].c_str());
    if (a == 3 * (a / 3)) return sci;
    double mantissa = 0.0;
    std::from_chars(sci[0].data(), sci[0].data() + sci[0].size(), mantissa);
    // The exponent moves down to the next multiple of three at or below it.
    const int b = a > 0 ? 3 * (a / 3) : 3 * ((a - 2) / 3);
    mantissa *= std::pow(10.0, a - b);
    return {stringStripTrailingZeros(fixedText(mantissa, 10)), exponentText(b)};
}

CalcValueStrings NumberUtils::stringsFromCalcValueRealAuto(const CalcValue& value, const CalcValueFormat* format) {
    const double x = value.realValue();
    if (isTiny(x)) return {"0", ""};
    const int places = format && format->numDecimalPlaces ? *format->numDecimalPlaces : 10;
    const int figures = format && format->numSigFig ? *format->numSigFig : 10;
    const double minimum = format && format->minAutoAsFix ? *format->minAutoAsFix : CalcValueFormatMinAutoAsFix;
    const double maximum = format && format->maxAutoAsFix ? *format->maxAutoAsFix : CalcValueFormatMaxAutoAsFix;
    if ((x >= -minimum && x <= minimum) || x >= maximum || x <= -maximum) {
        CalcValueFormat sci = CalcValueFormat::withStyle(CalcValueFormatStyleSci);
        sci.numSigFig = figures;
        return stringsFromCalcValueRealSci(value, &sci);
    }
    CalcValueFormat fix = CalcValueFormat::withStyle(CalcValueFormatStyleFix);
    fix.numDecimalPlaces = places;
    return {stringStripTrailingZeros(stringsFromCalcValueRealFix(value, &fix)[0]), ""};
}

CalcValueStrings NumberUtils::stringsFromCalcValueBase(const CalcValue& value, const CalcValueFormat* format) {
    switch (format && format->style ? *format->style : CalcValueFormatStyleHex) {
        case CalcValueFormatStyleBin: return stringsFromCalcValueBaseBin(value, format);
        case CalcValueFormatStyleOct: return stringsFromCalcValueBaseOct(value, format);
        case CalcValueFormatStyleDec: return stringsFromCalcValueBaseDec(value, format);
        // An integer given a real style, or none, shows in hexadecimal.
        case CalcValueFormatStyleHex:
        case CalcValueFormatStyleFix:
        case CalcValueFormatStyleEng:
        case CalcValueFormatStyleSci:
        case CalcValueFormatStyleAuto: break;
    }
    return stringsFromCalcValueBaseHex(value, format);
}

CalcValueStrings NumberUtils::stringsFromCalcValueBaseBin(const CalcValue& value, const CalcValueFormat*) {
    return {stringInBinaryFromUint64(unsignedBits(value)), "b"};
}

CalcValueStrings NumberUtils::stringsFromCalcValueBaseOct(const CalcValue& value, const CalcValueFormat*) {
    return {unsignedText(unsignedBits(value), 8), "o"};
}

CalcValueStrings NumberUtils::stringsFromCalcValueBaseDec(const CalcValue& value, const CalcValueFormat*) {
    if (value.type() == CalcValueTypeSBase && value.sBaseValue() < 0) {
        // The magnitude in unsigned arithmetic, so that the most negative value prints.
        std::string text = "-";
        return {text += unsignedText(0 - static_cast<uint64_t>(value.sBaseValue()), 10), "d"};
    }
    const uint64_t magnitude =
        value.type() == CalcValueTypeSBase ? static_cast<uint64_t>(value.sBaseValue()) : value.uBaseValue();
    return {unsignedText(magnitude, 10), "d"};
}

CalcValueStrings NumberUtils::stringsFromCalcValueBaseHex(const CalcValue& value, const CalcValueFormat*) {
    return {unsignedText(unsignedBits(value), 16), "h"};
}

std::string NumberUtils::stringInBinaryFromUint64(uint64_t value) {
    if (value == 0) return "0";
    char buffer[80];
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (int digits = 0; value != 0; ++digits, value >>= 1) {
        if (digits > 0 && digits % 4 == 0) *--p = ' ';
        *--p = static_cast<char>('0' + (value & 1));
    }
    return std::string(p, end);
}

std::string NumberUtils::stringStripTrailingZeros(std::string_view text) {
    if (text.find('.') == std::string_view::npos) return std::string(text);
    while (!text.empty() && text.back() == '0') text.remove_suffix(1);
    if (!text.empty() && text.back() == '.') text.remove_suffix(1);
    return std::string(text);
}

std::string NumberUtils::stringStripPlusPrefix(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return std::string(text);
}

std::optional<CalcValue> NumberUtils::calcValueFromString(std::string_view text) {
    size_t hex = text.find("0x");
    if (hex == std::string_view::npos) hex = text.find("0X");
    if (hex != std::string_view::npos) {
        if (const std::optional<uint64_t> value = scanHex(text.substr(hex))) {
            return CalcValue::calcValueWithUBaseValue(*value);
        }
    }
    if (!text.empty()) {
        switch (text.back()) {
            case 'd':
                if (const std::optional<int64_t> value = scanSignedDecimal(text)) {
                    return CalcValue::calcValueWithSBaseValue(*value);
                }
                break;
            case 'u': {
                const bool hasHash = text.find('#') != std::string_view::npos;
                const std::optional<uint64_t> value =
                    hasHash ? unsignedFromText(afterFirstHash(text), 10) : unsignedFromText(text, 0);
                if (value) return CalcValue::calcValueWithUBaseValue(*value);
                return std::nullopt;
            }
            case 'o':
            case 'b': {
                const std::optional<uint64_t> value =
                    unsignedFromText(afterFirstHash(text), text.back() == 'o' ? 8 : 2);
                if (value) return CalcValue::calcValueWithUBaseValue(*value);
                return std::nullopt;
            }
            default: break;
        }
    }
    if (const std::optional<double> value = scanDouble(text)) return CalcValue::calcValueWithRealValue(*value);
    return std::nullopt;
}

std::string NumberUtils::pasteboardStringFromCalcValue(const CalcValue& value, const CalcValueFormat& format) {
    if (!value.isInteger()) return stringFromCalcValue(value, &format);
    const CalcValueStrings strings = stringsFromCalcValue(value, &format);
    std::string digits = strings[0];
    // The parser reads hexadecimal by its prefix, the other bases by their letter.
    switch (format.style.value_or(CalcValueFormatStyleHex)) {
        case CalcValueFormatStyleBin: std::erase(digits, ' '); return digits + "b";
        case CalcValueFormatStyleOct: return digits + "o";
        case CalcValueFormatStyleDec: return digits + (value.type() == CalcValueTypeSBase ? "d" : "u");
        default: return "0x" + digits;
    }
}

double NumberUtils::roundValueToIntWithPrecision(double x, double precision) {
    const double rounded = std::round(x);
    return std::fabs(x - rounded) < precision ? rounded : x;
}

double NumberUtils::radiansFromDegrees(double degrees) { return degrees * 3.141592653589793 / 180.0; }

double NumberUtils::degreesFromRadians(double radians) { return radians * 180.0 / 3.141592653589793; }
