#include "reports/BoxReport.h"

#include "calculators/BoxPageFields.h"
#include "model/BoxTable.h"
#include "model/CSpkSysDoc.h"
#include "model/NumberFormat.h"
#include "pictures/BoxDrawing.h"
#include "reports/CalculatorReportFrame.h"

#include <optional>
#include <string>
#include <vector>

namespace cw::reports
{

namespace
{

using calc::BoxPageKind;
using gfx::TextAlign;
using Q = calc::BoxQuantity;

const gfx::Font kRowFont{"Arial", 240, 400, gfx::FontFamily::Swiss, false};
const gfx::Font kHeadingFont{"Arial", 240, 700, gfx::FontFamily::Swiss, false};

// The box report's own columns (x of the headings, right edges of the row titles and symbols,
// left edges of the values and units), by page and orientation.
struct Columns {
    double heading, title, symbol, value, frontValue, unit;
};

Columns ColumnsFor(BoxPageKind kind, bool landscape)
{
    // The landscape page moves everything 2300 units to the right.
    const double shift = landscape ? 2300 : 0;
    if (kind == BoxPageKind::Bandpass)
        return {5300 + shift, 7000 + shift, 7500 + shift, 7600 + shift, 8400 + shift, 9000 + shift};
    return {5300 + shift, 7100 + shift, 7800 + shift, 7900 + shift, 0, 8600 + shift};
}

// The design's vent as the vent calculators leave it, for the vented box types.
std::string VentLines(const CSpkSys& wb, bool metric)
{
    const BoxDescription* box = DescribeBox(wb.boxType());
    const BoxField* area = box ? box->Find(BoxQuantity::VentArea) : nullptr;
    const BoxField* length = box ? box->Find(BoxQuantity::VentLength) : nullptr;
    if (area == nullptr || length == nullptr)
        return {};
    if (metric)
        return FormatPrinted("S(v) = %1.4G  square meters    (Vent Surface Area)\n",
                             area->Value(wb)) +
               FormatPrinted("L(v) = %1.4G  meters               (Vent Length)\n",
                             length->Value(wb));
    return FormatPrinted("S(v) = %1.4G  square inches    (Vent Surface Area)\n",
                         area->EnglishValue(wb)) +
           FormatPrinted("L(v) = %1.4G  inches               (Vent Length)\n",
                         length->EnglishValue(wb));
}

} // namespace

const char* BoxReportTitle(calc::BoxPageKind kind)
{
    switch (kind) {
    case BoxPageKind::Rectangular:
        return "Rectangular Box Report";
    case BoxPageKind::Trapezoidal:
        return "Trapezoidal Box Report";
    case BoxPageKind::Bandpass:
        return "Bandpass Box Report";
    }
    return "";
}

void DrawBoxReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, calc::BoxPageKind kind,
                       bool metric)
{
    const ReportLayout& layout = MapCalculatorReportPage(canvas);
    DrawCalculatorReportFrame(canvas, layout, doc, doc.workbench().boxTypeName);
    DrawReportPicture(canvas, layout.boxPicture, kBoxPictureCell, [&](gfx::Canvas& picture) {
        pictures::DrawBoxDrawing(picture, kind, doc.workbench(), metric);
    });
    DrawBoxReportBody(canvas, layout, doc, kind, metric);
}

void DrawBoxReportBody(gfx::Canvas& canvas, const ReportLayout& layout, const CSpkSysDoc& doc,
                       calc::BoxPageKind kind, bool metric)
{
    const bool landscape = layout.right != ReportLayout::Portrait().right;
    const Columns c = ColumnsFor(kind, landscape);
    const bool bandpass = kind == BoxPageKind::Bandpass;
    // The page's own table of its fields, on a copy of the record: the report changes nothing.
    CSpkSys record = doc.workbench();
    BoxLocks locks = doc.boxLocks;
    calc::BoxCalculatorPage page(kind, record, locks);
    const auto value = [&](const calc::BoxCell& cell) {
        return FormatShown(cell.Value(record, metric));
    };

    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, c.heading, layout.Row(11.5), "Box Dimensions and Gross Internal Volume",
           TextAlign::Left);
    TextAt(canvas, c.heading, layout.Row(0.5), "Adjustments and Net Internal Volume",
           TextAlign::Left);
    if (bandpass) {
        for (const double k : {10.75, -0.25}) {
            TextAt(canvas, c.value, layout.Row(k), "Rear", TextAlign::Left);
            TextAt(canvas, c.frontValue, layout.Row(k), "Front", TextAlign::Left);
        }
    }

    canvas.SetFont(kRowFont);
    // The dimensions count down from row 10, the adjustments from row -1; a volume total stands
    // one row apart from the rows it sums.
    double dimensionRow = 10, adjustmentRow = -1;
    for (const calc::BoxRow& row : calc::BoxPageRows(kind)) {
        double& k = row.adjustment ? adjustmentRow : dimensionRow;
        if (row.rear.quantity == Q::GrossVolume || row.rear.quantity == Q::NetVolume)
            k -= 1;
        const double y = layout.Row(k);
        k -= 1;
        TextAt(canvas, c.title, y, row.reportTitle, TextAlign::Right);
        TextAt(canvas, c.symbol, y, row.reportSymbol, TextAlign::Right);
        TextAt(canvas, c.value, y, value(row.rear), TextAlign::Left);
        if (bandpass)
            TextAt(canvas, c.frontValue, y, row.front ? value(*row.front) : "---", TextAlign::Left);
        TextAt(canvas, c.unit, y, row.unit.Pick(metric), TextAlign::Left);
    }

    // The notes beside the title block, down to the page border.
    const double notesTop = layout.titleBlock.y + layout.rowUnit;
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, layout.leftMargin, notesTop, "Notes", TextAlign::Left);
    canvas.SetFont(kRowFont);
    canvas.SetTextAlign(TextAlign::Left);
    const CSpkSys& wb = doc.workbench();
    canvas.DrawTextWrapped({layout.leftMargin, layout.titleBlock.y, layout.titleBlock.x - 200,
                            100 - layout.halfHeight},
                           VentLines(wb, metric) + page.notes());
    canvas.Restore();
}

} // namespace cw::reports
