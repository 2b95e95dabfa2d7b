#include "pictures/ui/CanvasWidget.h"

#include "gfx/qt/QtCanvas.h"

#include <QPainter>
#include <algorithm>

namespace cw::ui
{

CanvasWidget::CanvasWidget(QSize logicalSize, gfx::DrawFunction draw, QWidget* parent)
    : QWidget(parent), logicalSize_(logicalSize), draw_(std::move(draw))
{
    setFixedSize(logicalSize);
}

CanvasWidget* CanvasWidget::Fitted(QSize logicalSize, double scale, gfx::DrawFunction draw,
                                   QWidget* parent)
{
    auto* widget = new CanvasWidget(logicalSize, std::move(draw), parent);
    widget->setMinimumSize(logicalSize * scale);
    widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return widget;
}

void CanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
    const double w = logicalSize_.width();
    const double h = logicalSize_.height();
    const double scale = std::min(width() / w, height() / h);
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(w, h);
    canvas.SetViewportExt(w * scale, h * scale);
    canvas.SetViewportOrg((width() - w * scale) / 2, (height() - h * scale) / 2);
    draw_(canvas);
}

} // namespace cw::ui
