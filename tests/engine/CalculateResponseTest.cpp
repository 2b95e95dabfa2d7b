#include "engine/CalculateResponse.h"

#include "engine/Design.h"
#include "engine/Families.h"
#include "model/CommandIds.h"
#include "model/Units.h"
#include "support/RecordingWindows.h"

#include <cmath>
#include <gtest/gtest.h>

namespace cw
{
namespace
{

struct Calculate : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
    test::RecordingWindows windows;

    void SetUp() override
    {
        windows.answerOk = false;
        doc.SetWindows(&windows);
    }

    void DesignSampleBox()
    {
        wb.closed2.qtc = 0.707;
        ASSERT_TRUE(doc.CalcBoxVolume());
    }

    int FilledMemories() const
    {
        int count = 0;
        for (int k = 1; k <= 10; ++k)
            count += doc.systems[k].hasAnyCurve();
        return count;
    }

    // Every curve value of every system is a finite number.
    void ExpectAllFinite() const
    {
        for (const CSpkSys& s : doc.systems) {
            const int n = s.storedPoints();
            CSpkSys::Curves(s, [&](const char* name, const CurveArray& c, const std::int32_t*) {
                for (int i = 0; i < n; ++i)
                    ASSERT_TRUE(std::isfinite(c[i])) << name << "[" << i << "]";
            });
        }
    }
};

TEST_F(Calculate, GridCoversTenHertzToOneKilohertzAtLeast)
{
    struct Case {
        double low, high, pointCount;
        int points;
    };
    for (const Case& c : {Case{20, 2000, 382.19, 383}, Case{20, 20000, 548.3, 549},
                          Case{1, 100, 498.3, 499}, Case{1, 100000, 830.5, 831}}) {
        doc.plot.lowFreqLimit = c.low;
        doc.plot.highFreqLimit = c.high;
        const auto grid = engine::PlanFrequencyGrid(doc.plot);
        ASSERT_TRUE(grid);
        engine::FillFrequencyGrid(wb, *grid);
        EXPECT_NEAR(wb.pointCount, c.pointCount, 0.05) << c.high;
        EXPECT_EQ(wb.storedPoints(), c.points) << c.high;
        EXPECT_DOUBLE_EQ(wb.frequencies[0], std::min(c.low, 10.0));
    }
    EXPECT_DOUBLE_EQ(wb.frequencies[50], 2);
    doc.plot.lowFreqLimit = 20;
    doc.plot.highFreqLimit = 20000;
    engine::FillFrequencyGrid(wb, *engine::PlanFrequencyGrid(doc.plot));
    EXPECT_DOUBLE_EQ(wb.frequencies[548], 10 * std::exp2(548 / 50.0));

    // Limits wider than the arrays stop at the last entry; a low limit of 0 allows no grid.
    doc.plot.lowFreqLimit = 0.01;
    EXPECT_DOUBLE_EQ(engine::PlanFrequencyGrid(doc.plot)->pointCount, kMaxPoints);
    doc.plot.lowFreqLimit = 0;
    EXPECT_FALSE(engine::PlanFrequencyGrid(doc.plot));
}

TEST_F(Calculate, DesignedBoxIsCalculatedAndDrawnAtOnce)
{
    DesignSampleBox();
    ASSERT_TRUE(doc.OnCommand(cmd::CalculateResponse));
    EXPECT_EQ(wb.storedPoints(), 383);
    EXPECT_EQ(wb.hasSpl, 1);
    EXPECT_EQ(wb.hasExcursion, 1);
    EXPECT_EQ(wb.hasPhase, 0); // not shown in a new project
    EXPECT_EQ(wb.responseShown, 1);
    EXPECT_EQ(windows.drawnSystems, std::vector<int>{11});
    EXPECT_TRUE(windows.messages.empty());
    EXPECT_EQ(FilledMemories(), 0);
    EXPECT_TRUE(doc.IsModified());
    ExpectAllFinite();
}

TEST_F(Calculate, ClearAndCalculateHidesEveryMemoryFirst)
{
    DesignSampleBox();
    doc.systems[3].responseShown = 1;
    ASSERT_TRUE(doc.OnCommand(cmd::ClearAndCalculate));
    EXPECT_EQ(doc.systems[3].responseShown, 0);
    EXPECT_EQ(wb.responseShown, 1);
}

TEST_F(Calculate, NoDriverAsksAndChangesNothing)
{
    DesignSampleBox();
    wb.driver.fs = 0;
    wb.driver.spl = 0;
    const CSpkSys before = wb;
    EXPECT_FALSE(doc.CalculateResponse());
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0], "There is no driver loaded. \nWould you like to load a Driver?");
    EXPECT_EQ(windows.Count("driver database"), 0);
    EXPECT_EQ(wb.pointCount, before.pointCount);
    EXPECT_EQ(wb.responseShown, 0);
    EXPECT_EQ(wb.driver, before.driver);

    windows.answerOk = true;
    doc.CalculateResponse();
    EXPECT_EQ(windows.Count("driver database"), 1);
}

TEST_F(Calculate, EnvironmentModelSwitches)
{
    DesignSampleBox();
    wb.modelEnclosure = 0;
    doc.CalculateResponse();
    EXPECT_EQ(wb.modelEnclosure, 1); // all three off turns the enclosure back on
    EXPECT_EQ(wb.hasSpl, 1);

    // Diffraction alone: flat curves plus the shelf.
    wb.modelEnclosure = 0;
    wb.modelDiffraction = 1;
    doc.display.showSpl = 0;
    doc.CalculateResponse();
    EXPECT_EQ(wb.hasSpl, 1);
    EXPECT_NEAR(wb.splCurve[0], -6.01, 0.005);
    EXPECT_EQ(wb.excursionCurve[0], 0);
    EXPECT_EQ(wb.impedanceCurve[100], 0);

    // The cabin after the diffraction, both on the box response.
    wb.modelEnclosure = 1;
    wb.modelAutoCabin = 1;
    doc.display.showSpl = 1;
    doc.CalculateResponse();
    const double withBoth = wb.splCurve[0];
    wb.modelDiffraction = wb.modelAutoCabin = 0;
    doc.CalculateResponse();
    EXPECT_GT(withBoth, wb.splCurve[0] + 20); // 10 Hz: cabin gain far above the shelf loss
}

TEST_F(Calculate, SensitivityIsCompletedFirst)
{
    DesignSampleBox();
    wb.driver.spl = 0;
    wb.driver.eta0 = 1.0;
    doc.CalculateResponse();
    EXPECT_DOUBLE_EQ(wb.driver.spl, 92.1);
    EXPECT_GE(windows.Count("driver panel"), 1);
}

TEST_F(Calculate, UnusableInputsGiveEmptyCurvesAndAMessage)
{
    DesignSampleBox();
    // No box loss: every kind divides by it.
    wb.closed2.qb = 0;
    doc.display.showPhase = 1;
    EXPECT_TRUE(doc.CalculateResponse());
    EXPECT_EQ(wb.hasSpl, 0);
    EXPECT_EQ(wb.hasExcursion, 0);
    EXPECT_EQ(wb.hasPhase, 0);
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_NE(windows.messages[0].find("splCurve, excursionCurve, phaseCurve"), std::string::npos);
    ExpectAllFinite();

    // No S(D) and no diameter to estimate it from: only the excursion is lost.
    wb.closed2.qb = 7;
    wb.driver.sdSqM = wb.driver.sdSqIn = 0;
    wb.driver.nominalDiameterMm = wb.driver.nominalDiameterIn = 0;
    windows.messages.clear();
    doc.CalculateResponse();
    EXPECT_EQ(wb.hasSpl, 1);
    EXPECT_EQ(wb.hasExcursion, 0);
    EXPECT_EQ(windows.messages.size(), 1u);
    ExpectAllFinite();
}

TEST_F(Calculate, SeriesComponentsOfZeroGiveEmptyCurves)
{
    doc.SetBoxType(BoxType::Closed3);
    wb.closed3.vbLiters = 28.317;
    wb.closed3.vbCuFt = 1;
    wb.closed3.c1 = 0;
    doc.CalculateResponse();
    EXPECT_EQ(wb.hasSpl, 0);
    EXPECT_EQ(windows.messages.size(), 1u);
    ExpectAllFinite();

    doc.SetBoxType(BoxType::Bandpass5);
    wb.bandpass5.vb1Liters = 28.317;
    wb.bandpass5.vb1CuFt = wb.bandpass5.vb2CuFt = 1;
    wb.bandpass5.fb2 = 60;
    wb.bandpass5.l1 = 0;
    doc.CalculateResponse();
    EXPECT_EQ(wb.hasSpl, 0);
    ExpectAllFinite();
}

TEST_F(Calculate, EveryBoxTypeFallsBackToSixAndAHalfOhms)
{
    // Neither R(e) nor a nominal impedance: 6.5 Ohms for every model, not 0/0.
    wb.driver.re = 0;
    wb.driver.nominalImpedance = 0;
    for (BoxType type : kAllBoxTypes) {
        doc.SetBoxType(type);
        const engine::WorkingValues w = [&] {
            engine::WorkingValues v = engine::MakeWorkingValues(wb);
            engine::ApplySeriesResistance(v, wb);
            return v;
        }();
        EXPECT_DOUBLE_EQ(w.re, 6.5) << BoxTypeName(type);
        EXPECT_TRUE(doc.CalculateResponse()) << BoxTypeName(type);
        EXPECT_EQ(wb.hasSpl, 1) << BoxTypeName(type);
        ExpectAllFinite();
        for (int k = 1; k <= 10; ++k)
            doc.systems[k].hasSpl = doc.systems[k].hasExcursion = 0;
    }
    EXPECT_TRUE(windows.messages.empty());
}

TEST_F(Calculate, InputsThatAllowNoRunStopBeforeAnythingChanges)
{
    DesignSampleBox();
    doc.CalculateResponse();
    const CSpkSys calculated = wb;
    auto expectUnchanged = [&](const char* what) {
        EXPECT_FALSE(doc.CalculateResponse()) << what;
        EXPECT_EQ(wb.pointCount, calculated.pointCount) << what;
        EXPECT_EQ(wb.splCurve, calculated.splCurve) << what;
        EXPECT_EQ(windows.messages.size(), 1u) << what;
        windows.messages.clear();
    };
    wb.boxTypeName = "Open Baffle";
    expectUnchanged("box type");
    wb.boxTypeName = std::string(BoxTypeName(BoxType::Closed2));
    wb.driverCount = 0;
    expectUnchanged("driver count");
    wb.driverCount = 1;
    doc.plot.lowFreqLimit = 0;
    expectUnchanged("low limit");
}

// A damaged driver or box value stops the run with a message naming it, before a family could
// design a box of negative volume from it.
TEST_F(Calculate, UnusableDesignValuesStopTheRunAndAreNamed)
{
    wb.boxTypeName = "4th Order Vented Box";
    wb.driver.vasLiters = -33.3;
    wb.driver.vasCuFt = -1.176;
    EXPECT_FALSE(doc.CalculateResponse());
    EXPECT_EQ(windows.messages,
              std::vector<std::string>{"The driver's V(as) is negative, too large or not a number, "
                                       "so no response was calculated."});
    EXPECT_EQ(wb.vented4.vbLiters, 0);
    EXPECT_EQ(FilledMemories(), 0);
    EXPECT_EQ(wb.responseShown, 0);

    windows.messages.clear();
    wb.driver = SampleDriver();
    wb.vented4.vbLiters = 50;
    wb.vented4.vbCuFt = std::nan(""); // a null in the project file
    EXPECT_FALSE(doc.CalculateResponse());
    EXPECT_EQ(windows.messages,
              std::vector<std::string>{
                  "V(B) is too large or not a number, so no response was calculated."});
    EXPECT_FALSE(wb.hasAnyCurve());
}

TEST_F(Calculate, CabinWithoutQIsLeftOutWithAMessage)
{
    DesignSampleBox();
    doc.CalculateResponse();
    const double plain = wb.splCurve[10];
    wb.modelAutoCabin = 1;
    wb.autoCabinQ = 0;
    doc.CalculateResponse();
    EXPECT_DOUBLE_EQ(wb.splCurve[10], plain);
    EXPECT_EQ(windows.messages.size(), 1u);
}

// "Responses for this Driver"

TEST_F(Calculate, NewProjectRunsTheClosedBoxFamily)
{
    EXPECT_TRUE(doc.CalculateResponse());
    EXPECT_EQ(FilledMemories(), 10);
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, 0.5); // the ladder value for Q(ts) 0.49
    EXPECT_DOUBLE_EQ(doc.systems[1].closed2.qtc, 0.5);
    EXPECT_DOUBLE_EQ(doc.systems[6].closed2.qtc, 0.8);
    EXPECT_DOUBLE_EQ(doc.systems[10].closed2.qtc, 1.2);
    EXPECT_GT(doc.systems[1].closed2.vbLiters, doc.systems[10].closed2.vbLiters);
    EXPECT_DOUBLE_EQ(wb.inputPower, 75); // raised to P(t) for every member
    EXPECT_DOUBLE_EQ(doc.systems[4].inputPower, 75);
    EXPECT_EQ(windows.Count("title 2nd Order Closed Box Responses for this Driver"), 1);
    EXPECT_EQ(windows.drawnSystems.size(), 11u); // ten members and the base design
    EXPECT_TRUE(windows.messages.empty());
    ExpectAllFinite();

    // Now the box is designed: the next run calculates the workbench only.
    const CSpkSys memory4 = doc.systems[4];
    windows.drawnSystems.clear();
    doc.CalculateResponse();
    EXPECT_EQ(windows.drawnSystems, std::vector<int>{11});
    EXPECT_EQ(doc.systems[4].closed2, memory4.closed2);
}

TEST_F(Calculate, FamilyFillsOnlyEmptyMemories)
{
    doc.systems[1].hasSpl = 1;
    doc.systems[1].systemName = "kept";
    doc.systems[2].hasImpedance = 1;
    doc.CalculateResponse();
    EXPECT_EQ(doc.systems[1].systemName, "kept");
    EXPECT_EQ(doc.systems[2].closed2.qtc, 0);
    EXPECT_DOUBLE_EQ(doc.systems[3].closed2.qtc, 0.6);
    EXPECT_EQ(windows.drawnSystems.size(), 11u); // members 1 and 2 drawn all the same
    EXPECT_EQ(windows.statuses,
              std::vector<std::string>{"Responses for this Driver: 8 designs were stored in empty "
                                       "memories; 2 memories that held systems were left alone."});
}

TEST_F(Calculate, FamilySaysWhatItStored)
{
    // Into empty memories: all ten.
    doc.CalculateResponse();
    EXPECT_EQ(windows.statuses, std::vector<std::string>{"Responses for this Driver: 10 designs "
                                                         "were stored in empty memories."});

    // With every memory full the members are drawn, nothing is stored, and the status bar says
    // why.
    CSpkSysDoc full;
    test::RecordingWindows w;
    full.SetWindows(&w);
    for (int k = 1; k <= 10; ++k)
        full.systems[k].hasSpl = 1;
    EXPECT_TRUE(full.CalculateResponse());
    EXPECT_EQ(w.drawnSystems.size(), 11u);
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(full.systems[k].closed2.qtc, 0) << k;
    EXPECT_EQ(w.statuses, std::vector<std::string>{
                              "Responses for this Driver: no design was stored; 10 memories that "
                              "held systems were left alone. Clear System empties a memory."});
}

TEST_F(Calculate, PanelsShowTheWorkbenchAfterARun)
{
    // The family ends with its base design in the workbench: both panels show it.
    doc.CalculateResponse();
    ASSERT_GE(windows.calls.size(), 2u);
    EXPECT_EQ(windows.calls[windows.calls.size() - 2], "driver panel");
    EXPECT_EQ(windows.calls.back(), "refresh panel");
    EXPECT_GT(wb.closed2.vbLiters, 0);

    windows.calls.clear();
    doc.CalculateResponse();
    EXPECT_EQ(windows.calls.back(), "refresh panel");
}

TEST_F(Calculate, NoSoundLevelInSplModeIsSaid)
{
    DesignSampleBox();
    wb.inputPower = 0;
    doc.CalculateResponse();
    EXPECT_TRUE(windows.statuses.empty()) << "relative levels need no power";

    doc.display.splMode = 1;
    doc.CalculateResponse();
    EXPECT_EQ(windows.statuses, std::vector<std::string>{"An input power P(in) of 0 W gives no "
                                                         "sound level, so the SPL curve is not "
                                                         "drawn in dB SPL mode."});
    wb.inputPower = 10;
    wb.splDistanceM = 0;
    doc.CalculateResponse();
    ASSERT_FALSE(windows.statuses.empty());
    EXPECT_NE(windows.statuses.back().find("An SPL distance of 0 m"), std::string::npos);
}

TEST_F(Calculate, EveryBoxTypeHasATerminatingFamily)
{
    struct Case {
        BoxType type;
        const char* title;
    };
    for (const Case& c : {Case{BoxType::Closed2, "2nd Order Closed Box"},
                          Case{BoxType::Closed3, "3rd Order Closed Box"},
                          Case{BoxType::Vented4, "4th Order Vented Box"},
                          Case{BoxType::Bandpass4, "4th Order Bandpass Box"},
                          Case{BoxType::Bandpass5, "5th Order Bandpass Box"},
                          Case{BoxType::Bandpass6, "6th Order Bandpass Box"}}) {
        CSpkSysDoc fresh;
        test::RecordingWindows w;
        fresh.SetWindows(&w);
        fresh.SetBoxType(c.type);
        fresh.display.showPhase = fresh.display.showDelay = fresh.display.showImpedance = 1;
        EXPECT_TRUE(fresh.CalculateResponse());
        EXPECT_EQ(w.Count("title " + std::string(c.title) + " Responses for this Driver"), 1);
        EXPECT_TRUE(w.messages.empty()) << c.title << ": " << w.messages.front();
        EXPECT_TRUE(engine::IsDesigned(fresh.workbench())) << c.title;
        int filled = 0;
        for (int k = 1; k <= 10; ++k)
            filled += fresh.systems[k].hasSpl;
        EXPECT_EQ(filled, 10) << c.title;
        for (const CSpkSys& s : fresh.systems) {
            for (int i = 0; i < s.storedPoints(); ++i) {
                ASSERT_TRUE(std::isfinite(s.splCurve[i])) << c.title;
                ASSERT_TRUE(std::isfinite(s.excursionCurve[i])) << c.title;
            }
        }
    }
}

TEST_F(Calculate, FamilyValuesOfTheBandpassAndVentedBoxes)
{
    // 5th order: from 0.75 (Q(ts) at most 0.45) by repeated addition of 0.05: ten members.
    doc.SetBoxType(BoxType::Bandpass5);
    wb.driver.qts = 0.4;
    doc.CalculateResponse();
    EXPECT_EQ(doc.systems[10].bandpass5.qtc, 1.2000000000000004);
    EXPECT_DOUBLE_EQ(wb.bandpass5.qtc, 0.75);
    const BandpassBox5& b = wb.bandpass5;
    EXPECT_DOUBLE_EQ(b.fb2, 41 * std::sqrt(3.18 / b.vb1CuFt + 1));
    EXPECT_DOUBLE_EQ(b.l1, Round4(6.3 * 0.6 / (6.283185307 * b.fb2) * 1000 / 5));
    EXPECT_DOUBLE_EQ(b.vb2CuFt, Round3(std::pow(2 * 0.522 * 0.4, 2) * 3.18));
    EXPECT_DOUBLE_EQ(b.vb2Liters, Round3(CuFtToLiters(b.vb2CuFt)));

    // 4th order vented: V(B) = Round3(4.1 Q(ts)² V(as)), F(B) from f(s) 0.3 / Q(ts) / 1.5.
    CSpkSysDoc vented;
    vented.SetBoxType(BoxType::Vented4);
    vented.workbench().driver.vasLiters = 0; // cubic feet only: filled before sizing
    vented.CalculateResponse();
    const VentedBox4& v = vented.workbench().vented4;
    EXPECT_DOUBLE_EQ(v.vbCuFt, Round3(4.1 * 0.49 * 0.49 * 3.18));
    EXPECT_DOUBLE_EQ(v.vbLiters, Round3(4.1 * 0.49 * 0.49 * 90.048));
    EXPECT_DOUBLE_EQ(v.fb, Round3(41 * 0.3 / 0.49 / 1.5));
    EXPECT_DOUBLE_EQ(vented.systems[2].vented4.fb, Round3(v.fb * 1.1));
    EXPECT_GT(v.svMinSqM, 0);
}

TEST_F(Calculate, FamilyThatCannotDesignStopsWithAMessage)
{
    wb.driver.qts = 0; // no volume gives any Q(tc)
    EXPECT_TRUE(doc.CalculateResponse());
    EXPECT_EQ(FilledMemories(), 0);
    ASSERT_EQ(windows.messages.size(), 1u);
    EXPECT_EQ(windows.messages[0], engine::kFamilyStopped);
    ExpectAllFinite();
}

TEST(FamilyLadder, BaseQtcFromTheDriversQts)
{
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.8), 0.85);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.7), 0.75);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.69), 0.707);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.6), 0.65);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.57), 0.6);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.5), 0.55);
    EXPECT_DOUBLE_EQ(engine::LadderQtc(0.49), 0.5);
}

} // namespace
} // namespace cw
