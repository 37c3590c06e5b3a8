#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Calculator/CalcEngine.h"
#include "Utils/CalcValueFormat.h"

// The store file of --store: the saved calculation and the history.
class CliStore {
public:
    virtual ~CliStore() = default;
    virtual void restoreCalcEngine(CalcEngine& engine) = 0;
    // Records one completed step with the style of the page shown, and saves.
    virtual void addHistoryStep(const CalcValue& value1, OperatorsOperator op, const std::optional<CalcValue>& value2,
                                const CalcValue& result, CalcValueFormatStyle style) = 0;
    virtual void persistCalcEngineAndClose(CalcEngine& engine) = 0;
    // The history as the history screen exports it.
    virtual std::string historyText() = 0;
};

// Calculate restores the calculation and records steps, creating the file if need be;
// ReadHistory reads an existing store only and leaves a file it cannot use as it is.
enum class CliStoreUse { Calculate, ReadHistory };

// Opens the store at the path, or gives no store and a message. The plain quillet-cli does not
// load the store's libraries, so that it starts quickly: it runs quillet-cli-store, which has
// them, with the same arguments, and comes back only when that cannot be started.
std::unique_ptr<CliStore> openCliStore(const std::string& path, char** argv, std::string* problem,
                                       CliStoreUse use = CliStoreUse::Calculate);
