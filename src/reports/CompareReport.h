#pragma once

#include "engine/CompareTable.h"
#include "gfx/Canvas.h"

#include <vector>

namespace cw::reports
{

// The compare table on a page of its own, with the page border, the logo and the title block of
// the calculator reports: a column per system, a line per quantity.
void DrawCompareReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc,
                           const std::vector<engine::CompareRow>& rows, bool metric);

} // namespace cw::reports
