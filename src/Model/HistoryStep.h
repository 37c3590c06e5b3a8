#pragma once

#include <cstdint>
#include <string>

#include "Calculator/OperatorsModule.h"
#include "Model/CalcStoreKeys.h"
#include "Model/GeneralValue.h"
#include "Platform/Store/ManagedObject.h"

// One completed calculation step of the history. The second operand is absent for a unary
// operator. The two text caches start empty and are filled by the history list. A stored number
// that is no operator reads as none.
class HistoryStep : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    ObjectDate date() const { return dateForKey(CalcStoreHistoryStepKeyDate).value_or(ObjectDate{}); }
    int32_t index() const { return int32ForKey(CalcStoreHistoryStepKeyIndex).value_or(0); }
    int32_t error() const { return int32ForKey(CalcStoreHistoryStepKeyError).value_or(0); }
    OperatorsOperator operatorsOperator() const {
        return operatorsOperatorFromInt32(int32ForKey(CalcStoreHistoryStepKeyOperator).value_or(OperatorsOperatorNone))
            .value_or(OperatorsOperatorNone);
    }
    std::string textCacheLHS() const { return stringForKey(CalcStoreHistoryStepKeyTextCacheLHS).value_or(""); }
    void setTextCacheLHS(const std::string& text) { setValue(text, CalcStoreHistoryStepKeyTextCacheLHS); }
    std::string textCacheRHS() const { return stringForKey(CalcStoreHistoryStepKeyTextCacheRHS).value_or(""); }
    void setTextCacheRHS(const std::string& text) { setValue(text, CalcStoreHistoryStepKeyTextCacheRHS); }

    GeneralValue* generalValue1() const { return related(CalcStoreHistoryStepKeyGeneralValue1); }
    GeneralValue* generalValue2() const { return related(CalcStoreHistoryStepKeyGeneralValue2); }
    GeneralValue* generalValueResult() const { return related(CalcStoreHistoryStepKeyGeneralValueResult); }

private:
    GeneralValue* related(std::string_view key) const { return static_cast<GeneralValue*>(objectForKey(key)); }
};
