#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "Calculator/CalcEngine.h"
#include "Utils/CalcValueFormat.h"

// The settings the calculator screen reads; the app answers from the user settings, the
// command line from its options.
class CalcScreenSettings {
public:
    virtual ~CalcScreenSettings() = default;
    virtual int32_t numDecimalPlaces() const = 0;
    virtual int32_t numSigFigs() const = 0;  // figures minus one
    virtual int32_t realStyle() const = 0;
    virtual void setRealStyle(int32_t realStyle) = 0;
    virtual int32_t integerType() const = 0;  // 0 unsigned, 1 signed
};

// What the calculator screen does that is not drawing: the arithmetic of the display pages,
// the format of each page and of a value being typed, and keeping the accumulator's kind in
// line with the settings. The calculator screen and the command line share it.
class CalcScreenLogic {
public:
    CalcScreenLogic(CalcEngine& engine, CalcScreenSettings& settings) : engine_(engine), settings_(settings) {}

    // The page a paged strip shows: floor((x - w/2) / w) + 1, so a strip counts as turned once
    // it is at least half-way to the next page.
    static int pageIndexFromOffset(double offset, double width);
    static int displayPageFromNumberBase(int32_t numberBase);
    static int displayPageFromCalcValueFormatStyle(CalcValueFormatStyle style);
    static int32_t numberBaseFromDisplayPage(int page);
    // The format a value being typed is shown with, so that exactly the typed digits show.
    static CalcValueFormat editingFormat(const CalcValue& value, const CalcValueFormat& format,
                                         int32_t decimalPointDivider, bool hasExponent, int32_t exponent);
    static int decimalPlacesFromDecimalPointDivider(int32_t decimalPointDivider);
    // The keys the keypad lets you press: digits below the number base for an integer (below 10
    // for a real), the decimal point and exponent keys for a real.
    static int usableDigitCount(const CalcEngine& engine);
    static bool realKeysEnabled(const CalcEngine& engine);
    // The value Paste enters for a text, none when the text is no number. A pasted integer is a
    // complete value, cut to the word size as "=" cuts a typed one: 0x1FF pasted at 8 bits is FF.
    static std::optional<CalcValue> pastedCalcValueFromString(std::string_view text, int wordSize);

    CalcValueFormat numberViewFormatFromCalcValueType(CalcValueType type, int displayPage) const;
    // The page that suits the accumulator at start: the base page for an integer, the real
    // style's page for a real.
    int startingDisplayPage() const;
    int displayPage() const { return displayPage_; }
    void setDisplayPage(int page) { displayPage_ = page; }
    CalcValueFormatStyle currentCalcValueFormatStyle() const;
    // The format the page shown uses for the accumulator, the typing format while a value is
    // being typed.
    CalcValueFormat displayedFormat(int page) const;

    // Start of the accumulator-update road: converts the accumulator to the settings' kind of
    // integer, keeping an entry in progress, and reports whether the kind of value changed
    // since the last call (then displayPage() has been turned to the page that suits it).
    bool accumulatorUpdate(int wordSize);
    // A display strip came to rest on a page: sets the engine's number base for an integer
    // value, the settings' real style for a real one.
    void displayPageCameToRest(int page);
    // The settings changed: a new word size goes into the registry and masks an integer
    // accumulator in place, so that the number being typed and the operator waiting for it stay
    // as they are.
    void userSettingsHaveChanged(int wordSize);
    CalcValueType currentCalcValueType() const { return currentCalcValueType_; }
    void setCurrentCalcValueType(CalcValueType type) { currentCalcValueType_ = type; }

private:
    CalcValueFormatStyle realStyle() const;

    CalcEngine& engine_;
    CalcScreenSettings& settings_;
    int displayPage_ = 2;
    CalcValueType currentCalcValueType_ = CalcValueTypeUBase;
};
