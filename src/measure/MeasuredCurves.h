#pragma once

#include "model/CSpkSysDoc.h"

#include <cstddef>
#include <string>

// The measured curves of a project: what the import, the Measured Curves window and the
// command line do to them. Each change marks the project modified and redraws the plot; a
// refusal is shown through the document's windows and leaves the project as it was.
namespace cw::measure
{

// Reads a measurement file and adds it, named after the file (with " (2)", " (3)" … when the
// project already holds a curve of that name). Returns whether it was added.
bool ImportMeasuredCurve(CSpkSysDoc& doc, const std::string& path, MeasuredKind kind);

// Changes one curve; an index outside the list or an empty name is refused.
bool RenameMeasuredCurve(CSpkSysDoc& doc, std::size_t index, const std::string& name);
bool RemoveMeasuredCurve(CSpkSysDoc& doc, std::size_t index);
bool ShowMeasuredCurve(CSpkSysDoc& doc, std::size_t index, bool shown);
bool SetMeasuredOffset(CSpkSysDoc& doc, std::size_t index, double offsetDb);

} // namespace cw::measure
