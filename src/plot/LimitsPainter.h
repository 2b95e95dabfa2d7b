#pragma once

#include "engine/Limits.h"
#include "gfx/Canvas.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotPainter.h"

#include <string>
#include <vector>

namespace cw::plot
{

// How the limits and the curves at the design's drive are told apart: by colour on screen
// and in colour printing, by the maximum SPL's pen style as well on black-and-white paper.
struct LimitColors {
    gfx::Pen thermal, excursion, vent; // the maximum SPL where each limit binds
    gfx::Pen power;                    // the maximum power
    gfx::Pen excursionCurve;           // the cone excursion at P(in)
    gfx::Pen velocityCurve;            // the vent's air velocity at P(in)
    gfx::Pen velocityLimit;            // the velocity limit's line
    gfx::Pen radiator;                 // the maximum SPL where a passive radiator's X(max) binds
};
LimitColors LimitColorsFor(int background, bool printing, bool printInColor);

// The vertical scales of the Limits window, worked out from the limits before anything is drawn.
// Rows are the plot's 15 divisions.
struct LimitScales {
    double splTop = 120;       // dB SPL at the frame's top: the loudest shown maximum, rounded up
    double splStep = 2;        // dB a division: the plot's "dB per division"
    int powerTopDecade = 3;    // the frame's top is 10^powerTopDecade W; a decade is 3 divisions
    double excursionSpan = 30; // mm at the top: the plot's "Excursion Range"
    // m/s at the top: room for the limit and half as much again; 0 when no shown system has a
    // vent, which leaves out the velocity scale, its limit line and the key's vent entries.
    double velocitySpan = 30;
    bool operator==(const LimitScales&) const = default;
};

// The limits of one shown system: 0 the workbench, 1..10 a memory.
struct ShownLimits {
    int system = 0;
    engine::Limits limits;
};

LimitScales ScalesFor(const std::vector<ShownLimits>& shown, const PlotSettings& plot,
                      double ventVelocityLimit);

// The Limits window's drawing: on the plot's frequency axis and grid, the maximum SPL of every
// shown system coloured by the limit that binds, its maximum power, and its cone excursion and
// vent air velocity at the design's drive with their limit lines; below the plot a key and the
// sentence that names the bands. The same drawing serves the screen, images and the report.
class LimitsPainter
{
public:
    LimitsPainter(const CSpkSysDoc& doc, const AppSettings& settings);

    // The limits are worked out again at the next drawing (after any change of the document, the
    // display or the preferences).
    void Invalidate() { stale_ = true; }
    const std::vector<ShownLimits>& shown();
    LimitScales scales();

    // The whole window on a screen-like canvas of the given size (device units): the plot over
    // the upper part, the key and the sentences in a band below it.
    void DrawWindow(gfx::Canvas& canvas);
    // The plot alone, frame from y 650 to 9875 of a canvas already mapped like the plot's page.
    void DrawPlot(gfx::Canvas& canvas);
    // The key of the colours, in the canvas's current font, in rows from (x, y) (the top of the
    // text) that wrap before right; returns the y below it.
    double DrawKey(gfx::Canvas& canvas, double x, double y, double right);
    // One sentence a shown system, named when more than one is shown; the workbench's when none.
    std::vector<std::string> Sentences();

    gfx::Font Font(const gfx::Canvas& canvas) const { return axes_.PlotFont(canvas); }

private:
    void Update();
    void DrawScales(gfx::Canvas& canvas, const PlotColors& c);
    void DrawCurves(gfx::Canvas& canvas);

    const CSpkSysDoc& doc_;
    const AppSettings& settings_;
    // The plot's frame, grid, frequency labels, excursion scale and X(max)/X(peak) lines are
    // drawn by the plot itself, over a document that shows no response scale but excursion.
    CSpkSysDoc axesDoc_;
    PlotPainter axes_;
    std::vector<ShownLimits> shown_;
    LimitScales scales_;
    bool stale_ = true;
};

} // namespace cw::plot
