#include "Calculator/CalcEngineStore.h"
#include "Model/CalcStore.h"
#include "Model/HistoryText.h"
#include "cli/CliStore.h"

namespace {

class CliCalcStore : public CliStore {
public:
    explicit CliCalcStore(const std::string& path) : store_(path) {}

    bool open(CliStoreUse use, std::string* problem) {
        return use == CliStoreUse::ReadHistory ? store_.openExisting(problem) : store_.open(problem);
    }

    void restoreCalcEngine(CalcEngine& engine) override { CalcEngineStore::restoreCalcEngine(engine, store_); }

    void addHistoryStep(const CalcValue& value1, OperatorsOperator op, const std::optional<CalcValue>& value2,
                        const CalcValue& result, CalcValueFormatStyle style) override {
        store_.addHistoryStepWithCalcValue1(value1, op, value2, result, style);
        store_.saveChanges();
    }

    void persistCalcEngineAndClose(CalcEngine& engine) override {
        CalcEngineStore::persistCalcEngine(engine, store_);
        store_.close();
    }

    std::string historyText() override {
        return HistoryText::stringEmailBodyFromHistorySteps(store_.historyStepsFetchedResultsController().get());
    }

private:
    CalcStore store_;
};

}  // namespace

std::unique_ptr<CliStore> openCliStore(const std::string& path, char**, std::string* problem, CliStoreUse use) {
    auto store = std::make_unique<CliCalcStore>(path);
    if (!store->open(use, problem)) return nullptr;
    return store;
}
