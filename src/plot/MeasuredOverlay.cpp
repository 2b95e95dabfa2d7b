#include "plot/PlotPainter.h"

#include <algorithm>

namespace cw::plot
{

namespace
{

// A measurement may hold more points than a calculated curve: it goes out in pieces of at most
// kMaxPoints that share their end points, so the line runs on unbroken.
template <class Plot>
void InPieces(std::span<const double> hz, std::span<const double> values, Plot&& plot)
{
    const std::size_t n = std::min(hz.size(), values.size());
    for (std::size_t start = 0; start + 1 < n; start += kMaxPoints - 1) {
        const std::size_t count = std::min<std::size_t>(kMaxPoints, n - start);
        plot(hz.subspan(start, count), values.subspan(start, count), static_cast<double>(count));
    }
}

} // namespace

double PlotPainter::DrawMeasuredCurves(gfx::Canvas& canvas, const PlotColors& c, bool spl,
                                       bool impedance)
{
    canvas.SetFont(PlotFont(canvas));
    const double ch = canvas.GetTextMetrics().height;
    const double cw = canvas.GetTextMetrics().averageCharWidth;
    double legendY = kFrameTop - ch / 2;
    const auto plot = [&](std::span<const double> hz, std::span<const double> values,
                          double count) { PlotCurve(canvas, hz, values, count); };
    for (const MeasuredCurve& m : doc_.measuredCurves) {
        const bool response = m.Kind() == MeasuredKind::Response;
        if (!m.shown || !(response ? spl : impedance))
            continue;
        const gfx::Color color = response ? c.spl : c.impedance;
        canvas.SetPen({gfx::PenStyle::Dash, kPenWidth, color});
        if (response) {
            // Measured levels are absolute: in SPL mode they are read against the SPL labels,
            // otherwise the measurement's median level sits on 0 dB.
            const double reference = doc_.display.splMode ? splReference_ : RelativeLevel(m);
            std::vector<double> levels = m.value;
            for (double& v : levels)
                v += m.offsetDb - reference;
            current_ = db_;
            InPieces(m.hz, levels, plot);
        } else {
            current_ = ValueMapping::ForRange(0, doc_.plot.impedanceSpan);
            InPieces(m.hz, m.value, plot);
        }
        canvas.SetTextColor(color);
        canvas.SetTextAlign(gfx::TextAlign::Left);
        canvas.TextOut(kFrameLeft + cw, legendY,
                       "- - " + m.name + (response ? " (measured SPL)" : " (measured impedance)"));
        legendY -= ch;
    }
    return legendY;
}

} // namespace cw::plot
