#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "Calculator/Constants.h"

namespace {

uint64_t patternOf(double x) {
    uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }

struct ConstantCase {
    uint64_t bits;
    const char* label;
    const char* description;
    const char* image;
};

// Each constant by its IEEE-754 binary64 pattern, so that the table is checked against the
// literal bits rather than against the same decimal literals.
constexpr ConstantCase kConstants[] = {
    {0x400921FB54442D18, "Pi", "Pi", "constantsPiDark.png"},
    {0x4005BF0A8B145769, "e", "e", "constantsEDark.png"},
    {0x40239D2F1A9FBE77, "g", "Earth gravity (m/s\u00B2)", "constantsEarthGravityDark.png"},
    {0x3DD25700AB264404, "G", "Gravitational constant", "constantsGravitationalConstantDark.png"},
    {0x41B1DE784A000000, "c", "Speed of light (m/s)", "constantsSpeedOfLightDark.png"},
};

double fromPattern(uint64_t bits) {
    double x = 0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

TEST(Constants, EachConstantIsRecognisedByItsExactDouble) {
    const Constants& constants = Constants::sharedInstance();
    for (const ConstantCase& c : kConstants) {
        SCOPED_TRACE(c.label);
        const CalcValue value = real(fromPattern(c.bits));
        EXPECT_EQ(constants.stringFromConstantCalcValue(value), c.label);
        EXPECT_EQ(constants.descriptionFromConstantCalcValue(value), c.description);
        EXPECT_EQ(constants.imageFromConstantCalcValue(value), c.image);
    }
}

TEST(Constants, TheCatalogueHoldsTheFiveDoublesInOrder) {
    const auto& values = Constants::constantsCalcValues();
    ASSERT_EQ(values.size(), std::size(kConstants));
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].type(), CalcValueTypeReal);
        EXPECT_EQ(patternOf(values[i].realValue()), kConstants[i].bits) << i;
    }
    EXPECT_EQ(patternOf(ConstantsConstantEarthGravity), kConstants[2].bits);
    EXPECT_EQ(patternOf(ConstantsConstantGravitationalConstant), kConstants[3].bits);
    EXPECT_EQ(patternOf(ConstantsConstantSpeedOfLight), kConstants[4].bits);
}

TEST(Constants, NeighboursAndOtherKindsAreNoConstant) {
    const Constants& constants = Constants::sharedInstance();
    std::vector<CalcValue> others = {real(9.8070001),
                                     real(3.14159),
                                     real(0.0),
                                     real(-0.0),
                                     real(std::nan("")),
                                     CalcValue::calcValueWithUBaseValue(299792458),
                                     CalcValue::calcValueWithSBaseValue(3),
                                     CalcValue::calcValueWithUBaseValue(0)};
    for (const ConstantCase& c : kConstants) {
        const double x = fromPattern(c.bits);
        others.push_back(real(std::nextafter(x, 0.0)));
        others.push_back(real(std::nextafter(x, 1e300)));
        others.push_back(real(-x));
    }
    for (const CalcValue& value : others) {
        SCOPED_TRACE(value.description());
        EXPECT_FALSE(constants.stringFromConstantCalcValue(value));
        EXPECT_FALSE(constants.descriptionFromConstantCalcValue(value));
        EXPECT_FALSE(constants.imageFromConstantCalcValue(value));
    }
}

TEST(Constants, AComputedValueEqualToAConstantIsThatConstant) {
    const Constants& constants = Constants::sharedInstance();
    EXPECT_EQ(constants.stringFromConstantCalcValue(real(std::atan(1.0) * 4)), "Pi");
    EXPECT_EQ(constants.stringFromConstantCalcValue(real(std::exp(1.0))), "e");
    EXPECT_EQ(constants.stringFromConstantCalcValue(real(299792458.0 * 2 / 2)), "c");
}

TEST(Constants, SharedInstanceIsOne) { EXPECT_EQ(&Constants::sharedInstance(), &Constants::sharedInstance()); }

}  // namespace
