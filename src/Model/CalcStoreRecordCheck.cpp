#include "Model/CalcStoreRecordCheck.h"

#include <cmath>

#include "Model/Favourite.h"
#include "Model/GeneralValue.h"
#include "Model/HistoryStep.h"
#include "Model/QuickOperator.h"

namespace {

std::string field(std::string_view name, std::optional<int32_t> stored) {
    return std::string(name) + " " + (stored ? std::to_string(*stored) : std::string("missing"));
}

// History steps and quick operators record operators that calculate: never none or equals.
std::optional<std::string> impossibleCalculatingOperator(std::optional<int32_t> stored) {
    const std::optional<OperatorsOperator> op = stored ? operatorsOperatorFromInt32(*stored) : std::nullopt;
    if (!op || *op == OperatorsOperatorNone || *op == OperatorsOperatorEquals) return field("operator", stored);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CalcStoreRecordCheck::impossibleFieldOfGeneralValue(const GeneralValue* generalValue) {
    if (!generalValue) return "no value";
    const std::optional<CalcValueType> type = calcValueTypeFromInt32(generalValue->type());
    if (!type || *type == CalcValueTypeNone) return field("value type", generalValue->type());
    // Every real the calculator holds is finite; SQLite keeps an infinity as written.
    if (*type == CalcValueTypeReal && !std::isfinite(generalValue->realValue().value_or(0.0))) {
        return "real value " + std::to_string(*generalValue->realValue());
    }
    return std::nullopt;
}

std::optional<std::string> CalcStoreRecordCheck::impossibleFieldOfFavourite(const Favourite& favourite) {
    const int32_t stored = favourite.int32ForKey(CalcStoreFavouriteKeyOperator).value_or(OperatorsOperatorNone);
    const std::optional<OperatorsOperator> op = operatorsOperatorFromInt32(stored);
    // Tapping a favourite enters its operator, and the engine takes no equals from there.
    if (!op || *op == OperatorsOperatorEquals) return field("operator", stored);
    if (*op == OperatorsOperatorNone) return impossibleFieldOfGeneralValue(favourite.generalValue());
    return std::nullopt;
}

std::optional<std::string> CalcStoreRecordCheck::impossibleFieldOfHistoryStep(const HistoryStep& step) {
    if (auto problem = impossibleCalculatingOperator(step.int32ForKey(CalcStoreHistoryStepKeyOperator))) {
        return problem;
    }
    if (auto problem = impossibleFieldOfGeneralValue(step.generalValue1())) return problem;
    if (step.generalValue2()) {
        if (auto problem = impossibleFieldOfGeneralValue(step.generalValue2())) return problem;
    }
    return impossibleFieldOfGeneralValue(step.generalValueResult());
}

std::optional<std::string> CalcStoreRecordCheck::impossibleFieldOfQuickOperator(const QuickOperator& entry) {
    return impossibleCalculatingOperator(entry.int32ForKey(CalcStoreQuickOperatorKeyOperator));
}
