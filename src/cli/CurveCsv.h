#pragma once

#include "model/CSpkSys.h"

#include <string>

namespace cw::cli
{

// The record's grid and curves as CSV: a header line, then one row per calculated point, each
// number in its shortest form that reads back exactly; a curve whose flag is 0 leaves its cells
// empty.
std::string CurvesAsCsv(const CSpkSys& s);

} // namespace cw::cli
