#pragma once

#include "gfx/Canvas.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotColors.h"

#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace cw::plot
{

// The plot frame on the 10000 x 10000 logical page (y up). Never changes.
inline constexpr double kFrameLeft = 850;
inline constexpr double kFrameRight = 8600;
inline constexpr double kFrameBottom = 650;
inline constexpr double kFrameTop = 9875;
inline constexpr double kPageExtent = 10000;
inline constexpr double kRows = 15; // divisions of the horizontal grid and of the linear scales

// A linear scale labels rows 0 .. 15 with multiples of span / 15. A span of 0, a negative one or
// one so large that its labels overflow (a damaged file) gives no scale to read: its rows are
// left unlabelled and no curve of its kind is drawn against it.
bool SpanDrawable(double span);
// Between the displayed frequency limits, allowing for the limits being computed values.
bool WithinLimits(double hz, double fLow, double fHigh);
// On paper the system report's logo patch fills the frame's top-right corner down to this y.
inline constexpr double kReportLogoBottom = 9309;

// y = offset + scale * value, for a value range that fills the frame from bottom to top.
struct ValueMapping {
    double offset = 0;
    double scale = 1;
    static ValueMapping ForRange(double low, double high);
    double operator()(double value) const { return offset + scale * value; }
};

// x = offset + scale * log10(f), for the displayed frequency limits.
struct FrequencyMapping {
    double offset = 0;
    double scale = 1;
    static FrequencyMapping ForLimits(double fLow, double fHigh);
    double operator()(double hz) const;
    // False for limits that give no axis (e.g. a project file's low limit above its high one).
    bool usable() const { return std::isfinite(offset) && std::isfinite(scale) && scale > 0; }
};

// The plot of a project: frame, grid, scales and the curves of the shown systems, drawn on any
// canvas. The same drawing serves the screen and paper; the canvas's device says which.
class PlotPainter
{
public:
    PlotPainter(const CSpkSysDoc& doc, const AppSettings& settings) : doc_(doc), settings_(settings)
    {
    }

    // The mapping of the plot view's client area of the given size (device units).
    static void PrepareScreen(gfx::Canvas& canvas, double clientWidth, double clientHeight);

    // Background on screen, axes, then every shown system. Nothing when the device has no height.
    void Draw(gfx::Canvas& canvas);
    // Fills the whole logical page with the background colour of the preference.
    void EraseBackground(gfx::Canvas& canvas) const;
    void DrawAxes(gfx::Canvas& canvas);
    // 0 every shown system, 1..10 memory Sys k alone, 11 the workbench alone.
    void DrawCurves(gfx::Canvas& canvas, int systemIndex);
    // One curve with the value mapping that DrawCurves made current. Reads only the first
    // count points that both arrays hold; a point that is not a number breaks the line.
    void PlotCurve(gfx::Canvas& canvas, std::span<const double> frequencies,
                   std::span<const double> values, double count);
    // Makes a value mapping current for PlotCurve, for drawings other than DrawCurves' own
    // (the Limits window's curves on the plot's frequency axis).
    void SetCurveMapping(const ValueMapping& mapping) { current_ = mapping; }

    // The SPL level (dB) of the 0 dB line in SPL mode, set by DrawAxes.
    int splReference() const { return splReference_; }
    // The SPL-mode offset of one record: its sensitivity at its input power, distance, driver
    // count and isobaric factor. Not finite when those values make no sense (e.g. P(in) 0).
    static double SplOffset(const CSpkSys& system);

    PlotColors colors(const gfx::Canvas& canvas) const;
    // The plot font: about 11 screen pixels on screen, 210 logical units on paper.
    gfx::Font PlotFont(const gfx::Canvas& canvas) const;

private:
    void ComputeMappings();
    void ComputeSplReference();
    void DrawFrequencyAxis(gfx::Canvas& canvas, const PlotColors& c, double ch);
    void DrawScales(gfx::Canvas& canvas, const PlotColors& c, double cw, double ch);
    void DrawExcursionLimits(gfx::Canvas& canvas, const PlotColors& c, double cw, double ch);
    // The project's shown measured curves, dashed, against the SPL scale (responses) and the
    // impedance scale where those can be read; their names at the frame's top left, down to the
    // y returned.
    double DrawMeasuredCurves(gfx::Canvas& canvas, const PlotColors& c, bool spl, bool impedance);
    // The key in a corner of the frame: the systems drawn and, when the systems have colours of
    // their own, the line style of each response kind drawn; otherwise the colour of each kind.
    // The top-left corner starts at namesBottom, under the measured curves' names.
    void DrawLegend(gfx::Canvas& canvas, const PlotColors& c,
                    const std::array<bool, kSystemCount>& systems,
                    const std::array<bool, kCurveKinds>& kinds, double namesBottom);
    // The x of each frequency of a curve of count points.
    std::vector<double> MapFrequencies(std::span<const double> frequencies, double count) const;
    // PlotCurve with the frequencies mapped already.
    void PlotMapped(gfx::Canvas& canvas, std::span<const double> xs,
                    std::span<const double> values);

    const CSpkSysDoc& doc_;
    const AppSettings& settings_;
    FrequencyMapping x_;
    ValueMapping db_;
    ValueMapping excursion_;
    ValueMapping current_; // the value mapping PlotCurve uses
    int splReference_ = 0;
    // The points of the curves DrawCurves drew, while it draws a legend: where they are, the
    // legend would hide them.
    bool keepPoints_ = false;
    std::vector<gfx::Point> drawnPoints_;
};

} // namespace cw::plot
