#include "reports/SystemReport.h"

#include "gfx/RecordingCanvas.h"
#include "model/NumberFormat.h"
#include "plot/PlotPainter.h"
#include "reports/ReportLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace cw::reports
{
namespace
{

using gfx::RecordingCanvas;
using gfx::TextAlign;
using Op = RecordingCanvas::Op;

// Row k of the sheet, truncated to whole units (row 3.5 is -662).
double Row(double k)
{
    return std::trunc(300 - 275 * k);
}

struct Page {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    RecordingCanvas canvas{{5100, 6600, 600, 600, true, false}};

    void Draw()
    {
        canvas.Clear();
        MapSystemReportPage(canvas);
        DrawSystemReport(canvas, *doc, settings);
    }
    const Op& Text(std::string_view text)
    {
        const Op* op = canvas.FindText(text);
        if (!op)
            throw std::runtime_error("no text " + std::string(text));
        return *op;
    }
};

std::vector<std::string> Labels(const std::vector<ReportRow>& rows)
{
    std::vector<std::string> out;
    for (const auto& r : rows)
        out.push_back(r.label);
    return out;
}

TEST(SystemReport, FormatsNumbersWithFourSignificantDigits)
{
    EXPECT_EQ(FormatShown(0.0201), "0.0201");
    EXPECT_EQ(FormatShown(92.0), "92");
    EXPECT_EQ(FormatShown(12345), "1.234E+04");
    EXPECT_EQ(FormatShown(0.00001234), "1.234E-05");
}

// A damaged project file holds null (read as NaN) or overflowing numbers: the page prints a blank
// value, never "inf" or "nan", and no number is cut short.
TEST(SystemReport, NumbersThatAreNotFinitePrintBlank)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatShown(std::nan("")), "");
    EXPECT_EQ(FormatShown(-kInf), "");
    EXPECT_EQ(FormatPrinted("%.4f", 1e80).size(), 86U); // 81 digits, the point and four decimals
    EXPECT_EQ(FormatPrinted("%1.0i", 2), "2");

    Page p;
    CSpkSys& wb = p.doc->workbench();
    wb.driver.fs = std::nan("");
    wb.driver.vasCuFt = kInf;
    wb.closed2.vbLiters = wb.closed2.vbCuFt = -kInf;
    wb.inputPower = std::nan("");
    wb.splDistanceM = 1e308;
    p.settings.units = UnitsPreference::English;
    p.Draw();
    // Every value printed in the value columns is a number or blank.
    for (const Op& t : p.canvas.Texts()) {
        if ((t.from.x == 3300 || t.from.x == 7600) && t.from.y <= Row(5) && t.from.y >= Row(22)) {
            EXPECT_EQ(t.text.find_first_not_of("0123456789.E+-"), std::string::npos) << t.text;
        }
    }
    EXPECT_EQ(p.Text("1E+308").from.x, 7600); // the SPL distance
}

TEST(SystemReport, BoxRowsPerBoxType)
{
    auto s = std::make_unique<CSpkSys>();
    s->boxTypeName = "3rd Order Closed Box";
    EXPECT_EQ(Labels(BoxRows(*s, true)),
              (std::vector<std::string>{"Box Volume", "Closed Box Q", "System Resonance",
                                        "Compliance Ratio", "Series Capacitor"}));
    EXPECT_EQ(BoxRows(*s, true).back().unit, "\u00B5F");
    s->boxTypeName = "4th Order Vented Box";
    EXPECT_EQ(Labels(BoxRows(*s, true)),
              (std::vector<std::string>{"Box Volume", "Closed Box Q", "Box Frequency",
                                        "Min Rec Vent Area", "Vent Surface Area", "Vent Length",
                                        "Compliance Ratio", "Box Loss Q"}));
    s->boxTypeName = "4th Order Symmetric Bandpass Box";
    EXPECT_EQ(Labels(BoxRows(*s, true)).back(), "Absorption Loss Q");
    EXPECT_EQ(BoxRows(*s, true).size(), 10U);
    s->boxTypeName = "5th Order Asymmetric Bandpass Box";
    const auto five = BoxRows(*s, true);
    ASSERT_EQ(five.size(), 10U);
    EXPECT_EQ(five[7].symbol, "L1 =");
    EXPECT_EQ(five[7].unit, "mH");
    EXPECT_EQ(five[9].symbol, "Q(B2) =");
    s->boxTypeName = "6th Order Symmetric Bandpass Box";
    const auto six = BoxRows(*s, true);
    ASSERT_EQ(six.size(), 11U);
    EXPECT_EQ(six[7].symbol, "C1 =");
    EXPECT_EQ(six[8].symbol, "L1 =");
    s->boxTypeName = "6th order symmetric bandpass box"; // not exactly a box type
    EXPECT_TRUE(BoxRows(*s, true).empty());

    for (const char* name :
         {"2nd Order Closed Box", "3rd Order Closed Box", "4th Order Vented Box",
          "4th Order Symmetric Bandpass Box", "5th Order Asymmetric Bandpass Box",
          "6th Order Symmetric Bandpass Box"}) {
        s->boxTypeName = name;
        for (const auto& row : BoxRows(*s, false)) {
            if (row.label == "Compliance Ratio") {
                EXPECT_EQ(row.unit, "") << name;
            }
        }
    }
}

TEST(SystemReport, UnitsFollowThePreference)
{
    auto s = std::make_unique<CSpkSys>();
    s->driver.nominalDiameterMm = 304.8;
    s->driver.nominalDiameterIn = 12;
    s->driver.vasLiters = 150;
    s->driver.vasCuFt = 5.297;
    s->boxTypeName = "4th Order Vented Box";
    s->vented4.svSqM = 0.0201;
    s->vented4.svSqIn = 31.16;
    s->vented4.lvM = 0.2;
    s->vented4.lvIn = 7.874;
    s->splDistanceM = 2;

    const auto english = DriverRows(s->driver, false);
    EXPECT_EQ(english[0].value, "12");
    EXPECT_EQ(english[0].unit, "in");
    EXPECT_EQ(english[7].value, "5.297");
    EXPECT_EQ(english[7].unit, "cu ft");
    const auto metric = DriverRows(s->driver, true);
    EXPECT_EQ(metric[0].value, "304.8");
    EXPECT_EQ(metric[0].unit, "mm");
    EXPECT_EQ(metric[7].unit, "liters");

    const auto boxEnglish = BoxRows(*s, false);
    EXPECT_EQ(boxEnglish[0].unit, "cu ft");
    EXPECT_EQ(boxEnglish[4].value, "31.16");
    EXPECT_EQ(boxEnglish[4].unit, "sq in");
    EXPECT_EQ(boxEnglish[5].unit, "in");
    const auto boxMetric = BoxRows(*s, true);
    EXPECT_EQ(boxMetric[4].value, "0.0201");
    EXPECT_EQ(boxMetric[4].unit, "sq m");
    EXPECT_EQ(boxMetric[5].unit, "m");

    // The SPL distance is always in metres.
    const auto system = SystemRows(*s);
    EXPECT_EQ(system[3].value, "2");
    EXPECT_EQ(system[3].unit, "m");
    EXPECT_EQ(system[1].unit, "(1=normal, 2=iso)");
}

TEST(SystemReport, SheetPositions)
{
    Page p;
    p.doc->workbench().driver.manufacturer = "Maker";
    p.doc->workbench().driver.model = "W12";
    p.Draw();
    EXPECT_EQ(p.Text("Driver Parameters").from, (gfx::Point{800, Row(2)}));
    EXPECT_EQ(p.Text("Driver Parameters").font.height, 320);
    EXPECT_EQ(p.Text("Box Parameters").from, (gfx::Point{5300, Row(2)}));
    EXPECT_EQ(p.Text("Driver:").font.weight, 700);
    EXPECT_DOUBLE_EQ(p.Text("Maker").anchorX(), 3200);
    EXPECT_EQ(p.Text("Maker").align, TextAlign::Right);
    EXPECT_EQ(p.Text("W12").from, (gfx::Point{3300, -662}));

    const Op& diameter = p.Text("Nominal Diameter");
    EXPECT_EQ(diameter.from, (gfx::Point{800, Row(5)}));
    EXPECT_EQ(diameter.font.weight, 400);
    EXPECT_DOUBLE_EQ(p.Text("D(vc) =").anchorX(), 3200);
    EXPECT_DOUBLE_EQ(p.Text("D(vc) =").from.y, Row(18));
    EXPECT_EQ(p.Text("System Type:").from, (gfx::Point{5300, Row(3.5)}));
    EXPECT_EQ(p.Text("2nd Order Closed Box").from.x, 6500);
    EXPECT_EQ(p.Text("Compliance Ratio").from, (gfx::Point{5300, Row(8)}));
    EXPECT_DOUBLE_EQ(p.Text("alpha =").anchorX(), 7500);
    EXPECT_EQ(p.Text("System Parameters").from, (gfx::Point{5300, Row(17)}));
    EXPECT_EQ(p.Text("SPL Distance").from, (gfx::Point{5300, Row(22)}));
    EXPECT_EQ(p.Text("(1=normal, 2=iso)").from, (gfx::Point{8200, Row(20)}));
    EXPECT_EQ(p.Text("Driver Notes:").from, (gfx::Point{800, Row(20)}));
    EXPECT_EQ(p.Text("System Notes:").from, (gfx::Point{800, Row(26)}));
}

TEST(SystemReport, TitleBlock)
{
    Page p;
    p.doc->workbench().systemName = "Test System";
    p.doc->workbench().revDate = "2026-12-07";
    p.doc->workbench().revision = "B";
    p.Draw();
    const TitleBlock& t = p.doc->titleBlock;
    EXPECT_EQ(p.Text(t.company).from, (gfx::Point{5870, -6440}));
    EXPECT_EQ(p.Text(t.company).font.face, "Times New Roman");
    EXPECT_EQ(p.Text(t.address1).from, (gfx::Point{5870, -6964}));
    EXPECT_EQ(p.Text(t.address3).from, (gfx::Point{5870, -7504}));
    EXPECT_DOUBLE_EQ(p.Text(t.phone).anchorX(), 9870);
    EXPECT_DOUBLE_EQ(p.Text("System Name:").anchorX(), 6580);
    EXPECT_DOUBLE_EQ(p.Text("System Name:").from.y, -7850);
    EXPECT_EQ(p.Text("System Name:").font.face, "Courier New");
    EXPECT_DOUBLE_EQ(p.Text("Test System").anchorX(), 7870);
    EXPECT_DOUBLE_EQ(p.Text("Test System").from.y, -8044);
    EXPECT_DOUBLE_EQ(p.canvas.Texts().back().from.y, -9618); // the revision, last
    EXPECT_DOUBLE_EQ(p.Text("Designer:").from.y, -8894);
    EXPECT_DOUBLE_EQ(p.Text(t.designer).from.y, -8904);
    EXPECT_DOUBLE_EQ(p.Text("Rev:").anchorX(), 9370);
    EXPECT_EQ(p.Text("B").from, (gfx::Point{9550, -9618}));

    std::vector<double> rules;
    for (const Op& l : p.canvas.Lines()) {
        if (l.from.y == l.to.y && l.from.x == 5770 && l.to.x == 9970 && l.pen.width == 10)
            rules.push_back(l.from.y);
    }
    EXPECT_EQ(rules, (std::vector<double>{-7810, -8854, -9538}));
}

TEST(SystemReport, EmptyBoxTypeLeavesOutTheBoxAndSystemBlocks)
{
    Page p;
    p.doc->workbench().boxTypeName.clear();
    p.doc->workbench().notes = "Sealed test";
    p.Draw();
    EXPECT_EQ(p.canvas.FindText("System Type:"), nullptr);
    EXPECT_EQ(p.canvas.FindText("Box Volume"), nullptr);
    EXPECT_EQ(p.canvas.FindText("System Parameters"), nullptr);
    EXPECT_NE(p.canvas.FindText("Nominal Diameter"), nullptr);
    EXPECT_NE(p.canvas.FindText("Driver Notes:"), nullptr);
    EXPECT_NE(p.canvas.FindText("System Notes:"), nullptr);
    EXPECT_NE(p.canvas.FindText("Sealed test"), nullptr);
    EXPECT_NE(p.canvas.FindText("System Name:"), nullptr);
}

TEST(SystemReport, NotesAreClippedAtTheirRectangle)
{
    Page p;
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "line " + std::to_string(i) + "\r\n";
    p.doc->workbench().driver.description = longText;
    p.Draw();
    int lines = 0;
    for (const Op& t : p.canvas.Texts()) {
        if (t.text.rfind("line ", 0) != 0)
            continue;
        ++lines;
        EXPECT_TRUE(t.clipped);
        EXPECT_EQ(t.clip, (gfx::Rect{800, Row(21), 5200, Row(25)}));
        EXPECT_GT(t.from.y, Row(25)); // no line starts below the rectangle
    }
    // Four rows of 275 units hold five lines of 240 (the last one cut by the clip).
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(p.canvas.FindText("line 5"), nullptr);
}

TEST(SystemReport, IconsOnlyWhenAskedFor)
{
    const gfx::Point iconGrid{10000.0 / 14, 10000.0 / 20};
    Page p;
    p.Draw();
    for (const Op& op : p.canvas.ops())
        EXPECT_NE(op.mapping.windowExt, iconGrid);
    p.settings.printIcons = true;
    p.Draw();
    int scaled = 0;
    for (const Op& op : p.canvas.ops()) {
        if (op.mapping.windowExt == iconGrid) {
            ++scaled;
            // Inside the icon cells at (16, -44) and (338, -44), 32 units each way.
            for (const gfx::Point& pt : op.points) {
                EXPECT_TRUE((pt.x >= 16 && pt.x <= 48) || (pt.x >= 338 && pt.x <= 370));
                EXPECT_TRUE(pt.y <= -44 && pt.y >= -76);
            }
        }
    }
    EXPECT_GT(scaled, 5);
    // The mapping is back to the page afterwards.
    EXPECT_EQ(p.canvas.mapping().windowExt, (gfx::Point{10000, 10000}));
}

// A device that only counts what the report has it measure: wrapping a note measures its words.
class MeasuringCanvas final : public gfx::Canvas
{
public:
    MeasuringCanvas() : Canvas({5100, 6600, 600, 600, true, false}) {}
    double MeasureText(std::string_view text) const override
    {
        measured += text.size();
        return static_cast<double>(text.size()) * 10;
    }
    gfx::TextMetrics MeasureFont() const override { return {20, 16, 10}; }
    mutable std::size_t measured = 0;

private:
    void DrawLine(gfx::Point, gfx::Point) override {}
    void DrawPolyline(const std::vector<gfx::Point>&) override {}
    void DrawPolygon(const std::vector<gfx::Point>&, gfx::Color) override {}
    void DrawEllipse(const gfx::Rect&, gfx::Color) override {}
    void DrawFilledRect(const gfx::Rect&, gfx::Color) override {}
    void DrawText(gfx::Point, std::string_view) override {}
};

TEST(SystemReport, NotesOfMegabytesAreLaidOutOnlyAsFarAsTheBoxShows)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    std::string words;
    while (words.size() < (10u << 20))
        words += "notes ";
    doc->workbench().notes = words;
    doc->workbench().driver.description = words;
    MeasuringCanvas canvas;
    MapSystemReportPage(canvas);
    DrawSystemReport(canvas, *doc, AppSettings{});
    EXPECT_GT(canvas.measured, 0u);
    EXPECT_LT(canvas.measured, 1u << 20);
}

} // namespace
} // namespace cw::reports
