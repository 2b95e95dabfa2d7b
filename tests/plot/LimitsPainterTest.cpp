#include "plot/LimitsPainter.h"

#include "gfx/RecordingCanvas.h"
#include "model/BoxType.h"
#include "model/NumberFormat.h"
#include "support/SampleDesigns.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace cw::plot
{
namespace
{

using gfx::Color;
using gfx::Pen;
using gfx::PenStyle;
using gfx::RecordingCanvas;
using Op = RecordingCanvas::Op;

// The sample driver (X(max) 6 mm, P(t) 75 W) in a calculated box, drawn as the Limits window of a
// 1000 x 800 client area.
struct LimitsPainterTest : ::testing::Test {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    RecordingCanvas canvas{{1000, 800, 96, 96, false, false}};
    LimitsPainter painter{*doc, settings};

    void Vented()
    {
        test::DesignVented40Litres(doc->workbench());
        ASSERT_TRUE(doc->CalculateResponse());
    }
    void Closed()
    {
        CSpkSys& wb = doc->workbench();
        wb.closed2.vbLiters = 30;
        wb.closed2.vbCuFt = 30 / 28.317;
        ASSERT_TRUE(doc->CalculateResponse());
    }
    void Draw()
    {
        canvas.Clear();
        painter.Invalidate();
        painter.DrawWindow(canvas);
    }
    // The colours of the maximum SPL's runs, told from the other curves by their wide pen.
    std::set<std::tuple<int, int, int>> SplColours() const
    {
        std::set<std::tuple<int, int, int>> colours;
        for (const Op& p : canvas.Polylines()) {
            if (p.pen.width == LimitColorsFor(0, false, false).thermal.width)
                colours.insert({p.pen.color.r, p.pen.color.g, p.pen.color.b});
        }
        return colours;
    }
    static std::tuple<int, int, int> Rgb(Color c) { return {c.r, c.g, c.b}; }
    // The lines drawn with a pen across the whole frame at one height.
    int CountAcross(double y, const Pen& pen) const
    {
        const auto lines = canvas.Lines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const Op& l) {
            return l.pen == pen && l.from.x == kFrameLeft && l.to.x == kFrameRight &&
                   std::abs(l.from.y - y) < 1e-6 && std::abs(l.to.y - y) < 1e-6;
        }));
    }
    std::string AllText() const
    {
        std::string text;
        for (const Op& t : canvas.Texts())
            text += t.text + "\n";
        return text;
    }
};

TEST_F(LimitsPainterTest, TheMaximumSplTakesTheColourOfEachLimitThatBinds)
{
    Vented();
    Draw();
    const LimitColors c = LimitColorsFor(0, false, false);
    EXPECT_EQ(SplColours(),
              (std::set{Rgb(c.thermal.color), Rgb(c.excursion.color), Rgb(c.vent.color)}));
    // The key names the three colours with a stretch of each line.
    for (const char* text :
         {"the voice coil, P(t)", "excursion, X(max)", "the vent's air velocity"})
        ASSERT_NE(canvas.FindText(text), nullptr) << text;
    for (const Pen* pen : {&c.thermal, &c.excursion, &c.vent}) {
        const auto lines = canvas.Lines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Op& l) {
            return l.pen == *pen && l.from.y == l.to.y && l.from.y < 0; // under the plot
        }));
    }

    // A closed box has no vent: two colours, and no air velocity curve.
    doc = std::make_unique<CSpkSysDoc>();
    LimitsPainter closed(*doc, settings);
    Closed();
    canvas.Clear();
    closed.DrawWindow(canvas);
    EXPECT_EQ(SplColours(), (std::set{Rgb(c.thermal.color), Rgb(c.excursion.color)}));
    for (const Op& p : canvas.Polylines())
        EXPECT_NE(p.pen, c.velocityCurve);
    EXPECT_EQ(canvas.FindText("Vent Velocity Limit"), nullptr);
    EXPECT_EQ(canvas.FindText("the vent's air velocity"), nullptr);
    EXPECT_EQ(canvas.FindText("Vel"), nullptr);
}

TEST_F(LimitsPainterTest, APassiveRadiatorThatBindsHasItsOwnColourAndKeyEntry)
{
    CSpkSys& wb = doc->workbench();
    doc->SetBoxType(BoxType::Radiator);
    wb.radiator.vbLiters = 40;
    wb.radiator.vbCuFt = 40 / 28.317;
    wb.radiator.prCount = 2;
    wb.radiator.prAddedMassG = 60;
    wb.radiator.prXmaxMm = 4;
    ASSERT_TRUE(doc->CalcRadiatorTuning());
    ASSERT_TRUE(doc->CalculateResponse());
    Draw();
    const LimitColors c = LimitColorsFor(0, false, false);
    EXPECT_TRUE(SplColours().count(Rgb(c.radiator.color)));
    EXPECT_FALSE(SplColours().count(Rgb(c.vent.color)));
    EXPECT_NE(canvas.FindText("the radiator's X(max)"), nullptr);

    // Without one the key has no radiator entry.
    doc = std::make_unique<CSpkSysDoc>();
    LimitsPainter vented(*doc, settings);
    Vented();
    canvas.Clear();
    vented.DrawWindow(canvas);
    EXPECT_EQ(canvas.FindText("the radiator's X(max)"), nullptr);
}

TEST_F(LimitsPainterTest, LimitLinesStandAtXmaxXpeakAndTheVelocityLimit)
{
    settings.ventVelocityLimit = 20;
    Vented();
    Draw();
    const double height = kFrameTop - kFrameBottom;
    const LimitScales s = painter.scales();
    ASSERT_EQ(s.velocitySpan, 30);
    ASSERT_EQ(s.excursionSpan, 30);
    const LimitColors c = LimitColorsFor(0, false, false);

    EXPECT_EQ(CountAcross(kFrameBottom + height * 20 / 30, c.velocityLimit), 1);
    EXPECT_NE(canvas.FindText("Vent Velocity Limit"), nullptr);
    // The plot's own X(max) and X(peak) lines of the workbench's driver.
    const DriverParams& d = doc->workbench().driver;
    const PlotColors plot = ColorsFor(0, false, false);
    EXPECT_EQ(CountAcross(kFrameBottom + height * d.xMax / 30,
                          {PenStyle::Dash, kPenWidth, plot.linearLimit}),
              1);
    EXPECT_EQ(CountAcross(kFrameBottom + height * d.xPeak / 30,
                          {PenStyle::Solid, kPenWidth, plot.mechanicalLimit}),
              1);
    EXPECT_NE(canvas.FindText("Linear Exc Limit"), nullptr);
    EXPECT_NE(canvas.FindText("Mechanical Exc Limit"), nullptr);
}

TEST_F(LimitsPainterTest, TheSentenceAndTheScalesFollowTheShownSystems)
{
    Vented();
    Draw();
    ASSERT_EQ(doc->workbench().responseShown, 1);
    const std::string sentence = engine::CalculateLimits(doc->workbench()).sentence;
    EXPECT_EQ(painter.Sentences(), std::vector<std::string>{sentence});
    EXPECT_NE(AllText().find(sentence.substr(0, 40)), std::string::npos) << AllText();

    // The SPL scale's top is the loudest maximum rounded up to the plot's 2 dB a division.
    const LimitScales s = painter.scales();
    double loudest = 0;
    for (const ShownLimits& shown : painter.shown()) {
        for (std::size_t i = 0; i < shown.limits.maxSpl.size(); ++i) {
            if (shown.limits.frequencies[i] >= 20 && shown.limits.frequencies[i] <= 2000)
                loudest = std::max(loudest, shown.limits.maxSpl[i]);
        }
    }
    EXPECT_GE(s.splTop, loudest);
    EXPECT_LT(s.splTop, loudest + 2);
    EXPECT_EQ(std::fmod(s.splTop, 2), 0);
    EXPECT_NE(canvas.FindText(FormatPrinted("%5.0f", s.splTop)), nullptr);
    EXPECT_NE(canvas.FindText(FormatPrinted("%5.0f", s.splTop - 30)), nullptr);

    // A memory shown beside the workbench: each sentence is named.
    doc->StoreSystem(2);
    doc->systems[2].responseShown = 1;
    Draw();
    const auto named = painter.Sentences();
    ASSERT_EQ(named.size(), 2u);
    EXPECT_EQ(named[0], "Workbench: " + sentence);
    EXPECT_EQ(named[1], "Sys 2: " + sentence);

    // Nothing shown: said in words, and no curve but the frame and the key's stretches.
    for (CSpkSys& system : doc->systems)
        system.responseShown = 0;
    Draw();
    ASSERT_EQ(painter.Sentences().size(), 1u);
    EXPECT_EQ(painter.Sentences()[0].rfind("No system is shown", 0), 0u);
    EXPECT_TRUE(SplColours().empty());
    for (const Op& p : canvas.Polylines())
        EXPECT_LT(p.points.size(), 6u) << "a curve was drawn";
}

TEST_F(LimitsPainterTest, BlackAndWhitePaperTellsTheLimitsByTheLinesStyle)
{
    Vented();
    RecordingCanvas paper{{5100, 6600, 600, 600, true, false}};
    paper.SetWindowExt(10000, 10000);
    paper.SetViewportExt(5100, -3300);
    paper.SetViewportOrg(0, 3300);
    painter.DrawPlot(paper);
    std::set<PenStyle> styles;
    for (const Op& p : paper.Polylines()) {
        EXPECT_EQ(p.pen.color, gfx::kBlack);
        if (p.pen.width == LimitColorsFor(0, true, false).thermal.width)
            styles.insert(p.pen.style);
    }
    EXPECT_EQ(styles, (std::set{PenStyle::Solid, PenStyle::Dash, PenStyle::Dot}));
}

TEST(LimitScales, RoundTheLoudestUpAndLeaveRoomAboveTheVelocityLimit)
{
    ShownLimits one;
    engine::Limits& l = one.limits;
    l.frequencies = {10, 50, 5000};
    l.maxSpl = {140, 113.2, 150};         // only 50 Hz lies inside 20 Hz .. 2 kHz
    l.maxPower = {1e6, 75, std::nan("")}; // likewise
    l.ventVelocity = {std::nan(""), 3, std::nan("")};
    PlotSettings plot;
    LimitScales s = ScalesFor({one}, plot, 17);
    EXPECT_EQ(s.splTop, 114);
    EXPECT_EQ(s.splStep, 2);
    EXPECT_EQ(s.powerTopDecade, 2);
    EXPECT_EQ(s.velocitySpan, 30);

    plot.dbSpan = 75; // 5 dB a division
    EXPECT_EQ(ScalesFor({one}, plot, 25).splTop, 115);
    EXPECT_EQ(ScalesFor({one}, plot, 25).velocitySpan, 45);
    EXPECT_EQ(ScalesFor({one}, plot, 300).velocitySpan, 500);
    // A limit that makes no sense keeps the default; nothing to scale keeps the defaults, and
    // without a vent there is no velocity scale.
    EXPECT_EQ(ScalesFor({one}, plot, -1).velocitySpan, 30);
    EXPECT_EQ(ScalesFor({}, plot, 17), (LimitScales{120, 5, 3, 30, 0}));
    plot.dbSpan = 0;
    EXPECT_EQ(ScalesFor({}, plot, 17).splStep, 2);
}

} // namespace
} // namespace cw::plot
