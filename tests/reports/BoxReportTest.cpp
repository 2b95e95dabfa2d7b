#include "reports/BoxReport.h"

#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"
#include "pictures/BoxDrawing.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace cw::reports
{
namespace
{

using calc::BoxPageKind;
using gfx::RecordingCanvas;
using gfx::TextAlign;

struct BoxReportTest : testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    CSpkSys& wb = doc->workbench();

    // The body on a page of the orientation, as the printer maps it.
    std::unique_ptr<RecordingCanvas> Body(BoxPageKind kind, bool landscape, bool metric)
    {
        auto canvas = std::make_unique<RecordingCanvas>(gfx::DeviceInfo{
            landscape ? 6363.0 : 4863.0, landscape ? 4863.0 : 6363.0, 600, 600, true, landscape});
        const ReportLayout& layout = MapCalculatorReportPage(*canvas);
        DrawBoxReportBody(*canvas, layout, *doc, kind, metric);
        return canvas;
    }
};

// The text at a row's y whose anchor (left, centre or right by alignment) is at x.
const RecordingCanvas::Op* TextAtCell(const RecordingCanvas& canvas, double x, double y)
{
    for (const auto& op : canvas.ops()) {
        if (op.kind == RecordingCanvas::Kind::Text && op.from.y == y && op.anchorX() == x)
            return &op;
    }
    return nullptr;
}

std::string TextOf(const RecordingCanvas& canvas, double x, double y)
{
    const auto* op = TextAtCell(canvas, x, y);
    return op ? op->text : "<none>";
}

TEST_F(BoxReportTest, RectangularRowsInBothOrientationsAndUnits)
{
    wb.rectBox.metric = {0.5, 0.25, 0.125, 15.627, 0.5, 0.3, 0.2, 13.75};
    wb.rectBox.english = {19.686, 9.8425, 4.9213, 0.55179, 0.017657, 0.010594, 0.0070629, 0.4856};
    wb.rectBox.fillingPercent = 10;
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape);
        const double shift = landscape ? 2300 : 0;
        const ReportLayout& l = landscape ? ReportLayout::Landscape() : ReportLayout::Portrait();
        const auto mPage = Body(BoxPageKind::Rectangular, landscape, true);
        const RecordingCanvas& m = *mPage;

        const auto* heading = TextAtCell(m, 5300 + shift, l.Row(11.5));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->text, "Box Dimensions and Gross Internal Volume");
        EXPECT_EQ(heading->font.weight, 700);
        EXPECT_EQ(TextOf(m, 5300 + shift, l.Row(0.5)), "Adjustments and Net Internal Volume");

        const auto* title = TextAtCell(m, 7100 + shift, l.Row(10));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text, "Internal Height:");
        EXPECT_EQ(title->align, TextAlign::Right);
        EXPECT_EQ(title->font.height, 240);
        EXPECT_EQ(title->font.weight, 400);
        EXPECT_EQ(TextOf(m, 7800 + shift, l.Row(10)), "H =");
        EXPECT_EQ(TextOf(m, 7900 + shift, l.Row(10)), "0.5");
        EXPECT_EQ(TextOf(m, 8600 + shift, l.Row(10)), "meters");
        EXPECT_EQ(TextOf(m, 7100 + shift, l.Row(9)), "Internal Width:");
        EXPECT_EQ(TextOf(m, 7900 + shift, l.Row(8)), "0.125");
        EXPECT_EQ(TextOf(m, 7100 + shift, l.Row(6)), "Gross Internal Volume:");
        EXPECT_EQ(TextOf(m, 7900 + shift, l.Row(6)), "15.63"); // four digits
        EXPECT_EQ(TextOf(m, 8600 + shift, l.Row(6)), "liters");
        EXPECT_EQ(TextOf(m, 7800 + shift, l.Row(-1)), "Driver Displacement =");
        EXPECT_EQ(TextOf(m, 7800 + shift, l.Row(-3)), "Other Displacement =");
        EXPECT_EQ(TextOf(m, 7800 + shift, l.Row(-4)), "V(B) increase due to filling =");
        EXPECT_EQ(TextOf(m, 7900 + shift, l.Row(-4)), "10");
        EXPECT_EQ(TextOf(m, 8600 + shift, l.Row(-4)), "%");
        EXPECT_EQ(TextOf(m, 7100 + shift, l.Row(-6)), "Net Internal Volume:");
        EXPECT_EQ(TextOf(m, 7800 + shift, l.Row(-6)), "V(B) =");
        EXPECT_EQ(TextOf(m, 7900 + shift, l.Row(-6)), "13.75");

        const auto ePage = Body(BoxPageKind::Rectangular, landscape, false);
        const RecordingCanvas& e = *ePage;
        EXPECT_EQ(TextOf(e, 7900 + shift, l.Row(10)), "19.69");
        EXPECT_EQ(TextOf(e, 8600 + shift, l.Row(10)), "inches");
        EXPECT_EQ(TextOf(e, 7900 + shift, l.Row(-6)), "0.4856");
        EXPECT_EQ(TextOf(e, 8600 + shift, l.Row(-6)), "cubic feet");
    }
}

TEST_F(BoxReportTest, TrapezoidRowsMoveDownForTheSecondWidthAndTheAngle)
{
    wb.trapBox.metric.width2 = 0.3;
    wb.trapBox.angle = 12.5;
    const ReportLayout& l = ReportLayout::Portrait();
    const auto cPage = Body(BoxPageKind::Trapezoidal, false, true);
    const RecordingCanvas& c = *cPage;
    EXPECT_EQ(TextOf(c, 7100, l.Row(9)), "Internal Width 1:");
    EXPECT_EQ(TextOf(c, 7800, l.Row(8)), "W2 =");
    EXPECT_EQ(TextOf(c, 7900, l.Row(8)), "0.3");
    EXPECT_EQ(TextOf(c, 7100, l.Row(7)), "Internal Depth:");
    EXPECT_EQ(TextOf(c, 7100, l.Row(6)), "Trapezoid Angle:");
    EXPECT_EQ(TextOf(c, 7800, l.Row(6)), "Delta =");
    EXPECT_EQ(TextOf(c, 7900, l.Row(6)), "12.5");
    EXPECT_EQ(TextOf(c, 8600, l.Row(6)), "degrees");
    EXPECT_EQ(TextOf(c, 7100, l.Row(4)), "Gross Internal Volume:");
    EXPECT_EQ(TextOf(c, 7800, l.Row(-2)), "Bracing Displacement =");
}

TEST_F(BoxReportTest, BandpassHasRearAndFrontColumnsWithSingleWidthAndDepth)
{
    BandpassBoxDims& b = wb.bandpassBox.english;
    b.rearHeight = 10;
    b.frontHeight = 8;
    b.width = 12;
    b.depth = 14;
    b.rear.netVolume = 0.9;
    b.front.netVolume = 0.7;
    wb.bandpassBox.frontFillingPercent = 20;
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape);
        const double shift = landscape ? 2300 : 0;
        const ReportLayout& l = landscape ? ReportLayout::Landscape() : ReportLayout::Portrait();
        const auto cPage = Body(BoxPageKind::Bandpass, landscape, false);
        const RecordingCanvas& c = *cPage;
        EXPECT_EQ(TextOf(c, 7000 + shift, l.Row(10)), "Internal Height:");
        EXPECT_EQ(TextOf(c, 7500 + shift, l.Row(10)), "H =");
        EXPECT_EQ(TextOf(c, 7600 + shift, l.Row(10)), "10");
        EXPECT_EQ(TextOf(c, 8400 + shift, l.Row(10)), "8");
        EXPECT_EQ(TextOf(c, 9000 + shift, l.Row(10)), "inches");
        EXPECT_EQ(TextOf(c, 7600 + shift, l.Row(9)), "12");
        EXPECT_EQ(TextOf(c, 8400 + shift, l.Row(9)), "---");
        EXPECT_EQ(TextOf(c, 7600 + shift, l.Row(8)), "14");
        EXPECT_EQ(TextOf(c, 8400 + shift, l.Row(8)), "---");
        EXPECT_EQ(TextOf(c, 7600 + shift, l.Row(-4)), "0");
        EXPECT_EQ(TextOf(c, 8400 + shift, l.Row(-4)), "20");
        EXPECT_EQ(TextOf(c, 7600 + shift, l.Row(-6)), "0.9");
        EXPECT_EQ(TextOf(c, 8400 + shift, l.Row(-6)), "0.7");
        EXPECT_EQ(TextOf(c, 9000 + shift, l.Row(-6)), "cubic feet");
        // The column headings over both value groups.
        int rear = 0, front = 0;
        for (const auto& t : c.Texts()) {
            rear += t.text == "Rear" && t.from.x == 7600 + shift;
            front += t.text == "Front" && t.from.x == 8400 + shift;
        }
        EXPECT_EQ(rear, 2);
        EXPECT_EQ(front, 2);
    }
}

TEST_F(BoxReportTest, NotesCarryTheVentOfVentedBoxesInTheActiveUnits)
{
    wb.rectBox.notes = "Birch ply\r\nglued and screwed";
    wb.boxTypeName = "4th Order Vented Box";
    wb.vented4.svSqM = 0.00785;
    wb.vented4.svSqIn = 12.17;
    wb.vented4.lvM = 0.1524;
    wb.vented4.lvIn = 6;
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape);
        const ReportLayout& l = landscape ? ReportLayout::Landscape() : ReportLayout::Portrait();
        const auto mPage = Body(BoxPageKind::Rectangular, landscape, true);
        const RecordingCanvas& m = *mPage;
        const auto* notes = m.FindText("Notes");
        ASSERT_NE(notes, nullptr);
        EXPECT_EQ(notes->from, (gfx::Point{l.leftMargin, l.titleBlock.y + l.rowUnit}));
        const auto* area = m.FindText("S(v) = 0.00785  square meters    (Vent Surface Area)");
        ASSERT_NE(area, nullptr);
        const auto* length = m.FindText("L(v) = 0.1524  meters               (Vent Length)");
        ASSERT_NE(length, nullptr);
        const auto* ply = m.FindText("Birch ply");
        ASSERT_NE(ply, nullptr);
        EXPECT_LT(length->from.y, area->from.y);
        EXPECT_LT(ply->from.y, length->from.y);
        ASSERT_NE(m.FindText("glued and screwed"), nullptr);
        // The notes stay left of the title block and inside the page.
        EXPECT_TRUE(ply->clipped);
        EXPECT_LE(ply->clip.right, l.titleBlock.x);
        EXPECT_GE(ply->clip.bottom, -l.halfHeight);
        EXPECT_LE(ply->clip.top, l.titleBlock.y);

        const auto ePage = Body(BoxPageKind::Rectangular, landscape, false);
        const RecordingCanvas& e = *ePage;
        EXPECT_NE(e.FindText("S(v) = 12.17  square inches    (Vent Surface Area)"), nullptr);
        EXPECT_NE(e.FindText("L(v) = 6  inches               (Vent Length)"), nullptr);
    }

    // A bandpass box's vent is its front chamber's; a closed box has none.
    wb.boxTypeName = "5th Order Asymmetric Bandpass Box";
    wb.bandpass5.lvIn = 9.5;
    EXPECT_NE(Body(BoxPageKind::Bandpass, false, false)
                  ->FindText("L(v) = 9.5  inches               (Vent Length)"),
              nullptr);
    wb.boxTypeName = "2nd Order Closed Box";
    const auto closedPage = Body(BoxPageKind::Rectangular, false, true);
    const RecordingCanvas& closed = *closedPage;
    for (const auto& t : closed.Texts())
        EXPECT_EQ(t.text.find("(v)"), std::string::npos) << t.text;
    EXPECT_NE(closed.FindText("Birch ply"), nullptr);
}

TEST_F(BoxReportTest, PageHasFramePictureAndBoxType)
{
    wb.boxTypeName = "4th Order Symmetric Bandpass Box";
    wb.bandpassBox.metric.width = 0.4;
    RecordingCanvas canvas({6363, 4863, 600, 600, true, true});
    DrawBoxReportPage(canvas, *doc, BoxPageKind::Bandpass, true);
    ASSERT_NE(canvas.FindText("4th Order Symmetric Bandpass Box"), nullptr);
    // The drawing's width label, in picture pixels scaled to 22 x 33 report units.
    const auto* width = canvas.FindText("W = 0.4");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->mapping.windowExt.x, ReportLayout::Landscape().windowExt.x / 22);
    EXPECT_EQ(width->mapping.windowExt.y, -ReportLayout::Landscape().windowExt.y / 33);
    EXPECT_STREQ(BoxReportTitle(BoxPageKind::Rectangular), "Rectangular Box Report");
    EXPECT_STREQ(BoxReportTitle(BoxPageKind::Trapezoidal), "Trapezoidal Box Report");
    EXPECT_STREQ(BoxReportTitle(BoxPageKind::Bandpass), "Bandpass Box Report");
}

// Every page's drawing writes its dimensions on its dimension lines and stays in its grid.
TEST(BoxDrawing, DimensionsAsNumbersInsideThePixelGrid)
{
    CSpkSys s;
    s.rectBox.english = {15.2, 9.4, 5.8};
    s.trapBox.metric = {0.38, 0.21, 0.27, 0.12};
    s.trapBox.angle = 14;
    BandpassBoxDims& b = s.bandpassBox.metric;
    b.rearHeight = 0.3;
    b.frontHeight = 0.2;
    b.width = 0.25;
    b.depth = 0.22;
    struct Case {
        BoxPageKind kind;
        bool metric;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {BoxPageKind::Rectangular, false, {"H = 15.2", "W = 9.4", "D = 5.8"}},
        {BoxPageKind::Trapezoidal,
         true,
         {"H = 0.38", "W1 = 0.21", "W2 = 0.27", "D = 0.12", "14\xC2\xB0"}},
        {BoxPageKind::Bandpass, true, {"H = 0.3", "H = 0.2", "W = 0.25", "D = 0.22"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        RecordingCanvas canvas;
        pictures::DrawBoxDrawing(canvas, c.kind, s, c.metric);
        const gfx::Point size = pictures::BoxDrawingSize(c.kind);
        EXPECT_EQ(size.x, 120);
        EXPECT_EQ(size.y, c.kind == BoxPageKind::Bandpass ? 205 : 200);
        for (const std::string& label : c.labels) {
            const auto* t = canvas.FindText(label);
            ASSERT_NE(t, nullptr) << label;
            EXPECT_GE(t->anchorX() - t->textWidth / 2, 0) << label;
            EXPECT_LE(t->anchorX() + t->textWidth / 2, 120) << label;
        }
        // Every line and text stays in the grid.
        for (const auto& line : canvas.Lines()) {
            for (const gfx::Point p : {line.from, line.to}) {
                EXPECT_GE(p.x, 0);
                EXPECT_LE(p.x, size.x);
                EXPECT_GE(p.y, 0);
                EXPECT_LE(p.y, size.y);
            }
        }
        for (const auto& t : canvas.Texts()) {
            EXPECT_GE(t.from.y, 0) << t.text;
            EXPECT_LE(t.from.y + t.font.height, size.y) << t.text;
        }
    }
}

} // namespace
} // namespace cw::reports
