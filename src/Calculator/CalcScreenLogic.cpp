#include "Calculator/CalcScreenLogic.h"

#include <cmath>

#include "Calculator/Operators.h"
#include "Platform/Core/FatalAssert.h"
#include "Utils/NumberUtils.h"

namespace {

constexpr const char* kSource = "Classes/CalcViewController";

// The style of each display page, for reals and for integers.
constexpr CalcValueFormatStyle kRealStyles[] = {CalcValueFormatStyleFix, CalcValueFormatStyleEng,
                                                CalcValueFormatStyleSci, CalcValueFormatStyleAuto};
constexpr CalcValueFormatStyle kBaseStyles[] = {CalcValueFormatStyleBin, CalcValueFormatStyleOct,
                                                CalcValueFormatStyleDec, CalcValueFormatStyleHex};

}  // namespace

int CalcScreenLogic::pageIndexFromOffset(double offset, double width) {
    if (width <= 0) return 0;
    return static_cast<int>(std::floor((offset - width / 2) / width)) + 1;
}

int CalcScreenLogic::displayPageFromNumberBase(int32_t numberBase) {
    switch (numberBase) {
        case 2: return 0;
        case 8: return 1;
        case 10: return 2;
        case 16: return 3;
        default: fatalAssert(kSource, "unknown number base");
    }
}

int CalcScreenLogic::displayPageFromCalcValueFormatStyle(CalcValueFormatStyle style) {
    switch (style) {
        case CalcValueFormatStyleFix:
        case CalcValueFormatStyleBin: return 0;
        case CalcValueFormatStyleEng:
        case CalcValueFormatStyleOct: return 1;
        case CalcValueFormatStyleSci:
        case CalcValueFormatStyleDec: return 2;
        case CalcValueFormatStyleAuto:
        case CalcValueFormatStyleHex: return 3;
    }
    fatalAssert(kSource, "unknown calc value format style");
}

int32_t CalcScreenLogic::numberBaseFromDisplayPage(int page) {
    static constexpr int32_t kBases[] = {2, 8, 10, 16};
    if (page < 0 || page > 3) fatalAssert(kSource, "unrecognised page");
    return kBases[page];
}

CalcValueFormat CalcScreenLogic::editingFormat(const CalcValue& value, const CalcValueFormat& format,
                                               int32_t decimalPointDivider, bool hasExponent, int32_t exponent) {
    if (value.type() != CalcValueTypeReal) return format;
    if (!hasExponent && decimalPointDivider == 0) return CalcValueFormat::withStyle(CalcValueFormatStyleAuto);
    CalcValueFormat editing = CalcValueFormat::withStyle(CalcValueFormatStyleFix);
    editing.numDecimalPlaces = decimalPointDivider != 0 ? decimalPlacesFromDecimalPointDivider(decimalPointDivider) : 0;
    if (hasExponent) editing.exponent = exponent;
    return editing;
}

int CalcScreenLogic::decimalPlacesFromDecimalPointDivider(int32_t decimalPointDivider) {
    int count = 0;
    while (decimalPointDivider > 0) {
        decimalPointDivider /= 10;
        ++count;
    }
    return count > 0 ? count - 1 : 0;
}

int CalcScreenLogic::usableDigitCount(const CalcEngine& engine) {
    return engine.accumulatorCalcValue().isInteger() ? engine.numberBase() : 10;
}

bool CalcScreenLogic::realKeysEnabled(const CalcEngine& engine) {
    return engine.accumulatorCalcValue().type() == CalcValueTypeReal;
}

std::optional<CalcValue> CalcScreenLogic::pastedCalcValueFromString(std::string_view text, int wordSize) {
    const std::optional<CalcValue> value = NumberUtils::calcValueFromString(text);
    if (!value || !value->isInteger()) return value;
    return value->calcValueAsType(value->type(), wordSize);
}

CalcValueFormat CalcScreenLogic::numberViewFormatFromCalcValueType(CalcValueType type, int displayPage) const {
    if (displayPage < 0 || displayPage > 3) fatalAssert(kSource, "unrecognised page");
    if (type != CalcValueTypeReal) return CalcValueFormat::withStyle(kBaseStyles[displayPage]);
    CalcValueFormat format = CalcValueFormat::withStyle(kRealStyles[displayPage]);
    if (displayPage == 0) {
        format.numDecimalPlaces = settings_.numDecimalPlaces();
    } else if (displayPage < 3) {
        format.numSigFig = settings_.numSigFigs() + 1;
    }
    return format;
}

CalcValueFormatStyle CalcScreenLogic::realStyle() const {
    // The settings file holds a number; one that is no real style shows in Auto.
    const std::optional<CalcValueFormatStyle> style = calcValueFormatStyleFromInt32(settings_.realStyle());
    return style && *style <= CalcValueFormatStyleAuto ? *style : CalcValueFormatStyleAuto;
}

int CalcScreenLogic::startingDisplayPage() const {
    if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) {
        return displayPageFromCalcValueFormatStyle(realStyle());
    }
    return displayPageFromNumberBase(engine_.numberBase());
}

CalcValueFormatStyle CalcScreenLogic::currentCalcValueFormatStyle() const {
    if (displayPage_ < 0 || displayPage_ > 3) fatalAssert(kSource, "unrecognised page");
    if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) return kRealStyles[displayPage_];
    return kBaseStyles[displayPage_];
}

CalcValueFormat CalcScreenLogic::displayedFormat(int page) const {
    const CalcValue& value = engine_.accumulatorCalcValue();
    const CalcValueFormat format = numberViewFormatFromCalcValueType(value.type(), page);
    if (!engine_.isEnteringValue()) return format;
    return editingFormat(value, format, engine_.decimalPointDivider(), engine_.hasExponent(), engine_.exponent());
}

bool CalcScreenLogic::accumulatorUpdate(int wordSize) {
    // The accumulator is replaced in place rather than entered as a whole value, so that a
    // number being typed stays in progress: with signed integers, 3 2 7 6 7 gives 32767.
    const CalcValue& value = engine_.accumulatorCalcValue();
    const int32_t integerType = settings_.integerType();
    if (value.type() == CalcValueTypeUBase && integerType == 1) {
        engine_.setAccumulatorCalcValue(*value.calcValueAsType(CalcValueTypeSBase, wordSize));
    } else if (value.type() == CalcValueTypeSBase && integerType == 0) {
        engine_.setAccumulatorCalcValue(*value.calcValueAsType(CalcValueTypeUBase, wordSize));
    }
    const CalcValueType type = engine_.accumulatorCalcValue().type();
    if (type == currentCalcValueType_) return false;
    currentCalcValueType_ = type;
    switch (type) {
        case CalcValueTypeUBase:
        case CalcValueTypeSBase: displayPage_ = displayPageFromNumberBase(engine_.numberBase()); break;
        case CalcValueTypeReal: displayPage_ = displayPageFromCalcValueFormatStyle(realStyle()); break;
        case CalcValueTypeNone: fatalAssert(kSource, "unknown calc value type");
    }
    return true;
}

void CalcScreenLogic::displayPageCameToRest(int page) {
    if (page < 0 || page > 3) fatalAssert(kSource, "unrecognised page");
    displayPage_ = page;
    if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) {
        settings_.setRealStyle(page);
    } else {
        engine_.setNumberBase(numberBaseFromDisplayPage(page));
    }
}

void CalcScreenLogic::userSettingsHaveChanged(int wordSize) {
    Operators& operators = Operators::sharedInstance();
    if (wordSize == operators.wordSize()) return;
    operators.setWordSize(wordSize);
    const CalcValue& value = engine_.accumulatorCalcValue();
    if (!value.isInteger()) return;
    if (const std::optional<CalcValue> masked = value.calcValueAsType(value.type(), wordSize)) {
        engine_.setAccumulatorCalcValue(*masked);
    }
}
