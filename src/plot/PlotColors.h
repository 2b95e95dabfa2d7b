#pragma once

#include "gfx/Canvas.h"

namespace cw::plot
{

// The colours and pens of the plot for one "Plotting Background" (0 Billiard Green, 1 Black
// Velvet, 2 Dark Gray, 3 White, 4 Light Gray) or for paper.
struct PlotColors {
    gfx::Color background;
    gfx::Pen frame; // frame and the 0 dB line
    gfx::Pen grid;  // dotted
    gfx::Color text;
    // Curves, one colour per response kind, and the frame drawn again over the curve ends.
    gfx::Color spl, excursion, phase, delay, impedance, frameRedraw;
    // Scale names and the excursion limit lines.
    gfx::Color excursionName, phaseName, delayName, impedanceName;
    gfx::Color linearLimit, mechanicalLimit;
};

inline constexpr double kPenWidth = 10; // logical units
inline constexpr double kThinPenWidth = 1;

// Screen colours by background (a value outside 0..4 takes Billiard Green); printing takes the
// colours of a white background with "Print in Color" and black for everything without it.
PlotColors ColorsFor(int background, bool printing, bool printInColor);

} // namespace cw::plot
