#include "plot/ui/PlotRenderer.h"

#include "gfx/qt/QtCanvas.h"

#include <QPainter>
#include <algorithm>

namespace cw
{

namespace
{

gfx::DeviceInfo ScreenDevice(const QImage& image, double pixelRatio)
{
    gfx::DeviceInfo device = gfx::QtCanvas::DescribeDevice(image, false, false);
    device.pixelRatio = pixelRatio;
    return device;
}

} // namespace

void PlotRenderer::WithCanvas(QImage& image, double pixelRatio,
                              const std::function<void(gfx::Canvas&)>& draw)
{
    QPainter painter(&image);
    gfx::QtCanvas canvas(painter, ScreenDevice(image, pixelRatio));
    plot::PlotPainter::PrepareScreen(canvas, image.width(), image.height());
    draw(canvas);
}

void PlotRenderer::DrawAxesLayer(gfx::Canvas& canvas)
{
    if (canvas.device().height <= 0)
        return;
    painter_.EraseBackground(canvas);
    painter_.DrawAxes(canvas);
}

void PlotRenderer::RenderAll(QImage& image, double pixelRatio)
{
    // What the layer would be drawn with now: the same device facts and mapping, so that a
    // change of size, settings or anything the axes show changes the calls.
    gfx::RecordingCanvas calls(ScreenDevice(image, pixelRatio));
    plot::PlotPainter::PrepareScreen(calls, image.width(), image.height());
    DrawAxesLayer(calls);
    if (axes_.size() != image.size() || axes_.format() != image.format() ||
        calls.ops() != axesCalls_) {
        axes_ = QImage(image.size(), image.format());
        axes_.fill(Qt::white);
        WithCanvas(axes_, pixelRatio, [this](gfx::Canvas& canvas) { DrawAxesLayer(canvas); });
        axesCalls_ = calls.ops();
    }
    if (image.size() == axes_.size() && image.format() == axes_.format())
        std::copy_n(axes_.constBits(), axes_.sizeInBytes(), image.bits());
    else
        image = axes_.copy();
    DrawSystem(image, pixelRatio, 0);
}

void PlotRenderer::DrawSystem(QImage& image, double pixelRatio, int systemIndex)
{
    WithCanvas(image, pixelRatio, [this, systemIndex](gfx::Canvas& canvas) {
        painter_.DrawCurves(canvas, systemIndex);
    });
}

} // namespace cw
