#include "Calculator/ASCIITableLogic.h"

#include <cstdio>

#include "Calculator/CalcEngine.h"
#include "Platform/Core/FatalAssert.h"
#include "Utils/NumberUtils.h"

namespace {

constexpr const char* kSource = "Classes/ASCIIViewController";

constexpr const char* kControlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "TAB", "LF",  "VT",  "FF", "CR", "SO", "SI",
    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS", "GS", "RS", "US",
};

constexpr int32_t kDelete = 127;
// Every kind of value fits a 7-bit code at this word size, the signed one included.
constexpr int kEntryWordSize = 8;

void assertIsASCIIValue(int32_t asciiValue) {
    if (!ASCIITableLogic::isASCIIValue(asciiValue)) fatalAssert(kSource, "unknown ascii value");
}

}  // namespace

std::optional<int32_t> ASCIITableLogic::asciiValueFromCalcValue(const CalcValue& value) {
    switch (value.type()) {
        case CalcValueTypeUBase:
            if (value.uBaseValue() < ASCIITableLogicCodeCount) return static_cast<int32_t>(value.uBaseValue());
            return std::nullopt;
        case CalcValueTypeSBase:
            if (isASCIIValue(value.sBaseValue())) return static_cast<int32_t>(value.sBaseValue());
            return std::nullopt;
        case CalcValueTypeReal:
            // Written so that NaN fails both comparisons.
            if (value.realValue() >= 0.0 && value.realValue() < ASCIITableLogicCodeCount) {
                return static_cast<int32_t>(value.realValue());
            }
            return std::nullopt;
        default: return std::nullopt;
    }
}

std::string ASCIITableLogic::characterTextFromASCIIValue(int32_t asciiValue) {
    assertIsASCIIValue(asciiValue);
    if (asciiValue < 32) return kControlNames[asciiValue];
    if (asciiValue == kDelete) return "DEL";
    return std::string(1, static_cast<char>(asciiValue));
}

std::string ASCIITableLogic::valueTextFromASCIIValue(int32_t asciiValue, int32_t numberBase) {
    assertIsASCIIValue(asciiValue);
    char text[8];
    switch (numberBase) {
        case 2: return NumberUtils::stringInBinaryFromUint64(static_cast<uint64_t>(asciiValue));
        case 8: std::snprintf(text, sizeof text, "%oo", static_cast<unsigned>(asciiValue)); break;
        case 10: std::snprintf(text, sizeof text, "%dd", asciiValue); break;
        case 16: std::snprintf(text, sizeof text, "%02Xh", static_cast<unsigned>(asciiValue)); break;
        default: return "?";
    }
    return text;
}

CalcValue ASCIITableLogic::calcValueFromASCIIValue(int32_t asciiValue, CalcValueType accumulatorType) {
    assertIsASCIIValue(asciiValue);
    const CalcValue code = CalcValue::calcValueWithUBaseValue(static_cast<uint64_t>(asciiValue));
    // An accumulator without a kind (a damaged saved state) takes the code as it is.
    if (accumulatorType != CalcValueTypeSBase && accumulatorType != CalcValueTypeReal) return code;
    return *code.calcValueAsType(accumulatorType, kEntryWordSize);
}

void ASCIITableLogic::enterASCIIValue(CalcEngine& engine, int32_t asciiValue) {
    engine.enterAccumulatorCalcValue(calcValueFromASCIIValue(asciiValue, engine.accumulatorCalcValue().type()));
}
