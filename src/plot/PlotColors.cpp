#include "plot/PlotColors.h"

namespace cw::plot
{

namespace
{

using gfx::Color;
using gfx::kBlack;
using gfx::Pen;
using gfx::PenStyle;

constexpr Color kSilver{192, 192, 192};
constexpr Color kGray{128, 128, 128};
constexpr Color kCrimson{224, 0, 82};
constexpr Color kRed{255, 0, 0};
constexpr Color kMagenta{192, 0, 192};
constexpr Color kBlue{0, 0, 255};
constexpr Color kOlive{192, 192, 0};
constexpr Color kYellow{255, 255, 0};

Pen Solid(Color c)
{
    return {PenStyle::Solid, kPenWidth, c};
}
Pen Dotted(Color c, double width = kPenWidth)
{
    return {PenStyle::Dot, width, c};
}

// The light-background colours, shared by Dark Gray, White, Light Gray and colour printing.
PlotColors Light(Color background, Color grid)
{
    PlotColors c;
    c.background = background;
    c.frame = Solid(kBlack);
    c.grid = Dotted(grid);
    c.text = kBlack;
    c.spl = kBlack;
    c.excursion = kCrimson;
    c.phase = kMagenta;
    c.delay = kBlue;
    c.impedance = kOlive;
    c.frameRedraw = kBlack;
    c.excursionName = kCrimson;
    c.phaseName = kMagenta;
    c.delayName = kBlue;
    c.impedanceName = kYellow;
    c.linearLimit = kRed;
    c.mechanicalLimit = kCrimson;
    return c;
}

} // namespace

PlotColors ColorsFor(int background, bool printing, bool printInColor)
{
    if (printing) {
        PlotColors c = Light(gfx::kWhite, kBlack);
        c.grid = Dotted(kBlack, kThinPenWidth);
        if (!printInColor) {
            c.excursion = c.phase = c.delay = c.impedance = kBlack;
            c.excursionName = c.phaseName = c.delayName = c.impedanceName = kBlack;
            c.linearLimit = c.mechanicalLimit = kBlack;
        }
        return c;
    }
    switch (background) {
    case 1: {
        PlotColors c = Light(kBlack, kGray);
        c.frame = Solid(kSilver);
        c.text = kSilver;
        c.spl = gfx::kWhite;
        c.frameRedraw = kSilver;
        return c;
    }
    case 2:
        return Light(kGray, Color{64, 64, 64});
    case 3:
        return Light(gfx::kWhite, kGray);
    case 4:
        return Light(kSilver, kGray);
    default: {
        PlotColors c = Light(Color{0, 128, 128}, Color{0, 64, 64});
        c.excursion = kRed;
        return c;
    }
    }
}

} // namespace cw::plot
