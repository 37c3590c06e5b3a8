#include "Model/HistoryText.h"

#include <algorithm>

#include "Calculator/Operators.h"
#include "Model/CalcStore.h"
#include "Model/GeneralValue.h"
#include "Model/HistoryStep.h"
#include "Platform/Store/FetchedResultsController.h"
#include "Utils/DateUtils.h"
#include "Utils/NumberUtils.h"
#include "Utils/StringUtils.h"

namespace {

constexpr int kShortSignificantFigures = 8;
constexpr int kShortDecimalPlaces = 8;

// The list hands out sound steps only; a value that cannot be read shows as nothing.
std::optional<CalcValue> decoded(const GeneralValue* generalValue) {
    return generalValue ? CalcStore::calcValueFromGeneralValue(*generalValue) : std::nullopt;
}

std::string operandText(const GeneralValue& generalValue, int32_t maxLength) {
    std::string text = HistoryText::stringFromGeneralValue(generalValue);
    if (maxLength > 0 && HistoryText::lengthInCharacters(text) > static_cast<size_t>(maxLength)) {
        if (const std::optional<CalcValue> value = decoded(&generalValue)) {
            text = HistoryText::stringFromCalcValueShort(*value);
        }
    }
    return text;
}

}  // namespace

size_t HistoryText::lengthInCharacters(const std::string& text) {
    size_t characters = 0;
    // Every byte but the continuation bytes (10xxxxxx) starts a character.
    for (const char byte : text) characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    return characters;
}

std::string HistoryText::stringFromGeneralValue(const GeneralValue& generalValue) {
    const std::optional<CalcValue> value = decoded(&generalValue);
    if (!value) return {};
    const std::optional<CalcValueFormatStyle> style = generalValue.style();
    if (!style) return NumberUtils::stringFromCalcValue(*value, nullptr);
    const CalcValueFormat format = CalcValueFormat::withStyle(*style);
    return NumberUtils::stringFromCalcValue(*value, &format);
}

std::string HistoryText::stringFromCalcValueShort(const CalcValue& value) {
    CalcValueFormat format = CalcValueFormat::withStyle(CalcValueFormatStyleHex);
    if (value.type() == CalcValueTypeReal) {
        format = CalcValueFormat::withStyle(CalcValueFormatStyleAuto);
        format.numSigFig = kShortSignificantFigures;
        format.numDecimalPlaces = kShortDecimalPlaces;
    }
    return NumberUtils::stringFromCalcValue(value, &format);
}

std::string HistoryText::stringLHSFromHistoryStep(const HistoryStep& step, int32_t maxLength) {
    const GeneralValue* generalValue1 = step.generalValue1();
    const std::string text1 = generalValue1 ? operandText(*generalValue1, maxLength) : std::string();
    const std::string op = Operators::sharedInstance().stringFromOperator(step.operatorsOperator());
    const GeneralValue* generalValue2 = step.generalValue2();
    if (!generalValue2) return op + " " + text1;
    return text1 + " " + op + " " + operandText(*generalValue2, maxLength);
}

std::string HistoryText::stringRHSFromHistoryStep(const HistoryStep& step, int32_t maxLength) {
    const GeneralValue* result = step.generalValueResult();
    return result ? operandText(*result, maxLength) : std::string();
}

std::string HistoryText::textCacheLHSOfHistoryStep(HistoryStep& step) {
    std::string text = step.textCacheLHS();
    if (text.empty()) {
        text = stringLHSFromHistoryStep(step, HistoryTextListMaxLength) + " = ";
        step.setTextCacheLHS(text);
    }
    return text;
}

std::string HistoryText::textCacheRHSOfHistoryStep(HistoryStep& step) {
    std::string text = step.textCacheRHS();
    if (text.empty()) {
        text = stringRHSFromHistoryStep(step, HistoryTextListMaxLength);
        step.setTextCacheRHS(text);
    }
    return text;
}

size_t HistoryText::widthOfTextFromSectionIndex(const FetchedResultsController& historySteps, size_t section) {
    size_t width = 0;
    if (section >= historySteps.sections().size()) return width;
    for (const ManagedObject* object : historySteps.sections()[section].objects) {
        const auto& step = static_cast<const HistoryStep&>(*object);
        width = std::max(width, lengthInCharacters(stringLHSFromHistoryStep(step, 0)));
    }
    return width;
}

std::string HistoryText::stringEmailBodyFromHistorySteps(const FetchedResultsController* historySteps) {
    return stringEmailBodyFromHistorySteps(historySteps, std::chrono::system_clock::now());
}

std::string HistoryText::stringEmailBodyFromHistorySteps(const FetchedResultsController* historySteps,
                                                         std::chrono::system_clock::time_point now) {
    std::string body;
    if (!historySteps) return body;
    const auto& sections = historySteps->sections();
    for (size_t section = 0; section < sections.size(); ++section) {
        const size_t width = widthOfTextFromSectionIndex(*historySteps, section);
        bool first = true;
        for (const ManagedObject* object : sections[section].objects) {
            const auto& step = static_cast<const HistoryStep&>(*object);
            if (first) {
                const std::string title = DateUtils::sharedInstance().stringInNiceFormatFromDate(step.date(), now);
                body += title + "\n";
                body += StringUtils::stringWithDuplicatedStringCount("=", static_cast<int>(lengthInCharacters(title)));
                body += "\n";
                first = false;
            }
            const std::string left = stringLHSFromHistoryStep(step, 0) + " =";
            const int padding = static_cast<int>(width + 4) - static_cast<int>(lengthInCharacters(left));
            body += StringUtils::stringWithDuplicatedStringCount(" ", padding) + left + " " +
                    stringRHSFromHistoryStep(step, 0) + "\n";
        }
    }
    return body;
}
