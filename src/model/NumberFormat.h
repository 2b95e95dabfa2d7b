#pragma once

#include <cstdint>
#include <string>

// How the program writes numbers for people.
namespace cw
{

// A value loaded into an edit field: up to 15 significant digits, the shorter of plain and
// exponent notation ("%.*g" with precision 15).
std::string FormatNumber(double value);

// A calculated value shown in a field or printed on a report: at most four significant digits,
// no trailing zeros ("%1.4G"), through FormatPrinted.
std::string FormatShown(double value);

// Every number the plot, the reports and the exported curves print goes through here: format is
// a printf conversion of one double (or one integer). The text is never cut, however many digits
// the value needs. A value that is infinite or not a number prints as an empty text, so that a
// damaged file leaves a blank on the page rather than "inf" or "nan".
std::string FormatPrinted(const char* format, double value);
std::string FormatPrinted(const char* format, std::int32_t value);

// A whole number in an edit field ("%d").
std::string FormatInteger(std::int32_t value);

// A count of vents or tubes ("%u").
std::string FormatCount(std::uint32_t value);

// A box calculator result: at most six significant digits, no trailing zeros ("%1.6G").
std::string FormatSixDigits(double value);

// A vent calculator value: at least five characters, right-aligned, with the given number of
// decimals ("%5.5f", "%5.3f").
std::string FormatFixed(double value, int decimals);

} // namespace cw
