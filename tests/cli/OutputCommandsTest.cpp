#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace cw
{
namespace
{

namespace fs = std::filesystem;

// PNG width and height from the IHDR chunk.
std::pair<int, int> PngSize(const std::string& png)
{
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0)
        return {0, 0};
    return {be32(16), be32(20)};
}

class OutputCommands : public test::CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        // The sample project with a calculated closed-box curve in the workbench, shown.
        auto doc = std::make_unique<CSpkSysDoc>();
        CSpkSys& wb = doc->workbench();
        wb.pointCount = 300;
        for (int i = 0; i < 300; ++i) {
            const double f = 10 * std::pow(2.0, i / 50.0);
            const double x = f / 50;
            const double den = std::sqrt(std::pow(1 - x * x, 2) + 2 * x * x);
            wb.frequencies[i] = f;
            wb.splCurve[i] = 20 * std::log10(x * x / den);
            wb.excursionCurve[i] = 5 / den;
            wb.phaseCurve[i] = 180 - std::atan2(x * 1.414, 1 - x * x) * 57.29578;
        }
        wb.hasSpl = wb.hasExcursion = wb.hasPhase = 1;
        wb.responseShown = 1;
        std::ofstream(dir / "sample.spk") << SerializeProject(*doc);
    }

    std::string P(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

TEST_F(OutputCommands, PlotWritesAnImageOfTheAskedSize)
{
    const test::CliRun r = Run("plot " + P("sample.spk") + " --png " + P("plot.png") +
                               " --width 640 --height 480 --background 3");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(PngSize(test::ReadText(dir / "plot.png")), std::make_pair(640, 480));

    ASSERT_EQ(Run("plot " + P("sample.spk") + " --svg " + P("plot.svg")).exitCode, 0);
    EXPECT_NE(test::ReadText(dir / "plot.svg").find("<svg"), std::string::npos);
}

TEST_F(OutputCommands, BadUsageAndBadFiles)
{
    for (const std::string& args :
         {"plot " + P("sample.spk"), "plot " + P("sample.spk") + " --png a.png --svg b.svg",
          "plot " + P("sample.spk") + " --png a.png --background 5",
          "plot " + P("sample.spk") + " --png a.png --width 0", "report " + P("sample.spk"),
          "report " + P("sample.spk") + " --pdf a.pdf --units imperial",
          "export " + P("sample.spk"), "export " + P("sample.spk") + " --frd a.frd --system 11",
          std::string("export --frd a.frd")}) {
        const test::CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << args;
    }
    const test::CliRun missing = Run("plot " + P("missing.spk") + " --png " + P("x.png"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "x.png"));
    std::ofstream(dir / "junk.spk") << "not a project";
    EXPECT_EQ(Run("report " + P("junk.spk") + " --pdf " + P("x.pdf")).exitCode, 1);
    EXPECT_EQ(Run("plot " + P("sample.spk") + " --png " + P("no/such/folder/x.png")).exitCode, 1);
}

TEST_F(OutputCommands, ReportAsPdfAndAsPagePicture)
{
    ASSERT_EQ(Run("report " + P("sample.spk") + " --pdf " + P("r.pdf") +
                  " --units metric --print-icons --color")
                  .exitCode,
              0);
    EXPECT_EQ(test::ReadText(dir / "r.pdf").rfind("%PDF", 0), 0U);
    ASSERT_EQ(Run("report " + P("sample.spk") + " --png " + P("r.png") + " --landscape").exitCode,
              0);
    const auto [w, h] = PngSize(test::ReadText(dir / "r.png"));
    EXPECT_GT(w, h);
}

TEST_F(OutputCommands, ExportWritesThreeNumericColumns)
{
    const test::CliRun r = Run("export " + P("sample.spk") + " --system 0 --frd " + P("s.frd"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream frd(test::ReadText(dir / "s.frd"));
    std::string line;
    int rows = 0, comments = 0;
    double last = 0;
    while (std::getline(frd, line)) {
        if (line.rfind("*", 0) == 0) {
            ++comments;
            continue;
        }
        std::istringstream fields(line);
        double f = 0, spl = 0, phase = 0;
        std::string rest;
        ASSERT_TRUE(fields >> f >> spl >> phase) << line;
        EXPECT_FALSE(fields >> rest) << line;
        EXPECT_GT(f, last);
        EXPECT_GE(phase, -180);
        EXPECT_LT(phase, 180);
        last = f;
        ++rows;
    }
    EXPECT_EQ(rows, 300);
    EXPECT_GE(comments, 2);

    // The workbench has no impedance curve: nothing is written, and the FRD is kept.
    const test::CliRun zma =
        Run("export " + P("sample.spk") + " --frd " + P("s.frd") + " --zma " + P("s.zma"));
    EXPECT_EQ(zma.exitCode, 1);
    EXPECT_NE(zma.err.find("impedance"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "s.zma"));
    EXPECT_TRUE(fs::exists(dir / "s.frd"));
    // A memory that holds nothing.
    EXPECT_EQ(Run("export " + P("sample.spk") + " --system 4 --frd " + P("m.frd")).exitCode, 1);
}

} // namespace
} // namespace cw
