#include "forms/ui/ButtonFace.h"

#include <QPalette>
#include <QWidget>

namespace cw::ui
{

void DrawOnButtonFace(QWidget* page)
{
    QPalette palette = page->palette();
    const QColor face = palette.color(QPalette::Button);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Base, face);
    page->setPalette(palette);
    page->setAutoFillBackground(true);
}

} // namespace cw::ui
