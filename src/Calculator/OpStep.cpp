#include "Calculator/OpStep.h"

#include <cinttypes>
#include <cstdio>

#include "Calculator/Operators.h"

std::string OpStep::description() const {
    const std::string label = Operators::sharedInstance().stringFromOperator(operatorsOperator);
    char text[160];
    std::snprintf(text, sizeof text, "type=%d,op=%s,%" PRId64 ",%g", calcValue.type(), label.c_str(),
                  static_cast<int64_t>(calcValue.uBaseValue()), calcValue.realValue());
    return text;
}
