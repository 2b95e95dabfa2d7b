#include "model/CSpkSysDoc.h"
#include "plot/ui/CPlotView.h"
#include "support/RecordingWindows.h"
#include "ui/DarkPixels.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

using test::DarkPixels;

// A plot view on a screen that doubles everything, as QT_SCALE_FACTOR=2 does.
class DoubledPlotView : public CPlotView
{
public:
    using CPlotView::CPlotView;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmDevicePixelRatio)
            return 2;
        if (m == PdmDevicePixelRatioScaled)
            return static_cast<int>(2 * devicePixelRatioFScale());
        return CPlotView::metric(m);
    }
};

struct PlotViewTest : ::testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;

    PlotViewTest()
    {
        settings.plotBackground = 3; // white, so that ink is dark
    }
    // The sample design's workbench curves, calculated but not drawn by a repaint yet.
    void CalculateSampleDesign()
    {
        test::RecordingWindows windows;
        doc->SetWindows(&windows);
        doc->workbench().closed2.qtc = 0.707;
        ASSERT_TRUE(doc->CalcBoxVolume());
        ASSERT_TRUE(doc->CalculateResponse());
        doc->SetWindows(nullptr);
    }
};

TEST_F(PlotViewTest, TheImageHasTheScreensOwnPixels)
{
    CPlotView plain(*doc, settings);
    DoubledPlotView doubled(*doc, settings);
    for (CPlotView* view : {&plain, static_cast<CPlotView*>(&doubled)}) {
        view->resize(500, 300);
        view->PrepareDrawing();
    }
    ASSERT_EQ(plain.image().size(), QSize(500, 300));
    ASSERT_EQ(doubled.image().size(), QSize(1000, 600));

    // The scale labels left of the frame keep their size on the screen: twice as tall and wide
    // in the doubled image's pixels, so about four times the ink.
    const int plainInk = DarkPixels(plain.image(), QRect(0, 0, 40, 300));
    const int doubledInk = DarkPixels(doubled.image(), QRect(0, 0, 80, 600));
    ASSERT_GT(plainInk, 50);
    EXPECT_GT(doubledInk, 3 * plainInk);
    EXPECT_LT(doubledInk, 5 * plainInk);
}

TEST_F(PlotViewTest, CurvesDrawnAtOnceLandInTheDoubledImage)
{
    CalculateSampleDesign();
    DoubledPlotView view(*doc, settings);
    view.resize(500, 300);
    doc->workbench().responseShown = 0;
    view.PrepareDrawing();
    const QImage before = view.image();
    view.DrawSystemNow(11);
    // The curves cross the frame between 40 and 80 Hz, where only the grid was.
    int changed = 0;
    for (int y = 10; y < 590; ++y)
        for (int x = 202; x < 318; ++x)
            changed += view.image().pixel(x, y) != before.pixel(x, y);
    EXPECT_GT(changed, 300);
    EXPECT_EQ(view.image().size(), QSize(1000, 600));
}

TEST_F(PlotViewTest, WithColoursPerSystemOrAKeyACurveDrawnAtOnceIsFollowedByAWholeRedraw)
{
    CalculateSampleDesign();
    for (const bool colours : {true, false}) {
        settings.colourEachSystem = colours;
        settings.showLegend = !colours;
        CPlotView view(*doc, settings);
        view.resize(500, 300);
        doc->workbench().responseShown = 0;
        view.PrepareDrawing();
        doc->workbench().responseShown = 1;
        view.DrawSystemNow(11);
        view.PrepareDrawing(); // as the next paint does

        CPlotView fresh(*doc, settings);
        fresh.resize(500, 300);
        fresh.PrepareDrawing();
        EXPECT_EQ(view.image(), fresh.image()) << colours;
    }
}

} // namespace
} // namespace cw
