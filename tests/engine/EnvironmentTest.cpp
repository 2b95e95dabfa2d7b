#include "engine/Environment.h"

#include "model/CSpkSysDoc.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace cw
{
namespace
{

// Each correction added to flat, zero curves, so the curves show the correction alone.
struct Environment : ::testing::Test {
    CSpkSys s;

    void SetFrequencies(const std::vector<double>& hz)
    {
        s.splCurve.fill(0);
        s.phaseCurve.fill(0);
        std::copy(hz.begin(), hz.end(), s.frequencies.begin());
        s.pointCount = static_cast<double>(hz.size());
    }
};

TEST_F(Environment, DiffractionShelfOfAHalfMetreBaffle)
{
    const double t = 0.5 * 0.0019583;
    const double atTwo = std::sqrt(2.0) / (6.2831853 * t); // where w²T² = 2, about 230 Hz
    SetFrequencies({10, 100, atTwo, 1000, 1e6});
    ASSERT_TRUE(engine::ApplyDiffractionLoss(s));
    EXPECT_NEAR(s.splCurve[0], -6.01, 0.005);
    EXPECT_NEAR(s.splCurve[1], -5.02, 0.005);
    EXPECT_NEAR(s.splCurve[2], -3.01, 0.005);
    EXPECT_NEAR(s.splCurve[3], -0.32, 0.005);
    EXPECT_NEAR(s.splCurve[4], 0, 1e-6);
    EXPECT_NEAR(atTwo, 230, 1);
    EXPECT_NEAR(s.phaseCurve[2], 19.5, 0.05);
    EXPECT_NEAR(s.phaseCurve[3], 8.8, 0.05);
}

TEST_F(Environment, DiffractionUsesTheWidthOfTheCurrentBox)
{
    s.boxTypeName = "4th Order Vented Box";
    s.vented4.wb = 0.25;
    SetFrequencies({460});
    ASSERT_TRUE(engine::ApplyDiffractionLoss(s));
    EXPECT_NEAR(s.splCurve[0], -3.0, 0.05); // half the width: the shelf moves up an octave

    s.boxTypeName = "Closed Box";
    SetFrequencies({460});
    EXPECT_FALSE(engine::ApplyDiffractionLoss(s));
    EXPECT_EQ(s.splCurve[0], 0);
}

TEST_F(Environment, CabinGainOfAMidsizeCar)
{
    SetFrequencies({66, 33, 16.5, 132, 660});
    ASSERT_TRUE(engine::ApplyAutoCabin(s));
    EXPECT_NEAR(s.splCurve[0], 3.0, 0.05);
    EXPECT_NEAR(s.splCurve[1], 12.3, 0.05);
    EXPECT_NEAR(s.splCurve[2], 24.1, 0.05);
    EXPECT_NEAR(s.splCurve[3], 0.26, 0.005);
    EXPECT_NEAR(s.phaseCurve[0], -90, 0.05);
    EXPECT_NEAR(s.phaseCurve[1], -136.7, 0.05);
    EXPECT_NEAR(s.phaseCurve[4], -8.1, 0.05);
}

TEST_F(Environment, CabinWithoutCornerOrQAddsNothing)
{
    for (auto [f3, q] : {std::pair{0.0, 0.707}, {66.0, 0.0}, {-5.0, 0.707}}) {
        s.autoCabinF3 = f3;
        s.autoCabinQ = q;
        SetFrequencies({20, 100});
        EXPECT_FALSE(engine::ApplyAutoCabin(s));
        EXPECT_EQ(s.splCurve[0], 0);
        EXPECT_EQ(s.phaseCurve[1], 0);
    }
}

} // namespace
} // namespace cw
