#include "reports/CrossoverReport.h"

#include "calculators/CrossoverPages.h"
#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"
#include "reports/ReportLayout.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw::reports
{
namespace
{

using gfx::Point;
using gfx::RecordingCanvas;
using gfx::TextAlign;

RecordingCanvas PaperCanvas(bool landscape)
{
    return RecordingCanvas(
        {landscape ? 6363.0 : 4863.0, landscape ? 4863.0 : 6363.0, 600, 600, true, landscape});
}

// The text drawn at exactly (x, y) with the alignment, or null.
const RecordingCanvas::Op* TextAtPlace(const RecordingCanvas& canvas, double x, double y,
                                       TextAlign align)
{
    for (const auto& op : canvas.ops()) {
        if (op.kind == RecordingCanvas::Kind::Text && op.anchorX() == x && op.from.y == y &&
            op.align == align)
            return &op;
    }
    return nullptr;
}

std::string TextAt(const RecordingCanvas& canvas, double x, double y, TextAlign align)
{
    const auto* op = TextAtPlace(canvas, x, y, align);
    return op ? op->text : "<none>";
}

// The y of every horizontal frame edge drawn with the 10-unit pen that ends at the frame column:
// of each frame its bottom edge, then its top edge.
std::vector<double> FrameEdges(const RecordingCanvas& canvas, const ReportLayout& l)
{
    std::vector<double> ys;
    for (const auto& line : canvas.Lines()) {
        if (line.from.y == line.to.y && line.pen.width == 10 &&
            (line.from.x == l.frameRight || line.to.x == l.frameRight))
            ys.push_back(line.from.y);
    }
    return ys;
}

TEST(CrossoverReport, FirstOrderButterworthOfANewProject)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    doc->workbench().systemName = "Two-way";
    // The page calculates as soon as it opens.
    ASSERT_TRUE(calc::CalculateCrossoverPage(doc->workbench(), 0));
    auto canvas = PaperCanvas(false);
    DrawCrossoverReportPage(canvas, *doc, 0);
    const ReportLayout& l = ReportLayout::Portrait();

    EXPECT_EQ(TextAt(canvas, 5800, l.Row(11.5), TextAlign::Left), "Given the Folowing:");
    EXPECT_EQ(TextAt(canvas, 5800, l.Row(3.5), TextAlign::Left), "The Component Values Are:");
    struct Row {
        double k;
        const char *label, *value, *unit;
    };
    for (const Row& r :
         {Row{10, "Tweeter Impedance =", "8", "Ohms"}, Row{9, "Woofer Impedance =", "8", "Ohms"},
          Row{8, "Crossover Frequency =", "1000", "Hz"}, Row{2, "C1 =", "19.89", "microfarads"},
          Row{1, "L1 =", "1.273", "millihenrys"}}) {
        SCOPED_TRACE(r.label);
        const double y = l.Row(r.k);
        EXPECT_EQ(TextAt(canvas, 7800, y, TextAlign::Right), r.label);
        EXPECT_EQ(TextAt(canvas, 7900, y, TextAlign::Left), r.value);
        EXPECT_EQ(TextAt(canvas, 8600, y, TextAlign::Left), r.unit);
        EXPECT_EQ(TextAtPlace(canvas, 7900, y, TextAlign::Left)->font.height, 240);
    }
    // Inputs framed from row 10.5 to row 6.75, results from 2.5 to -0.25.
    EXPECT_EQ(FrameEdges(canvas, l),
              (std::vector<double>{l.Row(6.75), l.Row(10.5), l.Row(-0.25), l.Row(2.5)}));
    EXPECT_EQ(canvas.FindText("Note the reversed polarity of the Tweeter."), nullptr);
    ASSERT_NE(canvas.FindText("First Order Butterworth Crossover"), nullptr);
    ASSERT_NE(canvas.FindText("Two-way"), nullptr);
    // The schematic is printed in its picture cell.
    const auto* caption = canvas.FindText("1st Order Parallel Two-Way Crossover (6 dB per Octave)");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->mapping.windowExt.x, l.windowExt.x / 17);
}

TEST(CrossoverReport, SeriesPageFramesFourInputsAndTheAttenuatorLabelsItsRows)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    const ReportLayout& l = ReportLayout::Portrait();
    {
        auto canvas = PaperCanvas(false);
        DrawCrossoverReportPage(canvas, *doc, 3);
        EXPECT_EQ(TextAt(canvas, 7800, l.Row(7), TextAlign::Right), "Damping Factor (Zeta) =");
        EXPECT_EQ(TextAt(canvas, 7900, l.Row(7), TextAlign::Left), "0.707");
        const auto edges = FrameEdges(canvas, l);
        ASSERT_EQ(edges.size(), 4u);
        EXPECT_EQ(edges[0], l.Row(5.75));
        EXPECT_EQ(edges[0], 2600);
    }
    {
        CSpkSys& s = doc->workbench();
        s.tweeterAtten.r1 = 0.000123;
        s.tweeterAtten.p2 = 1234567;
        auto canvas = PaperCanvas(false);
        DrawCrossoverReportPage(canvas, *doc, 8);
        EXPECT_EQ(TextAt(canvas, 7800, l.Row(9), TextAlign::Right), "Maximum Tweeter Power =");
        EXPECT_EQ(TextAt(canvas, 7800, l.Row(0), TextAlign::Right), "R2 =");
        EXPECT_EQ(TextAt(canvas, 7800, l.Row(-1), TextAlign::Right), "P2 =");
        EXPECT_EQ(TextAt(canvas, 7900, l.Row(2), TextAlign::Left), "0.000123");
        EXPECT_EQ(TextAt(canvas, 7900, l.Row(-1), TextAlign::Left), "1.235E+06");
        // Four results: the frame reaches 1.25 rows below row -1.
        EXPECT_EQ(FrameEdges(canvas, l)[2], l.Row(-2.25));
        ASSERT_NE(canvas.FindText("Tweeter Attenuator Network"), nullptr);
    }
}

TEST(CrossoverReport, LandscapeMovesTheColumnsAndTheNote)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    ASSERT_TRUE(calc::CalculateCrossoverPage(doc->workbench(), 1));
    auto canvas = PaperCanvas(true);
    DrawCrossoverReportPage(canvas, *doc, 1);
    const ReportLayout& l = ReportLayout::Landscape();
    EXPECT_EQ(canvas.mapping().windowExt, (Point{12941, 7727}));
    EXPECT_EQ(TextAt(canvas, 8100, l.Row(11.5), TextAlign::Left), "Given the Folowing:");
    EXPECT_EQ(TextAt(canvas, 10100, l.Row(10), TextAlign::Right), "Tweeter Impedance =");
    EXPECT_EQ(TextAt(canvas, 10200, l.Row(8), TextAlign::Left), "1000");
    EXPECT_EQ(TextAt(canvas, 10900, l.Row(-1), TextAlign::Left), "millihenrys");
    // The note sits 8 rows over the title block's top, which is at the lower right of the page.
    const double blockTop = 3615 - 7727.0;
    EXPECT_EQ(TextAt(canvas, 1920, blockTop + 8 * 400, TextAlign::Left),
              "Note the reversed polarity of the Tweeter.");
    const auto* network = canvas.FindText("Second Order Butterworth Crossover");
    ASSERT_NE(network, nullptr);
    EXPECT_GT(network->from.x, 12941 - 4215);
    EXPECT_LT(network->from.y, blockTop);
    EXPECT_EQ(FrameEdges(canvas, l).size(), 4u);
}

TEST(CrossoverReport, AResonanceCompensatorWithoutAPeakSaysWhyInsteadOfComponents)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    CSpkSys& s = doc->workbench();
    ASSERT_TRUE(calc::CalculateCrossoverPage(s, 6));
    s.resonanceCompMaxZ = 5; // at or below the 8 Ohm driver: no network
    auto canvas = PaperCanvas(false);
    DrawCrossoverReportPage(canvas, *doc, 6);
    std::string printed;
    for (const auto& text : canvas.Texts())
        printed += text.text + " ";
    EXPECT_NE(printed.find("Max Z (5 Ohms) must be above the Driver Impedance (8 Ohms)"),
              std::string::npos)
        << printed;
    EXPECT_EQ(canvas.FindText("R1 ="), nullptr);
    EXPECT_EQ(canvas.FindText("10.67"), nullptr);
    EXPECT_NE(canvas.FindText("Max Z (or 0 if unknown) ="), nullptr);
}

TEST(CrossoverReport, TitlesAndThePolarityNoteByPage)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    const char* titles[] = {"1OBW Xover Report",
                            "2OBW Xover Report",
                            "3OBW Xover Report",
                            "1OS Xover Report",
                            "2OLR Xover Report",
                            "4OLR Xover Report",
                            "Resonance Compensator Report",
                            "Inductance Compensator Report",
                            "Tweeter Attenuator Report"};
    for (int page = 0; page < 9; ++page) {
        SCOPED_TRACE(page);
        EXPECT_STREQ(CrossoverReportTitle(page), titles[page]);
        auto canvas = PaperCanvas(false);
        DrawCrossoverReportPage(canvas, *doc, page);
        const bool note = page == 1 || page == 2 || page == 4;
        EXPECT_EQ(canvas.FindText("Note the reversed polarity of the Tweeter.") != nullptr, note);
        const auto& fields = calc::CrossoverPageFields(page);
        EXPECT_EQ(FrameEdges(canvas, ReportLayout::Portrait()).size(), 4u);
        EXPECT_NE(canvas.FindText(fields.results.front().reportLabel), nullptr);
    }
    EXPECT_EQ(CrossoverReportTitle(9), nullptr);
    auto canvas = PaperCanvas(false);
    DrawCrossoverReportPage(canvas, *doc, -1);
    EXPECT_TRUE(canvas.ops().empty());
}

} // namespace
} // namespace cw::reports
