#include "calculators/BoxSolvers.h"

#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace cw::calc
{
namespace
{

using enum BoxLock;

TEST(BoxVolumes, NetAndGrossWithDisplacementsAndFilling)
{
    RectBoxDims v;
    v.netVolume = 10;
    v.driverDisplacement = 0.5;
    v.bracingDisplacement = 0.3;
    v.otherDisplacement = 0.2;
    SolveGuard guard;
    GrossFromNet(v, 10, guard);
    EXPECT_DOUBLE_EQ(v.grossVolume, 10.091); // 1 + 10 × 100 / 110, five digits
    v.netVolume = 0;
    NetFromGross(v, 10, guard);
    EXPECT_DOUBLE_EQ(v.netVolume, 10);
    EXPECT_TRUE(guard.ok());

    // More displaced than the box holds, or a filling that takes away all of V(B): no volume.
    RectBoxDims small = v;
    small.grossVolume = 0.9;
    NetFromGross(small, 10, guard);
    EXPECT_EQ(guard.message(), kDisplacementsTooLarge);
    EXPECT_DOUBLE_EQ(small.netVolume, 10);
    for (double filling : {-100.0, -150.0}) {
        SolveGuard g;
        RectBoxDims w = v;
        GrossFromNet(w, filling, g);
        EXPECT_EQ(g.message(), kFillingAboveMinus100);
        EXPECT_EQ(w, v);
    }
}

// The product of the three dimensions gives back V(G) to the precision of five digits.
void ExpectVolume(double h, double w, double d, double gross, bool metric)
{
    EXPECT_NEAR(h * w * d / CubeOfGross(gross, metric), 1, 2e-4) << h << " " << w << " " << d;
}

TEST(RectangularBox, GoldenProportionsWhereTheDimensionsAreFree)
{
    for (const bool metric : {true, false}) {
        const double gross = metric ? 50 : 1.7657;
        SolveGuard guard;
        double h = 0, w = 0, d = 0;
        SolveRectDimensions(h, w, d, gross, metric, 0, guard);
        ASSERT_TRUE(guard.ok());
        EXPECT_NEAR(h / w, kPhi, 1e-4);
        EXPECT_NEAR(w / d, kPhi, 1e-4);
        ExpectVolume(h, w, d, gross, metric);
        EXPECT_DOUBLE_EQ(h, Round5(h));

        // One given: the other two keep the ratio φ (W given: H = φ² D).
        double h1 = 0.5 * h, w1 = 0, d1 = 0;
        SolveRectDimensions(h1, w1, d1, gross, metric, Bit(H), guard);
        EXPECT_DOUBLE_EQ(h1, 0.5 * h);
        EXPECT_NEAR(w1 / d1, kPhi, 1e-4);
        ExpectVolume(h1, w1, d1, gross, metric);
        double h2 = 0, w2 = 2 * w, d2 = 0;
        SolveRectDimensions(h2, w2, d2, gross, metric, Bit(W), guard);
        EXPECT_NEAR(h2 / d2, kPhi * kPhi, 1e-4);
        ExpectVolume(h2, w2, d2, gross, metric);
        double h3 = 0, w3 = 0, d3 = d;
        SolveRectDimensions(h3, w3, d3, gross, metric, Bit(D), guard);
        EXPECT_NEAR(h3 / w3, kPhi, 1e-4);
        ExpectVolume(h3, w3, d3, gross, metric);

        // Two given: the third from the volume; three given: nothing to solve.
        double h4 = h, w4 = 1.5 * w, d4 = 0;
        SolveRectDimensions(h4, w4, d4, gross, metric, Bit(H) | Bit(W), guard);
        ExpectVolume(h4, w4, d4, gross, metric);
        double h5 = 1, w5 = 2, d5 = 3;
        SolveRectDimensions(h5, w5, d5, gross, metric, Bit(H) | Bit(W) | Bit(D), guard);
        EXPECT_EQ(h5 + w5 + d5, 6);
        EXPECT_TRUE(guard.ok());
    }
}

TEST(RectangularBox, NothingIsSolvedFromAVolumeOrDividerThatIsNotAboveZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double gross, h, w;
        LockSet known;
        const char* message;
    } cases[] = {
        {0, 0, 0, 0, kVolumeAboveZero},
        {-5, 0, 0, 0, kVolumeAboveZero},
        {50, 0, 0, Bit(H), kHeightAboveZero},
        {50, -0.3, 0, Bit(H), kHeightAboveZero},
        {50, 0.3, 0, Bit(H) | Bit(W), kWidthAboveZero},
        {inf, 0, 0, 0, kTooLarge},
        {std::nan(""), 0, 0, 0, kVolumeAboveZero},
        {1e-20, 0, 0, 0, "No box fits these values: the height would not be above 0."},
    };
    for (const auto& c : cases) {
        SolveGuard guard;
        double h = c.h, w = c.w, d = 7;
        SolveRectDimensions(h, w, d, c.gross, true, c.known, guard);
        EXPECT_EQ(guard.message(), c.message) << c.gross << " " << c.h;
        EXPECT_EQ(h, c.h);
        EXPECT_EQ(w, c.w);
        EXPECT_EQ(d, 7);
    }
}

TEST(BandpassBox, FrontChamberHeightFromItsVolumeAndTheSharedFootprint)
{
    BandpassBoxDims b;
    b.width = 0.4;
    b.depth = 0.25;
    b.front.grossVolume = 30;
    SolveGuard guard;
    SolveFrontHeight(b, true, guard);
    EXPECT_DOUBLE_EQ(b.frontHeight, 0.3);
    b.width = 16;
    b.depth = 10;
    b.front.grossVolume = 1;
    SolveFrontHeight(b, false, guard);
    EXPECT_DOUBLE_EQ(b.frontHeight, 10.8);
    b.front.grossVolume = 0; // an empty front chamber has no height
    SolveFrontHeight(b, false, guard);
    EXPECT_EQ(b.frontHeight, 0);
    EXPECT_TRUE(guard.ok());
    b.front.grossVolume = 1;
    b.depth = -10;
    SolveFrontHeight(b, false, guard);
    EXPECT_EQ(guard.message(), kDepthAboveZero);
    EXPECT_EQ(b.frontHeight, 0);
}

} // namespace
} // namespace cw::calc
