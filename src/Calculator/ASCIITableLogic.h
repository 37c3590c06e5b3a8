#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Model/CalcValue.h"

class CalcEngine;

// What the ASCII table does that is not drawing: the cell the accumulator presses, the texts
// of each cell, and the value a tap enters. The table page and the command line share it.
class ASCIITableLogic {
public:
    static constexpr int32_t ASCIITableLogicCodeCount = 128;

    static constexpr bool isASCIIValue(int64_t code) { return code >= 0 && code < ASCIITableLogicCodeCount; }

    // An unsigned or signed integer from 0 to 127 is its own code, a real from 0.0 up to but not
    // including 128.0 gives its value truncated toward zero; nothing else has a code.
    static std::optional<int32_t> asciiValueFromCalcValue(const CalcValue& value);

    // The control name ("NUL" ... "US", with "TAB" for 9), the character itself, or "DEL".
    static std::string characterTextFromASCIIValue(int32_t asciiValue);
    // The code in a number base: binary in groups of four ("100 0001"), "101o", "65d", "41h";
    // "?" in any other base.
    static std::string valueTextFromASCIIValue(int32_t asciiValue, int32_t numberBase);

    // The code converted to the accumulator's kind at word size 8: "A" is unsigned 65, signed 65
    // or the real 65.0.
    static CalcValue calcValueFromASCIIValue(int32_t asciiValue, CalcValueType accumulatorType);
    // A tap on the cell: the engine takes that value as its accumulator.
    static void enterASCIIValue(CalcEngine& engine, int32_t asciiValue);
};
