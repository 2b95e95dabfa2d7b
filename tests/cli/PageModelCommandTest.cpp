#include "CliRunner.h"
#include "calculators/BoxCalculatorPage.h"
#include "calculators/VentPageModel.h"
#include "project/ProjectFile.h"

#include <string>

// The command line types into the calculator pages through the same page models as the windows:
// an edit gives the record the page gives.
namespace cw
{
namespace
{

using calc::BoxField;
using calc::BoxPageKind;
using calc::Chamber;
using Q = calc::BoxQuantity;
using test::CliTest;

struct PageModelTest : CliTest {
    // Runs the tool on arguments that end in a saved project, and reads it back.
    ProjectData RunAndRead(const std::string& arguments)
    {
        const auto path = (dir / "out.spk").string();
        const auto run = Run(arguments + " --save '" + path + "'");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        ProjectData data;
        EXPECT_EQ(ParseProject(test::ReadText(path), data), std::nullopt);
        return data;
    }
};

TEST_F(PageModelTest, BoxEditsGiveWhatThePageGives)
{
    const auto base = (dir / "base.spk").string();
    ASSERT_EQ(Run("calc --edit closed2.qtc=0.707 --run RectBoxStart --run TrapBoxStart --run "
                  "BandpassBoxStart --save '" +
                  base + "'")
                  .exitCode,
              0);
    ProjectData start;
    ASSERT_EQ(ParseProject(test::ReadText(base), start), std::nullopt);

    struct Case {
        BoxPageKind kind;
        const char* path;
        BoxField field;
        double value;
    };
    const Case cases[] = {
        {BoxPageKind::Rectangular, "rectBox.metric.height", {Q::Height, true}, 0.5},
        {BoxPageKind::Rectangular, "rectBox.english.netVolume", {Q::NetVolume, false}, 3},
        {BoxPageKind::Rectangular, "rectBox.fillingPercent", {Q::Filling, true}, 20},
        {BoxPageKind::Trapezoidal,
         "trapBox.english.driverDisplacement",
         {Q::DriverDisplacement, false},
         0.1},
        {BoxPageKind::Trapezoidal, "trapBox.metric.depth", {Q::Depth, true}, 0.3},
        {BoxPageKind::Bandpass,
         "bandpassBox.english.front.netVolume",
         {Q::NetVolume, false, Chamber::Front},
         1},
        {BoxPageKind::Bandpass, "bandpassBox.english.width", {Q::Width, false}, 14},
        {BoxPageKind::Bandpass,
         "bandpassBox.frontFillingPercent",
         {Q::Filling, true, Chamber::Front},
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ProjectData page = start;
        CSpkSys& wb = page.systems[0];
        calc::BoxCalculatorPage model(c.kind, wb, page.boxLocks);
        ASSERT_TRUE(model.Edit(c.field, c.value)) << model.guardMessage();

        const ProjectData cli = RunAndRead("calc --project '" + base + "' --edit " + c.path + "=" +
                                           std::to_string(c.value));
        const CSpkSys& got = cli.systems[0];
        EXPECT_EQ(got.rectBox, wb.rectBox);
        EXPECT_EQ(got.trapBox, wb.trapBox);
        EXPECT_EQ(got.bandpassBox, wb.bandpassBox);
    }

    // A refusal is the page's sentence, and the box stays as it was.
    ProjectData page = start;
    calc::BoxCalculatorPage model(BoxPageKind::Rectangular, page.systems[0], page.boxLocks);
    ASSERT_TRUE(model.IsLocked(calc::BoxLock::Vb));
    EXPECT_FALSE(model.Edit({Q::GrossVolume, true}, 50));
    const auto run = Run("calc --project '" + base + "' --edit rectBox.metric.grossVolume=50");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "rectBox.metric.grossVolume: " + model.guardMessage() + "\n");
}

TEST_F(PageModelTest, VentEditsGiveWhatThePageGives)
{
    const auto base = (dir / "base.spk").string();
    ASSERT_EQ(
        Run("calc --box 4OVB --edit vented4.vbCuFt=2 --edit vented4.fb=40 --save '" + base + "'")
            .exitCode,
        0);
    ProjectData start;
    ASSERT_EQ(ParseProject(test::ReadText(base), start), std::nullopt);

    // Two 3-inch tubes with the units in inches.
    ProjectData page = start;
    calc::VentPageModel tubes(calc::VentPageKind::Tubes);
    ASSERT_TRUE(tubes.Start(page.systems[0], false));
    tubes.EnterDimension(tubes.fields().dimensions[0], false, 3);
    tubes.EnterCount(2, false);
    ASSERT_TRUE(tubes.WriteBack(page.systems[0]));
    ProjectData cli = RunAndRead("calc --project '" + base +
                                 "' --units english --edit tubeVent.diameterIn=3 --edit "
                                 "tubeVent.count=2");
    EXPECT_EQ(cli.systems[0].vented4, page.systems[0].vented4);
    EXPECT_NE(cli.systems[0].vented4, start.systems[0].vented4);

    // A slot typed in metres while the units are inches, then a count, which recalculates from
    // the copy the units show.
    page = start;
    calc::VentPageModel slots(calc::VentPageKind::Rectangular);
    ASSERT_TRUE(slots.Start(page.systems[0], false));
    const calc::VentField& height = slots.fields().dimensions[0];
    const calc::VentField& width = slots.fields().dimensions[1];
    slots.EnterDimension(height, true, 0.05);
    slots.EnterDimension(width, true, 0.2);
    slots.EnterCount(2, false);
    ASSERT_TRUE(slots.WriteBack(page.systems[0]));
    cli = RunAndRead("calc --project '" + base +
                     "' --units english --edit rectVent.heightM=0.05 --edit rectVent.widthM=0.2 "
                     "--edit rectVent.count=2");
    EXPECT_EQ(cli.systems[0].vented4, page.systems[0].vented4);

    // The page's start in metric units.
    page = start;
    ASSERT_TRUE(slots.Start(page.systems[0], true));
    ASSERT_TRUE(slots.WriteBack(page.systems[0]));
    cli = RunAndRead("calc --project '" + base + "' --units metric --run RectVentStart");
    EXPECT_EQ(cli.systems[0].vented4, page.systems[0].vented4);
}

} // namespace
} // namespace cw
