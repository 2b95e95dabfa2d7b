#include "reports/SystemReport.h"

#include "model/BoxTable.h"
#include "model/NumberFormat.h"
#include "pictures/Pictures.h"
#include "plot/PlotPainter.h"
#include "reports/ReportLayout.h"
#include "reports/ReportTitleBlock.h"

#include <cmath>

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

// The title block's top-left corner, at the lower right of the page.
constexpr gfx::Point kTitleBlock{5770, -6370};

void DrawRows(gfx::Canvas& canvas, const std::vector<ReportRow>& rows, double firstRow,
              const Columns& col)
{
    canvas.SetFont(kRowFont);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double y = Row(firstRow + static_cast<double>(i));
        TextAt(canvas, col.label, y, rows[i].label, TextAlign::Left);
        TextAt(canvas, col.symbol, y, rows[i].symbol, TextAlign::Right);
        TextAt(canvas, col.value, y, rows[i].value, TextAlign::Left);
        TextAt(canvas, col.unit, y, rows[i].unit, TextAlign::Left);
    }
}

std::string FormatInt(std::int32_t value)
{
    return FormatPrinted("%1.0i", value);
}

// A row of one value in the format of the parameter sheet.
ReportRow Plain(const char* label, const char* symbol, double value, const char* unit = "")
{
    return {label, symbol, FormatShown(value), unit};
}

// A notes box holds a few hundred characters on the page; a longer text is handed over only
// as far as it can show, as wrapping all of ten megabytes would take half a minute.
std::string_view NotesShown(std::string_view text)
{
    constexpr std::size_t kMaxBytes = 4096;
    if (text.size() <= kMaxBytes)
        return text;
    std::size_t end = kMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // not inside a UTF-8 sequence
    return text.substr(0, end);
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
    const gfx::Rect logo{8160, 9845, 8500, plot::kReportLogoBottom};
    canvas.FillRect(logo, gfx::kWhite);
    pictures::DrawLogo(canvas, logo);

    if (settings.printIcons) {
        // The icons are placed in a coarser grid: 14 units across and 20 up per unit.
        canvas.Save();
        const gfx::Mapping m = canvas.mapping();
        canvas.SetWindowExt(m.windowExt.x / 14, m.windowExt.y / 20);
        pictures::DrawApplicationIcon(canvas, {16, -44, 48, -76});
        pictures::DrawBoxPicture(canvas, wb.boxType(), {338, -44, 370, -76});
        canvas.Restore();
    }

    canvas.SetFont(kHeadingFont);
    TextAt(canvas, 800, Row(2), "Driver Parameters", TextAlign::Left);
    TextAt(canvas, 5300, Row(2), "Box Parameters", TextAlign::Left);

    canvas.SetFont(kLabelFont);
    TextAt(canvas, 800, Row(3.5), "Driver:", TextAlign::Left);
    TextAt(canvas, 3200, Row(3.5), wb.driver.manufacturer, TextAlign::Right);
    TextAt(canvas, 3300, Row(3.5), wb.driver.model, TextAlign::Left);
    DrawRows(canvas, DriverRows(wb.driver, metric), 5, kDriverColumns);

    canvas.SetFont(kLabelFont);
    TextAt(canvas, 800, Row(20), "Driver Notes:", TextAlign::Left);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({800, Row(21), 5200, Row(25)}, NotesShown(wb.driver.description));

    if (wb.boxType() != BoxType::None) {
        canvas.SetFont(kLabelFont);
        TextAt(canvas, 5300, Row(3.5), "System Type:", TextAlign::Left);
        TextAt(canvas, 6500, Row(3.5), wb.boxTypeName, TextAlign::Left);
        DrawRows(canvas, BoxRows(wb, metric), 5, kBoxColumns);

        canvas.SetFont(kLabelFont);
        TextAt(canvas, 5300, Row(17), "System Parameters", TextAlign::Left);
        DrawRows(canvas, SystemRows(wb), 19, kBoxColumns);
    }

    canvas.SetFont(kLabelFont);
    TextAt(canvas, 800, Row(26), "System Notes:", TextAlign::Left);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    canvas.DrawTextWrapped({800, Row(27), 5200, -9900}, NotesShown(wb.notes));

    DrawTitleBlock(canvas, kTitleBlock, doc.titleBlock, wb, wb.boxTypeName);
    canvas.Restore();
}

void DrawSystemReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings)
{
    MapSystemReportPage(canvas);
    plot::PlotPainter painter(doc, settings);
    painter.Draw(canvas);
    DrawSystemReport(canvas, doc, settings);
}

} // namespace cw::reports
