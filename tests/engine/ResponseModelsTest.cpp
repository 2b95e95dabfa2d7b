#include "engine/ResponseModels.h"

#include "engine/CalculateResponse.h"
#include "engine/Design.h"
#include "model/CSpkSysDoc.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <vector>

namespace cw
{
namespace
{

using engine::WorkingValues;

// A workbench with the sample driver and the response evaluated at chosen frequencies.
struct Model : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
    DisplaySwitches show = AllShown();

    static DisplaySwitches AllShown()
    {
        DisplaySwitches d;
        d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
        return d;
    }

    void SetFrequencies(const std::vector<double>& hz)
    {
        std::copy(hz.begin(), hz.end(), wb.frequencies.begin());
        wb.pointCount = static_cast<double>(hz.size());
    }

    WorkingValues Working()
    {
        WorkingValues w = engine::MakeWorkingValues(wb);
        engine::ApplySeriesResistance(w, wb);
        return w;
    }

    void Run() { ASSERT_TRUE(engine::RunResponse(wb, Working(), show)); }

    // The frequency of the largest impedance on a 0.01 Hz grid, and that impedance.
    std::pair<double, double> ImpedancePeak(double from, double to)
    {
        std::vector<double> hz;
        for (double f = from; f <= to; f += 0.01)
            hz.push_back(f);
        double bestF = 0, bestZ = 0;
        for (std::size_t start = 0; start < hz.size(); start += kMaxPoints) {
            const std::size_t count = std::min<std::size_t>(kMaxPoints, hz.size() - start);
            SetFrequencies({hz.begin() + start, hz.begin() + start + count});
            Run();
            for (std::size_t i = 0; i < count; ++i) {
                if (wb.impedanceCurve[i] > bestZ) {
                    bestZ = wb.impedanceCurve[i];
                    bestF = wb.frequencies[i];
                }
            }
        }
        return {bestF, bestZ};
    }
};

// 2nd order closed box and 4th order vented box

TEST_F(Model, ClosedBoxAtItsResonance)
{
    // alpha 1: V = V(as), so f(c) = 41 x sqrt(2) = 58 Hz and Q(tc) = 0.49 x sqrt(2).
    wb.closed2.vbCuFt = wb.driver.vasCuFt;
    SetFrequencies({41 * std::sqrt(2.0), 200, 10000});
    Run();
    EXPECT_NEAR(wb.splCurve[0], -3.2, 0.05);
    EXPECT_NEAR(wb.phaseCurve[0], 90, 0.01);
    EXPECT_NEAR(wb.splCurve[1], -0.06, 0.005);
    EXPECT_NEAR(wb.splCurve[2], 0, 1e-4);

    // A series resistor equal to R(e) halves the voltage: 6.02 dB down in the passband.
    wb.seriesResistance = wb.driver.re;
    Run();
    EXPECT_NEAR(wb.splCurve[2], -6.02, 0.005);
    const WorkingValues w = Working();
    EXPECT_DOUBLE_EQ(w.qes, 1.2);
    EXPECT_DOUBLE_EQ(w.qts, 1.2 * 2.6 / 3.8);
    EXPECT_DOUBLE_EQ(w.p, 0.5);
}

TEST_F(Model, ClosedBoxPhaseDelayAndSlope)
{
    wb.closed2.vbCuFt = wb.driver.vasCuFt;
    std::vector<double> hz;
    for (double f = 1; f < 100000; f *= 1.1)
        hz.push_back(f);
    SetFrequencies(hz);
    Run();
    const int n = wb.storedPoints();
    for (int i = 0; i < n; ++i) {
        EXPECT_GE(wb.phaseCurve[i], 0);
        EXPECT_LT(wb.phaseCurve[i], 360);
        EXPECT_GT(wb.delayCurve[i], 0); // a minimum-phase high-pass delays everything
    }
    EXPECT_GT(wb.phaseCurve[0], 178); // 1 Hz
    EXPECT_LT(wb.phaseCurve[n - 1], 1);
    // 12 dB per octave far below f(c)
    SetFrequencies({2, 4});
    Run();
    EXPECT_NEAR(wb.splCurve[1] - wb.splCurve[0], 12.04, 0.02);
}

TEST_F(Model, ClosedBoxImpedancePeakIgnoresTheSeriesResistor)
{
    // The designed sample box on the calculation grid of a new project: the largest value is at
    // the grid point 58.97 Hz, next to f(c) = 59.16 Hz.
    wb.closed2.qtc = 0.707;
    ASSERT_TRUE(engine::CalcBoxVolume(wb));
    engine::FillFrequencyGrid(wb, *engine::PlanFrequencyGrid(doc.plot));
    for (double rs : {0.0, 6.3}) {
        wb.seriesResistance = rs;
        Run();
        const int n = wb.storedPoints();
        const auto peak =
            std::max_element(wb.impedanceCurve.begin(), wb.impedanceCurve.begin() + n);
        EXPECT_NEAR(*peak, 33.59, 0.005) << rs;
        EXPECT_NEAR(wb.frequencies[peak - wb.impedanceCurve.begin()], 59, 0.05) << rs;
    }
}

TEST_F(Model, ClosedBoxImpedanceWithoutInductanceIsReAndResAtResonance)
{
    wb.closed2.qtc = 0.707;
    ASSERT_TRUE(engine::CalcBoxVolume(wb));
    wb.driver.le = 0;
    const double fc = 41 * std::sqrt(wb.driver.vasCuFt / wb.closed2.vbCuFt + 1);
    SetFrequencies({fc});
    Run();
    EXPECT_NEAR(wb.impedanceCurve[0], 6.3 + 2.6 / 0.6 * 6.3, 1e-6);
    const auto [f, z] = ImpedancePeak(fc - 2, fc + 2);
    EXPECT_NEAR(f, fc, 0.01);
    EXPECT_NEAR(z, 6.3 + 2.6 / 0.6 * 6.3, 1e-6);
}

TEST_F(Model, ExcursionIsPeakAndFollowsPower)
{
    // Far below f(c) the cone follows the static compliance: X = sqrt(2 P Re) Bl Cms... here the
    // scale only: four times the power doubles the excursion.
    wb.closed2.vbCuFt = wb.driver.vasCuFt;
    SetFrequencies({5});
    Run();
    const double one = wb.excursionCurve[0];
    wb.inputPower = 4;
    Run();
    EXPECT_NEAR(wb.excursionCurve[0], 2 * one, 1e-9);
}

TEST_F(Model, VentedBoxTuningNotchesTheExcursion)
{
    doc.SetBoxType(BoxType::Vented4);
    wb.vented4.vbCuFt = 2;
    wb.vented4.fb = 40;
    SetFrequencies({20, 40, 80});
    Run();
    EXPECT_LT(wb.excursionCurve[1], wb.excursionCurve[0] / 10);
    EXPECT_LT(wb.excursionCurve[1], wb.excursionCurve[2]);
    // The impedance dips between its two peaks, near the tuning.
    EXPECT_LT(wb.impedanceCurve[1], 12);
}

TEST_F(Model, KindsSwitchedOffAreZeroAndFlaggedOff)
{
    wb.closed2.vbCuFt = 3;
    wb.phaseCurve.fill(7);
    show.showPhase = 0;
    show.showImpedance = 0;
    SetFrequencies({20, 50});
    Run();
    EXPECT_EQ(wb.hasPhase, 0);
    EXPECT_EQ(wb.hasImpedance, 0);
    EXPECT_EQ(wb.hasDelay, 1);
    EXPECT_EQ(wb.phaseCurve[0], 0);
    EXPECT_EQ(wb.phaseCurve[1], 0);
    EXPECT_EQ(wb.phaseCurve[2], 7); // beyond the grid: untouched
    EXPECT_EQ(wb.impedanceCurve[1], 0);
    EXPECT_EQ(wb.responseShown, 1);
}

// Six-pole model: 3rd order closed box, 5th and 6th order bandpass boxes

struct SixPole : Model {
    void SetUp() override
    {
        doc.SetBoxType(BoxType::Closed3);
        wb.closed3.vbCuFt = 1;
        wb.closed3.c1 = 100000;
        wb.closed3.qb = 7;
    }
};

TEST_F(SixPole, ReferenceValues)
{
    wb.hasPhase = wb.hasDelay = wb.hasImpedance = 1; // stale flags of an earlier closed box
    SetFrequencies({20, 41, 80, 200});
    Run();
    EXPECT_NEAR(wb.splCurve[0], -24.63, 0.005);
    EXPECT_NEAR(wb.splCurve[1], -11.50, 0.005);
    EXPECT_NEAR(wb.splCurve[2], -0.33, 0.005);
    EXPECT_NEAR(wb.splCurve[3], 0.70, 0.005);
    EXPECT_NEAR(wb.excursionCurve[0], 0.8906, 0.00005);
    EXPECT_NEAR(wb.excursionCurve[1], 0.9605, 0.00005);
    EXPECT_EQ(wb.hasPhase, 0);
    EXPECT_EQ(wb.hasDelay, 0);
    EXPECT_EQ(wb.hasImpedance, 0);

    wb.closed3.c1 = 400;
    Run();
    EXPECT_NEAR(wb.splCurve[0], -34.29, 0.005);
    EXPECT_NEAR(wb.splCurve[2], 0.08, 0.005);
}

TEST_F(SixPole, HugeCapacitorMatchesTheClosedBox)
{
    // With n(0) derived from f(s), V(as) and Q(es) the electro-mechanical coupling of the
    // six-pole model is the driver's own, so the two models must agree.
    for (int isobaric : {1, 2}) {
        wb.isobaricFactor = isobaric;
        wb.driver.eta0 = 2.7e-6 * 41 * 41 * 41 * wb.driver.vasCuFt / wb.driver.qes;
        wb.closed3.c1 = 1e9;
        wb.closed2.vbCuFt = wb.closed3.vbCuFt = 1.5;
        std::vector<double> hz = {10, 20, 30, 41, 60, 80, 100, 200, 500};
        SetFrequencies(hz);
        Run();
        const CSpkSys third = wb;
        doc.SetBoxType(BoxType::Closed2);
        Run();
        for (std::size_t i = 0; i < hz.size(); ++i) {
            EXPECT_NEAR(third.splCurve[i], wb.splCurve[i], 0.1) << hz[i] << " Hz, I " << isobaric;
            EXPECT_NEAR(third.excursionCurve[i] / wb.excursionCurve[i], 1, 0.01)
                << hz[i] << " Hz, I " << isobaric;
        }
        doc.SetBoxType(BoxType::Closed3);
    }
}

TEST_F(SixPole, WithoutEfficiencyTheCouplingVanishes)
{
    wb.driver.spl = 0;
    wb.driver.eta0 = 0;
    wb.driver.qes = 0;
    SetFrequencies({20, 80});
    Run();
    EXPECT_EQ(wb.excursionCurve[0], 0);
    EXPECT_TRUE(std::isfinite(wb.splCurve[0]));
}

TEST_F(SixPole, EfficiencyIsDerivedEvenWithoutExcursion)
{
    wb.driver.eta0 = 0;
    show.showExcursion = 0;
    SetFrequencies({50});
    Run();
    EXPECT_DOUBLE_EQ(wb.driver.eta0, 0.977);
}

TEST_F(SixPole, BandpassBoxesPeakInTheirPassband)
{
    for (BoxType type : {BoxType::Bandpass5, BoxType::Bandpass6}) {
        doc.SetBoxType(type);
        BandpassCommon& b =
            type == BoxType::Bandpass5 ? static_cast<BandpassCommon&>(wb.bandpass5) : wb.bandpass6;
        b.vb1CuFt = 1;
        b.vb2CuFt = 1;
        b.fb2 = 60;
        SetFrequencies({15, 60, 1000});
        Run();
        EXPECT_GT(wb.splCurve[1], wb.splCurve[0] + 15) << BoxTypeName(type);
        EXPECT_GT(wb.splCurve[1], wb.splCurve[2] + 10) << BoxTypeName(type);
    }
}

// Four-pole model: 4th order symmetric bandpass box

struct FourPole : Model {
    void SetUp() override
    {
        doc.SetBoxType(BoxType::Bandpass4);
        wb.bandpass4.vb1CuFt = 1;
        wb.bandpass4.vb2CuFt = 1;
        wb.bandpass4.fb2 = 60;
        wb.bandpass4.qtc = 0.707;
    }
};

TEST_F(FourPole, ReferenceValues)
{
    SetFrequencies({20, 41, 60, 100, 200});
    Run();
    const double expected[] = {-23.077, -3.854, -3.457, -7.307, -19.187};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(wb.splCurve[i], expected[i], 0.0005) << wb.frequencies[i];
    EXPECT_LT(wb.excursionCurve[2], 0.005);
    EXPECT_LT(wb.excursionCurve[2], wb.excursionCurve[0] / 50);

    // The series resistor belongs to the closed and vented boxes only.
    const double at60 = wb.splCurve[2];
    wb.seriesResistance = 6.3;
    Run();
    EXPECT_DOUBLE_EQ(wb.splCurve[2], at60);
}

TEST_F(FourPole, HugeLossQsMatchTheLosslessBox)
{
    wb.bandpass4.ql2 = wb.bandpass4.qa2 = 1e12;
    std::vector<double> hz = {10, 20, 41, 60, 100, 200, 500};
    SetFrequencies(hz);
    Run();
    // Driver in its rear chamber (Tc, Q(tc)) coupled through Tx to the front Helmholtz resonator.
    const double k = 0.028317 / (1.18 * 344.8 * 344.8);
    const double cas = wb.driver.vasCuFt * k, cab = 1 * k, cap = 1 * k;
    const double ct = cab * cas / (cab + cas);
    const double tc = 1 / (6.283185307 * 41 * std::sqrt(wb.driver.vasCuFt + 1));
    const double tb = 1 / (6.283185307 * 60);
    const double tx2 = ct * tb * tb / cap;
    for (std::size_t i = 0; i < hz.size(); ++i) {
        const std::complex<double> s(0, 6.283185307 * hz[i]);
        const auto d =
            (1.0 + s * tc / 0.707 + s * s * tc * tc) * (1.0 + s * s * tb * tb) + s * s * tx2;
        const double ideal = 20 * std::log10(std::abs(s * s * tc * tc / d));
        EXPECT_NEAR(wb.splCurve[i], ideal, 1e-6) << hz[i];
    }
}

} // namespace
} // namespace cw
