// Drawing speed: a full plot redraw into a screen-sized image as the plot view does it, the Limits
// window of the same systems, and a one-page report to PDF.
#include "engine/CalculateResponse.h"
#include "gfx/qt/QtCanvas.h"
#include "gfx/qt/QtRender.h"
#include "plot/LimitsPainter.h"
#include "plot/ui/PlotRenderer.h"
#include "reports/SystemReport.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

using namespace cw;

// A family run of the sample driver in a closed box with every curve kind shown: ten memories
// and the workbench, all shown.
std::unique_ptr<CSpkSysDoc> ElevenSystems()
{
    auto doc = std::make_unique<CSpkSysDoc>();
    DisplaySwitches& d = doc->display;
    d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
    doc->workbench().closed2.vbLiters = doc->workbench().closed2.vbCuFt = 0; // not designed
    engine::CalculateResponse(*doc);
    for (CSpkSys& s : doc->systems)
        s.responseShown = 1;
    return doc;
}

// The plot view's repaint: the axes layer is kept from the last redraw, the curves drawn anew.
void Redraw(benchmark::State& state, const AppSettings& settings)
{
    const auto doc = ElevenSystems();
    PlotRenderer renderer(*doc, settings);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        renderer.RenderAll(image, 1);
        benchmark::DoNotOptimize(image.bits());
    }
}
void FullRedraw(benchmark::State& state)
{
    Redraw(state, AppSettings{});
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond);

// The same with a colour per system, the kinds in their line styles, and the legend.
void FullRedrawColoured(benchmark::State& state)
{
    AppSettings settings;
    settings.colourEachSystem = settings.showLegend = true;
    Redraw(state, settings);
}
BENCHMARK(FullRedrawColoured)->Unit(benchmark::kMillisecond);

// A redraw after the settings changed: the axes layer is drawn too.
void FullRedrawNewAxes(benchmark::State& state)
{
    const auto doc = ElevenSystems();
    const AppSettings settings;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        PlotRenderer renderer(*doc, settings);
        renderer.RenderAll(image, 1);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(FullRedrawNewAxes)->Unit(benchmark::kMillisecond);

// The Limits window of the eleven systems as a change redraws it: every system's limits worked out
// again, then drawn.
void LimitsRedraw(benchmark::State& state)
{
    const auto doc = ElevenSystems();
    const AppSettings settings;
    QImage image(1920, 1080, QImage::Format_RGB32);
    plot::LimitsPainter limits(*doc, settings);
    for (auto _ : state) {
        limits.Invalidate();
        QPainter painter(&image);
        {
            gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(image, false, false));
            limits.DrawWindow(canvas);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["systems"] = static_cast<double>(limits.shown().size());
}
BENCHMARK(LimitsRedraw)->Unit(benchmark::kMillisecond);

void ReportPdf(benchmark::State& state)
{
    const auto doc = ElevenSystems();
    AppSettings settings;
    settings.printIcons = true;
    QByteArray pdf;
    for (auto _ : state) {
        const QString error = gfx::RenderPdf(pdf, false, [&](gfx::Canvas& canvas) {
            reports::DrawSystemReportPage(canvas, *doc, settings);
        });
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(ReportPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
