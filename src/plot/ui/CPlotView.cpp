#include "plot/ui/CPlotView.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "gfx/qt/QtCanvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace cw
{

CPlotView::CPlotView(ProjectWindows& project, QWidget* parent)
    : QWidget(parent), painter_(project.doc(), project.app().settings())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
}

void CPlotView::Invalidate()
{
    stale_ = true;
    update();
}

void CPlotView::RepaintNow()
{
    stale_ = true;
    repaint();
}

void CPlotView::PrepareDrawing()
{
    if (stale_ || image_.size() != size())
        RenderAll();
}

void CPlotView::WithCanvas(const std::function<void(gfx::Canvas&)>& draw)
{
    QPainter painter(&image_);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(image_, false, false));
    plot::PlotPainter::PrepareScreen(canvas, image_.width(), image_.height());
    draw(canvas);
}

void CPlotView::DrawSystemNow(int systemIndex)
{
    PrepareDrawing();
    WithCanvas(
        [this, systemIndex](gfx::Canvas& canvas) { painter_.DrawCurves(canvas, systemIndex); });
    // Shown at once: the members of a family appear one after the other.
    repaint();
}

void CPlotView::RenderAll()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (image_.size() != wanted)
        image_ = QImage(wanted, QImage::Format_RGB32);
    image_.fill(Qt::white);
    WithCanvas([this](gfx::Canvas& canvas) { painter_.Draw(canvas); });
    stale_ = false;
}

void CPlotView::paintEvent(QPaintEvent* event)
{
    PrepareDrawing();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void CPlotView::resizeEvent(QResizeEvent* event)
{
    stale_ = true;
    QWidget::resizeEvent(event);
}

} // namespace cw
