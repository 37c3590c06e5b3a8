#pragma once

#include <optional>
#include <string>

class Favourite;
class GeneralValue;
class HistoryStep;
class QuickOperator;

// Whether a record read from the store file is one this program could have written. A file
// changed by hand or by another program can hold numbers that no operator or value type has;
// such a record is logged once and left out, so that nothing read from the file reaches a fatal
// assertion. Each check gives what makes the record impossible ("operator 99", "value type 9",
// "no value", "real value inf"), or nothing when the record is sound.
class CalcStoreRecordCheck {
public:
    static std::optional<std::string> impossibleFieldOfGeneralValue(const GeneralValue* generalValue);
    // An operator slot holds an operator other than equals; a value slot holds a value.
    static std::optional<std::string> impossibleFieldOfFavourite(const Favourite& favourite);
    // A step of an operator other than none and equals, with its first operand and its result.
    static std::optional<std::string> impossibleFieldOfHistoryStep(const HistoryStep& step);
    static std::optional<std::string> impossibleFieldOfQuickOperator(const QuickOperator& entry);
};
