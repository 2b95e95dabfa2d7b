#pragma once

#include "calculators/BoxCalculatorPage.h"
#include "gfx/Canvas.h"
#include "reports/ReportLayout.h"

namespace cw
{
class CSpkSysDoc;
}

// The one-page report of a box calculator page: the page's box drawing, its dimensions,
// volumes and adjustments in the chosen units, and the notes with the design's vent, on the page
// every calculator report shares.
namespace cw::reports
{

// The print job's name: "Rectangular Box Report", "Trapezoidal Box Report" or "Bandpass Box
// Report".
const char* BoxReportTitle(calc::BoxPageKind kind);

// The whole page on a printing canvas, in the orientation of its device.
void DrawBoxReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, calc::BoxPageKind kind,
                       bool metric);

// The body alone, on a canvas already mapped for layout: the headings, the rows of the page's
// values (metric or English copy) and the notes block left of the title block.
void DrawBoxReportBody(gfx::Canvas& canvas, const ReportLayout& layout, const CSpkSysDoc& doc,
                       calc::BoxPageKind kind, bool metric);

} // namespace cw::reports
