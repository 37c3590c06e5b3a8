#include <gtest/gtest.h>

#include "Calculator/CalcScreenLogic.h"
#include "Calculator/Operators.h"
#include "Utils/NumberUtils.h"
#include "support/EngineDriver.h"
#include "support/WordSizeScope.h"

namespace {

class FakeSettings : public CalcScreenSettings {
public:
    int32_t places = 4;
    int32_t sigFigs = 6;
    int32_t style = 3;
    int32_t integer = 0;

    int32_t numDecimalPlaces() const override { return places; }
    int32_t numSigFigs() const override { return sigFigs; }
    int32_t realStyle() const override { return style; }
    void setRealStyle(int32_t realStyle) override { style = realStyle; }
    int32_t integerType() const override { return integer; }
};

// The delegate of the calculator screen and the command line, reduced to the logic.
class ScreenDelegate : public CalcEngineDelegate {
public:
    explicit ScreenDelegate(CalcScreenLogic& logic) : logic_(logic) {}
    int pageTurns = 0;
    void calcEngineNewOperator(CalcEngine&, OperatorsOperator) override {}
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue&, OperatorsOperator,
                                                const std::optional<CalcValue>&, const CalcValue&) override {}
    void calcEngineAccumulatorUpdate(CalcEngine&) override {
        if (logic_.accumulatorUpdate(Operators::sharedInstance().wordSize())) ++pageTurns;
    }

private:
    CalcScreenLogic& logic_;
};

class ScreenLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.setDelegate(&delegate);
        logic.setDisplayPage(logic.startingDisplayPage());
        logic.setCurrentCalcValueType(engine.accumulatorCalcValue().type());
    }
    std::string shown() const {
        const CalcValueFormat format = logic.displayedFormat(logic.displayPage());
        return NumberUtils::stringFromCalcValue(engine.accumulatorCalcValue(), &format);
    }

    WordSizeScope wordSize{16};
    FakeSettings settings;
    CalcEngine engine;
    CalcScreenLogic logic{engine, settings};
    ScreenDelegate delegate{logic};
};

TEST(ScreenLogicPages, OffsetsBasesStylesAndDividers) {
    for (const auto& [offset, page] : {std::pair{0, 0}, {159, 0}, {160, 1}, {960, 3}, {-200, -1}}) {
        EXPECT_EQ(CalcScreenLogic::pageIndexFromOffset(offset, 320), page) << offset;
    }
    for (int base : {2, 8, 10, 16}) {
        EXPECT_EQ(CalcScreenLogic::numberBaseFromDisplayPage(CalcScreenLogic::displayPageFromNumberBase(base)), base);
    }
    for (int32_t number = 0; number < 8; ++number) {
        EXPECT_EQ(CalcScreenLogic::displayPageFromCalcValueFormatStyle(*calcValueFormatStyleFromInt32(number)),
                  number % 4);
    }
    for (const auto& [divider, places] : {std::pair{1, 0}, {10, 1}, {100, 2}, {1000000000, 9}, {0, 0}, {-10, 0}}) {
        EXPECT_EQ(CalcScreenLogic::decimalPlacesFromDecimalPointDivider(divider), places) << divider;
    }
}

// A pasted integer is a complete value and never shows more bits than the word size holds.
TEST(ScreenLogicPaste, PastedIntegersAreCutToTheWordSize) {
    struct Row {
        std::string_view text;
        int wordSize;
        CalcValue expected;
    };
    const Row rows[] = {
        {"0x1F", 2, CalcValue::calcValueWithUBaseValue(3)},
        {"0x1FF", 8, CalcValue::calcValueWithUBaseValue(0xFF)},
        {"300d", 8, CalcValue::calcValueWithSBaseValue(44)},
        {"-129d", 8, CalcValue::calcValueWithSBaseValue(127)},
        {"-128d", 8, CalcValue::calcValueWithSBaseValue(-128)},
        {"18446744073709551615u", 64, CalcValue::calcValueWithUBaseValue(UINT64_MAX)},
        {"1e300", 8, CalcValue::calcValueWithRealValue(1e300)},
    };
    for (const Row& row : rows) {
        const std::optional<CalcValue> pasted = CalcScreenLogic::pastedCalcValueFromString(row.text, row.wordSize);
        ASSERT_TRUE(pasted) << row.text;
        EXPECT_TRUE(pasted->isEqualToCalcValue(row.expected)) << row.text << " gave " << pasted->description();
    }
    EXPECT_FALSE(CalcScreenLogic::pastedCalcValueFromString("FF h", 8));
}

TEST_F(ScreenLogicTest, PageFormatsFollowTheSettings) {
    settings.places = 2;
    settings.sigFigs = 4;
    EXPECT_EQ(logic.numberViewFormatFromCalcValueType(CalcValueTypeReal, 0).numDecimalPlaces, 2);
    EXPECT_EQ(logic.numberViewFormatFromCalcValueType(CalcValueTypeReal, 1).numSigFig, 5);
    EXPECT_EQ(logic.numberViewFormatFromCalcValueType(CalcValueTypeReal, 2).numSigFig, 5);
    EXPECT_EQ(logic.numberViewFormatFromCalcValueType(CalcValueTypeReal, 3),
              CalcValueFormat::withStyle(CalcValueFormatStyleAuto));
    EXPECT_EQ(logic.numberViewFormatFromCalcValueType(CalcValueTypeSBase, 1),
              CalcValueFormat::withStyle(CalcValueFormatStyleOct));
}

TEST_F(ScreenLogicTest, TypingShowsTheTypedDigits) {
    engine.setAccumulatorCalcValue(CalcValue::calcValueWithRealValue(0.0));
    logic.setCurrentCalcValueType(CalcValueTypeReal);
    logic.setDisplayPage(2);  // Sci
    for (const auto& [keys, text] :
         {std::pair{"3 .", "3."}, {"1 4", "3.14"}, {"0", "3.140"}, {"=", "3.14e00"}, {"C 2 E 5", "2.e05"}}) {
        pressKeys(engine, keys);
        EXPECT_EQ(shown(), text) << keys;
    }
}

TEST_F(ScreenLogicTest, TheIntegerSettingDecidesTheKindAndKeepsAnEntryInProgress) {
    settings.integer = 1;
    pressKeys(engine, "3 2 7 6 7");
    EXPECT_EQ(engine.accumulatorCalcValue().type(), CalcValueTypeSBase);
    EXPECT_EQ(engine.state(), CalcEngineStateEnteringValue);
    pressKeys(engine, "+ 1 =");
    EXPECT_EQ(engine.accumulatorCalcValue().sBaseValue(), -32768);
    settings.integer = 0;
    engine.setAccumulatorCalcValue(CalcValue::calcValueWithSBaseValue(-1));
    engine.enterEquals();
    EXPECT_EQ(engine.accumulatorCalcValue().type(), CalcValueTypeUBase);
    EXPECT_EQ(engine.accumulatorCalcValue().uBaseValue(), 65535u);
}

TEST_F(ScreenLogicTest, PageFollowsTheKindOfValue) {
    engine.setNumberBase(16);
    settings.style = 1;
    engine.enterAccumulatorCalcValue(CalcValue::calcValueWithRealValue(2.5));
    EXPECT_EQ(delegate.pageTurns, 1);
    EXPECT_EQ(logic.displayPage(), 1);
    EXPECT_EQ(logic.currentCalcValueFormatStyle(), CalcValueFormatStyleEng);
    logic.displayPageCameToRest(3);
    EXPECT_EQ(settings.style, 3);
    EXPECT_EQ(engine.numberBase(), 16);
    engine.enterAccumulatorCalcValue(CalcValue::calcValueWithUBaseValue(7));
    EXPECT_EQ(delegate.pageTurns, 2);
    EXPECT_EQ(logic.displayPage(), 3);
    EXPECT_EQ(logic.currentCalcValueFormatStyle(), CalcValueFormatStyleHex);
    logic.displayPageCameToRest(0);
    EXPECT_EQ(engine.numberBase(), 2);
    EXPECT_EQ(settings.style, 3);
    EXPECT_EQ(shown(), "111b");
}

// The real style comes from the settings file; a number there that is no real style shows Auto.
TEST_F(ScreenLogicTest, ASavedRealStyleThatIsNoRealStyleShowsAuto) {
    engine.setAccumulatorCalcValue(CalcValue::calcValueWithRealValue(1.0));
    for (const auto& [stored, page] : {std::pair{0, 0}, {2, 2}, {9, 3}, {-1, 3}, {5, 3}}) {
        settings.style = stored;
        EXPECT_EQ(logic.startingDisplayPage(), page) << stored;
        logic.setCurrentCalcValueType(CalcValueTypeUBase);
        EXPECT_TRUE(logic.accumulatorUpdate(32));
        EXPECT_EQ(logic.displayPage(), page) << stored;
    }
}

using ScreenLogicDeathTest = ScreenLogicTest;

TEST_F(ScreenLogicDeathTest, InconsistentValuesAbort) {
    EXPECT_DEATH(CalcScreenLogic::displayPageFromNumberBase(7), "Classes/CalcViewController: unknown number base");
    EXPECT_DEATH(CalcScreenLogic::displayPageFromCalcValueFormatStyle(static_cast<CalcValueFormatStyle>(8)),
                 "Classes/CalcViewController: unknown calc value format style");
    EXPECT_DEATH(logic.numberViewFormatFromCalcValueType(CalcValueTypeReal, 4),
                 "Classes/CalcViewController: unrecognised page");
}

}  // namespace
