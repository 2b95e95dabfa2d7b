// Times of the response engine: each response operation on the widest grid with every curve
// kind, one whole Calculate Response (alone and with the limits), a bare loop over the same five
// vented-box curves for comparison, and each family run without drawing.
#include "engine/CalculateResponse.h"
#include "engine/Design.h"
#include "engine/Families.h"
#include "engine/Limits.h"
#include "engine/ResponseModels.h"
#include "model/CSpkSysDoc.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace
{

using namespace cw;

// A new project with the widest menu range, every curve shown, and its box type designed.
std::unique_ptr<CSpkSysDoc> DesignedProject(BoxType type)
{
    auto doc = std::make_unique<CSpkSysDoc>();
    doc->plot.lowFreqLimit = 1;
    doc->plot.highFreqLimit = 100000;
    doc->display.showSpl = doc->display.showExcursion = doc->display.showPhase =
        doc->display.showDelay = doc->display.showImpedance = 1;
    doc->SetBoxType(type);
    CSpkSys& wb = doc->workbench();
    wb.closed2.qtc = wb.closed3.qtc = wb.bandpass4.qtc = wb.bandpass5.qtc = wb.bandpass6.qtc =
        0.707;
    doc->CalcBoxVolume();
    wb.vented4.vbLiters = 56.6;
    wb.vented4.vbCuFt = 2;
    wb.vented4.fb = 40;
    for (BandpassCommon* b :
         {static_cast<BandpassCommon*>(&wb.bandpass4), static_cast<BandpassCommon*>(&wb.bandpass5),
          static_cast<BandpassCommon*>(&wb.bandpass6)}) {
        b->vb2CuFt = 1;
        b->fb2 = 60;
    }
    engine::FillFrequencyGrid(wb, *engine::PlanFrequencyGrid(doc->plot));
    return doc;
}

void ResponseOf(benchmark::State& state, BoxType type)
{
    auto doc = DesignedProject(type);
    CSpkSys& wb = doc->workbench();
    engine::WorkingValues w = engine::MakeWorkingValues(wb);
    engine::ApplySeriesResistance(w, wb);
    for (auto _ : state) {
        engine::RunResponse(wb, w, doc->display);
        benchmark::DoNotOptimize(wb.splCurve.data());
    }
    state.counters["points"] = wb.storedPoints();
}
BENCHMARK_CAPTURE(ResponseOf, Response2OCB, BoxType::Closed2);
BENCHMARK_CAPTURE(ResponseOf, Response3OCB, BoxType::Closed3);
BENCHMARK_CAPTURE(ResponseOf, Response4OVB, BoxType::Vented4);
BENCHMARK_CAPTURE(ResponseOf, Response4OSBP, BoxType::Bandpass4);
BENCHMARK_CAPTURE(ResponseOf, Response5OABP, BoxType::Bandpass5);
BENCHMARK_CAPTURE(ResponseOf, Response6OSBP, BoxType::Bandpass6);

// The whole command on a designed vented box: grid, working values, model, drawing request.
void CalculateResponseVented(benchmark::State& state)
{
    auto doc = DesignedProject(BoxType::Vented4);
    for (auto _ : state) {
        doc->CalculateResponse();
        benchmark::DoNotOptimize(doc->workbench().splCurve.data());
    }
    state.counters["points"] = doc->workbench().storedPoints();
}
BENCHMARK(CalculateResponseVented);

// The same command followed by the limits of its result, to compare with the command alone.
void CalculateResponseAndLimitsVented(benchmark::State& state)
{
    auto doc = DesignedProject(BoxType::Vented4);
    doc->workbench().vented4.svSqM = 0.005;
    for (auto _ : state) {
        doc->CalculateResponse();
        const engine::Limits limits = engine::CalculateLimits(doc->workbench());
        benchmark::DoNotOptimize(limits.maxSpl.data());
    }
    state.counters["points"] = doc->workbench().storedPoints();
}
BENCHMARK(CalculateResponseAndLimitsVented);

// The limits alone, on a calculated vented box.
void LimitsVented(benchmark::State& state)
{
    auto doc = DesignedProject(BoxType::Vented4);
    doc->workbench().vented4.svSqM = 0.005;
    doc->CalculateResponse();
    for (auto _ : state) {
        const engine::Limits limits = engine::CalculateLimits(doc->workbench());
        benchmark::DoNotOptimize(limits.maxSpl.data());
    }
}
BENCHMARK(LimitsVented);

// The least the vented-box curves can cost: the same five formulas over the same grid with
// every coefficient fixed, no flags, no record.
void BareVentedLoop(benchmark::State& state)
{
    constexpr int n = 831;
    static double f[n], spl[n], exc[n], phase[n], delay[n], imp[n];
    for (int i = 0; i < n; ++i)
        f[i] = std::exp2(i / 50.0);
    const double fs = 41, h = 40.0 / 41, h2 = h * h, ql = 7, qts = 0.49, qms = 2.6, alpha = 1.59;
    const double b3 = h / ql + 1 / qts, b2 = alpha + h / (ql * qts) + h2 + 1,
                 b1 = h2 / qts + h / ql, b0 = h2;
    const double c1 = h / ql + h2 / qms, c2 = h / (qms * ql) + alpha + h2 + 1,
                 c3 = h / ql + 1 / qms;
    const double x0 = 0.5, res = 27.3, re = 6.3, le = 6.2831853 * 0.35 / 1000;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            const double x = f[i] / fs, x2 = x * x;
            const double a = x2 * x2 - b2 * x2 + b0, b = x * (b3 * x2 - b1);
            const double g2 = a * a + b * b, g = std::sqrt(g2);
            spl[i] = 20 * std::log10(x2 * x2 / g);
            const double e = h2 - x2, loss = x * h / ql;
            exc[i] = x0 * std::sqrt(e * e + loss * loss) / g;
            const double p = std::atan2(b, a) * (360 / 6.2831853);
            phase[i] = p < 0 ? p + 360 : p;
            delay[i] = (b * (4 * x * x2 - 2 * b2 * x) + a * (b1 - 3 * b3 * x2)) / g2 * 3.88;
            const double hh = (x2 * x2 - c2 * x2) / h2 + 1, ii = (c1 * x - c3 * x * x2) / h2;
            const double jj = x / qms - x * x2 / (qms * h2), kk = x2 / (h * qms * ql);
            const double den = hh * hh + ii * ii;
            const double zr = re + res * (jj * ii - kk * hh) / den;
            const double zi = le * f[i] + res * (jj * hh + kk * ii) / den;
            imp[i] = std::sqrt(zr * zr + zi * zi);
        }
        benchmark::DoNotOptimize(spl);
        benchmark::DoNotOptimize(exc);
        benchmark::DoNotOptimize(phase);
        benchmark::DoNotOptimize(delay);
        benchmark::DoNotOptimize(imp);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BareVentedLoop);

// One family on a new project (undesigned box, empty memories), without drawing: ten members
// and the base design on the new project's grid.
void FamilyOf(benchmark::State& state, BoxType type)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CSpkSysDoc>();
        doc->SetBoxType(type);
        state.ResumeTiming();
        doc->CalculateResponse();
        benchmark::DoNotOptimize(doc->systems[10].splCurve.data());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(FamilyOf, Family2OCB, BoxType::Closed2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FamilyOf, Family3OCB, BoxType::Closed3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FamilyOf, Family4OVB, BoxType::Vented4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FamilyOf, Family4OSBP, BoxType::Bandpass4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FamilyOf, Family5OABP, BoxType::Bandpass5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FamilyOf, Family6OSBP, BoxType::Bandpass6)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
