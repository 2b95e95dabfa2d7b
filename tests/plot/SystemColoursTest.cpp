#include "gfx/RecordingCanvas.h"
#include "plot/PlotPainter.h"
#include "support/PlotFixture.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace cw::plot
{
namespace
{

using gfx::Color;
using gfx::Pen;
using gfx::PenStyle;
using gfx::RecordingCanvas;
using Op = RecordingCanvas::Op;

// The workbench, Sys 1 (named) and Sys 2 shown, each with every kind of curve flat inside the
// frame; Sys 3 calculated but hidden.
struct Scene : test::PlotFixture {
    explicit Scene(bool printing = false) : PlotFixture(printing)
    {
        DisplaySwitches& d = doc->display;
        d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
        for (int k = 0; k < 4; ++k) {
            CSpkSys& s = doc->systems[k];
            s.pointCount = 300;
            for (int i = 0; i < 300; ++i) {
                s.frequencies[i] = 20 * std::pow(2.0, i / 50.0);
                s.splCurve[i] = -2;
                s.excursionCurve[i] = 5;
                s.radiatorCurve[i] = 3;
                s.phaseCurve[i] = 90;
                s.delayCurve[i] = 4;
                s.impedanceCurve[i] = 20;
            }
            s.hasSpl = s.hasExcursion = s.hasPhase = s.hasDelay = s.hasImpedance = 1;
            s.responseShown = k < 3;
            s.systemName.clear();
        }
        doc->systems[1].hasRadiator = 1;
        doc->systems[1].systemName = "Vented 40 l";
    }
    // The pens of the curves, in drawing order: one polyline per curve here, then the frame.
    std::vector<Pen> CurvePens() const
    {
        std::vector<Pen> pens;
        for (const Op& p : canvas.Polylines())
            pens.push_back(p.pen);
        if (!pens.empty())
            pens.pop_back();
        return pens;
    }
};

constexpr PenStyle kKindStyles[] = {PenStyle::Solid,   PenStyle::Dash,       PenStyle::Dot,
                                    PenStyle::DashDot, PenStyle::DashDotDot, PenStyle::Dash};

TEST(SystemColours, EachSystemItsColourEachKindItsLineStyle)
{
    Scene s;
    s.settings.colourEachSystem = true;
    s.painter.DrawCurves(s.canvas, 0);
    const PlotColors c = ColorsFor(0, false, false);
    // Workbench and Sys 2: five kinds; Sys 1 also its radiators' excursion, on a thinner pen.
    std::vector<Pen> want;
    for (int k = 0; k < 3; ++k) {
        for (int kind = 0; kind < 5; ++kind)
            want.push_back({kKindStyles[kind], kPenWidth, c.systems[k]});
        if (k == 1)
            want.push_back({PenStyle::Dash, kPenWidth / 2, c.systems[1]});
    }
    EXPECT_EQ(s.CurvePens(), want);
    EXPECT_EQ(s.canvas.FindText("Workbench"), nullptr); // no legend unless asked for
}

TEST(SystemColours, OffKeepsOneColourPerKind)
{
    Scene s;
    s.painter.DrawCurves(s.canvas, 0);
    const PlotColors c = ColorsFor(0, false, false);
    const Color kinds[] = {c.spl, c.excursion, c.phase, c.delay, c.impedance};
    std::vector<Pen> want;
    for (int k = 0; k < 3; ++k) {
        for (Color color : kinds)
            want.push_back({PenStyle::Solid, kPenWidth, color});
        if (k == 1)
            want.push_back({PenStyle::Dash, kPenWidth, c.excursion});
    }
    EXPECT_EQ(s.CurvePens(), want);
    EXPECT_TRUE(s.canvas.Texts().empty());
}

// WCAG relative luminance and contrast ratio.
double Luminance(Color c)
{
    auto lin = [](int v) {
        const double x = v / 255.0;
        return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}
double Contrast(Color a, Color b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
// A weighted RGB distance that follows the eye closely enough to tell look-alikes.
double Distance(Color a, Color b)
{
    const double rm = (a.r + b.r) / 2.0;
    const double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return std::sqrt((2 + rm / 256) * dr * dr + 4 * dg * dg + (2 + (255 - rm) / 256) * db * db);
}

TEST(SystemColours, PalettesReadOnEveryBackgroundAndOnPaper)
{
    struct Case {
        int background;
        bool printing;
    };
    const Case cases[] = {{0, false}, {1, false}, {2, false}, {3, false}, {4, false}, {0, true}};
    for (const Case& k : cases) {
        const PlotColors c = ColorsFor(k.background, k.printing, true);
        for (std::size_t i = 0; i < c.systems.size(); ++i) {
            EXPECT_GE(Contrast(c.systems[i], c.background), 2.2)
                << "background " << k.background << " system " << i;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_GE(Distance(c.systems[i], c.systems[j]), 60)
                    << "background " << k.background << " systems " << j << ", " << i;
        }
    }
    // Black ink: every system black, the kinds still apart by their line style.
    for (Color color : ColorsFor(0, true, false).systems)
        EXPECT_EQ(color, gfx::kBlack);
}

// The legend's rows: each text with the sample line drawn on its row, if any.
struct LegendRow {
    const Op* text;
    std::optional<Op> sample;
};
std::vector<LegendRow> Legend(const RecordingCanvas& canvas, const std::vector<std::string>& texts)
{
    std::vector<LegendRow> rows;
    const auto lines = canvas.Lines();
    for (const std::string& t : texts) {
        const Op* text = canvas.FindText(t);
        std::optional<Op> sample;
        if (text) {
            // Half a line below the text's top, ending before the text.
            const double y = text->from.y - text->font.height / 2;
            for (const Op& l : lines) {
                if (!sample && l.from.y == y && l.to.y == y && l.to.x < text->from.x &&
                    l.from.x > text->from.x - 1000)
                    sample = l;
            }
        }
        rows.push_back({text, sample});
    }
    return rows;
}

TEST(SystemColours, LegendNamesTheShownSystemsAndTheKindStyles)
{
    Scene s(true);
    s.settings.colourEachSystem = s.settings.showLegend = s.settings.printInColor = true;
    s.painter.DrawCurves(s.canvas, 0);
    const PlotColors c = ColorsFor(0, true, true);
    const std::vector<std::string> texts = {
        "Workbench", "Sys 1: Vented 40 l", "Sys 2",     "Magnitude",         "Excursion",
        "Phase",     "Group delay",        "Impedance", "Radiator excursion"};
    const auto rows = Legend(s.canvas, texts);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ASSERT_NE(rows[i].text, nullptr) << texts[i];
        ASSERT_TRUE(rows[i].sample) << texts[i];
        if (i < 3) {
            EXPECT_EQ(rows[i].sample->pen, (Pen{PenStyle::Solid, kPenWidth, c.systems[i]}));
        } else {
            EXPECT_EQ(rows[i].sample->pen.style, kKindStyles[i - 3]) << texts[i];
            EXPECT_EQ(rows[i].sample->pen.color, c.text);
        }
        // Top to bottom, inside the frame's right half and under the report's logo.
        EXPECT_GT(rows[i].text->from.x, (kFrameLeft + kFrameRight) / 2);
        EXPECT_LT(rows[i].text->from.x + rows[i].text->textWidth, kFrameRight);
        EXPECT_LT(rows[i].text->from.y, kReportLogoBottom);
        if (i > 0) {
            EXPECT_LT(rows[i].text->from.y, rows[i - 1].text->from.y);
        }
    }
    EXPECT_EQ(s.canvas.FindText("Sys 3"), nullptr); // hidden
}

TEST(SystemColours, LegendWithOneColourPerKindListsSystemsWithoutSamples)
{
    Scene s;
    s.settings.showLegend = true;
    s.doc->display.showPhase = s.doc->display.showDelay = s.doc->display.showImpedance = 0;
    s.doc->systems[1].hasRadiator = 0;
    s.painter.DrawCurves(s.canvas, 0);
    const PlotColors c = ColorsFor(0, false, false);
    const auto rows = Legend(s.canvas, {"Workbench", "Sys 1: Vented 40 l", "Sys 2", "Magnitude",
                                        "Excursion", "Phase", "Radiator excursion"});
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(rows[i].text, nullptr);
        EXPECT_FALSE(rows[i].sample);
    }
    ASSERT_TRUE(rows[3].sample);
    EXPECT_EQ(rows[3].sample->pen, (Pen{PenStyle::Solid, kPenWidth, c.spl}));
    ASSERT_TRUE(rows[4].sample);
    EXPECT_EQ(rows[4].sample->pen, (Pen{PenStyle::Solid, kPenWidth, c.excursion}));
    // Kinds not drawn are not listed.
    EXPECT_EQ(rows[5].text, nullptr);
    EXPECT_EQ(rows[6].text, nullptr);

    // A system drawn at once (Calculate Response) draws no legend over the plot.
    RecordingCanvas once(s.canvas.device());
    PlotPainter::PrepareScreen(once, 1000, 800);
    s.painter.DrawCurves(once, 11);
    EXPECT_EQ(once.FindText("Workbench"), nullptr);

    // Nothing shown, nothing to name.
    for (CSpkSys& sys : s.doc->systems)
        sys.responseShown = 0;
    RecordingCanvas empty(s.canvas.device());
    PlotPainter::PrepareScreen(empty, 1000, 800);
    s.painter.DrawCurves(empty, 0);
    EXPECT_TRUE(empty.Texts().empty());
}

TEST(SystemColours, OnBlackAndWhitePaperTheKeyShowsOnlySamplesThatDiffer)
{
    // Every system prints black: the key names them without samples, but keeps the kinds' line
    // styles, which still tell the curves apart.
    Scene coloured(true);
    coloured.settings.showLegend = coloured.settings.colourEachSystem = true;
    coloured.painter.DrawCurves(coloured.canvas, 0);
    auto rows = Legend(coloured.canvas, {"Workbench", "Sys 1: Vented 40 l", "Sys 2", "Magnitude",
                                         "Excursion", "Radiator excursion"});
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(rows[i].sample) << i;
    for (int i = 3; i < 6; ++i)
        ASSERT_TRUE(rows[i].sample) << i;
    EXPECT_EQ(rows[4].sample->pen.style, PenStyle::Dash);

    // One colour per kind, all black and solid without the radiators' dashes: no samples at all.
    Scene plain(true);
    plain.settings.showLegend = true;
    plain.doc->systems[1].hasRadiator = 0;
    plain.painter.DrawCurves(plain.canvas, 0);
    rows = Legend(plain.canvas, {"Workbench", "Magnitude", "Excursion"});
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(rows[i].text, nullptr) << i;
        EXPECT_FALSE(rows[i].sample) << i;
    }

    // In colour the systems keep theirs.
    Scene inColour(true);
    inColour.settings.showLegend = inColour.settings.colourEachSystem = true;
    inColour.settings.printInColor = true;
    inColour.painter.DrawCurves(inColour.canvas, 0);
    rows = Legend(inColour.canvas, {"Workbench", "Sys 2"});
    ASSERT_TRUE(rows[0].sample);
    ASSERT_TRUE(rows[1].sample);
    EXPECT_NE(rows[0].sample->pen.color, rows[1].sample->pen.color);
}

TEST(SystemColours, LegendTakesTheCornerWhereItHidesTheFewestPoints)
{
    // Only the flat responses, near the top of the frame or near its bottom.
    auto legendBox = [](double db) {
        Scene s;
        s.settings.showLegend = true;
        DisplaySwitches& d = s.doc->display;
        d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 0;
        for (CSpkSys& sys : s.doc->systems)
            std::fill(sys.splCurve.begin(), sys.splCurve.end(), db);
        s.painter.DrawCurves(s.canvas, 0);
        std::optional<gfx::Rect> box;
        for (const Op& op : s.canvas.ops()) {
            if (op.kind == RecordingCanvas::Kind::FillRect && op.rect.left > kFrameLeft &&
                op.rect.right < kFrameRight)
                box = op.rect;
        }
        return box;
    };
    const auto low = legendBox(-18); // the top right is free
    ASSERT_TRUE(low);
    EXPECT_GT(low->top, kFrameTop - 200);
    EXPECT_GT(low->right, kFrameRight - 200);
    const auto high = legendBox(8); // both top corners would hide the curves
    ASSERT_TRUE(high);
    EXPECT_LT(high->bottom, kFrameBottom + 200);
    EXPECT_GT(high->right, kFrameRight - 200);
}

TEST(SystemColours, LegendStaysClearOfTheMeasuredCurvesNames)
{
    Scene s;
    s.settings.showLegend = s.settings.colourEachSystem = true;
    MeasuredCurve m;
    m.name = "bench mic";
    m.shown = 1;
    m.hz = {20, 200, 2000};
    m.value = {80, 85, 84};
    s.doc->measuredCurves.push_back(m);
    s.painter.DrawCurves(s.canvas, 0);
    const Op* measured = s.canvas.FindText("- - bench mic (measured SPL)");
    const Op* workbench = s.canvas.FindText("Workbench");
    ASSERT_NE(measured, nullptr);
    ASSERT_NE(workbench, nullptr);
    // The legend's box starts right of where the measured names end.
    for (const Op& op : s.canvas.ops()) {
        if (op.kind == RecordingCanvas::Kind::FillRect && op.rect.right < kFrameRight &&
            op.rect.left > kFrameLeft) {
            EXPECT_GT(op.rect.left, measured->from.x + measured->textWidth);
        }
    }
}

} // namespace
} // namespace cw::plot
