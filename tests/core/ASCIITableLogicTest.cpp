#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Calculator/ASCIITableLogic.h"
#include "OperatorsModuleTestSupport.h"
#include "support/EngineDriver.h"

namespace {

// The digits of a code text read back in its base, the grouping spaces and the base letter left out.
long readBack(const std::string& text, int base) {
    std::string digits;
    for (char c : text) {
        if (c != ' ') digits += c;
    }
    if (base != 2) digits.pop_back();
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, base);
    return *end == '\0' ? value : -1;
}

TEST(ASCIITableTexts, CellAndCodeTexts) {
    for (const auto& [code, text] : {std::pair{0, "NUL"}, {9, "TAB"}, {10, "LF"}, {31, "US"}, {127, "DEL"}}) {
        EXPECT_EQ(ASCIITableLogic::characterTextFromASCIIValue(code), text);
    }
    for (int32_t code = 32; code < 127; ++code) {
        EXPECT_EQ(ASCIITableLogic::characterTextFromASCIIValue(code), std::string(1, static_cast<char>(code)));
    }
    const struct {
        int32_t code;
        int32_t base;
        const char* text;
    } rows[] = {{65, 2, "100 0001"}, {0, 2, "0"}, {65, 8, "101o"}, {65, 10, "65d"}, {5, 16, "05h"}, {65, 3, "?"}};
    for (const auto& row : rows) EXPECT_EQ(ASCIITableLogic::valueTextFromASCIIValue(row.code, row.base), row.text);
    for (int32_t base : {2, 8, 10, 16}) {
        for (int32_t code = 0; code < 128; ++code) {
            EXPECT_EQ(readBack(ASCIITableLogic::valueTextFromASCIIValue(code, base), base), code) << base;
        }
    }
}

TEST(ASCIITableCode, CodeOfTheAccumulator) {
    const std::pair<CalcValue, std::optional<int32_t>> rows[] = {
        {u(127), 127},
        {u(128), std::nullopt},
        {s(65), 65},
        {s(-1), std::nullopt},
        {r(-0.0), 0},
        {r(127.9), 127},
        {r(128.0), std::nullopt},
        {r(-0.5), std::nullopt},
        {r(std::nan("")), std::nullopt},
        {noneValue(), std::nullopt},
    };
    for (const auto& [value, code] : rows)
        EXPECT_EQ(ASCIITableLogic::asciiValueFromCalcValue(value), code) << describe(value);
}

TEST(ASCIITableCode, TappingEntersTheCodeAsTheAccumulatorsKindAsTheSecondOperand) {
    const struct {
        CalcValue accumulator;
        int32_t code;
        CalcValue entered;
    } rows[] = {
        {u(9), 65, u(65)},
        {s(-9), 127, s(127)},
        {r(2.5), 0, r(0.0)},
        {noneValue(), 65, u(65)},
    };
    for (const auto& row : rows) {
        CalcEngine engine;
        RecordingDelegate delegate;
        engine.setDelegate(&delegate);
        engine.setAccumulatorCalcValue(row.accumulator);
        ASCIITableLogic::enterASCIIValue(engine, row.code);
        EXPECT_IDENTICAL(std::optional(engine.accumulatorCalcValue()), row.entered) << row.code;
        EXPECT_EQ(delegate.calls, std::vector<std::string>{"update"});
    }
    CalcEngine engine;
    pressKeys(engine, "2 +");
    ASCIITableLogic::enterASCIIValue(engine, 65);
    pressKeys(engine, "=");
    EXPECT_EQ(engine.accumulatorCalcValue().uBaseValue(), 67u);
}

TEST(ASCIITableCodeDeathTest, ACodeOutsideTheTableIsAProgrammingError) {
    EXPECT_DEATH(ASCIITableLogic::calcValueFromASCIIValue(128, CalcValueTypeUBase),
                 "Classes/ASCIIViewController: unknown ascii value");
    EXPECT_DEATH(ASCIITableLogic::characterTextFromASCIIValue(-1), "unknown ascii value");
}

}  // namespace
