#pragma once

#include "gfx/Canvas.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <string>
#include <vector>

namespace cw::reports
{

// One row of the parameter sheet: label, symbol (right-aligned), value and unit.
struct ReportRow {
    std::string label;
    std::string symbol;
    std::string value; // already formatted
    std::string unit;  // may be empty
};

// The driver rows 5 to 18, with the units the preference chooses.
std::vector<ReportRow> DriverRows(const DriverParams& driver, bool metric);
// The box rows of the system's box type from row 5 down; none for an unknown box type.
std::vector<ReportRow> BoxRows(const CSpkSys& system, bool metric);
// The system parameter rows 19 to 22.
std::vector<ReportRow> SystemRows(const CSpkSys& system);

// The parameter sheet and the title block, on a canvas that has the system report's mapping.
void DrawSystemReport(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings);
// The whole one-page report: print mapping, plot with every shown system, parameter sheet and
// title block.
void DrawSystemReportPage(gfx::Canvas& canvas, const CSpkSysDoc& doc, const AppSettings& settings);

} // namespace cw::reports
