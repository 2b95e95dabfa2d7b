#include "measure/ImpedanceFit.h"

#include "support/SynthesisedDriver.h"

#include <cmath>
#include <gtest/gtest.h>

namespace cw::measure
{
namespace
{

using test::Driver;
using test::Extra;
using test::Zma;

void ExpectWithin(double got, double want, double share, const char* what)
{
    EXPECT_NEAR(got, want, std::abs(want) * share) << what;
}

void ExpectFound(const ImpedanceModel& m, const Driver& d, const std::string& label)
{
    SCOPED_TRACE(label);
    ExpectWithin(m.fs, d.Fs(), 0.01, "f(s)");
    ExpectWithin(m.qms, d.Qms(), 0.01, "Q(ms)");
    ExpectWithin(m.qes, d.Qes(), 0.01, "Q(es)");
    ExpectWithin(m.re, d.re, 0.01, "R(e)");
}

Driver Lossy()
{
    Driver d;
    d.le = 0.25e-3;
    d.l2 = 1.1e-3;
    d.r2 = 9;
    return d;
}

TEST(ImpedanceFit, FindsTheDriverWithAndWithoutNoiseAndLossyInductance)
{
    for (const Driver& d : {Driver{}, Lossy()}) {
        for (double noise : {0.0, 0.01}) {
            for (bool phase : {true, false}) {
                const std::string label = std::string(d.l2 > 0 ? "lossy" : "plain") + ", noise " +
                                          std::to_string(noise) + (phase ? "" : ", no phase");
                ImpedanceFit fit;
                const auto error = FitImpedance(Zma(d, noise, phase), {}, fit);
                ASSERT_FALSE(error) << *error;
                ExpectFound(fit.model, d, label);
                EXPECT_EQ(fit.usedPhase, phase);
                if (noise == 0) {
                    EXPECT_LT(fit.rmsErrorPercent, 0.5) << label;
                    EXPECT_EQ(fit.judgement.rfind("A good fit", 0), 0u) << fit.judgement;
                }
                if (d.l2 == 0)
                    ExpectWithin(fit.model.le, d.le, 0.02, "L(e)");
            }
        }
    }
}

TEST(ImpedanceFit, ATypedReAndANarrowRangeAreHonoured)
{
    const Driver d = Lossy();
    ImpedanceFit fit;
    ASSERT_FALSE(FitImpedance(Zma(d, 0.01), {15, 400, 6.1}, fit));
    EXPECT_EQ(fit.model.re, 6.1);
    ExpectFound(fit.model, d, "typed R(e), 15 to 400 Hz");
}

TEST(ImpedanceFit, FindsTheMechanicalValuesByBothSecondMeasurements)
{
    for (const Driver& d : {Driver{}, Lossy()}) {
        DriverFitRequest request;
        request.freeAir = Zma(d, 0.01);
        request.sdSqM = d.sd;
        for (const auto method : {SecondMeasurement::AddedMass, SecondMeasurement::ClosedBox}) {
            request.method = method;
            request.addedMassGrams = 12;
            request.boxLiters = 35;
            request.second =
                Zma(method == SecondMeasurement::AddedMass ? d.Loaded(12) : d.Boxed(35), 0.01);
            DriverFit fit;
            const auto error = FitDriver(request, fit);
            ASSERT_FALSE(error) << *error;
            SCOPED_TRACE(method == SecondMeasurement::AddedMass ? "added mass" : "closed box");
            ExpectFound(fit.freeAir.model, d, "free air");
            ExpectWithin(fit.vasLiters, d.VasLiters(), 0.03, "V(as)");
            ExpectWithin(fit.mmsGrams, d.mms * 1000, 0.03, "M(ms)");
            ExpectWithin(fit.cmsMmPerN, d.cms * 1000, 0.03, "C(ms)");
            ExpectWithin(fit.bl, d.bl, 0.03, "BL");
            ExpectWithin(fit.rms, d.rms, 0.03, "R(ms)");
            EXPECT_GT(fit.eta0, 0);
        }
    }
}

TEST(ImpedanceFit, JudgesWhereTheModelStopsDescribingTheDriver)
{
    // A cone break-up at 3 kHz that no lumped driver model holds.
    const Extra breakup = [](double hz) {
        return std::complex<double>(8, 0) / std::complex<double>(1, 4 * (hz / 3000 - 3000 / hz));
    };
    ImpedanceFit fit;
    ASSERT_FALSE(FitImpedance(Zma(Driver{}, 0, true, breakup), {}, fit));
    EXPECT_GT(fit.rmsErrorPercent, 3);
    EXPECT_EQ(fit.judgement.rfind("The model does not describe this driver above ", 0), 0u)
        << fit.judgement;
    // Below the break-up the same curve fits well.
    ASSERT_FALSE(FitImpedance(Zma(Driver{}, 0, true, breakup), {10, 1000, 0}, fit));
    EXPECT_EQ(fit.judgement.rfind("A good fit", 0), 0u) << fit.judgement;
}

TEST(ImpedanceFit, RefusesCurvesWithoutAResonanceAndWrongSecondMeasurements)
{
    MeasuredCurve resistor = Zma(Driver{});
    std::fill(resistor.value.begin(), resistor.value.end(), 8.0);
    std::fill(resistor.phase.begin(), resistor.phase.end(), 0.0);
    ImpedanceFit fit;
    fit.rmsErrorPercent = 42;
    EXPECT_EQ(FitImpedance(resistor, {}, fit),
              "The impedance has no resonance peak between 10 Hz and 20 kHz.");
    EXPECT_EQ(FitImpedance(Zma(Driver{}), {30, 32, 0}, fit),
              "The range holds 5 points of the impedance; a fit needs at least 8.");
    EXPECT_EQ(FitImpedance(Zma(Driver{}), {20, 36, 0}, fit),
              "The impedance has no resonance peak between 20.1 Hz and 35.6 Hz.");
    EXPECT_EQ(FitImpedance(Zma(Driver{}), {33, 200, 0}, fit)
                  .value_or("")
                  .rfind("The resonance peak is not whole between 33", 0),
              0u);
    EXPECT_EQ(fit.rmsErrorPercent, 42) << "a refused fit leaves the previous one";

    const Driver d;
    DriverFitRequest request;
    request.freeAir = Zma(d);
    request.sdSqM = d.sd;
    request.method = SecondMeasurement::AddedMass;
    request.addedMassGrams = 12;
    request.second = Zma(d.Boxed(35)); // the box's curve given as the loaded one
    DriverFit driver;
    EXPECT_EQ(FitDriver(request, driver).value_or("").rfind("With the added mass the resonance", 0),
              0u);
    request.method = SecondMeasurement::ClosedBox;
    request.boxLiters = 35;
    request.second = Zma(d.Loaded(12));
    EXPECT_EQ(FitDriver(request, driver).value_or("").rfind("In the box the resonance", 0), 0u);
    request.boxLiters = 0;
    EXPECT_EQ(FitDriver(request, driver), "The box volume must be more than 0 liters.");
}

TEST(ImpedanceFit, LoadsTheDriverWithNotesNamingTheMeasurements)
{
    const Driver d;
    DriverFitRequest request;
    request.freeAir = Zma(d);
    request.freeAir.name = "free";
    request.sdSqM = d.sd;
    request.method = SecondMeasurement::AddedMass;
    request.addedMassGrams = 12;
    request.second = Zma(d.Loaded(12));
    request.second.name = "loaded";
    DriverFit fit;
    ASSERT_FALSE(FitDriver(request, fit));

    DriverParams driver;
    driver.model = "kept";
    driver.description = "Bought in 2019.";
    ApplyDriverFit(request, fit, driver);
    EXPECT_EQ(driver.model, "kept");
    EXPECT_NEAR(driver.fs, fit.freeAir.model.fs, 1e-3 * driver.fs);
    EXPECT_NEAR(driver.qts, d.Qms() * d.Qes() / (d.Qms() + d.Qes()), 0.01 * driver.qts);
    EXPECT_NEAR(driver.le, 0.8, 0.02);
    EXPECT_NEAR(driver.vasLiters, fit.vasLiters, 1e-3 * driver.vasLiters);
    EXPECT_EQ(driver.sdSqM, d.sd);
    EXPECT_EQ(driver.description,
              "Bought in 2019.\r\nNOTE: f(s), Q(ms), Q(es), Q(ts), R(e) and L(e) were fitted from "
              "the measured impedance \"free\".\r\nNOTE: V(as), M(ms), C(ms), BL, R(ms) and the "
              "efficiency were found with an added mass of 12 g (measured impedance \"loaded\").");
}

} // namespace
} // namespace cw::measure
