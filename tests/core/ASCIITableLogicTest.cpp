#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Calculator/ASCIITableLogic.h"
#include "support/EngineDriver.h"

namespace {

CalcValue unsignedValue(uint64_t value) { return CalcValue::calcValueWithUBaseValue(value); }
CalcValue signedValue(int64_t value) { return CalcValue::calcValueWithSBaseValue(value); }
CalcValue realValue(double value) { return CalcValue::calcValueWithRealValue(value); }

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

}  // namespace

TEST(ASCIITableTexts, CellTexts) {
    const std::pair<int32_t, const char*> names[] = {{0, "NUL"}, {9, "TAB"}, {10, "LF"}, {31, "US"}, {127, "DEL"}};
    for (const auto& [code, text] : names) EXPECT_EQ(ASCIITableLogic::characterTextFromASCIIValue(code), text);
    for (int32_t code = 32; code < 127; ++code) {
        EXPECT_EQ(ASCIITableLogic::characterTextFromASCIIValue(code), std::string(1, static_cast<char>(code)));
    }
}

TEST(ASCIITableTexts, CodeTexts) {
    const struct {
        int32_t code;
        int32_t base;
        const char* text;
    } rows[] = {{65, 2, "100 0001"}, {0, 2, "0"},    {65, 8, "101o"}, {65, 10, "65d"},
                {65, 16, "41h"},     {5, 16, "05h"}, {10, 16, "0Ah"}, {65, 3, "?"}};
    for (const auto& row : rows) EXPECT_EQ(ASCIITableLogic::valueTextFromASCIIValue(row.code, row.base), row.text);
    for (int32_t base : {2, 8, 10, 16}) {
        for (int32_t code = 0; code < 128; ++code) {
            EXPECT_EQ(readBack(ASCIITableLogic::valueTextFromASCIIValue(code, base), base), code) << base;
        }
    }
}

TEST(ASCIITableCode, CodeOfTheAccumulator) {
    const struct {
        CalcValue value;
        std::optional<int32_t> code;
    } rows[] = {
        {unsignedValue(127), 127},
        {unsignedValue(128), std::nullopt},
        {unsignedValue(200), std::nullopt},
        {signedValue(65), 65},
        {signedValue(-1), std::nullopt},
        {realValue(-0.0), 0},
        {realValue(64.9), 64},
        {realValue(127.9), 127},
        {realValue(128.0), std::nullopt},
        {realValue(-0.5), std::nullopt},
        {realValue(std::nan("")), std::nullopt},
        {CalcValue::calcValueWithType(CalcValueTypeNone), std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ASCIITableLogic::asciiValueFromCalcValue(row.value), row.code) << row.value.description();
    }
}

TEST(ASCIITableCode, TappingEntersTheCodeAsTheAccumulatorsKind) {
    const struct {
        CalcValue accumulator;
        int32_t code;
        CalcValue entered;
    } rows[] = {
        {unsignedValue(9), 65, unsignedValue(65)},
        {signedValue(-9), 65, signedValue(65)},
        {realValue(2.5), 65, realValue(65.0)},
        {realValue(2.5), 0, realValue(0.0)},
        {signedValue(0), 127, signedValue(127)},
        {unsignedValue(0), 127, unsignedValue(127)},
        {CalcValue::calcValueWithType(CalcValueTypeNone), 65, unsignedValue(65)},
    };
    for (const auto& row : rows) {
        CalcEngine engine;
        RecordingDelegate delegate;
        engine.setDelegate(&delegate);
        engine.setAccumulatorCalcValue(row.accumulator);
        ASCIITableLogic::enterASCIIValue(engine, row.code);
        EXPECT_TRUE(engine.accumulatorCalcValue().isEqualToCalcValue(row.entered))
            << row.code << " into " << row.accumulator.description() << " gave "
            << engine.accumulatorCalcValue().description();
        EXPECT_EQ(delegate.calls, std::vector<std::string>{"update"});
    }
}

TEST(ASCIITableCode, ATapIsTheSecondOperand) {
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
