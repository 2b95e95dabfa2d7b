#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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
                  " --units metric --print-icons --color --colour-each-system --legend")
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

TEST_F(OutputCommands, UsageErrorsSayWhatIsWrong)
{
    const std::string sample = P("sample.spk");
    const std::pair<std::string, std::string> cases[] = {
        {"plot " + sample, "plot writes one file: give either --png or --svg."},
        {"plot " + sample + " --png a.png --svg b.svg",
         "plot writes one file: give either --png or --svg."},
        {"plot " + sample + " --png a.png --width 0",
         "The option --width takes a whole number from 16 to 10000, not \"0\"."},
        {"plot " + sample + " --png a.png --background 5",
         "The option --background takes a whole number from 0 to 4, not \"5\"."},
        {"plot " + sample + " --png", "The option --png needs a value."},
        {"plot " + sample + " --jpg a.jpg", "Unknown option \"--jpg\"."},
        {"plot " + sample + " other.spk --png a.png", "Unexpected argument \"other.spk\"."},
        {"report " + sample + " --pdf a.pdf --units imperial",
         "The option --units takes metric or english, not \"imperial\"."},
        {"report --pdf a.pdf", "report needs a project file."},
        {"export " + sample, "export writes --frd, --zma or both."},
        {"export " + sample + " --frd a.frd --system 11",
         "The option --system takes a whole number from 0 to 10, not \"11\"."},
    };
    for (const auto& [args, reason] : cases) {
        const test::CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.err.rfind(reason + "\nUsage:", 0), 0u) << args << "\n" << r.err;
    }

    // Writing onto the project, under any of its names, would destroy it.
    const std::string before = test::ReadText(dir / "sample.spk");
    fs::create_symlink("sample.spk", dir / "alias.spk");
    for (const std::string& args :
         {"plot " + sample + " --png " + sample, "report " + sample + " --pdf " + P("alias.spk"),
          "export " + sample + " --zma " + P("./sample.spk")}) {
        const test::CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("is the file the command reads."), std::string::npos) << r.err;
    }
    EXPECT_EQ(test::ReadText(dir / "sample.spk"), before);
}

TEST_F(OutputCommands, EveryWriterKeepsTheOldFileOnAFullDisk)
{
    test::WriteBytes((dir / "driver.json").string(), "{}");
    const std::string sample = P("sample.spk"), target = (dir / "old.out").string();
    // Each writes far more than 512 bytes (an empty driver file has 563).
    for (const std::string& writer :
         {"plot " + sample + " --png", "plot " + sample + " --svg", "report " + sample + " --pdf",
          "report " + sample + " --png", "export " + sample + " --frd", std::string("calc --csv"),
          std::string("calc --json"), "calc --project " + sample + " --save",
          "driver --from-json " + P("driver.json") + " --out"}) {
        test::WriteBytes(target, "the old file");
        const test::CliRun r = RunOnFullDisk(1, writer + " " + P("old.out"));
        EXPECT_EQ(r.exitCode, 1) << writer;
        EXPECT_EQ(r.err, "Disk full while accessing " + target + ".\n") << writer;
        EXPECT_EQ(test::ReadText(target), "the old file") << writer;
        EXPECT_EQ(temp.Entries().size(), 3u) << writer; // no temporary file beside them
    }
}

TEST_F(OutputCommands, DevicesPipesAndTheStandardOutput)
{
    const std::string sample = P("sample.spk");
    for (const std::string& args :
         {"report " + sample + " --pdf /dev/full", "plot " + sample + " --svg /dev/full",
          "plot " + sample + " --png /dev/full", "export " + sample + " --frd /dev/full"}) {
        const test::CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.err, "Disk full while accessing /dev/full.\n") << args;
        EXPECT_EQ(r.out, "") << args;
    }
    for (const std::string& args :
         {"plot " + sample + " --png /dev/null", "report " + sample + " --pdf /dev/null",
          std::string("calc --csv /dev/null")}) {
        const test::CliRun r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << args << r.err;
    }

    // The file itself on the standard output, and nothing else.
    test::CliRun r = Run("plot " + sample + " --svg -");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(r.out.find("</svg>"), std::string::npos);
    EXPECT_EQ(r.out.find("Wrote"), std::string::npos);
    r = Run("report " + sample + " --pdf /dev/stdout");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("%PDF", 0), 0u);
    EXPECT_EQ(r.out.find("Wrote"), std::string::npos);
    r = Run("plot " + sample + " --png - --width 64 --height 48");
    EXPECT_EQ(PngSize(r.out), std::make_pair(64, 48));

    // A pipe that nobody reads is refused at once; one with a reader takes the image.
    const std::string pipe = (dir / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string toPipe = "plot " + sample + " --width 64 --height 48 --png " + P("pipe");
    r = Run(toPipe);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "No program is reading from the pipe " + pipe + ".\n");
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    r = Run(toPipe);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Wrote " + pipe + "\n");
    std::string png(65536, '\0');
    const ssize_t n = read(reader, png.data(), png.size());
    close(reader);
    png.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(PngSize(png), std::make_pair(64, 48));
}

TEST_F(OutputCommands, AStandardOutputThatFailsIsAFailure)
{
    test::WriteBytes((dir / "driver.json").string(), "{}");
    ASSERT_EQ(Run("driver --from-json " + P("driver.json") + " --out " + P("d.dvr")).exitCode, 0);
    const std::string sample = P("sample.spk");
    for (const std::string& args :
         {"driver " + P("d.dvr"), std::string("calc --csv -"), "export " + sample + " --frd -",
          "report " + sample + " --pdf -", "plot " + sample + " --png " + P("written.png")}) {
        const test::CliRun r = RunWithOutputTo("/dev/full", args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.err, "Failed to write to the standard output.\n") << args;
    }
}

} // namespace
} // namespace cw
