#include "pictures/Pictures.h"

#include <cmath>
#include <vector>

namespace cw::pictures
{

namespace
{

using gfx::Color;
using gfx::Pen;
using gfx::PenStyle;
using gfx::Point;

constexpr Color kNavy{24, 44, 92};
constexpr Color kWood{214, 176, 120};
constexpr Color kCavity{250, 240, 222};
constexpr Color kCone{70, 70, 78};
constexpr Color kMagnet{150, 150, 160};
constexpr Color kCurve{236, 64, 48};
constexpr Color kWire{40, 40, 40};
constexpr Color kPipe{204, 208, 218};
constexpr Color kPipeShade{160, 164, 178};

// Positions in fractions of the rectangle: u to the right, v downwards from its top edge.
class Sketch
{
public:
    Sketch(gfx::Canvas& canvas, const gfx::Rect& rect) : c(canvas), r(rect) {}

    Point P(double u, double v) const
    {
        return {r.left + u * (r.right - r.left), r.top + v * (r.bottom - r.top)};
    }
    gfx::Rect R(double u0, double v0, double u1, double v1) const
    {
        const Point a = P(u0, v0), b = P(u1, v1);
        return {a.x, a.y, b.x, b.y};
    }
    // A pen whose width is a fraction of the rectangle's width.
    void SetPen(double widthFraction, Color color, PenStyle style = PenStyle::Solid)
    {
        c.SetPen({style, std::abs(r.right - r.left) * widthFraction, color});
    }
    void NoPen() { c.SetPen({PenStyle::None, 0, gfx::kBlack}); }
    void Line(double u0, double v0, double u1, double v1)
    {
        const Point a = P(u0, v0), b = P(u1, v1);
        c.MoveTo(a.x, a.y);
        c.LineTo(b.x, b.y);
    }
    void Poly(std::initializer_list<std::pair<double, double>> uv, Color fill)
    {
        std::vector<Point> pts;
        for (auto [u, v] : uv)
            pts.push_back(P(u, v));
        c.Polygon(pts, fill);
    }
    void Box(double u0, double v0, double u1, double v1, Color fill)
    {
        Poly({{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}, fill);
    }

    gfx::Canvas& c;
    gfx::Rect r;
};

// A driver seen from the side, mounted on a vertical wall at u, facing left or right, centred
// on v with the given half height.
void Driver(Sketch& s, double u, double v, double half, bool facesLeft)
{
    const double dir = facesLeft ? 1 : -1; // the cone's narrow end points into the chamber
    const double depth = half * 0.9;
    s.SetPen(0.012, gfx::kBlack);
    s.Poly({{u, v - half},
            {u + dir * depth * 0.7, v - half * 0.3},
            {u + dir * depth * 0.7, v + half * 0.3},
            {u, v + half}},
           kCone);
    s.Box(std::min(u + dir * depth * 0.7, u + dir * depth), v - half * 0.45,
          std::max(u + dir * depth * 0.7, u + dir * depth), v + half * 0.45, kMagnet);
}

// A passive radiator on a vertical wall at u, facing left: a cone with no magnet behind it, and
// the mass added to its centre.
void PassiveRadiator(Sketch& s, double u, double v, double half)
{
    const double depth = half * 0.9 * 0.7;
    s.SetPen(0.012, gfx::kBlack);
    s.Poly({{u, v - half}, {u + depth, v - half * 0.3}, {u + depth, v + half * 0.3}, {u, v + half}},
           kCone);
    s.Box(u + depth, v - half * 0.3, u + depth + 0.03, v + half * 0.3, kMagnet);
}

// A vent tube through a vertical wall at u, reaching inward by length, centred on v.
void Vent(Sketch& s, double u, double v, double length, bool inwardRight)
{
    // Open the wall where the air goes through, then draw the tube's two walls.
    s.NoPen();
    s.Box(u - 0.03, v - 0.05, u + 0.03, v + 0.05, kCavity);
    const double outer = inwardRight ? u - 0.03 : u + 0.03;
    const double end = inwardRight ? u + length : u - length;
    s.SetPen(0.025, gfx::kBlack);
    s.Line(outer, v - 0.05, end, v - 0.05);
    s.Line(outer, v + 0.05, end, v + 0.05);
}

// The series capacitor: two plates on the wire into the box, top left.
void Capacitor(Sketch& s, double u, double v)
{
    s.SetPen(0.02, kWire);
    s.Line(u - 0.08, v, u - 0.015, v);
    s.Line(u + 0.015, v, u + 0.08, v);
    s.SetPen(0.03, kWire);
    s.Line(u - 0.015, v - 0.045, u - 0.015, v + 0.045);
    s.Line(u + 0.015, v - 0.045, u + 0.015, v + 0.045);
}

// The series inductor: a coil of three loops on the wire.
void Inductor(Sketch& s, double u, double v)
{
    s.SetPen(0.02, kWire);
    s.Line(u - 0.1, v, u - 0.06, v);
    s.Line(u + 0.06, v, u + 0.1, v);
    for (int k = 0; k < 3; ++k) {
        const double u0 = u - 0.06 + k * 0.04;
        std::vector<Point> arc;
        for (int a = 0; a <= 8; ++a) {
            const double t = 3.14159265 * a / 8;
            arc.push_back(s.P(u0 + 0.02 - 0.02 * std::cos(t), v - 0.04 * std::sin(t)));
        }
        s.c.Polyline(arc);
    }
}

// The enclosure walls: a wooden frame around a light cavity.
void Cabinet(Sketch& s, double u0, double v0, double u1, double v1)
{
    s.NoPen();
    s.Box(u0, v0, u1, v1, kWood);
    s.Box(u0 + 0.04, v0 + 0.04, u1 - 0.04, v1 - 0.04, kCavity);
}

// A wall inside the box between two chambers, at u.
void Partition(Sketch& s, double u, double v0, double v1)
{
    s.NoPen();
    s.Box(u - 0.02, v0, u + 0.02, v1, kWood);
}

} // namespace

void DrawApplicationIcon(gfx::Canvas& canvas, const gfx::Rect& rect)
{
    Sketch s(canvas, rect);
    canvas.Save();
    s.NoPen();
    s.Box(0, 0, 1, 1, kNavy);
    // The cabinet's front with a tweeter and a woofer.
    s.SetPen(0.02, gfx::kBlack);
    s.Box(0.12, 0.1, 0.52, 0.92, kWood);
    canvas.Ellipse(s.R(0.24, 0.18, 0.4, 0.34), kCone);
    canvas.Ellipse(s.R(0.16, 0.46, 0.48, 0.84), kCone);
    canvas.Ellipse(s.R(0.26, 0.56, 0.38, 0.74), kMagnet);
    // A response rising, flat, then rolling off.
    s.SetPen(0.05, kCurve);
    std::vector<Point> curve;
    for (int i = 0; i <= 16; ++i) {
        const double u = 0.58 + 0.36 * i / 16;
        const double t = (i - 4.0) / 3.0;
        const double level = 1 / std::sqrt(1 + std::pow(2.0, -4 * t)); // a 2nd order high-pass
        curve.push_back(s.P(u, 0.78 - 0.42 * level));
    }
    canvas.Polyline(curve);
    canvas.Restore();
}

void DrawBoxPicture(gfx::Canvas& canvas, BoxType type, const gfx::Rect& rect)
{
    if (type == BoxType::None)
        return;
    Sketch s(canvas, rect);
    canvas.Save();
    switch (type) {
    case BoxType::Closed2:
    case BoxType::Closed3:
        Cabinet(s, 0.25, 0.1, 0.95, 0.9);
        Driver(s, 0.29, 0.5, 0.22, true);
        if (type == BoxType::Closed3)
            Capacitor(s, 0.12, 0.2);
        break;
    case BoxType::Vented4:
        Cabinet(s, 0.25, 0.1, 0.95, 0.9);
        Driver(s, 0.29, 0.38, 0.2, true);
        Vent(s, 0.27, 0.74, 0.3, true);
        break;
    case BoxType::Radiator:
        Cabinet(s, 0.25, 0.1, 0.95, 0.9);
        Driver(s, 0.29, 0.3, 0.16, true);
        PassiveRadiator(s, 0.29, 0.67, 0.19);
        break;
    case BoxType::Bandpass4:
    case BoxType::Bandpass5:
    case BoxType::Bandpass6: {
        // Rear (closed or vented) chamber on the right, vented front chamber on the left.
        const double wall = type == BoxType::Bandpass4 ? 0.6 : 0.55;
        Cabinet(s, 0.22, 0.1, 0.98, 0.9);
        Partition(s, wall, 0.14, 0.86);
        Driver(s, wall + 0.02, 0.45, 0.2, false);
        Vent(s, 0.24, 0.72, 0.2, true);
        if (type == BoxType::Bandpass6)
            Vent(s, 0.96, 0.72, 0.2, false);
        if (type == BoxType::Bandpass5)
            Inductor(s, 0.11, 0.2);
        if (type == BoxType::Bandpass6) {
            Capacitor(s, 0.11, 0.2);
            Inductor(s, 0.11, 0.38);
        }
        break;
    }
    case BoxType::None:
        break;
    }
    canvas.Restore();
}

void DrawTubeVentPicture(gfx::Canvas& canvas, const gfx::Rect& rect)
{
    Sketch s(canvas, rect);
    canvas.Save();
    s.SetPen(0.015, gfx::kBlack);
    // The tube lies across the picture: its outside from the front rim to the far end, which
    // shows as half an ellipse.
    std::vector<Point> body{s.P(0.22, 0.28), s.P(0.86, 0.28)};
    for (int a = 1; a < 16; ++a) {
        const double t = 3.14159265 * a / 16;
        body.push_back(s.P(0.86 + 0.06 * std::sin(t), 0.5 - 0.22 * std::cos(t)));
    }
    body.push_back(s.P(0.86, 0.72));
    body.push_back(s.P(0.22, 0.72));
    canvas.Polygon(body, kPipe);
    // The front end: the tube's wall as a rim around the dark opening.
    canvas.Ellipse(s.R(0.12, 0.28, 0.32, 0.72), kPipeShade);
    canvas.Ellipse(s.R(0.15, 0.33, 0.29, 0.67), kCone);
    canvas.Restore();
}

void DrawSlotVentPicture(gfx::Canvas& canvas, const gfx::Rect& rect)
{
    Sketch s(canvas, rect);
    canvas.Save();
    s.SetPen(0.015, gfx::kBlack);
    // A wide, low duct running back to the upper right: its top, its side, then its open front.
    constexpr double du = 0.38, dv = -0.22;
    s.Poly({{0.06, 0.5}, {0.56, 0.5}, {0.56 + du, 0.5 + dv}, {0.06 + du, 0.5 + dv}}, kPipe);
    s.Poly({{0.56, 0.5}, {0.56 + du, 0.5 + dv}, {0.56 + du, 0.74 + dv}, {0.56, 0.74}}, kPipeShade);
    s.Box(0.06, 0.5, 0.56, 0.74, kPipeShade);
    s.Box(0.09, 0.54, 0.53, 0.7, kCone);
    canvas.Restore();
}

void DrawLogoMark(gfx::Canvas& canvas, double x, double y)
{
    canvas.Save();
    canvas.SetFont({"Times New Roman", 350, 600, gfx::FontFamily::Roman, false});
    canvas.SetTextColor(kNavy);
    canvas.SetTextAlign(gfx::TextAlign::Left);
    canvas.TextOut(x, y, "CW");
    canvas.Restore();
}

void DrawLogoEmblem(gfx::Canvas& canvas, const gfx::Rect& rect)
{
    Sketch s(canvas, rect);
    canvas.Save();
    // A small loudspeaker with two sound waves.
    s.SetPen(0.025, kNavy);
    s.Poly({{0.025, 0.4615},
            {0.225, 0.4615},
            {0.5, 0.2308},
            {0.5, 0.7846},
            {0.225, 0.6462},
            {0.025, 0.6462}},
           kNavy);
    for (double k : {0.0, 1.0}) {
        std::vector<Point> arc;
        for (int a = -4; a <= 4; ++a) {
            const double t = 0.25 * a;
            const double radius = 0.16 + 0.14 * k;
            arc.push_back(s.P(0.525 + radius / 0.8 * std::cos(t),
                              0.5077 + radius * 1.2 / 0.65 * std::sin(t)));
        }
        canvas.Polyline(arc);
    }
    canvas.Restore();
}

void DrawLogo(gfx::Canvas& canvas, const gfx::Rect& rect)
{
    Sketch s(canvas, rect);
    // The text sits 20 units in from the left and 15 down from the top of the 340 x 536 box; the
    // emblem fills the lower part.
    const Point text = s.P(20.0 / 340, 15.0 / 536);
    DrawLogoMark(canvas, text.x, text.y);
    DrawLogoEmblem(canvas, s.R(0.1, 0.45, 0.9, 1.1));
}

} // namespace cw::pictures
