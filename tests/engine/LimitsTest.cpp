#include "engine/Limits.h"

#include "model/CSpkSysDoc.h"
#include "model/SoundLevel.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>

namespace cw
{
namespace
{

using engine::Limit;

constexpr double kRho = 1.18; // kg/m³
constexpr double kC = 344.8;  // m/s
constexpr double kPi = 3.14159265358979;

// A driver given by its small-signal values, with the electro-mechanical values they imply, and a
// system designed around it: the workbench of a document after Calculate Response.
struct LimitsTest : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();

    // Driver
    double fs = 30, qes = 0.4, qms = 4, vasLiters = 60, sd = 0.05, re = 6;

    void SetUp() override
    {
        DriverParams& d = wb.driver;
        d = DriverParams{};
        d.fs = fs;
        d.qes = qes;
        d.qms = qms;
        d.qts = qes * qms / (qes + qms);
        d.vasLiters = vasLiters;
        d.vasCuFt = vasLiters / 28.317;
        d.sdSqM = sd;
        d.re = re;
        d.xMax = 6;
        d.pt = 100;
        d.spl = 90;
        wb.inputPower = 10;
    }

    void Vented(double liters, double fb, double qb, double ventSqM)
    {
        wb.boxTypeName = std::string(BoxTypeName(BoxType::Vented4));
        wb.vented4.vbLiters = liters;
        wb.vented4.vbCuFt = liters / 28.317;
        wb.vented4.fb = fb;
        wb.vented4.qb = qb;
        wb.vented4.svSqM = ventSqM;
    }

    void Closed(double liters)
    {
        wb.boxTypeName = std::string(BoxTypeName(BoxType::Closed2));
        wb.closed2.vbLiters = liters;
        wb.closed2.vbCuFt = liters / 28.317;
    }

    engine::Limits Calculate(double velocityLimit = kDefaultVentVelocityLimit)
    {
        EXPECT_TRUE(doc.CalculateResponse());
        return engine::CalculateLimits(wb, velocityLimit);
    }

    // The peak pressure in the box of a lumped circuit: the driver (R(e), Bl, M(ms), C(ms), R(ms),
    // S(D)) driven by a sine of power P into R(e), loading a box of compliance C(ab) with leakage
    // R(al) in parallel with a branch of acoustic impedance z(f) (a vent or radiators).
    template <class Branch>
    std::complex<double> CircuitBoxPressure(double f, double power, double cab, double ral,
                                            Branch branch) const
    {
        using C = std::complex<double>;
        const double ws = 2 * kPi * fs, w = 2 * kPi * f;
        const double cms = vasLiters / 1000 / (kRho * kC * kC * sd * sd);
        const double mms = 1 / (ws * ws * cms);
        const double bl2 = ws * mms * re / qes;
        const double rms = ws * mms / qms;
        const C j(0, 1);
        const C zBox = 1.0 / (j * w * cab + 1.0 / ral + 1.0 / branch(w));
        const C zMech = bl2 / re + rms + j * w * mms + 1.0 / (j * w * cms) + sd * sd * zBox;
        const double voltage = std::sqrt(2 * power * re);  // peak
        const C u = std::sqrt(bl2) * voltage / re / zMech; // cone velocity, m/s
        return sd * u * zBox;
    }

    static double Compliance(double liters) { return liters / 1000 / (kRho * kC * kC); }

    // The peak air velocity in the vent, with the leakage's Q(L) at F(B).
    double CircuitVentVelocity(double f, double power, double liters, double fb, double ql,
                               double ventSqM) const
    {
        const double wbx = 2 * kPi * fb, cab = Compliance(liters);
        const double mav = 1 / (wbx * wbx * cab);
        const std::complex<double> j(0, 1);
        auto vent = [&](double w) { return j * w * mav; };
        return std::abs(CircuitBoxPressure(f, power, cab, ql / (wbx * cab), vent) /
                        (j * 2.0 * kPi * f * mav)) /
               ventSqM;
    }
};

TEST_F(LimitsTest, VentVelocityAgreesWithTheLumpedCircuit)
{
    for (const double fb : {25.0, 40.0}) {
        Vented(60, fb, 7, 0.01);
        const engine::Limits l = Calculate();
        ASSERT_EQ(l.frequencies.size(), static_cast<std::size_t>(wb.storedPoints()));
        for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
            const double expected = CircuitVentVelocity(l.frequencies[i], 10, 60, fb, 7, 0.01);
            EXPECT_NEAR(l.ventVelocity[i], expected, 0.01 * expected)
                << "F(B) " << fb << " Hz at " << l.frequencies[i] << " Hz";
        }
    }
}

// P(in) drives all N drivers together: two drivers at twice the power in twice the box with twice
// the vent area are two copies of one, and their voice coils take twice P(t).
TEST_F(LimitsTest, TwoDriversShareThePowerTheBoxAndTheVents)
{
    wb.driver.xMax = 0;
    Vented(60, 30, 7, 0.01);
    const engine::Limits one = Calculate();
    wb.driverCount = 2;
    wb.inputPower = 20;
    Vented(120, 30, 7, 0.02);
    const engine::Limits two = Calculate();
    for (std::size_t i = 0; i < one.frequencies.size(); ++i) {
        EXPECT_NEAR(two.ventVelocity[i], one.ventVelocity[i], 1e-9 * one.ventVelocity[i]);
        EXPECT_NEAR(two.maxPower[i], 2 * one.maxPower[i], 1e-9 * one.maxPower[i]);
        EXPECT_EQ(two.binding[i], one.binding[i]);
    }
}

TEST_F(LimitsTest, ClosedBoxHasNoVentVelocity)
{
    Closed(40);
    const engine::Limits l = Calculate();
    ASSERT_FALSE(l.frequencies.empty());
    for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
        EXPECT_TRUE(std::isnan(l.ventVelocity[i]));
        EXPECT_NE(l.binding[i], Limit::Vent);
        EXPECT_GT(l.excursion[i], 0);
    }
    EXPECT_EQ(l.sentence.find("vent"), std::string::npos) << l.sentence;
}

// P_max is the least of P(t), P(in)(X(max)/x)² and P(in)(v(max)/v)², the binding limit is the one
// that gives it, and the maximum SPL is the SPL at P(in) raised by P_max / P(in).
TEST_F(LimitsTest, MaximumPowerAndSplFollowFromTheCurves)
{
    Vented(60, 30, 7, 0.006);
    wb.modelDiffraction = 1;
    const engine::Limits l = Calculate();
    const double level = SoundLevelOffset(wb);
    int seen[4] = {};
    for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
        const double byExcursion = 10 * std::pow(6 / l.excursion[i], 2);
        const double byVent = 10 * std::pow(17 / l.ventVelocity[i], 2);
        const double least = std::min({100.0, byExcursion, byVent});
        EXPECT_NEAR(l.maxPower[i], least, 1e-9 * least);
        const Limit expected = least == 100.0         ? Limit::Thermal
                               : least == byExcursion ? Limit::Excursion
                                                      : Limit::Vent;
        EXPECT_EQ(l.binding[i], expected) << l.frequencies[i] << " Hz";
        ++seen[static_cast<int>(l.binding[i])];
        // The workbench's SPL curve carries the diffraction loss, as the maximum must.
        EXPECT_NEAR(l.maxSpl[i], wb.splCurve[i] + level + 10 * std::log10(least / 10), 1e-9);
    }
    // This design meets all three.
    EXPECT_GT(seen[static_cast<int>(Limit::Thermal)], 0);
    EXPECT_GT(seen[static_cast<int>(Limit::Excursion)], 0);
    EXPECT_GT(seen[static_cast<int>(Limit::Vent)], 0);
    EXPECT_EQ(seen[static_cast<int>(Limit::None)], 0);
}

TEST_F(LimitsTest, TheDriveLevelDoesNotMoveTheMaximum)
{
    Vented(60, 30, 7, 0.006);
    const engine::Limits at10 = Calculate();
    wb.inputPower = 1;
    const engine::Limits at1 = Calculate();
    for (std::size_t i = 0; i < at1.frequencies.size(); ++i) {
        EXPECT_NEAR(at1.maxPower[i], at10.maxPower[i], 1e-9 * at10.maxPower[i]);
        EXPECT_NEAR(at1.maxSpl[i], at10.maxSpl[i], 1e-9);
        EXPECT_EQ(at1.binding[i], at10.binding[i]);
    }
    EXPECT_EQ(at1.sentence, at10.sentence);
}

// A record calculated with the excursion hidden (a memory, say) gets the same limits, from the
// response calculated again; the record itself is left as it was.
TEST_F(LimitsTest, HiddenCurvesAreCalculatedAgain)
{
    Vented(60, 30, 7, 0.006);
    wb.modelDiffraction = 1;
    const engine::Limits shown = Calculate();
    doc.display.showExcursion = 0;
    doc.display.showSpl = 0;
    ASSERT_TRUE(doc.CalculateResponse());
    const CSpkSys before = wb;
    const engine::Limits hidden = engine::CalculateLimits(wb);
    EXPECT_EQ(wb.hasExcursion, 0);
    EXPECT_EQ(wb.excursionCurve, before.excursionCurve);
    ASSERT_EQ(hidden.frequencies.size(), shown.frequencies.size());
    for (std::size_t i = 0; i < shown.frequencies.size(); ++i) {
        EXPECT_NEAR(hidden.maxSpl[i], shown.maxSpl[i], 1e-9);
        EXPECT_NEAR(hidden.ventVelocity[i], shown.ventVelocity[i], 1e-9 * shown.ventVelocity[i]);
        EXPECT_EQ(hidden.binding[i], shown.binding[i]);
    }
    EXPECT_EQ(hidden.sentence, shown.sentence);
}

// The vent allows four times the power at twice the velocity limit.
TEST_F(LimitsTest, TheVelocityLimitScalesTheVentsPower)
{
    Vented(60, 30, 7, 0.006);
    wb.driver.xMax = 0;
    wb.driver.pt = 0;
    const engine::Limits at17 = Calculate();
    const engine::Limits at34 = engine::CalculateLimits(wb, 34);
    for (std::size_t i = 0; i < at17.frequencies.size(); ++i)
        EXPECT_NEAR(at34.maxPower[i], 4 * at17.maxPower[i], 1e-9 * at34.maxPower[i]);
}

TEST_F(LimitsTest, SentenceBandsMatchThePerPointLimits)
{
    Vented(60, 30, 7, 0.006);
    const engine::Limits l = Calculate();
    ASSERT_GE(l.bands.size(), 3u);
    EXPECT_EQ(l.bands.front().lowHz, l.frequencies.front());
    EXPECT_EQ(l.bands.back().highHz, l.frequencies.back());
    std::size_t band = 0;
    for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
        if (band + 1 < l.bands.size() && l.frequencies[i] >= l.bands[band + 1].lowHz)
            ++band;
        EXPECT_EQ(l.binding[i], l.bands[band].limit) << l.frequencies[i] << " Hz";
    }
    for (std::size_t k = 1; k < l.bands.size(); ++k) {
        EXPECT_NE(l.bands[k].limit, l.bands[k - 1].limit);
        EXPECT_EQ(l.bands[k].lowHz, l.bands[k - 1].highHz);
    }
    // The words name the same bands in order, with the same boundaries.
    std::string words;
    for (std::size_t k = 0; k < l.bands.size(); ++k) {
        const char* name = l.bands[k].limit == Limit::Thermal     ? "the voice coil"
                           : l.bands[k].limit == Limit::Excursion ? "xcursion"
                                                                  : "the vent";
        const std::size_t at = l.sentence.find(name, words.size());
        ASSERT_NE(at, std::string::npos) << l.sentence;
        words = l.sentence.substr(0, at + 1);
    }
    const std::string first = std::to_string(std::lround(l.bands[0].highHz)) + " Hz";
    EXPECT_NE(l.sentence.find("below " + first), std::string::npos) << l.sentence;
    EXPECT_NE(l.sentence.find("above " + std::to_string(std::lround(l.bands.back().lowHz))),
              std::string::npos)
        << l.sentence;
    EXPECT_EQ(l.sentence.back(), '.');
}

TEST_F(LimitsTest, MissingDriverValuesTakeNoPartAndAreNamed)
{
    Vented(60, 30, 7, 0.006);
    wb.driver.xMax = 0;
    engine::Limits l = Calculate();
    for (std::size_t i = 0; i < l.frequencies.size(); ++i)
        EXPECT_NE(l.binding[i], Limit::Excursion);
    EXPECT_NE(l.sentence.find("no X(max)"), std::string::npos) << l.sentence;
    EXPECT_EQ(l.sentence.find("no P(t)"), std::string::npos) << l.sentence;

    wb.driver.pt = 0;
    l = Calculate();
    for (std::size_t i = 0; i < l.frequencies.size(); ++i)
        EXPECT_EQ(l.binding[i], Limit::Vent);
    EXPECT_NE(l.sentence.find("no P(t)"), std::string::npos) << l.sentence;
    EXPECT_EQ(l.sentence.rfind("The vent limits at every frequency", 0), 0u) << l.sentence;

    // Nothing given: no maximum anywhere, said in words; the curves at the drive remain.
    wb.vented4.svSqM = 0;
    l = Calculate();
    for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
        EXPECT_EQ(l.binding[i], Limit::None);
        EXPECT_TRUE(std::isnan(l.maxPower[i]));
        EXPECT_TRUE(std::isnan(l.maxSpl[i]));
        EXPECT_TRUE(std::isnan(l.ventVelocity[i]));
        EXPECT_GT(l.excursion[i], 0);
    }
    EXPECT_EQ(l.sentence.rfind("There is no maximum", 0), 0u) << l.sentence;
    EXPECT_NE(l.sentence.find("S(v)"), std::string::npos) << l.sentence;
}

TEST_F(LimitsTest, RecordsThatAllowNoLimitsSaySo)
{
    Closed(40);
    EXPECT_NE(engine::CalculateLimits(wb).sentence.find("calculate the response first"),
              std::string::npos);
    Calculate();
    wb.inputPower = 0;
    const engine::Limits l = engine::CalculateLimits(wb);
    EXPECT_TRUE(l.frequencies.empty());
    EXPECT_NE(l.sentence.find("P(in)"), std::string::npos) << l.sentence;
}

// Passive radiators in place of the vent: each a mass, compliance and loss on its own area.
TEST_F(LimitsTest, PassiveRadiatorsExcursionAgreesWithTheLumpedCircuitAndLimits)
{
    wb.boxTypeName = std::string(BoxTypeName(BoxType::Radiator));
    RadiatorBox& b = wb.radiator;
    b.vbLiters = 40;
    b.vbCuFt = 40 / 28.317;
    b.prCount = 2;
    b.prAddedMassG = 60;
    b.prXmaxMm = 4;
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    const engine::Limits l = Calculate();
    ASSERT_EQ(wb.hasRadiator, 1);

    const double sp = b.prSdSqM, count = b.prCount;
    const double cmp = b.prVasLiters / 1000 / (kRho * kC * kC * sp * sp);
    const double own = 1 / (std::pow(2 * kPi * b.prFs, 2) * cmp);
    const double mmp = own + b.prAddedMassG / 1000;
    const double rmp = 2 * kPi * b.prFs * own / b.prQms;
    const double cab = Compliance(b.vbLiters);
    const double cap = count * cmp * sp * sp, map = mmp / (count * sp * sp);
    const double wp = std::sqrt((1 / cab + 1 / cap) / map);
    const std::complex<double> j(0, 1);
    auto radiators = [&](double w) {
        return (rmp + j * w * mmp + 1.0 / (j * w * cmp)) / (count * sp * sp);
    };
    bool bound = false;
    for (int i = 0; i < wb.storedPoints(); ++i) {
        const double f = wb.frequencies[i], w = 2 * kPi * f;
        const std::complex<double> p = CircuitBoxPressure(f, 10, cab, b.qb / (wp * cab), radiators);
        const double expected = std::abs(p / radiators(w)) / (w * sp * count) * 1000; // mm
        ASSERT_NEAR(wb.radiatorCurve[i], expected, 0.01 * expected) << f << " Hz";

        // Each limit allows P(in) x (its maximum / its value)²; the radiators' too.
        const double allowed = 10 * std::pow(4 / wb.radiatorCurve[i], 2);
        EXPECT_LE(l.maxPower[i], allowed * (1 + 1e-9)) << f << " Hz";
        if (l.binding[i] == Limit::Radiator) {
            EXPECT_NEAR(l.maxPower[i], allowed, 1e-9 * allowed);
            bound = true;
        }
    }
    EXPECT_TRUE(bound) << l.sentence;
    EXPECT_NE(l.sentence.find("the passive radiators"), std::string::npos) << l.sentence;

    b.prXmaxMm = 0;
    EXPECT_NE(engine::CalculateLimits(wb).sentence.find("The passive radiators give no X(max)"),
              std::string::npos);
}

} // namespace
} // namespace cw
