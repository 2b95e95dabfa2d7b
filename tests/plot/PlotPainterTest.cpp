#include "plot/PlotPainter.h"

#include "engine/CalculateResponse.h"
#include "gfx/RecordingCanvas.h"
#include "reports/ReportLayout.h"
#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <set>

namespace cw::plot
{
namespace
{

using gfx::Color;
using gfx::PenStyle;
using gfx::RecordingCanvas;
using gfx::TextAlign;
using Op = RecordingCanvas::Op;

constexpr double kHeight = kFrameTop - kFrameBottom;

struct Fixture : test::PlotFixture {
    using PlotFixture::PlotFixture;
    gfx::TextMetrics Metrics()
    {
        canvas.Save();
        canvas.SetFont(painter.PlotFont(canvas));
        const auto tm = canvas.GetTextMetrics();
        canvas.Restore();
        return tm;
    }
    // The labels of one column, bottom row first.
    std::vector<Op> Column(double anchorX)
    {
        std::vector<Op> out;
        for (const Op& t : canvas.Texts()) {
            if (std::abs(t.anchorX() - anchorX) < 1e-6)
                out.push_back(t);
        }
        return out;
    }
};

// A flat curve of the given level on a 50-points-per-octave grid from 10 Hz.
void FillCurve(CSpkSys& s, int points, double level)
{
    s.pointCount = points;
    for (int i = 0; i < points; ++i) {
        s.frequencies[i] = 10 * std::pow(2.0, i / 50.0);
        s.splCurve[i] = level;
        s.excursionCurve[i] = 1;
        s.phaseCurve[i] = 90;
    }
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(' ');
    return b == std::string::npos ? "" : s.substr(b);
}

TEST(PlotPainter, NewProjectFrequencyAxis)
{
    Fixture f;
    f.painter.DrawAxes(f.canvas);
    const auto x = FrequencyMapping::ForLimits(20, 2000);
    EXPECT_NEAR(x(20), kFrameLeft, 1e-9);
    EXPECT_NEAR(x(2000), kFrameRight, 1e-9);

    const std::vector<std::pair<std::string, TextAlign>> expected = {
        {"20", TextAlign::Left},    {"50", TextAlign::Center},  {"100Hz", TextAlign::Center},
        {"200", TextAlign::Center}, {"500", TextAlign::Center}, {"1k", TextAlign::Center},
        {"2k", TextAlign::Right}};
    std::vector<Op> labels;
    for (const Op& t : f.canvas.Texts()) {
        if (t.from.y == kFrameBottom)
            labels.push_back(t);
    }
    ASSERT_EQ(labels.size(), expected.size());
    const double hz[] = {20, 50, 100, 200, 500, 1000, 2000};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].text, expected[i].first);
        EXPECT_EQ(labels[i].align, expected[i].second);
        EXPECT_DOUBLE_EQ(labels[i].anchorX(), std::trunc(x(hz[i]) + 0.5));
    }

    // Vertical grid: 20, 30 ... 100, 200 ... 1000, 2000 Hz, from bottom to top.
    std::vector<double> gridX;
    for (const Op& l : f.canvas.Lines()) {
        if (l.pen.style == PenStyle::Dot && l.from.x == l.to.x) {
            EXPECT_EQ(l.from.y, kFrameBottom);
            EXPECT_EQ(l.to.y, kFrameTop);
            gridX.push_back(l.from.x);
        }
    }
    std::vector<double> want;
    for (double g :
         {20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 2000})
        want.push_back(std::trunc(x(g) + 0.5));
    EXPECT_EQ(gridX, want);
}

TEST(PlotPainter, HorizontalGridWithTheZeroDbLine)
{
    Fixture f;
    f.doc->workbench().driver.xMax = f.doc->workbench().driver.xPeak = 0;
    f.painter.DrawAxes(f.canvas);
    std::vector<Op> rows;
    for (const Op& l : f.canvas.Lines()) {
        if (l.from.y == l.to.y && l.from.x == kFrameLeft && l.to.x == kFrameRight &&
            l.pen.width == kPenWidth)
            rows.push_back(l);
    }
    // The frame's bottom edge, then the 15 grid lines drawn left to right.
    ASSERT_EQ(rows.size(), 16U);
    for (int j = 1; j <= 15; ++j) {
        const Op& l = rows[j];
        EXPECT_DOUBLE_EQ(l.from.y, kFrameBottom + j * kHeight / 15);
        EXPECT_EQ(l.pen.style, j == 10 ? PenStyle::Solid : PenStyle::Dot) << j;
    }
}

TEST(PlotPainter, RelativeMagnitudeAndExcursionScales)
{
    Fixture f;
    f.painter.DrawAxes(f.canvas);
    const auto tm = f.Metrics();
    const double cw = tm.averageCharWidth, ch = tm.height;

    const auto mag = f.Column(kFrameLeft - 0.5 * cw);
    ASSERT_EQ(mag.size(), 17U); // 16 rows and the name
    for (int j = 0; j <= 15; ++j) {
        const Op& t = mag[j];
        EXPECT_EQ(t.align, TextAlign::Right);
        const int db = (j - 10) * 2;
        if (j == 10) {
            EXPECT_EQ(t.text, "0 dB");
        } else {
            EXPECT_EQ(Trim(t.text), std::to_string(db)) << j;
            EXPECT_EQ(t.text.size(), 5U); // "%5.0f"
        }
        double y = kFrameBottom + j * kHeight / 15 + ch / 2;
        if (j == 0)
            y += 0.25 * ch;
        if (j == 15)
            y -= 0.31 * ch;
        EXPECT_NEAR(t.from.y, y, 1e-9) << j;
    }
    EXPECT_EQ(mag[16].text, "Mag");
    EXPECT_NEAR(mag[16].from.y, mag[0].from.y - 0.8 * ch, 1e-9);

    const auto exc = f.Column(kFrameRight + 0.2 * cw);
    ASSERT_EQ(exc.size(), 16U);
    EXPECT_EQ(exc[0].text, " 0");
    EXPECT_EQ(exc[1].text, "  2");
    EXPECT_EQ(exc[15].text, " 30");
    EXPECT_EQ(exc[0].align, TextAlign::Left);
    const Op* name = f.canvas.FindText("Exc");
    ASSERT_NE(name, nullptr);
    EXPECT_NEAR(name->anchorX(), kFrameRight + 0.8 * cw, 1e-9);
    EXPECT_EQ(name->textColor, (Color{224, 0, 82}));
    EXPECT_NEAR(f.canvas.FindText("mm")->anchorX(), kFrameRight + 2.5 * cw, 1e-9);
    EXPECT_NEAR(f.canvas.FindText("mm")->from.y, name->from.y - ch, 1e-9);

    // The -3 dB and -10 dB guides, dashed, thin and black.
    std::set<double> dashed;
    for (const Op& l : f.canvas.Lines()) {
        if (l.pen.style == PenStyle::Dash && l.pen.width == kThinPenWidth)
            dashed.insert(l.from.y);
    }
    const auto db = ValueMapping::ForRange(-20, 10);
    EXPECT_EQ(dashed, (std::set<double>{db(-3), db(-10)}));
}

TEST(PlotPainter, HalfDbAndSmallExcursionFormats)
{
    Fixture f;
    f.doc->plot.dbSpan = 7.5;
    f.doc->plot.excursionSpan = 1.5;
    f.painter.DrawAxes(f.canvas);
    const auto tm = f.Metrics();
    const auto mag = f.Column(kFrameLeft - 0.5 * tm.averageCharWidth);
    EXPECT_EQ(Trim(mag[0].text), "-5.0");
    EXPECT_EQ(Trim(mag[1].text), "-4.5");
    EXPECT_EQ(mag[10].text, "0 dB");
    EXPECT_EQ(Trim(mag[15].text), "2.5");
    const auto exc = f.Column(kFrameRight + 0.2 * tm.averageCharWidth);
    EXPECT_EQ(exc[0].text, " 0");
    EXPECT_EQ(exc[1].text, " 0.1");
    EXPECT_EQ(exc[15].text, " 1.5");
    // With a 7.5 dB span the -10 dB guide lies below the frame and is left out.
    int dashed = 0;
    for (const Op& l : f.canvas.Lines())
        dashed += l.pen.style == PenStyle::Dash && l.pen.width == kThinPenWidth;
    EXPECT_EQ(dashed, 1);
}

TEST(PlotPainter, DelayAndImpedanceScales)
{
    Fixture f;
    f.doc->display.showDelay = f.doc->display.showImpedance = 1;
    f.doc->plot.delaySpan = 1.5;
    f.doc->plot.impedanceSpan = 300;
    f.painter.DrawAxes(f.canvas);
    const auto tm = f.Metrics();
    const double cw = tm.averageCharWidth;
    const auto dly = f.Column(kFrameRight + 5.3 * cw);
    ASSERT_EQ(dly.size(), 16U);
    EXPECT_EQ(dly[0].text, "  0");
    EXPECT_EQ(dly[1].text, " 0.1");
    const auto imp = f.Column(kFrameRight + 10.3 * cw);
    ASSERT_EQ(imp.size(), 16U);
    EXPECT_EQ(imp[1].text, " 20");
    EXPECT_EQ(imp[15].text, "300");
    EXPECT_NEAR(f.canvas.FindText("Dly")->anchorX(), kFrameRight + 6.4 * cw, 1e-9);
    EXPECT_NEAR(f.canvas.FindText("ms")->anchorX(), kFrameRight + 8 * cw, 1e-9);
    EXPECT_NEAR(f.canvas.FindText("Ohm")->anchorX(), kFrameRight + 13.1 * cw, 1e-9);
    EXPECT_EQ(f.canvas.FindText("Imp")->textColor, (Color{255, 255, 0}));
    EXPECT_EQ(f.canvas.FindText("Dly")->textColor, (Color{0, 0, 255}));
}

TEST(PlotPainter, PhaseRowsFollowTheirOwnDivisions)
{
    Fixture f;
    f.doc->display.showPhase = 1;
    f.doc->plot.phaseTop = 495;
    f.doc->plot.phaseBottom = -180;
    f.painter.DrawAxes(f.canvas);
    const auto tm = f.Metrics();
    const auto pha = f.Column(kFrameLeft - 5.9 * tm.averageCharWidth);
    ASSERT_EQ(pha.size(), 8U); // -180 ... 450; 495 has no label
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(Trim(pha[j].text), std::to_string(-180 + 90 * j) + "\u00B0");
        const double y =
            kFrameBottom + j * kHeight / 7.5 + tm.height / 2 + (j == 0 ? 0.25 * tm.height : 0);
        EXPECT_NEAR(pha[j].from.y, y, 1e-9);
    }
    EXPECT_NEAR(f.canvas.FindText("Pha")->anchorX(), kFrameLeft - 6.2 * tm.averageCharWidth, 1e-9);

    Fixture g;
    g.doc->display.showPhase = 1;
    g.painter.DrawAxes(g.canvas);
    const auto top = g.Column(kFrameLeft - 5.9 * tm.averageCharWidth);
    ASSERT_EQ(top.size(), 6U);
    EXPECT_EQ(top[5].text, "450\u00B0");
    EXPECT_NEAR(top[5].from.y, kFrameTop + 0.5 * tm.height - 0.31 * tm.height, 1e-9);
}

TEST(PlotPainter, SplReferenceIsTheLoudestShownSystemRoundedDown)
{
    Fixture f;
    f.doc->display.splMode = 1;
    CSpkSys& wb = f.doc->workbench();
    wb.driver.spl = 92;
    wb.responseShown = wb.hasSpl = 1;
    f.painter.DrawAxes(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 92);
    const auto tm = f.Metrics();
    const auto spl = f.Column(kFrameLeft - 0.5 * tm.averageCharWidth);
    ASSERT_EQ(spl.size(), 17U);
    EXPECT_EQ(Trim(spl[0].text), "72");
    EXPECT_EQ(Trim(spl[10].text), "92");
    EXPECT_EQ(Trim(spl[15].text), "102");
    EXPECT_EQ(spl[16].text, "SPL");

    wb.driverCount = 2; // 95.01 dB, truncated to 95, down to a multiple of 2
    f.painter.DrawAxes(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 94);
    f.doc->plot.dbSpan = 75;
    f.painter.DrawAxes(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 95);
    f.doc->plot.dbSpan = 45;
    f.painter.DrawAxes(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 93);

    // A hidden system or one without SPL does not count; nonsense levels are skipped.
    wb.inputPower = 0;
    f.painter.DrawAxes(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 0);
}

TEST(PlotPainter, SplModeCurvesSitAtTheirOwnLevels)
{
    Fixture f;
    f.doc->display.splMode = 1;
    f.doc->display.showExcursion = 0;
    CSpkSys& wb = f.doc->workbench();
    CSpkSys& sys1 = f.doc->systems[1];
    for (CSpkSys* s : {&wb, &sys1}) {
        FillCurve(*s, 300, 0);
        s->responseShown = s->hasSpl = 1;
        s->driver.spl = 92;
    }
    sys1.driverCount = 2; // 95.01 dB
    f.painter.Draw(f.canvas);
    EXPECT_EQ(f.painter.splReference(), 94);
    const auto db = ValueMapping::ForRange(-20, 10);
    std::set<double> levels;
    for (const Op& l : f.canvas.Lines()) {
        if (l.pen.width == kPenWidth && l.pen.color == gfx::kBlack && l.from.x > kFrameLeft + 100 &&
            l.to.x < kFrameRight && l.from.y == l.to.y && l.from.x != l.to.x &&
            l.pen.style == PenStyle::Solid)
            levels.insert(l.to.y);
    }
    const double expectFirst = std::trunc(db(-2) + 0.5);
    const double expectSecond = std::trunc(db(95.0103 - 94) + 0.5);
    EXPECT_TRUE(levels.count(expectFirst)) << expectFirst;
    EXPECT_TRUE(levels.count(expectSecond)) << expectSecond;
}

TEST(PlotPainter, ImmediateSplModeCurvesGetTheirAxesFirst)
{
    // Calculate Response draws the workbench at once, before any repaint has set the reference.
    Fixture f;
    f.doc->display.splMode = 1;
    CSpkSys& wb = f.doc->workbench();
    FillCurve(wb, 200, 0);
    wb.responseShown = wb.hasSpl = 1;
    wb.driver.spl = 88;
    f.painter.DrawCurves(f.canvas, 11);
    EXPECT_EQ(f.painter.splReference(), 88);
    ASSERT_FALSE(f.canvas.ops().empty());
    EXPECT_EQ(f.canvas.ops().front().kind, RecordingCanvas::Kind::FillRect); // the background
    EXPECT_NE(f.canvas.FindText("SPL"), nullptr);
}

TEST(PlotPainter, ExcursionLimitLinesInsideTheFrameOnly)
{
    Fixture f;
    f.settings.plotBackground = 3;
    f.doc->workbench().driver.xMax = 0; // on the frame's bottom: no line, no label
    f.doc->workbench().driver.xPeak = 12;
    f.painter.DrawAxes(f.canvas);
    const auto tm = f.Metrics();
    EXPECT_EQ(f.canvas.FindText("Linear Exc Limit"), nullptr);
    const auto exc = ValueMapping::ForRange(0, 30);
    const Op* mech = f.canvas.FindText("Mechanical Exc Limit");
    ASSERT_NE(mech, nullptr);
    EXPECT_NEAR(mech->from.x, kFrameRight - 27 * tm.averageCharWidth, 1e-9);
    EXPECT_NEAR(mech->from.y, exc(12) + 0.9 * tm.height, 1e-9);
    bool solidLine = false, dashedLine = false;
    for (const Op& l : f.canvas.Lines()) {
        solidLine = solidLine || (l.from.y == exc(12) && l.pen.style == PenStyle::Solid &&
                                  l.pen.color == Color{224, 0, 82});
        dashedLine = dashedLine || (l.from.y == kFrameBottom && l.pen.style == PenStyle::Dash);
    }
    EXPECT_TRUE(solidLine);
    EXPECT_FALSE(dashedLine);

    f.canvas.Clear();
    f.doc->workbench().driver.xMax = 6;
    f.doc->workbench().driver.xPeak = 40; // above the frame
    f.painter.DrawAxes(f.canvas);
    const Op* linear = f.canvas.FindText("Linear Exc Limit");
    ASSERT_NE(linear, nullptr);
    EXPECT_NEAR(linear->from.x, kFrameRight - 21 * tm.averageCharWidth, 1e-9);
    EXPECT_EQ(linear->textColor, (Color{255, 0, 0}));
    EXPECT_EQ(f.canvas.FindText("Mechanical Exc Limit"), nullptr);
}

std::set<std::tuple<int, int, int>> CurveColors(const RecordingCanvas& c)
{
    std::set<std::tuple<int, int, int>> out;
    for (const Op& l : c.Lines()) {
        if (l.pen.width == kPenWidth && l.pen.style == PenStyle::Solid && l.from.x != l.to.x &&
            l.from.y != l.to.y)
            out.insert({l.pen.color.r, l.pen.color.g, l.pen.color.b});
    }
    return out;
}

TEST(PlotPainter, CurveColoursByBackgroundAndForPaper)
{
    struct Case {
        int background;
        bool printing, inColor;
        Color spl, excursion;
    };
    const Case cases[] = {{0, false, false, {0, 0, 0}, {255, 0, 0}},
                          {1, false, false, {255, 255, 255}, {224, 0, 82}},
                          {3, false, false, {0, 0, 0}, {224, 0, 82}},
                          {0, true, true, {0, 0, 0}, {224, 0, 82}},
                          {1, true, false, {0, 0, 0}, {0, 0, 0}}};
    for (const Case& k : cases) {
        Fixture f(k.printing);
        f.settings.plotBackground = k.background;
        f.settings.printInColor = k.inColor;
        CSpkSys& wb = f.doc->workbench();
        // A rising curve so that its segments are neither horizontal nor vertical.
        FillCurve(wb, 300, 0);
        for (int i = 0; i < 300; ++i) {
            wb.splCurve[i] = -15 + i * 0.05;
            wb.excursionCurve[i] = 1 + i * 0.05;
        }
        wb.responseShown = wb.hasSpl = wb.hasExcursion = 1;
        f.painter.DrawCurves(f.canvas, 0);
        const auto colors = CurveColors(f.canvas);
        EXPECT_TRUE(colors.count({k.spl.r, k.spl.g, k.spl.b})) << k.background;
        EXPECT_TRUE(colors.count({k.excursion.r, k.excursion.g, k.excursion.b})) << k.background;
        EXPECT_EQ(colors.size(), k.spl == k.excursion ? 1U : 2U);
        // The frame goes on last, over the curve ends.
        EXPECT_EQ(f.canvas.ops().back().from.x, kFrameLeft);
    }
    // Paper without colour: the axes are black too, the grid a thin dotted black.
    Fixture p(true);
    p.doc->display.showPhase = 1;
    p.painter.DrawAxes(p.canvas);
    EXPECT_EQ(p.canvas.FindText("Pha")->textColor, gfx::kBlack);
    EXPECT_EQ(p.canvas.FindText("Exc")->textColor, gfx::kBlack);
    for (const Op& l : p.canvas.Lines()) {
        if (l.pen.style == PenStyle::Dot) {
            EXPECT_EQ(l.pen.width, kThinPenWidth);
            EXPECT_EQ(l.pen.color, gfx::kBlack);
        }
    }
    // On paper the frequency labels sit 0.1 character height lower.
    const auto tm = p.Metrics();
    EXPECT_EQ(tm.height, 210);
    EXPECT_NEAR(p.canvas.FindText("20")->from.y, kFrameBottom - 21, 1e-9);
}

TEST(PlotPainter, IndexCallsDrawOneSystemAndLeaveTheFlags)
{
    Fixture f;
    f.doc->display.showExcursion = 0;
    for (int k : {0, 3, 5}) {
        FillCurve(f.doc->systems[k], 100, -5 + k);
        f.doc->systems[k].hasSpl = 1;
    }
    f.doc->systems[0].responseShown = 1;
    f.doc->systems[5].responseShown = 1;

    auto levels = [&](int index) {
        f.canvas.Clear();
        f.painter.DrawCurves(f.canvas, index);
        std::set<double> ys;
        for (const Op& l : f.canvas.Lines()) {
            if (l.from.y == l.to.y && l.from.x != l.to.x && l.from.x > kFrameLeft &&
                l.from.y < kFrameTop)
                ys.insert(l.to.y);
        }
        return ys;
    };
    const auto db = ValueMapping::ForRange(-20, 10);
    auto y = [&](double v) { return std::trunc(db(v) + 0.5); };
    EXPECT_EQ(levels(0), (std::set<double>{y(-5), y(0)}));
    EXPECT_EQ(levels(3), (std::set<double>{y(-2)})); // Sys 3 although it is hidden
    EXPECT_EQ(levels(11), (std::set<double>{y(-5)}));
    EXPECT_EQ(f.doc->systems[3].responseShown, 0);
    EXPECT_EQ(f.doc->systems[5].responseShown, 1);
    EXPECT_EQ(f.doc->systems[0].responseShown, 1);
}

// Curves with explicit points: frequencies and values mapped by the relative dB mapping.
struct CurveCase : Fixture {
    std::vector<double> hz, db;
    std::vector<Op> Draw(double count)
    {
        // An SPL curve of no points leaves the dB mapping current.
        doc->workbench().hasSpl = 1;
        doc->display.showExcursion = 0;
        painter.DrawCurves(canvas, 11);
        canvas.Clear();
        painter.PlotCurve(canvas, hz, db, count);
        // Without the zero-length step onto the first point itself.
        std::vector<Op> lines;
        for (const Op& l : canvas.Lines()) {
            if (std::abs(l.to.x - l.from.x) > 1 || std::abs(l.to.y - l.from.y) > 1)
                lines.push_back(l);
        }
        return lines;
    }
};

TEST(PlotCurve, StartsOnTheBottomEdgeWhereTheCurveEntersTheFrame)
{
    CurveCase c;
    c.hz = {20, 40, 80, 160};
    c.db = {-30, -10, -5, 0};
    const auto lines = c.Draw(4);
    ASSERT_FALSE(lines.empty());
    const auto x = FrequencyMapping::ForLimits(20, 2000);
    const auto dbm = ValueMapping::ForRange(-20, 10);
    const double x0 = x(20), y0 = dbm(-30), x1 = x(40), y1 = dbm(-10);
    const double crossX = x0 + (x1 - x0) * (kFrameBottom - y0) / (y1 - y0);
    EXPECT_EQ(lines[0].from.y, kFrameBottom);
    EXPECT_EQ(lines[0].from.x, std::trunc(crossX));
    EXPECT_EQ(lines[0].to.x, std::trunc(x1 + 0.5));
    EXPECT_EQ(lines.size(), 3U);
}

TEST(PlotCurve, LeavesAGapAboveTheFrameAndComesBackFromTheLastPointAbove)
{
    CurveCase c;
    c.hz = {20, 40, 80, 160, 320, 640};
    c.db = {0, 5, 15, 20, 5, 0}; // 15 and 20 dB are above the 10 dB top
    const auto lines = c.Draw(6);
    const auto dbm = ValueMapping::ForRange(-20, 10);
    ASSERT_EQ(lines.size(), 3U); // 20-40, then 320 from 160 (above), then 640
    EXPECT_EQ(lines[0].to.y, std::trunc(dbm(5) + 0.5));
    EXPECT_EQ(lines[1].from.y, std::trunc(dbm(20) + 0.5));
    EXPECT_GT(lines[1].from.y, kFrameTop);
    EXPECT_LE(lines[1].to.y, kFrameTop);
}

TEST(PlotCurve, ReadsOnlyCalculatedPointsAndBreaksAtNotANumber)
{
    CurveCase c;
    c.hz = {20, 40, 80, 160, 320, 640};
    c.db = {0, 1, 2, std::numeric_limits<double>::quiet_NaN(), 4, 5};
    // pointCount 4 covers points 0..3: the point after the last one is never read.
    auto lines = c.Draw(4);
    ASSERT_EQ(lines.size(), 2U);
    const auto x = FrequencyMapping::ForLimits(20, 2000);
    EXPECT_EQ(lines.back().to.x, std::trunc(x(80) + 0.5));

    // The gap at the NaN: 80 Hz is not joined to 320 Hz.
    lines = c.Draw(6);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[2].from.x, std::trunc(x(320) + 0.5));
    EXPECT_EQ(lines[2].to.x, std::trunc(x(640) + 0.5));

    // A count larger than the arrays, or not a number, reads nothing beyond them.
    EXPECT_EQ(c.Draw(1e9).size(), 3U);
    EXPECT_TRUE(c.Draw(std::numeric_limits<double>::quiet_NaN()).empty());
    c.db.assign(6, 50); // nothing inside the frame
    EXPECT_TRUE(c.Draw(6).empty());
}

TEST(PlotCurve, DrawsEachRunAsOnePolyline)
{
    CurveCase c;
    c.hz = {20, 40, 80, 160, 320, 640, 1280};
    c.db = {0, 5, 15, 5, 0, std::numeric_limits<double>::quiet_NaN(), 0};
    c.Draw(7);
    // 20 to 40 Hz; then from 80 Hz, above the frame, down to 320 Hz, where the NaN ends the run;
    // 1280 Hz alone makes no run.
    const auto runs = c.canvas.Polylines();
    ASSERT_EQ(runs.size(), 2U);
    EXPECT_EQ(runs[0].points.size(), 3U); // the entry point, 20 and 40 Hz
    EXPECT_EQ(runs[1].points.size(), 3U); // 80 Hz above the frame, 160 and 320 Hz
    EXPECT_GT(runs[1].points[0].y, kFrameTop);
}

TEST(PlotCurve, ReachesTheLastCalculatedPoint)
{
    // The new project's grid: 382.19 points, so the last one read is point 382 at 1994.7 Hz.
    CurveCase c;
    CSpkSys& wb = c.doc->workbench();
    const auto grid = engine::PlanFrequencyGrid(c.doc->plot);
    ASSERT_TRUE(grid);
    engine::FillFrequencyGrid(wb, *grid);
    ASSERT_EQ(wb.storedPoints(), 383);
    EXPECT_NEAR(wb.frequencies[382], 1994.7, 0.05);
    c.hz.assign(wb.frequencies.begin(), wb.frequencies.end());
    c.db.assign(kMaxPoints, -5);
    const auto lines = c.Draw(wb.pointCount);
    ASSERT_FALSE(lines.empty());
    const auto x = FrequencyMapping::ForLimits(20, 2000);
    EXPECT_EQ(lines.back().to.x, std::trunc(x(wb.frequencies[382]) + 0.5));
    EXPECT_LT(kFrameRight - lines.back().to.x, 10);
}

TEST(PlotPainter, NonsenseSettingsFromAFileDrawNoBrokenCoordinates)
{
    for (auto limits : {std::pair{2000.0, 20.0}, std::pair{0.0, 2000.0}, std::pair{-5.0, 50.0}}) {
        Fixture f;
        f.doc->plot.lowFreqLimit = limits.first;
        f.doc->plot.highFreqLimit = limits.second;
        f.doc->plot.dbSpan = 0;
        f.doc->display.showPhase = 1;
        f.doc->plot.phaseTop = f.doc->plot.phaseBottom = 90;
        FillCurve(f.doc->workbench(), 100, -3);
        f.doc->workbench().responseShown = f.doc->workbench().hasSpl = 1;
        f.painter.Draw(f.canvas);
        for (const Op& op : f.canvas.ops()) {
            EXPECT_TRUE(std::isfinite(op.from.x) && std::isfinite(op.from.y) &&
                        std::isfinite(op.to.x) && std::isfinite(op.to.y))
                << limits.first << " " << op.text;
        }
        EXPECT_NE(f.canvas.FindText("Mag"), nullptr); // the rest of the plot is still there
    }
}

// Spans from a damaged file: 0, beyond what a number holds, or not a number. No label reads
// "inf" or "nan" or runs to hundreds of digits; the scale keeps its name but has no rows, and no
// curve is drawn against it.
TEST(PlotPainter, UnreadableSpansDrawNoScaleRowsAndNoCurves)
{
    for (double span : {0.0, 1e308, std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()}) {
        Fixture f;
        f.settings.plotBackground = 1; // white SPL curves, told apart from the silver frame
        PlotSettings& p = f.doc->plot;
        p.dbSpan = p.excursionSpan = p.delaySpan = p.impedanceSpan = span;
        p.phaseBottom = -span;
        p.phaseTop = span;
        DisplaySwitches& d = f.doc->display;
        d.showPhase = d.showDelay = d.showImpedance = 1;
        CSpkSys& wb = f.doc->workbench();
        FillCurve(wb, 100, -3);
        wb.responseShown = wb.hasSpl = wb.hasExcursion = wb.hasPhase = 1;
        wb.driver.xMax = 5;
        f.painter.Draw(f.canvas);
        for (const Op& t : f.canvas.Texts()) {
            EXPECT_EQ(t.text.find("inf"), std::string::npos) << span;
            EXPECT_EQ(t.text.find("nan"), std::string::npos) << span;
            EXPECT_LT(t.text.size(), 12U) << span;
            // Only the frequency labels, the names and the units are left.
            EXPECT_LE(t.from.y, kFrameBottom) << span << " " << t.text;
        }
        EXPECT_NE(f.canvas.FindText("Exc"), nullptr);
        EXPECT_EQ(f.canvas.FindText("Linear Exc Limit"), nullptr);
        // The frame and its grid, but no curve segment.
        const PlotColors c = f.painter.colors(f.canvas);
        for (const Op& l : f.canvas.Lines()) {
            EXPECT_NE(l.pen.color, c.spl) << span;
            EXPECT_NE(l.pen.color, c.excursion) << span;
            EXPECT_NE(l.pen.color, c.phase) << span;
        }
    }
}

TEST(PlotPainter, ScreenAndPaperViewports)
{
    RecordingCanvas screen({1000, 800, 96, 96, false, false});
    PlotPainter::PrepareScreen(screen, 1000, 800);
    EXPECT_EQ(screen.mapping().ToDevice({0, 0}), (gfx::Point{0, 800}));
    EXPECT_EQ(screen.mapping().ToDevice({10000, 10000}), (gfx::Point{1000, 0}));

    // Portrait: the plot fills the upper half of the page.
    RecordingCanvas portrait({5100, 6600, 600, 600, true, false});
    reports::MapSystemReportPage(portrait);
    EXPECT_EQ(portrait.mapping().viewportExt, (gfx::Point{5100, -3300}));
    EXPECT_EQ(portrait.mapping().viewportOrg, (gfx::Point{0, 3300}));
    // Landscape: half the width, 1/2.39 of the height, 40 device units below the middle.
    RecordingCanvas landscape({6600, 5100, 600, 600, true, true});
    reports::MapSystemReportPage(landscape);
    EXPECT_EQ(landscape.mapping().viewportExt, (gfx::Point{3300, -(5100 / 2.39)}));
    EXPECT_EQ(landscape.mapping().viewportOrg, (gfx::Point{0, 2590}));
}

TEST(PlotPainter, NothingOnAClientWithoutHeight)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    RecordingCanvas canvas({1000, 0, 96, 96, false, false});
    PlotPainter painter(*doc, settings);
    painter.Draw(canvas);
    EXPECT_TRUE(canvas.ops().empty());
}

} // namespace
} // namespace cw::plot
