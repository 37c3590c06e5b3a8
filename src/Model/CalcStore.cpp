#include "Model/CalcStore.h"

#include <QStandardPaths>
#include <QString>
#include <array>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>

#include "Calculator/Operators.h"
#include "Model/CalcStoreModel.h"
#include "Model/CalcStoreRecordCheck.h"
#include "Platform/Core/FatalAssert.h"
#include "Platform/Core/Log.h"
#include "Platform/Store/FileSetAside.h"

namespace {

constexpr std::string_view source = "Model/CalcStore";
// Only the steps with the 100 highest indices are kept.
constexpr int32_t historyLength = 100;

struct DefaultFavourite {
    OperatorsOperator op;
    std::optional<double> value;
    CalcValueFormatStyle style;
};

constexpr std::array<DefaultFavourite, 15> defaultFavourites = {{
    {OperatorsOperatorShiftLeft, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorShiftRight, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorShiftLeftN, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorShiftRightN, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorRecip, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorAND, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorOR, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorXOR, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorInvert, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorReverseBytes, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorRandom, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorSqRoot, std::nullopt, CalcValueFormatStyleFix},
    {OperatorsOperatorNone, 3.141592653589793, CalcValueFormatStyleAuto},
    {OperatorsOperatorNone, 2.718281828459045, CalcValueFormatStyleAuto},
    {OperatorsOperatorNone, 42.0, CalcValueFormatStyleAuto},
}};

// The three type conversions left the favourites bar; a favourite holding one gets the first of
// these that no favourite holds yet.
constexpr std::array<OperatorsOperator, 26> replacementCandidates = {
    OperatorsOperatorBitGet,      OperatorsOperatorBitSet,
    OperatorsOperatorBitClear,    OperatorsOperatorArithmeticShiftRight,
    OperatorsOperatorShiftLeftN,  OperatorsOperatorShiftRightN,
    OperatorsOperatorRotateLeft,  OperatorsOperatorRotateRight,
    OperatorsOperatorRotateLeftN, OperatorsOperatorRotateRightN,
    OperatorsOperatorSin,         OperatorsOperatorCos,
    OperatorsOperatorTan,         OperatorsOperatorASin,
    OperatorsOperatorACos,        OperatorsOperatorATan,
    OperatorsOperatorLog,         OperatorsOperatorLn,
    OperatorsOperatorEPow,        OperatorsOperator10Pow,
    OperatorsOperatorSquared,     OperatorsOperatorCubed,
    OperatorsOperatorPowN,        OperatorsOperatorRecip,
    OperatorsOperatorSqRoot,      OperatorsOperatorNthRoot};

constexpr bool isTypeConversion(OperatorsOperator op) {
    return op == OperatorsOperatorToReal || op == OperatorsOperatorToUBase || op == OperatorsOperatorToSBase;
}

constexpr bool isBasicArithmetic(OperatorsOperator op) {
    return op == OperatorsOperatorAdd || op == OperatorsOperatorSubtract || op == OperatorsOperatorMultiply ||
           op == OperatorsOperatorDivide;
}

// Favourites, quick operators and op steps all keep their position under this name.
constexpr std::string_view indexKey = "index";

FetchRequest requestSortedByIndex(std::string_view entityName) {
    return {std::string(entityName), nullptr, {{std::string(indexKey), true}}};
}

void logLeftOut(std::string_view name, int32_t index, const std::string& impossibleField) {
    Log::format("%s %d is damaged (%s) and left out", std::string(name).c_str(), index, impossibleField.c_str());
}

// The records this program could have written; each other one is logged and left out.
template <typename Record>
std::optional<std::vector<Record*>> soundRecords(std::optional<std::vector<Record*>> records, std::string_view name,
                                                 std::optional<std::string> (*impossibleField)(const Record&)) {
    if (records) {
        std::erase_if(*records, [&](const Record* record) {
            const std::optional<std::string> field = impossibleField(*record);
            if (field) logLeftOut(name, record->index(), *field);
            return field.has_value();
        });
    }
    return records;
}

bool historyStepIsSound(const ManagedObject& object) {
    return !CalcStoreRecordCheck::impossibleFieldOfHistoryStep(static_cast<const HistoryStep&>(object));
}

}  // namespace

CalcStore& CalcStore::sharedInstance() {
    // A function-local static is created once, under the lock the language provides.
    static CalcStore store(applicationDocumentsDirectory() + "/" + std::string(storeFileName));
    return store;
}

CalcStore::CalcStore(std::string storePath) : storePath_(std::move(storePath)) {}

CalcStore::~CalcStore() {
    managedObjectContext_.reset();
    persistentStoreCoordinator_.reset();
}

std::string CalcStore::applicationDocumentsDirectory() {
    const QString dataLocation = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (dataLocation + QStringLiteral("/Quillet/Quillet")).toStdString();
}

bool CalcStore::open(std::string* errorMessage) {
    if (managedObjectContext_) return true;
    std::string message;
    const bool opened = openCoordinator(&message);
    if (errorMessage) *errorMessage = message;
    return opened;
}

bool CalcStore::openCoordinator(std::string* errorMessage) {
    std::error_code code;
    const auto folder = std::filesystem::path(storePath_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, code);
    auto coordinator = std::make_unique<PersistentStoreCoordinator>(managedObjectModel(), storePath_);
    if (coordinator->failure() == StoreOpenFailure::Unreadable) {
        const std::string reason = coordinator->errorMessage();
        coordinator.reset();
        std::string error;
        const auto aside = setFileAside(storePath_, &error, {"-wal", "-journal", "-shm"});
        if (!aside) {
            *errorMessage = reason + "; it could not be moved aside: " + error;
            return false;
        }
        Log::format("%s; kept it as %s and started a fresh store", reason.c_str(), aside->c_str());
        coordinator = std::make_unique<PersistentStoreCoordinator>(managedObjectModel(), storePath_);
    }
    if (!coordinator->isOpen()) {
        *errorMessage = coordinator->errorMessage();
        return false;
    }
    adoptCoordinator(std::move(coordinator));
    return true;
}

bool CalcStore::openExisting(std::string* errorMessage) {
    if (managedObjectContext_) return true;
    std::error_code code;
    if (!std::filesystem::is_regular_file(storePath_, code)) {
        *errorMessage = "no store at " + storePath_;
        return false;
    }
    auto coordinator = std::make_unique<PersistentStoreCoordinator>(managedObjectModel(), storePath_);
    if (!coordinator->isOpen()) {
        *errorMessage = coordinator->errorMessage();
        return false;
    }
    adoptCoordinator(std::move(coordinator));
    return true;
}

void CalcStore::adoptCoordinator(std::unique_ptr<PersistentStoreCoordinator> coordinator) {
    persistentStoreCoordinator_ = std::move(coordinator);
    managedObjectContext_ = std::make_unique<ManagedObjectContext>(*persistentStoreCoordinator_);
    globalDataManagedObject_ = nullptr;
}

const ManagedObjectModel& CalcStore::managedObjectModel() {
    if (!managedObjectModel_)
        managedObjectModel_ = std::make_unique<ManagedObjectModel>(CalcStoreModel::managedObjectModel());
    return *managedObjectModel_;
}

PersistentStoreCoordinator* CalcStore::persistentStoreCoordinator() {
    if (!persistentStoreCoordinator_) {
        std::string errorMessage;
        if (!openCoordinator(&errorMessage)) {
            Log::format("Unresolved error %s, %s", errorMessage.c_str(), storePath_.c_str());
            fatalAssert(source, errorMessage);
        }
    }
    return persistentStoreCoordinator_.get();
}

ManagedObjectContext* CalcStore::managedObjectContext() {
    persistentStoreCoordinator();
    return managedObjectContext_.get();
}

ManagedObjectContext& CalcStore::context() { return *managedObjectContext(); }

bool CalcStore::save(std::string* error) {
    if (heldSaves_ > 0) return true;
    return context().save(error);
}

bool CalcStore::saveTogether(const std::function<void()>& changes, std::string* error) {
    ++heldSaves_;
    changes();
    --heldSaves_;
    return save(error);
}

void CalcStore::saveChanges() {
    std::string error;
    if (!save(&error)) {
        Log::format("Unresolved error %s, %s", error.c_str(), storePath_.c_str());
        fatalAssert(source, "unable to save history step");
    }
}

void CalcStore::close() {
    globalDataManagedObject_ = nullptr;
    if (managedObjectContext_ && managedObjectContext_->hasChanges()) {
        std::string error;
        if (!managedObjectContext_->save(&error)) {
            Log::format("Unresolved error %s, %s", error.c_str(), storePath_.c_str());
            fatalAssert(source, "unable to save store at close");
        }
    }
    // Closing the file releases it for the next process and folds the write-ahead log back in.
    managedObjectContext_.reset();
    persistentStoreCoordinator_.reset();
}

void CalcStore::deleteAllObjects(std::string_view entityName) {
    std::string error;
    const auto objects = context().executeFetchRequest({std::string(entityName), nullptr, {}}, &error);
    if (!objects) {
        Log::format("Error fetching request %s", error.c_str());
        return;
    }
    if (entityName == CalcStoreGlobalDataEntityName) globalDataManagedObject_ = nullptr;
    for (ManagedObject* object : *objects) context().deleteObject(object);
    saveChanges();
}

GeneralValue* CalcStore::generalValueFromCalcValue(const CalcValue& value) {
    auto* generalValue =
        static_cast<GeneralValue*>(context().insertNewObjectForEntityForName(CalcStoreGeneralValueEntityName));
    generalValue->setValue(static_cast<int32_t>(value.type()), CalcStoreGeneralValueKeyType);
    switch (value.type()) {
        case CalcValueTypeUBase:
            generalValue->setValue(static_cast<int64_t>(value.uBaseValue()), CalcStoreGeneralValueKeyBaseValue);
            break;
        case CalcValueTypeSBase: generalValue->setValue(value.sBaseValue(), CalcStoreGeneralValueKeyBaseValue); break;
        case CalcValueTypeReal: generalValue->setValue(value.realValue(), CalcStoreGeneralValueKeyRealValue); break;
        case CalcValueTypeNone: fatalAssert(source, "unknown value type");
    }
    return generalValue;
}

std::optional<CalcValue> CalcStore::calcValueFromGeneralValue(const GeneralValue& generalValue) {
    switch (calcValueTypeFromInt32(generalValue.type()).value_or(CalcValueTypeNone)) {
        case CalcValueTypeUBase:
            return CalcValue::calcValueWithUBaseValue(static_cast<uint64_t>(generalValue.baseValue().value_or(0)));
        case CalcValueTypeSBase: return CalcValue::calcValueWithSBaseValue(generalValue.baseValue().value_or(0));
        case CalcValueTypeReal: return CalcValue::calcValueWithRealValue(generalValue.realValue().value_or(0.0));
        case CalcValueTypeNone: break;
    }
    return std::nullopt;
}

ObjectDate CalcStore::dateQuantizedToDay(ObjectDate instant) {
    const std::time_t time = std::chrono::system_clock::to_time_t(instant);
    std::tm local{};
    localtime_r(&time, &local);
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

ObjectDate CalcStore::dateQuantizedToToday() { return dateQuantizedToDay(std::chrono::system_clock::now()); }

int32_t CalcStore::nextHistoryStepIndexAndIncrement() {
    if (!globalDataManagedObject_) {
        std::string error;
        const auto found =
            context().executeFetchRequest({std::string(CalcStoreGlobalDataEntityName), nullptr, {}}, &error);
        if (!found) fatalAssert(source, "error searching for GlobalData");
        if (!found->empty()) {
            // This program keeps one counter. Of several, the largest keeps the indices unique.
            if (found->size() > 1) Log::line("more than 1 global data object; the history goes on from the largest");
            for (ManagedObject* object : *found) {
                auto* globalData = static_cast<GlobalData*>(object);
                if (!globalDataManagedObject_ ||
                    globalData->nextHistoryStepIndex() > globalDataManagedObject_->nextHistoryStepIndex()) {
                    globalDataManagedObject_ = globalData;
                }
            }
        } else {
            globalDataManagedObject_ =
                static_cast<GlobalData*>(context().insertNewObjectForEntityForName(CalcStoreGlobalDataEntityName));
            if (!globalDataManagedObject_) fatalAssert(source, "unable to create global data");
            globalDataManagedObject_->setNextHistoryStepIndex(0);
        }
    }
    int32_t index = globalDataManagedObject_->nextHistoryStepIndex();
    // Only a counter changed by hand gets this far; rather than hand out an index twice, the
    // kept steps are numbered afresh from 0 in their order and the counter goes on after them.
    if (index == std::numeric_limits<int32_t>::max()) index = renumberHistorySteps();
    globalDataManagedObject_->setNextHistoryStepIndex(index + 1);
    // A failure here leaves the counter pending; the caller's own save reports it.
    std::string error;
    if (!save(&error)) Log::format("error saving GlobalData: %s", error.c_str());
    return index;
}

int32_t CalcStore::renumberHistorySteps() {
    std::string error;
    const auto steps = context().executeFetchRequest(requestSortedByIndex(CalcStoreHistoryStepEntityName), &error);
    int32_t next = 0;
    for (ManagedObject* step : steps.value_or(std::vector<ManagedObject*>{})) {
        step->setValue(next++, CalcStoreHistoryStepKeyIndex);
    }
    Log::format("the history counter could go no higher; %d steps numbered afresh", next);
    return next;
}

void CalcStore::addHistoryStepWithCalcValue1(const CalcValue& value1, OperatorsOperator op,
                                             const std::optional<CalcValue>& value2, const CalcValue& result,
                                             CalcValueFormatStyle style) {
    const int32_t index = nextHistoryStepIndexAndIncrement();
    auto* step = static_cast<HistoryStep*>(context().insertNewObjectForEntityForName(CalcStoreHistoryStepEntityName));
    step->setValue(dateQuantizedToToday(), CalcStoreHistoryStepKeyDate);
    step->setValue(index, CalcStoreHistoryStepKeyIndex);
    step->setValue(0, CalcStoreHistoryStepKeyError);
    step->setValue(static_cast<int32_t>(op), CalcStoreHistoryStepKeyOperator);
    step->setValue(std::string(), CalcStoreHistoryStepKeyTextCacheLHS);
    step->setValue(std::string(), CalcStoreHistoryStepKeyTextCacheRHS);

    auto attach = [&](const CalcValue& value, std::string_view parentKey, std::string_view childKey) {
        GeneralValue* generalValue = generalValueFromCalcValue(value);
        generalValue->setStyle(style);
        generalValue->setObject(step, parentKey);
        step->setObject(generalValue, childKey);
    };
    attach(value1, CalcStoreGeneralValueKeyParentHistoryStepGeneralValue1, CalcStoreHistoryStepKeyGeneralValue1);
    if (value2) {
        attach(*value2, CalcStoreGeneralValueKeyParentHistoryStepGeneralValue2, CalcStoreHistoryStepKeyGeneralValue2);
    }
    attach(result, CalcStoreGeneralValueKeyParentHistoryStepGeneralValueResult,
           CalcStoreHistoryStepKeyGeneralValueResult);

    if (index >= historyLength) {
        FetchRequest request{
            std::string(CalcStoreHistoryStepEntityName),
            FetchRequest::predicateKeyLessThanOrEqual(std::string(CalcStoreHistoryStepKeyIndex), index - historyLength),
            {}};
        std::string error;
        const auto oldSteps = context().executeFetchRequest(request, &error);
        if (!oldSteps) {
            Log::format("Error fetching request %s", error.c_str());
            return;
        }
        for (ManagedObject* oldStep : *oldSteps) context().deleteObject(oldStep);
    }
}

void CalcStore::deleteAllHistorySteps() { deleteAllObjects(CalcStoreHistoryStepEntityName); }

std::unique_ptr<FetchedResultsController> CalcStore::historyStepsFetchedResultsController() {
    // The live list never shows a damaged step; each is named once, here.
    std::string error;
    const auto damaged = context().executeFetchRequest(
        {std::string(CalcStoreHistoryStepEntityName), std::not_fn(historyStepIsSound), {}}, &error);
    for (const ManagedObject* object : damaged.value_or(std::vector<ManagedObject*>{})) {
        const auto& step = static_cast<const HistoryStep&>(*object);
        logLeftOut("History step", step.index(), *CalcStoreRecordCheck::impossibleFieldOfHistoryStep(step));
    }
    FetchRequest request{
        std::string(CalcStoreHistoryStepEntityName),
        historyStepIsSound,
        {{std::string(CalcStoreHistoryStepKeyDate), false}, {std::string(CalcStoreHistoryStepKeyIndex), true}}};
    auto controller = std::make_unique<FetchedResultsController>(std::move(request), context(),
                                                                 std::string(CalcStoreHistoryStepKeyDate),
                                                                 std::string(CalcStoreHistoryStepEntityName));
    if (!controller->performFetch(&error)) {
        Log::format("Error fetching request %s", error.c_str());
        return nullptr;
    }
    return controller;
}

template <typename Record>
std::optional<std::vector<Record*>> CalcStore::fetchAllSortedByIndex(std::string_view entityName) {
    std::string error;
    const auto objects = context().executeFetchRequest(requestSortedByIndex(entityName), &error);
    if (!objects) {
        Log::line("Unable to execute fetch");
        return std::nullopt;
    }
    std::vector<Record*> records;
    records.reserve(objects->size());
    for (ManagedObject* object : *objects) records.push_back(static_cast<Record*>(object));
    return records;
}

void CalcStore::addAccumulatorState(CalcEngineState state, OperatorsError currError, OperatorsOperator currOperator,
                                    int32_t decimalPointDivider, int32_t exponent, bool hasExponent, int32_t numberBase,
                                    const CalcValue& accumulatorCalcValue) {
    ManagedObject* record = context().insertNewObjectForEntityForName(CalcStoreAccumulatorStateEntityName);
    record->setValue(static_cast<int32_t>(state), CalcStoreAccumulatorStateKeyState);
    record->setValue(static_cast<int32_t>(currError), CalcStoreAccumulatorStateKeyCurrError);
    record->setValue(static_cast<int32_t>(currOperator), CalcStoreAccumulatorStateKeyCurrOperator);
    record->setValue(decimalPointDivider, CalcStoreAccumulatorStateKeyDecimalPointDivider);
    record->setValue(exponent, CalcStoreAccumulatorStateKeyExponent);
    record->setValue(hasExponent, CalcStoreAccumulatorStateKeyHasExponent);
    record->setValue(numberBase, CalcStoreAccumulatorStateKeyNumberBase);
    record->setObject(generalValueFromCalcValue(accumulatorCalcValue), CalcStoreAccumulatorStateKeyGeneralValue);
    std::string error;
    if (!save(&error)) Log::format("error saving AccumulatorState: %s", error.c_str());
}

AccumulatorState* CalcStore::accumulatorState() {
    std::string error;
    const auto records =
        context().executeFetchRequest({std::string(CalcStoreAccumulatorStateEntityName), nullptr, {}}, &error);
    if (!records) {
        Log::line("Unable to execute fetch");
        return nullptr;
    }
    return records->size() == 1 ? static_cast<AccumulatorState*>(records->front()) : nullptr;
}

void CalcStore::deleteAccumulatorState() { deleteAllObjects(CalcStoreAccumulatorStateEntityName); }

void CalcStore::addOpStepWithCalcValue(const CalcValue& value, OperatorsOperator op, int32_t index) {
    GeneralValue* generalValue = generalValueFromCalcValue(value);
    ManagedObject* record = context().insertNewObjectForEntityForName(CalcStoreOpStepEntityName);
    record->setObject(generalValue, CalcStoreOpStepKeyGeneralValue);
    record->setValue(index, CalcStoreOpStepKeyIndex);
    if (static_cast<uint32_t>(op) > 1) record->setValue(static_cast<int32_t>(op), CalcStoreOpStepKeyOperator);
    std::string error;
    if (!save(&error)) Log::format("error saving opStep: %s", error.c_str());
}

std::optional<std::vector<OpStepRecord*>> CalcStore::opSteps() {
    return fetchAllSortedByIndex<OpStepRecord>(CalcStoreOpStepEntityName);
}

void CalcStore::deleteAllOpSteps() { deleteAllObjects(CalcStoreOpStepEntityName); }

std::optional<std::vector<Favourite*>> CalcStore::favourites() {
    return soundRecords(fetchAllSortedByIndex<Favourite>(CalcStoreFavouriteEntityName), "Favourite",
                        &CalcStoreRecordCheck::impossibleFieldOfFavourite);
}

void CalcStore::deleteFavouriteWithIndex(int32_t index) {
    // By position among every slot, damaged ones included, so that assigning a slot replaces it.
    const auto list = fetchAllSortedByIndex<Favourite>(CalcStoreFavouriteEntityName);
    if (!list) fatalAssert(source, "unable to get favourites");
    if (static_cast<uint32_t>(index) < list->size()) context().deleteObject((*list)[static_cast<uint32_t>(index)]);
}

void CalcStore::addFavouriteWithCalcValue(const std::optional<CalcValue>& value, OperatorsOperator op, int32_t index,
                                          CalcValueFormatStyle style) {
    deleteFavouriteWithIndex(index);
    auto* favourite = static_cast<Favourite*>(context().insertNewObjectForEntityForName(CalcStoreFavouriteEntityName));
    favourite->setValue(index, CalcStoreFavouriteKeyIndex);
    favourite->setOperatorsOperator(op);
    if (value) {
        GeneralValue* generalValue = generalValueFromCalcValue(*value);
        generalValue->setStyle(style);
        generalValue->setObject(favourite, CalcStoreGeneralValueKeyParentFavourite);
        favourite->setObject(generalValue, CalcStoreFavouriteKeyGeneralValue);
    }
    std::string error;
    if (!save(&error)) fatalAssert(source, "error saving favourite");
}

void CalcStore::createDefaultFavourites() {
    // A damaged slot counts as a slot: the user's other favourites stay as they are.
    const auto list = fetchAllSortedByIndex<Favourite>(CalcStoreFavouriteEntityName);
    if (list && list->size() >= defaultFavourites.size()) {
        replaceToRealToUBaseToSBaseInFavourites(*list);
        return;
    }
    for (size_t slot = 0; slot < defaultFavourites.size(); ++slot) {
        const DefaultFavourite& entry = defaultFavourites[slot];
        std::optional<CalcValue> value;
        if (entry.value) value = CalcValue::calcValueWithRealValue(*entry.value);
        addFavouriteWithCalcValue(value, entry.op, static_cast<int32_t>(slot), entry.style);
    }
}

int32_t CalcStore::indexFromOperator(OperatorsOperator op, const std::vector<Favourite*>& favourites) {
    for (const Favourite* favourite : favourites) {
        if (favourite->operatorsOperator() == op) return favourite->index();
    }
    return -1;
}

void CalcStore::replaceToRealToUBaseToSBaseInFavourites(const std::vector<Favourite*>& favourites) {
    bool changed = false;
    for (Favourite* favourite : favourites) {
        if (!isTypeConversion(favourite->operatorsOperator())) continue;
        for (OperatorsOperator candidate : replacementCandidates) {
            if (indexFromOperator(candidate, favourites) != -1) continue;
            favourite->setOperatorsOperator(candidate);
            changed = true;
            break;
        }
    }
    if (!changed) return;
    std::string error;
    if (!save(&error)) fatalAssert(source, "error saving favourite");
}

std::optional<std::vector<QuickOperator*>> CalcStore::quickOperators() {
    return soundRecords(fetchAllSortedByIndex<QuickOperator>(CalcStoreQuickOperatorEntityName), "Quick operator",
                        &CalcStoreRecordCheck::impossibleFieldOfQuickOperator);
}

void CalcStore::addQuickOperatorWithOperator(OperatorsOperator op) {
    if (isBasicArithmetic(op)) return;
    // Damaged entries move down with the others and keep their places.
    const auto list = fetchAllSortedByIndex<QuickOperator>(CalcStoreQuickOperatorEntityName);
    auto insertFirst = [&] {
        ManagedObject* record = context().insertNewObjectForEntityForName(CalcStoreQuickOperatorEntityName);
        record->setValue(0, CalcStoreQuickOperatorKeyIndex);
        record->setValue(static_cast<int32_t>(op), CalcStoreQuickOperatorKeyOperator);
    };
    if (!list || list->empty()) {
        insertFirst();
    } else if (list->front()->operatorsOperator() == op) {
        return;
    } else {
        const bool present = std::any_of(list->begin(), list->end(),
                                         [op](const QuickOperator* entry) { return entry->operatorsOperator() == op; });
        for (QuickOperator* entry : *list) {
            if (present && entry->operatorsOperator() == op) {
                entry->setIndex(0);
                break;
            }
            // An index changed by hand to the largest one stays there rather than overflow.
            entry->setIndex(entry->index() == std::numeric_limits<int32_t>::max() ? entry->index()
                                                                                  : entry->index() + 1);
        }
        if (!present) insertFirst();
    }
    std::string error;
    const bool saved = save(&error);
    context().processPendingChanges();
    if (!saved) fatalAssert(source, "error saving operator history");

    const auto updated = quickOperators();
    if (!updated) return;
    for (const QuickOperator* entry : *updated) {
        Log::format("[%d] %s", entry->index(),
                    Operators::sharedInstance().stringFromOperator(entry->operatorsOperator()).c_str());
    }
    Log::line("--");
}
