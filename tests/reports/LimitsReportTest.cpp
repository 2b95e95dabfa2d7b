#include "reports/LimitsReport.h"

#include "engine/Limits.h"
#include "gfx/RecordingCanvas.h"
#include "model/BoxType.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw::reports
{
namespace
{

using gfx::RecordingCanvas;
using Op = RecordingCanvas::Op;

// A calculated closed box of the sample driver on a Letter page at 600 dpi.
struct LimitsReportTest : ::testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    RecordingCanvas canvas{{5100, 6600, 600, 600, true, false}};

    void SetUp() override
    {
        doc->workbench().closed2.vbLiters = 30;
        doc->workbench().closed2.vbCuFt = 30 / 28.317;
        ASSERT_TRUE(doc->CalculateResponse());
        settings.ventVelocityLimit = 20;
        DrawLimitsReportPage(canvas, *doc, settings);
    }
    // The text drawn to the right of a label on the same row.
    std::string RightOf(const char* label) const
    {
        const Op* l = canvas.FindText(label);
        if (!l)
            return "(no " + std::string(label) + ")";
        std::string found;
        for (const Op& t : canvas.Texts()) {
            if (t.from.y == l->from.y && t.anchorX() > l->anchorX() &&
                (found.empty() || t.anchorX() < 3500))
                found = t.text;
        }
        return found;
    }
};

TEST_F(LimitsReportTest, OnePageWithThePlotTheSentenceTheValuesAndTheTitleBlock)
{
    // The plot in the page's upper half, the Limits part below it.
    const Op* heading = canvas.FindText("Limits");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->from, (gfx::Point{800, -250}));
    ASSERT_NE(canvas.FindText("SPL"), nullptr);
    EXPECT_GT(canvas.FindText("SPL")->from.y, 0);
    for (const Op& p : canvas.Polylines()) {
        if (p.points.size() <= 10) // the frame, not a curve
            continue;
        for (const gfx::Point& at : p.points)
            EXPECT_GE(at.y, 650);
    }

    // The key and the workbench's sentence, whole on the page.
    EXPECT_NE(canvas.FindText("the voice coil, P(t)"), nullptr);
    std::string text;
    for (const Op& t : canvas.Texts())
        text += t.text + " ";
    const std::string sentence = engine::CalculateLimits(doc->workbench(), 20).sentence;
    EXPECT_NE(text.find(sentence.substr(0, 30)), std::string::npos) << text;
    EXPECT_NE(text.find("peak values"), std::string::npos);

    // The values the limits come from, in the preference's velocity limit.
    EXPECT_EQ(RightOf("X(max) ="), "6");
    EXPECT_EQ(RightOf("P(t) ="), "75");
    EXPECT_EQ(RightOf("v(max) ="), "20");

    // The title block names the system and its box.
    EXPECT_NE(canvas.FindText("System Name:"), nullptr);
    EXPECT_NE(canvas.FindText(doc->workbench().systemName), nullptr);
    EXPECT_NE(canvas.FindText(std::string(BoxTypeName(BoxType::Closed2))), nullptr);
}

} // namespace
} // namespace cw::reports
