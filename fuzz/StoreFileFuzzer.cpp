// A damaged store file: random bytes, a real store cut short, pages of a real store with bits
// flipped, zeroed or copied over others, or one field of a real store set to any value. The
// store opens and hands out everything it holds, or it is set aside whole with its bytes as they
// were and a fresh store starts; nothing read from the file reaches a fatal assertion, and the
// calculation restored from it holds finite values.

#include <sqlite3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "Calculator/CalcEngine.h"
#include "Calculator/CalcEngineStore.h"
#include "Calculator/Operators.h"
#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "FuzzInvariants.h"
#include "Model/CalcStore.h"
#include "Model/CalcStoreModel.h"

namespace {

enum Damage : uint8_t { kRandomBytes, kTruncated, kFlippedPages, kTamperedField, kDamageCount };

CalcValue u(uint64_t v) { return CalcValue::calcValueWithUBaseValue(v); }
CalcValue r(double v) { return CalcValue::calcValueWithRealValue(v); }

// A store as the calculator leaves it: history of every kind of value, the default favourites
// and a value favourite, quick operators, and a calculation saved half-way with two operands
// waiting.
std::string writeRealStore() {
    const std::string path = FuzzFolder::sharedInstance().filePath("real.sqlite");
    {
        CalcStore store(path);
        store.createDefaultFavourites();
        store.addFavouriteWithCalcValue(CalcValue::calcValueWithSBaseValue(-42), OperatorsOperatorNone, 3,
                                        CalcValueFormatStyleDec);
        for (OperatorsOperator op : {OperatorsOperatorAND, OperatorsOperatorOR, OperatorsOperatorXOR}) {
            store.addQuickOperatorWithOperator(op);
        }
        store.addHistoryStepWithCalcValue1(u(1), OperatorsOperatorAdd, u(2), u(3), CalcValueFormatStyleDec);
        store.addHistoryStepWithCalcValue1(u(3), OperatorsOperatorFactorial, std::nullopt, u(6),
                                           CalcValueFormatStyleHex);
        store.addHistoryStepWithCalcValue1(r(2.5), OperatorsOperatorMultiply, r(4), r(10), CalcValueFormatStyleSci);
        store.saveChanges();
        CalcEngine engine;
        engine.setAccumulatorCalcValue(r(0));
        engine.enterValue(1);
        engine.enterOperator(OperatorsOperatorAdd);
        engine.enterValue(2);
        engine.enterOperator(OperatorsOperatorMultiply);
        engine.enterValue(3);
        engine.enterDecimalPoint();
        engine.enterValue(5);
        CalcEngineStore::persistCalcEngine(engine, store);
        store.close();
    }
    return FuzzFolder::readFile(path);
}

const std::string& realStore() {
    static const std::string bytes = writeRealStore();
    return bytes;
}

std::string flippedPages(FuzzInput& input) {
    std::string bytes = realStore();
    const size_t pageSize = 4096;
    const size_t pages = bytes.size() / pageSize;
    while (!input.atEnd() && pages > 0) {
        const size_t page = input.byte() % pages;
        switch (input.byte() % 3) {
            case 0: {
                const size_t offset = (static_cast<size_t>(input.byte()) << 8 | input.byte()) % pageSize;
                bytes[page * pageSize + offset] ^= static_cast<char>(input.byte());
                break;
            }
            case 1: std::memset(bytes.data() + page * pageSize, 0, pageSize); break;
            default: {
                const size_t source = input.byte() % pages;
                std::memcpy(bytes.data() + page * pageSize, realStore().data() + source * pageSize, pageSize);
                break;
            }
        }
    }
    return bytes;
}

// One column of one row of the real store set to an integer, a real, a text or null.
std::string tamperedField(FuzzInput& input) {
    const std::string path = FuzzFolder::sharedInstance().filePath("tampered.sqlite");
    FuzzFolder::writeFile(path, realStore());
    static const ManagedObjectModel model = CalcStoreModel::managedObjectModel();
    const EntityDescription& entity = model.entities()[input.byte() % model.entities().size()];
    std::vector<std::string> columns;
    for (const auto& attribute : entity.attributes) columns.push_back(attribute.name);
    for (const auto& relationship : entity.relationships) columns.push_back(relationship.name);
    const std::string& column = columns[input.byte() % columns.size()];
    const int row = input.byte() % 8 + 1;
    sqlite3* database = nullptr;
    sqlite3_open(path.c_str(), &database);
    sqlite3_stmt* statement = nullptr;
    const std::string sql =
        "UPDATE \"" + entity.name + "\" SET \"" + column + "\" = ? WHERE Z_PK = " + std::to_string(row);
    sqlite3_prepare_v2(database, sql.c_str(), -1, &statement, nullptr);
    switch (input.byte() % 4) {
        case 0: {
            uint64_t bits = 0;
            for (int i = 0; i < 8; ++i) bits = bits << 8 | input.byte();
            sqlite3_bind_int64(statement, 1, static_cast<sqlite3_int64>(bits));
            break;
        }
        case 1: {
            uint64_t bits = 0;
            for (int i = 0; i < 8; ++i) bits = bits << 8 | input.byte();
            double real = 0;
            std::memcpy(&real, &bits, sizeof real);
            sqlite3_bind_double(statement, 1, real);
            break;
        }
        case 2: {
            const std::string_view text = input.rest();
            sqlite3_bind_text(statement, 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            break;
        }
        default: sqlite3_bind_null(statement, 1); break;
    }
    sqlite3_step(statement);
    sqlite3_finalize(statement);
    sqlite3_close(database);
    return FuzzFolder::readFile(path);
}

void requireFinite(const std::optional<CalcValue>& value, const std::string& what) {
    if (value && value->type() == CalcValueTypeReal) {
        FuzzInvariants::require(std::isfinite(value->realValue()), what + " holds a real that is not finite");
    }
}

// Everything the calculator reads from a store, read as the app and quillet-cli --store read
// it, then one of everything it writes.
void useStore(CalcStore& store) {
    CalcEngine engine;
    CalcEngineStore::restoreCalcEngine(engine, store);
    requireFinite(engine.accumulatorCalcValue(), "the restored accumulator");
    for (const OpStep& step : engine.stack()) requireFinite(step.calcValue, "a restored operand");

    const auto favourites = store.favourites();
    FuzzInvariants::require(favourites.has_value(), "an opened store did not hand out its favourites");
    for (const Favourite* favourite : *favourites) {
        if (favourite->operatorsOperator() != OperatorsOperatorNone) continue;
        requireFinite(CalcStore::calcValueFromGeneralValue(*favourite->generalValue()), "a favourite");
    }
    FuzzInvariants::require(store.quickOperators().has_value(), "an opened store did not hand out its operators");
    const auto history = store.historyStepsFetchedResultsController();
    FuzzInvariants::require(history != nullptr, "an opened store did not hand out its history");
    for (const auto& section : history->sections()) {
        for (const ManagedObject* object : section.objects) {
            const auto& step = static_cast<const HistoryStep&>(*object);
            CalcStore::calcValueFromGeneralValue(*step.generalValue1());
            if (step.generalValue2()) CalcStore::calcValueFromGeneralValue(*step.generalValue2());
            CalcStore::calcValueFromGeneralValue(*step.generalValueResult());
        }
    }

    store.createDefaultFavourites();
    store.addQuickOperatorWithOperator(OperatorsOperatorNOR);
    store.addHistoryStepWithCalcValue1(u(5), OperatorsOperatorSubtract, u(3), u(2), CalcValueFormatStyleDec);
    store.saveChanges();
    engine.enterValue(7);
    engine.enterEquals();
    CalcEngineStore::persistCalcEngine(engine, store);
    store.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const FuzzFolder& folder = FuzzFolder::sharedInstance();
    realStore();
    Operators::sharedInstance().setWordSize(64);
    std::string bytes;
    switch (input.byte() % kDamageCount) {
        case kRandomBytes: bytes = input.rest(); break;
        case kTruncated:
            bytes = realStore().substr(0, (static_cast<size_t>(input.byte()) << 8 | input.byte()) % realStore().size());
            break;
        case kFlippedPages: bytes = flippedPages(input); break;
        default: bytes = tamperedField(input); break;
    }
    folder.clear();
    const std::string path = folder.filePath("Quillet.sqlite");
    FuzzFolder::writeFile(path, bytes);

    CalcStore store(path);
    std::string problem;
    if (!store.open(&problem)) {
        FuzzInvariants::require(!problem.empty(), "a store that cannot be used gave no message");
        FuzzInvariants::require(FuzzFolder::readFile(path) == bytes, "a store that cannot be used was changed");
        return 0;
    }
    const std::vector<std::string> aside = folder.filesStartingWith("Quillet.sqlite.unreadable");
    if (!aside.empty()) {
        FuzzInvariants::require(aside.size() == 1 && FuzzFolder::readFile(aside.front()) == bytes,
                                "a damaged store was not set aside whole");
        const auto favourites = store.favourites();
        FuzzInvariants::require(favourites && favourites->empty(), "the store after setting one aside is not fresh");
    }
    useStore(store);
    return 0;
}
