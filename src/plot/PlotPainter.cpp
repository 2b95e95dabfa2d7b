#include "plot/PlotPainter.h"

#include "model/NumberFormat.h"
#include "model/SoundLevel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace cw::plot
{

namespace
{

using gfx::Canvas;
using gfx::Color;
using gfx::Pen;
using gfx::PenStyle;
using gfx::TextAlign;

// The 1-2-5 frequencies that carry a label, and the grid frequencies.
struct FrequencyLabel {
    double hz;
    const char* text;
};
constexpr FrequencyLabel kLabels[] = {
    {1, "1Hz"},       {2, "2"},       {5, "5"},       {10, "10"},      {20, "20"},   {50, "50"},
    {100, "100Hz"},   {200, "200"},   {500, "500"},   {1000, "1k"},    {2000, "2k"}, {5000, "5k"},
    {10000, "10kHz"}, {20000, "20k"}, {50000, "50k"}, {100000, "100k"}};

constexpr std::array<double, 46> kGrid = [] {
    std::array<double, 46> grid{};
    std::size_t n = 0;
    for (double decade = 1; decade <= 10000; decade *= 10) {
        for (int k = decade == 1 ? 1 : 2; k <= 10; ++k)
            grid[n++] = k * decade;
    }
    return grid;
}();

constexpr int kRadiator = static_cast<int>(CurveKind::RadiatorExcursion);

// The phase scale has one row per 90 degrees from phaseBottom to phaseTop.
double PhaseDivisions(const PlotSettings& p)
{
    return (p.phaseTop - p.phaseBottom) / 90;
}
bool PhaseDrawable(const PlotSettings& p)
{
    const double divisions = PhaseDivisions(p);
    return divisions > 0 && divisions <= 100 && std::isfinite(p.phaseBottom);
}

// Truncation toward zero of a device-bound coordinate, safe for any double.
double Truncate(double v)
{
    return std::trunc(std::clamp(v, -1e9, 1e9));
}

bool Inside(double x, double y)
{
    return x >= kFrameLeft && x <= kFrameRight && y >= kFrameBottom && y <= kFrameTop;
}

// One vertical scale: a column of row labels and the scale's name under row 0.
struct Scale {
    double column;    // x of the labels
    TextAlign align;  // right for left scales, left for right scales
    double divisions; // rows are (top - bottom) / divisions apart
    int lastRow;      // rows 0 .. lastRow are labelled; -1 for none
    std::function<std::string(int)> label;
    // The name and, for the right scales, its unit: each with its x. The unit goes one line
    // under the name, as the two would overlap on one line.
    std::vector<std::pair<const char*, double>> names;
    Color nameColor;
};

void DrawScale(Canvas& canvas, const Scale& s, Color text, double ch)
{
    canvas.SetTextColor(text);
    canvas.SetTextAlign(s.align);
    const double pitch = (kFrameTop - kFrameBottom) / s.divisions;
    const double row0 = kFrameBottom + ch / 2 + 0.25 * ch;
    for (int j = 0; j <= s.lastRow; ++j) {
        double y = j == 0 ? row0 : kFrameBottom + j * pitch + ch / 2;
        if (j == s.divisions)
            y -= 0.31 * ch;
        canvas.TextOut(s.column, y, s.label(j));
    }
    canvas.SetTextColor(s.nameColor);
    double y = row0 - 0.8 * ch;
    for (const auto& [name, x] : s.names) {
        canvas.SetTextAlign(x < kFrameLeft ? TextAlign::Right : TextAlign::Left);
        canvas.TextOut(x, y, name);
        y -= ch;
    }
}

// A linear scale from 0 to span in 15 rows; row 0 reads zero.
std::function<std::string(int)> SpanLabels(double span, const char* format, const char* zero)
{
    return
        [=](int j) { return j == 0 ? std::string(zero) : FormatPrinted(format, j * span / kRows); };
}

} // namespace

bool WithinLimits(double hz, double fLow, double fHigh)
{
    return hz >= fLow * (1 - 1e-9) && hz <= fHigh * (1 + 1e-9);
}

bool SpanDrawable(double span)
{
    return span > 0 && std::isfinite(span * kRows);
}

ValueMapping ValueMapping::ForRange(double low, double high)
{
    const double height = kFrameTop - kFrameBottom;
    return {kFrameTop - height / (1 - low / high), height / (high - low)};
}

FrequencyMapping FrequencyMapping::ForLimits(double fLow, double fHigh)
{
    const double width = kFrameRight - kFrameLeft;
    return {kFrameRight - width / (1 - std::log10(fLow) / std::log10(fHigh)),
            width / std::log10(fHigh / fLow)};
}

double FrequencyMapping::operator()(double hz) const
{
    return offset + scale * std::log10(hz);
}

void PlotPainter::PrepareScreen(Canvas& canvas, double clientWidth, double clientHeight)
{
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(kPageExtent, kPageExtent);
    canvas.SetViewportExt(clientWidth, -clientHeight);
    canvas.SetViewportOrg(0, clientHeight);
}

PlotColors PlotPainter::colors(const Canvas& canvas) const
{
    return ColorsFor(settings_.plotBackground, canvas.device().printing, settings_.printInColor);
}

gfx::Font PlotPainter::PlotFont(const Canvas& canvas) const
{
    gfx::Font font;
    font.face = "Arial";
    font.weight = 400;
    font.family = gfx::FontFamily::Swiss;
    // On a screen with a scale factor the text keeps its size in the screen's own pixels.
    const double clientHeight = canvas.device().height / canvas.device().pixelRatio;
    font.height = canvas.device().printing || !(clientHeight > 0) ? 210 : 110000 / clientHeight;
    return font;
}

double PlotPainter::SplOffset(const CSpkSys& s)
{
    return SoundLevelOffset(s);
}

void PlotPainter::ComputeMappings()
{
    const PlotSettings& p = doc_.plot;
    x_ = FrequencyMapping::ForLimits(p.lowFreqLimit, p.highFreqLimit);
    db_ = ValueMapping::ForRange(-2.0 / 3.0 * p.dbSpan, p.dbSpan / 3.0);
    excursion_ = ValueMapping::ForRange(0, p.excursionSpan);
}

void PlotPainter::ComputeSplReference()
{
    if (!doc_.display.splMode) {
        splReference_ = 0;
        return;
    }
    double loudest = 0;
    for (const CSpkSys& s : doc_.systems) {
        if (s.responseShown && s.hasSpl) {
            // A record whose power, distance or counts make no level cannot be the loudest.
            const double offset = SplOffset(s);
            if (std::isfinite(offset))
                loudest = std::max(loudest, offset);
        }
    }
    int reference = static_cast<int>(std::min(loudest, 1e6));
    const double span = doc_.plot.dbSpan;
    const int step = span == 75 ? 5 : span == 45 ? 3 : span == 30 ? 2 : 1;
    splReference_ = reference - reference % step;
}

void PlotPainter::Draw(Canvas& canvas)
{
    if (canvas.device().height <= 0)
        return;
    if (!canvas.device().printing)
        EraseBackground(canvas);
    DrawAxes(canvas);
    DrawCurves(canvas, 0);
}

void PlotPainter::EraseBackground(Canvas& canvas) const
{
    canvas.FillRect({0, kPageExtent, kPageExtent, 0}, colors(canvas).background);
}

void PlotPainter::DrawAxes(Canvas& canvas)
{
    if (canvas.device().height <= 0)
        return;
    canvas.Save();
    ComputeMappings();
    ComputeSplReference();
    const PlotColors c = colors(canvas);
    canvas.SetFont(PlotFont(canvas));
    const gfx::TextMetrics tm = canvas.GetTextMetrics();
    const double cw = tm.averageCharWidth;
    const double ch = tm.height;

    canvas.SetPen(c.frame);
    canvas.FrameRect({kFrameLeft, kFrameTop, kFrameRight, kFrameBottom});

    // Horizontal grid: line 10 is the 0 dB line of the SPL scale.
    for (int j = 1; j <= kRows; ++j) {
        const double y = kFrameBottom + j * (kFrameTop - kFrameBottom) / kRows;
        canvas.SetPen(j == 10 ? c.frame : c.grid);
        canvas.MoveTo(kFrameLeft, y);
        canvas.LineTo(kFrameRight, y);
    }
    DrawFrequencyAxis(canvas, c, ch);
    DrawScales(canvas, c, cw, ch);
    canvas.Restore();
}

void PlotPainter::DrawFrequencyAxis(Canvas& canvas, const PlotColors& c, double ch)
{
    if (!x_.usable())
        return;
    const double fLow = doc_.plot.lowFreqLimit;
    const double fHigh = doc_.plot.highFreqLimit;
    canvas.SetPen(c.grid);
    for (double hz : kGrid) {
        if (!WithinLimits(hz, fLow, fHigh))
            continue;
        const double x = Truncate(x_(hz) + 0.5);
        canvas.MoveTo(x, kFrameBottom);
        canvas.LineTo(x, kFrameTop);
    }

    std::vector<const FrequencyLabel*> shown;
    for (const FrequencyLabel& label : kLabels) {
        if (WithinLimits(label.hz, fLow, fHigh))
            shown.push_back(&label);
    }
    const double y = canvas.device().printing ? kFrameBottom - 0.1 * ch : kFrameBottom;
    canvas.SetTextColor(c.text);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        // The outermost labels stay inside the frame's width.
        TextAlign align = TextAlign::Center;
        if (i == 0)
            align = TextAlign::Left;
        else if (i + 1 == shown.size())
            align = TextAlign::Right;
        canvas.SetTextAlign(align);
        canvas.TextOut(Truncate(x_(shown[i]->hz) + 0.5), y, shown[i]->text);
    }
}

void PlotPainter::DrawScales(Canvas& canvas, const PlotColors& c, double cw, double ch)
{
    const PlotSettings& p = doc_.plot;
    const DisplaySwitches& d = doc_.display;
    const bool named = !canvas.device().printing || settings_.printInColor;
    auto nameColor = [&](Color own) { return named ? own : gfx::kBlack; };

    if (d.showSpl) {
        const char* format = p.dbSpan == 7.5 ? "%5.1f" : "%5.0f";
        const double span = p.dbSpan;
        const bool absolute = d.splMode != 0;
        const int reference = splReference_;
        const bool drawable = SpanDrawable(span);
        Scale s{kFrameLeft - 0.5 * cw,
                TextAlign::Right,
                kRows,
                drawable ? 15 : -1,
                [=](int j) {
                    if (!absolute && j == 10)
                        return std::string("0 dB");
                    return FormatPrinted(format,
                                         (j - 10) * span / kRows + (absolute ? reference : 0));
                },
                {{absolute ? "SPL" : "Mag", kFrameLeft - 0.5 * cw}},
                c.text};
        DrawScale(canvas, s, c.text, ch);
        if (!absolute && drawable) {
            // Dashed guides at -3 dB and, when it is inside the frame, at -10 dB.
            canvas.SetPen({PenStyle::Dash, kThinPenWidth, gfx::kBlack});
            for (double level : {-3.0, -10.0}) {
                const double y = db_(level);
                if (std::isfinite(y) && (level == -3.0 || (y > kFrameBottom && y < kFrameTop))) {
                    canvas.MoveTo(kFrameLeft, y);
                    canvas.LineTo(kFrameRight, y);
                }
            }
        }
    }
    // The right scales: 0 .. span in 15 rows, one decimal for small spans where allowed.
    auto rightScale = [&](double columnCw, double span, bool decimals, const char* zero,
                          const char* name, double nameCw, const char* unit, double unitCw,
                          Color color) {
        Scale s{kFrameRight + columnCw * cw,
                TextAlign::Left,
                kRows,
                SpanDrawable(span) ? 15 : -1,
                SpanLabels(span, decimals && span <= 7.5 ? "%4.1f" : "%3.0f", zero),
                {{name, kFrameRight + nameCw * cw}, {unit, kFrameRight + unitCw * cw}},
                nameColor(color)};
        DrawScale(canvas, s, c.text, ch);
    };
    if (d.showExcursion) {
        rightScale(0.2, p.excursionSpan, true, " 0", "Exc", 0.8, "mm", 2.5, c.excursionName);
        if (SpanDrawable(p.excursionSpan))
            DrawExcursionLimits(canvas, c, cw, ch);
    }
    if (d.showPhase) {
        const double bottom = p.phaseBottom;
        // 90 degrees a division: 5 divisions for 0..450, 7.5 for -180..495.
        const double divisions = PhaseDivisions(p);
        if (PhaseDrawable(p)) {
            Scale s{kFrameLeft - 5.9 * cw,
                    TextAlign::Right,
                    divisions,
                    static_cast<int>(std::floor(divisions)),
                    [=](int j) { return FormatPrinted("%3.0f\u00B0", bottom + j * 90); },
                    {{"Pha", kFrameLeft - 6.2 * cw}},
                    nameColor(c.phaseName)};
            DrawScale(canvas, s, c.text, ch);
        }
    }
    if (d.showDelay)
        rightScale(5.3, p.delaySpan, true, "  0", "Dly", 6.4, "ms", 8, c.delayName);
    if (d.showImpedance)
        rightScale(10.3, p.impedanceSpan, false, "  0", "Imp", 11.8, "Ohm", 13.1, c.impedanceName);
}

void PlotPainter::DrawExcursionLimits(Canvas& canvas, const PlotColors& c, double cw, double ch)
{
    const DriverParams& driver = doc_.workbench().driver;
    struct Limit {
        double mm;
        Pen pen;
        const char* label;
        double labelOffset; // average character widths left of the frame's right edge
    };
    const Limit limits[] = {
        {driver.xMax, {PenStyle::Dash, kPenWidth, c.linearLimit}, "Linear Exc Limit", 21},
        {driver.xPeak,
         {PenStyle::Solid, kPenWidth, c.mechanicalLimit},
         "Mechanical Exc Limit",
         27}};
    canvas.SetTextAlign(TextAlign::Left);
    for (const Limit& limit : limits) {
        const double y = excursion_(limit.mm);
        if (!(y > kFrameBottom && y < kFrameTop))
            continue;
        canvas.SetPen(limit.pen);
        canvas.MoveTo(kFrameLeft, y);
        canvas.LineTo(kFrameRight, y);
        if (limit.mm != 0) {
            canvas.SetTextColor(limit.pen.color);
            canvas.TextOut(kFrameRight - limit.labelOffset * cw, y + 0.9 * ch, limit.label);
        }
    }
}

void PlotPainter::DrawCurves(Canvas& canvas, int systemIndex)
{
    if (canvas.device().height <= 0)
        return;
    const DisplaySwitches& d = doc_.display;
    const PlotSettings& p = doc_.plot;

    // Which systems this call draws: the records' own flags are never changed.
    std::array<bool, kSystemCount> shown{};
    bool anyShown = false;
    for (int k = 0; k < kSystemCount; ++k) {
        shown[k] = doc_.systems[k].responseShown == 1;
        anyShown = anyShown || shown[k];
    }
    if (d.splMode && splReference_ == 0 && anyShown) {
        // The SPL reference must exist before any SPL curve is placed.
        if (!canvas.device().printing)
            EraseBackground(canvas);
        DrawAxes(canvas);
    }
    if (systemIndex >= 1 && systemIndex <= 11) {
        shown.fill(false);
        shown[systemIndex == 11 ? kWorkbench : systemIndex] = true;
    }

    canvas.Save();
    ComputeMappings();
    const PlotColors c = colors(canvas);
    const ValueMapping mappings[] = {
        db_, excursion_, ValueMapping::ForRange(p.phaseBottom, p.phaseTop),
        ValueMapping::ForRange(0, p.delaySpan), ValueMapping::ForRange(0, p.impedanceSpan)};
    const std::int32_t showKind[] = {d.showSpl, d.showExcursion, d.showPhase, d.showDelay,
                                     d.showImpedance};
    // A curve is drawn only against a scale that can be read.
    const bool readable[] = {SpanDrawable(p.dbSpan), SpanDrawable(p.excursionSpan),
                             PhaseDrawable(p), SpanDrawable(p.delaySpan),
                             SpanDrawable(p.impedanceSpan)};

    const bool perSystem = settings_.colourEachSystem;
    keepPoints_ = systemIndex == 0 && settings_.showLegend;
    drawnPoints_.clear();
    // What was drawn, for the legend.
    std::array<bool, kSystemCount> drawnSystems{};
    std::array<bool, kCurveKinds> drawnKinds{};
    for (int k = 0; k < kSystemCount; ++k) {
        if (!shown[k])
            continue;
        const CSpkSys& s = doc_.systems[k];
        const CurveArray* curves[] = {&s.splCurve, &s.excursionCurve, &s.phaseCurve, &s.delayCurve,
                                      &s.impedanceCurve};
        const std::int32_t has[] = {s.hasSpl, s.hasExcursion, s.hasPhase, s.hasDelay,
                                    s.hasImpedance};
        // Every kind of a system shares its frequencies: mapped once.
        const std::vector<double> xs = MapFrequencies(s.frequencies, s.pointCount);
        for (int kind = 0; kind < 5; ++kind) {
            if (!showKind[kind] || !has[kind] || !readable[kind])
                continue;
            canvas.SetPen(CurvePen(c, static_cast<CurveKind>(kind), k, perSystem));
            current_ = mappings[kind];
            drawnSystems[k] = drawnKinds[kind] = true;
            if (kind == 0 && d.splMode) {
                // Each system at its own level, read against the SPL labels.
                const double offset = SplOffset(s) - splReference_;
                if (!std::isfinite(offset))
                    continue;
                const int n = s.storedPoints();
                std::vector<double> levels(s.splCurve.begin(), s.splCurve.begin() + n);
                for (double& v : levels)
                    v += offset;
                PlotMapped(canvas, xs, levels);
            } else {
                PlotMapped(canvas, xs, *curves[kind]);
            }
        }
        // The passive radiators' excursion beside the cone's, on its scale, dashed.
        if (showKind[1] && s.hasRadiator && readable[1]) {
            canvas.SetPen(CurvePen(c, CurveKind::RadiatorExcursion, k, perSystem));
            current_ = mappings[1];
            drawnSystems[k] = drawnKinds[kRadiator] = true;
            PlotCurve(canvas, s.frequencies, s.radiatorCurve, s.pointCount);
        }
    }

    if (systemIndex == 0) {
        const double namesBottom =
            DrawMeasuredCurves(canvas, c, d.showSpl && readable[0], d.showImpedance && readable[4]);
        if (settings_.showLegend)
            DrawLegend(canvas, c, drawnSystems, drawnKinds, namesBottom);
        keepPoints_ = false;
    }

    canvas.SetPen({PenStyle::Solid, kPenWidth, c.frameRedraw});
    canvas.FrameRect({kFrameLeft, kFrameTop, kFrameRight, kFrameBottom});
    canvas.Restore();
}

void PlotPainter::PlotCurve(Canvas& canvas, std::span<const double> frequencies,
                            std::span<const double> values, double count)
{
    PlotMapped(canvas, MapFrequencies(frequencies, count), values);
}

std::vector<double> PlotPainter::MapFrequencies(std::span<const double> frequencies,
                                                double count) const
{
    // Only the calculated points, as many as the record stores: never one past them, never past
    // the array.
    const std::size_t n =
        std::min(static_cast<std::size_t>(CurvePoints(count)), frequencies.size());
    std::vector<double> xs(n);
    for (std::size_t i = 0; i < n; ++i)
        xs[i] = x_(frequencies[i]);
    return xs;
}

void PlotPainter::PlotMapped(Canvas& canvas, std::span<const double> xs,
                             std::span<const double> values)
{
    const std::size_t n = std::min(xs.size(), values.size());

    struct Mapped {
        double x, y;
        bool valid;
    };
    auto map = [&](std::size_t i) {
        const double x = xs[i];
        const double y = current_(values[i]);
        return Mapped{x, y, std::isfinite(x) && std::isfinite(y)};
    };

    std::size_t first = 0;
    while (first < n) {
        const Mapped m = map(first);
        if (m.valid && Inside(m.x, m.y))
            break;
        ++first;
    }
    if (first == n)
        return;

    // Start where the segment from the point before crosses into the frame.
    Mapped start = map(first);
    if (first > 0) {
        const Mapped prev = map(first - 1);
        if (prev.valid) {
            if (prev.y < kFrameBottom) {
                start.x =
                    prev.x + (start.x - prev.x) * (kFrameBottom - prev.y) / (start.y - prev.y);
                start.y = kFrameBottom;
            } else if (prev.x < kFrameLeft) {
                start.y = prev.y + (start.y - prev.y) * (kFrameLeft - prev.x) / (start.x - prev.x);
                start.x = kFrameLeft;
            } else if (prev.y > kFrameTop) {
                start.x = prev.x + (start.x - prev.x) * (kFrameTop - prev.y) / (start.y - prev.y);
                start.y = kFrameTop;
            }
        }
    }
    // The curve goes out in runs of connected points; a point outside the frame ends a run and
    // starts the next one, and a point that is not a number ends a run.
    std::vector<gfx::Point> run{{Truncate(start.x), Truncate(start.y)}};
    auto endRun = [&canvas, &run] {
        if (run.size() >= 2)
            canvas.Polyline(run);
        run.clear();
    };
    for (std::size_t i = first; i < n; ++i) {
        const Mapped m = map(i);
        if (!m.valid) {
            endRun();
            continue;
        }
        const double x = Truncate(m.x + 0.5);
        const double y = Truncate(m.y + 0.5);
        if (!Inside(x, y) || run.empty())
            endRun();
        run.push_back({x, y});
        if (keepPoints_)
            drawnPoints_.push_back({x, y});
    }
    endRun();
}

} // namespace cw::plot
