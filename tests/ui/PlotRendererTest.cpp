#include "plot/ui/PlotRenderer.h"

#include "engine/CalculateResponse.h"
#include "gfx/qt/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

// A family of the sample driver in closed boxes, every kind and every system shown.
std::unique_ptr<CSpkSysDoc> Family()
{
    auto doc = std::make_unique<CSpkSysDoc>();
    DisplaySwitches& d = doc->display;
    d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
    doc->workbench().closed2.vbLiters = doc->workbench().closed2.vbCuFt = 0;
    engine::CalculateResponse(*doc);
    for (CSpkSys& s : doc->systems)
        s.responseShown = 1;
    return doc;
}

// The plot drawn in one go on one image, as it was drawn before the axes had a layer.
QImage DrawnAtOnce(const CSpkSysDoc& doc, const AppSettings& settings, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(image, false, false));
    plot::PlotPainter::PrepareScreen(canvas, image.width(), image.height());
    plot::PlotPainter(doc, settings).Draw(canvas);
    return image;
}

TEST(PlotRenderer, DrawsTheSamePixelsWithTheAxesLayerKeptOrRedrawn)
{
    const auto doc = Family();
    AppSettings settings;
    PlotRenderer renderer(*doc, settings);
    QImage image(900, 600, QImage::Format_RGB32);

    renderer.RenderAll(image, 1); // the layer is drawn
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));
    renderer.RenderAll(image, 1); // the layer is kept
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));

    // What the axes show changes: the layer follows the background, the spans, the hidden
    // scales and the size.
    settings.plotBackground = 1;
    renderer.RenderAll(image, 1);
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));
    doc->plot.dbSpan = 45;
    doc->display.showPhase = 0;
    renderer.RenderAll(image, 1);
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));
    image = QImage(640, 480, QImage::Format_RGB32);
    renderer.RenderAll(image, 1);
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));

    // The SPL reference of absolute levels is part of the axes: a quieter workbench changes it.
    doc->display.splMode = 1;
    renderer.RenderAll(image, 1);
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));
    for (CSpkSys& s : doc->systems)
        s.inputPower /= 100;
    renderer.RenderAll(image, 1);
    EXPECT_EQ(image, DrawnAtOnce(*doc, settings, image.size()));
}

} // namespace
} // namespace cw
