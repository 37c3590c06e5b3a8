#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Model/CalcValue.h"

class FetchedResultsController;
class GeneralValue;
class HistoryStep;

// The texts of the history: a step's two sides as the history list shows them, and the whole
// history as plain text, one block per day, for the e-mail, the file and the clipboard. The
// history screen and quillet-cli --history share them, so both give the same text. Lengths
// are counted in characters, not bytes: operator labels such as "×" take one column each.
class HistoryText {
public:
    // Longer operands and results are shown short in the history list.
    static constexpr int32_t HistoryTextListMaxLength = 12;

    // The value in the style it was stored with; no style gives the formatter's defaults.
    static std::string stringFromGeneralValue(const GeneralValue& generalValue);
    // Auto with 8 significant figures for a real, hexadecimal for an integer.
    static std::string stringFromCalcValueShort(const CalcValue& value);
    // "12 + 30", or "Sin 30" for a unary operator; each operand longer than maxLength
    // characters is shown short (0: no limit).
    static std::string stringLHSFromHistoryStep(const HistoryStep& step, int32_t maxLength);
    static std::string stringRHSFromHistoryStep(const HistoryStep& step, int32_t maxLength);
    // The texts of the step's row, "12 + 30 = " and "42", made once and kept in the step's
    // caches, so that the row stays as it was made whatever the display settings become. The
    // caches become durable with the store's next save.
    static std::string textCacheLHSOfHistoryStep(HistoryStep& step);
    static std::string textCacheRHSOfHistoryStep(HistoryStep& step);

    // The greatest length of the full left-hand texts of a section's steps.
    static size_t widthOfTextFromSectionIndex(const FetchedResultsController& historySteps, size_t section);
    // Per day, newest first: the day's title, a line of "=" as long, and each step with every
    // "=" of the day in one column. Empty for an empty history or no list.
    static std::string stringEmailBodyFromHistorySteps(const FetchedResultsController* historySteps);
    static std::string stringEmailBodyFromHistorySteps(const FetchedResultsController* historySteps,
                                                       std::chrono::system_clock::time_point now);

    // The number of characters of UTF-8 text.
    static size_t lengthInCharacters(const std::string& text);
};
