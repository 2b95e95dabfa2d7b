#include "calculators/NetworkResponse.h"

#include "calculators/CrossoverPages.h"
#include "calculators/NetworkDesign.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace cw::calc
{
namespace
{

// The designed networks simulated into their loads. Their components are stored with four
// digits, up to 0.05 % off the exact design; over the cases below that moves no level by more
// than 0.005 dB and no phase by more than 0.05 degree, so levels are held to 0.01 dB and phases
// to 0.1 degree.
constexpr double kDb = 0.01;
constexpr double kDegrees = 0.1;
const double kMinus3 = 20 * std::log10(1 / std::numbers::sqrt2); // -3.0103 dB
const double kMinus6 = 20 * std::log10(0.5);                     // -6.0206 dB

struct Case {
    double zt, zw, f;
};
// 4 and 8 Ohm loads, equal and mixed, crossovers from 500 Hz to 5 kHz.
constexpr Case kCases[] = {
    {8, 8, 1000}, {4, 4, 500}, {4, 8, 2500}, {8, 4, 5000}, {8, 8, 3000},
};
// Where the sums are looked at, relative to the crossover frequency.
constexpr double kRatios[] = {0.1, 0.25, 0.5, 0.8, 1, 1.25, 2, 4, 10};

template <class Group> Group Designed(const Case& c, bool (*calc)(Group&))
{
    Group g;
    g.tweeterImpedance = c.zt;
    g.wooferImpedance = c.zw;
    g.frequency = c.f;
    EXPECT_TRUE(calc(g));
    return g;
}

struct Drive {
    Complex tweeter, woofer;
};

Drive At(const NetworkCircuit& n, double hz)
{
    const auto s = n.circuit.Solve(hz);
    EXPECT_TRUE(s);
    if (!s)
        return {};
    return {s->ElementVoltage(n.tweeter), s->ElementVoltage(n.woofer)};
}

double Db(Complex v)
{
    return 20 * std::log10(std::abs(v));
}
double PowerSumDb(const Drive& d)
{
    return 10 * std::log10(std::norm(d.tweeter) + std::norm(d.woofer));
}
double Degrees(Complex v)
{
    return std::arg(v) * 180 / std::numbers::pi;
}

TEST(ButterworthCrossovers, EachSectionIsThreeDecibelsDownAtTheCrossover)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.zt << "/" << c.zw << " Ohms, " << c.f << " Hz");
        for (const NetworkCircuit& n : {Xover1OBWCircuit(Designed(c, CalcXover1OBW)),
                                        Xover2OBWCircuit(Designed(c, CalcXover2OBW)),
                                        Xover3OBWCircuit(Designed(c, CalcXover3OBW))}) {
            const Drive d = At(n, c.f);
            EXPECT_NEAR(Db(d.tweeter), kMinus3, kDb);
            EXPECT_NEAR(Db(d.woofer), kMinus3, kDb);
        }
    }
}

TEST(ButterworthCrossovers, PowerSumIsFlatAndFirstAndThirdOrderSumsAreFlatToo)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.zt << "/" << c.zw << " Ohms, " << c.f << " Hz");
        const NetworkCircuit first = Xover1OBWCircuit(Designed(c, CalcXover1OBW));
        const NetworkCircuit second = Xover2OBWCircuit(Designed(c, CalcXover2OBW));
        const NetworkCircuit third = Xover3OBWCircuit(Designed(c, CalcXover3OBW));
        for (double ratio : kRatios) {
            SCOPED_TRACE(ratio);
            const double hz = ratio * c.f;
            for (const NetworkCircuit* n : {&first, &second, &third})
                EXPECT_NEAR(PowerSumDb(At(*n, hz)), 0, kDb);
            // 1st order: the outputs add up to the input in level and phase; 3rd order: an
            // all-pass sum, flat in level.
            const Drive d1 = At(first, hz);
            EXPECT_NEAR(Db(d1.tweeter + d1.woofer), 0, kDb);
            EXPECT_NEAR(Degrees(d1.tweeter + d1.woofer), 0, kDegrees);
            const Drive d3 = At(third, hz);
            EXPECT_NEAR(Db(d3.tweeter + d3.woofer), 0, kDb);
        }
    }
}

TEST(ButterworthCrossovers, SecondOrderSumRisesThreeDecibelsWithTheTweeterReversed)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.zt << "/" << c.zw << " Ohms, " << c.f << " Hz");
        const Drive d = At(Xover2OBWCircuit(Designed(c, CalcXover2OBW)), c.f);
        // Reversed, the two outputs are in phase at the crossover and add to +3.01 dB; connected
        // the other way round they would cancel.
        EXPECT_NEAR(Degrees(d.tweeter / d.woofer), 0, kDegrees);
        EXPECT_NEAR(Db(d.tweeter + d.woofer), -kMinus3, kDb);
        EXPECT_LT(Db(d.woofer - d.tweeter), -40);
    }
}

TEST(LinkwitzRileyCrossovers, SixDecibelsDownInPhaseAndAFlatSum)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.zt << "/" << c.zw << " Ohms, " << c.f << " Hz");
        const NetworkCircuit second = Xover2OBWCircuit(Designed(c, CalcXover2OLR));
        const NetworkCircuit fourth = Xover4OLRCircuit(Designed(c, CalcXover4OLR));
        for (const NetworkCircuit* n : {&second, &fourth}) {
            const Drive d = At(*n, c.f);
            EXPECT_NEAR(Db(d.tweeter), kMinus6, kDb);
            EXPECT_NEAR(Db(d.woofer), kMinus6, kDb);
            EXPECT_NEAR(Degrees(d.tweeter / d.woofer), 0, kDegrees);
            for (double ratio : kRatios) {
                const Drive r = At(*n, ratio * c.f);
                EXPECT_NEAR(Db(r.tweeter + r.woofer), 0, kDb) << ratio;
            }
        }
    }
}

TEST(LinkwitzRileyCrossovers, AZobelCompensatedWooferIsAsGoodAsAResistor)
{
    // A woofer of 6.4 Ohms and 0.8 mH with its Zobel, given to the crossover as a complex load.
    InductanceComp zobel;
    zobel.driverImpedance = 6.4;
    zobel.driverLe = 0.8;
    ASSERT_TRUE(CalcInductanceComp(zobel));
    const NetworkCircuit woofer = InductanceCompCircuit(zobel, true);
    const ImpedanceFn load = [&woofer](double hz) {
        return woofer.circuit.Solve(hz)->InputImpedance();
    };
    const Xover4OLR g = Designed(Case{8, 6.4, 2000}, CalcXover4OLR);
    const NetworkCircuit intoDriver = Xover4OLRCircuit(g, {{}, load});
    const NetworkCircuit intoResistor = Xover4OLRCircuit(g);
    for (double ratio : kRatios) {
        const Drive real = At(intoDriver, ratio * 2000);
        const Drive ideal = At(intoResistor, ratio * 2000);
        EXPECT_NEAR(Db(real.woofer), Db(ideal.woofer), kDb) << ratio;
        EXPECT_NEAR(Db(real.tweeter + real.woofer), 0, kDb) << ratio;
    }
}

// The frequency between f/4 and 4 f where the tweeter's and the woofer's levels are equal (the
// tweeter's share rises with frequency).
double EqualLevelHz(const NetworkCircuit& n, double f)
{
    double low = f / 4, high = 4 * f;
    for (int k = 0; k < 60; ++k) {
        const double mid = std::sqrt(low * high);
        const Drive d = At(n, mid);
        (std::abs(d.tweeter) < std::abs(d.woofer) ? low : high) = mid;
    }
    return std::sqrt(low * high);
}

TEST(SeriesCrossover, OutputsAddUpToTheInputAndCrossAtTheCrossover)
{
    // The page's cases, and impedances four times apart either way (4 Ohm tweeter, 16 Ohm woofer
    // at 2 kHz crossed at 3325 Hz with the equal-impedance equations).
    std::vector<Case> cases(std::begin(kCases), std::end(kCases));
    cases.insert(cases.end(), {{4, 16, 2000}, {16, 4, 2000}, {6, 3.2, 800}, {3.2, 8, 12000}});
    for (double zeta : {0.5, 0.707, 1.0, 1.5, 3.0}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "zeta " << zeta << ", " << c.zt << "/" << c.zw
                                            << " Ohms, " << c.f << " Hz");
            Xover1OS g;
            g.zeta = zeta;
            g.tweeterImpedance = c.zt;
            g.wooferImpedance = c.zw;
            g.frequency = c.f;
            ASSERT_TRUE(CalcXover1OS(g));
            const NetworkCircuit n = Xover1OSCircuit(g);
            for (double ratio : kRatios) {
                const Drive d = At(n, ratio * c.f);
                EXPECT_NEAR(std::abs(d.tweeter + d.woofer - 1.0), 0, 1e-12) << ratio;
            }
            // Within what the four-digit parts allow.
            EXPECT_NEAR(EqualLevelHz(n, c.f) / c.f, 1, 1e-3);
        }
    }
    // Critically damped into equal loads it is the classic first-order series crossover: each
    // output 3 dB down at the crossover and 6 dB per octave away from it.
    Xover1OS g;
    g.zeta = 1;
    ASSERT_TRUE(CalcXover1OS(g));
    const NetworkCircuit n = Xover1OSCircuit(g);
    EXPECT_NEAR(Db(At(n, 1000).tweeter), kMinus3, kDb);
    EXPECT_NEAR(Db(At(n, 1000).woofer), kMinus3, kDb);
    EXPECT_NEAR(Db(At(n, 100).tweeter), 20 * std::log10(0.1 / std::sqrt(1.01)), kDb);
    EXPECT_NEAR(Db(At(n, 10000).woofer), 20 * std::log10(0.1 / std::sqrt(1.01)), kDb);
}

TEST(InductanceCompensator, MakesTheVoiceCoilLookResistive)
{
    struct Coil {
        double re, le;
    };
    for (const Coil& coil : {Coil{6.4, 0.8}, Coil{3.2, 0.25}, Coil{7, 1.5}, Coil{8, 0.05}}) {
        SCOPED_TRACE(testing::Message() << coil.re << " Ohms, " << coil.le << " mH");
        InductanceComp g;
        g.driverImpedance = coil.re;
        g.driverLe = coil.le;
        ASSERT_TRUE(CalcInductanceComp(g));
        const NetworkCircuit bare = InductanceCompCircuit(g, false);
        const NetworkCircuit compensated = InductanceCompCircuit(g, true);
        for (double hz : {20.0, 200.0, 1000.0, 5000.0, 20000.0}) {
            const Complex z = compensated.circuit.Solve(hz)->InputImpedance();
            EXPECT_NEAR(std::abs(z) / coil.re, 1, 1e-3) << hz;
            EXPECT_NEAR(Degrees(z), 0, kDegrees) << hz;
        }
        EXPECT_GT(Degrees(bare.circuit.Solve(20000)->InputImpedance()), 10);
    }
}

// A driver's impedance near resonance: R(e) in series with the motional R(es) || L(ces) || C(mes).
ImpedanceFn DriverImpedance(double re, double fs, double qes, double qms)
{
    const double ws = 2 * std::numbers::pi * fs;
    const double res = re * qms / qes, cmes = qes / (ws * re), lces = re / (ws * qes);
    return [=](double hz) {
        const Complex s(0, 2 * std::numbers::pi * hz);
        return re + 1.0 / (1 / res + 1.0 / (s * lces) + s * cmes);
    };
}

// The modelled driver with the designed network across it, as the amplifier sees them.
Complex Compensated(const ImpedanceFn& driver, const ResonanceComp& g, double hz)
{
    Circuit c;
    c.AddImpedance(Circuit::kInput, Circuit::kGround, driver);
    const int x = c.AddNode(), y = c.AddNode();
    c.AddCapacitor(Circuit::kInput, x, g.c1 / 1e6);
    c.AddInductor(x, y, g.l1 / 1000);
    c.AddResistor(y, Circuit::kGround, g.r1);
    return c.Solve(hz)->InputImpedance();
}

TEST(ResonanceCompensator, FlattensAModelledImpedancePeak)
{
    struct Driver {
        double re, fs, qes, qms;
    };
    for (const Driver& d : {Driver{6, 1500, 1.2, 2}, Driver{6.5, 40, 0.4, 4},
                            Driver{3.4, 800, 0.9, 3}, Driver{7.2, 2500, 2.5, 1.5}}) {
        SCOPED_TRACE(testing::Message() << d.re << " Ohms, " << d.fs << " Hz");
        const ImpedanceFn driver = DriverImpedance(d.re, d.fs, d.qes, d.qms);
        const double maxZ = d.re * (1 + d.qms / d.qes);
        EXPECT_NEAR(std::abs(driver(d.fs)), maxZ, 1e-9);
        ResonanceComp g;
        g.driverImpedance = d.re;
        g.driverFs = d.fs;
        g.driverQt = d.qes * d.qms / (d.qes + d.qms);
        ASSERT_TRUE(CalcResonanceComp(g, maxZ));
        for (double ratio : {0.1, 0.3, 0.7, 0.9, 1.0, 1.1, 1.5, 3.0, 10.0}) {
            const Complex z = Compensated(driver, g, ratio * d.fs);
            EXPECT_NEAR(std::abs(z) / d.re, 1, 2e-3) << ratio;
            EXPECT_NEAR(Degrees(z), 0, kDegrees) << ratio;
        }
    }
}

TEST(ResonanceCompensator, AnUnknownPeakIsEstimatedWithinTheStatedBand)
{
    // Drivers from heavily damped (Q(ms) = Q(es)) to nearly lossless, all with Q(t) 0.7.
    for (double ratio : {1.0, 2.0, 3.0, 5.0, 10.0, 30.0}) {
        SCOPED_TRACE(ratio);
        const double qes = 0.7 * (1 + ratio) / ratio;
        const ImpedanceFn driver = DriverImpedance(8, 1000, qes, ratio * qes);
        ResonanceComp g; // 8 Ohms, 1000 Hz
        g.driverQt = 0.7;
        ASSERT_TRUE(CalcResonanceComp(g, 0));
        for (double hz = 100; hz <= 10000; hz *= 1.02) {
            const double db = Db(Compensated(driver, g, hz) / 8.0);
            EXPECT_GE(db, -2.0) << hz;
            EXPECT_LE(db, 2.5) << hz;
        }
    }
}

TEST(TweeterAttenuator, AttenuatesWhileTheAmplifierSeesTheTweeter)
{
    for (double z : {4.0, 8.0}) {
        for (double db : {1.0, 3.0, 6.0, 10.0, 20.0}) {
            SCOPED_TRACE(testing::Message() << z << " Ohms, " << db << " dB");
            TweeterAtten g;
            g.tweeterImpedance = z;
            g.attenuation = db;
            g.maxTweeterPower = 50;
            ASSERT_TRUE(CalcTweeterAtten(g));
            const NetworkCircuit n = TweeterAttenCircuit(g);
            const auto s = n.circuit.Solve(1000);
            ASSERT_TRUE(s);
            EXPECT_NEAR(Db(s->ElementVoltage(n.tweeter)), -db, kDb);
            EXPECT_NEAR(std::abs(s->InputImpedance()) / z, 1, 1e-3);
            // Driven so that the tweeter takes its maximum power, the amplifier delivers what
            // R1, R2 and the tweeter take together.
            const double scale = g.maxTweeterPower / s->ElementPower(n.tweeter);
            const double input = scale * s->InputCurrent().real();
            EXPECT_NEAR((g.p1 + g.p2 + g.maxTweeterPower) / input, 1, 1e-3);
        }
    }
}

TEST(NetworkResponses, EveryPageGivesItsCurves)
{
    CSpkSys s;
    const std::vector<double> hz = {20, 1000, 20000};
    EXPECT_FALSE(CrossoverPageResponse(s, 0, hz)); // nothing designed yet
    for (int page = 0; page < kCrossoverPageCount; ++page)
        ASSERT_TRUE(CalculateCrossoverPage(s, page));
    s.inductanceComp.driverLe = 0.5;
    ASSERT_TRUE(CalculateCrossoverPage(s, 7));

    const char* const crossover[] = {"Tweeter", "Woofer", "Sum"};
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        SCOPED_TRACE(page);
        const auto r = CrossoverPageResponse(s, page, hz);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->frequencies, hz);
        for (const NetworkCurve& c : r->curves) {
            EXPECT_EQ(c.magnitude.size(), hz.size());
            EXPECT_EQ(c.phase.size(), hz.size());
        }
        if (page <= 5) {
            ASSERT_EQ(r->curves.size(), 3u);
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(r->curves[k].name, crossover[k]);
                EXPECT_EQ(r->curves[k].kind, CurveKind::Transfer);
            }
            // Woofer in the pass band at 20 Hz, tweeter at 20 kHz.
            EXPECT_NEAR(r->curves[1].magnitude[0], 0, 0.1);
            EXPECT_NEAR(r->curves[0].magnitude[2], 0, 0.1);
        }
    }
    const auto resonance = CrossoverPageResponse(s, 6, hz);
    EXPECT_EQ(resonance->curves[0].name, "Driver");
    EXPECT_EQ(resonance->curves[1].name, "Compensated");
    EXPECT_EQ(resonance->curves[0].kind, CurveKind::Impedance);
    EXPECT_NEAR(resonance->curves[0].magnitude[1], 32, 1e-6); // the estimated peak at f(s)
    EXPECT_NEAR(resonance->curves[1].magnitude[1], 8, 0.01);
    const auto atten = CrossoverPageResponse(s, 8, hz);
    EXPECT_EQ(atten->curves[1].name, "Input impedance");
    EXPECT_NEAR(atten->curves[0].magnitude[1], -3, kDb);
    EXPECT_NEAR(atten->curves[1].magnitude[1], 8, 0.01);

    EXPECT_FALSE(CrossoverPageResponse(s, 9, hz));
    EXPECT_FALSE(CrossoverPageResponse(s, 0, {0, 1000}));
    // A driver cut off completely is drawn at the floor, not at minus infinity.
    s.xover1OBW.c1 = 0;
    EXPECT_DOUBLE_EQ(CrossoverPageResponse(s, 0, hz)->curves[0].magnitude[1], -300);
}

} // namespace
} // namespace cw::calc
