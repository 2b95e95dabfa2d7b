#pragma once

#include <string>

// How the program writes numbers for people.
namespace cw
{

// A value loaded into an edit field: up to 15 significant digits, the shorter of plain and
// exponent notation ("%.*g" with precision 15).
std::string FormatNumber(double value);

// A calculated value shown in a field or printed on a report: at most four significant digits,
// no trailing zeros ("%1.4G").
std::string FormatShown(double value);

} // namespace cw
