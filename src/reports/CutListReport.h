#pragma once

#include "calculators/CutList.h"
#include "calculators/SheetLayout.h"
#include "gfx/Canvas.h"

namespace cw
{
class CSpkSysDoc;
}

// The cut list of a box calculator page on paper and as a drawing: the panels' table, the holes
// and warnings, and the sheets with the panels laid out on them.
namespace cw::reports
{

// The print job's name: "Rectangular Box Cut List" and so on.
std::string CutListReportTitle(calc::BoxPageKind kind);

// The whole page on a printing canvas, in the orientation of its device, with the title block of
// every calculator report. A page that has no box yet prints the sentence that says so.
void DrawCutListReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, calc::BoxPageKind kind,
                           bool metric);

// The sheets side by side in area (a rectangle of the canvas's current mapping, whichever way y
// grows), each under its caption, the panels on them with their names where they fit. Text is
// labelHeight logical units high.
void DrawSheetLayout(gfx::Canvas& canvas, const calc::CutList& list,
                     const calc::SheetLayout& layout, const gfx::Rect& area, double labelHeight);

// The layout alone on a picture of width x height pixels (SVG export, the page's preview), with
// a line above that names the box and the sheet.
void DrawSheetLayoutPicture(gfx::Canvas& canvas, double width, double height,
                            const calc::CutList& list, const calc::SheetLayout& layout);

} // namespace cw::reports
