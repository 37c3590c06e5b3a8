#include "Utils/CalcValueFormat.h"

#include <charconv>

namespace {

template <typename T>
void appendField(std::string& text, std::string_view key, const std::optional<T>& field) {
    if (!field) return;
    if (text.size() > 1) text += "; ";
    text += key;
    text += " = ";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, *field);
    text.append(buffer, result.ptr);
}

}  // namespace

std::string CalcValueFormat::description() const {
    std::string text = "{";
    appendField(text, CalcValueFormatKeyStyle, style ? std::optional<int32_t>(*style) : std::nullopt);
    appendField(text, CalcValueFormatKeyNumDecimalPlaces, numDecimalPlaces);
    appendField(text, CalcValueFormatKeyNumSigFig, numSigFig);
    appendField(text, CalcValueFormatKeyMinAutoAsFix, minAutoAsFix);
    appendField(text, CalcValueFormatKeyMaxAutoAsFix, maxAutoAsFix);
    appendField(text, CalcValueFormatKeyExponent, exponent);
    return text + "}";
}
