#include "gfx/qt/CanvasWidget.h"

#include "gfx/qt/QtCanvas.h"

#include <QPainter>

namespace cw::gfx
{

CanvasWidget::CanvasWidget(QSize logicalSize, DrawFunction draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw))
{
    setFixedSize(logicalSize);
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtCanvas canvas(painter, QtCanvas::DescribeDevice(*this, false, false));
    canvas.SetWindowExt(width(), height());
    canvas.SetViewportExt(width(), height());
    draw_(canvas);
}

} // namespace cw::gfx
