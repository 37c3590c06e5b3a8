#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcScreenLogic.h"
#include "cli/CliSettings.h"

// The calculator screen without its widgets: one engine driven through the shared screen logic
// as the window's keypad, display strip, segmented control, settings screen, ASCII table and
// Copy and Paste drive it. The operator registry takes the settings' word size and angle unit,
// as the screen does when it is built.
class FuzzScreen : public CalcEngineDelegate {
public:
    explicit FuzzScreen(const CliSettings& settings);
    ~FuzzScreen() override;
    FuzzScreen(const FuzzScreen&) = delete;
    FuzzScreen& operator=(const FuzzScreen&) = delete;

    const CalcEngine& engine() const { return engine_; }
    const CalcScreenLogic& logic() const { return logic_; }
    const CliSettings& settings() const { return settings_; }
    static int wordSize();

    // Each key returns false, doing nothing, where the keypad has it disabled.
    bool pressDigit(int digit);
    bool pressDecimalPoint();
    bool pressExponent();
    void pressPlusMinus();
    // Holding ± switches between unsigned and signed integers.
    void holdPlusMinus();
    void pressOperator(OperatorsOperator op);
    void pressEquals();
    void pressClear();
    void turnDisplayTo(int page);
    void chooseSegment(bool real);
    void tapASCIIValue(int32_t code);
    // A value chosen from a menu (a constant) or a favourite.
    void chooseValue(const CalcValue& value);
    void changeWordSize(int32_t wordSize);
    // False when the text is no number, which Paste is not offered for.
    bool paste(std::string_view text);
    // The text Copy puts on the clipboard from a display page.
    std::string copy(int page) const;

    void calcEngineNewOperator(CalcEngine& engine, OperatorsOperator op) override;
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine& engine, const CalcValue& value1, OperatorsOperator op,
                                                const std::optional<CalcValue>& value2,
                                                const CalcValue& result) override;
    void calcEngineAccumulatorUpdate(CalcEngine& engine) override;

private:
    CliSettings settings_;
    CalcEngine engine_;
    CalcScreenLogic logic_;
};
