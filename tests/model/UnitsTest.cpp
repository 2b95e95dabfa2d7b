#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace cw
{
namespace
{

TEST(Rounding, ExamplesFromEachBand)
{
    EXPECT_DOUBLE_EQ(Round3(0.012345), 0.0123);
    EXPECT_DOUBLE_EQ(Round2(149), 150);
    EXPECT_DOUBLE_EQ(Round3(1234), 1230);
    EXPECT_DOUBLE_EQ(Round3(1235), 1240);
    EXPECT_DOUBLE_EQ(Round5(12345.6), 12346);
    EXPECT_DOUBLE_EQ(Round5(0.00123456789), 0.0012346);
    EXPECT_DOUBLE_EQ(Round4(3.14159), 3.142);
    EXPECT_DOUBLE_EQ(Round4(12345.4), 12345);
    EXPECT_DOUBLE_EQ(Round3(12345), 12350);
    EXPECT_DOUBLE_EQ(Round2(12345), 12300);
    EXPECT_DOUBLE_EQ(Round2(1249), 1200);
    EXPECT_DOUBLE_EQ(Round2(56.5), 57);
    EXPECT_DOUBLE_EQ(Round5(123.456), 123.46);
}

TEST(Rounding, NegativesFallInTheLowestBandAndTruncateTowardZero)
{
    // Round3 keeps five decimals for any negative value; adding the half step and truncating
    // toward zero moves negatives up.
    EXPECT_DOUBLE_EQ(Round3(-1234.567891), -1234.56788);
    // Half a step is added before truncation toward zero: -0.0000149 + 0.000005 -> -0.00000.
    EXPECT_DOUBLE_EQ(Round3(-0.0000149), 0.0);
    EXPECT_DOUBLE_EQ(Round5(-2.123456789), -2.1234567);
    // Far outside the range of a 32-bit integer the same rule still holds: the half step moves
    // a negative value toward zero before truncation.
    EXPECT_DOUBLE_EQ(Round5(-300.0), -299.9999999);
    EXPECT_DOUBLE_EQ(Round5(-1.0e6 - 0.25), -1000000.2499999);
    EXPECT_DOUBLE_EQ(Round2(5.0e12 + 49), 5.0e12);
}

TEST(Rounding, ValuesLiftedIntoTheNextBandAreRoundedThere)
{
    // 9.9996 rounds to 10.000 in the 1..10 band of Round4 and stays 10 in the next.
    EXPECT_DOUBLE_EQ(Round4(9.9996), 10.0);
    // 99.96 becomes 100 with one decimal (Round3) and then the nearest integer.
    EXPECT_DOUBLE_EQ(Round3(99.96), 100.0);
    // 995 becomes 1000 at the nearest ten (Round2), then the nearest hundred: 1000.
    EXPECT_DOUBLE_EQ(Round2(995), 1000.0);
    // Band edges belong to the upper band.
    EXPECT_DOUBLE_EQ(Round2(0.01), 0.01);
    EXPECT_DOUBLE_EQ(Round2(10), 10);
    EXPECT_DOUBLE_EQ(Round2(1000), 1000);
    EXPECT_DOUBLE_EQ(Round3(10000), 10000);
}

TEST(Rounding, NonFiniteValuesPassThrough)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(Round5(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(Round3(inf), inf);
    EXPECT_EQ(Round2(-inf), -inf);
}

TEST(Units, ConversionsRoundTheirResultsToFiveFigures)
{
    EXPECT_DOUBLE_EQ(InchesToMm(8), 203.2);
    EXPECT_DOUBLE_EQ(MmToInches(199), 7.8346);
    EXPECT_DOUBLE_EQ(CuFtToLiters(2), 56.634);
    EXPECT_DOUBLE_EQ(LitersToCuFt(90), 3.1783);
    EXPECT_DOUBLE_EQ(SqInToSqM(31), 0.02);
    EXPECT_DOUBLE_EQ(SqMToSqIn(0.02), 31.0);
    EXPECT_DOUBLE_EQ(MetresToFeet(1), 3.2808);
    EXPECT_DOUBLE_EQ(FeetToMetres(3.2808), 1);
    EXPECT_DOUBLE_EQ(InchesToMetres(10), 0.254);
}

} // namespace
} // namespace cw
