// Arbitrary key sequences through the shared screen logic, as the window's keypad, display
// strip, segmented control, settings screen, ASCII table and Copy and Paste press them. After
// every key: a real accumulator is finite, and Copy then Paste gives back the value on every
// page that shows every digit; after "=" the integer accumulator lies within the word size.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Calculator/Constants.h"
#include "Calculator/Operators.h"
#include "FuzzInput.h"
#include "FuzzInvariants.h"
#include "FuzzScreen.h"

namespace {

// The keys one input byte can press; the bytes from kOperatorKeys on name an operator.
enum Key : uint8_t {
    kDigitKeys = 0,  // 16 digits
    kDecimalPoint = 16,
    kExponent,
    kPlusMinus,
    kHoldPlusMinus,
    kEquals,
    kClear,
    kTurnDisplay,  // page from the next byte
    kRealSegment,
    kIntegerSegment,
    kPaste,  // length, then the text
    kASCIITable,
    kConstant,
    kWordSize,  // from the next byte
    kOperatorKeys,
};

// Every operator a key, menu or favourite offers: "%" calculates nothing and none offers it.
const std::vector<OperatorsOperator>& offeredOperators() {
    static const std::vector<OperatorsOperator> operators = [] {
        std::vector<OperatorsOperator> offered;
        for (OperatorsOperator op : Operators::sharedInstance().knownOperators()) {
            if (op != OperatorsOperatorPercent) offered.push_back(op);
        }
        return offered;
    }();
    return operators;
}

CliSettings settingsFromInput(FuzzInput& input) {
    CliSettings settings;
    settings.wordSize = 2 + input.byte() % 63;
    const uint8_t flags = input.byte();
    settings.integerTypeValue = flags & 1;
    settings.angleType = (flags >> 1) & 1;
    settings.numDecimalPlacesValue = (flags >> 2) % 11;
    const uint8_t styles = input.byte();
    settings.numSigFigsValue = styles % 10;
    settings.realStyleValue = (styles / 10) % 4;
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    FuzzScreen screen(settingsFromInput(input));
    // QUILLET_FUZZ_TRACE=1 prints every key and the accumulator after it, to read a crash.
    static const bool trace = std::getenv("QUILLET_FUZZ_TRACE") != nullptr;
    while (!input.atEnd()) {
        const uint8_t key = input.byte();
        bool equals = false;
        switch (key) {
            case kDecimalPoint: screen.pressDecimalPoint(); break;
            case kExponent: screen.pressExponent(); break;
            case kPlusMinus: screen.pressPlusMinus(); break;
            case kHoldPlusMinus: screen.holdPlusMinus(); break;
            case kEquals:
                screen.pressEquals();
                equals = true;
                break;
            case kClear: screen.pressClear(); break;
            case kTurnDisplay: screen.turnDisplayTo(input.byte() % 4); break;
            case kRealSegment: screen.chooseSegment(true); break;
            case kIntegerSegment: screen.chooseSegment(false); break;
            case kPaste: {
                const std::string_view text = input.text(input.byte() % 32);
                if (screen.paste(text)) {
                    FuzzInvariants::checkPastedValue(screen.engine().accumulatorCalcValue(), FuzzScreen::wordSize(),
                                                     text);
                }
                break;
            }
            case kASCIITable: screen.tapASCIIValue(input.byte() % 128); break;
            case kConstant: {
                const auto& constants = Constants::constantsCalcValues();
                screen.chooseValue(constants[input.byte() % constants.size()]);
                break;
            }
            case kWordSize: screen.changeWordSize(2 + input.byte() % 63); break;
            default:
                if (key < kDecimalPoint) {
                    screen.pressDigit(key);
                } else {
                    const auto& operators = offeredOperators();
                    screen.pressOperator(operators[(key - kOperatorKeys) % operators.size()]);
                }
                break;
        }
        if (trace)
            std::fprintf(stderr, "key %d: %s\n", key, screen.engine().accumulatorCalcValue().description().c_str());
        FuzzInvariants::checkAccumulator(screen.engine());
        if (equals) FuzzInvariants::checkAfterEquals(screen.engine(), FuzzScreen::wordSize());
        FuzzInvariants::checkCopyThenPaste(screen);
    }
    return 0;
}
