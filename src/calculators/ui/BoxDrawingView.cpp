#include "calculators/ui/BoxDrawingView.h"

#include "calculators/BoxDrawing.h"
#include "gfx/qt/QtCanvas.h"

#include <QPainter>
#include <algorithm>

namespace cw::ui
{

namespace
{
// The drawing shows at twice its pixel grid, so that its labels read like the page's.
constexpr int kScale = 2;
} // namespace

BoxDrawingView::BoxDrawingView(calc::BoxPageKind kind, std::function<const CSpkSys&()> record,
                               bool metric, QWidget* parent)
    : QWidget(parent), kind_(kind), record_(std::move(record)), metric_(metric)
{
    setMinimumSize(sizeHint());
}

QSize BoxDrawingView::sizeHint() const
{
    const gfx::Point size = calc::BoxDrawingSize(kind_);
    return {static_cast<int>(size.x) * kScale, static_cast<int>(size.y) * kScale};
}

void BoxDrawingView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
    const gfx::Point size = calc::BoxDrawingSize(kind_);
    const double scale = std::min(width() / size.x, height() / size.y);
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(size.x, size.y);
    canvas.SetViewportExt(size.x * scale, size.y * scale);
    canvas.SetViewportOrg((width() - size.x * scale) / 2, (height() - size.y * scale) / 2);
    calc::DrawBoxDrawing(canvas, kind_, record_(), metric_);
}

} // namespace cw::ui
