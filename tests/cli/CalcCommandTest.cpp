#include "CliRunner.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <vector>

namespace cw
{
namespace
{

using test::CliTest;

// The CSV's rows split into cells; the header is row 0.
std::vector<std::vector<std::string>> Cells(const std::string& csv)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells(1);
        for (char c : line) {
            if (c == ',')
                cells.emplace_back();
            else
                cells.back() += c;
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

double Number(const std::string& cell)
{
    double v = std::nan("");
    std::from_chars(cell.data(), cell.data() + cell.size(), v);
    return v;
}

TEST_F(CliTest, CurvesOfTheDesignedSampleBox)
{
    const auto run = Run("calc --box 2OCB --edit closed2.qtc=0.707 --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto rows = Cells(run.out);
    ASSERT_EQ(rows.size(), 1u + 383u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"frequency_hz", "spl_db", "excursion_mm", "phase_deg",
                                        "delay_ms", "impedance_ohm", "radiator_mm"}));
    EXPECT_EQ(rows[1][0], "10");
    EXPECT_EQ(rows[51][0], "20");
    // Phase, delay and impedance are not shown in a new project: empty cells.
    EXPECT_EQ(rows[1].size(), 7u);
    EXPECT_EQ(rows[1][3], "");
    EXPECT_EQ(rows[1][5], "");
    // A Q(tc) of 0.707 box: -3 dB at f(c) = 59.16 Hz, flat far above it.
    EXPECT_NEAR(Number(rows[383][1]), 0, 0.01);
    EXPECT_LT(Number(rows[129][1]), -3.01); // 58.97 Hz
    EXPECT_GT(Number(rows[130][1]), -3.01); // 59.79 Hz
    EXPECT_GT(Number(rows[1][2]), 1);
}

TEST_F(CliTest, ShownCurvesAndLimits)
{
    const auto run = Run("calc --edit closed2.qtc=0.707 --show spl,imp --high 20000 --low 5 "
                         "--csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto rows = Cells(run.out);
    // 5 Hz to 20 kHz: 50 x log2(4000) = 598.3, so 599 points.
    ASSERT_EQ(rows.size(), 1u + 599u);
    EXPECT_EQ(rows[1][0], "5");
    EXPECT_EQ(rows[1][2], "");
    EXPECT_GT(Number(rows[1][5]), 6);
}

TEST_F(CliTest, NewProjectRunsTheFamily)
{
    const auto run = Run("calc --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Cells(run.out).size(), 1u + 383u); // the base design's curves
}

TEST_F(CliTest, UsageErrorsShowTheUsage)
{
    for (const char* arguments :
         {"", "frobnicate", "calc --nonsense 1", "calc --box", "calc --box 7OXB",
          "calc --units imperial", "calc --set nosuch=1", "calc --set driver.qts=abc",
          "calc --set driverCount=1.5", "calc --set closed2", "calc --run CalcEverything",
          "calc --show spl,noise", "calc --low 5000", "calc --high 10 --low 10", "calc --edit fs",
          "calc --edit vented4.fb=40", "calc --edit closed2.vbLiters=80"}) {
        const auto run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << arguments;
    }
}

TEST_F(CliTest, DataErrorsGiveTheWindowsMessage)
{
    auto run = Run("calc --set driver.fs=0 --csv -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "There is no driver loaded. \nWould you like to load a Driver?\n");
    EXPECT_EQ(run.out, "");

    run = Run("calc --edit closed2.qtc=0.3");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Q(ts) of 0.49"), std::string::npos);

    run = Run("calc --edit closed2.qtc=0.707 --set closed2.qb=0 --csv -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("left empty"), std::string::npos);
}

TEST_F(CliTest, EditsUseTheUnitsOfThePanels)
{
    // Metric: the liters copy is the panel's, and the cubic feet follow.
    auto run = Run("calc --units metric --edit closed2.vbLiters=83.19 --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto metric = Cells(run.out);
    run = Run("calc --edit closed2.vbCuFt=2.9379 --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto english = Cells(run.out);
    EXPECT_NEAR(Number(metric[130][1]), Number(english[130][1]), 1e-3);
}

TEST_F(CliTest, RunsACalculatorPage)
{
    auto run = Run("calc --run Xover1OBW --set xover2OBW.frequency=2500 --run Xover2OBW --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const nlohmann::json system = nlohmann::json::parse(run.out);
    EXPECT_EQ(system["xover1OBW"]["c1"], 19.89);
    EXPECT_EQ(system["xover1OBW"]["l1"], 1.273);
    EXPECT_EQ(system["xover2OBW"]["c1"], 5.627);
    EXPECT_EQ(system["xover2OBW"]["l1"], 0.7203);
    EXPECT_EQ(system["xover2OLR"]["c1"], 0); // only the page named runs

    // A zero it would divide by keeps the results, as the page does.
    run = Run("calc --set xover1OBW.frequency=0 --run Xover1OBW --json -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Xover1OBW gives no usable result with these values; the results were "
                       "kept.\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, EditsGiveWhatThePanelsGive)
{
    // The vent length shown at four digits is stored back by the next edit, as on the panel.
    auto run = Run("calc --units metric --box 4OSBP --edit bandpass4.vb2Liters=50 "
                   "--edit bandpass4.fb2=40 --edit bandpass4.svSqM=0.01 "
                   "--edit bandpass4.vb1Liters=50 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["bandpass4"]["lvM"], 0.2946);
    // A new volume of the vented chamber designs the vent length anew instead.
    run = Run("calc --units metric --box 4OVB --edit vented4.vbLiters=50 --edit vented4.fb=40 "
              "--edit vented4.svSqM=0.01 --edit vented4.vbLiters=50 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(nlohmann::json::parse(run.out)["vented4"]["lvM"].get<double>(), 0.29465, 1e-6);

    // The driver panel, drawn again, keeps the feet at four digits.
    run = Run("calc --edit splDistanceM=3 --edit closed2.qtc=0.707 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["splDistanceFt"], 9.842);
}

TEST_F(CliTest, APassiveRadiatorBoxDesignedByTyping)
{
    // 30 liters with the sample radiator: a typed F(P) finds the added mass, a typed mass and a
    // second radiator find F(P) again; the English copies follow the typed metric ones.
    auto run = Run("calc --box PRB --units metric --edit radiator.vbLiters=30 "
                   "--edit radiator.fp=30 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json system = nlohmann::json::parse(run.out);
    EXPECT_EQ(system["boxTypeName"], "Passive Radiator Box");
    EXPECT_EQ(system["radiator"]["prAddedMassG"], 132.7);
    EXPECT_EQ(system["radiator"]["vbCuFt"], 1.0594);
    EXPECT_EQ(system["hasRadiator"], 1);
    EXPECT_GT(system["radiatorCurve"][100].get<double>(), 0);

    run = Run("calc --box PRB --units metric --edit radiator.vbLiters=30 "
              "--edit radiator.prCount=2 --edit radiator.prXmaxMm=10 --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    system = nlohmann::json::parse(run.out);
    EXPECT_EQ(system["radiator"]["fp"], 62.61); // 28 x sqrt(1 + 2 x 60 / 30)
    EXPECT_EQ(system["radiator"]["prXmaxIn"], 0.3937);

    // A tuning the radiator cannot reach is refused with the panel's sentence.
    run = Run("calc --box PRB --units metric --edit radiator.vbLiters=30 "
              "--edit radiator.prAddedMassG=50 "
              "--edit radiator.fp=60");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("negative added mass"), std::string::npos) << run.err;
}

TEST_F(CliTest, OptionsActInTheirOrder)
{
    // The box type set last decides which block a later edit belongs to.
    auto run = Run("calc --box 4OVB --box 2OCB --edit closed2.qtc=0.707 --csv -");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    run = Run("calc --edit closed2.qtc=0.707 --box 4OVB --csv -");
    EXPECT_EQ(run.exitCode, 0) << run.err; // the vented box is not designed: its family runs
    EXPECT_EQ(Cells(run.out).size(), 1u + 383u);
}

} // namespace
} // namespace cw
