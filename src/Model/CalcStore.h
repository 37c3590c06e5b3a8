#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calculator/CalcEngineState.h"
#include "Calculator/OperatorsModule.h"
#include "Model/AccumulatorState.h"
#include "Model/CalcStoreKeys.h"
#include "Model/CalcValue.h"
#include "Model/Favourite.h"
#include "Model/GeneralValue.h"
#include "Model/GlobalData.h"
#include "Model/HistoryStep.h"
#include "Model/OpStepRecord.h"
#include "Model/QuickOperator.h"
#include "Platform/Store/FetchedResultsController.h"
#include "Platform/Store/ManagedObjectContext.h"
#include "Platform/Store/ManagedObjectModel.h"
#include "Platform/Store/PersistentStoreCoordinator.h"
#include "Utils/CalcValueFormat.h"

// The application's one object store: the history of completed steps (the last 100 are kept),
// the fifteen favourites, the recently used operators and the engine's saved state, in one
// SQLite file. Every change is pending until a save; the operations that save say so.
class CalcStore {
public:
    // The store at "Quillet.sqlite" in applicationDocumentsDirectory(), opened on first use.
    static CalcStore& sharedInstance();
    // A store of its own at a given file (tests, the command line), opened on first use.
    explicit CalcStore(std::string storePath);
    ~CalcStore();
    CalcStore(const CalcStore&) = delete;
    CalcStore& operator=(const CalcStore&) = delete;

    static constexpr std::string_view storeFileName = "Quillet.sqlite";
    // The application's data folder: the XDG data location for organisation and application
    // "Quillet" (QStandardPaths::AppDataLocation with those names).
    static std::string applicationDocumentsDirectory();
    const std::string& storePath() const { return storePath_; }

    // Opens the file now. False with a message the user can read when it cannot be used: held
    // by another process (the file is left as it was), or not creatable. A file that is not a
    // usable store is moved aside under a name that says so, and a fresh store is started.
    bool open(std::string* errorMessage);
    // Opens a store file that exists, to read it: a missing file, or one that is not a usable
    // store, is reported and left as it is.
    bool openExisting(std::string* errorMessage);

    const ManagedObjectModel& managedObjectModel();
    // Opens the store file on first use; a file that cannot be used at all is logged
    // ("Unresolved error ...") and ends the process.
    PersistentStoreCoordinator* persistentStoreCoordinator();
    ManagedObjectContext* managedObjectContext();

    void saveChanges();
    // Runs the changes with every save they make held back, then saves them all in one
    // transaction: a crash leaves either none of them or all of them. False, with the error,
    // when that save fails; the changes then stay pending for the next save.
    bool saveTogether(const std::function<void()>& changes, std::string* error);
    void close();
    void deleteAllObjects(std::string_view entityName);

    GeneralValue* generalValueFromCalcValue(const CalcValue& value);
    // No value for a stored type that is no kind of value.
    static std::optional<CalcValue> calcValueFromGeneralValue(const GeneralValue& generalValue);
    static ObjectDate dateQuantizedToToday();
    // Local midnight at the start of the day of an instant.
    static ObjectDate dateQuantizedToDay(ObjectDate instant);

    int32_t nextHistoryStepIndexAndIncrement();
    void addHistoryStepWithCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                      const std::optional<CalcValue>& value2, const CalcValue& result,
                                      CalcValueFormatStyle style);
    void deleteAllHistorySteps();
    // Sectioned by day (newest day first), oldest step first within a day; null when the
    // history cannot be read. A step this program could not have written is logged and left out.
    std::unique_ptr<FetchedResultsController> historyStepsFetchedResultsController();

    void addAccumulatorState(CalcEngineState state, OperatorsError currError, OperatorsOperator currOperator,
                             int32_t decimalPointDivider, int32_t exponent, bool hasExponent, int32_t numberBase,
                             const CalcValue& accumulatorCalcValue);
    AccumulatorState* accumulatorState();
    void deleteAccumulatorState();
    void addOpStepWithCalcValue(const CalcValue& value, OperatorsOperator op, int32_t index);
    std::optional<std::vector<OpStepRecord*>> opSteps();
    void deleteAllOpSteps();

    // The lists hand out only records this program could have written; each other one is logged
    // and left out (its slot shows blank), and stays in the file as it is.
    std::optional<std::vector<Favourite*>> favourites();
    void deleteFavouriteWithIndex(int32_t index);
    void addFavouriteWithCalcValue(const std::optional<CalcValue>& value, OperatorsOperator op, int32_t index,
                                   CalcValueFormatStyle style);
    void createDefaultFavourites();
    static int32_t indexFromOperator(OperatorsOperator op, const std::vector<Favourite*>& favourites);
    void replaceToRealToUBaseToSBaseInFavourites(const std::vector<Favourite*>& favourites);

    std::optional<std::vector<QuickOperator*>> quickOperators();
    void addQuickOperatorWithOperator(OperatorsOperator op);

private:
    template <typename Record>
    std::optional<std::vector<Record*>> fetchAllSortedByIndex(std::string_view entityName);
    bool openCoordinator(std::string* errorMessage);
    void adoptCoordinator(std::unique_ptr<PersistentStoreCoordinator> coordinator);
    ManagedObjectContext& context();
    bool save(std::string* error);
    // Numbers the kept history steps 0, 1, ... in their order; the count.
    int32_t renumberHistorySteps();

    std::string storePath_;
    std::unique_ptr<ManagedObjectModel> managedObjectModel_;
    std::unique_ptr<PersistentStoreCoordinator> persistentStoreCoordinator_;
    std::unique_ptr<ManagedObjectContext> managedObjectContext_;
    GlobalData* globalDataManagedObject_ = nullptr;
    int heldSaves_ = 0;
};
