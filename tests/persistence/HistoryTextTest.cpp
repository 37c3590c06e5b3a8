#include <gtest/gtest.h>

#include "Model/HistoryText.h"
#include "PersistenceTestSupport.h"
#include "Utils/DateUtils.h"
#include "persistence/HistoryStepSupport.h"
#include "support/WordSizeScope.h"

namespace {

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }
CalcValue u(uint64_t x) { return CalcValue::calcValueWithUBaseValue(x); }
CalcValue s(int64_t x) { return CalcValue::calcValueWithSBaseValue(x); }

class History : public ::testing::Test {
protected:
    HistoryStep* add(int daysAgo, CalcValue value1, OperatorsOperator op, std::optional<CalcValue> value2,
                     CalcValue result, CalcValueFormatStyle style) {
        return addHistoryStepDaysAgo(*store_, daysAgo, value1, op, value2, result, style);
    }
    std::string body() {
        list_ = store_->historyStepsFetchedResultsController();
        return HistoryText::stringEmailBodyFromHistorySteps(list_.get(), now_);
    }
    static std::string title(int daysAgo) {
        const auto noon = CalcStore::dateQuantizedToToday() + std::chrono::hours(12);
        return DateUtils::sharedInstance().stringInNiceFormatFromDate(noon - std::chrono::hours(24 * daysAgo), noon);
    }

    TemporaryFolder folder_;
    std::string path_ = folder_.filePath("Quillet.sqlite");
    std::unique_ptr<CalcStore> store_ = std::make_unique<CalcStore>(path_);
    std::unique_ptr<FetchedResultsController> list_;
    std::chrono::system_clock::time_point now_ = CalcStore::dateQuantizedToToday() + std::chrono::hours(12);
};

// The list's cached texts shorten an operand longer than 12 characters; the e-mail's never do.
TEST_F(History, TextsShortenEachLongOperandInTheListOnly) {
    const struct {
        CalcValue value1;
        OperatorsOperator op;
        std::optional<CalcValue> value2;
        CalcValue result;
        CalcValueFormatStyle style;
        const char* rowLeft;
        const char* rowRight;
        const char* fullLeft;
        const char* fullRight;
    } rows[] = {
        {real(30), OperatorsOperatorSin, std::nullopt, real(0.5), CalcValueFormatStyleAuto, "Sin 30 = ", "0.5",
         "Sin 30", "0.5"},
        {u(12), OperatorsOperatorAdd, u(30), u(42), CalcValueFormatStyleDec, "12d + 30d = ", "42d", "12d + 30d", "42d"},
        // Sci shows ten figures; the short form is Auto with eight.
        {real(1.23456789012e-17), OperatorsOperatorDivide, real(1000), real(1.23456789012e-20), CalcValueFormatStyleSci,
         "1.2345679e-17 \u00F7 1e03 = ", "1.2345679e-20", "1.23456789e-17 \u00F7 1e03", "1.23456789e-20"},
        {u(123456789012345), OperatorsOperatorAdd, u(1), u(123456789012346), CalcValueFormatStyleDec,
         "7048860DDF79h + 1d = ", "7048860DDF7Ah", "123456789012345d + 1d", "123456789012346d"},
    };
    for (const auto& row : rows) {
        HistoryStep* step = add(0, row.value1, row.op, row.value2, row.result, row.style);
        EXPECT_EQ(HistoryText::textCacheLHSOfHistoryStep(*step), row.rowLeft);
        EXPECT_EQ(HistoryText::textCacheRHSOfHistoryStep(*step), row.rowRight);
        EXPECT_EQ(HistoryText::stringLHSFromHistoryStep(*step, 0), row.fullLeft);
        EXPECT_EQ(HistoryText::stringRHSFromHistoryStep(*step, 0), row.fullRight);
    }
}

TEST_F(History, CachedTextsKeepARowAsItWasMadeAcrossSettingsAndRestarts) {
    WordSizeScope wordSize32(32);
    HistoryStep* step = add(0, s(-1), OperatorsOperatorAdd, s(0), s(-1), CalcValueFormatStyleHex);
    EXPECT_EQ(HistoryText::textCacheLHSOfHistoryStep(*step), "FFFFFFFFh + 0h = ");
    EXPECT_EQ(HistoryText::textCacheRHSOfHistoryStep(*step), "FFFFFFFFh");
    store_->saveChanges();
    store_->close();
    store_ = std::make_unique<CalcStore>(path_);
    WordSizeScope wordSize16(16);
    list_ = store_->historyStepsFetchedResultsController();
    auto* reread = static_cast<HistoryStep*>(list_->objectAtIndexPath({0, 0}));
    EXPECT_EQ(HistoryText::textCacheLHSOfHistoryStep(*reread), "FFFFFFFFh + 0h = ");
    EXPECT_EQ(HistoryText::textCacheRHSOfHistoryStep(*reread), "FFFFFFFFh");
    // The export is made afresh.
    EXPECT_EQ(HistoryText::stringLHSFromHistoryStep(*reread, 0), "FFFFh + 0h");
}

TEST_F(History, TheBodyAlignsEveryEqualsSignOfADayUnderItsUnderlinedTitle) {
    EXPECT_EQ(body(), "");
    EXPECT_EQ(HistoryText::stringEmailBodyFromHistorySteps(nullptr, now_), "");
    add(8, u(123456789012345), OperatorsOperatorAdd, u(1), u(123456789012346), CalcValueFormatStyleDec);
    add(1, real(6), OperatorsOperatorMultiply, real(7), real(42), CalcValueFormatStyleAuto);
    add(1, real(5), OperatorsOperatorFactorial, std::nullopt, real(120), CalcValueFormatStyleAuto);
    add(0, real(12), OperatorsOperatorAdd, real(30), real(42), CalcValueFormatStyleAuto);
    add(0, real(30), OperatorsOperatorSin, std::nullopt, real(0.5), CalcValueFormatStyleAuto);
    const std::string oldTitle = title(8);
    EXPECT_EQ(body(),
              "Today\n"
              "=====\n"
              "  12 + 30 = 42\n"
              "   Sin 30 = 0.5\n"
              "Yesterday\n"
              "=========\n"
              "  6 \u00D7 7 = 42\n"
              "    ! 5 = 120\n" +
                  oldTitle + "\n" + std::string(oldTitle.size(), '=') +
                  "\n"
                  "  123456789012345d + 1d = 123456789012346d\n");
    EXPECT_EQ(HistoryText::widthOfTextFromSectionIndex(*list_, 1), 5u);
}

}  // namespace
