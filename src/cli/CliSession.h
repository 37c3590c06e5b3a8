#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcScreenLogic.h"

class CliStore;

// One engine driven by key tokens exactly as the keypad, the display strip, the segmented
// control and the display's Paste drive it, and the text of the display that is shown.
class CliSession : public CalcEngineDelegate {
public:
    explicit CliSession(CalcScreenSettings& settings);
    ~CliSession() override;

    // Presses the keys of one argument or line, in order. On a token that is no key, or a key
    // the keypad would not let you press, it stops and returns a message naming the token.
    std::optional<std::string> pressKeys(std::string_view keys);

    bool showsError() const { return engine_.currError() != OperatorsErrorNone; }
    // The display page shown, or the given page.
    std::string displayText() const;
    std::string displayText(int page) const;

    CalcEngine& engine() { return engine_; }
    // Completed steps go into this store's history, as the calculator screen records them; null
    // records nothing.
    void setHistoryStore(CliStore* store) { historyStore_ = store; }
    // Shows the page that suits the accumulator, as the screen does when it is built (after the
    // engine has been restored, for example).
    void showStartingPage();
    CalcScreenLogic& logic() { return logic_; }

    // Every key token, for --help.
    static std::string keysHelp();

    void calcEngineNewOperator(CalcEngine& engine, OperatorsOperator op) override;
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine& engine, const CalcValue& value1, OperatorsOperator op,
                                                const std::optional<CalcValue>& value2,
                                                const CalcValue& result) override;
    void calcEngineAccumulatorUpdate(CalcEngine& engine) override;

private:
    std::optional<std::string> pressToken(std::string_view token);
    std::optional<std::string> pressDigits(std::string_view token);
    std::optional<std::string> enterOperator(OperatorsOperator op, std::string_view token);
    std::optional<std::string> tapASCIIValue(std::string_view token);

    CalcScreenSettings& settings_;
    CalcEngine engine_;
    CalcScreenLogic logic_;
    CliStore* historyStore_ = nullptr;
};
