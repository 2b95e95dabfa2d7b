#include "CliRunner.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

namespace cw
{
namespace
{

using test::CliTest;

constexpr const char* kVentedBox =
    "calc --box 4OVB --set vented4.vbLiters=60 --set vented4.vbCuFt=2.12 --set vented4.fb=35 "
    "--set vented4.svSqM=0.003 --limits";

std::vector<std::string> SplitRow(const std::string& line)
{
    std::vector<std::string> cells;
    std::istringstream in(line + ",");
    for (std::string cell; std::getline(in, cell, ',');)
        cells.push_back(cell);
    return cells;
}

// A CSV cell and the JSON value of the same point: both empty, or the same number or name.
void ExpectSame(const std::string& cell, const nlohmann::json& value, const std::string& where)
{
    if (value.is_null())
        EXPECT_EQ(cell, "") << where;
    else if (value.is_string())
        EXPECT_EQ(cell, value.get<std::string>()) << where;
    else
        EXPECT_EQ(std::stod(cell), value.get<double>()) << where;
}

TEST_F(CliTest, LimitsOfAVentedBoxAsCsvAndJson)
{
    const auto csvPath = dir / "limits.csv", jsonPath = dir / "limits.json";
    const auto run = Run(std::string(kVentedBox) + " --csv '" + csvPath.string() + "' --json '" +
                         jsonPath.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::istringstream csv(test::ReadText(csvPath));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "frequency_hz,max_spl_db,max_power_w,excursion_mm,vent_velocity_ms,limit");
    const nlohmann::json json = nlohmann::json::parse(test::ReadText(jsonPath));
    const nlohmann::json& points = json.at("points");
    ASSERT_EQ(points.size(), 383u);
    std::size_t row = 0;
    std::set<std::string> limits;
    for (; std::getline(csv, line); ++row) {
        ASSERT_LT(row, points.size());
        const std::vector<std::string> cells = SplitRow(line);
        ASSERT_EQ(cells.size(), 6u) << line;
        const nlohmann::json& p = points[row];
        const char* keys[] = {"frequency_hz", "max_spl_db",       "max_power_w",
                              "excursion_mm", "vent_velocity_ms", "limit"};
        for (std::size_t k = 0; k < 6; ++k)
            ExpectSame(cells[k], p.at(keys[k]), line);
        limits.insert(cells[5]);
    }
    EXPECT_EQ(row, points.size());
    EXPECT_EQ(limits, (std::set<std::string>{"excursion", "thermal", "vent"}));

    // The sentence names the bands that the points make.
    const std::string sentence = json.at("sentence");
    EXPECT_EQ(sentence.rfind("Excursion limits below ", 0), 0u) << sentence;
    const nlohmann::json& bands = json.at("bands");
    ASSERT_GE(bands.size(), 3u);
    EXPECT_EQ(bands[0].at("low_hz"), points[0].at("frequency_hz"));
    EXPECT_EQ(bands[1].at("limit"), "vent");
    EXPECT_NE(sentence.find("the vent from " +
                            std::to_string(std::lround(bands[1].at("low_hz").get<double>()))),
              std::string::npos)
        << sentence;
}

TEST_F(CliTest, LimitsWithoutAnyGivenLeaveTheirCellsEmpty)
{
    const auto run = Run("calc --box 2OCB --set closed2.vbLiters=40 --set closed2.vbCuFt=1.41 "
                         "--set driver.xMax=0 --set driver.pt=0 --limits --csv -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream csv(run.out);
    std::string line;
    std::getline(csv, line);
    std::getline(csv, line);
    const std::vector<std::string> cells = SplitRow(line);
    ASSERT_EQ(cells.size(), 6u) << line;
    EXPECT_EQ(cells[0], "10");
    EXPECT_EQ(cells[1], "");
    EXPECT_EQ(cells[2], "");
    EXPECT_GT(std::stod(cells[3]), 0); // the excursion at P(in) is still there
    EXPECT_EQ(cells[4], "");
    EXPECT_EQ(cells[5], "");

    const auto json = Run("calc --box 2OCB --set closed2.vbLiters=40 --set closed2.vbCuFt=1.41 "
                          "--set driver.xMax=0 --set driver.pt=0 --limits --json -");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j.at("sentence"),
              "There is no maximum: the driver gives no X(max) and no P(t), and the box has no "
              "vent.");
    EXPECT_TRUE(j.at("points")[0].at("limit").is_null());
}

TEST_F(CliTest, LimitsIsASwitchForTheOutputs)
{
    const auto alone = Run("calc --box 2OCB --limits");
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_NE(alone.err.find("--limits is written with --csv or --json."), std::string::npos);
    const auto valued = Run("calc --box 2OCB --limits=yes --csv -");
    EXPECT_EQ(valued.exitCode, 2);
    EXPECT_NE(valued.err.find("--limits takes no value."), std::string::npos);
    // Without --limits the CSV is still the curves.
    const auto curves = Run("calc --box 2OCB --csv -");
    EXPECT_EQ(curves.out.rfind("frequency_hz,spl_db,", 0), 0u);
}

// A saved vented box drawn as the Limits window and printed as the Limits report; the report is
// one page of its own, never mixed with a calculator's.
TEST_F(CliTest, LimitsWindowAndReportOfASavedProject)
{
    const std::string project = (dir / "vented.spk").string();
    ASSERT_EQ(Run("calc --box 4OVB --set vented4.vbLiters=60 --set vented4.vbCuFt=2.12 --set "
                  "vented4.fb=35 --set vented4.svSqM=0.003 --save '" +
                  project + "'")
                  .exitCode,
              0);

    const auto pdf = dir / "limits.pdf", png = dir / "limits.png", svg = dir / "limits.svg";
    ASSERT_EQ(Run("report '" + project + "' --limits --pdf '" + pdf.string() + "'").exitCode, 0);
    EXPECT_EQ(test::ReadText(pdf).rfind("%PDF", 0), 0u);
    ASSERT_EQ(Run("plot '" + project + "' --limits --png '" + png.string() + "'").exitCode, 0);
    EXPECT_EQ(test::ReadText(png).rfind("\x89PNG", 0), 0u);
    ASSERT_EQ(Run("plot '" + project + "' --limits --svg '" + svg.string() + "'").exitCode, 0);
    EXPECT_NE(test::ReadText(svg).find("Vent Velocity Limit"), std::string::npos);

    const auto both = Run("report '" + project + "' --limits --crossover 2 --pdf x.pdf");
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_EQ(both.err.rfind("report draws one page: give only one of --crossover, --box-page "
                             "and --limits.\nUsage:",
                             0),
              0u)
        << both.err;
}

} // namespace
} // namespace cw
