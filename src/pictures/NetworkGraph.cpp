#include "pictures/NetworkGraph.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace cw::pictures
{

namespace
{

using gfx::TextAlign;

constexpr double kLowHz = 20;
constexpr double kHighHz = 20000;
constexpr int kPointsPerDecade = 40;
// The level axis: the passband near 0 dB and the first 40 dB of the stop band.
constexpr double kTopDb = 10;
constexpr double kBottomDb = -40;

constexpr gfx::Color kFrame{60, 60, 60};
constexpr gfx::Color kGrid{205, 205, 205};
constexpr std::array<gfx::Color, 3> kCurveColors = {gfx::Color{200, 40, 40},
                                                    gfx::Color{30, 80, 200}, gfx::Color{0, 0, 0}};
const gfx::Font kFont{"Arial", 9, 400, gfx::FontFamily::Swiss, false};

// The top of the impedance axis: a round number above the highest impedance shown.
double OhmsTop(const NetworkResponse& r)
{
    double top = 0;
    for (const NetworkCurve& c : r.curves) {
        if (c.kind == CurveKind::Impedance) {
            for (double z : c.magnitude)
                top = std::max(top, z);
        }
    }
    const double step = top > 40 ? 20 : top > 20 ? 10 : 5;
    return std::max(step, std::ceil(top * 1.05 / step) * step);
}

class Graph
{
public:
    Graph(gfx::Canvas& canvas, const gfx::Rect& plot) : c_(canvas), plot_(plot) {}

    double X(double hz) const
    {
        const double t = std::log10(hz / kLowHz) / std::log10(kHighHz / kLowHz);
        return plot_.left + t * (plot_.right - plot_.left);
    }
    // The y of v on an axis from bottom to top.
    double Y(double v, double bottom, double top) const
    {
        return plot_.bottom - (v - bottom) / (top - bottom) * (plot_.bottom - plot_.top);
    }

    void FrequencyGrid()
    {
        for (double decade = 10; decade <= 10000; decade *= 10) {
            for (double k : {2.0, 5.0, 10.0}) {
                const double hz = decade * k;
                if (hz <= kLowHz || hz >= kHighHz)
                    continue;
                GridLine(X(hz), plot_.top, X(hz), plot_.bottom);
            }
        }
        c_.SetFont(kFont);
        c_.SetTextColor(kFrame);
        for (auto [hz, text] :
             {std::pair{20.0, "20"}, std::pair{100.0, "100"}, std::pair{1000.0, "1k"},
              std::pair{10000.0, "10k"}, std::pair{20000.0, "20k"}}) {
            c_.SetTextAlign(hz == kLowHz    ? TextAlign::Left
                            : hz == kHighHz ? TextAlign::Right
                                            : TextAlign::Center);
            c_.TextOut(X(hz), plot_.bottom + 2, text);
        }
    }

    // The grid lines and labels of an axis, its labels left or right of the plot.
    void ValueAxis(double bottom, double top, double step, bool left, const char* unit)
    {
        c_.SetFont(kFont);
        c_.SetTextColor(kFrame);
        c_.SetTextAlign(left ? TextAlign::Right : TextAlign::Left);
        const double x = left ? plot_.left - 3 : plot_.right + 3;
        for (double v = bottom; v <= top + step / 2; v += step) {
            const double y = Y(v, bottom, top);
            if (v > bottom && v < top)
                GridLine(plot_.left, y, plot_.right, y);
            c_.TextOut(x, y - 5, FormatShown(v));
        }
        c_.TextOut(x, plot_.top - 12, unit);
    }

    void Curve(const std::vector<double>& hz, const std::vector<double>& values, double bottom,
               double top, gfx::Color color)
    {
        std::vector<gfx::Point> points;
        for (std::size_t i = 0; i < hz.size() && i < values.size(); ++i) {
            // Far outside the axis a point is drawn just beyond the edge, where the clip ends it.
            const double v = std::clamp(values[i], bottom - (top - bottom), top + (top - bottom));
            points.push_back({X(hz[i]), Y(v, bottom, top)});
        }
        if (points.size() < 2)
            return;
        c_.Save();
        c_.SetClipRect(plot_);
        c_.SetPen({gfx::PenStyle::Solid, 1.5, color});
        c_.Polyline(points);
        c_.Restore();
    }

    void Frame()
    {
        c_.SetPen({gfx::PenStyle::Solid, 1, kFrame});
        c_.FrameRect(plot_);
    }

private:
    void GridLine(double x0, double y0, double x1, double y1)
    {
        c_.SetPen({gfx::PenStyle::Solid, 1, kGrid});
        c_.MoveTo(x0, y0);
        c_.LineTo(x1, y1);
    }

    gfx::Canvas& c_;
    gfx::Rect plot_;
};

} // namespace

std::vector<double> NetworkGraphFrequencies()
{
    const int count =
        static_cast<int>(std::lround(std::log10(kHighHz / kLowHz) * kPointsPerDecade));
    std::vector<double> hz;
    for (int i = 0; i <= count; ++i)
        hz.push_back(kLowHz * std::pow(kHighHz / kLowHz, static_cast<double>(i) / count));
    return hz;
}

void DrawNetworkGraph(gfx::Canvas& canvas, const gfx::Rect& area,
                      const std::optional<NetworkResponse>& response, std::string_view why)
{
    canvas.Save();
    canvas.FillRect(area, gfx::kWhite);
    const gfx::Rect plot{area.left + 30, area.top + 26, area.right - 30, area.bottom - 14};
    Graph graph(canvas, plot);
    if (!response) {
        graph.Frame();
        canvas.SetFont(kFont);
        canvas.SetTextColor(kFrame);
        canvas.SetTextAlign(TextAlign::Center);
        const std::string text =
            "No response: " + std::string(why.empty() ? "the network has a component of 0." : why);
        const auto lines =
            gfx::WrapLines(text, plot.right - plot.left - 10,
                           [&canvas](std::string_view t) { return canvas.TextWidth(t); });
        const double lineHeight = canvas.GetTextMetrics().height;
        double y = (plot.top + plot.bottom - lineHeight * static_cast<double>(lines.size())) / 2;
        for (const std::string& line : lines) {
            canvas.TextOut((plot.left + plot.right) / 2, y, line);
            y += lineHeight;
        }
        canvas.Restore();
        return;
    }

    graph.FrequencyGrid();
    const bool levels =
        std::any_of(response->curves.begin(), response->curves.end(),
                    [](const NetworkCurve& c) { return c.kind == CurveKind::Transfer; });
    const bool impedances =
        std::any_of(response->curves.begin(), response->curves.end(),
                    [](const NetworkCurve& c) { return c.kind == CurveKind::Impedance; });
    const double ohmsTop = impedances ? OhmsTop(*response) : 1;
    if (levels)
        graph.ValueAxis(kBottomDb, kTopDb, 10, true, "dB");
    if (impedances)
        graph.ValueAxis(0, ohmsTop, ohmsTop / 4, !levels, "Ohms");

    // The legend over the plot, each name in its curve's colour.
    canvas.SetFont(kFont);
    canvas.SetTextAlign(TextAlign::Left);
    double x = plot.left + 40;
    for (std::size_t k = 0; k < response->curves.size(); ++k) {
        const NetworkCurve& curve = response->curves[k];
        const gfx::Color color = kCurveColors[k % kCurveColors.size()];
        const bool level = curve.kind == CurveKind::Transfer;
        graph.Curve(response->frequencies, curve.magnitude, level ? kBottomDb : 0,
                    level ? kTopDb : ohmsTop, color);
        const std::string name = curve.name + (level || !levels ? "" : " (Ohms)");
        canvas.SetPen({gfx::PenStyle::Solid, 1.5, color});
        canvas.MoveTo(x, area.top + 6);
        canvas.LineTo(x + 12, area.top + 6);
        canvas.SetTextColor(color);
        canvas.TextOut(x + 15, area.top + 1, name);
        x += 15 + canvas.TextWidth(name) + 12;
    }
    graph.Frame();
    canvas.Restore();
}

} // namespace cw::pictures
