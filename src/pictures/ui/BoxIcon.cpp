#include "pictures/ui/BoxIcon.h"

#include "gfx/qt/QtCanvas.h"
#include "pictures/Pictures.h"

#include <QPainter>

namespace cw::ui
{

BoxIcon::BoxIcon(BoxType type, QWidget* parent) : QWidget(parent), type_(type)
{
    setFixedSize(sizeHint());
    setToolTip(QString::fromUtf8(BoxTypeName(type).data()));
}

void BoxIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(*this, false, false));
    pictures::DrawBoxPicture(canvas, type_, {2, 2, width() - 2.0, height() - 2.0});
}

} // namespace cw::ui
