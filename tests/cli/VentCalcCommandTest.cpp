#include "CliRunner.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <numbers>

namespace cw
{
namespace
{

using test::CliTest;

// The tuning of a chamber with a vent of total area sqM and length m, as a Helmholtz resonator
// with the vent's end correction 0.824 sqrt S, c = 344.8 m/s.
double TuningHz(double vbCuFt, double sqM, double m)
{
    const double volume = vbCuFt * 0.028316846592; // cubic metres
    return 344.8 / (2 * std::numbers::pi) *
           std::sqrt(sqM / (volume * (m + 0.824 * std::sqrt(sqM))));
}

// A vented box of 2 cu ft tuned to 40 Hz; its minimum vent area comes from the sample driver.
constexpr const char* kVentedBox = "calc --box 4OVB --edit vented4.vbCuFt=2 --edit vented4.fb=40 ";

TEST_F(CliTest, VentStartsAndEditsWriteTheVentBack)
{
    for (const char* units : {"english", "metric"}) {
        for (const char* start : {"TubeVentStart", "RectVentStart"}) {
            SCOPED_TRACE(std::string(units) + " " + start);
            const auto run =
                Run(std::string(kVentedBox) + "--units " + units + " --run " + start + " --json -");
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const nlohmann::json b = nlohmann::json::parse(run.out)["vented4"];
            EXPECT_GE(b["lvIn"].get<double>(), 0.75);
            EXPECT_NEAR(TuningHz(2, b["svSqM"], b["lvM"]) / 40, 1, 0.01);
            EXPECT_NEAR(TuningHz(2, b["svSqIn"].get<double>() * 0.00064516,
                                 b["lvIn"].get<double>() * 0.0254) /
                            40,
                        1, 0.01);
        }
    }

    // Typed into the page: two 3-inch tubes; a slot typed in metres with the units in inches.
    auto run = Run(std::string(kVentedBox) +
                   "--edit tubeVent.diameterIn=3 --edit tubeVent.count=2 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json b = nlohmann::json::parse(run.out)["vented4"];
    EXPECT_EQ(b["svSqIn"], 14.14);
    EXPECT_EQ(b["svSqM"], 0.009121); // from 76.2 mm
    EXPECT_NEAR(TuningHz(2, b["svSqM"], b["lvM"]) / 40, 1, 0.01);

    run = Run(std::string(kVentedBox) + "--edit rectVent.heightM=0.05 --edit rectVent.widthM=0.2 "
                                        "--edit rectVent.count=1 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    b = nlohmann::json::parse(run.out)["vented4"];
    EXPECT_EQ(b["svSqM"], 0.01);
    EXPECT_EQ(b["svSqIn"], 15.5); // 1.9685 x 7.874
    EXPECT_NEAR(TuningHz(2, b["svSqM"], b["lvM"]) / 40, 1, 0.01);
}

TEST_F(CliTest, VentCalculatorRefusals)
{
    auto run = Run("calc --box 2OCB --run TubeVentStart");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "You have a closed box selected.  \n\nPlease select a vented box type for "
                       "vent calculations.\n");
    run = Run("calc --box 3OCB --edit rectVent.count=2");
    EXPECT_EQ(run.exitCode, 1);

    // A tube without diameter has no length: the design keeps its vent and says why.
    run = Run(std::string(kVentedBox) + "--edit tubeVent.diameterIn=0");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tubeVent.diameterIn: Enter vent sizes and a count larger than zero. The "
                       "design was kept.\n");
    run = Run(std::string(kVentedBox) + "--edit tubeVent.count=2.5");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tubeVent.count: Please enter a positive integer.\n");
    run = Run(std::string(kVentedBox) + "--edit rectVent.widthIn=wide");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "rectVent.widthIn: Please enter a number.\n");
    run = Run("calc --box 4OVB --run RectVentStart");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "The design has no usable tuning frequency or box volume for a vent. The "
                       "design was kept.\n");
    run = Run(std::string(kVentedBox) + "--edit tubeVent.length=3");
    EXPECT_EQ(run.exitCode, 2);
}

} // namespace
} // namespace cw
