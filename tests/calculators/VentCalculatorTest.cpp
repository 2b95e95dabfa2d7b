#include "calculators/VentCalculator.h"

#include "engine/Design.h"
#include "model/BoxType.h"
#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

namespace cw::calc
{
namespace
{

VentDesignValues Design(double vbCuFt, double fb, double svMinSqIn)
{
    return {vbCuFt, fb, svMinSqIn, SqInToSqM(svMinSqIn)};
}

// The tuning of a chamber of vbCuFt with a vent of total area sqM and length m, as a Helmholtz
// resonator: c / 2 pi x sqrt(S / (V x (L + 0.824 sqrt S))), c = 344.8 m/s.
double TuningHz(double vbCuFt, double sqM, double m)
{
    const double volume = vbCuFt * 0.028316846592; // cubic metres
    return 344.8 / (2 * std::numbers::pi) *
           std::sqrt(sqM / (volume * (m + 0.824 * std::sqrt(sqM))));
}

void ExpectTunes(const VentResult& r, const VentDesignValues& v)
{
    ASSERT_TRUE(r.Usable()) << VentProblemText(r.problem);
    EXPECT_GE(r.lengthIn, 0.75);
    EXPECT_NEAR(TuningHz(v.vbCuFt, r.areaSqM, r.lengthM) / v.fb, 1, 0.01);
    EXPECT_NEAR(TuningHz(v.vbCuFt, SqInToSqM(r.areaSqIn), r.lengthIn * 0.0254) / v.fb, 1, 0.01);
}

TEST(TubeVent, TenSquareInchesProposeTwoThreeInchTubesAndAddWhileTooShort)
{
    // A chamber large enough that two 3-inch tubes come out long: nothing is added.
    const VentDesignValues roomy = Design(1, 40, 10);
    const TubeVent kept = StartTubeVent(roomy, false);
    EXPECT_DOUBLE_EQ(kept.diameterIn, 3);
    EXPECT_DOUBLE_EQ(kept.diameterM, 0.0762);
    EXPECT_EQ(kept.count, 2u);
    EXPECT_DOUBLE_EQ(kept.result.areaSqIn, 14.14);
    ExpectTunes(kept.result, roomy);

    // Two tubes would be 0.44 in long, and 0.44 in less than nothing in the larger box: tubes
    // are added until each is 0.75 in long, and no further.
    for (const double vbCuFt : {3.0, 4.0}) {
        SCOPED_TRACE(vbCuFt);
        const VentDesignValues v = Design(vbCuFt, 60, 10);
        const TubeVent t = StartTubeVent(v, false);
        EXPECT_DOUBLE_EQ(t.diameterIn, 3);
        EXPECT_GT(t.count, 2u);
        ExpectTunes(t.result, v);
        TubeVent fewer = t;
        --fewer.count;
        CalculateTubeVent(fewer, v);
        EXPECT_TRUE(fewer.result.problem == VentProblem::TooSmall || fewer.result.lengthIn < 0.75);
    }
    EXPECT_EQ(StartTubeVent(Design(3, 60, 10), false).count, 3u);
    EXPECT_EQ(StartTubeVent(Design(4, 60, 10), false).count, 4u);
}

TEST(TubeVent, LargeAreasCountTubesByUnit)
{
    const VentDesignValues v = Design(10, 20, 700);
    const TubeVent english = StartTubeVent(v, false);
    EXPECT_DOUBLE_EQ(english.diameterIn, 18);
    EXPECT_EQ(english.count, 3u);
    const TubeVent metric = StartTubeVent(v, true);
    EXPECT_DOUBLE_EQ(metric.diameterM, 0.5);
    EXPECT_DOUBLE_EQ(metric.diameterIn, 19.685);
    EXPECT_EQ(metric.count, 2u);

    // Each row overrides those above it; below 2.2 one 1.5-inch tube.
    EXPECT_DOUBLE_EQ(StartTubeVent(Design(10, 20, 1), false).diameterIn, 1.5);
    EXPECT_EQ(StartTubeVent(Design(10, 20, 3.9), false).count, 2u);
    EXPECT_DOUBLE_EQ(StartTubeVent(Design(10, 20, 600), false).diameterIn, 18);
}

TEST(TubeVent, ZeroDiameterGivesAreaZeroAndNoLength)
{
    const VentDesignValues v = Design(1, 40, 10);
    TubeVent t = StartTubeVent(v, false);
    EnterDimension(0, false, t.diameterM, t.diameterIn);
    CalculateTubeVent(t, v);
    EXPECT_EQ(t.result.areaSqIn, 0);
    EXPECT_EQ(t.result.areaSqM, 0);
    EXPECT_EQ(t.result.lengthIn, 0);
    EXPECT_EQ(t.result.problem, VentProblem::NoArea);
    EXPECT_FALSE(std::string(VentProblemText(t.result.problem)).empty());

    CSpkSys s;
    s.boxTypeName = std::string(BoxTypeName(BoxType::Vented4));
    s.vented4.svSqIn = 5;
    EXPECT_FALSE(WriteVentBack(s, t.result));
    EXPECT_EQ(s.vented4.svSqIn, 5);
}

TEST(RectVent, ProposalsByUnit)
{
    const RectVent english = StartRectVent(Design(1, 30, 50), false);
    EXPECT_DOUBLE_EQ(english.heightIn, 2);
    EXPECT_DOUBLE_EQ(english.widthIn, 24);
    EXPECT_EQ(english.count, 1u);
    EXPECT_DOUBLE_EQ(english.result.areaSqIn, 48);

    const RectVent big = StartRectVent(Design(10, 20, 700), false);
    // 12 in high and trunc(700 / 12 + 0.5) = 58 in wide: 696 sq in, about the minimum area.
    EXPECT_DOUBLE_EQ(big.heightIn, 12);
    EXPECT_DOUBLE_EQ(big.widthIn, 58);
    EXPECT_DOUBLE_EQ(big.result.areaSqIn, 696);
    ExpectTunes(big.result, Design(10, 20, 700));

    // Metric: 0.05 m high from 30 sq in, the width from the metric minimum area.
    const VentDesignValues v = Design(1, 30, 50);
    const RectVent metric = StartRectVent(v, true);
    EXPECT_DOUBLE_EQ(metric.heightM, 0.05);
    EXPECT_DOUBLE_EQ(metric.widthM, Round2(v.svMinSqM / 0.05));
    EXPECT_DOUBLE_EQ(metric.heightIn, 1.9685);
    ExpectTunes(metric.result, v);
}

TEST(VentStart, StopsAfterOneHundredSteps)
{
    // No vent of these sizes is long enough for such a small, high-tuned chamber.
    const VentDesignValues v = Design(100, 1000, 1);
    const TubeVent t = StartTubeVent(v, false);
    EXPECT_EQ(t.count, 101u);
    EXPECT_FALSE(t.result.Usable());

    const RectVent english = StartRectVent(v, false);
    EXPECT_DOUBLE_EQ(english.heightIn, 98.5); // 1 in, +0.5 to 4, then 5.5, then +1 a round
    EXPECT_DOUBLE_EQ(english.widthIn, 600);   // 3 in, 6, 9, then 18, then +6 a round
    const RectVent metric = StartRectVent(v, true);
    EXPECT_NEAR(metric.heightM, 2.43, 1e-9); // 0.025 m, +0.01 to 0.105, then +0.025 a round
    EXPECT_TRUE(std::isfinite(metric.result.areaSqIn));
}

TEST(VentStart, UnusableDesignsNeverLoopOrStoreNonFiniteValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const VentDesignValues& v : {Design(1, 0, 10), Design(0, 40, 10), Design(1, nan, 10),
                                      Design(inf, 40, 10), Design(-1, 40, 10)}) {
        for (const bool metric : {false, true}) {
            const TubeVent t = StartTubeVent(v, metric);
            EXPECT_EQ(t.count, 2u);
            EXPECT_EQ(t.result.problem, VentProblem::NoDesign);
            EXPECT_EQ(t.result.lengthIn, 0);
            EXPECT_EQ(t.result.lengthM, 0);
            const RectVent r = StartRectVent(v, metric);
            EXPECT_DOUBLE_EQ(r.heightIn, metric ? 0.98425 : 1);
            EXPECT_EQ(r.result.problem, VentProblem::NoDesign);
        }
    }
    // A minimum area that is no number proposes the smallest vent.
    const TubeVent t = StartTubeVent(Design(1, 40, nan), false);
    EXPECT_DOUBLE_EQ(t.diameterIn, 1.5);
    EXPECT_TRUE(t.result.Usable());

    VentDesignValues noMetricMinimum = Design(1, 40, 50);
    for (const double sqM : {0.0, nan}) {
        noMetricMinimum.svMinSqM = sqM;
        const RectVent r = StartRectVent(noMetricMinimum, true);
        EXPECT_DOUBLE_EQ(r.heightM, 0.05);
        EXPECT_DOUBLE_EQ(r.widthM, 0.1);
        EXPECT_TRUE(r.result.Usable());
    }

    // A negative size is no vent, even though its square is positive.
    TubeVent negative = t;
    EnterDimension(-3, false, negative.diameterM, negative.diameterIn);
    CalculateTubeVent(negative, Design(1, 40, 10));
    EXPECT_EQ(negative.result.problem, VentProblem::NoArea);
}

TEST(VentCalculator, TubeAndRectVentsTuneTheChamberInBothUnits)
{
    for (const VentDesignValues& v : {Design(1, 40, 10), Design(2.5, 32, 18), Design(0.4, 55, 4),
                                      Design(8, 25, 90), Design(3, 60, 10), Design(20, 18, 700)}) {
        for (const bool metric : {false, true}) {
            SCOPED_TRACE(testing::Message() << v.vbCuFt << " cu ft, " << v.fb << " Hz, "
                                            << (metric ? "metric" : "English"));
            ExpectTunes(StartTubeVent(v, metric).result, v);
            ExpectTunes(StartRectVent(v, metric).result, v);
        }
    }
}

TEST(VentWriteBack, IntoTheVentedChamberAndBackThroughTheVentArea)
{
    CSpkSys s;
    s.boxTypeName = std::string(BoxTypeName(BoxType::Closed2));
    EXPECT_FALSE(DesignValuesForVent(s).has_value());
    EXPECT_FALSE(WriteVentBack(s, StartTubeVent(Design(1, 40, 10), false).result));

    // The vented box itself, and the front chamber of a bandpass box.
    s.vented4 = {.vbLiters = 28.317, .vbCuFt = 1, .fb = 40, .svMinSqM = 0.0064516, .svMinSqIn = 10};
    s.bandpass5.vb2CuFt = 2.5;
    s.bandpass5.fb2 = 32;
    s.bandpass5.svMinSqIn = 18;
    s.bandpass5.svMinSqM = SqInToSqM(18);
    for (const BoxType type : {BoxType::Vented4, BoxType::Bandpass5}) {
        SCOPED_TRACE(BoxTypeName(type));
        s.boxTypeName = std::string(BoxTypeName(type));
        const std::optional<VentDesignValues> v = DesignValuesForVent(s);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->vbCuFt, type == BoxType::Vented4 ? 1 : 2.5);
        for (const bool metric : {false, true}) {
            const RectVent r = StartRectVent(*v, metric);
            ASSERT_TRUE(WriteVentBack(s, r.result));
            const double& svSqIn = type == BoxType::Vented4 ? s.vented4.svSqIn : s.bandpass5.svSqIn;
            const double& lvM = type == BoxType::Vented4 ? s.vented4.lvM : s.bandpass5.lvM;
            EXPECT_EQ(lvM, r.result.lengthM);
            ASSERT_TRUE(engine::CalcVentArea(s));
            EXPECT_NEAR(svSqIn / r.result.areaSqIn, 1, 0.005);
        }
    }
    EXPECT_EQ(s.bandpass4.svSqIn, 0); // the other blocks are left alone
}

TEST(VentEdit, TheTypedCopyLeadsAndClosedBoxesHaveNoVent)
{
    const VentDesignValues v = Design(1, 40, 10);
    TubeVent t = StartTubeVent(v, false);
    t.diameterM = 0.1;
    RecalculateTubeVent(t, v, true);
    EXPECT_DOUBLE_EQ(t.diameterIn, 3.937);
    EXPECT_DOUBLE_EQ(t.result.areaSqM, 0.01571);
    ExpectTunes(t.result, v);

    RectVent r = StartRectVent(v, true);
    r.widthIn = 10;
    RecalculateRectVent(r, v, false);
    EXPECT_DOUBLE_EQ(r.widthM, 0.254);
    EXPECT_DOUBLE_EQ(r.heightM, 0.025); // the English height copied back, 0.98425 in

    CSpkSys s;
    for (const BoxType type : kAllBoxTypes) {
        s.boxTypeName = std::string(BoxTypeName(type));
        EXPECT_EQ(HasClosedBox(s), type == BoxType::Closed2 || type == BoxType::Closed3);
    }
    s.boxTypeName = "Closed Box";
    EXPECT_FALSE(HasClosedBox(s));
}

TEST(VentCalculator, PipeResonanceAndMinimumArea)
{
    VentResult r;
    r.areaSqM = 0.01;
    r.areaSqIn = 15.5;
    r.lengthM = 0.5;
    r.problem = VentProblem::None;
    // Two vents of 0.005 sq m: 344.8 / (2 x (0.5 + 0.824 x 0.0707)) = 308.8 Hz.
    EXPECT_NEAR(PipeResonanceHz(r, 2), 308.8, 0.1);
    EXPECT_LT(PipeResonanceHz(r, 2), kPipeResonanceWarningHz);
    EXPECT_EQ(PipeResonanceHz(r, 0), 0);
    EXPECT_TRUE(ReachesMinimumArea(r, Design(1, 40, 15.5)));
    EXPECT_FALSE(ReachesMinimumArea(r, Design(1, 40, 15.6)));
    r.problem = VentProblem::TooSmall;
    EXPECT_EQ(PipeResonanceHz(r, 2), 0);
}

} // namespace
} // namespace cw::calc
