#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a value is shown. Every field is optional; absent fields take each style's default.
// The key names are the record's names in logs and in stored records.
constexpr std::string_view CalcValueFormatKeyStyle = "CalcValueFormatKeyStyle";
constexpr std::string_view CalcValueFormatKeyNumDecimalPlaces = "CalcValueFormatKeyNumDecimalPlaces";
constexpr std::string_view CalcValueFormatKeyNumSigFig = "CalcValueFormatKeySigFig";
constexpr std::string_view CalcValueFormatKeyMinAutoAsFix = "CalcValueFormatKeyMinAutoAsFix";
constexpr std::string_view CalcValueFormatKeyMaxAutoAsFix = "CalcValueFormatKeyMaxAutoAsFix";
constexpr std::string_view CalcValueFormatKeyExponent = "CalcValueFormatKeyExponent";

using CalcValueFormatStyle = int;

constexpr CalcValueFormatStyle CalcValueFormatStyleFix = 0;
constexpr CalcValueFormatStyle CalcValueFormatStyleEng = 1;
constexpr CalcValueFormatStyle CalcValueFormatStyleSci = 2;
constexpr CalcValueFormatStyle CalcValueFormatStyleAuto = 3;
constexpr CalcValueFormatStyle CalcValueFormatStyleBin = 4;
constexpr CalcValueFormatStyle CalcValueFormatStyleOct = 5;
constexpr CalcValueFormatStyle CalcValueFormatStyleDec = 6;
constexpr CalcValueFormatStyle CalcValueFormatStyleHex = 7;

struct CalcValueFormat {
    std::optional<int> style;
    std::optional<int> numDecimalPlaces;
    std::optional<int> numSigFig;
    std::optional<double> minAutoAsFix;
    std::optional<double> maxAutoAsFix;
    std::optional<int> exponent;

    static CalcValueFormat withStyle(CalcValueFormatStyle style) {
        CalcValueFormat format;
        format.style = style;
        return format;
    }

    bool operator==(const CalcValueFormat&) const = default;
    // "{CalcValueFormatKeyStyle = 0; CalcValueFormatKeyNumDecimalPlaces = 4}" for logs.
    std::string description() const;
};
