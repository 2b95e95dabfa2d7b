#pragma once

#include "gfx/qt/QtRender.h"

#include <QWidget>

namespace cw::ui
{

// A widget that shows a drawing made on a canvas in pixels of its own: the logical size given,
// x to the right and y downwards from the top-left corner. Fixed, the widget has the logical size
// and shows one logical unit per pixel. Fitted, it asks for scale pixels per unit at least, and
// given more room the drawing grows with its proportions kept, centred in the widget.
class CanvasWidget : public QWidget
{
    Q_OBJECT
public:
    CanvasWidget(QSize logicalSize, gfx::DrawFunction draw, QWidget* parent = nullptr);
    static CanvasWidget* Fitted(QSize logicalSize, double scale, gfx::DrawFunction draw,
                                QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize logicalSize_;
    gfx::DrawFunction draw_;
};

} // namespace cw::ui
