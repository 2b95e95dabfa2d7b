#include "plot/ui/CPlotView.h"

#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"

#include <QPaintEvent>
#include <QPainter>

namespace cw
{

namespace
{

// The plotting background colours of the preference, 0 to 4.
QColor BackgroundColour(int background)
{
    switch (background) {
    case 1:
        return QColor(0, 0, 0);
    case 2:
        return QColor(128, 128, 128);
    case 3:
        return QColor(255, 255, 255);
    case 4:
        return QColor(192, 192, 192);
    default:
        return QColor(0, 128, 128);
    }
}

} // namespace

CPlotView::CPlotView(ProjectWindows& project, QWidget* parent) : QWidget(parent), project_(project)
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

void CPlotView::PrepareDrawing()
{
    if (stale_ || image_.size() != size())
        RenderAll();
}

void CPlotView::DrawSystemNow(int systemIndex)
{
    PrepareDrawing();
    (void)systemIndex;
    repaint();
}

void CPlotView::RenderAll()
{
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (image_.size() != wanted)
        image_ = QImage(wanted, QImage::Format_RGB32);
    image_.fill(BackgroundColour(project_.app().settings().plotBackground));
    stale_ = false;
}

void CPlotView::paintEvent(QPaintEvent* event)
{
    PrepareDrawing();
    QPainter painter(this);
    painter.drawImage(event->rect(), image_, event->rect());
}

void CPlotView::resizeEvent(QResizeEvent* event)
{
    stale_ = true;
    QWidget::resizeEvent(event);
}

} // namespace cw
