#include "measure/ImpedanceFit.h"

#include "model/Units.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <unsupported/Eigen/NumericalDiff>
#include <vector>

namespace cw::measure
{

namespace
{

constexpr double kTwoPi = 6.283185307;
constexpr double kAirDensity = 1.18;  // kg/m³, as the response models use it
constexpr double kSoundSpeed = 344.8; // m/s
// Below this RMS error the model describes the driver; the judgement names where it stops.
constexpr double kGoodFitPercent = 3;

// The measured points inside the range.
struct Points {
    std::vector<double> hz;
    std::vector<std::complex<double>> z;
    std::vector<double> magnitude;
    bool phase = false;
};

Points InRange(const MeasuredCurve& c, const FitRange& range)
{
    Points p;
    p.phase = !c.phase.empty();
    for (std::size_t i = 0; i < c.size(); ++i) {
        if ((range.loHz > 0 && c.hz[i] < range.loHz) || (range.hiHz > 0 && c.hz[i] > range.hiHz))
            continue;
        p.hz.push_back(c.hz[i]);
        p.magnitude.push_back(c.value[i]);
        p.z.push_back(std::polar(c.value[i], p.phase ? c.phase[i] * kTwoPi / 360 : 0.0));
    }
    return p;
}

// The misfit of one point, relative to the measured magnitude so that the low impedance above
// resonance counts as much as the peak.
double Misfit(const Points& p, std::size_t i, std::complex<double> model)
{
    return p.phase ? std::abs(model - p.z[i]) / p.magnitude[i]
                   : std::abs(std::abs(model) - p.magnitude[i]) / p.magnitude[i];
}

// The model's parameters as the solver sees them: logarithms, so that every value stays
// positive; R(e) only when it was not measured, L2 and R2 only in the lossy stage.
struct Packing {
    bool fitRe;
    bool lossy;

    int Count() const { return 4 + (fitRe ? 1 : 0) + (lossy ? 2 : 0); }
    Eigen::VectorXd Pack(const ImpedanceModel& m) const
    {
        Eigen::VectorXd x(Count());
        int k = 0;
        if (fitRe)
            x[k++] = std::log(m.re);
        for (double v : {m.fs, m.qms, m.qes, m.le})
            x[k++] = std::log(v);
        if (lossy) {
            x[k++] = std::log(m.l2);
            x[k++] = std::log(m.r2);
        }
        return x;
    }
    ImpedanceModel Unpack(const Eigen::VectorXd& x, const ImpedanceModel& fixed) const
    {
        ImpedanceModel m = fixed;
        int k = 0;
        if (fitRe)
            m.re = std::exp(x[k++]);
        for (double* v : {&m.fs, &m.qms, &m.qes, &m.le})
            *v = std::exp(x[k++]);
        if (lossy) {
            m.l2 = std::exp(x[k++]);
            m.r2 = std::exp(x[k++]);
        }
        return m;
    }
};

struct Residuals : Eigen::DenseFunctor<double> {
    const Points& points;
    Packing packing;
    ImpedanceModel fixed;

    Residuals(const Points& p, Packing k, const ImpedanceModel& f)
        : DenseFunctor<double>(k.Count(), static_cast<int>(p.hz.size() * (p.phase ? 2 : 1))),
          points(p), packing(k), fixed(f)
    {
    }

    int operator()(const InputType& x, ValueType& r) const
    {
        const ImpedanceModel m = packing.Unpack(x, fixed);
        for (std::size_t i = 0; i < points.hz.size(); ++i) {
            const std::complex<double> z = m.At(points.hz[i]);
            const double scale = points.magnitude[i];
            if (points.phase) {
                r[2 * i] = (z.real() - points.z[i].real()) / scale;
                r[2 * i + 1] = (z.imag() - points.z[i].imag()) / scale;
            } else {
                r[i] = (std::abs(z) - scale) / scale;
            }
        }
        return 0;
    }
};

double RmsPercent(const Points& p, const ImpedanceModel& m, std::size_t from = 0,
                  std::size_t to = static_cast<std::size_t>(-1))
{
    to = std::min(to, p.hz.size());
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += std::pow(Misfit(p, i, m.At(p.hz[i])), 2);
    return to > from ? 100 * std::sqrt(sum / static_cast<double>(to - from)) : 0;
}

ImpedanceModel Solve(const Points& p, Packing packing, const ImpedanceModel& start)
{
    Residuals residuals(p, packing, start);
    Eigen::NumericalDiff<Residuals> withJacobian(residuals);
    Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Residuals>> solver(withJacobian);
    solver.setMaxfev(100);
    Eigen::VectorXd x = packing.Pack(start);
    solver.minimize(x);
    const ImpedanceModel found = packing.Unpack(x, start);
    const bool sound = std::isfinite(found.re) && std::isfinite(found.fs) &&
                       std::isfinite(found.qms) && std::isfinite(found.qes) &&
                       std::isfinite(found.le) && std::isfinite(found.l2) &&
                       std::isfinite(found.r2);
    return sound ? found : start;
}

std::string Frequency(double hz)
{
    char text[32];
    if (hz >= 1000)
        std::snprintf(text, sizeof text, "%.2g kHz", hz / 1000);
    else
        std::snprintf(text, sizeof text, "%.3g Hz", hz);
    return text;
}

std::string Percent(double p)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2g %%", p);
    return text;
}

// One sentence on how far the model can be trusted: all of the range, up to where it departs,
// or not at all.
std::string Judgement(const Points& p, const ImpedanceModel& m, double rms)
{
    if (rms <= kGoodFitPercent)
        return "A good fit: the model follows the measurement within " + Percent(rms) + " RMS.";
    // The highest frequency up to which the model still fits well, from an octave above f(s).
    std::size_t upTo = 0;
    for (std::size_t i = 1; i <= p.hz.size(); ++i) {
        if (RmsPercent(p, m, 0, i) <= kGoodFitPercent)
            upTo = i;
    }
    if (upTo > 0 && p.hz[upTo - 1] >= 2 * m.fs)
        return "The model does not describe this driver above " + Frequency(p.hz[upTo - 1]) + " (" +
               Percent(rms) + " RMS error over the range); fit below it.";
    return "A poor fit (" + Percent(rms) +
           " RMS error): check the range, R(e) and that the file is a driver's impedance.";
}

std::string Amount(double v, const char* unit)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.4g %s", v, unit);
    return text;
}

} // namespace

std::complex<double> ImpedanceModel::At(double hz) const
{
    const double w = kTwoPi * hz;
    const std::complex<double> jw(0, w);
    std::complex<double> z = re + jw * le;
    if (l2 > 0 && r2 > 0)
        z += jw * l2 * r2 / (r2 + jw * l2);
    const double res = re * qms / qes; // the motional resistance at resonance
    z += res / std::complex<double>(1, qms * (hz / fs - fs / hz));
    return z;
}

std::optional<std::string> FitImpedance(const MeasuredCurve& zma, const FitRange& range,
                                        ImpedanceFit& out)
{
    const Points p = InRange(zma, range);
    if (p.hz.size() < 8)
        return "The range holds " + std::to_string(p.hz.size()) +
               " points of the impedance; a fit needs at least 8.";

    // Three-point start: R(e), Z(max) at resonance and the two frequencies where |Z| is the
    // geometric mean of the two. The resonance is the peak that stands highest above the lowest
    // points on both sides of it, so that the voice coil's rise at the top is never taken for it.
    const std::size_t n = p.hz.size();
    std::vector<double> lowestBelow(n), lowestAbove(n);
    for (std::size_t i = 0; i < n; ++i) {
        lowestBelow[i] = std::min(p.magnitude[i], i > 0 ? lowestBelow[i - 1] : HUGE_VAL);
        lowestAbove[n - 1 - i] =
            std::min(p.magnitude[n - 1 - i], i > 0 ? lowestAbove[n - i] : HUGE_VAL);
    }
    std::size_t top = 0;
    double prominence = 0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double above = p.magnitude[i] / std::max(lowestBelow[i - 1], lowestAbove[i + 1]);
        if (above > prominence) {
            prominence = above;
            top = i;
        }
    }
    ImpedanceModel start;
    start.re = range.re > 0 ? range.re : lowestBelow[n - 1];
    if (!(start.re > 0))
        return std::string("The impedance falls to 0 Ohms; it is no driver's impedance.");
    const double ratio = p.magnitude[top] / start.re;
    if (prominence < 1.2 || ratio < 1.2)
        return "The impedance has no resonance peak between " + Frequency(p.hz.front()) + " and " +
               Frequency(p.hz.back()) + ".";
    const double level = start.re * std::sqrt(ratio);
    // Where |Z| crosses level between points i and j, on a logarithmic frequency axis.
    const auto crossing = [&](std::size_t i, std::size_t j) {
        const double t = (level - p.magnitude[i]) / (p.magnitude[j] - p.magnitude[i]);
        return std::exp(std::log(p.hz[i]) + t * (std::log(p.hz[j]) - std::log(p.hz[i])));
    };
    std::size_t lo = top, hi = top;
    while (lo > 0 && p.magnitude[lo] > level)
        --lo;
    while (hi + 1 < p.hz.size() && p.magnitude[hi] > level)
        ++hi;
    if (p.magnitude[lo] > level || p.magnitude[hi] > level)
        return "The resonance peak is not whole between " + Frequency(p.hz.front()) + " and " +
               Frequency(p.hz.back()) + "; widen the range.";
    const double f1 = crossing(lo, lo + 1), f2 = crossing(hi, hi - 1);
    start.fs = std::sqrt(f1 * f2);
    start.qms = start.fs * std::sqrt(ratio) / (f2 - f1);
    start.qes = start.qms / (ratio - 1);
    // L(e) from the rise at the top of the range.
    const double wTop = kTwoPi * p.hz.back();
    start.le = std::max(
        std::sqrt(std::max(std::pow(p.magnitude.back(), 2) - std::pow(start.re, 2), 0.0)) / wTop,
        1e-6);

    // First without the lossy part, then with it starting from there; the better one stands.
    const ImpedanceModel plain = Solve(p, {range.re <= 0, false}, start);
    ImpedanceModel lossyStart = plain;
    lossyStart.le = plain.le / 2;
    lossyStart.l2 = plain.le;
    lossyStart.r2 = wTop / 4 * plain.le;
    const ImpedanceModel lossy = Solve(p, {range.re <= 0, true}, lossyStart);
    const double plainRms = RmsPercent(p, plain), lossyRms = RmsPercent(p, lossy);

    // The lossy part must earn its two parameters: a plain coil fits noise as well with them.
    const bool useLossy = lossyRms < 0.8 * plainRms && plainRms - lossyRms > 0.1;
    ImpedanceFit fit;
    fit.model = useLossy ? lossy : plain;
    fit.rmsErrorPercent = useLossy ? lossyRms : plainRms;
    fit.usedPhase = p.phase;
    fit.judgement = Judgement(p, fit.model, fit.rmsErrorPercent);
    out = std::move(fit);
    return std::nullopt;
}

std::optional<std::string> FitDriver(const DriverFitRequest& request, DriverFit& out)
{
    DriverFit fit;
    if (const auto error = FitImpedance(request.freeAir, request.range, fit.freeAir))
        return "Free air: " + *error;
    const ImpedanceModel& free = fit.freeAir.model;
    if (request.method != SecondMeasurement::None) {
        // The same coil: the second curve is fitted with the free-air R(e).
        FitRange range = request.range;
        range.re = free.re;
        ImpedanceFit second;
        if (const auto error = FitImpedance(request.second, range, second))
            return "Second measurement: " + *error;
        const double fs2 = second.model.fs;
        double cms = 0; // m/N
        if (request.method == SecondMeasurement::AddedMass) {
            if (!(request.addedMassGrams > 0))
                return std::string("The added mass must be more than 0 g.");
            if (!(fs2 < free.fs))
                return "With the added mass the resonance (" + Amount(fs2, "Hz") +
                       ") must lie below the free-air one (" + Amount(free.fs, "Hz") + ").";
            // Added mass: the resonance falls as the square root of the moving mass.
            fit.mmsGrams = request.addedMassGrams / (std::pow(free.fs / fs2, 2) - 1);
            cms = 1000 / (std::pow(kTwoPi * free.fs, 2) * fit.mmsGrams);
            fit.vasLiters =
                kAirDensity * kSoundSpeed * kSoundSpeed * std::pow(request.sdSqM, 2) * cms * 1000;
        } else {
            if (!(request.boxLiters > 0))
                return std::string("The box volume must be more than 0 liters.");
            // Closed box: the box's air stiffens the suspension, raising f and Q(e) alike.
            fit.vasLiters = request.boxLiters * (fs2 * second.model.qes / (free.fs * free.qes) - 1);
            if (!(fs2 > free.fs) || !(fit.vasLiters > 0))
                return "In the box the resonance (" + Amount(fs2, "Hz") + ", Q(es) " +
                       Amount(second.model.qes, "") + ") must lie above the free-air one (" +
                       Amount(free.fs, "Hz") + ", Q(es) " + Amount(free.qes, "") + ").";
            if (request.sdSqM > 0) {
                cms = fit.vasLiters / 1000 /
                      (kAirDensity * kSoundSpeed * kSoundSpeed * std::pow(request.sdSqM, 2));
                fit.mmsGrams = 1000 / (std::pow(kTwoPi * free.fs, 2) * cms);
            }
        }
        fit.cmsMmPerN = cms * 1000;
        if (fit.mmsGrams > 0) {
            const double mms = fit.mmsGrams / 1000;
            fit.bl = std::sqrt(kTwoPi * free.fs * mms * free.re / free.qes);
            fit.rms = kTwoPi * free.fs * mms / free.qms;
        }
        if (fit.vasLiters > 0) // the reference efficiency as the derived-value rule has it
            fit.eta0 = 2.7e-6 * std::pow(free.fs, 3) * LitersToCuFt(fit.vasLiters) / free.qes;
        fit.second = std::move(second);
    }
    out = std::move(fit);
    return std::nullopt;
}

void ApplyDriverFit(const DriverFitRequest& request, const DriverFit& fit, DriverParams& d)
{
    const ImpedanceModel& m = fit.freeAir.model;
    // A measurement is good to a few digits; the driver keeps four, as a data sheet would.
    d.re = Round4(m.re);
    d.fs = Round4(m.fs);
    d.qms = Round4(m.qms);
    d.qes = Round4(m.qes);
    d.qts = Round4(m.Qts());
    d.le = Round4(m.le * 1000);
    d.zMax = Round4(std::abs(m.At(m.fs)));
    d.description += "\r\nNOTE: f(s), Q(ms), Q(es), Q(ts), R(e) and L(e) were fitted from the "
                     "measured impedance \"" +
                     request.freeAir.name + "\".";
    if (!fit.second)
        return;
    if (request.sdSqM > 0) {
        d.sdSqM = request.sdSqM;
        d.sdSqIn = SqMToSqIn(request.sdSqM);
    }
    std::string found;
    for (const auto& [value, field, label] :
         {std::tuple{fit.vasLiters, &DriverParams::vasLiters, "V(as)"},
          std::tuple{fit.mmsGrams, &DriverParams::mms, "M(ms)"},
          std::tuple{fit.cmsMmPerN, &DriverParams::cms, "C(ms)"},
          std::tuple{fit.bl, &DriverParams::bl, "BL"},
          std::tuple{fit.rms, &DriverParams::rms, "R(ms)"}}) {
        if (value > 0) {
            d.*field = Round4(value);
            found += std::string(found.empty() ? "" : ", ") + label;
        }
    }
    if (fit.vasLiters > 0) {
        d.vasCuFt = Round4(LitersToCuFt(fit.vasLiters));
        d.eta0 = Round3(fit.eta0);
        d.spl = Round3(10 * std::log10(fit.eta0 / 100) + 112.1);
        found += " and the efficiency";
    }
    const std::string how = request.method == SecondMeasurement::AddedMass
                                ? "an added mass of " + Amount(request.addedMassGrams, "g")
                                : "a closed box of " + Amount(request.boxLiters, "liters");
    d.description += "\r\nNOTE: " + found + " were found with " + how + " (measured impedance \"" +
                     request.second.name + "\").";
}

} // namespace cw::measure
