#include "pictures/NetworkSchematics.h"

#include "calculators/CrossoverPages.h"
#include "gfx/RecordingCanvas.h"
#include "pictures/NetworkGraph.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace cw::pictures
{
namespace
{

using namespace calc;

using gfx::RecordingCanvas;

// A canvas whose logical units are the picture's pixels, y downwards.
class PictureCanvas
{
public:
    PictureCanvas() : canvas_({kSchematicWidth, kSchematicHeight, 96, 96, false, false})
    {
        canvas_.SetWindowExt(kSchematicWidth, kSchematicHeight);
        canvas_.SetViewportExt(kSchematicWidth, kSchematicHeight);
    }
    operator RecordingCanvas&() { return canvas_; }
    RecordingCanvas* operator->() { return &canvas_; }

private:
    RecordingCanvas canvas_;
};

bool Inside(gfx::Point p)
{
    return p.x >= 0 && p.x <= kSchematicWidth && p.y >= 0 && p.y <= kSchematicHeight;
}

TEST(NetworkSchematics, EveryPageShowsItsPartsDriversAndInputInsideThePicture)
{
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        SCOPED_TRACE(page);
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        ASSERT_FALSE(canvas->ops().empty());
        for (const auto& line : canvas->Lines()) {
            EXPECT_TRUE(Inside(line.from) && Inside(line.to));
        }
        for (const auto& text : canvas->Texts()) {
            EXPECT_TRUE(Inside(text.from) && text.from.x + text.textWidth <= kSchematicWidth)
                << text.text;
        }
        // Every resistor, inductor and capacitor the page calculates is named in its picture.
        for (const CrossoverField& f : CrossoverPageFields(page).results) {
            const std::string label = f.reportLabel;
            const std::string part = label.substr(0, 2);
            if (part[0] == 'P')
                continue; // dissipations, not parts
            EXPECT_NE(canvas->FindText(part), nullptr) << part;
        }
        EXPECT_NE(canvas->FindText(page < 6 ? "Input" : "Crossover"), nullptr);
        EXPECT_NE(canvas->FindText(page == 7 ? "Woofer" : "Tweeter"), nullptr);
    }
}

// The ink of a recorded drawing, to follow its wires: each line, polygon and dot as a path, with
// the points where something may be attached to it.
struct Ink {
    std::vector<gfx::Point> path; // a polyline, or a polygon closed back to its start
    gfx::Point centre;            // a dot's or a terminal's centre
    double radius = -1;           // a dot's or a terminal's radius; -1 for a path
    bool terminal = false;        // one of the input's terminals
    bool closed = false;
};

constexpr double kTouch = 0.5; // picture pixels

double Distance(gfx::Point a, gfx::Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

double DistanceToSegment(gfx::Point p, gfx::Point a, gfx::Point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 == 0 ? 0 : std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    return Distance(p, {a.x + t * dx, a.y + t * dy});
}

// Whether p lies on the ink: on a line or an outline, or on a dot.
bool Touches(gfx::Point p, const Ink& ink)
{
    if (ink.radius >= 0)
        return Distance(p, ink.centre) <= ink.radius + kTouch;
    for (std::size_t k = 0; k + 1 < ink.path.size(); ++k) {
        if (DistanceToSegment(p, ink.path[k], ink.path[k + 1]) <= kTouch)
            return true;
    }
    return false;
}

// The open ends of a line (none for a closed outline).
std::vector<gfx::Point> Ends(const Ink& ink)
{
    if (ink.radius >= 0 || ink.closed || ink.path.size() < 2)
        return {};
    return {ink.path.front(), ink.path.back()};
}

// Where other ink may meet this one: a line's ends, a polygon's corners, a dot's centre.
std::vector<gfx::Point> Joints(const Ink& ink)
{
    if (ink.radius >= 0)
        return {ink.centre};
    return ink.closed ? ink.path : Ends(ink);
}

// A bar of a ground sign or a capacitor's plate: a short straight mark across the end of a wire,
// centred on its line and at most 7 pixels beyond its end. Its own ends are free by design.
bool IsBarOf(const Ink& bar, const Ink& wire)
{
    if (bar.radius >= 0 || bar.path.size() != 2 || wire.radius >= 0 || wire.path.size() != 2)
        return false;
    const gfx::Point a = bar.path[0], b = bar.path[1];
    const gfx::Point mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const gfx::Point u{b.x - a.x, b.y - a.y};
    const gfx::Point v{wire.path[1].x - wire.path[0].x, wire.path[1].y - wire.path[0].y};
    const bool across =
        std::abs(u.x * v.x + u.y * v.y) < 1e-6 * Distance(a, b) * std::hypot(v.x, v.y);
    if (!across || Distance(a, b) > 16 + kTouch)
        return false;
    for (gfx::Point end : Ends(wire)) {
        // On the wire's line and close beyond its end.
        const double along = Distance(end, mid);
        const double off =
            std::abs((mid.x - end.x) * v.y - (mid.y - end.y) * v.x) / std::hypot(v.x, v.y);
        if (off <= kTouch && along <= 7 + kTouch)
            return true;
    }
    return false;
}

// The schematic's ink, leaving out the caption and its box at the foot of the picture.
std::vector<Ink> SchematicInk(const RecordingCanvas& canvas)
{
    constexpr double kCaptionTop = 180;
    std::vector<Ink> ink;
    for (const auto& op : canvas.ops()) {
        Ink i;
        switch (op.kind) {
        case RecordingCanvas::Kind::Line:
            i.path = {op.from, op.to};
            break;
        case RecordingCanvas::Kind::Polyline:
            i.path = op.points;
            i.closed = op.points.size() > 2 && op.points.front() == op.points.back();
            break;
        case RecordingCanvas::Kind::Polygon:
            i.path = op.points;
            i.path.push_back(op.points.front());
            i.closed = true;
            break;
        case RecordingCanvas::Kind::Ellipse:
            i.centre = {(op.rect.left + op.rect.right) / 2, (op.rect.top + op.rect.bottom) / 2};
            i.radius = std::abs(op.rect.right - op.rect.left) / 2;
            i.terminal = op.fill == gfx::kWhite;
            break;
        default:
            continue;
        }
        const auto joints = Joints(i);
        if (std::all_of(joints.begin(), joints.end(),
                        [](gfx::Point p) { return p.y >= kCaptionTop; }))
            continue;
        ink.push_back(std::move(i));
    }
    return ink;
}

bool Joined(const Ink& a, const Ink& b)
{
    auto meets = [](const Ink& from, const Ink& to) {
        const auto joints = Joints(from);
        return std::any_of(joints.begin(), joints.end(),
                           [&](gfx::Point p) { return Touches(p, to); });
    };
    return meets(a, b) || meets(b, a) || IsBarOf(a, b) || IsBarOf(b, a);
}

TEST(NetworkSchematics, EveryWireAndPartEndMeetsAnotherWireOrPart)
{
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        SCOPED_TRACE(CrossoverPageCaption(page));
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        const std::vector<Ink> ink = SchematicInk(canvas);
        for (std::size_t i = 0; i < ink.size(); ++i) {
            const bool bar = std::any_of(ink.begin(), ink.end(),
                                         [&](const Ink& other) { return IsBarOf(ink[i], other); });
            if (bar)
                continue;
            for (gfx::Point end : Ends(ink[i])) {
                bool met = false;
                for (std::size_t j = 0; j < ink.size() && !met; ++j)
                    met = j != i && Touches(end, ink[j]);
                EXPECT_TRUE(met) << "a line ends unconnected at (" << end.x << ", " << end.y << ")";
            }
        }
    }
}

TEST(NetworkSchematics, EveryPartIsWiredToTheInput)
{
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        SCOPED_TRACE(CrossoverPageCaption(page));
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        const std::vector<Ink> ink = SchematicInk(canvas);
        // From the input's terminals along everything joined to them.
        std::vector<bool> reached(ink.size(), false);
        std::vector<std::size_t> next;
        for (std::size_t i = 0; i < ink.size(); ++i) {
            if (ink[i].terminal) {
                reached[i] = true;
                next.push_back(i);
            }
        }
        ASSERT_EQ(next.size(), 2u);
        while (!next.empty()) {
            const std::size_t i = next.back();
            next.pop_back();
            for (std::size_t j = 0; j < ink.size(); ++j) {
                if (!reached[j] && Joined(ink[i], ink[j])) {
                    reached[j] = true;
                    next.push_back(j);
                }
            }
        }
        for (std::size_t j = 0; j < ink.size(); ++j) {
            const gfx::Point at = Joints(ink[j]).empty() ? gfx::Point{} : Joints(ink[j]).front();
            EXPECT_TRUE(reached[j])
                << "drawn apart from the input at (" << at.x << ", " << at.y << ")";
        }
    }
}

TEST(NetworkSchematics, ReversedTweetersHaveTheirPlusOnTheGroundSide)
{
    for (int page : {0, 1, 2, 4, 5}) {
        SCOPED_TRACE(page);
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        const auto* tweeter = canvas->FindText("Tweeter");
        ASSERT_NE(tweeter, nullptr);
        // The first "+" right of the input belongs to the tweeter.
        std::optional<RecordingCanvas::Op> plus;
        for (const auto& text : canvas->Texts()) {
            if (text.text == "+" && text.from.x > 100) {
                plus = text;
                break;
            }
        }
        ASSERT_TRUE(plus.has_value());
        EXPECT_EQ(plus->from.y > tweeter->from.y, CrossoverTweeterReversed(page));
    }
}

TEST(NetworkGraph, DrawsEachCurveInsideThePlotOrSaysWhyNot)
{
    const gfx::Rect area{0, 0, 290, 150};
    {
        PictureCanvas canvas;
        DrawNetworkGraph(canvas, area, std::nullopt);
        EXPECT_NE(canvas->FindText("No response: the network has a component of 0."), nullptr);
    }
    auto s = std::make_unique<CSpkSys>();
    ASSERT_TRUE(CalculateCrossoverPage(*s, 0));
    const auto hz = NetworkGraphFrequencies();
    EXPECT_DOUBLE_EQ(hz.front(), 20);
    EXPECT_NEAR(hz.back(), 20000, 1e-9);
    PictureCanvas canvas;
    DrawNetworkGraph(canvas, area, CrossoverPageResponse(*s, 0, hz));
    int curves = 0;
    for (const auto& p : canvas->Polylines()) {
        if (p.points.size() == hz.size()) {
            ++curves;
            EXPECT_TRUE(p.clipped);
        }
    }
    EXPECT_EQ(curves, 3);
    for (const char* name : {"Tweeter", "Woofer", "Sum", "1k", "dB"})
        EXPECT_NE(canvas->FindText(name), nullptr) << name;
}

} // namespace
} // namespace cw::pictures
