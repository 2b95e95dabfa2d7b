#pragma once

#include "model/DriverParams.h"

#include <string>
#include <vector>

// The consistency check of a driver: the Thiele-Small relations between its parameters, the two
// copies of each twin quantity, and values that look like they were given in the wrong unit.
namespace cw::database
{

// One sentence per finding, naming the fields and how far they disagree; empty when the driver
// is consistent as far as its given values (those other than 0) allow a test.
std::vector<std::string> CheckDriver(const DriverParams& d);

} // namespace cw::database
