#include "reports/SystemReport.h"

#include "model/BoxTable.h"
#include "model/NumberFormat.h"
#include "plot/PlotPainter.h"
#include "reports/Pictures.h"

#include <cmath>
#include <cstdio>

namespace cw::reports
{

namespace
{

using gfx::Font;
using gfx::FontFamily;
using gfx::TextAlign;

// The parameter sheet's rows: row k lies at y = y0 - k * p.
constexpr double kTopLine = 300;
constexpr double kRowPitch = 275;
// Positions are whole logical units: a fractional row is truncated.
double Row(double k)
{
    return std::trunc(kTopLine - k * kRowPitch);
}

// Left block (driver) and right block (box and system) columns.
struct Columns {
    double label, symbol, value, unit;
};
constexpr Columns kDriverColumns{800, 3200, 3300, 3800};
constexpr Columns kBoxColumns{5300, 7500, 7600, 8200};

const Font kHeadingFont{"Arial", 320, 600, FontFamily::Swiss, false};
const Font kLabelFont{"Arial", 240, 700, FontFamily::Swiss, false};
const Font kRowFont{"Arial", 240, 400, FontFamily::Swiss, false};
const Font kCompanyFont{"Times New Roman", 445, 600, FontFamily::Roman, false};
const Font kAddressFont{"Arial", 230, 400, FontFamily::Swiss, false};
const Font kCaptionFont{"Courier New", 150, 400, FontFamily::Modern, true};
const Font kNameFont{"Arial", 240, 700, FontFamily::Swiss, false};

void Text(gfx::Canvas& canvas, double x, double y, const std::string& text, TextAlign align)
{
    canvas.SetTextAlign(align);
    canvas.TextOut(x, y, text);
}

void DrawRows(gfx::Canvas& canvas, const std::vector<ReportRow>& rows, double firstRow,
              const Columns& col)
{
    canvas.SetFont(kRowFont);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double y = Row(firstRow + static_cast<double>(i));
        Text(canvas, col.label, y, rows[i].label, TextAlign::Left);
        Text(canvas, col.symbol, y, rows[i].symbol, TextAlign::Right);
        Text(canvas, col.value, y, rows[i].value, TextAlign::Left);
        Text(canvas, col.unit, y, rows[i].unit, TextAlign::Left);
    }
}

std::string FormatInt(std::int32_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%1.0i", value);
    return buffer;
}

// A row of one value in the format of the parameter sheet.
ReportRow Plain(const char* label, const char* symbol, double value, const char* unit = "")
{
    return {label, symbol, FormatShown(value), unit};
}

} // namespace

std::vector<ReportRow> DriverRows(const DriverParams& d, bool metric)
{
    return {{"Nominal Diameter", "D =",
             FormatShown(metric ? d.nominalDiameterMm : d.nominalDiameterIn), metric ? "mm" : "in"},
            Plain("Nominal Power", "P =", d.nominalPower, "Watts"),
            Plain("Sensitivity (1W/1m)", "SPL =", d.spl, "dB SPL"),
            Plain("Free Air Resonance", "f(s) =", d.fs, "Hz"),
            Plain("Total Q", "Q(ts) =", d.qts),
            Plain("Electrical Q", "Q(es) =", d.qes),
            Plain("Mechanical Q", "Q(ms) =", d.qms),
            {"Equivalent Volume", "V(as) =", FormatShown(metric ? d.vasLiters : d.vasCuFt),
             UnitLabel(UnitKind::Volume, metric)},
            Plain("Nominal Impedance", "Z =", d.nominalImpedance, "Ohms"),
            Plain("DC Resistance", "R(e) =", d.re, "Ohms"),
            Plain("Max Thermal Power", "P(t) =", d.pt, "Watts"),
            Plain("Max Linear Excursion", "X(max) =", d.xMax, "mm"),
            Plain("Max Excursion", "X(lim) =", d.xPeak, "mm"),
            Plain("Voice Coil Diam.", "D(vc) =", d.dvcMm, "mm")};
}

std::vector<ReportRow> BoxRows(const CSpkSys& s, bool metric)
{
    std::vector<ReportRow> rows;
    if (const BoxDescription* box = DescribeBox(s.boxType())) {
        for (const FieldRow& r : box->reportRows)
            rows.push_back({r.title, r.symbol, FormatShown(r.Value(s, metric)), r.Unit(metric)});
    }
    return rows;
}

std::vector<ReportRow> SystemRows(const CSpkSys& s)
{
    return {{"No. of Drivers", "N =", FormatInt(s.driverCount), ""},
            {"Isobaric Factor", "I =", FormatInt(s.isobaricFactor), "(1=normal, 2=iso)"},
            Plain("Input Power", "P(in) =", s.inputPower, "Watts"),
            // Always metres, whatever the units preference.
            Plain("SPL Distance", "D =", s.splDistanceM, "m")};
}

void DrawSystemReport(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings)
{
    const CSpkSys& wb = doc.workbench();
    const bool metric = settings.metric();
    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);

    // The logo in a white patch at the plot's top-right corner.
    const gfx::Rect logo{8160, 9845, 8500, 9309};
    canvas.FillRect(logo, gfx::kWhite);
    DrawLogo(canvas, logo);

    if (settings.printIcons) {
        // The icons are placed in a coarser grid: 14 units across and 20 up per unit.
        canvas.Save();
        const gfx::Mapping m = canvas.mapping();
        canvas.SetWindowExt(m.windowExt.x / 14, m.windowExt.y / 20);
        DrawApplicationIcon(canvas, {16, -44, 48, -76});
        DrawBoxPicture(canvas, wb.boxType(), {338, -44, 370, -76});
        canvas.Restore();
    }

    canvas.SetFont(kHeadingFont);
    Text(canvas, 800, Row(2), "Driver Parameters", TextAlign::Left);
    Text(canvas, 5300, Row(2), "Box Parameters", TextAlign::Left);

    canvas.SetFont(kLabelFont);
    Text(canvas, 800, Row(3.5), "Driver:", TextAlign::Left);
    Text(canvas, 3200, Row(3.5), wb.driver.manufacturer, TextAlign::Right);
    Text(canvas, 3300, Row(3.5), wb.driver.model, TextAlign::Left);
    DrawRows(canvas, DriverRows(wb.driver, metric), 5, kDriverColumns);

    canvas.SetFont(kLabelFont);
    Text(canvas, 800, Row(20), "Driver Notes:", TextAlign::Left);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({800, Row(21), 5200, Row(25)}, wb.driver.description);

    if (wb.boxType() != BoxType::None) {
        canvas.SetFont(kLabelFont);
        Text(canvas, 5300, Row(3.5), "System Type:", TextAlign::Left);
        Text(canvas, 6500, Row(3.5), wb.boxTypeName, TextAlign::Left);
        DrawRows(canvas, BoxRows(wb, metric), 5, kBoxColumns);

        canvas.SetFont(kLabelFont);
        Text(canvas, 5300, Row(17), "System Parameters", TextAlign::Left);
        DrawRows(canvas, SystemRows(wb), 19, kBoxColumns);
    }

    canvas.SetFont(kLabelFont);
    Text(canvas, 800, Row(26), "System Notes:", TextAlign::Left);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({800, Row(27), 5200, -9900}, wb.notes);

    DrawTitleBlock(canvas, doc.titleBlock, wb);
    canvas.Restore();
}

void DrawTitleBlock(gfx::Canvas& canvas, const TitleBlock& title, const CSpkSys& workbench)
{
    // A block 4200 wide and 3600 high; the rules lie 0.4, 0.69 and 0.88 of its height down.
    constexpr double kLeft = 5770, kTop = -6370, kRight = 9970, kBottom = -9970;
    constexpr double kRule1 = -7810, kRule2 = -8854, kRule3 = -9538;
    constexpr double kLine = 270; // address line pitch
    auto below = [](double lines) {
        return static_cast<double>(static_cast<long>(kTop - kLine * lines));
    };

    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetPen({gfx::PenStyle::Solid, 15, gfx::kBlack});
    canvas.FrameRect({kLeft, kTop, kRight, kBottom});
    canvas.SetPen({gfx::PenStyle::Solid, 10, gfx::kBlack});
    for (double y : {kRule1, kRule2, kRule3}) {
        canvas.MoveTo(kLeft, y);
        canvas.LineTo(kRight, y);
    }

    canvas.SetFont(kCompanyFont);
    Text(canvas, 5870, -6440, title.company, TextAlign::Left);
    canvas.SetFont(kAddressFont);
    Text(canvas, 5870, below(2.2), title.address1, TextAlign::Left);
    Text(canvas, 5870, below(3.2), title.address2, TextAlign::Left);
    Text(canvas, 5870, below(4.2), title.address3, TextAlign::Left);
    Text(canvas, 9870, below(4.2), title.phone, TextAlign::Right);

    canvas.SetFont(kCaptionFont);
    Text(canvas, 6580, kRule1 - 40, "System Name:", TextAlign::Right);
    canvas.SetFont(kNameFont);
    Text(canvas, 7870, below(6.2), workbench.systemName, TextAlign::Center);
    Text(canvas, 7870, below(7.4), workbench.boxTypeName, TextAlign::Center);

    canvas.SetFont(kAddressFont);
    Text(canvas, 6430, kRule2 - 40, "Designer:", TextAlign::Right);
    Text(canvas, 6550, kRule2 - 50, title.designer, TextAlign::Left);
    Text(canvas, 6430, kRule2 - 330, "Title:", TextAlign::Right);
    Text(canvas, 6550, kRule2 - 330, title.designerTitle, TextAlign::Left);
    Text(canvas, 6430, kRule3 - 40, "Rev Date:", TextAlign::Right);
    Text(canvas, 6550, kRule3 - 80, workbench.revDate, TextAlign::Left);
    Text(canvas, 9370, kRule3 - 40, "Rev:", TextAlign::Right);
    Text(canvas, 9550, kRule3 - 80, workbench.revision, TextAlign::Left);
    canvas.Restore();
}

void DrawSystemReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings)
{
    plot::PlotPainter::PreparePrint(canvas);
    plot::PlotPainter painter(doc, settings);
    painter.Draw(canvas);
    DrawSystemReport(canvas, doc, settings);
}

} // namespace cw::reports
