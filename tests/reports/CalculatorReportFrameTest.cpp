#include "reports/CalculatorReportFrame.h"

#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw::reports
{
namespace
{

using gfx::Point;
using gfx::RecordingCanvas;

TEST(CalculatorReportFrame, BorderLogoAndTitleBlockOnBothOrientations)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    doc->workbench().systemName = "Den Sub";
    for (bool landscape : {false, true}) {
        SCOPED_TRACE(landscape);
        RecordingCanvas canvas(
            {landscape ? 6363.0 : 4863.0, landscape ? 4863.0 : 6363.0, 600, 600, true, landscape});
        const ReportLayout& l = MapCalculatorReportPage(canvas);
        DrawCalculatorReportFrame(canvas, l, *doc, "Tweeter Attenuator Network");

        // The border: four sides of 10 units from (50, H) to (R, -H).
        int sides = 0;
        for (const auto& line : canvas.Lines()) {
            const bool vertical =
                line.from.x == line.to.x && (line.from.x == 50 || line.from.x == l.right);
            const bool horizontal = line.from.y == line.to.y &&
                                    (line.from.y == l.halfHeight || line.from.y == -l.halfHeight);
            if ((vertical || horizontal) && line.pen.width == 10)
                ++sides;
        }
        EXPECT_EQ(sides, 4);

        const auto* mark = canvas.FindText("CW");
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(mark->from, (Point{l.right - 600, l.topLine - 60}));
        EXPECT_EQ(mark->font.height, 350);
        ASSERT_NE(canvas.FindText("Den Sub"), nullptr);
        const auto* second = canvas.FindText("Tweeter Attenuator Network");
        ASSERT_NE(second, nullptr);
        EXPECT_GT(second->from.x, l.titleBlock.x);
        EXPECT_LT(second->from.y, l.titleBlock.y);
    }
}

TEST(CalculatorReportFrame, PicturePixelsLandOnTheirReportCells)
{
    RecordingCanvas canvas({4863, 6363, 600, 600, true, false});
    const ReportLayout& l = MapCalculatorReportPage(canvas);
    const gfx::Mapping page = canvas.mapping();
    DrawReportPicture(canvas, l.crossoverPicture, kCrossoverPictureCell, [](gfx::Canvas& c) {
        c.MoveTo(0, 0);
        c.LineTo(290, 210);
    });
    EXPECT_EQ(canvas.mapping(), page);
    const auto lines = canvas.Lines();
    ASSERT_EQ(lines.size(), 1u);
    const auto& line = lines[0];
    // Pixel (0, 0) at (425, 5130) of the report; y grows downwards in the picture.
    auto report = [&](Point p) {
        const Point d = line.mapping.ToDevice(p);
        return Point{(d.x - page.viewportOrg.x) / page.scaleX(),
                     (d.y - page.viewportOrg.y) / page.scaleY()};
    };
    const Point topLeft = report(line.from);
    const Point bottomRight = report(line.to);
    EXPECT_NEAR(topLeft.x, 425, 1e-9);
    EXPECT_NEAR(topLeft.y, 5130, 1e-9);
    EXPECT_NEAR(bottomRight.x, 425 + 290 * 17, 1e-9);
    EXPECT_NEAR(bottomRight.y, 5130 - 210 * 27, 1e-9);
}

} // namespace
} // namespace cw::reports
