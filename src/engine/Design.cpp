#include "engine/Design.h"

#include "model/CompleteDriver.h"
#include "model/Units.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace cw::engine
{

namespace
{

// The fields of the current box type's block that the design steps read and write. Closed boxes
// have no vent, the vented and bandpass boxes no f(c); those pointers stay null.
struct BoxFields {
    double* vbLiters = nullptr; // V(B), or V(B1) of a bandpass box
    double* vbCuFt = nullptr;
    double* qtc = nullptr;
    double* fc = nullptr;
    double* alpha = nullptr;
    double* fv = nullptr;     // F(B) or F(B2)
    double* vvCuFt = nullptr; // the vented chamber: V(B) or V(B2), cubic feet
    double* svMinSqM = nullptr;
    double* svMinSqIn = nullptr;
    double* svSqM = nullptr;
    double* svSqIn = nullptr;
    double* lvM = nullptr;
    double* lvIn = nullptr;

    bool valid() const { return vbLiters != nullptr; }
    bool vented() const { return fv != nullptr; }
};

template <class Closed> BoxFields ClosedFields(Closed& b)
{
    BoxFields f;
    f.vbLiters = &b.vbLiters;
    f.vbCuFt = &b.vbCuFt;
    f.qtc = &b.qtc;
    f.fc = &b.fc;
    f.alpha = &b.alpha;
    return f;
}

template <class Vented> void VentFields(BoxFields& f, Vented& b)
{
    f.svMinSqM = &b.svMinSqM;
    f.svMinSqIn = &b.svMinSqIn;
    f.svSqM = &b.svSqM;
    f.svSqIn = &b.svSqIn;
    f.lvM = &b.lvM;
    f.lvIn = &b.lvIn;
    f.qtc = &b.qtc;
    f.alpha = &b.alpha;
}

BoxFields BandpassFields(BandpassCommon& b)
{
    BoxFields f;
    f.vbLiters = &b.vb1Liters;
    f.vbCuFt = &b.vb1CuFt;
    f.fv = &b.fb2;
    f.vvCuFt = &b.vb2CuFt;
    VentFields(f, b);
    return f;
}

BoxFields FieldsOf(CSpkSys& s)
{
    switch (s.boxType()) {
    case BoxType::Closed2:
        return ClosedFields(s.closed2);
    case BoxType::Closed3:
        return ClosedFields(s.closed3);
    case BoxType::Vented4: {
        BoxFields f;
        f.vbLiters = &s.vented4.vbLiters;
        f.vbCuFt = &s.vented4.vbCuFt;
        f.fv = &s.vented4.fb;
        f.vvCuFt = &s.vented4.vbCuFt;
        VentFields(f, s.vented4);
        return f;
    }
    case BoxType::Bandpass4:
        return BandpassFields(s.bandpass4);
    case BoxType::Bandpass5:
        return BandpassFields(s.bandpass5);
    case BoxType::Bandpass6:
        return BandpassFields(s.bandpass6);
    case BoxType::None:
        break;
    }
    return {};
}

// Writes value into field when it is a usable result.
bool Store(double* field, double value)
{
    if (!std::isfinite(value))
        return false;
    *field = value;
    return true;
}

// Vper, the volume per driver in liters; NaN for a volume that is not positive or not finite or
// a driver count below 1, which no formula can use (0 would divide by zero, a negative volume
// gives a meaningless Q, an infinite one the driver's own Q, and no drivers would make Q(tc)
// equal Q(ts) whatever the box).
double VolumePerDriver(const CSpkSys& s, const BoxFields& f)
{
    const double vper = *f.vbLiters / s.driverCount;
    return s.driverCount >= 1 && vper > 0 && std::isfinite(vper) ? vper : std::nan("");
}

// A driver value the steps read: 0 stands for "not given" and the formulas cope with it, but a
// negative or non-finite f(s), Q(ts) or V(as) would design a box of negative or no volume.
bool DriverValueUsable(double v)
{
    return std::isfinite(v) && v >= 0;
}

// Veff, or NaN when the driver's V(as) is unusable.
double UsableVeff(CSpkSys& s)
{
    const double veff = EffectiveVasLiters(s);
    return DriverValueUsable(s.driver.vasLiters) && DriverValueUsable(veff) ? veff : std::nan("");
}

// sqrt(Veff / Vper + 1): the factor by which the box raises the driver's Q and resonance.
double BoxFactor(CSpkSys& s, const BoxFields& f)
{
    return std::sqrt(UsableVeff(s) / VolumePerDriver(s, f) + 1);
}

// The symbol the panels give a block value the user enters, by the block's field name; null for
// the values only the steps derive (f(c), alpha, S(vMin)).
const char* GivenValueSymbol(std::string_view field)
{
    static constexpr std::pair<std::string_view, const char*> kSymbols[] = {
        {"vbLiters", "V(B)"},   {"vbCuFt", "V(B)"},   {"vb1Liters", "V(B1)"}, {"vb1CuFt", "V(B1)"},
        {"vb2Liters", "V(B2)"}, {"vb2CuFt", "V(B2)"}, {"qtc", "Q(tc)"},       {"fb", "F(B)"},
        {"fb2", "F(B2)"},       {"svSqM", "S(v)"},    {"svSqIn", "S(v)"},     {"lvM", "L(v)"},
        {"lvIn", "L(v)"},       {"qb", "Q(B)"},       {"ql2", "Q(L2)"},       {"qa2", "Q(A2)"},
        {"qb2", "Q(B2)"},       {"wb", "W(B)"},       {"c1", "C1"},           {"l1", "L1"}};
    for (const auto& [name, symbol] : kSymbols) {
        if (name == field)
            return symbol;
    }
    return nullptr;
}

// The vent constant of a chamber: 0.0003696 x Fv² x Vv, with Vv the whole chamber in cubic feet.
double VentConstant(const BoxFields& f)
{
    return 0.0003696 * *f.fv * *f.fv * *f.vvCuFt;
}

} // namespace

double EffectiveVasLiters(CSpkSys& s)
{
    CompleteDriver::FillVasLiters(s.driver);
    return s.driver.vasLiters / s.isobaricFactor;
}

std::optional<std::string> UnusableDesignValue(const CSpkSys& s)
{
    const DriverParams& d = s.driver;
    // A NaN in liters counts as not given: the steps fill it from the cubic feet.
    const double vasLiters = CompleteDriver::IsUnset(d.vasLiters) ? 0 : d.vasLiters;
    for (const auto& [value, symbol] :
         {std::pair{d.fs, "f(s)"}, std::pair{d.qts, "Q(ts)"}, std::pair{vasLiters, "V(as)"},
          std::pair{d.vasCuFt, "V(as)"}}) {
        if (!DriverValueUsable(value))
            return std::string("The driver's ") + symbol +
                   " is negative, too large or not a number";
    }
    std::optional<std::string> problem;
    VisitDesignBlock(s, [&](std::string_view name, double value) {
        const char* symbol = GivenValueSymbol(name);
        if (!problem && symbol && !std::isfinite(value))
            problem = std::string(symbol) + " is too large or not a number";
    });
    return problem;
}

bool CalcQtc(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (!f.valid())
        return true;
    if (!DriverValueUsable(s.driver.qts))
        return false;
    return Store(f.qtc, Round4(s.driver.qts * BoxFactor(s, f)));
}

bool CalcFc(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (f.fc == nullptr)
        return true;
    if (!DriverValueUsable(s.driver.fs))
        return false;
    return Store(f.fc, Round4(s.driver.fs * BoxFactor(s, f)));
}

bool CalcAlpha(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (!f.valid())
        return true;
    return Store(f.alpha, Round4(UsableVeff(s) / VolumePerDriver(s, f)));
}

bool CalcBoxVolume(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (!f.valid())
        return true;
    if (!DriverValueUsable(s.driver.qts))
        return false;
    const double r = *f.qtc / s.driver.qts;
    const double v = UsableVeff(s) / (r * r - 1); // per driver
    const double total = s.driverCount * v;
    // A Q(tc) at or below Q(ts) has no volume: infinite, negative or NaN.
    if (!std::isfinite(total) || !(total > 0))
        return false;
    *f.vbLiters = Round4(total);
    *f.vbCuFt = LitersToCuFt(total);
    return true;
}

bool EstimateDriverAndVent(CSpkSys& s)
{
    DriverParams& d = s.driver;
    CompleteDriver::EstimateDriver(d);
    const BoxFields f = FieldsOf(s);
    if (!f.vented())
        return true;
    // Peak displacement in cubic metres; vd itself is not changed.
    const double vdCubicM = d.vd != 0 ? d.vd / 1000 : d.xMax / 1000 * d.sdSqM;
    const double area = 0.8 * vdCubicM * s.driverCount * *f.fv; // square metres
    if (!std::isfinite(area))
        return false;
    *f.svMinSqM = Round3(area);
    *f.svMinSqIn = Round3(SqMToSqIn(area));
    return true;
}

bool CalcVentLength(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (!f.vented())
        return true;
    const double k = VentConstant(f);
    const double area = *f.svSqIn;
    const double length = area / k - 0.824 * std::sqrt(area); // inches
    // An infinite k (a tuning or chamber too large to hold) would leave the end correction alone.
    if (!std::isfinite(k) || !std::isfinite(length))
        return false;
    *f.lvIn = Round4(length);
    *f.lvM = InchesToMetres(length);
    return true;
}

bool CalcVentArea(CSpkSys& s)
{
    const BoxFields f = FieldsOf(s);
    if (!f.vented())
        return true;
    const double k = VentConstant(f);
    const double m = 0.824 * k;
    const double kl = k * *f.lvIn;
    // The square of the positive root x of x² - m·x - k·L(v) = 0.
    const double area = (4 * kl + 2 * m * std::sqrt(m * m + 4 * kl) + 2 * m * m) / 4;
    if (!std::isfinite(area))
        return false;
    *f.svSqIn = Round4(area);
    *f.svSqM = SqInToSqM(area);
    return true;
}

} // namespace cw::engine
