#pragma once

#include "plot/ui/PlotRenderer.h"

#include <QImage>
#include <QWidget>

namespace cw
{

// The response plot of a project. It paints from a backing image: a repaint draws the axes and
// every shown system into the image anew, while Calculate Response and the families draw their
// curves straight into the image, so that family members pile up until the next repaint. The
// image has the screen's own pixels, so that on a screen with a scale factor the plot stays as
// sharp as on any other.
class CPlotView : public QWidget
{
    Q_OBJECT
public:
    CPlotView(const CSpkSysDoc& doc, const AppSettings& settings, QWidget* parent = nullptr);

    // The next paint redraws the whole plot.
    void Invalidate();
    // Redraws the whole plot now.
    void RepaintNow();
    // Makes the backing image current so that curves can be drawn into it.
    void PrepareDrawing();
    // Draws one system's curves into the image at once (1..10 a memory, 11 the workbench, 0
    // every shown system) and shows them.
    void DrawSystemNow(int systemIndex);

    // The backing image, in device pixels: the view's size times its device pixel ratio.
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The size the backing image must have now, in device pixels.
    QSize ImageSize() const;
    void RenderAll();

    PlotRenderer renderer_;
    QImage image_;
    double imageRatio_ = 1; // device pixels per widget pixel of the image
    const AppSettings& settings_;
    bool stale_ = true;
};

} // namespace cw
