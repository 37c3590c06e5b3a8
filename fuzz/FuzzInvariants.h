#pragma once

#include <string>
#include <string_view>

#include "Model/CalcValue.h"
#include "Utils/CalcValueFormat.h"

class CalcEngine;
class FuzzScreen;

// What must hold whatever the input, checked by every fuzz target. A broken property is printed
// and aborts the process, which libFuzzer reports as a crash together with the input.
class FuzzInvariants {
public:
    [[noreturn]] static void fail(const std::string& what);
    static void require(bool condition, const std::string& what) {
        if (!condition) fail(what);
    }

    // Counted without the masking rules: an unsigned value below 2^w, a signed one from -2^(w-1)
    // up to but not including 2^(w-1).
    static bool isWithinWordSize(const CalcValue& value, int wordSize);
    // Whether a real shown in the format shows every digit: its shortest exact decimal needs no
    // more digits than the format shows.
    static bool showsEveryDigit(double x, const CalcValueFormat& format);

    // A pasted value is finite, and within the word size when it is an integer.
    static void checkPastedValue(const CalcValue& value, int wordSize, std::string_view text);
    // A real accumulator is finite, whatever the keys.
    static void checkAccumulator(const CalcEngine& engine);
    // After "=" the calculation is complete: the stack is empty unless an error is shown, and
    // an integer accumulator lies within the word size.
    static void checkAfterEquals(const CalcEngine& engine, int wordSize);
    // Copy on each display page and Paste on a fresh screen of the same settings give back the
    // value shown, on every page that shows every digit of it.
    static void checkCopyThenPaste(const FuzzScreen& screen);
};
