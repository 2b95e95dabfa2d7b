#include "reports/CompareReport.h"

#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw::reports
{
namespace
{

using gfx::RecordingCanvas;

// Two systems side by side: a row per quantity, a column per system, inside the page's frame and
// above its title block.
TEST(CompareReport, ColumnPerSystemAboveTheTitleBlock)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    engine::CompareRow a, b;
    a.system = 0;
    a.name = "Den Sub with a long name";
    a.boxType = BoxType::Closed2;
    a.f3 = 41.26;
    b.system = 4;
    b.name = "Vented";
    b.boxType = BoxType::Vented4;
    b.f3 = 33.04;
    b.maxSplLimit[1] = engine::Limit::Vent;
    RecordingCanvas canvas({4863, 6363, 600, 600, true, false});
    DrawCompareReportPage(canvas, *doc, {a, b}, true);

    const auto* title = canvas.FindText("F3 (Hz)");
    const auto* first = canvas.FindText("41.3");
    const auto* second = canvas.FindText("33.0");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->from.y, title->from.y);
    EXPECT_EQ(second->from.y, title->from.y);
    EXPECT_LT(title->anchorX(), first->anchorX());
    EXPECT_LT(first->anchorX(), second->anchorX());
    EXPECT_LE(second->anchorX(), 10000);
    ASSERT_NE(canvas.FindText("Sys 4"), nullptr);
    ASSERT_NE(canvas.FindText("vent"), nullptr);
    ASSERT_NE(canvas.FindText("4OVB"), nullptr);
    ASSERT_NE(canvas.FindText("V(B) (l)"), nullptr);
    // Names are cut to the narrow column.
    EXPECT_NE(canvas.FindText("Den Sub with"), nullptr);
    // The title block's second line names the page.
    EXPECT_NE(canvas.FindText("Compare Systems"), nullptr);
    // Every line of the table stays above the title block, which starts below y = -6000.
    const auto* last = canvas.FindText("Vent Velocity (m/s)");
    ASSERT_NE(last, nullptr);
    EXPECT_GT(last->from.y, -6000);
}

} // namespace
} // namespace cw::reports
