#pragma once

#include "gfx/Canvas.h"

namespace cw
{
class CSpkSysDoc;
}

// The one-page report of a crossover and network calculator page (0 … 8, as the sheet numbers
// its pages): the page's schematic, its inputs and results with a frame around each, the note on
// the tweeter's polarity where the network reverses it, and the shared page frame with the title
// block naming the network.
namespace cw::reports
{

// The print job's name ("1OBW Xover Report" …); nullptr for no page.
const char* CrossoverReportTitle(int page);
// The network's title on the title block's second line ("First Order Butterworth Crossover" …);
// nullptr for no page.
const char* CrossoverNetworkTitle(int page);

// Maps the canvas for its orientation (MapCalculatorReportPage) and draws the workbench's report
// of the page; a page that does not exist draws nothing.
void DrawCrossoverReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, int page);

} // namespace cw::reports
