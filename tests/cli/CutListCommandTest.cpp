#include "calculators/BoxCalculatorPage.h"
#include "cli/CliRunner.h"
#include "model/CSpkSysDoc.h"
#include "project/ProjectFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

class CutListCommand : public test::CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        // The design's box on the rectangular and trapezoidal pages; the bandpass page is empty.
        auto doc = std::make_unique<CSpkSysDoc>();
        doc->workbench().closed2.vbLiters = 40;
        doc->workbench().closed2.vbCuFt = 1.4126;
        for (const auto kind : {calc::BoxPageKind::Rectangular, calc::BoxPageKind::Trapezoidal})
            calc::BoxCalculatorPage(kind, doc->workbench(), doc->boxLocks).Start();
        doc->cutList.wallMm = 19;
        doc->cutList.baffleMm = 25;
        std::ofstream(dir / "box.spk") << SerializeProject(*doc);
        doc->cutList.sheetLengthMm = 500;
        doc->cutList.sheetWidthMm = 300;
        std::ofstream(dir / "small-sheet.spk") << SerializeProject(*doc);
    }

    std::string P(const std::string& name) const { return "'" + (dir / name).string() + "'"; }
};

TEST_F(CutListCommand, WritesThePanelsAsCsvWithTheProjectsThicknesses)
{
    const test::CliRun r = Run("cutlist " + P("box.spk") + " --box-page 1 --units metric");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("panel,count,length,width,thickness,unit\nFront baffle,1,", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find(",25,mm\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nSlanted side,2,"), std::string::npos);
    EXPECT_NE(r.out.find(",19,mm\n"), std::string::npos);
    // The English copy keeps its own thicknesses.
    const test::CliRun english = Run("cutlist " + P("box.spk") + " --box-page 0 --csv -");
    EXPECT_NE(english.out.find(",0.75,in\n"), std::string::npos) << english.out;
}

TEST_F(CutListCommand, WritesTheLayoutAsSvgAndThePageAsPdf)
{
    const test::CliRun r = Run("cutlist " + P("box.spk") + " --box-page 0 --svg " + P("l.svg") +
                               " --pdf " + P("l.pdf") + " --csv " + P("l.csv"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string svg = test::ReadText(dir / "l.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("<title>Conewright cut list</title>"), std::string::npos);
    EXPECT_EQ(test::ReadText(dir / "l.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(test::ReadText(dir / "l.csv").rfind("panel,", 0), 0u);
    EXPECT_EQ(r.out.find("Wrote"), 0u) << r.out;
}

TEST_F(CutListCommand, RefusesWhatItCannotCutAndSaysWhatTheSheetCannotTake)
{
    const test::CliRun none = Run("cutlist " + P("box.spk") + " --box-page 2");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "The Bandpass Box page has no box yet: give it a net volume or its "
                        "dimensions first.\n");
    EXPECT_EQ(Run("cutlist " + P("box.spk") + " --box-page 3").exitCode, 2);
    EXPECT_EQ(Run("cutlist " + P("box.spk")).exitCode, 2);
    EXPECT_EQ(Run("cutlist " + P("box.spk") + " --box-page 0 --csv " + P("box.spk")).exitCode, 2);
    // A turned page only means something for the printed page.
    const test::CliRun turned =
        Run("cutlist " + P("box.spk") + " --box-page 0 --svg " + P("t.svg") + " --landscape");
    EXPECT_EQ(turned.exitCode, 2);
    EXPECT_NE(turned.err.find("--landscape turns the printed page: give it with --pdf"),
              std::string::npos)
        << turned.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "t.svg"));

    const test::CliRun small =
        Run("cutlist " + P("small-sheet.spk") + " --box-page 0 --units metric");
    EXPECT_EQ(small.exitCode, 0);
    EXPECT_NE(small.err.find("is larger than the sheet (500 x 300 mm)"), std::string::npos)
        << small.err;
    EXPECT_NE(small.out.find("Front baffle,1,"), std::string::npos) << "still in the list";
}

} // namespace
} // namespace cw
