#pragma once

#include "calculators/NetworkResponse.h"
#include "engine/Limits.h"
#include "model/CSpkSys.h"

#include <string>

namespace cw::cli
{

// The record's grid and curves as CSV: a header line, then one row per calculated point, each
// number in its shortest form that reads back exactly; a curve whose flag is 0 leaves its cells
// empty.
std::string CurvesAsCsv(const CSpkSys& s);

// The limits as CSV: a header line, then one row per grid point; a value that does not apply and
// a point where no limit binds leave their cells empty.
std::string LimitsAsCsv(const engine::Limits& l);

// A calculator network's response as CSV: a header line, then one row per frequency with each
// curve's magnitude (dB or Ohms) and phase (degrees), numbers as above.
std::string NetworkResponseAsCsv(const calc::NetworkResponse& r);

} // namespace cw::cli
