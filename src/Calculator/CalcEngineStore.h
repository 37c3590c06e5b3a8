#pragma once

class CalcEngine;
class CalcStore;

// Saves the engine's whole entry state and stack into the store and puts it back at start, so
// that a half-finished calculation survives a restart. Saving replaces what was saved before,
// in one transaction. Restoring leaves it in place until the next save, so that a crash right
// after a start still finds it; a damaged one is dropped.
class CalcEngineStore {
public:
    static void persistCalcEngine(const CalcEngine& engine, CalcStore& store);
    // On a freshly created engine whose stack is empty.
    static void restoreCalcEngine(CalcEngine& engine, CalcStore& store);
};
