#pragma once

#include <cstdint>
#include <optional>

// The entry state: a number being typed, a binary operator just entered (the accumulator still
// holds the first operand), or a complete value shown. Saved with the engine.
enum CalcEngineState : int32_t {
    CalcEngineStateEnteringValue = 0,
    CalcEngineStateOperatorPending = 1,
    CalcEngineStateResult = 2,
};

// The state a stored number stands for; none for a number no state has.
constexpr std::optional<CalcEngineState> calcEngineStateFromInt32(int32_t number) {
    if (number < CalcEngineStateEnteringValue || number > CalcEngineStateResult) return std::nullopt;
    return static_cast<CalcEngineState>(number);
}
