#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "Model/CalcStore.h"

// Records a step as the calculator does, dates it `daysAgo` days before today, and saves it.
inline HistoryStep* addHistoryStepDaysAgo(CalcStore& store, int daysAgo, const CalcValue& value1, OperatorsOperator op,
                                          const std::optional<CalcValue>& value2, const CalcValue& result,
                                          CalcValueFormatStyle style) {
    store.addHistoryStepWithCalcValue1(value1, op, value2, result, style);
    std::string error;
    const auto newestFirst = store.managedObjectContext()->executeFetchRequest(
        {std::string(CalcStoreHistoryStepEntityName), nullptr, {{std::string(CalcStoreHistoryStepKeyIndex), false}}},
        &error);
    auto* step = static_cast<HistoryStep*>(newestFirst->front());
    // From noon, whole days of 24 hours land on the right day across a change of summer time.
    const auto noon = CalcStore::dateQuantizedToToday() + std::chrono::hours(12);
    step->setValue(CalcStore::dateQuantizedToDay(noon - std::chrono::hours(24 * daysAgo)), CalcStoreHistoryStepKeyDate);
    store.saveChanges();
    return step;
}
