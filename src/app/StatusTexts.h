#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace cw
{

// The date pane: abbreviated weekday, comma, day without leading zero, abbreviated month,
// two-digit year and one trailing blank, e.g. "Mon, 7Dec26 ". Nothing when the date cannot be
// formatted.
std::optional<std::string> FormatStatusDate(const std::tm& t);

// The time pane: hour 1..12 without leading zero, colon, minutes, two blanks, then "AM " or
// "PM ", e.g. "2:05  PM ". Nothing when the time cannot be formatted.
std::optional<std::string> FormatStatusTime(const std::tm& t);

// The current local time, or nothing when the clock is outside what the date functions accept.
std::optional<std::tm> LocalNow();

} // namespace cw
