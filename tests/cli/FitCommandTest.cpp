#include "cli/CliRunner.h"
#include "driver/DriverFile.h"
#include "support/SynthesisedDriver.h"

#include <nlohmann/json.hpp>

namespace cw::test
{
namespace
{

struct FitCommand : CliTest {
    Driver driver;
    std::string free = Write("free.zma", Zma(driver, 0.01));

    std::string Write(const std::string& name, const MeasuredCurve& c) const
    {
        WriteBytes((dir / name).string(), ZmaText(c));
        return "'" + (dir / name).string() + "'";
    }
    std::string Path(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

TEST_F(FitCommand, PrintsAndWritesTheFreeAirValues)
{
    const auto printed = Run("fit " + free);
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_NE(printed.out.find("\nf(s)     38.0"), std::string::npos) << printed.out;
    EXPECT_NE(printed.out.find("A good fit"), std::string::npos) << printed.out;

    const auto json = Run("fit " + free + " --json -");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_NEAR(j["fs"].get<double>(), driver.Fs(), 0.01 * driver.Fs());
    EXPECT_NEAR(j["qts"].get<double>(), 0.572, 0.01);
    EXPECT_NEAR(j["le"].get<double>(), 0.8, 0.02);
    EXPECT_LT(j["rmsErrorPercent"].get<double>(), 2);
    EXPECT_FALSE(j.contains("vasLiters")) << "V(as) needs a second measurement";
}

TEST_F(FitCommand, BothSecondMeasurementsGiveTheDriverFile)
{
    const std::string loaded = Write("loaded.zma", Zma(driver.Loaded(12), 0.01));
    const std::string boxed = Write("boxed.zma", Zma(driver.Boxed(35), 0.01));
    for (const std::string& second :
         {"--added-mass 12 --loaded " + loaded, "--box-liters 35 --boxed " + boxed}) {
        const auto run = Run("fit " + free + " --sd 0.0215 " + second + " --json " +
                             Path("fit.json") + " --out " + Path("fitted.dvr"));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto j = nlohmann::json::parse(ReadText(dir / "fit.json"));
        for (const char* key : {"re", "fs", "qms", "qes", "qts", "le", "rmsErrorPercent",
                                "vasLiters", "mms", "cms", "bl"})
            EXPECT_TRUE(j.contains(key)) << key;
        EXPECT_NEAR(j["vasLiters"].get<double>(), driver.VasLiters(), 0.03 * driver.VasLiters());
        EXPECT_NEAR(j["mms"].get<double>(), 25, 0.75);

        DriverParams d;
        ASSERT_TRUE(ReadDriverFile((dir / "fitted.dvr").string(), d).ok());
        EXPECT_EQ(d.model, "free");
        EXPECT_NEAR(d.vasLiters, j["vasLiters"].get<double>(), 1e-3 * d.vasLiters);
        EXPECT_NE(d.description.find("NOTE: V(as), M(ms)"), std::string::npos) << d.description;
    }
}

TEST_F(FitCommand, RefusesBadUseAndBadFiles)
{
    EXPECT_EQ(Run("fit").exitCode, 2);
    EXPECT_EQ(Run("fit " + free + " --added-mass 12").exitCode, 2);
    EXPECT_EQ(
        Run("fit " + free + " --box-liters 35 --boxed " + free + " --loaded " + free).exitCode, 2);
    EXPECT_EQ(Run("fit " + free + " --re -3").exitCode, 2);
    EXPECT_EQ(Run("fit " + free + " --low 500 --high 100").exitCode, 2);

    const auto overwrite = Run("fit " + free + " --json " + free);
    EXPECT_EQ(overwrite.exitCode, 2) << overwrite.err;

    WriteBytes((dir / "bad.zma").string(), "10 6\n20 nan\n30 7\n");
    const auto bad = Run("fit " + Path("bad.zma") + " --out " + Path("never.dvr"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("Line 2 of "), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "never.dvr"));
}

TEST_F(FitCommand, CalcAddsMeasuredCurvesThatPlotAndReportDraw)
{
    WriteBytes((dir / "on axis.frd").string(), "20 70 0\n100 88 0\n1000 90 0\n");
    const auto run = Run("calc --box 2OCB --edit closed2.qtc=0.707 --overlay " +
                         Path("on axis.frd") + " --overlay " + free + " --save " + Path("m.spk"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto project = nlohmann::json::parse(ReadText(dir / "m.spk"));
    ASSERT_EQ(project["measuredCurves"].size(), 2u);
    EXPECT_EQ(project["measuredCurves"][0]["name"], "on axis");
    EXPECT_EQ(project["measuredCurves"][1]["kind"], 1);
    EXPECT_EQ(Run("plot " + Path("m.spk") + " --png " + Path("m.png")).exitCode, 0);
    EXPECT_EQ(Run("report " + Path("m.spk") + " --pdf " + Path("m.pdf")).exitCode, 0);

    const auto unknown = Run("calc --overlay " + Path("notes.txt"));
    EXPECT_EQ(unknown.exitCode, 2);
    WriteBytes((dir / "bad.frd").string(), "20 70\n");
    const auto bad = Run("calc --overlay " + Path("bad.frd") + " --save " + Path("never.spk"));
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("holds fewer than 3 rows"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "never.spk"));
}

} // namespace
} // namespace cw::test
