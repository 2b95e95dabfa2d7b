#pragma once

#include "gfx/RecordingCanvas.h"
#include "plot/PlotPainter.h"

#include <QImage>
#include <functional>
#include <vector>

namespace cw
{

// Draws the plot of a project into a screen image. The background, frame, grid and scales are
// kept as a layer of their own and drawn again only when what they draw changes (the settings,
// the shown kinds, the SPL reference, the size); a full redraw copies the layer and draws the
// curves over it, which gives the same pixels as drawing everything anew.
class PlotRenderer
{
public:
    PlotRenderer(const CSpkSysDoc& doc, const AppSettings& settings) : painter_(doc, settings) {}

    // The whole plot into image, whose pixels are pixelRatio times the screen's own size.
    void RenderAll(QImage& image, double pixelRatio);
    // One system's curves into image at once (1..10 a memory, 11 the workbench, 0 every shown
    // system), over whatever the image holds.
    void DrawSystem(QImage& image, double pixelRatio, int systemIndex);

private:
    void WithCanvas(QImage& image, double pixelRatio,
                    const std::function<void(gfx::Canvas&)>& draw);
    void DrawAxesLayer(gfx::Canvas& canvas);

    // Kept between drawings: immediate curves need the SPL reference of the last axes.
    plot::PlotPainter painter_;
    QImage axes_;
    // The calls that drew the layer: when the axes would be drawn with other calls, it is stale.
    std::vector<gfx::RecordingCanvas::Op> axesCalls_;
};

} // namespace cw
