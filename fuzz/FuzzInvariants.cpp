#include "FuzzInvariants.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Calculator/CalcEngine.h"
#include "FuzzScreen.h"

namespace {

// A real as the shortest decimal that reads back as it: d.ddd × 10^exponent.
struct ShortestDecimal {
    int digits = 0;
    int exponent = 0;
};

ShortestDecimal shortestDecimal(double x) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
    ShortestDecimal decimal;
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') ++decimal.digits;
    }
    if (p < result.ptr) std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, decimal.exponent);
    return decimal;
}

// The decimal places of the fixed style and the figures of the exponent styles, as the number
// text limits them.
int placesShown(const CalcValueFormat& format) {
    const int places = format.numDecimalPlaces.value_or(10);
    return places < 0 ? 0 : places > 10 ? 10 : places;
}

int figuresShown(const CalcValueFormat& format) {
    const int figures = format.numSigFig && *format.numSigFig <= 10 ? *format.numSigFig : 10;
    return figures < 1 ? 1 : figures;
}

bool fixShowsEveryDigit(double x, const CalcValueFormat& format) {
    const ShortestDecimal decimal = shortestDecimal(x);
    const int fractionDigits = decimal.digits - 1 - decimal.exponent;
    return fractionDigits <= placesShown(format);
}

bool sciShowsEveryDigit(double x, const CalcValueFormat& format) {
    if (std::fabs(x) < 1e-99) return x == 0.0;
    return shortestDecimal(x).digits <= figuresShown(format);
}

bool autoShowsEveryDigit(double x, const CalcValueFormat& format) {
    if (x == 0.0) return true;
    if (std::fabs(x) < 1e-99) return false;
    const double minimum = format.minAutoAsFix.value_or(CalcValueFormatMinAutoAsFix);
    const double maximum = format.maxAutoAsFix.value_or(CalcValueFormatMaxAutoAsFix);
    if (std::fabs(x) <= minimum || std::fabs(x) >= maximum) return sciShowsEveryDigit(x, format);
    return fixShowsEveryDigit(x, format);
}

}  // namespace

void FuzzInvariants::fail(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

bool FuzzInvariants::isWithinWordSize(const CalcValue& value, int wordSize) {
    if (wordSize >= 64) return true;
    switch (value.type()) {
        case CalcValueTypeUBase: return value.uBaseValue() < (uint64_t{1} << wordSize);
        case CalcValueTypeSBase: {
            const int64_t limit = int64_t{1} << (wordSize - 1);
            return value.sBaseValue() >= -limit && value.sBaseValue() < limit;
        }
        case CalcValueTypeReal:
        case CalcValueTypeNone: break;
    }
    return true;
}

bool FuzzInvariants::showsEveryDigit(double x, const CalcValueFormat& format) {
    if (!std::isfinite(x) || format.exponent) return false;
    switch (format.style.value_or(CalcValueFormatStyleAuto)) {
        case CalcValueFormatStyleFix:
            if (std::fabs(x) >= CalcValueFormatMaxAutoAsFix) return autoShowsEveryDigit(x, format);
            return fixShowsEveryDigit(x, format);
        case CalcValueFormatStyleEng:
        case CalcValueFormatStyleSci: return sciShowsEveryDigit(x, format);
        default: return autoShowsEveryDigit(x, format);
    }
}

void FuzzInvariants::checkPastedValue(const CalcValue& value, int wordSize, std::string_view text) {
    const std::string pasted = "pasted '" + std::string(text) + "' gave " + value.description();
    if (value.type() == CalcValueTypeReal) require(std::isfinite(value.realValue()), pasted + ", not finite");
    require(isWithinWordSize(value, wordSize), pasted + ", beyond " + std::to_string(wordSize) + " bits");
}

void FuzzInvariants::checkAccumulator(const CalcEngine& engine) {
    const CalcValue& value = engine.accumulatorCalcValue();
    if (value.type() == CalcValueTypeReal) require(std::isfinite(value.realValue()), "accumulator not finite");
}

void FuzzInvariants::checkAfterEquals(const CalcEngine& engine, int wordSize) {
    if (engine.currError() != OperatorsErrorNone) return;
    require(engine.stack().empty(), "\"=\" left " + std::to_string(engine.stack().size()) + " entries on the stack");
    const CalcValue& value = engine.accumulatorCalcValue();
    require(isWithinWordSize(value, wordSize),
            "\"=\" left " + value.description() + " beyond " + std::to_string(wordSize) + " bits");
}

void FuzzInvariants::checkCopyThenPaste(const FuzzScreen& screen) {
    const CalcEngine& engine = screen.engine();
    // An exponent being typed is not folded in yet, and integer digits typed past the word size
    // are cut off only by "=": neither is a value the calculator holds yet.
    if (engine.currError() != OperatorsErrorNone || engine.hasExponent()) return;
    const CalcValue value = engine.accumulatorCalcValue();
    if (value.isInteger() && !isWithinWordSize(value, FuzzScreen::wordSize())) return;
    for (int page = 0; page < 4; ++page) {
        if (value.type() == CalcValueTypeReal &&
            !showsEveryDigit(value.realValue(), screen.logic().displayedFormat(page))) {
            continue;
        }
        const std::string text = screen.copy(page);
        FuzzScreen other(screen.settings());
        require(other.paste(text), "Paste refuses '" + text + "', copied from page " + std::to_string(page));
        const CalcValue& back = other.engine().accumulatorCalcValue();
        require(back.isEqualToCalcValue(value), "Copy of " + value.description() + " on page " + std::to_string(page) +
                                                    " gave '" + text + "', Paste gave " + back.description());
    }
}
