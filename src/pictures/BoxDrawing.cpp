#include "pictures/BoxDrawing.h"

#include "model/NumberFormat.h"

#include <cmath>
#include <string>

namespace cw::pictures
{

namespace
{

using gfx::Canvas;
using gfx::Pen;
using gfx::PenStyle;
using gfx::Point;

// Sizes in drawing pixels. On the report a pixel is 22 x 33 report units, so the text comes out
// about as tall as the report's rows.
const gfx::Font kLabelFont{"Arial", 7, 400, gfx::FontFamily::Swiss, false};
const Pen kWallPen{PenStyle::Solid, 1.2, gfx::kBlack};
const Pen kDimensionPen{PenStyle::Solid, 0.5, gfx::kBlack};
const Pen kHiddenPen{PenStyle::Dot, 0.5, gfx::kBlack};
constexpr double kArrow = 2.5;     // length of an arrowhead
constexpr double kOvershoot = 3;   // how far an extension line reaches past its dimension line
constexpr double kDimensionX = 24; // the vertical dimension lines left of the views
constexpr double kLeft = 48;       // left edge of the views
constexpr double kRight = 112;     // right edge of the views
constexpr double kHalfGap = 4.5;   // half the height of the gap a label leaves in a line

std::string Dimension(const char* symbol, double value)
{
    return std::string(symbol) + " = " + FormatShown(value);
}

void Text(Canvas& canvas, double x, double top, const std::string& text, gfx::TextAlign align)
{
    canvas.SetTextAlign(align);
    canvas.TextOut(x, top, text);
}

void Caption(Canvas& canvas, double top, const char* text)
{
    Text(canvas, (kLeft + kRight) / 2, top, text, gfx::TextAlign::Center);
}

void Arrowhead(Canvas& canvas, Point tip, double dx, double dy)
{
    // dx, dy: the unit direction the arrow points in
    const double back = kArrow, side = kArrow * 0.45;
    canvas.Polyline({{tip.x - back * dx - side * dy, tip.y - back * dy + side * dx},
                     tip,
                     {tip.x - back * dx + side * dy, tip.y - back * dy - side * dx}});
}

// A dimension line with arrows at both ends and its label written in a gap at its middle.
void DimensionLine(Canvas& canvas, Point from, Point to, const std::string& label)
{
    canvas.SetPen(kDimensionPen);
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const double dx = (to.x - from.x) / length, dy = (to.y - from.y) / length;
    const bool vertical = dx == 0;
    const double halfGap = vertical ? kHalfGap : canvas.TextWidth(label) / 2 + 1.5;
    const Point middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
    // A label too wide for the gap of a short width stands on the line instead of in it.
    const bool inGap = length / 2 > halfGap + kArrow;
    if (inGap) {
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(middle.x - dx * halfGap, middle.y - dy * halfGap);
        canvas.MoveTo(middle.x + dx * halfGap, middle.y + dy * halfGap);
        canvas.LineTo(to.x, to.y);
    } else {
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(to.x, to.y);
    }
    Arrowhead(canvas, to, dx, dy);
    Arrowhead(canvas, from, -dx, -dy);
    const double top =
        inGap ? middle.y - kLabelFont.height / 2 : middle.y - kLabelFont.height - 2.5;
    Text(canvas, middle.x, top, label, gfx::TextAlign::Center);
}

// A height or depth at the left of a view, between the edges at top and bottom; topEdge and
// bottomEdge are where those edges of the view begin on the left.
void VerticalDimension(Canvas& canvas, double top, double bottom, double topEdge, double bottomEdge,
                       const std::string& label)
{
    canvas.SetPen(kHiddenPen);
    canvas.MoveTo(topEdge, top);
    canvas.LineTo(kDimensionX - kOvershoot, top);
    canvas.MoveTo(bottomEdge, bottom);
    canvas.LineTo(kDimensionX - kOvershoot, bottom);
    DimensionLine(canvas, {kDimensionX, top}, {kDimensionX, bottom}, label);
}

// A width at y between left and right, drawn off the view's edge at edgeY.
void HorizontalDimension(Canvas& canvas, double y, double left, double right, double edgeY,
                         const std::string& label)
{
    const double overshoot = y < edgeY ? -kOvershoot : kOvershoot;
    canvas.SetPen(kHiddenPen);
    canvas.MoveTo(left, edgeY);
    canvas.LineTo(left, y + overshoot);
    canvas.MoveTo(right, edgeY);
    canvas.LineTo(right, y + overshoot);
    DimensionLine(canvas, {left, y}, {right, y}, label);
}

void Walls(Canvas& canvas, const std::vector<Point>& corners)
{
    std::vector<Point> closed = corners;
    closed.push_back(corners.front());
    canvas.SetPen(kWallPen);
    canvas.Polyline(closed);
}

void Rectangle(Canvas& canvas, double top, double bottom)
{
    Walls(canvas, {{kLeft, top}, {kRight, top}, {kRight, bottom}, {kLeft, bottom}});
}

void DrawRectangular(Canvas& canvas, const RectBoxDims& d)
{
    Caption(canvas, 2, "Front View");
    Rectangle(canvas, 12, 92);
    VerticalDimension(canvas, 12, 92, kLeft, kLeft, Dimension("H", d.height));

    Caption(canvas, 100, "Top View");
    HorizontalDimension(canvas, 118, kLeft, kRight, 126, Dimension("W", d.width));
    Rectangle(canvas, 126, 180);
    VerticalDimension(canvas, 126, 180, kLeft, kLeft, Dimension("D", d.depth));
    Caption(canvas, 184, "Front");
}

void DrawTrapezoidal(Canvas& canvas, const TrapBoxDims& d, double angle)
{
    // The narrow wall W1 at the back, the wide wall W2 at the front.
    constexpr double back = 112, front = 170, inset = 12;
    constexpr double backLeft = kLeft + inset, backRight = kRight - inset;

    Caption(canvas, 2, "Front View");
    Rectangle(canvas, 12, 76);
    // The narrow back wall's edges, hidden behind the front.
    canvas.SetPen(kHiddenPen);
    for (const double x : {backLeft, backRight}) {
        canvas.MoveTo(x, 12);
        canvas.LineTo(x, 76);
    }
    VerticalDimension(canvas, 12, 76, kLeft, kLeft, Dimension("H", d.height));

    Caption(canvas, 80, "Top View");
    HorizontalDimension(canvas, 104, backLeft, backRight, back, Dimension("W1", d.width1));
    Walls(canvas, {{backLeft, back}, {backRight, back}, {kRight, front}, {kLeft, front}});
    HorizontalDimension(canvas, 182, kLeft, kRight, front, Dimension("W2", d.width2));
    VerticalDimension(canvas, back, front, backLeft, kLeft, Dimension("D", d.depth));
    Caption(canvas, 190, "Front");

    // The angle between the right side wall and the depth direction.
    constexpr double radius = 22;
    const double wall = std::atan2(kRight - backRight, front - back);
    canvas.SetPen(kHiddenPen);
    canvas.MoveTo(backRight, back);
    canvas.LineTo(backRight, back + radius + 2);
    canvas.SetPen(kDimensionPen);
    std::vector<Point> arc;
    for (int k = 0; k <= 8; ++k) {
        const double t = wall * k / 8;
        arc.push_back({backRight + radius * std::sin(t), back + radius * std::cos(t)});
    }
    canvas.Polyline(arc);
    Text(canvas, backRight - 6, back + radius + 3, FormatShown(angle) + "\xC2\xB0",
         gfx::TextAlign::Center);
}

void DrawBandpass(Canvas& canvas, const BandpassBoxDims& d)
{
    // The front chamber above the dividing panel, the rear chamber below it.
    constexpr double top = 12, panel = 67, bottom = 122;

    Caption(canvas, 2, "Side View");
    Rectangle(canvas, top, bottom);
    canvas.MoveTo(kLeft, panel);
    canvas.LineTo(kRight, panel);
    // The vent of the front chamber through its top wall.
    canvas.SetPen(kDimensionPen);
    for (const double x : {96.0, 104.0}) {
        canvas.MoveTo(x, top);
        canvas.LineTo(x, top + 24);
    }
    // The driver on the dividing panel, radiating into the front chamber, its magnet in the rear.
    canvas.SetPen(kWallPen);
    canvas.Polygon({{64, panel}, {92, panel}, {84, panel + 11}, {72, panel + 11}}, gfx::kWhite);
    canvas.Polygon({{73, panel + 11}, {83, panel + 11}, {83, panel + 17}, {73, panel + 17}},
                   gfx::kBlack);
    Text(canvas, kLeft + 4, top + 4, "Front", gfx::TextAlign::Left);
    Text(canvas, kLeft + 4, bottom - 12, "Rear", gfx::TextAlign::Left);
    VerticalDimension(canvas, top, panel, kLeft, kLeft, Dimension("H", d.frontHeight));
    VerticalDimension(canvas, panel, bottom, kLeft, kLeft, Dimension("H", d.rearHeight));

    Caption(canvas, 128, "Top View");
    HorizontalDimension(canvas, 142, kLeft, kRight, 150, Dimension("W", d.width));
    Rectangle(canvas, 150, 198);
    VerticalDimension(canvas, 150, 198, kLeft, kLeft, Dimension("D", d.depth));
}

} // namespace

gfx::Point BoxDrawingSize(BoxPageKind kind)
{
    return kind == BoxPageKind::Bandpass ? Point{120, 205} : Point{120, 200};
}

void DrawBoxDrawing(gfx::Canvas& canvas, BoxPageKind kind, const CSpkSys& record, bool metric)
{
    canvas.Save();
    canvas.SetFont(kLabelFont);
    canvas.SetTextColor(gfx::kBlack);
    switch (kind) {
    case BoxPageKind::Rectangular:
        DrawRectangular(canvas, metric ? record.rectBox.metric : record.rectBox.english);
        break;
    case BoxPageKind::Trapezoidal:
        DrawTrapezoidal(canvas, metric ? record.trapBox.metric : record.trapBox.english,
                        record.trapBox.angle);
        break;
    case BoxPageKind::Bandpass:
        DrawBandpass(canvas, metric ? record.bandpassBox.metric : record.bandpassBox.english);
        break;
    }
    canvas.Restore();
}

} // namespace cw::pictures
