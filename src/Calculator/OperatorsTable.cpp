#include "Calculator/OperatorsTable.h"

#include "Platform/Core/Localized.h"

const OperatorsTableRow* OperatorsTableModule::rowFromOperator(OperatorsOperator op) const {
    for (const OperatorsTableRow& row : rows_) {
        if (row.op == op) return &row;
    }
    return nullptr;
}

int OperatorsTableModule::precedenceFromOperator(OperatorsOperator op, bool* found) {
    const OperatorsTableRow* row = rowFromOperator(op);
    if (!row) return 0;
    if (found) *found = true;
    return row->precedence;
}

bool OperatorsTableModule::operatorIsUnary(OperatorsOperator op, bool* found) {
    const OperatorsTableRow* row = rowFromOperator(op);
    if (!row) return false;
    if (found) *found = true;
    return row->isUnary;
}

std::string OperatorsTableModule::imageFromOperator(OperatorsOperator op) {
    const OperatorsTableRow* row = rowFromOperator(op);
    return row ? std::string(row->image) : std::string();
}

std::string OperatorsTableModule::descriptionFromOperator(OperatorsOperator op) {
    const OperatorsTableRow* row = rowFromOperator(op);
    return row ? Localized::string(row->description) : std::string();
}

std::string OperatorsTableModule::accessibilityStringFromOperator(OperatorsOperator op) {
    const OperatorsTableRow* row = rowFromOperator(op);
    return row ? Localized::string(row->accessibilityString) : std::string();
}

std::string OperatorsTableModule::stringFromOperator(OperatorsOperator op) {
    const OperatorsTableRow* row = rowFromOperator(op);
    return row ? std::string(row->label) : std::string();
}
