#include "reports/ReportLayout.h"

#include <cmath>

namespace cw::reports
{

namespace
{

// The title block's top-left corner and the polarity note sit at fixed distances from the
// page's lower right corner and from the title block.
constexpr gfx::Point TitleBlockAt(double right, double halfHeight)
{
    return {right - 4215, 3615 - halfHeight};
}

constexpr ReportLayout kPortrait{
    .windowExt = {10000, 10000},
    .leftMargin = 300,
    .right = 10000,
    .topLine = 9800,
    .baseLine = 300,
    .halfHeight = 10000,
    .rowUnit = 400,
    .headingColumn = 5800,
    .labelColumn = 7800,
    .valueColumn = 7900,
    .unitColumn = 8600,
    .frameRight = 9600,
    .titleBlock = TitleBlockAt(10000, 10000),
    .polarityNote = {650, TitleBlockAt(10000, 10000).y + 13.5 * 400},
    .crossoverPicture = {25, -190},
    .boxPicture = {50, -125},
};

constexpr ReportLayout kLandscape{
    .windowExt = {12941, 7727},
    .leftMargin = 300,
    .right = 12941,
    .topLine = 7500,
    .baseLine = 300,
    .halfHeight = 7727,
    .rowUnit = 400,
    .headingColumn = 8100,
    .labelColumn = 10100,
    .valueColumn = 10200,
    .unitColumn = 10900,
    .frameRight = 11900,
    .titleBlock = TitleBlockAt(12941, 7727),
    .polarityNote = {1920, TitleBlockAt(12941, 7727).y + 8 * 400},
    .crossoverPicture = {100, -190},
    .boxPicture = {100, -125},
};

void Map(gfx::Canvas& canvas, gfx::Point windowExt, gfx::Point viewportExt, gfx::Point viewportOrg)
{
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(windowExt.x, windowExt.y);
    canvas.SetViewportExt(viewportExt.x, viewportExt.y);
    canvas.SetViewportOrg(viewportOrg.x, viewportOrg.y);
}

} // namespace

double ReportLayout::Row(double k) const
{
    return std::trunc(baseLine + k * rowUnit);
}

const ReportLayout& ReportLayout::Portrait()
{
    return kPortrait;
}

const ReportLayout& ReportLayout::Landscape()
{
    return kLandscape;
}

void MapSystemReportPage(gfx::Canvas& canvas)
{
    const double w = canvas.device().width;
    const double h = canvas.device().height;
    if (canvas.device().landscape)
        Map(canvas, {10000, 10000}, {w / 2, -(h / 2.39)}, {0, h / 2 + 40});
    else
        Map(canvas, {10000, 10000}, {w, -(h / 2)}, {0, h / 2});
}

const ReportLayout& MapCalculatorReportPage(gfx::Canvas& canvas)
{
    const ReportLayout& layout = canvas.device().landscape ? kLandscape : kPortrait;
    const double w = canvas.device().width;
    const double h = canvas.device().height;
    Map(canvas, layout.windowExt, {w, -(h / 2)}, {0, h / 2});
    return layout;
}

void TextAt(gfx::Canvas& canvas, double x, double y, std::string_view text, gfx::TextAlign align)
{
    canvas.SetTextAlign(align);
    canvas.TextOut(x, y, text);
}

} // namespace cw::reports
