#include "reports/ReportLayout.h"

#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"
#include "reports/ReportTitleBlock.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace cw::reports
{
namespace
{

using gfx::Point;
using gfx::RecordingCanvas;

TEST(ReportLayout, CalculatorPagesOfBothOrientations)
{
    // Letter at 600 dpi inside 10 mm margins.
    RecordingCanvas portrait({4863, 6363, 600, 600, true, false});
    const ReportLayout& p = MapCalculatorReportPage(portrait);
    EXPECT_EQ(&p, &ReportLayout::Portrait());
    EXPECT_EQ(portrait.mapping().windowExt, (Point{10000, 10000}));
    EXPECT_EQ(portrait.mapping().viewportExt, (Point{4863, -6363 / 2.0}));
    EXPECT_EQ(portrait.mapping().viewportOrg, (Point{0, 6363 / 2.0}));
    // The page's corners: (0, H) at the top left, (R, -H) at the bottom right.
    EXPECT_EQ(portrait.mapping().ToDevice({0, p.halfHeight}), (Point{0, 0}));
    EXPECT_EQ(portrait.mapping().ToDevice({p.right, -p.halfHeight}), (Point{4863, 6363}));
    EXPECT_EQ(p.titleBlock, (Point{5785, -6385}));
    EXPECT_EQ(p.polarityNote, (Point{650, -985}));
    EXPECT_EQ(p.Row(11.5), 4900);
    EXPECT_EQ(p.Row(-0.25), 200);
    EXPECT_EQ(p.Row(5.75), 2600);   // below four inputs
    EXPECT_EQ(p.Row(1.0 / 3), 433); // truncated

    RecordingCanvas landscape({6363, 4863, 600, 600, true, true});
    const ReportLayout& l = MapCalculatorReportPage(landscape);
    EXPECT_EQ(&l, &ReportLayout::Landscape());
    EXPECT_EQ(landscape.mapping().windowExt, (Point{12941, 7727}));
    EXPECT_EQ(landscape.mapping().ToDevice({l.right, -l.halfHeight}), (Point{6363, 4863}));
    // The title block at the lower right, the columns moved right.
    EXPECT_EQ(l.titleBlock, (Point{8726, -4112}));
    EXPECT_EQ(l.polarityNote, (Point{1920, -912}));
    EXPECT_EQ(l.labelColumn - p.labelColumn, 2300);
    EXPECT_EQ(l.crossoverPicture, (Point{100, -190}));
}

TEST(ReportLayout, TitleBlockWhereverItIsPlaced)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    doc->workbench().systemName = "Test System";
    doc->workbench().revision = "B";
    doc->titleBlock.phone = "555 0100";
    RecordingCanvas canvas({6363, 4863, 600, 600, true, true});
    const ReportLayout& l = MapCalculatorReportPage(canvas);
    DrawTitleBlock(canvas, l.titleBlock, doc->titleBlock, doc->workbench(),
                   "First Order Butterworth Crossover");

    const double left = 8726, top = -4112, right = left + 4200;
    auto text = [&](std::string_view s) {
        const RecordingCanvas::Op* op = canvas.FindText(s);
        if (!op)
            throw std::runtime_error("no text " + std::string(s));
        return *op;
    };
    EXPECT_DOUBLE_EQ(text("Test System").anchorX(), left + 2100);
    EXPECT_DOUBLE_EQ(text("Test System").from.y, -5786); // 6.2 lines of 270 below the top
    EXPECT_DOUBLE_EQ(text("First Order Butterworth Crossover").anchorX(), left + 2100);
    EXPECT_DOUBLE_EQ(text("First Order Butterworth Crossover").from.y, -6110);
    EXPECT_EQ(canvas.FindText(doc->workbench().boxTypeName), nullptr);
    EXPECT_DOUBLE_EQ(text("555 0100").anchorX(), right - 100);
    EXPECT_DOUBLE_EQ(text("System Name:").anchorX(), left + 810);
    EXPECT_DOUBLE_EQ(text("System Name:").from.y, top - 1440 - 40);
    EXPECT_DOUBLE_EQ(text("Title:").from.y, top - 2484 - 330);
    EXPECT_EQ(text("B").from, (Point{right - 420, top - 3168 - 80}));

    // The frame and the three rules, all inside the page.
    int frames = 0;
    for (const auto& line : canvas.Lines()) {
        EXPECT_GE(line.from.x, left);
        EXPECT_LE(line.to.x, right);
        EXPECT_GE(line.from.y, -l.halfHeight);
        frames += line.pen.width == 15;
    }
    EXPECT_EQ(frames, 4);
    EXPECT_EQ(canvas.Lines().size(), 7U);
}

} // namespace
} // namespace cw::reports
