#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

namespace cw
{
namespace
{

namespace fs = std::filesystem;

class CompareCommand : public test::CliTest
{
protected:
    double fc = 0;

    // The sample driver in a closed box of Q(tc) 0.707, calculated, and stored in Sys 2 under a
    // name that CSV must quote.
    std::string Project()
    {
        auto doc = std::make_unique<CSpkSysDoc>();
        CSpkSys& wb = doc->workbench();
        wb.closed2.qtc = 0.707;
        EXPECT_TRUE(doc->CalcBoxVolume());
        EXPECT_TRUE(doc->CalcFc());
        EXPECT_TRUE(doc->CalculateResponse());
        fc = wb.closed2.fc;
        wb.systemName = "small, \"sealed\"";
        doc->StoreSystem(2);
        const fs::path path = dir / "p.spk";
        std::ofstream(path) << SerializeProject(*doc);
        return "'" + path.string() + "'";
    }
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CompareCommand, CsvHasARowPerDesignedSystem)
{
    const std::string project = Project();
    const test::CliRun run = Run("compare " + project);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[0].rfind("system,name,box_type,f3_hz,f6_hz,f10_hz,", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(",vb_cuft,"), std::string::npos);
    EXPECT_NE(lines[0].find(",max_spl_20hz_db,limit_20hz,"), std::string::npos);
    EXPECT_EQ(lines[2].rfind("2,\"small, \"\"sealed\"\"\",2nd Order Closed Box,", 0), 0u)
        << lines[2];
    // F3 is the fourth cell: f(c) for this alignment.
    std::string cells = lines[1].substr(lines[1].find("Box,") + 4);
    EXPECT_NEAR(std::stod(cells), fc, 0.003 * fc);
    // A closed box has no vent: the last cell is empty.
    EXPECT_EQ(lines[1].back(), ',');
}

TEST_F(CompareCommand, JsonKeysAreTheCsvColumnsWithNullForNone)
{
    const std::string project = Project();
    const fs::path out = dir / "t.json";
    const test::CliRun run =
        Run("compare " + project + " --units metric --json '" + out.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Wrote"), std::string::npos);
    const auto json = nlohmann::json::parse(test::ReadText(out));
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0]["system"], 0);
    EXPECT_EQ(json[1]["system"], 2);
    EXPECT_EQ(json[1]["name"], "small, \"sealed\"");
    EXPECT_NEAR(json[0]["f3_hz"].get<double>(), fc, 0.003 * fc);
    EXPECT_TRUE(json[0]["vb_l"].is_number());
    EXPECT_TRUE(json[0]["vb2_l"].is_null());
    EXPECT_TRUE(json[0]["vent_velocity_ms"].is_null());
    EXPECT_TRUE(json[0]["limit_30hz"].is_string());
}

TEST_F(CompareCommand, RefusesBadUsageAndMissingFiles)
{
    const std::string project = Project();
    EXPECT_EQ(Run("compare " + project + " --csv a.csv --json b.json").exitCode, 2);
    EXPECT_EQ(Run("compare " + project + " --units imperial").exitCode, 2);
    EXPECT_EQ(Run("compare").exitCode, 2);
    const test::CliRun missing = Run("compare '" + (dir / "none.spk").string() + "'");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(missing.err.empty());
}

} // namespace
} // namespace cw
