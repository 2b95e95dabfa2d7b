#include "plot/ui/CPlotView.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace cw
{

CPlotView::CPlotView(const CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent)
    : QWidget(parent), renderer_(doc, settings), settings_(settings)
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

QSize CPlotView::ImageSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(width() * ratio)),
                 static_cast<int>(std::ceil(height() * ratio)))
        .expandedTo(QSize(1, 1));
}

void CPlotView::PrepareDrawing()
{
    if (stale_ || image_.size() != ImageSize())
        RenderAll();
}

void CPlotView::DrawSystemNow(int systemIndex)
{
    PrepareDrawing();
    renderer_.DrawSystem(image_, imageRatio_, systemIndex);
    // Shown at once: the members of a family appear one after the other.
    repaint();
    // Drawn at once, a family's members have the workbench's colour, and no key names them:
    // with a colour per system or a key the whole plot is drawn anew at the next paint.
    if (settings_.colourEachSystem || settings_.showLegend)
        Invalidate();
}

void CPlotView::RenderAll()
{
    // The image keeps a device pixel ratio of 1: the canvas maps onto its pixels itself, and
    // only the copy onto the screen knows about the ratio.
    if (image_.size() != ImageSize())
        image_ = QImage(ImageSize(), QImage::Format_RGB32);
    imageRatio_ = devicePixelRatioF();
    renderer_.RenderAll(image_, imageRatio_);
    stale_ = false;
}

void CPlotView::paintEvent(QPaintEvent* event)
{
    PrepareDrawing();
    QPainter painter(this);
    const QRectF target = event->rect();
    const QRectF source(target.topLeft() * imageRatio_, target.size() * imageRatio_);
    painter.drawImage(target, image_, source);
}

void CPlotView::resizeEvent(QResizeEvent* event)
{
    stale_ = true;
    QWidget::resizeEvent(event);
}

} // namespace cw
