#include "plot/LimitsPainter.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace cw::plot
{

namespace
{

using gfx::Canvas;
using gfx::Color;
using gfx::Pen;
using gfx::PenStyle;
using gfx::TextAlign;

constexpr int kPowerDecades = 5; // the power scale's height, three divisions a decade
constexpr double kSplPenWidth = 25;

// y = offset + scale * value for a value range that fills the frame from bottom to top. Unlike
// the plot's ValueMapping, a range whose top is 0 (1 W on the power scale) is as good as any.
ValueMapping Linear(double low, double high)
{
    const double scale = (kFrameTop - kFrameBottom) / (high - low);
    return {kFrameBottom - low * scale, scale};
}

std::string PowerLabel(int decade)
{
    if (decade >= 6)
        return FormatPrinted("%gM", std::pow(10.0, decade - 6));
    if (decade >= 3)
        return FormatPrinted("%gk", std::pow(10.0, decade - 3));
    return FormatPrinted("%g", std::pow(10.0, decade));
}

// A column of row labels, every step-th row from 0 to 15, placed as the plot places its scales',
// with the scale's name and unit under row 0.
struct Column {
    double x;
    TextAlign align;
    int step;
    std::function<std::string(int)> label;
    const char* name;
    const char* unit;
    double nameX;
};

void DrawColumn(Canvas& canvas, const Column& col, Color text, Color nameColor, double ch)
{
    canvas.SetTextColor(text);
    canvas.SetTextAlign(col.align);
    const double pitch = (kFrameTop - kFrameBottom) / kRows;
    const double row0 = kFrameBottom + 0.75 * ch;
    for (int j = 0; j <= kRows; j += col.step) {
        double y = j == 0 ? row0 : kFrameBottom + j * pitch + ch / 2;
        if (j == kRows)
            y -= 0.31 * ch;
        canvas.TextOut(col.x, y, col.label(j));
    }
    canvas.SetTextColor(nameColor);
    canvas.SetTextAlign(col.nameX < kFrameLeft ? TextAlign::Right : TextAlign::Left);
    canvas.TextOut(col.nameX, row0 - 0.8 * ch, col.name);
    canvas.TextOut(col.nameX, row0 - 1.8 * ch, col.unit);
}

} // namespace

LimitColors LimitColorsFor(int background, bool printing, bool printInColor)
{
    const PlotColors plot = ColorsFor(background, printing, printInColor);
    if (printing && !printInColor) {
        // Black ink: the three limits by the line's style.
        const Pen black{PenStyle::Solid, kPenWidth, gfx::kBlack};
        return {{PenStyle::Solid, kSplPenWidth, gfx::kBlack},
                {PenStyle::Dash, kSplPenWidth, gfx::kBlack},
                {PenStyle::Dot, kSplPenWidth, gfx::kBlack},
                black,
                {PenStyle::Dash, kPenWidth, gfx::kBlack},
                {PenStyle::Dot, kPenWidth, gfx::kBlack},
                {PenStyle::Dash, kPenWidth, gfx::kBlack},
                {PenStyle::Solid, kPenWidth, gfx::kBlack}};
    }
    // Orange and a sky blue stand out on every background; on paper and white a darker pair.
    const bool light = printing || background == 3 || background == 4;
    const Color thermal = light ? Color{230, 115, 0} : Color{255, 165, 0};
    const Color vent = background == 1 && !printing ? Color{64, 160, 255} : plot.delay;
    const Color power = background == 0 && !printing ? Color{255, 255, 255} : plot.phase;
    return {{PenStyle::Solid, kSplPenWidth, thermal},
            {PenStyle::Solid, kSplPenWidth, plot.excursion},
            {PenStyle::Solid, kSplPenWidth, vent},
            {PenStyle::Solid, kPenWidth, power},
            {PenStyle::Solid, kPenWidth, plot.excursion},
            {PenStyle::Solid, kPenWidth, vent},
            {PenStyle::Dash, kPenWidth, vent},
            {PenStyle::Solid, kSplPenWidth, light ? Color{150, 40, 200} : Color{200, 120, 255}}};
}

LimitScales ScalesFor(const std::vector<ShownLimits>& shown, const PlotSettings& plot,
                      double ventVelocityLimit)
{
    LimitScales s;
    if (SpanDrawable(plot.dbSpan) && plot.dbSpan <= 1500)
        s.splStep = plot.dbSpan / kRows;
    s.excursionSpan = plot.excursionSpan;

    // The loudest maximum and the largest power within the displayed frequencies.
    double loudest = -std::numeric_limits<double>::infinity();
    double most = 0;
    bool vent = false;
    for (const ShownLimits& shownLimits : shown) {
        const engine::Limits& l = shownLimits.limits;
        vent = vent || std::any_of(l.ventVelocity.begin(), l.ventVelocity.end(),
                                   [](double v) { return std::isfinite(v); });
        for (std::size_t i = 0; i < l.frequencies.size(); ++i) {
            const double f = l.frequencies[i];
            if (!WithinLimits(f, plot.lowFreqLimit, plot.highFreqLimit))
                continue;
            if (std::isfinite(l.maxSpl[i]))
                loudest = std::max(loudest, l.maxSpl[i]);
            if (std::isfinite(l.maxPower[i]))
                most = std::max(most, l.maxPower[i]);
        }
    }
    if (std::isfinite(loudest))
        s.splTop = std::ceil(std::clamp(loudest, -1000.0, 1000.0) / s.splStep - 1e-9) * s.splStep;
    if (most > 0)
        s.powerTopDecade = std::clamp(static_cast<int>(std::ceil(std::log10(most) - 1e-9)), -3, 9);

    // Without a vent there is no velocity to scale.
    if (!vent) {
        s.velocitySpan = 0;
        return s;
    }
    // The velocity limit two thirds of the way up, or a little lower on the scale's steps.
    const double wanted = ventVelocityLimit > 0 && std::isfinite(ventVelocityLimit)
                              ? 1.5 * ventVelocityLimit
                              : 1.5 * kDefaultVentVelocityLimit;
    s.velocitySpan = std::ceil(wanted / 100) * 100;
    for (double span : {3.0, 7.5, 15.0, 30.0, 45.0, 75.0, 150.0, 300.0}) {
        if (span >= wanted) {
            s.velocitySpan = span;
            break;
        }
    }
    return s;
}

LimitsPainter::LimitsPainter(const CSpkSysDoc& doc, const AppSettings& settings)
    : doc_(doc), settings_(settings), axes_(axesDoc_, settings)
{
}

void LimitsPainter::Update()
{
    shown_.clear();
    for (int k = 0; k < kSystemCount; ++k) {
        const CSpkSys& s = doc_.systems[k];
        if (s.responseShown == 1)
            shown_.push_back({k, engine::CalculateLimits(s, settings_.ventVelocityLimit)});
    }
    scales_ = ScalesFor(shown_, doc_.plot, settings_.ventVelocityLimit);
    stale_ = false;
}

const std::vector<ShownLimits>& LimitsPainter::shown()
{
    if (stale_)
        Update();
    return shown_;
}

LimitScales LimitsPainter::scales()
{
    if (stale_)
        Update();
    return scales_;
}

std::vector<std::string> LimitsPainter::Sentences()
{
    const std::vector<ShownLimits>& list = shown();
    if (list.empty())
        return {"No system is shown: show the workbench or a memory to see how loud it can play."};
    std::vector<std::string> sentences;
    for (const ShownLimits& s : list) {
        sentences.push_back(list.size() == 1 ? s.limits.sentence
                                             : SystemLabel(s.system) + ": " + s.limits.sentence);
    }
    return sentences;
}

void LimitsPainter::DrawWindow(Canvas& canvas)
{
    const double w = canvas.device().width;
    const double h = canvas.device().height;
    if (!(h > 0) || !(w > 0))
        return;
    // The band under the plot holds the key and three lines of sentences.
    const double band = std::min(h / 3, std::round(66 * canvas.device().pixelRatio));
    const double plotHeight = h - band;
    PlotPainter::PrepareScreen(canvas, w, plotHeight);
    const double bandBottom = -band * kPageExtent / plotHeight;
    const PlotColors c = axes_.colors(canvas);
    canvas.FillRect({0, kPageExtent, kPageExtent, bandBottom}, c.background);
    DrawPlot(canvas);

    canvas.Save();
    canvas.SetFont(Font(canvas));
    const double ch = canvas.GetTextMetrics().height;
    const double below = DrawKey(canvas, 150, -0.15 * ch, kPageExtent - 150);
    std::string text;
    for (const std::string& sentence : Sentences())
        text += (text.empty() ? "" : "\n") + sentence;
    canvas.SetTextColor(c.text);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({150, below - 0.15 * ch, kPageExtent - 150, bandBottom}, text);
    canvas.Restore();
}

void LimitsPainter::DrawPlot(Canvas& canvas)
{
    if (canvas.device().height <= 0)
        return;
    if (stale_)
        Update();
    // The plot's own axes with only its excursion scale, and the workbench's X(max) and X(peak).
    axesDoc_.plot = doc_.plot;
    axesDoc_.display = DisplaySwitches{};
    axesDoc_.display.showSpl = 0;
    axesDoc_.display.showExcursion = 1;
    axesDoc_.workbench().driver.xMax = doc_.workbench().driver.xMax;
    axesDoc_.workbench().driver.xPeak = doc_.workbench().driver.xPeak;
    axes_.DrawAxes(canvas);

    canvas.Save();
    const PlotColors c = axes_.colors(canvas);
    DrawScales(canvas, c);
    DrawCurves(canvas);
    canvas.SetPen({PenStyle::Solid, kPenWidth, c.frameRedraw});
    canvas.FrameRect({kFrameLeft, kFrameTop, kFrameRight, kFrameBottom});
    canvas.Restore();
}

void LimitsPainter::DrawScales(Canvas& canvas, const PlotColors& c)
{
    canvas.SetFont(Font(canvas));
    const gfx::TextMetrics tm = canvas.GetTextMetrics();
    const double cw = tm.averageCharWidth;
    const double ch = tm.height;
    const LimitScales s = scales_;
    const LimitColors lc =
        LimitColorsFor(settings_.plotBackground, canvas.device().printing, settings_.printInColor);

    const char* splFormat = s.splStep == 0.5 ? "%5.1f" : "%5.0f";
    DrawColumn(canvas,
               {kFrameLeft - 0.5 * cw, TextAlign::Right, 1,
                [&](int j) { return FormatPrinted(splFormat, s.splTop - (kRows - j) * s.splStep); },
                "SPL", "dB", kFrameLeft - 0.5 * cw},
               c.text, c.text, ch);
    DrawColumn(canvas,
               {kFrameLeft - 5.9 * cw, TextAlign::Right, 3,
                [&](int j) { return PowerLabel(s.powerTopDecade - kPowerDecades + j / 3); }, "Pow",
                "W", kFrameLeft - 6.2 * cw},
               c.text, lc.power.color, ch);
    if (!SpanDrawable(s.velocitySpan))
        return;
    const char* velocityFormat = s.velocitySpan <= 7.5 ? "%4.1f" : "%3.0f";
    DrawColumn(canvas,
               {kFrameRight + 5.3 * cw, TextAlign::Left, 1,
                [&](int j) {
                    return j == 0 ? std::string("  0")
                                  : FormatPrinted(velocityFormat, j * s.velocitySpan / kRows);
                },
                "Vel", "m/s", kFrameRight + 6.4 * cw},
               c.text, lc.velocityCurve.color, ch);

    // The velocity limit's line, labelled at the left where the excursion limits leave room.
    const double y = Linear(0, s.velocitySpan)(settings_.ventVelocityLimit);
    if (y > kFrameBottom && y < kFrameTop) {
        canvas.SetPen(lc.velocityLimit);
        canvas.MoveTo(kFrameLeft, y);
        canvas.LineTo(kFrameRight, y);
        canvas.SetTextColor(lc.velocityLimit.color);
        canvas.SetTextAlign(TextAlign::Left);
        canvas.TextOut(kFrameLeft + cw, y + 0.9 * ch, "Vent Velocity Limit");
    }
}

void LimitsPainter::DrawCurves(Canvas& canvas)
{
    const LimitScales s = scales_;
    const LimitColors lc =
        LimitColorsFor(settings_.plotBackground, canvas.device().printing, settings_.printInColor);
    const ValueMapping spl = Linear(s.splTop - kRows * s.splStep, s.splTop);
    const ValueMapping power = Linear(s.powerTopDecade - kPowerDecades, s.powerTopDecade);
    auto curve = [&](const Pen& pen, const ValueMapping& mapping, std::span<const double> f,
                     std::span<const double> values) {
        canvas.SetPen(pen);
        axes_.SetCurveMapping(mapping);
        axes_.PlotCurve(canvas, f, values, static_cast<double>(values.size()));
    };

    for (const ShownLimits& shownLimits : shown_) {
        const engine::Limits& l = shownLimits.limits;
        const std::span<const double> f = l.frequencies;
        std::vector<double> decades(l.maxPower.size());
        std::transform(l.maxPower.begin(), l.maxPower.end(), decades.begin(),
                       [](double p) { return std::log10(p); });
        curve(lc.power, power, f, decades);
        if (SpanDrawable(s.velocitySpan))
            curve(lc.velocityCurve, Linear(0, s.velocitySpan), f, l.ventVelocity);
        if (SpanDrawable(s.excursionSpan))
            curve(lc.excursionCurve, Linear(0, s.excursionSpan), f, l.excursion);

        // The maximum SPL in runs of one binding limit; each run reaches to the next one's first
        // point, so that the line has no gap where the limit changes.
        const std::size_t n = l.binding.size();
        for (std::size_t start = 0; start < n;) {
            std::size_t end = start;
            while (end + 1 < n && l.binding[end + 1] == l.binding[start])
                ++end;
            const engine::Limit limit = l.binding[start];
            if (limit != engine::Limit::None) {
                const Pen& pen = limit == engine::Limit::Thermal     ? lc.thermal
                                 : limit == engine::Limit::Excursion ? lc.excursion
                                 : limit == engine::Limit::Radiator  ? lc.radiator
                                                                     : lc.vent;
                const std::size_t count = std::min(end + 2, n) - start;
                curve(pen, spl, f.subspan(start, count),
                      std::span<const double>(l.maxSpl).subspan(start, count));
            }
            start = end + 1;
        }
    }
}

double LimitsPainter::DrawKey(Canvas& canvas, double x, double y, double right)
{
    canvas.Save();
    const PlotColors c = axes_.colors(canvas);
    const LimitColors lc =
        LimitColorsFor(settings_.plotBackground, canvas.device().printing, settings_.printInColor);
    const gfx::TextMetrics tm = canvas.GetTextMetrics();
    const double cw = tm.averageCharWidth;
    const double ch = tm.height;
    // The vent's entries only where a shown system has a vent.
    const bool vent = SpanDrawable(scales().velocitySpan);
    // The radiator's entry only where a passive radiator binds somewhere.
    const bool radiator = std::any_of(shown_.begin(), shown_.end(), [](const ShownLimits& s) {
        return std::find(s.limits.binding.begin(), s.limits.binding.end(),
                         engine::Limit::Radiator) != s.limits.binding.end();
    });
    const std::pair<const Pen*, const char*> entries[] = {
        {nullptr, "Maximum SPL, limited by"},
        {&lc.thermal, "the voice coil, P(t)"},
        {&lc.excursion, "excursion, X(max)"},
        {vent ? &lc.vent : nullptr, vent ? "the vent's air velocity" : ""},
        {radiator ? &lc.radiator : nullptr, radiator ? "the radiator's X(max)" : ""},
        {nullptr, "   At the drive of the design:"},
        {&lc.power, "maximum power"},
        {&lc.excursionCurve, "excursion"},
        {vent ? &lc.velocityCurve : nullptr, vent ? "vent velocity" : ""},
    };
    canvas.SetTextAlign(TextAlign::Left);
    double at = x;
    for (const auto& [pen, text] : entries) {
        if (!*text)
            continue;
        const double sample = pen ? 3 * cw : 0;
        const double width = sample + canvas.TextWidth(text) + 1.5 * cw;
        if (at > x && at + width > right) {
            at = x;
            y -= 1.1 * ch;
        }
        if (pen) {
            // A short stretch of the curve's own line.
            canvas.SetPen(*pen);
            canvas.MoveTo(at, y - 0.55 * ch);
            canvas.LineTo(at + 2.4 * cw, y - 0.55 * ch);
        }
        canvas.SetTextColor(c.text);
        canvas.TextOut(at + sample, y, text);
        at += width;
    }
    canvas.Restore();
    return y - 1.1 * ch;
}

} // namespace cw::plot
