#include "calculators/ui/CanvasPicture.h"

#include "gfx/qt/QtCanvas.h"

#include <QPainter>

namespace cw::ui
{

CanvasPicture::CanvasPicture(Draw draw, QSize size, QWidget* parent) : QWidget(parent), draw_(draw)
{
    setFixedSize(size);
}

void CanvasPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
    draw_(canvas, {0, 0, static_cast<double>(width()), static_cast<double>(height())});
}

} // namespace cw::ui
