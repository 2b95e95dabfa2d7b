#include "engine/Limits.h"

#include "engine/CalculateResponse.h"
#include "engine/Design.h"
#include "engine/Environment.h"
#include "engine/ResponseModels.h"
#include "engine/WorkingValues.h"
#include "model/CompleteDriver.h"
#include "model/NumberFormat.h"
#include "model/SoundLevel.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace cw::engine
{

namespace
{

constexpr double kTwoPi = 6.283185307;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kNone = std::numeric_limits<double>::infinity(); // a limit that takes no part

// The vented chamber of a box type: its tuning, its losses and the vent's area.
struct VentChamber {
    double fv = 0;        // Hz, tuning; 0 when not given
    double inverseQl = 0; // 1 / leakage Q
    double inverseQa = 0; // 1 / absorption Q; 0 where the model has none
    double areaSqM = 0;   // square metres, all vents of the box together
    bool present = false; // the box type has a vent
};

VentChamber VentOf(const CSpkSys& s)
{
    VentChamber v;
    const auto common = [&v](const BandpassCommon& b, double ql) {
        v = {b.fb2, 1 / ql, 0, b.svSqM, true};
    };
    switch (s.boxType()) {
    case BoxType::Vented4:
        v = {s.vented4.fb, 1 / s.vented4.qb, 0, s.vented4.svSqM, true};
        break;
    case BoxType::Bandpass4:
        common(s.bandpass4, s.bandpass4.ql2);
        v.inverseQa = 1 / s.bandpass4.qa2;
        break;
    case BoxType::Bandpass5:
        common(s.bandpass5, s.bandpass5.qb2);
        break;
    case BoxType::Bandpass6:
        common(s.bandpass6, s.bandpass6.qb2);
        break;
    default:
        break;
    }
    return v;
}

// The vent's share of the cone's volume velocity in the models' vented chamber (compliance,
// leakage in parallel, absorption in series with the compliance, vent mass tuned to f(v)):
// U(vent) / U(cone) = (1 + j r / Q(a)) / (1 - r²(1 + 1 / (Q(a) Q(l))) + j r (1 / Q(l) + 1 / Q(a))),
// r = f / f(v). The models' excursion carries the same denominator. Its square, from r.
double VentShareSquared(const VentChamber& v, double r)
{
    const double nr = 1 - r * r * (1 + v.inverseQa * v.inverseQl);
    const double ni = r * (v.inverseQl + v.inverseQa);
    const double num = r * v.inverseQa;
    return (1 + num * num) / (nr * nr + ni * ni);
}

std::string Hz(double f)
{
    return FormatPrinted(f < 10 ? "%.1f" : "%.0f", f);
}

const char* LimitWords(Limit limit)
{
    switch (limit) {
    case Limit::Thermal:
        return "the voice coil";
    case Limit::Excursion:
        return "excursion";
    case Limit::Vent:
        return "the vent";
    case Limit::Radiator:
        return "the passive radiators";
    case Limit::None:
        break;
    }
    return "nothing";
}

std::vector<LimitBand> FindBands(const Limits& l)
{
    std::vector<LimitBand> bands;
    for (std::size_t i = 0; i < l.binding.size(); ++i) {
        if (bands.empty() || bands.back().limit != l.binding[i]) {
            if (!bands.empty())
                bands.back().highHz = l.frequencies[i];
            bands.push_back({l.binding[i], l.frequencies[i], l.frequencies[i]});
        } else {
            bands.back().highHz = l.frequencies[i];
        }
    }
    return bands;
}

// "Excursion limits below 31 Hz, the vent from 31 to 48 Hz, the voice coil above 48 Hz."
std::string DescribeBands(const std::vector<LimitBand>& bands)
{
    std::string text;
    for (std::size_t k = 0; k < bands.size(); ++k) {
        const LimitBand& b = bands[k];
        text += k == 0 ? "" : ", ";
        text += LimitWords(b.limit);
        if (k == 0)
            text += " limits";
        if (bands.size() == 1)
            text += " at every frequency from " + Hz(b.lowHz) + " to " + Hz(b.highHz) + " Hz";
        else if (k == 0)
            text += " below " + Hz(b.highHz) + " Hz";
        else if (k + 1 == bands.size())
            text += " above " + Hz(b.lowHz) + " Hz";
        else
            text += " from " + Hz(b.lowHz) + " to " + Hz(b.highHz) + " Hz";
    }
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

// Why the record allows no limits; nothing when it allows them.
std::optional<std::string> WhyNoLimits(const CSpkSys& s)
{
    if (s.storedPoints() == 0)
        return "There is no response to find the limits on; calculate the response first.";
    if (s.driver.fs == 0)
        return "There is no driver loaded, so there are no limits.";
    if (s.driverCount < 1 || s.isobaricFactor < 1)
        return "The number of drivers and the isobaric factor must be at least 1, so there are no "
               "limits.";
    if (const std::optional<std::string> problem = UnusableDesignValue(s))
        return *problem + ", so there are no limits.";
    if (s.boxType() == BoxType::None || !IsDesigned(s))
        return "The box is not designed, so there are no limits.";
    if (s.modelEnclosure != 1)
        return "The enclosure model is switched off, so there are no limits.";
    if (!(s.inputPower > 0) || !std::isfinite(s.inputPower))
        return "An input power P(in) of " + FormatNumber(s.inputPower) +
               " W gives no drive level, so there are no limits.";
    return std::nullopt;
}

// The sentence's second part: which limits take no part, and why.
std::string DescribeMissing(bool excursion, bool thermal, const VentChamber& vent,
                            bool ventTakesPart)
{
    if (!excursion && !thermal && !ventTakesPart) {
        const char* ventText = vent.present ? ", and the vent has no area S(v) or tuning F(B)."
                                            : ", and the box has no vent.";
        return std::string("There is no maximum: the driver gives no X(max) and no P(t)") +
               ventText;
    }
    std::string text;
    if (!excursion)
        text += " The driver gives no X(max), so excursion takes no part.";
    if (!thermal)
        text += " The driver gives no P(t), so the voice coil takes no part.";
    if (vent.present && !ventTakesPart)
        text += " The vent has no area S(v) or tuning F(B), so it takes no part.";
    return text;
}

} // namespace

const char* LimitName(Limit limit)
{
    switch (limit) {
    case Limit::Thermal:
        return "thermal";
    case Limit::Excursion:
        return "excursion";
    case Limit::Vent:
        return "vent";
    case Limit::Radiator:
        return "radiator";
    case Limit::None:
        break;
    }
    return "";
}

Limits CalculateLimits(const CSpkSys& s, double ventVelocityLimit)
{
    Limits l;
    if (const std::optional<std::string> why = WhyNoLimits(s)) {
        l.sentence = *why;
        return l;
    }

    // The record's own SPL and excursion when it holds both; otherwise the response again, on a
    // copy, with both whatever the display showed.
    WorkingValues w = MakeWorkingValues(s);
    ApplySeriesResistance(w, s);
    std::optional<CSpkSys> again;
    const bool radiatorBox = s.boxType() == BoxType::Radiator;
    if (s.hasSpl != 1 || s.hasExcursion != 1 || !(s.driver.sdSqM > 0) || s.driver.spl == 0 ||
        (radiatorBox && s.hasRadiator != 1)) {
        again.emplace(s);
        CompleteDriver::CompleteSensitivity(again->driver, again->isobaricFactor);
        DisplaySwitches show;
        show.showSpl = 1;
        show.showExcursion = 1;
        RunResponse(*again, w, show);
        if (again->modelDiffraction == 1)
            ApplyDiffractionLoss(*again);
        if (again->modelAutoCabin == 1)
            ApplyAutoCabin(*again);
    }
    const CSpkSys& c = again ? *again : s;

    const double pin = c.inputPower;
    const double level = c.driver.spl != 0 ? SoundLevelOffset(c) : kNaN;
    const double xMax = c.driver.xMax;
    // P(in) is shared by the N x I drivers, as in the models and the sound level, and the series
    // resistor takes its own share of it; P(t) is what one voice coil takes.
    const double thermal =
        c.driver.pt > 0 ? c.driver.pt * c.driverCount * c.isobaricFactor * pin / w.p : kNone;
    const VentChamber vent = VentOf(c);
    const bool ventTakesPart =
        vent.present && vent.fv > 0 && vent.areaSqM > 0 && ventVelocityLimit > 0;

    // Excursion and air velocity grow with the square root of the power: a limit L on a value v
    // at P(in) allows P(in) (L / v)². Constants first, so that each point divides little.
    const double excursionPower = xMax > 0 ? pin * xMax * xMax : 0;
    const double ventPower = ventTakesPart ? pin * ventVelocityLimit * ventVelocityLimit : 0;
    // The vent's peak velocity per (Hz x mm of cone excursion x vent share), all drivers together.
    const double ventScale =
        ventTakesPart ? kTwoPi * c.driver.sdSqM / 1000 * c.driverCount / vent.areaSqM : 0;
    const double inverseFv = ventTakesPart ? 1 / vent.fv : 0;
    // The passive radiators' excursion grows with the power as the cone's does.
    const double radiatorXmax = radiatorBox ? c.radiator.prXmaxMm : 0;
    const bool radiatorTakesPart = radiatorXmax > 0 && c.hasRadiator == 1;
    const double radiatorPower = radiatorTakesPart ? pin * radiatorXmax * radiatorXmax : 0;
    const double inversePin = 1 / pin;
    const double thermalGain = 10 * std::log10(thermal * inversePin); // dB above P(in)

    const int n = c.storedPoints();
    for (std::vector<double>* curve :
         {&l.frequencies, &l.maxSpl, &l.maxPower, &l.excursion, &l.ventVelocity})
        curve->reserve(n);
    l.binding.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double f = c.frequencies[i];
        const double x = c.excursionCurve[i]; // mm peak
        const bool moving = x > 0 && std::isfinite(x);
        Limit binding = thermal != kNone ? Limit::Thermal : Limit::None;
        double pMax = thermal;
        if (moving && excursionPower > 0 && excursionPower / (x * x) < pMax) {
            pMax = excursionPower / (x * x);
            binding = Limit::Excursion;
        }
        double velocity = kNaN;
        if (moving && ventTakesPart) {
            const double v = ventScale * f * x;
            const double squared = v * v * VentShareSquared(vent, f * inverseFv);
            velocity = std::sqrt(squared);
            if (ventPower / squared < pMax) {
                pMax = ventPower / squared;
                binding = Limit::Vent;
            }
        }
        const double xr = radiatorTakesPart ? c.radiatorCurve[i] : 0;
        if (xr > 0 && std::isfinite(xr) && radiatorPower / (xr * xr) < pMax) {
            pMax = radiatorPower / (xr * xr);
            binding = Limit::Radiator;
        }
        if (binding == Limit::None)
            pMax = kNaN;
        const double gain =
            binding == Limit::Thermal ? thermalGain : 10 * std::log10(pMax * inversePin);
        const double spl = c.splCurve[i] + level + gain;

        l.frequencies.push_back(f);
        l.excursion.push_back(std::isfinite(x) ? x : kNaN);
        l.ventVelocity.push_back(std::isfinite(velocity) ? velocity : kNaN);
        l.maxPower.push_back(pMax);
        l.maxSpl.push_back(std::isfinite(spl) ? spl : kNaN);
        l.binding.push_back(binding);
    }

    l.bands = FindBands(l);
    const bool anyLimit = xMax > 0 || thermal != kNone || ventTakesPart || radiatorTakesPart;
    std::string missing = DescribeMissing(xMax > 0, thermal != kNone, vent, ventTakesPart);
    if (radiatorBox && !radiatorTakesPart)
        missing += " The passive radiators give no X(max), so they take no part.";
    l.sentence = anyLimit ? DescribeBands(l.bands) + missing : missing;
    if (anyLimit && !std::isfinite(level))
        l.sentence += " The driver's sensitivity is not known, so there is no maximum SPL.";
    return l;
}

} // namespace cw::engine
