#include "measure/MeasuredCurves.h"

#include "gfx/RecordingCanvas.h"
#include "model/UndoHistory.h"
#include "plot/PlotPainter.h"
#include "project/ProjectFile.h"
#include "support/RecordingWindows.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace cw::measure
{
namespace
{

struct Project : ::testing::Test {
    test::TempDir dir;
    test::RecordingWindows log;
    CSpkSysDoc doc;

    Project()
    {
        doc.SetWindows(&log);
        test::WriteBytes(dir / "woofer.frd", "* on axis\n20 70 10\n100 88 0\n1000 90 -20\n");
        test::WriteBytes(dir / "woofer.zma", "20 7\n40 40\n200 7.5\n");
    }
};

TEST_F(Project, ImportsRenamesShowsAndRemovesCurves)
{
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.frd", MeasuredKind::Response));
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.frd", MeasuredKind::Response));
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.zma", MeasuredKind::Impedance));
    ASSERT_EQ(doc.measuredCurves.size(), 3u);
    EXPECT_EQ(doc.measuredCurves[1].name, "woofer (2)");
    EXPECT_EQ(doc.measuredCurves[2].Kind(), MeasuredKind::Impedance);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_TRUE(RenameMeasuredCurve(doc, 1, "tweeter"));
    EXPECT_FALSE(RenameMeasuredCurve(doc, 1, ""));
    EXPECT_FALSE(RenameMeasuredCurve(doc, 7, "x"));
    EXPECT_TRUE(ShowMeasuredCurve(doc, 0, false));
    EXPECT_TRUE(SetMeasuredOffset(doc, 1, -6));
    EXPECT_FALSE(SetMeasuredOffset(doc, 1, std::numeric_limits<double>::infinity()));
    EXPECT_TRUE(RemoveMeasuredCurve(doc, 2));
    ASSERT_EQ(doc.measuredCurves.size(), 2u);
    EXPECT_EQ(doc.measuredCurves[0].shown, 0);
    EXPECT_EQ(doc.measuredCurves[1].name, "tweeter");
    EXPECT_EQ(doc.measuredCurves[1].offsetDb, -6);
}

TEST_F(Project, EachChangeIsAnUndoStepOfItsOwnName)
{
    doc.EndStep();
    const std::string empty = SerializeProject(doc);
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.frd", MeasuredKind::Response));
    doc.EndStep();
    EXPECT_EQ(doc.history().UndoName(), "Import Measured Curve");
    // Offsets typed one after another are one step.
    EXPECT_TRUE(SetMeasuredOffset(doc, 0, -3));
    EXPECT_TRUE(SetMeasuredOffset(doc, 0, -6));
    doc.EndStep();
    EXPECT_EQ(doc.history().UndoName(), "Measured Curve Offset");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.measuredCurves.at(0).offsetDb, 0);
    EXPECT_TRUE(ShowMeasuredCurve(doc, 0, false));
    doc.EndStep();
    EXPECT_EQ(doc.history().UndoName(), "Hide Measured Curve");
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(SerializeProject(doc), empty);
}

TEST_F(Project, ARefusedImportShowsWhyAndKeepsTheProject)
{
    test::WriteBytes(dir / "bad.frd", "20 70\n100 inf\n1000 90\n");
    EXPECT_FALSE(ImportMeasuredCurve(doc, dir / "bad.frd", MeasuredKind::Response));
    EXPECT_EQ(log.messages.at(0), "Line 2 of " + dir / "bad.frd" +
                                      " holds a value that is not a finite number: \"100 inf\".");
    EXPECT_TRUE(doc.measuredCurves.empty());
    EXPECT_FALSE(doc.IsModified());

    for (std::size_t i = 0; i < kMaxMeasuredCurves; ++i)
        ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.zma", MeasuredKind::Impedance));
    EXPECT_FALSE(ImportMeasuredCurve(doc, dir / "woofer.zma", MeasuredKind::Impedance));
    EXPECT_EQ(log.messages.back(), "A project holds at most 16 measured curves; remove one first.");
}

TEST_F(Project, CurvesAreSavedAndReopenedIdentically)
{
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.frd", MeasuredKind::Response));
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.zma", MeasuredKind::Impedance));
    RenameMeasuredCurve(doc, 0, "Wöofer \"on axis\"");
    SetMeasuredOffset(doc, 0, 1.0 / 3);
    ShowMeasuredCurve(doc, 1, false);
    ASSERT_TRUE(doc.SaveProject(dir / "a.spk"));

    CSpkSysDoc reopened;
    reopened.SetWindows(&log);
    ASSERT_TRUE(reopened.OpenProject(dir / "a.spk"));
    EXPECT_EQ(reopened.measuredCurves, doc.measuredCurves);
    ASSERT_TRUE(reopened.SaveProject(dir / "b.spk"));
    EXPECT_EQ(test::ReadBytes(dir / "b.spk"), test::ReadBytes(dir / "a.spk"));

    // A file from before measured curves opens without any.
    ProjectData older;
    ASSERT_FALSE(ParseProject(R"({"format": "conewright-project", "version": 1})", older));
    EXPECT_TRUE(older.measuredCurves.empty());
}

TEST_F(Project, DamagedCurvesInAProjectFileAreRefused)
{
    const auto refusal = [](const std::string& curves) {
        ProjectData data;
        const auto error = ParseProject(
            R"({"format": "conewright-project", "version": 1, "measuredCurves": )" + curves + "}",
            data);
        EXPECT_EQ(data.measuredCurves.empty(), error.has_value());
        return error.value_or("");
    };
    const std::string good = R"({"name": "a", "kind": 1, "hz": [1, 2, 3], "value": [4, 5, 6]})";
    EXPECT_EQ(refusal("[" + good + "]"), "");
    EXPECT_EQ(refusal(R"([{"hz": [1, 3, 2], "value": [4, 5, 6]}])"),
              "%1 is damaged and cannot be opened: measuredCurves[0] holds frequencies that do not "
              "rise from above 0 Hz.");
    EXPECT_EQ(refusal(R"([{"hz": [1, 2, 3], "value": [4, null, 6]}])"),
              "%1 is damaged and cannot be opened: measuredCurves[0] holds a value that is not a "
              "finite number.");
    EXPECT_EQ(refusal(R"([{"hz": [1, 2, 3], "value": [4, 5]}])"),
              "%1 is damaged and cannot be opened: measuredCurves[0] has lists of different "
              "lengths.");
    EXPECT_EQ(refusal(R"([{"kind": 1, "hz": [1, 2, 3], "value": [4, -5, 6]}])"),
              "%1 is damaged and cannot be opened: measuredCurves[0] holds a negative impedance.");
    std::string many = "[" + good;
    for (int i = 0; i < 16; ++i)
        many += "," + good;
    EXPECT_EQ(refusal(many + "]"), "%1 is damaged and cannot be opened: measuredCurves must be a "
                                   "list of at most 16 curves.");
}

// The dashed runs of a colour and the texts drawn in it.
struct Drawn {
    std::vector<gfx::RecordingCanvas::Op> runs, texts;
};

Drawn DrawnIn(const CSpkSysDoc& doc, gfx::Color color)
{
    AppSettings settings;
    gfx::RecordingCanvas canvas({1000, 800, 96, 96, false, false});
    plot::PlotPainter::PrepareScreen(canvas, 1000, 800);
    plot::PlotPainter(doc, settings).Draw(canvas);
    Drawn d;
    for (const auto& op : canvas.Polylines())
        if (op.pen.style == gfx::PenStyle::Dash && op.pen.color == color)
            d.runs.push_back(op);
    for (const auto& op : canvas.Texts())
        if (op.textColor == color && op.text.starts_with("- - "))
            d.texts.push_back(op);
    return d;
}

TEST_F(Project, TheyAreDrawnDashedInTheirKindsColourWithTheirNames)
{
    const plot::PlotColors colors = plot::ColorsFor(0, false, false);
    doc.display.showSpl = doc.display.showImpedance = 1;
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.frd", MeasuredKind::Response));
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "woofer.zma", MeasuredKind::Impedance));

    Drawn spl = DrawnIn(doc, colors.spl);
    ASSERT_EQ(spl.runs.size(), 1u);
    ASSERT_EQ(spl.texts.size(), 1u);
    EXPECT_EQ(spl.texts[0].text, "- - woofer (measured SPL)");
    // Out of SPL mode the median level (88 dB) sits on the 0 dB line: 90 dB at 1 kHz is +2 dB.
    const auto db = plot::ValueMapping::ForRange(-2.0 / 3.0 * doc.plot.dbSpan, doc.plot.dbSpan / 3);
    EXPECT_NEAR(spl.runs[0].points.back().y, db(2), 1);
    EXPECT_EQ(DrawnIn(doc, colors.impedance).runs.size(), 1u);

    // The offset moves it; hiding it or its scale takes it off the plot.
    SetMeasuredOffset(doc, 0, -3);
    EXPECT_NEAR(DrawnIn(doc, colors.spl).runs[0].points.back().y, db(-1), 1);
    doc.display.showImpedance = 0;
    EXPECT_TRUE(DrawnIn(doc, colors.impedance).runs.empty());
    ShowMeasuredCurve(doc, 0, false);
    spl = DrawnIn(doc, colors.spl);
    EXPECT_TRUE(spl.runs.empty());
    EXPECT_TRUE(spl.texts.empty());
}

TEST_F(Project, LongMeasurementsAreDrawnWhole)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::to_string(10 * std::pow(2000.0, i / 1999.0)) + " 90\n";
    test::WriteBytes(dir / "long.frd", text);
    doc.display.showSpl = 1;
    doc.plot.lowFreqLimit = 10;
    doc.plot.highFreqLimit = 20000;
    ASSERT_TRUE(ImportMeasuredCurve(doc, dir / "long.frd", MeasuredKind::Response));
    const Drawn d = DrawnIn(doc, plot::ColorsFor(0, false, false).spl);
    ASSERT_FALSE(d.runs.empty());
    EXPECT_NEAR(d.runs.front().points.front().x, plot::kFrameLeft, 2);
    EXPECT_NEAR(d.runs.back().points.back().x, plot::kFrameRight, 2);
}

} // namespace
} // namespace cw::measure
