// Drawing speed: a full plot redraw into a screen-sized image, and a one-page report to PDF.
#include "gfx/qt/QtCanvas.h"
#include "gfx/qt/QtRender.h"
#include "plot/PlotPainter.h"
#include "reports/SystemReport.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace
{

using namespace cw;

// Ten memories and the workbench, shown, each with all five curves of a closed box whose
// resonance steps up from memory to memory: 400 points at 50 per octave from 10 Hz.
std::unique_ptr<CSpkSysDoc> ElevenSystems()
{
    auto doc = std::make_unique<CSpkSysDoc>();
    for (int k = 0; k < kSystemCount; ++k) {
        CSpkSys& s = doc->systems[k];
        const double fc = 30 + 4 * k, q = 0.6 + 0.03 * k;
        s.pointCount = 400;
        for (int i = 0; i < 400; ++i) {
            const double f = 10 * std::pow(2.0, i / 50.0);
            const double x = f / fc;
            const double den = std::sqrt(std::pow(1 - x * x, 2) + std::pow(x / q, 2));
            s.frequencies[i] = f;
            s.splCurve[i] = 20 * std::log10(x * x / den);
            s.excursionCurve[i] = 10 / den;
            s.phaseCurve[i] = 180 - std::atan2(x / q, 1 - x * x) * 180 / 3.14159265;
            s.delayCurve[i] = 4 / (1 + x * x);
            s.impedanceCurve[i] = 6 + 40 / (1 + std::pow((x - 1 / x) * 3, 2));
        }
        s.hasSpl = s.hasExcursion = s.hasPhase = s.hasDelay = s.hasImpedance = 1;
        s.responseShown = 1;
    }
    DisplaySwitches& d = doc->display;
    d.showSpl = d.showExcursion = d.showPhase = d.showDelay = d.showImpedance = 1;
    return doc;
}

void FullRedraw(benchmark::State& state)
{
    const auto doc = ElevenSystems();
    const AppSettings settings;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        {
            gfx::QtCanvas canvas(painter, gfx::QtCanvas::DescribeDevice(image, false, false));
            plot::PlotPainter::PrepareScreen(canvas, image.width(), image.height());
            plot::PlotPainter(*doc, settings).Draw(canvas);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond);

void ReportPdf(benchmark::State& state)
{
    const auto doc = ElevenSystems();
    AppSettings settings;
    settings.printIcons = true;
    const QString path = QDir::temp().filePath("conewright_plot_bench.pdf");
    for (auto _ : state) {
        const QString error = gfx::RenderPdf(path, false, [&](gfx::Canvas& canvas) {
            reports::DrawSystemReportPage(canvas, *doc, settings);
        });
        if (!error.isEmpty())
            state.SkipWithError(error.toStdString().c_str());
    }
    QFile::remove(path);
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
