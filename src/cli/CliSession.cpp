#include "cli/CliSession.h"

#include <array>
#include <charconv>

#include "Calculator/ASCIITableLogic.h"
#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "Platform/Core/Localized.h"
#include "Utils/NumberUtils.h"
#include "cli/CliStore.h"

namespace {

struct Alias {
    std::string_view token;
    OperatorsOperator op;
};

constexpr Alias kOperatorAliases[] = {
    {"-", OperatorsOperatorSubtract},
    {"*", OperatorsOperatorMultiply},
    {"x", OperatorsOperatorMultiply},
    {"/", OperatorsOperatorDivide},
};

struct ConstantToken {
    std::string_view token;
    size_t index;  // into Constants::constantsCalcValues()
};

constexpr ConstantToken kConstantTokens[] = {
    {"Pi", 0}, {"pi", 0}, {"\u03C0", 0}, {"e", 1}, {"g", 2}, {"G", 3}, {"c", 4},
};

constexpr std::array<std::string_view, 4> kBasePages = {"bin", "oct", "dec", "hex"};
constexpr std::array<std::string_view, 4> kRealPages = {"fix", "eng", "sci", "auto"};

int digitFromCharacter(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

bool isDigitsToken(std::string_view token) {
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == '.')) return false;
    }
    return !token.empty();
}

// No key, menu or favourite enters "%", which calculates nothing; the terminal offers only what
// the calculator does.
bool operatorIsOffered(OperatorsOperator op) { return op != OperatorsOperatorPercent; }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string quoted(std::string_view token) { return "'" + std::string(token) + "'"; }

}  // namespace

CliSession::CliSession(CalcScreenSettings& settings) : settings_(settings), logic_(engine_, settings) {
    engine_.setDelegate(this);
    showStartingPage();
}

void CliSession::showStartingPage() {
    logic_.setDisplayPage(logic_.startingDisplayPage());
    logic_.setCurrentCalcValueType(engine_.accumulatorCalcValue().type());
}

CliSession::~CliSession() { engine_.setDelegate(nullptr); }

std::optional<std::string> CliSession::pressKeys(std::string_view keys) {
    // Trailing white space and the line ending belong to no key, not even to a pasted text.
    while (!keys.empty() && isSpace(keys.back())) keys.remove_suffix(1);
    size_t i = 0;
    while (i < keys.size()) {
        while (i < keys.size() && isSpace(keys[i])) ++i;
        if (i >= keys.size()) break;
        // A pasted text runs to the end of the argument, spaces included.
        if (keys.substr(i).starts_with("paste:")) {
            const std::string_view text = keys.substr(i + 6);
            const std::optional<CalcValue> value =
                CalcScreenLogic::pastedCalcValueFromString(text, Operators::sharedInstance().wordSize());
            if (!value) return "cannot paste " + quoted(text) + ": not a number";
            engine_.enterAccumulatorCalcValue(*value);
            return std::nullopt;
        }
        size_t end = i;
        while (end < keys.size() && !isSpace(keys[end])) ++end;
        if (std::optional<std::string> problem = pressToken(keys.substr(i, end - i))) return problem;
        i = end;
    }
    return std::nullopt;
}

std::optional<std::string> CliSession::pressDigits(std::string_view token) {
    // The keys the keypad offers for the value shown, checked for the whole token before any is
    // pressed.
    auto refusal = [&](char c) -> std::optional<std::string> {
        if (c == '.') {
            if (CalcScreenLogic::realKeysEnabled(engine_)) return std::nullopt;
            return "key " + quoted(token) + " refused: no decimal point for an integer value";
        }
        const int usableDigits = CalcScreenLogic::usableDigitCount(engine_);
        if (digitFromCharacter(c) < usableDigits) return std::nullopt;
        return "key " + quoted(token) + " refused: digit " + std::string(1, c) + " is not a digit of base " +
               std::to_string(usableDigits);
    };
    for (char c : token) {
        if (std::optional<std::string> problem = refusal(c)) return problem;
    }
    for (char c : token) {
        // The first digit after an operator takes the kind of the reduced value, and the keypad
        // then offers the keys of that kind: 2 × Pi + 99 in binary is refused at its second 9.
        if (std::optional<std::string> problem = refusal(c)) return problem;
        if (c == '.') {
            engine_.enterDecimalPoint();
        } else {
            engine_.enterValue(digitFromCharacter(c));
        }
    }
    return std::nullopt;
}

std::optional<std::string> CliSession::enterOperator(OperatorsOperator op, std::string_view token) {
    if (!Operators::sharedInstance().operatorIsKnown(op)) return "key " + quoted(token) + " is not available";
    engine_.enterOperator(op);
    return std::nullopt;
}

std::optional<std::string> CliSession::tapASCIIValue(std::string_view token) {
    const std::string_view digits = token.substr(6);
    int32_t asciiValue = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), asciiValue);
    if (error != std::errc() || end != digits.data() + digits.size() || !ASCIITableLogic::isASCIIValue(asciiValue)) {
        return "key " + quoted(token) + " needs a decimal code from 0 to 127";
    }
    ASCIITableLogic::enterASCIIValue(engine_, asciiValue);
    return std::nullopt;
}

std::optional<std::string> CliSession::pressToken(std::string_view token) {
    if (isDigitsToken(token)) return pressDigits(token);
    if (token == "exp") {
        if (!CalcScreenLogic::realKeysEnabled(engine_)) {
            return "key " + quoted(token) + " refused: no exponent for an integer value";
        }
        engine_.enterExponent();
        return std::nullopt;
    }
    if (token == "\u00B1" || token == "+-") {
        // The keypad refreshes the screen after the sign key, whatever the engine reported.
        engine_.enterPlusMinus();
        calcEngineAccumulatorUpdate(engine_);
        return std::nullopt;
    }
    if (token == "=") {
        engine_.enterEquals();
        return std::nullopt;
    }
    if (token == "clear") {
        engine_.clear();
        return std::nullopt;
    }
    for (size_t page = 0; page < kBasePages.size(); ++page) {
        if (token == kBasePages[page] || token == kRealPages[page]) {
            logic_.displayPageCameToRest(static_cast<int>(page));
            return std::nullopt;
        }
    }
    if (token.starts_with("ascii:")) return tapASCIIValue(token);
    if (token == "real") {
        if (engine_.accumulatorCalcValue().type() == CalcValueTypeReal) return std::nullopt;
        return enterOperator(OperatorsOperatorToReal, token);
    }
    if (token == "int") {
        if (engine_.accumulatorCalcValue().type() != CalcValueTypeReal) return std::nullopt;
        return enterOperator(settings_.integerType() == 0 ? OperatorsOperatorToUBase : OperatorsOperatorToSBase, token);
    }
    for (const ConstantToken& constant : kConstantTokens) {
        if (token == constant.token) {
            engine_.enterAccumulatorCalcValue(Constants::constantsCalcValues()[constant.index]);
            return std::nullopt;
        }
    }
    for (const Alias& alias : kOperatorAliases) {
        if (token == alias.token) return enterOperator(alias.op, token);
    }
    const std::optional<OperatorsOperator> op = Operators::sharedInstance().operatorFromString(token);
    if (op && operatorIsOffered(*op)) return enterOperator(*op, token);
    return "unknown key " + quoted(token);
}

std::string CliSession::displayText() const { return displayText(logic_.displayPage()); }

std::string CliSession::displayText(int page) const {
    if (showsError()) return Localized::string(Operators::messageFromOperatorsError(engine_.currError()));
    const CalcValueFormat format = logic_.displayedFormat(page);
    return NumberUtils::stringFromCalcValue(engine_.accumulatorCalcValue(), &format);
}

std::string CliSession::keysHelp() {
    std::string help =
        "Keys (separated by white space):\n"
        "  0-9 A-F .        digits and the decimal point, one key per character\n"
        "  exp              exponent key          +- or \u00B1   sign key\n"
        "  =                equals                clear        clear key\n"
        "  bin oct dec hex  turn the display to page 0-3 (integer value: the number base)\n"
        "  fix eng sci auto the same pages (real value: the display style)\n"
        "  real int         the Scientific and Programmer segments\n"
        "  paste:TEXT       paste TEXT (the rest of the argument or line, trailing blanks\n"
        "                   left out) into the display\n"
        "  ascii:N          tap the ASCII table's cell of code N (decimal, 0-127)\n"
        "  Pi pi \u03C0 e g G c  constants\n"
        "  - * x /          aliases of \u2212 \u00D7 \u00D7 \u00F7\n"
        "Operators (labels are case-insensitive):\n";
    Operators& operators = Operators::sharedInstance();
    std::string line = " ";
    for (OperatorsOperator op : operators.knownOperators()) {
        if (!operatorIsOffered(op)) continue;
        const std::string entry = " " + operators.stringFromOperator(op);
        if (line.size() + entry.size() > 78) {
            help += line + "\n";
            line = " ";
        }
        line += entry;
    }
    return help + line + "\n";
}

void CliSession::calcEngineNewOperator(CalcEngine&, OperatorsOperator) {}

void CliSession::calcEngineAddHistoryStepWithCalcValue1(CalcEngine&, const CalcValue& value1, OperatorsOperator op,
                                                        const std::optional<CalcValue>& value2,
                                                        const CalcValue& result) {
    if (!historyStore_ || CalcEngine::operatorIsNoneOrEquals(op)) return;
    historyStore_->addHistoryStep(value1, op, value2, result, logic_.currentCalcValueFormatStyle());
}

void CliSession::calcEngineAccumulatorUpdate(CalcEngine&) {
    logic_.accumulatorUpdate(Operators::sharedInstance().wordSize());
}
