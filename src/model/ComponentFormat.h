#pragma once

#include <string>

namespace cw
{

// A component value as the calculators show it: at least 5 characters, right-aligned, with 4
// decimals below 1, 3 from 1, 2 from 10, 1 from 100 and none from 1000 ("%5.4f" … "%5.0f").
// 19.89 shows as "19.89", 0.06366 as "0.0637", 1234 as " 1234". A value that is not finite
// shows as an empty text.
std::string FormatComponentValue(double v);

} // namespace cw
