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

// Qualitative palettes of eleven, one per kind of background: dark colours on white and light
// gray (and paper), light ones on black, and on the middle tones of Billiard Green and Dark Gray
// the ones far enough from a middle tone either way, light and dark.
constexpr std::array<Color, kSystemCount> kOnLight = {{{0, 0, 0},
                                                       {200, 0, 0},
                                                       {0, 0, 200},
                                                       {0, 120, 0},
                                                       {140, 0, 170},
                                                       {150, 75, 0},
                                                       {0, 110, 130},
                                                       {190, 0, 120},
                                                       {90, 90, 0},
                                                       {90, 60, 40},
                                                       {40, 40, 130}}};
constexpr std::array<Color, kSystemCount> kOnDark = {{{255, 255, 255},
                                                      {255, 215, 0},
                                                      {0, 230, 255},
                                                      {120, 255, 80},
                                                      {255, 120, 40},
                                                      {255, 110, 200},
                                                      {110, 150, 255},
                                                      {190, 130, 255},
                                                      {255, 255, 150},
                                                      {0, 255, 190},
                                                      {255, 80, 80}}};
constexpr std::array<Color, kSystemCount> kOnMiddle = {{{0, 0, 0},
                                                        {255, 255, 255},
                                                        {255, 255, 0},
                                                        {255, 170, 200},
                                                        {160, 255, 140},
                                                        {255, 190, 90},
                                                        {190, 200, 255},
                                                        {120, 0, 0},
                                                        {0, 0, 110},
                                                        {60, 0, 90},
                                                        {230, 190, 255}}};

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
    c.systems = kOnLight;
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
            c.systems.fill(kBlack);
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
        c.systems = kOnDark;
        return c;
    }
    case 2: {
        PlotColors c = Light(kGray, Color{64, 64, 64});
        c.systems = kOnMiddle;
        return c;
    }
    case 3:
        return Light(gfx::kWhite, kGray);
    case 4:
        return Light(kSilver, kGray);
    default: {
        PlotColors c = Light(Color{0, 128, 128}, Color{0, 64, 64});
        c.excursion = kRed;
        c.systems = kOnMiddle;
        return c;
    }
    }
}

Pen CurvePen(const PlotColors& c, CurveKind kind, int system, bool colourEachSystem)
{
    const int k = static_cast<int>(kind);
    if (!colourEachSystem) {
        const Color colors[] = {c.spl, c.excursion, c.phase, c.delay, c.impedance, c.excursion};
        return {kind == CurveKind::RadiatorExcursion ? PenStyle::Dash : PenStyle::Solid, kPenWidth,
                colors[k]};
    }
    // The radiators' excursion shares the cone's dashes on a thinner pen.
    constexpr PenStyle styles[] = {PenStyle::Solid,   PenStyle::Dash,       PenStyle::Dot,
                                   PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Dash};
    const double width = kind == CurveKind::RadiatorExcursion ? kPenWidth / 2 : kPenWidth;
    return {styles[k], width, c.systems[static_cast<std::size_t>(system)]};
}

} // namespace cw::plot
