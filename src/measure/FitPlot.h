#pragma once

#include "gfx/Canvas.h"
#include "measure/ImpedanceFit.h"
#include "model/MeasuredCurve.h"

#include <optional>

namespace cw::measure
{

// The measured impedance magnitude (solid) and, when there is one, the fitted model's (dashed)
// over the measurement's frequencies, on a 10000 x 10000 logical page (y up) with a logarithmic
// frequency axis and an Ohms scale from 0.
void DrawImpedanceFit(gfx::Canvas& canvas, const MeasuredCurve& measured,
                      const std::optional<ImpedanceModel>& fitted);

} // namespace cw::measure
