#include "reports/CrossoverReport.h"

#include "calculators/CrossoverPages.h"
#include "model/CSpkSysDoc.h"
#include "model/NumberFormat.h"
#include "pictures/NetworkSchematics.h"
#include "reports/CalculatorReportFrame.h"
#include "reports/ReportLayout.h"

#include <algorithm>
#include <array>
#include <vector>

namespace cw::reports
{

namespace
{

using gfx::TextAlign;

constexpr std::array<const char*, calc::kCrossoverPageCount> kTitles = {
    "1OBW Xover Report",
    "2OBW Xover Report",
    "3OBW Xover Report",
    "1OS Xover Report",
    "2OLR Xover Report",
    "4OLR Xover Report",
    "Resonance Compensator Report",
    "Inductance Compensator Report",
    "Tweeter Attenuator Report"};

constexpr std::array<const char*, calc::kCrossoverPageCount> kNetworks = {
    "First Order Butterworth Crossover",
    "Second Order Butterworth Crossover",
    "Third Order Butterworth Crossover",
    "First Order Series Crossover",
    "Second Order Linkwitz-Riley Crossover",
    "Fourth Order Linkwitz-Riley Crossover",
    "Resonance Compensating Network",
    "Inductance Compensating Network",
    "Tweeter Attenuator Network"};

const gfx::Font kHeadingFont{"Arial", 240, 700, gfx::FontFamily::Swiss, false};
const gfx::Font kRowFont{"Arial", 240, 400, gfx::FontFamily::Swiss, false};

const char* Lookup(const std::array<const char*, calc::kCrossoverPageCount>& texts, int page)
{
    return page >= 0 && page < calc::kCrossoverPageCount ? texts[static_cast<std::size_t>(page)]
                                                         : nullptr;
}

// Rows firstRow, firstRow - 1, … of label, value and unit, framed from half a row above the first
// row to 1.25 rows below the last. The frame's left edge clears the longest label.
void DrawRows(gfx::Canvas& canvas, const ReportLayout& layout, const CSpkSys& s,
              const std::vector<calc::CrossoverField>& fields, double firstRow)
{
    canvas.SetFont(kRowFont);
    double widest = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const calc::CrossoverField& f = fields[i];
        const double y = layout.Row(firstRow - static_cast<double>(i));
        TextAt(canvas, layout.labelColumn, y, f.reportLabel, TextAlign::Right);
        TextAt(canvas, layout.valueColumn, y, FormatShown(f.Get(s)), TextAlign::Left);
        TextAt(canvas, layout.unitColumn, y, f.unit, TextAlign::Left);
        widest = std::max(widest, canvas.TextWidth(f.reportLabel));
    }
    const double left = std::min(layout.headingColumn, layout.labelColumn - widest) - 100;
    const double lastRow = firstRow - static_cast<double>(fields.size()) + 1;
    canvas.SetPen({gfx::PenStyle::Solid, 10, gfx::kBlack});
    canvas.FrameRect(
        {left, layout.Row(firstRow + 0.5), layout.frameRight, layout.Row(lastRow - 1.25)});
}

} // namespace

const char* CrossoverReportTitle(int page)
{
    return Lookup(kTitles, page);
}

const char* CrossoverNetworkTitle(int page)
{
    return Lookup(kNetworks, page);
}

void DrawCrossoverReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, int page)
{
    const char* network = CrossoverNetworkTitle(page);
    if (!network)
        return;
    const ReportLayout& layout = MapCalculatorReportPage(canvas);
    DrawReportPicture(canvas, layout.crossoverPicture, kCrossoverPictureCell,
                      [page](gfx::Canvas& c) { pictures::DrawCrossoverSchematic(c, page); });
    DrawCalculatorReportFrame(canvas, layout, doc, network);

    canvas.Save();
    canvas.SetTextColor(gfx::kBlack);
    canvas.SetFont(kHeadingFont);
    TextAt(canvas, layout.headingColumn, layout.Row(11.5), "Given the Folowing:", TextAlign::Left);
    TextAt(canvas, layout.headingColumn, layout.Row(3.5),
           "The Component Values Are:", TextAlign::Left);
    if (calc::CrossoverTweeterReversed(page))
        TextAt(canvas, layout.polarityNote.x, layout.polarityNote.y,
               "Note the reversed polarity of the Tweeter.", TextAlign::Left);

    const calc::CrossoverFields& fields = calc::CrossoverPageFields(page);
    DrawRows(canvas, layout, doc.workbench(), fields.inputs, 10);
    // Values the page refuses have no components: the report says why instead.
    if (const auto why = calc::CrossoverPageRefusal(doc.workbench(), page)) {
        canvas.SetFont(kRowFont);
        canvas.SetTextAlign(TextAlign::Left);
        canvas.DrawTextWrapped(
            {layout.headingColumn, layout.Row(2), layout.frameRight, layout.Row(-3)}, *why);
    } else {
        DrawRows(canvas, layout, doc.workbench(), fields.results, 2);
    }
    canvas.Restore();
}

} // namespace cw::reports
