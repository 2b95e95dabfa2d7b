#include "reports/LimitsReport.h"

#include "model/NumberFormat.h"
#include "plot/LimitsPainter.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTitleBlock.h"

#include <cmath>
#include <string>

namespace cw::reports
{

namespace
{

using gfx::Font;
using gfx::FontFamily;
using gfx::TextAlign;

// The fonts and the row pitch of the system report's parameter sheet.
const Font kHeadingFont{"Arial", 320, 600, FontFamily::Swiss, false};
const Font kLabelFont{"Arial", 240, 700, FontFamily::Swiss, false};
const Font kRowFont{"Arial", 240, 400, FontFamily::Swiss, false};
constexpr double kRowPitch = 275;
constexpr double kLeft = 800;
constexpr double kRight = 9200;
constexpr gfx::Point kTitleBlock{5770, -6370};

struct ValueRow {
    const char* label;
    const char* symbol;
    double value;
    const char* unit;
};

} // namespace

void DrawLimitsReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings)
{
    MapSystemReportPage(canvas);
    plot::LimitsPainter painter(doc, settings);
    painter.DrawPlot(canvas);

    const CSpkSys& wb = doc.workbench();
    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, kLeft, -250, "Limits", TextAlign::Left);

    canvas.SetFont(kRowFont);
    double y = painter.DrawKey(canvas, kLeft, -700, kRight);
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetTextAlign(TextAlign::Left);
    std::string sentences;
    for (const std::string& sentence : painter.Sentences())
        sentences += (sentences.empty() ? "" : "\n") + sentence;
    canvas.DrawTextWrapped({kLeft, y - 100, kRight, -3900}, sentences);

    canvas.SetFont(kLabelFont);
    TextAt(canvas, kLeft, -4100, "Drive and Limits of the Workbench", TextAlign::Left);
    const ValueRow rows[] = {
        {"Input Power", "P(in) =", wb.inputPower, "Watts"},
        {"No. of Drivers", "N =", static_cast<double>(wb.driverCount), ""},
        {"Max Thermal Power", "P(t) =", wb.driver.pt, "Watts"},
        {"Max Linear Excursion", "X(max) =", wb.driver.xMax, "mm"},
        {"Max Excursion", "X(lim) =", wb.driver.xPeak, "mm"},
        {"Vent Velocity Limit", "v(max) =", settings.ventVelocityLimit, "m/s"},
    };
    canvas.SetFont(kRowFont);
    double rowY = -4100 - 1.5 * kRowPitch;
    for (const ValueRow& r : rows) {
        const double at = std::trunc(rowY);
        TextAt(canvas, kLeft, at, r.label, TextAlign::Left);
        TextAt(canvas, 3200, at, r.symbol, TextAlign::Right);
        TextAt(canvas, 3300, at, FormatShown(r.value), TextAlign::Left);
        TextAt(canvas, 3800, at, r.unit, TextAlign::Left);
        rowY -= kRowPitch;
    }
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({kLeft, std::trunc(rowY - 0.5 * kRowPitch), kTitleBlock.x - 200, -9900},
                           "Excursion and air velocity are peak values; the powers are average "
                           "(RMS) electrical powers into the drivers.");

    DrawTitleBlock(canvas, kTitleBlock, doc.titleBlock, wb, wb.boxTypeName);
    canvas.Restore();
}

} // namespace cw::reports
