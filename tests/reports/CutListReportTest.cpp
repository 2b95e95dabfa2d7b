#include "reports/CutListReport.h"

#include "gfx/RecordingCanvas.h"
#include "model/CSpkSysDoc.h"
#include "reports/ReportLayout.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace cw::reports
{
namespace
{

using calc::BoxPageKind;
using gfx::RecordingCanvas;

constexpr gfx::Color kBoard{222, 222, 222};

struct CutListReportTest : testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    CSpkSys& wb = doc->workbench();

    void SetUp() override
    {
        wb.closed2.vbLiters = 40;
        wb.closed2.vbCuFt = 1.4126;
        calc::BoxCalculatorPage(BoxPageKind::Rectangular, wb, doc->boxLocks).Start();
    }

    std::unique_ptr<RecordingCanvas> Page(bool landscape)
    {
        auto canvas = std::make_unique<RecordingCanvas>(gfx::DeviceInfo{
            landscape ? 6363.0 : 4863.0, landscape ? 4863.0 : 6363.0, 600, 600, true, landscape});
        DrawCutListReportPage(*canvas, *doc, BoxPageKind::Rectangular, true);
        return canvas;
    }
};

bool HasText(const RecordingCanvas& canvas, const std::string& text)
{
    const auto texts = canvas.Texts();
    return std::any_of(texts.begin(), texts.end(),
                       [&](const auto& op) { return op.text.find(text) != std::string::npos; });
}

TEST_F(CutListReportTest, PageListsThePanelsAndDrawsThemOnTheSheetInProportion)
{
    for (const bool landscape : {false, true}) {
        const auto canvas = Page(landscape);
        const ReportLayout& layout =
            landscape ? ReportLayout::Landscape() : ReportLayout::Portrait();
        std::string why;
        const auto list = calc::MakeCutList(wb, BoxPageKind::Rectangular, doc->cutList, true, why);
        ASSERT_TRUE(list);
        for (const calc::Panel& p : list->panels)
            EXPECT_TRUE(HasText(*canvas, p.name)) << p.name;
        EXPECT_TRUE(HasText(*canvas, "Rectangular Box Cut List"));
        EXPECT_TRUE(HasText(*canvas, "1 sheet of 2440 x 1220 mm, 3 mm kerf."));
        EXPECT_TRUE(HasText(*canvas, "Driver cut-out (front mount) in the Front baffle: 186 mm"));

        const calc::SheetLayout sheets = calc::LayOutSheets(*list, doc->cutList);
        std::size_t boards = 0;
        for (const auto& op : canvas->ops()) {
            if (op.kind != RecordingCanvas::Kind::FillRect || !(op.fill == kBoard))
                continue;
            const calc::PlacedPanel& placed = sheets.stocks[0].placed[boards++];
            // Above the title block and on the page; the device keeps the panel's proportions.
            EXPECT_GT(std::min(op.rect.top, op.rect.bottom), layout.titleBlock.y);
            EXPECT_LT(std::max(op.rect.top, op.rect.bottom), layout.topLine);
            const double w = std::abs(op.rect.right - op.rect.left) * op.mapping.scaleX();
            const double h = std::abs(op.rect.top - op.rect.bottom) * -op.mapping.scaleY();
            EXPECT_NEAR(w / h, placed.along / placed.across, 1e-9);
        }
        EXPECT_EQ(boards, sheets.stocks[0].placed.size());
    }
}

TEST_F(CutListReportTest, PageWithoutABoxSaysWhy)
{
    const auto canvas =
        std::make_unique<RecordingCanvas>(gfx::DeviceInfo{4863.0, 6363.0, 600, 600, true, false});
    DrawCutListReportPage(*canvas, *doc, BoxPageKind::Trapezoidal, false);
    EXPECT_TRUE(HasText(*canvas, "The Trapezoidal Box page has no box yet"));
}

TEST_F(CutListReportTest, PictureDrawsEverySheetInsideIt)
{
    doc->cutList.sheetLengthMm = 1000;
    doc->cutList.sheetWidthMm = 600;
    std::string why;
    const auto list = calc::MakeCutList(wb, BoxPageKind::Rectangular, doc->cutList, true, why);
    ASSERT_TRUE(list);
    const calc::SheetLayout sheets = calc::LayOutSheets(*list, doc->cutList);
    ASSERT_GT(sheets.sheets(), 1);
    RecordingCanvas canvas({1200, 800, 96, 96, false, false});
    DrawSheetLayoutPicture(canvas, 1200, 800, *list, sheets);
    int white = 0;
    for (const auto& op : canvas.ops()) {
        if (op.kind != RecordingCanvas::Kind::FillRect)
            continue;
        white += op.fill == gfx::kWhite;
        EXPECT_GE(op.rect.left, 0);
        EXPECT_LE(op.rect.right, 1200);
        EXPECT_GE(std::min(op.rect.top, op.rect.bottom), 0);
        EXPECT_LE(std::max(op.rect.top, op.rect.bottom), 800);
    }
    EXPECT_EQ(white, 1 + sheets.sheets()); // the background and each sheet
    EXPECT_TRUE(HasText(canvas, "Sheet " + std::to_string(sheets.sheets()) + ", 18 mm"));
}

} // namespace
} // namespace cw::reports
