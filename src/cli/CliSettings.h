#pragma once

#include <cstdint>

#include "Calculator/CalcScreenLogic.h"

// The settings of one quillet-cli run: the first-launch defaults, changed by the options.
// Nothing here is saved.
class CliSettings : public CalcScreenSettings {
public:
    int32_t angleType = 0;
    int32_t numDecimalPlacesValue = 4;
    int32_t numSigFigsValue = 6;
    int32_t wordSize = 32;
    int32_t realStyleValue = 3;
    int32_t integerTypeValue = 0;

    int32_t numDecimalPlaces() const override { return numDecimalPlacesValue; }
    int32_t numSigFigs() const override { return numSigFigsValue; }
    int32_t realStyle() const override { return realStyleValue; }
    void setRealStyle(int32_t realStyle) override { realStyleValue = realStyle; }
    int32_t integerType() const override { return integerTypeValue; }
};
