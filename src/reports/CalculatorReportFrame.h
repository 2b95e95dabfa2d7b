#pragma once

#include "gfx/Canvas.h"
#include "reports/ReportLayout.h"

#include <functional>
#include <string_view>

namespace cw
{
class CSpkSysDoc;
}

namespace cw::reports
{

// The page every calculator report shares, on a canvas mapped by MapCalculatorReportPage: the
// page border, the logo at the top right and the title block at the lower right, with the
// workbench's system name over secondLine (the network's title, or the box type).
void DrawCalculatorReportFrame(gfx::Canvas& canvas, const ReportLayout& layout,
                               const CSpkSysDoc& doc, std::string_view secondLine);

// A calculator's picture on its report. The picture draws in pixels of its own: x to the right and
// y downwards from its top-left corner. One picture pixel covers cell.x by cell.y report units, and
// the picture's top-left corner lies at origin, given in picture pixels from the page's origin
// (the layout's crossoverPicture or boxPicture). The canvas's mapping is restored afterwards.
void DrawReportPicture(gfx::Canvas& canvas, gfx::Point origin, gfx::Point cell,
                       const std::function<void(gfx::Canvas&)>& draw);

// The report cells of the two kinds of picture: 290 x 210 crossover schematics, and box drawings
// of 120 x 200 (bandpass 120 x 205).
inline constexpr gfx::Point kCrossoverPictureCell{17, 27};
inline constexpr gfx::Point kBoxPictureCell{22, 33};

} // namespace cw::reports
