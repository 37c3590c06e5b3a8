#include "FuzzScreen.h"

#include "Calculator/ASCIITableLogic.h"
#include "Calculator/Operators.h"
#include "Utils/NumberUtils.h"

FuzzScreen::FuzzScreen(const CliSettings& settings) : settings_(settings), logic_(engine_, settings_) {
    Operators& operators = Operators::sharedInstance();
    operators.setAngleType(settings_.angleType);
    operators.setWordSize(settings_.wordSize);
    engine_.setDelegate(this);
    logic_.setDisplayPage(logic_.startingDisplayPage());
    logic_.setCurrentCalcValueType(engine_.accumulatorCalcValue().type());
    // The first redraw brings the accumulator's kind into line with the settings.
    calcEngineAccumulatorUpdate(engine_);
}

FuzzScreen::~FuzzScreen() { engine_.setDelegate(nullptr); }

int FuzzScreen::wordSize() { return Operators::sharedInstance().wordSize(); }

bool FuzzScreen::pressDigit(int digit) {
    if (digit >= CalcScreenLogic::usableDigitCount(engine_)) return false;
    engine_.enterValue(digit);
    return true;
}

bool FuzzScreen::pressDecimalPoint() {
    if (!CalcScreenLogic::realKeysEnabled(engine_)) return false;
    engine_.enterDecimalPoint();
    return true;
}

bool FuzzScreen::pressExponent() {
    if (!CalcScreenLogic::realKeysEnabled(engine_)) return false;
    engine_.enterExponent();
    return true;
}

void FuzzScreen::pressPlusMinus() {
    // The keypad refreshes the screen after the sign key, whatever the engine reported.
    engine_.enterPlusMinus();
    calcEngineAccumulatorUpdate(engine_);
}

void FuzzScreen::holdPlusMinus() {
    const CalcValueType type = engine_.accumulatorCalcValue().type();
    if (type == CalcValueTypeUBase && settings_.integerTypeValue == 0) {
        settings_.integerTypeValue = 1;
        engine_.enterOperator(OperatorsOperatorToSBase);
    } else if (type == CalcValueTypeSBase && settings_.integerTypeValue == 1) {
        settings_.integerTypeValue = 0;
        engine_.enterOperator(OperatorsOperatorToUBase);
    }
}

void FuzzScreen::pressOperator(OperatorsOperator op) { engine_.enterOperator(op); }

void FuzzScreen::pressEquals() { engine_.enterEquals(); }

void FuzzScreen::pressClear() { engine_.clear(); }

void FuzzScreen::turnDisplayTo(int page) { logic_.displayPageCameToRest(page); }

void FuzzScreen::chooseSegment(bool real) {
    const bool isReal = engine_.accumulatorCalcValue().type() == CalcValueTypeReal;
    if (real && !isReal) {
        engine_.enterOperator(OperatorsOperatorToReal);
    } else if (!real && isReal) {
        engine_.enterOperator(settings_.integerTypeValue == 0 ? OperatorsOperatorToUBase : OperatorsOperatorToSBase);
    }
}

void FuzzScreen::tapASCIIValue(int32_t code) { ASCIITableLogic::enterASCIIValue(engine_, code); }

void FuzzScreen::chooseValue(const CalcValue& value) { engine_.enterAccumulatorCalcValue(value); }

void FuzzScreen::changeWordSize(int32_t wordSize) {
    settings_.wordSize = wordSize;
    logic_.userSettingsHaveChanged(wordSize);
}

bool FuzzScreen::paste(std::string_view text) {
    const std::optional<CalcValue> value = CalcScreenLogic::pastedCalcValueFromString(text, wordSize());
    if (!value) return false;
    engine_.enterAccumulatorCalcValue(*value);
    return true;
}

std::string FuzzScreen::copy(int page) const {
    return NumberUtils::pasteboardStringFromCalcValue(engine_.accumulatorCalcValue(), logic_.displayedFormat(page));
}

void FuzzScreen::calcEngineNewOperator(CalcEngine&, OperatorsOperator) {}

void FuzzScreen::calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue&, OperatorsOperator,
                                                        const std::optional<CalcValue>&, const CalcValue&) {}

void FuzzScreen::calcEngineAccumulatorUpdate(CalcEngine&) { logic_.accumulatorUpdate(wordSize()); }
