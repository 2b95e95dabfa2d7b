#pragma once

#include "calculators/NetworkResponse.h"
#include "gfx/Canvas.h"

#include <optional>
#include <string_view>
#include <vector>

// The small response graph beside a calculator page's fields: the designed network's curves over
// 20 Hz to 20 kHz on a logarithmic axis, levels in dB on the left and impedances in Ohms on the
// right. It draws in pixels, y downwards, inside the rectangle it is given.
namespace cw::pictures
{

using calc::CurveKind;
using calc::NetworkCurve;
using calc::NetworkResponse;

// The frequencies of the graph and of the command line's network table: 20 Hz to 20 kHz,
// 40 points per decade.
std::vector<double> NetworkGraphFrequencies();

// Without a response the empty plot says why: the sentence given, or by default that a
// component is 0.
void DrawNetworkGraph(gfx::Canvas& canvas, const gfx::Rect& area,
                      const std::optional<NetworkResponse>& response, std::string_view why = {});

} // namespace cw::pictures
