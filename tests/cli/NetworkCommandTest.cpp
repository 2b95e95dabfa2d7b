#include "calculators/CrossoverPages.h"
#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <vector>

namespace cw
{
namespace
{

class NetworkCommand : public test::CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        // A project whose 1st Order Butterworth page has been calculated, the others not.
        auto doc = std::make_unique<CSpkSysDoc>();
        calc::CalculateCrossoverPage(doc->workbench(), 0);
        std::ofstream(dir / "xover.spk") << SerializeProject(*doc);
    }

    std::string P(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

std::vector<std::vector<double>> Rows(const std::string& csv)
{
    std::vector<std::vector<double>> rows;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        std::vector<double> row;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ','))
            row.push_back(std::stod(cell));
        rows.push_back(row);
    }
    return rows;
}

TEST_F(NetworkCommand, WritesTheCalculatedNetworksResponse)
{
    const test::CliRun r = Run("network " + P("xover.spk") + " --crossover 0 --csv -");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "frequency_hz,tweeter_db,tweeter_phase_deg,woofer_db,woofer_phase_deg,sum_db,"
              "sum_phase_deg");
    const auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 121u);
    EXPECT_DOUBLE_EQ(rows.front()[0], 20);
    EXPECT_NEAR(rows.back()[0], 20000, 1e-9);
    // The tweeter rises out of the stop band, the woofer falls into it, and the first order
    // sections add up to the input at every frequency (within the four-digit rounding).
    EXPECT_LT(rows.front()[1], -30);
    EXPECT_NEAR(rows.back()[1], 0, 0.05);
    EXPECT_NEAR(rows.front()[3], 0, 0.05);
    EXPECT_LT(rows.back()[3], -20);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 7u);
        EXPECT_NEAR(row[5], 0, 0.01) << row[0];
    }
}

TEST_F(NetworkCommand, RefusesWhatItCannotWrite)
{
    const test::CliRun uncalculated =
        Run("network " + P("xover.spk") + " --crossover 8 --csv " + P("n.csv"));
    EXPECT_EQ(uncalculated.exitCode, 1);
    EXPECT_NE(uncalculated.err.find("has a component of 0"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "n.csv"));
    for (const std::string& args :
         {"network " + P("xover.spk") + " --csv -",
          "network " + P("xover.spk") + " --crossover 9 --csv -",
          "network " + P("xover.spk") + " --crossover 0",
          "report " + P("xover.spk") + " --crossover x --pdf " + P("r.pdf")}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(Run(args).exitCode, 2);
    }
}

TEST_F(NetworkCommand, AResonanceCompensatorWithoutAPeakIsRefusedWithTheReason)
{
    const test::CliRun run = Run("calc --run ResonanceComp --set resonanceCompMaxZ=8 "
                                 "--run ResonanceComp --json -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "ResonanceComp: Max Z (8 Ohms) must be above the Driver Impedance (8 "
                       "Ohms): it is the driver's impedance at the top of its resonance peak. "
                       "Enter 0 if it is unknown. The results were kept.\n");
    ASSERT_EQ(
        Run("calc --run ResonanceComp --set resonanceCompMaxZ=5 --save " + P("rc.spk")).exitCode,
        0);
    const test::CliRun network = Run("network " + P("rc.spk") + " --crossover 6 --csv -");
    EXPECT_EQ(network.exitCode, 1);
    EXPECT_EQ(network.out, "");
    EXPECT_NE(network.err.find("Max Z (5 Ohms) must be above the Driver Impedance (8 Ohms)"),
              std::string::npos)
        << network.err;
}

TEST_F(NetworkCommand, ReportsACrossoverPageInEitherOrientation)
{
    ASSERT_EQ(Run("report " + P("xover.spk") + " --crossover 3 --pdf " + P("r.pdf")).exitCode, 0);
    EXPECT_EQ(test::ReadText(dir / "r.pdf").rfind("%PDF", 0), 0U);
    const test::CliRun png =
        Run("report " + P("xover.spk") + " --crossover 0 --png " + P("r.png") + " --landscape");
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const std::string bytes = test::ReadText(dir / "r.png");
    ASSERT_GT(bytes.size(), 24u);
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) |
               (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) |
               static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_GT(be32(16), be32(20)); // wider than high
}

} // namespace
} // namespace cw
