#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace cw
{
namespace
{

namespace fs = std::filesystem;

class ExportCommand : public test::CliTest
{
protected:
    // A project whose workbench holds a calculated closed-box SPL curve of 383 points, as the new
    // project's limits give, changed by edit before it is saved.
    std::string Project(const std::function<void(CSpkSys&)>& edit = {})
    {
        auto doc = std::make_unique<CSpkSysDoc>();
        CSpkSys& wb = doc->workbench();
        wb.pointCount = 382.2;
        for (int i = 0; i < 383; ++i) {
            wb.frequencies[i] = 10 * std::pow(2.0, i / 50.0);
            const double x = wb.frequencies[i] / 50;
            wb.splCurve[i] = 20 * std::log10(x * x / std::sqrt(std::pow(1 - x * x, 2) + 2 * x * x));
        }
        wb.hasSpl = wb.responseShown = 1;
        if (edit)
            edit(wb);
        const fs::path path = dir / "p.spk";
        std::ofstream(path) << SerializeProject(*doc);
        return "'" + path.string() + "'";
    }
    test::CliRun Export(const std::string& project)
    {
        return Run("export " + project + " --frd '" + (dir / "out.frd").string() + "'");
    }
    std::string Frd() const { return test::ReadText(dir / "out.frd"); }
};

TEST_F(ExportCommand, LongNumbersKeepEveryDigitOnARowOfTheirOwn)
{
    const test::CliRun r = Export(Project([](CSpkSys& wb) { wb.driver.spl = 1e80; }));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(Frd());
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("*"))
            continue;
        std::istringstream fields(line);
        double f = 0, spl = 0, phase = 1;
        std::string rest;
        ASSERT_TRUE(fields >> f >> spl >> phase) << line;
        EXPECT_FALSE(fields >> rest) << line;
        EXPECT_NEAR(spl / 1e80, 1, 1e-12);
        EXPECT_EQ(phase, 0);
        ++rows;
    }
    EXPECT_EQ(rows, 383);
}

// The comment says why the phase column is 0: not asked for, or not given by the box's model.
TEST_F(ExportCommand, ThePhaseCommentSaysWhyThePhaseIsZero)
{
    ASSERT_EQ(Export(Project()).exitCode, 0);
    EXPECT_NE(Frd().find("* Phase is 0: it was not calculated"), std::string::npos) << Frd();
    ASSERT_EQ(
        Export(Project([](CSpkSys& wb) { wb.boxTypeName = "3rd Order Closed Box"; })).exitCode, 0);
    EXPECT_NE(Frd().find("* Phase is 0: the response model gives none for this box type"),
              std::string::npos)
        << Frd();
}

// A curve with a value that is not a number, a level that cannot be worked out, or no point to
// write is refused with a message; the previous file stays as it was.
TEST_F(ExportCommand, CurvesThatCannotBeWrittenAreRefused)
{
    const std::pair<std::function<void(CSpkSys&)>, std::string> cases[] = {
        {[](CSpkSys& wb) { wb.splCurve[100] = std::nan(""); }, "not finite numbers"},
        {[](CSpkSys& wb) { wb.splCurve[0] = INFINITY; }, "not finite numbers"},
        {[](CSpkSys& wb) { wb.splDistanceM = 0; }, "The SPL level of the workbench"},
        {[](CSpkSys& wb) { wb.frequencies.fill(0); }, "There is no calculated SPL curve"},
        {[](CSpkSys& wb) { wb.pointCount = 0; }, "There is no calculated SPL curve"},
    };
    for (const auto& [edit, message] : cases) {
        test::WriteBytes((dir / "out.frd").string(), "old");
        const test::CliRun r = Export(Project(edit));
        EXPECT_EQ(r.exitCode, 1) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(Frd(), "old");
    }
}

} // namespace
} // namespace cw
