#pragma once

#include "calculators/BoxCalculatorPage.h"
#include "gfx/Canvas.h"

// The dimensioned drawing of a box calculator page, shared by the page and its report. It draws
// in a grid of its own pixels, x to the right and y downwards from the top-left corner, with
// the current dimensions of the chosen unit copy written on the dimension lines.
namespace cw::pictures
{

using calc::BoxPageKind;

// The drawing's size in its pixels: 120 x 200, the bandpass box 120 x 205.
gfx::Point BoxDrawingSize(BoxPageKind kind);

// The rectangular box: a front view with H and a top view with W and D. The trapezoidal box: a
// front view with H and a top view with W1 on the narrow side, W2 on the wide side, D and the
// angle between a side wall and the depth direction. The bandpass box: a side view with the two
// chamber heights and the driver on the dividing panel, and a top view with W and D.
void DrawBoxDrawing(gfx::Canvas& canvas, BoxPageKind kind, const CSpkSys& record, bool metric);

} // namespace cw::pictures
