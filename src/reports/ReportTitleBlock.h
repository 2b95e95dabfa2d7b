#pragma once

#include "gfx/Canvas.h"
#include "model/CSpkSys.h"
#include "model/TitleBlock.h"

#include <string_view>

namespace cw::reports
{

// The title block of every printed report, 4200 wide and 3600 high, with its top-left corner at
// topLeft: the company and its address, the workbench's system name over the given second line
// (the box type or the calculator's network), the designer, and the workbench's revision.
void DrawTitleBlock(gfx::Canvas& canvas, gfx::Point topLeft, const TitleBlock& title,
                    const CSpkSys& workbench, std::string_view secondLine);

} // namespace cw::reports
