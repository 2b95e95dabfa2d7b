#pragma once

#include "gfx/qt/QtRender.h"

#include <QWidget>

namespace cw::gfx
{

// A widget that shows a drawing made on a canvas in pixels of its own: the logical size given,
// x to the right and y downwards from the top-left corner, one logical unit per pixel.
class CanvasWidget : public QWidget
{
    Q_OBJECT
public:
    CanvasWidget(QSize logicalSize, DrawFunction draw, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawFunction draw_;
};

} // namespace cw::gfx
