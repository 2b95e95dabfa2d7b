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

// A value the check takes for one given in the unit next to the record's, and the value it
// probably meant.
struct UnitFix {
    const char* label; // "V(as)"
    const char* unit;  // the record's: "liters"
    double DriverParams::*field;
    double value;
    double meant;
    std::string finding; // the check's sentence about it
};

// The unit mistakes among CheckDriver's findings, as changes to the record.
std::vector<UnitFix> LikelyUnitFixes(const DriverParams& d);

// "V(as) from 45000 liters to 45 liters".
std::string DescribeFix(const UnitFix& fix);

// The driver with each fix applied; a copy in the other unit system that was given follows.
DriverParams ApplyUnitFixes(DriverParams d, const std::vector<UnitFix>& fixes);

} // namespace cw::database
