#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Model/CalcValue.h"
#include "Utils/CalcValueFormat.h"

// [main text, second text]: digits and base letter, or mantissa and exponent.
using CalcValueStrings = std::array<std::string, 2>;

// Values to text and back, by the C conventions whatever the user's locale. Stateless.
class NumberUtils {
public:
    static CalcValueStrings stringsFromCalcValue(const CalcValue& value, const CalcValueFormat* format);
    static std::string stringFromCalcValue(const CalcValue& value, const CalcValueFormat* format);
    static std::optional<std::string> accessibilityStringFromCalcValue(const CalcValue& value,
                                                                       const CalcValueFormat* format);

    static CalcValueStrings stringsFromCalcValueReal(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueRealFix(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueRealSci(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueRealEng(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueRealAuto(const CalcValue& value, const CalcValueFormat* format);

    static CalcValueStrings stringsFromCalcValueBase(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueBaseBin(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueBaseOct(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueBaseDec(const CalcValue& value, const CalcValueFormat* format);
    static CalcValueStrings stringsFromCalcValueBaseHex(const CalcValue& value, const CalcValueFormat* format);

    static std::string stringInBinaryFromUint64(uint64_t value);
    static std::string stringStripTrailingZeros(std::string_view text);
    static std::string stringStripPlusPrefix(std::string_view text);
    static std::optional<CalcValue> calcValueFromString(std::string_view text);
    // The text Copy puts on the clipboard, which calcValueFromString reads back as the value
    // shown in the format: "0xFF", "-42d", "300u", "1010b", "2.5".
    static std::string pasteboardStringFromCalcValue(const CalcValue& value, const CalcValueFormat& format);

    static double roundValueToIntWithPrecision(double x, double precision);
    static double radiansFromDegrees(double degrees);
    static double degreesFromRadians(double radians);
};
