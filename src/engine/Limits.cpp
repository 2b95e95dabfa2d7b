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
// r = f / f(v). The models' excursion carries the same denominator.
double VentShare(const VentChamber& v, double f)
{
    const double r = f / v.fv;
    const double nr = 1 - r * r * (1 + v.inverseQa * v.inverseQl);
    const double ni = r * (v.inverseQl + v.inverseQa);
    const double num = r * v.inverseQa;
    return std::sqrt((1 + num * num) / (nr * nr + ni * ni));
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
    if (!excursion && !thermal && !ventTakesPart)
        return std::string("There is no maximum: the driver gives no X(max) and no P(t)") +
               (vent.present ? " and the vent has no area S(v) or tuning F(B)."
                             : ", and the box "
                               "has no vent.");
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

    // The response again, on a copy, with the SPL and the excursion whatever the display shows.
    CSpkSys c = s;
    CompleteDriver::CompleteSensitivity(c.driver, c.isobaricFactor);
    WorkingValues w = MakeWorkingValues(c);
    ApplySeriesResistance(w, c);
    DisplaySwitches show;
    show.showSpl = 1;
    show.showExcursion = 1;
    RunResponse(c, w, show);
    if (c.modelDiffraction == 1)
        ApplyDiffractionLoss(c);
    if (c.modelAutoCabin == 1)
        ApplyAutoCabin(c);

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

    const int n = c.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double f = c.frequencies[i];
        const double x = std::isfinite(c.excursionCurve[i]) ? c.excursionCurve[i] : kNaN;
        double velocity = kNaN;
        if (ventTakesPart) {
            const double cone = kTwoPi * f * c.driver.sdSqM * x / 1000; // m³/s peak, one driver
            velocity = c.driverCount * cone * VentShare(vent, f) / vent.areaSqM;
        }
        // Excursion and air velocity grow with the square root of the power.
        const auto scaled = [pin](double limit, double value) {
            const double p = pin * (limit / value) * (limit / value);
            return limit > 0 && value > 0 && std::isfinite(p) ? p : kNone;
        };
        const double byExcursion = scaled(xMax, x);
        const double byVent = ventTakesPart ? scaled(ventVelocityLimit, velocity) : kNone;

        Limit binding = Limit::None;
        double pMax = kNone;
        for (const auto& [limit, p] :
             {std::pair{Limit::Thermal, thermal}, std::pair{Limit::Excursion, byExcursion},
              std::pair{Limit::Vent, byVent}}) {
            if (p < pMax) {
                pMax = p;
                binding = limit;
            }
        }
        if (binding == Limit::None)
            pMax = kNaN;
        const double spl = c.splCurve[i] + level + 10 * std::log10(pMax / pin);

        l.frequencies.push_back(f);
        l.excursion.push_back(x);
        l.ventVelocity.push_back(std::isfinite(velocity) ? velocity : kNaN);
        l.maxPower.push_back(pMax);
        l.maxSpl.push_back(std::isfinite(spl) ? spl : kNaN);
        l.binding.push_back(binding);
    }

    l.bands = FindBands(l);
    const bool anyLimit = xMax > 0 || thermal != kNone || ventTakesPart;
    const std::string missing = DescribeMissing(xMax > 0, thermal != kNone, vent, ventTakesPart);
    l.sentence = anyLimit ? DescribeBands(l.bands) + missing : missing;
    if (anyLimit && !std::isfinite(level))
        l.sentence += " The driver's sensitivity is not known, so there is no maximum SPL.";
    return l;
}

} // namespace cw::engine
