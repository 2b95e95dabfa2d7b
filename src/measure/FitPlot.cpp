#include "measure/FitPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cw::measure
{

namespace
{

constexpr gfx::Rect kFrame{1000, 9600, 9700, 900};
constexpr gfx::Color kFitted{200, 0, 0};
constexpr gfx::Color kGrid{190, 190, 190};

std::string Label(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, v >= 1000 ? "%.0fk" : "%.0f", v >= 1000 ? v / 1000 : v);
    return text;
}

} // namespace

void DrawImpedanceFit(gfx::Canvas& canvas, const MeasuredCurve& measured,
                      const std::optional<ImpedanceModel>& fitted)
{
    canvas.Save();
    canvas.FillRect({0, 10000, 10000, 0}, gfx::kWhite);
    canvas.SetFont({"Arial", 300, 400, gfx::FontFamily::Swiss, false});
    canvas.SetTextColor(gfx::kBlack);
    if (measured.size() < 2) {
        canvas.SetTextAlign(gfx::TextAlign::Center);
        canvas.TextOut(5000, 5200, "Choose a free-air impedance file (.zma).");
        canvas.Restore();
        return;
    }
    const double f0 = measured.hz.front(), f1 = measured.hz.back();
    double top = *std::max_element(measured.value.begin(), measured.value.end());
    top = std::max(1.0, std::ceil(top * 1.1 / 5) * 5);
    const auto x = [&](double hz) {
        return kFrame.left + (kFrame.right - kFrame.left) * std::log(hz / f0) / std::log(f1 / f0);
    };
    const auto y = [&](double ohms) {
        return kFrame.bottom + (kFrame.top - kFrame.bottom) * std::clamp(ohms / top, 0.0, 1.0);
    };

    // Decades and their multiples of 2 and 5 across; five rows of Ohms up.
    canvas.SetPen({gfx::PenStyle::Dot, 1, kGrid});
    canvas.SetTextAlign(gfx::TextAlign::Center);
    for (double decade = std::pow(10, std::floor(std::log10(f0))); decade <= f1; decade *= 10) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double hz = decade * m;
            if (hz < f0 || hz > f1)
                continue;
            canvas.MoveTo(x(hz), kFrame.bottom);
            canvas.LineTo(x(hz), kFrame.top);
            canvas.TextOut(x(hz), kFrame.bottom - 100, Label(hz));
        }
    }
    canvas.SetTextAlign(gfx::TextAlign::Right);
    for (int row = 0; row <= 5; ++row) {
        const double ohms = top * row / 5;
        canvas.MoveTo(kFrame.left, y(ohms));
        canvas.LineTo(kFrame.right, y(ohms));
        canvas.TextOut(kFrame.left - 100, y(ohms) + 150, Label(ohms));
    }
    canvas.TextOut(kFrame.left - 100, kFrame.bottom - 100, "Ohm / Hz");
    canvas.SetPen({gfx::PenStyle::Solid, 10, gfx::kBlack});
    canvas.FrameRect(kFrame);

    std::vector<gfx::Point> points;
    for (std::size_t i = 0; i < measured.size(); ++i)
        points.push_back({x(measured.hz[i]), y(measured.value[i])});
    canvas.SetPen({gfx::PenStyle::Solid, 15, gfx::kBlack});
    canvas.Polyline(points);
    if (fitted) {
        points.clear();
        for (double hz : measured.hz)
            points.push_back({x(hz), y(std::abs(fitted->At(hz)))});
        canvas.SetPen({gfx::PenStyle::Dash, 15, kFitted});
        canvas.Polyline(points);
    }
    canvas.SetTextAlign(gfx::TextAlign::Left);
    canvas.TextOut(kFrame.left + 150, kFrame.top - 100, "measured");
    if (fitted) {
        canvas.SetTextColor(kFitted);
        canvas.TextOut(kFrame.left + 150, kFrame.top - 450, "- - fitted model");
    }
    canvas.Restore();
}

} // namespace cw::measure
