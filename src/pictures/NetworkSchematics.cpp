#include "pictures/NetworkSchematics.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace cw::pictures
{

namespace
{

using gfx::Point;
using gfx::TextAlign;

constexpr gfx::Color kCone{200, 200, 204};
constexpr gfx::Color kMagnet{90, 90, 96};
const gfx::Font kLabelFont{"Arial", 10, 400, gfx::FontFamily::Swiss, false};
const gfx::Font kCaptionFont{"Arial", 9, 700, gfx::FontFamily::Swiss, false};

enum class Part { R, L, C };

// Picture pixels; the body of a part is 24 pixels long, whatever the distance it spans.
constexpr double kBody = 24;

class Schematic
{
public:
    explicit Schematic(gfx::Canvas& canvas) : c_(canvas)
    {
        c_.Save();
        c_.SetTextColor(gfx::kBlack);
        WirePen();
    }
    ~Schematic() { c_.Restore(); }
    Schematic(const Schematic&) = delete;
    Schematic& operator=(const Schematic&) = delete;

    void Wire(std::initializer_list<Point> points)
    {
        WirePen();
        c_.Polyline(points);
    }
    void Dot(double x, double y) { c_.Ellipse({x - 2, y - 2, x + 2, y + 2}, gfx::kBlack); }

    void Text(double x, double y, const std::string& text, TextAlign align = TextAlign::Left,
              const gfx::Font& font = kLabelFont)
    {
        c_.SetFont(font);
        c_.SetTextAlign(align);
        c_.TextOut(x, y, text);
    }

    // A resistor, inductor or capacitor from a to b (a horizontal or vertical run), its name
    // above it (horizontal) or on its left (vertical).
    void Component(Part part, Point a, Point b, const std::string& name)
    {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const Point d{(b.x - a.x) / length, (b.y - a.y) / length};
        const Point n{d.y, -d.x}; // up for a horizontal part, right for a vertical one
        const Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        auto at = [&](double along, double across) {
            return Point{mid.x + d.x * along + n.x * across, mid.y + d.y * along + n.y * across};
        };
        const double half = part == Part::C ? 2.5 : kBody / 2;
        Wire({a, at(-half, 0)});
        Wire({at(half, 0), b});
        std::vector<Point> body;
        switch (part) {
        case Part::R:
            body.push_back(at(-half, 0));
            for (int k = 0; k < 6; ++k)
                body.push_back(at(-half + (k + 0.5) * kBody / 6, k % 2 == 0 ? 4.5 : -4.5));
            body.push_back(at(half, 0));
            c_.Polyline(body);
            break;
        case Part::L:
            // Four turns of the coil, each a half circle.
            for (int turn = 0; turn < 4; ++turn) {
                const double start = -half + turn * kBody / 4;
                for (int k = 0; k <= 8; ++k) {
                    const double t = std::numbers::pi * k / 8;
                    body.push_back(
                        at(start + kBody / 8 * (1 - std::cos(t)), kBody / 8 * std::sin(t)));
                }
            }
            c_.Polyline(body);
            break;
        case Part::C:
            c_.SetPen({gfx::PenStyle::Solid, 2, gfx::kBlack});
            c_.Polyline({at(-half, -8), at(-half, 8)});
            c_.Polyline({at(half, -8), at(half, 8)});
            WirePen();
            break;
        }
        if (std::abs(d.x) > std::abs(d.y))
            Text(mid.x, mid.y - 20, name, TextAlign::Center);
        else
            Text(mid.x - 11, mid.y - 6, name, TextAlign::Right);
    }

    // The ground sign hanging from (x, y).
    void Ground(double x, double y)
    {
        Wire({{x, y}, {x, y + 4}});
        Wire({{x - 8, y + 4}, {x + 8, y + 4}});
        Wire({{x - 5, y + 7}, {x + 5, y + 7}});
        Wire({{x - 2, y + 10}, {x + 2, y + 10}});
    }

    // A loudspeaker between its terminals at (x, top) and (x, bottom), named on its right, with
    // "+" at the terminal that is its positive one.
    void Driver(double x, double top, double bottom, const std::string& name, bool plusOnTop)
    {
        const double mid = (top + bottom) / 2;
        Wire({{x, top}, {x, mid - 9}});
        Wire({{x, mid + 9}, {x, bottom}});
        c_.Polygon({{x - 4, mid - 9}, {x + 4, mid - 9}, {x + 4, mid + 9}, {x - 4, mid + 9}},
                   kMagnet);
        c_.Polygon({{x + 4, mid - 7}, {x + 15, mid - 17}, {x + 15, mid + 17}, {x + 4, mid + 7}},
                   kCone);
        Text(x - 5, plusOnTop ? mid - 24 : mid + 10, "+", TextAlign::Right);
        Text(x + 18, mid - 6, name);
    }

    // The amplifier's output: "+" on top, the ground terminal below it.
    void Input(double top, double bottom)
    {
        constexpr double x = 14;
        Terminal(x, top);
        Terminal(x, bottom);
        Text(x, top - 17, "+", TextAlign::Center);
        Text(3, (top + bottom) / 2 - 6, "Input");
        Wire({{x, bottom + 3}, {x, bottom + 6}});
        Ground(x, bottom + 6);
    }

    // The crossover the compensators and the attenuator sit behind, fed by the input.
    void CrossoverBox(double hot, double cold)
    {
        Input(hot, cold);
        c_.FrameRect({42, hot - 12, 102, cold + 10});
        Text(72, (hot + cold) / 2 - 6, "Crossover", TextAlign::Center);
        Wire({{17, hot}, {42, hot}});
        Wire({{17, cold}, {42, cold}});
    }

    void Caption(const std::string& text)
    {
        c_.FrameRect({6, 182, 284, 204});
        Text(kSchematicWidth / 2, 188, text, TextAlign::Center, kCaptionFont);
    }

private:
    void WirePen() { c_.SetPen({gfx::PenStyle::Solid, 1.2, gfx::kBlack}); }
    void Terminal(double x, double y) { c_.Ellipse({x - 3, y - 3, x + 3, y + 3}, gfx::kWhite); }

    gfx::Canvas& c_;
};

// One part of a two-way crossover's ladder: in series along the branch or across it to ground.
struct Step {
    Part part;
    bool series;
    const char* name;
};

// One branch of a parallel crossover from the input bus at x = 34: its ladder along the wire at
// y = hot, the parts across it down to ground at y = cold, the driver at the end.
void Branch(Schematic& s, double hot, double cold, std::initializer_list<Step> steps,
            const std::string& driver, bool plusOnTop)
{
    constexpr double kDriverX = 226;
    double x = 34;
    for (const Step& step : steps) {
        if (step.series) {
            s.Component(step.part, {x, hot}, {x + 40, hot}, step.name);
            x += 40;
        } else {
            // The branch wire runs on through the node the part hangs from.
            s.Wire({{x, hot}, {x + 28, hot}});
            s.Dot(x + 14, hot);
            s.Component(step.part, {x + 14, hot}, {x + 14, cold}, step.name);
            s.Ground(x + 14, cold);
            x += 28;
        }
    }
    s.Wire({{x, hot}, {kDriverX, hot}});
    s.Driver(kDriverX, hot, cold, driver, plusOnTop);
    s.Ground(kDriverX, cold);
}

// A parallel two-way crossover: the input feeds the tweeter's branch on top and, through the bus
// down its left side, the woofer's branch below.
void ParallelTwoWay(gfx::Canvas& canvas, std::initializer_list<Step> tweeter,
                    std::initializer_list<Step> woofer, bool tweeterReversed,
                    const std::string& caption)
{
    constexpr double kTweeterHot = 30, kTweeterCold = 80;
    constexpr double kWooferHot = 110, kWooferCold = 160;
    Schematic s(canvas);
    s.Input(kTweeterHot, kTweeterCold);
    s.Wire({{17, kTweeterHot}, {34, kTweeterHot}, {34, kWooferHot}});
    s.Dot(34, kTweeterHot);
    Branch(s, kTweeterHot, kTweeterCold, tweeter, "Tweeter", !tweeterReversed);
    Branch(s, kWooferHot, kWooferCold, woofer, "Woofer", true);
    s.Caption(caption);
}

// A compensating network behind the crossover: its parts in series from the driver's "+"
// terminal down to ground, the driver on the right.
void CompensatorChain(gfx::Canvas& canvas,
                      std::initializer_list<std::pair<Part, const char*>> parts,
                      const std::string& driver, const std::string& caption)
{
    constexpr double kHot = 30, kChain = 160, kDriver = 232, kPitch = 45;
    Schematic s(canvas);
    s.CrossoverBox(kHot, 90);
    s.Wire({{102, kHot}, {kDriver, kHot}});
    s.Dot(kChain, kHot);
    double y = kHot;
    for (const auto& [part, name] : parts) {
        s.Component(part, {kChain, y}, {kChain, y + kPitch}, name);
        y += kPitch;
    }
    s.Ground(kChain, y);
    s.Driver(kDriver, kHot, 100, driver, true);
    s.Ground(kDriver, 100);
    s.Caption(caption);
}

} // namespace

void DrawXover1OBWSchematic(gfx::Canvas& canvas)
{
    ParallelTwoWay(canvas, {{Part::C, true, "C1"}}, {{Part::L, true, "L1"}}, false,
                   "1st Order Parallel Two-Way Crossover (6 dB per Octave)");
}

void DrawXover2OBWSchematic(gfx::Canvas& canvas)
{
    ParallelTwoWay(canvas, {{Part::C, true, "C1"}, {Part::L, false, "L2"}},
                   {{Part::L, true, "L1"}, {Part::C, false, "C2"}}, true,
                   "2nd Order Parallel Two-Way Crossover (12 dB per Octave)");
}

void DrawXover3OBWSchematic(gfx::Canvas& canvas)
{
    ParallelTwoWay(canvas, {{Part::C, true, "C1"}, {Part::L, false, "L3"}, {Part::C, true, "C2"}},
                   {{Part::L, true, "L1"}, {Part::C, false, "C3"}, {Part::L, true, "L2"}}, true,
                   "3rd Order Parallel Two-Way Crossover (18 dB per Octave)");
}

void DrawXover4OLRSchematic(gfx::Canvas& canvas)
{
    ParallelTwoWay(canvas,
                   {{Part::C, true, "C1"},
                    {Part::L, false, "L1"},
                    {Part::C, true, "C2"},
                    {Part::L, false, "L2"}},
                   {{Part::L, true, "L3"},
                    {Part::C, false, "C3"},
                    {Part::L, true, "L4"},
                    {Part::C, false, "C4"}},
                   false, "4th Order Parallel Two-Way Crossover (24 dB per Octave)");
}

void DrawXover1OSSchematic(gfx::Canvas& canvas)
{
    // The tweeter over the woofer across the input; L1 beside the tweeter, C1 beside the woofer.
    constexpr double kTop = 30, kMiddle = 95, kBottom = 160;
    constexpr double kParts = 120, kDrivers = 210;
    Schematic s(canvas);
    s.Input(kTop, kBottom - 10);
    s.Wire({{17, kTop}, {kDrivers, kTop}});
    s.Dot(kParts, kTop);
    s.Component(Part::L, {kParts, kTop}, {kParts, kMiddle}, "L1");
    s.Component(Part::C, {kParts, kMiddle}, {kParts, kBottom}, "C1");
    s.Ground(kParts, kBottom);
    s.Wire({{kParts, kMiddle}, {kDrivers, kMiddle}});
    s.Dot(kParts, kMiddle);
    s.Dot(kDrivers, kMiddle);
    s.Driver(kDrivers, kTop, kMiddle, "Tweeter", true);
    s.Driver(kDrivers, kMiddle, kBottom, "Woofer", true);
    s.Ground(kDrivers, kBottom);
    s.Caption("1st Order Series Two-Way Crossover (12/6 dB per Octave)");
}

void DrawResonanceCompSchematic(gfx::Canvas& canvas)
{
    CompensatorChain(canvas, {{Part::C, "C1"}, {Part::L, "L1"}, {Part::R, "R1"}}, "Tweeter",
                     "Resonance Compensating Network for Tweeters");
}

void DrawInductanceCompSchematic(gfx::Canvas& canvas)
{
    CompensatorChain(canvas, {{Part::R, "R1"}, {Part::C, "C1"}}, "Woofer",
                     "Inductance Compensating Network (Zobel)");
}

void DrawTweeterAttenSchematic(gfx::Canvas& canvas)
{
    constexpr double kHot = 30, kCold = 100, kNode = 186, kDriver = 232;
    Schematic s(canvas);
    s.CrossoverBox(kHot, 90);
    s.Wire({{102, kHot}, {125, kHot}});
    s.Component(Part::R, {125, kHot}, {170, kHot}, "R1");
    s.Wire({{170, kHot}, {kDriver, kHot}});
    s.Dot(kNode, kHot);
    s.Component(Part::R, {kNode, kHot}, {kNode, kCold}, "R2");
    s.Ground(kNode, kCold);
    s.Driver(kDriver, kHot, kCold, "Tweeter", true);
    s.Ground(kDriver, kCold);
    s.Text(110, 132, "P1=Dissipation of R1");
    s.Text(110, 148, "P2=Dissipation of R2");
    s.Caption("Attenuation Network for Tweeters");
}

void DrawCrossoverSchematic(gfx::Canvas& canvas, int page)
{
    switch (page) {
    case 0:
        DrawXover1OBWSchematic(canvas);
        break;
    case 1:
    case 4:
        DrawXover2OBWSchematic(canvas);
        break;
    case 2:
        DrawXover3OBWSchematic(canvas);
        break;
    case 3:
        DrawXover1OSSchematic(canvas);
        break;
    case 5:
        DrawXover4OLRSchematic(canvas);
        break;
    case 6:
        DrawResonanceCompSchematic(canvas);
        break;
    case 7:
        DrawInductanceCompSchematic(canvas);
        break;
    case 8:
        DrawTweeterAttenSchematic(canvas);
        break;
    default:
        break;
    }
}

} // namespace cw::pictures
