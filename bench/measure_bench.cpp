// Times of fitting a driver from its impedance: one 600-point ZMA (10 Hz to 20 kHz, 1 % noise)
// of a driver with and without a lossy voice-coil inductance, with and without phase.
#include "measure/ImpedanceFit.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace
{

using namespace cw;

MeasuredCurve Zma(const measure::ImpedanceModel& driver, bool withPhase)
{
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0, 0.01 / std::sqrt(2.0));
    MeasuredCurve c;
    c.kind = static_cast<std::int32_t>(MeasuredKind::Impedance);
    for (int i = 0; i < 600; ++i) {
        const double hz = 10 * std::pow(2000.0, i / 599.0);
        const auto z = driver.At(hz) * std::complex<double>(1 + gauss(random), gauss(random));
        c.hz.push_back(hz);
        c.value.push_back(std::abs(z));
        if (withPhase)
            c.phase.push_back(std::arg(z) * 57.29577951);
    }
    return c;
}

void Fit(benchmark::State& state, bool lossy, bool withPhase)
{
    measure::ImpedanceModel driver{6.1, 38, 5, 0.65, 0.8e-3, 0, 0};
    if (lossy) {
        driver.le = 0.25e-3;
        driver.l2 = 1.1e-3;
        driver.r2 = 9;
    }
    const MeasuredCurve zma = Zma(driver, withPhase);
    for (auto _ : state) {
        measure::ImpedanceFit fit;
        benchmark::DoNotOptimize(measure::FitImpedance(zma, {}, fit));
    }
}
BENCHMARK_CAPTURE(Fit, Zma600Plain, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fit, Zma600Lossy, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fit, Zma600LossyNoPhase, true, false)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
