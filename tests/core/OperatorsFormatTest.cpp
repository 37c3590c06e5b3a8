#include <gtest/gtest.h>

#include "Calculator/OperatorsFormat.h"
#include "OperatorsModuleTestSupport.h"

namespace {

std::optional<CalcValue> converted(const CalcValue& value, OperatorsOperator op) {
    OperatorsError error = kUnwrittenError;
    std::optional<CalcValue> result = unary(value, op, &error);
    EXPECT_EQ(error, OperatorsErrorNone);
    return result;
}

TEST(OperatorsFormat, ConversionsKeepTheWordPatternAtEveryWordSize) {
    for (int w = kSmallestWordSize; w <= kLargestWordSize; ++w) {
        WordSizeScope settings(w);
        for (CalcValueType kind : kAllKinds) {
            for (const CalcValue& value : sampleValues(kind)) {
                SCOPED_TRACE("w " + std::to_string(w) + ", " + describe(value));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToUBase),
                                 u(static_cast<uint64_t>(narrowedInteger(value, CalcValueTypeUBase, w))));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToSBase),
                                 s(static_cast<int64_t>(narrowedInteger(value, CalcValueTypeSBase, w))));
                // A 128-bit integer converts to the nearest double just as a 64-bit one does; the
                // registry flushes -0.0 to 0.0.
                const double real = kind == CalcValueTypeReal ? value.realValue() + 0.0
                                                              : static_cast<double>(narrowedInteger(value, kind, w));
                EXPECT_IDENTICAL(converted(value, OperatorsOperatorToReal), r(real));
            }
        }
    }
}

TEST(OperatorsFormat, KnownResults) {
    EXPECT_FALSE(OperatorsFormat::doubleFromCalcValue(noneValue()));
    expectCalculations({
        {"->int of unsigned 40000 at 16", 16, u(40000), OperatorsOperatorToSBase, {}, s(-25536)},
        {"->int of real 300.7 at 8", 8, r(300.7), OperatorsOperatorToSBase, {}, s(44)},
        {"->float of no kind", 8, noneValue(), OperatorsOperatorToReal, {}, std::nullopt},
        {"->uint of no kind", 8, noneValue(), OperatorsOperatorToUBase, {}, std::nullopt},
    });
}

}  // namespace
