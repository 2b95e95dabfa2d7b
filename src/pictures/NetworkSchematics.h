#pragma once

#include "gfx/Canvas.h"

// The schematic of each crossover and network calculator page, drawn as lines and text on a
// canvas mapped to the picture's own pixels: 290 x 210, x to the right and y downwards from the
// top-left corner. The page shows it scaled to its place and the report prints it in its picture
// cell, so both draw the same lines.
namespace cw::pictures
{

inline constexpr double kSchematicWidth = 290;
inline constexpr double kSchematicHeight = 210;

void DrawXover1OBWSchematic(gfx::Canvas& canvas);
// Also the 2nd Order Linkwitz page's schematic: the networks have the same parts.
void DrawXover2OBWSchematic(gfx::Canvas& canvas);
void DrawXover3OBWSchematic(gfx::Canvas& canvas);
void DrawXover1OSSchematic(gfx::Canvas& canvas);
void DrawXover4OLRSchematic(gfx::Canvas& canvas);
void DrawResonanceCompSchematic(gfx::Canvas& canvas);
void DrawInductanceCompSchematic(gfx::Canvas& canvas);
void DrawTweeterAttenSchematic(gfx::Canvas& canvas);

// The schematic of calculator page 0 … 8; nothing for another page.
void DrawCrossoverSchematic(gfx::Canvas& canvas, int page);

} // namespace cw::pictures
