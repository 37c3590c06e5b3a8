// Any text pasted into the display. The parser gives a finite real or an integer; pasted, the
// integer lies within the word size; copied again from every page that shows every digit and
// pasted, it comes back unchanged.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInput.h"
#include "FuzzInvariants.h"
#include "FuzzScreen.h"
#include "Utils/NumberUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string_view text = input.rest();
    const std::optional<CalcValue> parsed = NumberUtils::calcValueFromString(text);
    if (!parsed) return 0;
    if (parsed->type() == CalcValueTypeReal) {
        FuzzInvariants::require(std::isfinite(parsed->realValue()), "'" + std::string(text) + "' parsed as not finite");
    }
    for (int32_t wordSize : {2, 8, 13, 32, 63, 64}) {
        for (int32_t integerType : {0, 1}) {
            CliSettings settings;
            settings.wordSize = wordSize;
            settings.integerTypeValue = integerType;
            FuzzScreen screen(settings);
            FuzzInvariants::require(screen.paste(text), "Paste refuses '" + std::string(text) + "', a number");
            FuzzInvariants::checkPastedValue(screen.engine().accumulatorCalcValue(), wordSize, text);
            FuzzInvariants::checkCopyThenPaste(screen);
        }
    }
    return 0;
}
