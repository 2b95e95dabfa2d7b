#include "pictures/NetworkSchematics.h"

#include "calculators/CrossoverPages.h"
#include "gfx/RecordingCanvas.h"
#include "pictures/NetworkGraph.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

namespace cw::pictures
{
namespace
{

using namespace calc;

using gfx::RecordingCanvas;

// A canvas whose logical units are the picture's pixels, y downwards.
class PictureCanvas
{
public:
    PictureCanvas() : canvas_({kSchematicWidth, kSchematicHeight, 96, 96, false, false})
    {
        canvas_.SetWindowExt(kSchematicWidth, kSchematicHeight);
        canvas_.SetViewportExt(kSchematicWidth, kSchematicHeight);
    }
    operator RecordingCanvas&() { return canvas_; }
    RecordingCanvas* operator->() { return &canvas_; }

private:
    RecordingCanvas canvas_;
};

bool Inside(gfx::Point p)
{
    return p.x >= 0 && p.x <= kSchematicWidth && p.y >= 0 && p.y <= kSchematicHeight;
}

TEST(NetworkSchematics, EveryPageShowsItsPartsDriversAndInputInsideThePicture)
{
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        SCOPED_TRACE(page);
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        ASSERT_FALSE(canvas->ops().empty());
        for (const auto& line : canvas->Lines()) {
            EXPECT_TRUE(Inside(line.from) && Inside(line.to));
        }
        for (const auto& text : canvas->Texts()) {
            EXPECT_TRUE(Inside(text.from) && text.from.x + text.textWidth <= kSchematicWidth)
                << text.text;
        }
        // Every resistor, inductor and capacitor the page calculates is named in its picture.
        for (const CrossoverField& f : CrossoverPageFields(page).results) {
            const std::string label = f.reportLabel;
            const std::string part = label.substr(0, 2);
            if (part[0] == 'P')
                continue; // dissipations, not parts
            EXPECT_NE(canvas->FindText(part), nullptr) << part;
        }
        EXPECT_NE(canvas->FindText(page < 6 ? "Input" : "Crossover"), nullptr);
        EXPECT_NE(canvas->FindText(page == 7 ? "Woofer" : "Tweeter"), nullptr);
    }
}

TEST(NetworkSchematics, ReversedTweetersHaveTheirPlusOnTheGroundSide)
{
    for (int page : {0, 1, 2, 4, 5}) {
        SCOPED_TRACE(page);
        PictureCanvas canvas;
        DrawCrossoverSchematic(canvas, page);
        const auto* tweeter = canvas->FindText("Tweeter");
        ASSERT_NE(tweeter, nullptr);
        // The first "+" right of the input belongs to the tweeter.
        std::optional<RecordingCanvas::Op> plus;
        for (const auto& text : canvas->Texts()) {
            if (text.text == "+" && text.from.x > 100) {
                plus = text;
                break;
            }
        }
        ASSERT_TRUE(plus.has_value());
        EXPECT_EQ(plus->from.y > tweeter->from.y, CrossoverTweeterReversed(page));
    }
}

TEST(NetworkGraph, DrawsEachCurveInsideThePlotOrSaysWhyNot)
{
    const gfx::Rect area{0, 0, 290, 150};
    {
        PictureCanvas canvas;
        DrawNetworkGraph(canvas, area, std::nullopt);
        EXPECT_NE(canvas->FindText("No response: the network has a component of 0."), nullptr);
    }
    auto s = std::make_unique<CSpkSys>();
    ASSERT_TRUE(CalculateCrossoverPage(*s, 0));
    const auto hz = NetworkGraphFrequencies();
    EXPECT_DOUBLE_EQ(hz.front(), 20);
    EXPECT_NEAR(hz.back(), 20000, 1e-9);
    PictureCanvas canvas;
    DrawNetworkGraph(canvas, area, CrossoverPageResponse(*s, 0, hz));
    int curves = 0;
    for (const auto& p : canvas->Polylines()) {
        if (p.points.size() == hz.size()) {
            ++curves;
            EXPECT_TRUE(p.clipped);
        }
    }
    EXPECT_EQ(curves, 3);
    for (const char* name : {"Tweeter", "Woofer", "Sum", "1k", "dB"})
        EXPECT_NE(canvas->FindText(name), nullptr) << name;
}

} // namespace
} // namespace cw::pictures
