// Key sequences through the engine: the registry's precedences decide the order of reduction.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "Calculator/CalcEngine.h"
#include "Calculator/OperatorsBasic.h"
#include "Calculator/OperatorsIEEE754.h"
#include "Calculator/OperatorsLogic.h"
#include "Calculator/OperatorsPercent.h"
#include "Calculator/OperatorsPowers.h"
#include "Calculator/OperatorsShiftRotate.h"
#include "Calculator/OperatorsTrig.h"
#include "OperatorsModuleTestSupport.h"

namespace {

struct Digits {
    uint64_t number;
};
struct Key {
    OperatorsOperator op;
};
struct Equals {};
using Entry = std::variant<Digits, Key, Equals>;

void enter(CalcEngine& engine, const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
        if (const Digits* digits = std::get_if<Digits>(&entry)) {
            for (char digit : std::to_string(digits->number)) engine.enterValue(digit - '0');
        } else if (const Key* key = std::get_if<Key>(&entry)) {
            engine.enterOperator(key->op);
        } else {
            engine.enterEquals();
        }
    }
}

struct Sequence {
    const char* name;
    CalcValueType accumulatorType;
    std::vector<Entry> entries;
    CalcValue expected;
};

const Sequence kSequences[] = {
    {"1 OR 2 AND 3 =",
     CalcValueTypeUBase,
     {Digits{1}, Key{OperatorsOperatorOR}, Digits{2}, Key{OperatorsOperatorAND}, Digits{3}, Equals{}},
     unsignedValue(3)},
    // Left to right would give (4 OR 2) AND 3 = 2.
    {"4 OR 2 AND 3 =",
     CalcValueTypeUBase,
     {Digits{4}, Key{OperatorsOperatorOR}, Digits{2}, Key{OperatorsOperatorAND}, Digits{3}, Equals{}},
     unsignedValue(6)},
    // XOR binds tighter than OR: 8 OR (6 XOR 3) = 13; left to right gives 11.
    {"8 OR 6 XOR 3 =",
     CalcValueTypeUBase,
     {Digits{8}, Key{OperatorsOperatorOR}, Digits{6}, Key{OperatorsOperatorXOR}, Digits{3}, Equals{}},
     unsignedValue(13)},
    // MOD binds tighter than XOR: 6 XOR (7 MOD 4) = 5; left to right gives 1.
    {"6 XOR 7 MOD 4 =",
     CalcValueTypeUBase,
     {Digits{6}, Key{OperatorsOperatorXOR}, Digits{7}, Key{OperatorsOperatorMOD}, Digits{4}, Equals{}},
     unsignedValue(5)},
    // Equal precedences reduce left to right: (2 ^ 3) ^ 2.
    {"2 ^ 3 ^ 2 =",
     CalcValueTypeUBase,
     {Digits{2}, Key{OperatorsOperatorPowN}, Digits{3}, Key{OperatorsOperatorPowN}, Digits{2}, Equals{}},
     realValue(64.0)},
    {"2 + 3 ^ 2 =",
     CalcValueTypeReal,
     {Digits{2}, Key{OperatorsOperatorAdd}, Digits{3}, Key{OperatorsOperatorPowN}, Digits{2}, Equals{}},
     realValue(11.0)},
    {"64 NTHRT 2 + 1 =",
     CalcValueTypeReal,
     {Digits{64}, Key{OperatorsOperatorNthRoot}, Digits{2}, Key{OperatorsOperatorAdd}, Digits{1}, Equals{}},
     realValue(9.0)},
    // Shifts bind looser than addition: (1 + 2) <<N 3.
    {"1 + 2 <<N 3 =",
     CalcValueTypeUBase,
     {Digits{1}, Key{OperatorsOperatorAdd}, Digits{2}, Key{OperatorsOperatorShiftLeftN}, Digits{3}, Equals{}},
     unsignedValue(24)},
    {"5 <<", CalcValueTypeUBase, {Digits{5}, Key{OperatorsOperatorShiftLeft}}, unsignedValue(10)},
    {"5 ROTR at 16 bits", CalcValueTypeUBase, {Digits{5}, Key{OperatorsOperatorRotateRight}}, unsignedValue(0x8002)},
    {"40000 (0x9C40) A>> copies the top bit and stays unsigned",
     CalcValueTypeUBase,
     {Digits{40000}, Key{OperatorsOperatorArithmeticShiftRight}},
     unsignedValue(0xCE20)},
    {"5 INV", CalcValueTypeSBase, {Digits{5}, Key{OperatorsOperatorInvert}}, signedValue(-6)},
    {"200 +% 10 =",
     CalcValueTypeReal,
     {Digits{200}, Key{OperatorsOperatorAddPercent}, Digits{10}, Equals{}},
     realValue(220.00000000000003)},
    {"50 %chng 75 =",
     CalcValueTypeUBase,
     {Digits{50}, Key{OperatorsOperatorPercentChange}, Digits{75}, Equals{}},
     realValue(50.0)},
    {"90 Sin", CalcValueTypeReal, {Digits{90}, Key{OperatorsOperatorSin}}, realValue(1.0)},
    {"1000 Log", CalcValueTypeUBase, {Digits{1000}, Key{OperatorsOperatorLog}}, realValue(3.0)},
};

TEST(OperatorsEngineSequences, ReduceByTheRegistrysPrecedences) {
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.name);
        RegistrySettings settings(16);
        CalcEngine engine;
        engine.setAccumulatorCalcValue(CalcValue::calcValueWithType(sequence.accumulatorType));
        enter(engine, sequence.entries);
        EXPECT_EQ(engine.currError(), OperatorsErrorNone);
        EXPECT_IDENTICAL(std::optional(engine.accumulatorCalcValue()), sequence.expected);
    }
}

TEST(OperatorsEngineSequences, ModuleErrorsReachTheEngine) {
    RegistrySettings settings(16);
    {
        CalcEngine engine;
        enter(engine, {Digits{5}, Key{OperatorsOperatorMOD}, Digits{0}, Equals{}});
        EXPECT_EQ(engine.currError(), OperatorsErrorDivideByZero);
    }
    {
        CalcEngine engine;
        enter(engine, {Digits{1}, Key{OperatorsOperatorShiftLeftN}, Digits{65}, Equals{}});
        EXPECT_EQ(engine.currError(), OperatorsErrorValueOutOfRange);
    }
    {
        CalcEngine engine;
        enter(engine, {Digits{1}, Key{OperatorsOperatorFloatToIEEE754}});
        EXPECT_EQ(engine.currError(), OperatorsErrorIntegerSize32);
    }
}

}  // namespace

namespace {

TEST(OperatorsRegistryModules, EveryAssignedIdentifierHasAModule) {
    // Every number from 0 to 59 but 46 and 47 is an operator; the registry knows all of them.
    std::vector<OperatorsOperator> expected;
    for (int32_t number = -2; number <= 62; ++number) {
        const bool assigned = number >= 0 && number <= 59 && number != 46 && number != 47;
        ASSERT_EQ(operatorsOperatorFromInt32(number).has_value(), assigned) << number;
        if (assigned && number >= 2) expected.push_back(*operatorsOperatorFromInt32(number));
    }
    EXPECT_EQ(Operators::sharedInstance().knownOperators(), expected);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().size(), 8u);
    EXPECT_EQ(Operators::sharedInstance().operatorsModules().at(0), &OperatorsBasic::sharedInstance());
}

}  // namespace
