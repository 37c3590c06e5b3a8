#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <vector>

#include "Calculator/Constants.h"

namespace {

CalcValue real(double x) { return CalcValue::calcValueWithRealValue(x); }

// Each constant by its IEEE-754 binary64 pattern, so that the table is checked against the
// literal bits rather than against the same decimal literals.
constexpr struct {
    uint64_t bits;
    const char* label;
    const char* description;
    const char* image;
} kConstants[] = {
    {0x400921FB54442D18, "Pi", "Pi", "constantsPiDark.png"},
    {0x4005BF0A8B145769, "e", "e", "constantsEDark.png"},
    {0x40239D2F1A9FBE77, "g", "Earth gravity (m/s\u00B2)", "constantsEarthGravityDark.png"},
    {0x3DD25700AB264404, "G", "Gravitational constant", "constantsGravitationalConstantDark.png"},
    {0x41B1DE784A000000, "c", "Speed of light (m/s)", "constantsSpeedOfLightDark.png"},
};

TEST(Constants, TheCatalogueHoldsTheFiveDoublesInOrderEachKnownByItsExactValue) {
    const Constants& constants = Constants::sharedInstance();
    const auto& values = Constants::constantsCalcValues();
    ASSERT_EQ(values.size(), std::size(kConstants));
    for (size_t i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(kConstants[i].label);
        EXPECT_EQ(values[i].type(), CalcValueTypeReal);
        EXPECT_EQ(std::bit_cast<uint64_t>(values[i].realValue()), kConstants[i].bits);
        const CalcValue value = real(std::bit_cast<double>(kConstants[i].bits));
        EXPECT_EQ(constants.stringFromConstantCalcValue(value), kConstants[i].label);
        EXPECT_EQ(constants.descriptionFromConstantCalcValue(value), kConstants[i].description);
        EXPECT_EQ(constants.imageFromConstantCalcValue(value), kConstants[i].image);
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantEarthGravity), kConstants[2].bits);
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantGravitationalConstant), kConstants[3].bits);
    EXPECT_EQ(std::bit_cast<uint64_t>(ConstantsConstantSpeedOfLight), kConstants[4].bits);
    // A computed value equal to a constant is that constant.
    EXPECT_EQ(constants.stringFromConstantCalcValue(real(std::atan(1.0) * 4)), "Pi");
}

TEST(Constants, NeighboursAndOtherKindsAreNoConstant) {
    const Constants& constants = Constants::sharedInstance();
    std::vector<CalcValue> others = {real(9.8070001), real(0.0), real(std::nan("")),
                                     CalcValue::calcValueWithUBaseValue(299792458),
                                     CalcValue::calcValueWithSBaseValue(3)};
    for (const auto& c : kConstants) {
        const double x = std::bit_cast<double>(c.bits);
        for (double neighbour : {std::nextafter(x, 0.0), std::nextafter(x, 1e300), -x})
            others.push_back(real(neighbour));
    }
    for (const CalcValue& value : others) {
        SCOPED_TRACE(value.description());
        EXPECT_FALSE(constants.stringFromConstantCalcValue(value));
        EXPECT_FALSE(constants.descriptionFromConstantCalcValue(value));
        EXPECT_FALSE(constants.imageFromConstantCalcValue(value));
    }
}

}  // namespace
