#pragma once

#include "gfx/Canvas.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

namespace cw::reports
{

// The one-page Limits report: the Limits window's plot in the upper half of the page, then the
// key, the sentence of every shown system, the workbench's drive and limit values, and the title
// block, on a printing canvas mapped as the system report's page.
void DrawLimitsReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings);

} // namespace cw::reports
