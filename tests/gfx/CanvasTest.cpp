#include "gfx/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace cw::gfx
{
namespace
{

// A y-up page of 10000 x 10000 on a 1000 x 1000 device, as the plot uses it.
void YUpPage(Canvas& c)
{
    c.SetWindowExt(10000, 10000);
    c.SetViewportExt(1000, -1000);
    c.SetViewportOrg(0, 1000);
}

double Measure(std::string_view s)
{
    return static_cast<double>(s.size());
}

TEST(WrapLines, BreaksBetweenWordsAndKeepsParagraphs)
{
    EXPECT_EQ(WrapLines("one two three", 7, Measure),
              (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(WrapLines("first\r\nsecond\nthird", 20, Measure),
              (std::vector<std::string>{"first", "second", "third"}));
    // A word wider than the line stands alone instead of being lost.
    EXPECT_EQ(WrapLines("a extraordinarily b", 5, Measure),
              (std::vector<std::string>{"a", "extraordinarily", "b"}));
    EXPECT_EQ(WrapLines("", 5, Measure), (std::vector<std::string>{""}));
}

TEST(Canvas, MapsLogicalToDeviceAndIgnoresZeroExtents)
{
    RecordingCanvas c;
    YUpPage(c);
    EXPECT_EQ(c.mapping().ToDevice({850, 650}), (Point{85, 935}));
    c.SetWindowExt(0, 10000); // would divide by zero: kept as it was
    EXPECT_EQ(c.mapping().windowExt, (Point{10000, 10000}));
}

TEST(Canvas, RestoreBringsBackTheSavedState)
{
    RecordingCanvas c;
    YUpPage(c);
    c.SetPen({PenStyle::Dash, 1, {1, 2, 3}});
    c.Save();
    c.SetPen({PenStyle::Solid, 10, kWhite});
    c.SetFont({"Courier New", 150, 400, FontFamily::Modern, true});
    c.SetWindowExt(100, 100);
    c.SetClipRect({0, 10, 10, 0});
    c.Restore();
    EXPECT_EQ(c.pen(), (Pen{PenStyle::Dash, 1, {1, 2, 3}}));
    EXPECT_EQ(c.font().face, "Arial");
    EXPECT_EQ(c.mapping().windowExt, (Point{10000, 10000}));
    c.Restore(); // nothing saved: no change, no crash
    c.MoveTo(0, 0);
    c.LineTo(5, 5);
    EXPECT_FALSE(c.ops().back().clipped);
}

TEST(Canvas, PolylineIsOneRunThatEndsOnItsLastPoint)
{
    RecordingCanvas c;
    YUpPage(c);
    c.SetPen({PenStyle::Solid, 10, {1, 2, 3}});
    c.Polyline({{0, 0}, {10, 20}, {30, 20}});
    ASSERT_EQ(c.Polylines().size(), 1U);
    EXPECT_EQ(c.Polylines()[0].points, (std::vector<Point>{{0, 0}, {10, 20}, {30, 20}}));
    EXPECT_EQ(c.position(), (Point{30, 20}));
    // Its segments count among the lines, with the pen they were drawn with.
    const auto lines = c.Lines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[1].from, (Point{10, 20}));
    EXPECT_EQ(lines[1].to, (Point{30, 20}));
    EXPECT_EQ(lines[1].pen.color, (Color{1, 2, 3}));

    // A single point only moves; an invisible pen draws nothing.
    c.Clear();
    c.Polyline({{5, 5}});
    c.SetPen({PenStyle::None, 10, kBlack});
    c.Polyline({{0, 0}, {10, 10}});
    EXPECT_TRUE(c.ops().empty());
    EXPECT_EQ(c.position(), (Point{10, 10}));
}

TEST(Canvas, AlignsTextOnItsAnchor)
{
    RecordingCanvas c;
    YUpPage(c);
    const double w = c.TextWidth("abcd");
    c.SetTextAlign(TextAlign::Right);
    c.TextOut(5000, 100, "abcd");
    c.SetTextAlign(TextAlign::Center);
    c.TextOut(5000, 100, "abcd");
    EXPECT_DOUBLE_EQ(c.ops()[0].from.x, 5000 - w);
    EXPECT_DOUBLE_EQ(c.ops()[1].from.x, 5000 - w / 2);
    EXPECT_DOUBLE_EQ(c.ops()[1].anchorX(), 5000);
}

TEST(Canvas, WrappedTextGoesDownExpandsTabsAndStopsAtTheBottom)
{
    RecordingCanvas c;
    YUpPage(c);
    c.SetFont({"Arial", 200, 400, FontFamily::Swiss, false});
    const TextMetrics tm = c.GetTextMetrics();
    c.DrawTextWrapped({1000, 5000, 9000, 4500}, "a\tb\nline two\nthree\nfour\nfive");
    const auto texts = c.Texts();
    // 500 units hold the lines starting at 5000, 4800 and 4600; the one at 4400 is cut off.
    ASSERT_EQ(texts.size(), 4U);
    EXPECT_EQ(texts[0].text, "a");
    EXPECT_EQ(texts[1].text, "b");
    EXPECT_DOUBLE_EQ(texts[1].from.x, 1000 + 8 * tm.averageCharWidth);
    EXPECT_EQ(texts[2].text, "line two");
    EXPECT_DOUBLE_EQ(texts[2].from.y, 4800);
    EXPECT_EQ(texts[3].text, "three");
    for (const auto& t : texts) {
        EXPECT_TRUE(t.clipped);
        EXPECT_EQ(t.clip, (Rect{1000, 5000, 9000, 4500}));
    }
    // The clip does not outlive the text.
    c.MoveTo(0, 0);
    c.LineTo(1, 1);
    EXPECT_FALSE(c.ops().back().clipped);
}

} // namespace
} // namespace cw::gfx
