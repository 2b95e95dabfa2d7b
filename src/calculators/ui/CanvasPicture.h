#pragma once

#include "gfx/Canvas.h"

#include <QSize>
#include <QWidget>

namespace cw::ui
{

// A picture of the program's own drawn on the canvas at a fixed size, such as a calculator
// page's icon.
class CanvasPicture : public QWidget
{
    Q_OBJECT
public:
    using Draw = void (*)(gfx::Canvas& canvas, const gfx::Rect& rect);
    CanvasPicture(Draw draw, QSize size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Draw draw_;
};

} // namespace cw::ui
