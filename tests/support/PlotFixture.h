#pragma once

#include "gfx/RecordingCanvas.h"
#include "plot/PlotPainter.h"
#include "reports/ReportLayout.h"

#include <memory>

namespace cw::test
{

// A project's plot drawn onto a recording canvas: a 1000 x 800 client area, or a Letter page at
// 600 dpi mapped as the system report maps it.
struct PlotFixture {
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    gfx::RecordingCanvas canvas;
    plot::PlotPainter painter{*doc, settings};

    explicit PlotFixture(bool printing = false)
        : canvas(printing ? gfx::DeviceInfo{5100, 6600, 600, 600, true, false}
                          : gfx::DeviceInfo{1000, 800, 96, 96, false, false})
    {
        if (printing)
            reports::MapSystemReportPage(canvas);
        else
            plot::PlotPainter::PrepareScreen(canvas, 1000, 800);
    }
};

} // namespace cw::test
