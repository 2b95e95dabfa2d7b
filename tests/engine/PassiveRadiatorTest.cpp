#include "engine/CalculateResponse.h"
#include "engine/Design.h"
#include "engine/ResponseModels.h"
#include "model/CSpkSysDoc.h"
#include "model/Units.h"
#include "support/RecordingWindows.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace cw
{
namespace
{

// The sample driver in a passive radiator box on the new project's grid, every curve shown.
struct Radiator : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
    RadiatorBox& b = wb.radiator;
    DisplaySwitches show = AllShown();

    static DisplaySwitches AllShown()
    {
        DisplaySwitches d;
        d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
        return d;
    }

    void SetUp() override
    {
        doc.SetBoxType(BoxType::Radiator);
        engine::FillFrequencyGrid(wb, *engine::PlanFrequencyGrid(doc.plot));
        SetBox(30);
    }

    void SetBox(double liters)
    {
        b.vbLiters = liters;
        b.vbCuFt = LitersToCuFt(liters);
    }

    void Run(CSpkSys& s)
    {
        engine::WorkingValues w = engine::MakeWorkingValues(s);
        engine::ApplySeriesResistance(w, s);
        ASSERT_TRUE(engine::RunResponse(s, w, show));
    }

    // The grid index nearest to f.
    int Near(double f) const
    {
        int best = 0;
        for (int i = 0; i < wb.storedPoints(); ++i) {
            if (std::abs(wb.frequencies[i] - f) < std::abs(wb.frequencies[best] - f))
                best = i;
        }
        return best;
    }
};

TEST_F(Radiator, TuningMassAndNotchOfTheSampleRadiator)
{
    // 60 liters on 0.033 sq m at 28 Hz: C(ms) = V(as) / (rho c² S(D)²) = 0.3927 mm/N, and the mass
    // that resonates with it at 28 Hz is 82.27 g. Without added mass the notch is f(s) itself and
    // the 30 liter box tunes to 28 x sqrt(1 + 60 / 30) = 48.50 Hz.
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    EXPECT_NEAR(b.prCmsMmPerN, 0.3927, 1e-4);
    EXPECT_NEAR(b.prMmsG, 82.27, 0.01);
    EXPECT_NEAR(b.fn, 28, 1e-9);
    EXPECT_NEAR(b.fp, 48.5, 1e-9);

    // Two radiators stiffen the box as a 120 liter one would; a larger box tunes lower.
    b.prCount = 2;
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    EXPECT_NEAR(b.fp, 28 * std::sqrt(5.0), 0.01);
    b.prCount = 1;
    SetBox(120);
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    EXPECT_NEAR(b.fp, 28 * std::sqrt(1.5), 0.01);
}

TEST_F(Radiator, TuningAndAddedMassInvertEachOther)
{
    // A typed F(P) finds the mass; that mass tunes the box back to the typed F(P).
    for (double fp : {20.0, 30.0, 41.5, 48.4}) {
        b.fp = fp;
        ASSERT_TRUE(doc.CalcAddedMass()) << fp;
        EXPECT_GE(b.prAddedMassG, 0);
        EXPECT_NEAR(b.fn, fp / std::sqrt(3.0), 0.01);
        b.fp = 0;
        ASSERT_TRUE(doc.CalcRadiatorTuning());
        EXPECT_NEAR(b.fp, fp, fp * 2e-4) << "mass " << b.prAddedMassG;
    }
    // A typed mass finds F(P); that F(P) finds the mass again, within F(P)'s four digits.
    for (double grams : {0.0, 12.5, 132.7, 900.0}) {
        b.prAddedMassG = grams;
        ASSERT_TRUE(doc.CalcRadiatorTuning());
        b.prAddedMassG = -1;
        ASSERT_TRUE(doc.CalcAddedMass());
        EXPECT_NEAR(b.prAddedMassG, grams, (grams + b.prMmsG) * 1.2e-3);
    }
    // F(P) = 30 Hz in 30 liters needs 132.7 g on the sample radiator.
    b.fp = 30;
    ASSERT_TRUE(doc.CalcAddedMass());
    EXPECT_NEAR(b.prAddedMassG, 132.7, 0.05);
}

TEST_F(Radiator, AStepWithNoUsableResultWritesNothing)
{
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    const RadiatorBox designed = b;

    // Above the tuning without added mass, the mass would be negative.
    b.fp = 49;
    EXPECT_FALSE(doc.CalcAddedMass());
    b.fp = designed.fp;
    EXPECT_EQ(b, designed);

    // A radiator not given, no box, no radiators or a negative mass tune nothing.
    auto refused = [&](auto change) {
        RadiatorBox changed = designed;
        change(changed);
        b = changed;
        EXPECT_FALSE(doc.CalcRadiatorTuning());
        EXPECT_EQ(b, changed);
        EXPECT_FALSE(doc.CalcAddedMass());
        EXPECT_EQ(b, changed);
    };
    refused([](RadiatorBox& r) { r.prFs = 0; });
    refused([](RadiatorBox& r) { r.prVasLiters = 0; });
    refused([](RadiatorBox& r) { r.prSdSqM = 0; });
    refused([](RadiatorBox& r) { r.prCount = 0; });
    refused([](RadiatorBox& r) { r.vbLiters = 0; });
    b = designed;
    b.prAddedMassG = -5;
    EXPECT_FALSE(doc.CalcRadiatorTuning());

    // The steps of the other box types leave a radiator box alone, and the other way round.
    b = designed;
    for (bool (CSpkSysDoc::*step)() :
         {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha,
          &CSpkSysDoc::CalcBoxVolume, &CSpkSysDoc::EstimateDriverAndVent,
          &CSpkSysDoc::CalcVentLength, &CSpkSysDoc::CalcVentArea})
        EXPECT_TRUE((doc.*step)());
    EXPECT_EQ(b, designed);
    doc.SetBoxType(BoxType::Vented4);
    EXPECT_TRUE(doc.CalcRadiatorTuning());
    EXPECT_TRUE(doc.CalcAddedMass());
    EXPECT_EQ(b, designed);
}

TEST_F(Radiator, AStiffLosslessRadiatorFreeOfItsSuspensionIsAVent)
{
    // A radiator of very large compliance and very high Q(ms) is a mass of air in a vent: the
    // box sounds as the vented box tuned to the same frequency, with the same box loss.
    b.prVasLiters = 1e7;
    b.prQms = 1e7;
    b.prFs = 0.1;
    SetBox(45);
    b.fp = 35;
    ASSERT_TRUE(doc.CalcAddedMass());
    Run(wb);

    CSpkSys vented = wb;
    vented.boxTypeName = std::string(BoxTypeName(BoxType::Vented4));
    vented.vented4.vbCuFt = b.vbCuFt;
    vented.vented4.fb = 35;
    vented.vented4.qb = b.qb;
    Run(vented);

    const int n = wb.storedPoints();
    ASSERT_GT(n, 300);
    for (int i = 0; i < n; ++i) {
        const double f = wb.frequencies[i];
        ASSERT_NEAR(wb.splCurve[i], vented.splCurve[i], 0.1) << f << " Hz";
        ASSERT_NEAR(wb.excursionCurve[i], vented.excursionCurve[i],
                    0.01 * vented.excursionCurve[i] + 1e-4)
            << f << " Hz";
        ASSERT_NEAR(std::remainder(wb.phaseCurve[i] - vented.phaseCurve[i], 360), 0, 0.5)
            << f << " Hz";
        ASSERT_NEAR(wb.delayCurve[i], vented.delayCurve[i],
                    0.01 * std::abs(vented.delayCurve[i]) + 0.01)
            << f << " Hz";
        ASSERT_NEAR(wb.impedanceCurve[i], vented.impedanceCurve[i], 0.01 * vented.impedanceCurve[i])
            << f << " Hz";
    }
    EXPECT_EQ(wb.hasRadiator, 1);
    EXPECT_EQ(vented.hasRadiator, 0);
}

TEST_F(Radiator, TheOutputCancelsAtTheRadiatorsLoadedResonance)
{
    // A radiator of little loss in a box of little leakage: at the notch the radiators move the
    // air the cone moves, in opposite phase, so nothing is radiated.
    b.prQms = 200;
    b.qb = 1000;
    b.prAddedMassG = 150;
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    Run(wb);
    const int notch = Near(b.fn);
    const auto lowest =
        std::min_element(wb.splCurve.begin() + Near(b.fn / 2), wb.splCurve.begin() + Near(b.fp));
    EXPECT_EQ(lowest - wb.splCurve.begin(), notch) << "notch at " << b.fn << " Hz";
    EXPECT_LT(wb.splCurve[notch], wb.splCurve[notch + 10] - 20);
    EXPECT_LT(wb.splCurve[notch], wb.splCurve[notch - 10] - 20);

    // There the radiators' swept volume equals the cone's: X(P) S(P) N(P) = X(D) S(D), both peak.
    for (double count : {1.0, 2.0}) {
        b.prCount = count;
        ASSERT_TRUE(doc.CalcRadiatorTuning());
        const engine::RadiatorParts r = *engine::RadiatorOf(b);
        wb.pointCount = 1;
        wb.frequencies[0] = engine::RadiatorResonance(r, r.mms + b.prAddedMassG / 1000);
        Run(wb);
        const double cone = wb.excursionCurve[0] * wb.driver.sdSqM;
        EXPECT_NEAR(wb.radiatorCurve[0] * b.prSdSqM * count, cone, 0.001 * cone) << count;
    }
    engine::FillFrequencyGrid(wb, *engine::PlanFrequencyGrid(doc.plot));
    // Far above the tuning the radiators, heavier than the air they move, hardly move at all.
    Run(wb);
    const int top = wb.storedPoints() - 1;
    EXPECT_LT(wb.radiatorCurve[top], 0.01 * wb.excursionCurve[top]);
}

TEST_F(Radiator, HiddenExcursionLeavesNoRadiatorCurve)
{
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    show.showExcursion = 0;
    Run(wb);
    EXPECT_EQ(wb.hasRadiator, 0);
    EXPECT_EQ(wb.radiatorCurve[100], 0);
    EXPECT_EQ(wb.hasPhase, 1);

    // Another box type's run drops the radiator curve a radiator box left.
    show = AllShown();
    Run(wb);
    EXPECT_EQ(wb.hasRadiator, 1);
    doc.SetBoxType(BoxType::Vented4);
    wb.vented4.vbCuFt = 1;
    wb.vented4.fb = 40;
    Run(wb);
    EXPECT_EQ(wb.hasRadiator, 0);
}

// Calculate Response of a radiator box not yet designed: the vented family's box and tunings.
struct RadiatorFamily : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
    test::RecordingWindows windows;

    void SetUp() override
    {
        windows.answerOk = false;
        doc.SetWindows(&windows);
        doc.SetBoxType(BoxType::Radiator);
    }
};

TEST_F(RadiatorFamily, TuningsTheRadiatorCannotReachAreLeftOutAndCounted)
{
    // The sample driver's vented family: 88.6 liters tuned from 16.7 Hz up by a tenth each step
    // to 39.4 Hz. The sample radiator tunes that box to 28 x sqrt(1 + 60 / 88.6) = 36.26 Hz
    // without added mass, so the last member, 39.4 Hz, cannot be made.
    ASSERT_TRUE(doc.CalculateResponse());
    EXPECT_EQ(wb.radiator.vbLiters, 88.6);
    const double tunings[] = {16.7, 18.4, 20.2, 22.2, 24.4, 26.8, 29.5, 32.5, 35.8};
    for (int k = 1; k <= 9; ++k) {
        const CSpkSys& member = doc.systems[k];
        EXPECT_EQ(member.radiator.fp, tunings[k - 1]) << k;
        EXPECT_GT(member.radiator.prAddedMassG, 0) << k;
        EXPECT_EQ(member.hasRadiator, 1) << k;
    }
    EXPECT_FALSE(doc.systems[10].hasAnyCurve());
    EXPECT_EQ(wb.radiator.fp, 16.7);
    ASSERT_EQ(windows.statuses.size(), 1u);
    EXPECT_NE(windows.statuses[0].find("9 designs were stored"), std::string::npos);
    EXPECT_NE(windows.statuses[0].find("1 tuning was left out"), std::string::npos)
        << windows.statuses[0];
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(RadiatorFamily, ARadiatorThatTunesNoMemberSaysSo)
{
    wb.radiator.prFs = 5; // heavy and soft: 5 x 1.3 Hz without added mass, below every member
    ASSERT_TRUE(doc.CalculateResponse());
    for (int k = 1; k <= 10; ++k)
        EXPECT_FALSE(doc.systems[k].hasAnyCurve()) << k;
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_NE(windows.messages[0].find("16.7 Hz or higher"), std::string::npos)
        << windows.messages[0];
    ASSERT_EQ(windows.statuses.size(), 1u);
    EXPECT_NE(windows.statuses[0].find("10 tunings were left out"), std::string::npos);
}

} // namespace
} // namespace cw
