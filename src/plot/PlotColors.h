#pragma once

#include "gfx/Canvas.h"
#include "model/CSpkSysDoc.h"

#include <array>

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
    // With "Colour each system": the colour of the workbench (0) and of each memory (k).
    std::array<gfx::Color, kSystemCount> systems;
};

// The curves a system can have, in drawing order; the radiators' excursion last.
enum class CurveKind { Spl, Excursion, Phase, Delay, Impedance, RadiatorExcursion };
inline constexpr int kCurveKinds = 6;

inline constexpr double kPenWidth = 10; // logical units
inline constexpr double kThinPenWidth = 1;

// Screen colours by background (a value outside 0..4 takes Billiard Green); printing takes the
// colours of a white background with "Print in Color" and black for everything without it.
PlotColors ColorsFor(int background, bool printing, bool printInColor);

// The pen of one curve of a system: the kind's colour, or with a colour per system the
// system's colour and the kind's line style.
gfx::Pen CurvePen(const PlotColors& c, CurveKind kind, int system, bool colourEachSystem);

} // namespace cw::plot
