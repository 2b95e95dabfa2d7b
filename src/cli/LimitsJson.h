#pragma once

#include "engine/Limits.h"

#include <string>

namespace cw::cli
{

// The limits as JSON: the sentence, the bands (limit, low_hz, high_hz) and one object per grid
// point with the CSV's columns; a value that does not apply, or no binding limit, is null.
std::string LimitsAsJson(const engine::Limits& l);

} // namespace cw::cli
