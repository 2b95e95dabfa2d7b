#pragma once

#include "gfx/Canvas.h"

#include <string_view>

namespace cw::reports
{

// The page of a calculator report in logical units, for one orientation: x grows to the right
// from the page's left edge, y grows upward, y = 0 is the middle of the page, and the page spans
// y from +halfHeight to -halfHeight.
struct ReportLayout {
    gfx::Point windowExt; // logical size of the whole page
    double leftMargin;
    double right; // R, the page's right edge
    double topLine;
    double baseLine;   // B, row 0
    double halfHeight; // H
    double rowUnit;    // U, the distance between rows
    double headingColumn;
    double labelColumn; // right edge of the labels
    double valueColumn;
    double unitColumn;
    double frameRight;       // right edge of the frames around the inputs and the results
    gfx::Point titleBlock;   // top-left corner of the title block
    gfx::Point polarityNote; // the crossover reports' note on the tweeter's polarity
    // Top-left corners of the pictures, in the units of the pictures' scaled mapping.
    gfx::Point crossoverPicture;
    gfx::Point boxPicture;

    // Row k lies at y = B + k * U (k may be fractional or negative), truncated to whole units.
    double Row(double k) const;

    static const ReportLayout& Portrait();
    static const ReportLayout& Landscape();
};

// The mapping of the system report's page on a printing canvas, for the device's orientation:
// a window of 10000 x 10000 whose upper half (y 0 to 10000) holds the plot. In portrait it spans
// the whole page width and half its height, with y = 0 in the middle of the page; in landscape
// half the page width and 1/2.39 of its height, with y = 0 40 device units below the middle.
void MapSystemReportPage(gfx::Canvas& canvas);
// The mapping of a calculator report's page: the layout's window over the whole page width and
// half its height, y = 0 in the middle of the page. Returns the layout of the device's
// orientation.
const ReportLayout& MapCalculatorReportPage(gfx::Canvas& canvas);

// One line of text whose cell's top is at y, aligned on x as given.
void TextAt(gfx::Canvas& canvas, double x, double y, std::string_view text, gfx::TextAlign align);

} // namespace cw::reports
