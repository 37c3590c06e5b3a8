#pragma once

#include <cstdint>
#include <optional>

// What a failed calculation reports; the engine keeps it while it is shown and the store saves
// it with the engine, so the numbers never change.
enum OperatorsError : int32_t {
    OperatorsErrorNone = 0,
    OperatorsErrorValueOutOfRange = 1,
    OperatorsErrorDivideByZero = 2,
    OperatorsErrorInvalidWordSize = 3,
    OperatorsErrorIntegerSize32 = 4,
    OperatorsErrorIntegerSize64 = 5,
};

// The error a stored number stands for; none for a number no error has.
constexpr std::optional<OperatorsError> operatorsErrorFromInt32(int32_t number) {
    if (number < OperatorsErrorNone || number > OperatorsErrorIntegerSize64) return std::nullopt;
    return static_cast<OperatorsError>(number);
}
