#pragma once

#include "gfx/Canvas.h"
#include "model/BoxType.h"

namespace cw::pictures
{

// Vector drawings that print crisp at any size. Each fills the rectangle it is given, whatever
// way the canvas's y axis points (rect.top is the edge drawn at the top).

// The application icon: a two-way loudspeaker with a response curve.
void DrawApplicationIcon(gfx::Canvas& canvas, const gfx::Rect& rect);
// The cross-section of one enclosure alignment; None draws nothing.
void DrawBoxPicture(gfx::Canvas& canvas, BoxType type, const gfx::Rect& rect);
// The vent calculators' page icons: a round tube and a rectangular slot vent, each seen from the
// front on its left, its open end dark.
void DrawTubeVentPicture(gfx::Canvas& canvas, const gfx::Rect& rect);
void DrawSlotVentPicture(gfx::Canvas& canvas, const gfx::Rect& rect);
// The maker's logo of the report: a short text over a small loudspeaker drawing.
void DrawLogo(gfx::Canvas& canvas, const gfx::Rect& rect);
// The logo's two halves, for pages that place them apart: the short text in the logo font with
// its cell's top-left corner at (x, y), and the loudspeaker drawing filling rect.
void DrawLogoMark(gfx::Canvas& canvas, double x, double y);
void DrawLogoEmblem(gfx::Canvas& canvas, const gfx::Rect& rect);

} // namespace cw::pictures
