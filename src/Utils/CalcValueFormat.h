#pragma once

#include <cstdint>
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

// How a value is shown: four styles for reals, four number bases for integers. The numbers are
// stored with history steps and favourites, so they never change.
enum CalcValueFormatStyle : int32_t {
    CalcValueFormatStyleFix = 0,
    CalcValueFormatStyleEng = 1,
    CalcValueFormatStyleSci = 2,
    CalcValueFormatStyleAuto = 3,
    CalcValueFormatStyleBin = 4,
    CalcValueFormatStyleOct = 5,
    CalcValueFormatStyleDec = 6,
    CalcValueFormatStyleHex = 7,
};

// The style a stored number stands for; none for a number no style has.
constexpr std::optional<CalcValueFormatStyle> calcValueFormatStyleFromInt32(int32_t number) {
    if (number < CalcValueFormatStyleFix || number > CalcValueFormatStyleHex) return std::nullopt;
    return static_cast<CalcValueFormatStyle>(number);
}

// Auto shows a real in Sci from this magnitude up, and at or below the smallest one; in Fix
// between them. Fix itself gives way to Auto from the largest.
constexpr double CalcValueFormatMaxAutoAsFix = 1e11;
constexpr double CalcValueFormatMinAutoAsFix = 1e-11;

struct CalcValueFormat {
    std::optional<CalcValueFormatStyle> style;
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
