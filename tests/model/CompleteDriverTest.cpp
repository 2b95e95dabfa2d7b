#include "model/CompleteDriver.h"

#include "model/DriverParams.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace cw
{
namespace
{

int CountNotes(const std::string& text, const char* note)
{
    int count = 0;
    for (auto pos = text.find(note); pos != std::string::npos; pos = text.find(note, pos + 1))
        ++count;
    return count;
}

TEST(DriverParams, HasNinetyEightFieldsAndTheSampleWoofer)
{
    DriverParams d = SampleDriver();
    int fields = 0;
    DriverParams::Fields(d, [&](const char*, auto& field) {
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::array<std::string, 10>> ||
                      std::is_same_v<T, std::array<double, 10>>)
            fields += 10;
        else
            ++fields;
    });
    EXPECT_EQ(fields, 98);
    EXPECT_EQ(d.fs, 41);
    EXPECT_EQ(d.qts, 0.49);
    EXPECT_EQ(d.vasCuFt, 3.18);
    EXPECT_EQ(d.boltCircleIn, 7.835);
    EXPECT_EQ(d.description, "This is a fictitious driver!");
    EXPECT_EQ(d.coilWireGauge, "");
    EXPECT_EQ(DriverParams{}.fs, 0);
    EXPECT_EQ(DriverParams{}.manufacturer, "");
}

TEST(CompleteDriver, EstimatesXmaxAndSdFromTheNominalDiameter)
{
    DriverParams d;
    d.nominalDiameterIn = 8;
    CompleteDriver::EstimateDriver(d);
    EXPECT_DOUBLE_EQ(d.nominalDiameterMm, 203.2);
    EXPECT_DOUBLE_EQ(d.xMax, 4.06);

    DriverParams e;
    e.nominalDiameterMm = 200;
    CompleteDriver::EstimateDriver(e);
    EXPECT_DOUBLE_EQ(e.xMax, 4);
    EXPECT_DOUBLE_EQ(e.sdSqM, 0.0201);
    EXPECT_EQ(e.sdSqIn, 0); // the inch copy is left as it was
    EXPECT_EQ(e.description, std::string(CompleteDriver::kXmaxNote) + CompleteDriver::kSdNote);

    // Values already given are kept and leave no note.
    DriverParams sample = SampleDriver();
    CompleteDriver::EstimateDriver(sample);
    EXPECT_EQ(sample.xMax, 6);
    EXPECT_EQ(sample.sdSqM, 0.025);
    EXPECT_EQ(sample.description, "This is a fictitious driver!");
}

TEST(CompleteDriver, SdFromSquareInchesNeedsNoNote)
{
    DriverParams d;
    d.nominalDiameterMm = 200;
    d.xMax = 5;
    d.sdSqIn = 31;
    CompleteDriver::EstimateDriver(d);
    EXPECT_DOUBLE_EQ(d.sdSqM, 0.02);
    EXPECT_DOUBLE_EQ(d.sdSqIn, 31);
    EXPECT_EQ(d.description, "");
}

TEST(CompleteDriver, SmallDriversAndMissingDiametersStillLeaveTheirNotes)
{
    DriverParams d;
    d.nominalDiameterMm = 40;
    CompleteDriver::EstimateDriver(d);
    EXPECT_EQ(d.sdSqM, 0);
    EXPECT_EQ(CountNotes(d.description, CompleteDriver::kSdNote), 1);

    // Without a diameter xMax stays 0, and its note is appended on every run.
    DriverParams none;
    CompleteDriver::EstimateDriver(none);
    CompleteDriver::EstimateDriver(none);
    EXPECT_EQ(none.xMax, 0);
    EXPECT_EQ(CountNotes(none.description, CompleteDriver::kXmaxNote), 2);
    EXPECT_EQ(CountNotes(none.description, CompleteDriver::kSdNote), 0);
}

TEST(CompleteDriver, EfficiencyAndSensitivityAreDerivedFromEachOther)
{
    DriverParams a;
    a.spl = 92;
    CompleteDriver::EfficiencyFromSensitivity(a);
    EXPECT_DOUBLE_EQ(a.eta0, 0.977);
    EXPECT_EQ(a.description, CompleteDriver::kEfficiencyNote);

    DriverParams b;
    b.fs = 41;
    b.eta0 = 1.0;
    EXPECT_TRUE(CompleteDriver::CompleteSensitivity(b, 1));
    EXPECT_DOUBLE_EQ(b.spl, 92.1);
    EXPECT_EQ(b.description, CompleteDriver::kSplFromEfficiencyNote);

    DriverParams c;
    c.fs = 41;
    c.vasCuFt = 3.18;
    c.qes = 0.6;
    EXPECT_TRUE(CompleteDriver::CompleteSensitivity(c, 1));
    EXPECT_DOUBLE_EQ(c.eta0, 0.986);
    EXPECT_DOUBLE_EQ(c.spl, 92.0);
    EXPECT_EQ(c.description, CompleteDriver::kSplFromSmallSignalNote);

    // An isobaric pair halves V(as).
    DriverParams iso = c;
    iso.spl = iso.eta0 = 0;
    iso.description.clear();
    EXPECT_TRUE(CompleteDriver::CompleteSensitivity(iso, 2));
    EXPECT_DOUBLE_EQ(iso.eta0, 0.493);

    // Nothing to derive from, or nothing missing: no change, no note.
    DriverParams nothing;
    nothing.fs = 41;
    EXPECT_FALSE(CompleteDriver::CompleteSensitivity(nothing, 1));
    DriverParams sample = SampleDriver();
    EXPECT_FALSE(CompleteDriver::CompleteSensitivity(sample, 1));
    EXPECT_EQ(sample.description, "This is a fictitious driver!");
}

TEST(CompleteDriver, VasLitersAndWorkingRe)
{
    DriverParams d;
    d.vasCuFt = 2;
    CompleteDriver::FillVasLiters(d);
    EXPECT_DOUBLE_EQ(d.vasLiters, 56.634);
    d.vasCuFt = 3;
    CompleteDriver::FillVasLiters(d);
    EXPECT_DOUBLE_EQ(d.vasLiters, 56.634);

    d.nominalImpedance = 8;
    EXPECT_DOUBLE_EQ(CompleteDriver::WorkingRe(d), 6.4);
    EXPECT_EQ(d.re, 0);
    d.re = 6.3;
    EXPECT_DOUBLE_EQ(CompleteDriver::WorkingRe(d), 6.3);
}

TEST(CompleteDriver, NaNCountsAsNotGiven)
{
    DriverParams d;
    d.nominalDiameterMm = 200;
    d.xMax = std::nan("");
    CompleteDriver::EstimateXmax(d);
    EXPECT_DOUBLE_EQ(d.xMax, 4);
}

} // namespace
} // namespace cw
