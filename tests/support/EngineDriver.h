#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Calculator/CalcEngine.h"
#include "Calculator/Operators.h"

// Records every engine callback, in order, as text.
class RecordingDelegate : public CalcEngineDelegate {
public:
    struct HistoryStep {
        CalcValue value1;
        OperatorsOperator op;
        std::optional<CalcValue> value2;
        CalcValue result;
    };

    std::vector<std::string> calls;
    std::vector<HistoryStep> history;

    void calcEngineNewOperator(CalcEngine&, OperatorsOperator op) override {
        calls.push_back("newOperator " + std::to_string(op));
    }
    void calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue& value1, OperatorsOperator op,
                                                const std::optional<CalcValue>& value2,
                                                const CalcValue& result) override {
        calls.push_back("history " + std::to_string(op));
        history.push_back({value1, op, value2, result});
    }
    void calcEngineAccumulatorUpdate(CalcEngine&) override { calls.push_back("update"); }
};

// Presses a script of keys on an engine: digits 0-9 A-F, "." the decimal point, "E" the
// exponent key (as a whole token), "±" the sign key, "=" equals, "C" clear, and operators by
// their key labels.
inline void pressKeys(CalcEngine& engine, const std::string& script) {
    std::istringstream tokens(script);
    std::string token;
    while (tokens >> token) {
        if (token == "E") {
            engine.enterExponent();
        } else if (token == "\u00B1") {
            engine.enterPlusMinus();
        } else if (token == "=") {
            engine.enterEquals();
        } else if (token == "C") {
            engine.clear();
        } else if (std::optional<OperatorsOperator> op = Operators::sharedInstance().operatorFromString(token)) {
            engine.enterOperator(*op);
        } else {
            for (char c : token) {
                if (c == '.') {
                    engine.enterDecimalPoint();
                } else {
                    engine.enterValue(c <= '9' ? c - '0' : c - 'A' + 10);
                }
            }
        }
    }
}
