#include "CliRunner.h"

#include <nlohmann/json.hpp>

namespace cw
{
namespace
{

using test::CliTest;
using test::ReadText;
using Json = nlohmann::json;

TEST_F(CliTest, SavedFamilyKeepsTheTenMemories)
{
    const auto file = (dir / "family.spk").string();
    const auto run = Run("calc --save '" + file + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json project = Json::parse(ReadText(file));
    const Json& systems = project["systems"];
    ASSERT_EQ(systems.size(), 11u);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(systems[k]["hasSpl"], 1) << k;
        EXPECT_EQ(systems[k]["splCurve"].size(), 383u) << k;
    }
    EXPECT_EQ(systems[0]["closed2"]["qtc"], 0.5);
    EXPECT_EQ(systems[10]["closed2"]["qtc"], 1.2);

    // Opened again the box is designed: the workbench alone is calculated.
    const auto again =
        Run("calc --project '" + file + "' --edit closed2.qtc=0.707 --save '" + file + "'");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    const Json reopened = Json::parse(ReadText(file));
    EXPECT_EQ(reopened["systems"][10]["closed2"]["qtc"], 1.2);
    EXPECT_EQ(reopened["systems"][0]["closed2"]["vbLiters"], 83.19);
}

TEST_F(CliTest, WorkbenchAsJsonAfterADesignStep)
{
    const auto run = Run("calc --box 4OVB --set vented4.vbCuFt=2 --set vented4.vbLiters=56.6 "
                         "--set vented4.fb=40 --set vented4.svSqIn=7 --run CalcVentLength "
                         "--json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json wb = Json::parse(run.out);
    EXPECT_EQ(wb["boxTypeName"], "4th Order Vented Box");
    EXPECT_EQ(wb["vented4"]["lvIn"], 3.738);
    EXPECT_EQ(wb["vented4"]["lvM"], 0.094957);
    EXPECT_EQ(wb["pointCount"].get<double>() > 382, true);
    EXPECT_EQ(wb["splCurve"].size(), 383u);
}

TEST_F(CliTest, DriverThroughJsonAndBack)
{
    // The sample driver as the project holds it, into a driver file and out again.
    const auto json = Run("calc --edit closed2.qtc=0.707 --json -");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    Json driver = Json::parse(json.out)["driver"];
    driver["model"] = "Test Woofer \u00e9";
    driver["qts"] = 0.4;
    const auto in = dir / "driver.json", dvr = dir / "woofer.dvr";
    test::WriteBytes(in.string(), driver.dump());
    auto run = Run("driver --from-json '" + in.string() + "' --out '" + dvr.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = Run("driver '" + dvr.string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Json::parse(run.out), driver);

    // Opened in calc like "Open Driver...": the box volume stays and Q(tc) follows the driver.
    run = Run("calc --edit closed2.qtc=0.707 --driver '" + dvr.string() + "' --json -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json wb = Json::parse(run.out);
    EXPECT_EQ(wb["driver"]["model"], "Test Woofer \u00e9");
    EXPECT_EQ(wb["closed2"]["vbLiters"], 83.19);
    EXPECT_LT(wb["closed2"]["qtc"].get<double>(), 0.6);
}

TEST_F(CliTest, FileErrorsAndDriverUsage)
{
    auto run = Run("calc --driver '" + (dir / "missing.dvr").string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing.dvr"), std::string::npos);

    // An empty driver file is no driver: nothing is printed and the exit code says so.
    test::WriteBytes((dir / "empty.dvr").string(), "");
    run = Run("driver '" + (dir / "empty.dvr").string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Unexpected file format."), std::string::npos);

    test::WriteBytes((dir / "bad.spk").string(), "{\"format\": \"something else\"}");
    run = Run("calc --project '" + (dir / "bad.spk").string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("bad.spk"), std::string::npos);

    test::WriteBytes((dir / "bad.json").string(), "{\"fs\": \"forty\"}");
    run = Run("driver --from-json '" + (dir / "bad.json").string() + "' --out '" +
              (dir / "x.dvr").string() + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("fs must be a number"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.dvr"));

    for (const char* arguments : {"driver", "driver a.dvr b.dvr", "driver --from-json a.json",
                                  "driver --out b.dvr", "driver a.dvr --out b.dvr"}) {
        run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_NE(run.err.find("Usage:"), std::string::npos) << arguments;
    }
}

TEST_F(CliTest, SavesKeepReadOnlyFilesAndFollowDanglingLinks)
{
    const auto kept = (dir / "kept.spk").string(), json = (dir / "driver.json").string();
    test::WriteBytes(kept, "protected");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    auto run = Run("calc --save '" + kept + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "Unable to write to " + kept + ", it is read-only or opened by someone else.\n");
    EXPECT_EQ(ReadText(kept), "protected");

    // The link stays and the file it names is made.
    test::WriteBytes(json, "{}");
    std::filesystem::create_symlink("made.dvr", dir / "link.dvr");
    run = Run("driver --from-json '" + json + "' --out '" + (dir / "link.dvr").string() + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.dvr"));
    EXPECT_EQ(ReadText(dir / "made.dvr").size(), 563u);

    // "-" is the standard output for the driver and the project too; the input is no output.
    run = Run("driver --from-json '" + json + "' --out -");
    EXPECT_EQ(run.out, ReadText(dir / "made.dvr"));
    run = Run("calc --save -");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Json::parse(run.out)["format"], "conewright-project");
    run = Run("driver --from-json '" + json + "' --out '" + json + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("The output " + json + " is the file the command reads.\n", 0), 0u);
    EXPECT_EQ(ReadText(json), "{}");
}

} // namespace
} // namespace cw
