#include "engine/Design.h"

#include "model/BoxTable.h"
#include "model/CompleteDriver.h"
#include "model/Units.h"

#include <cmath>
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

BoxFields FieldsOf(CSpkSys& s)
{
    BoxFields f;
    const BoxDescription* box = DescribeBox(s.boxType());
    if (box == nullptr)
        return f;
    auto copy = [&](BoxQuantity q, bool metric) -> double* {
        const BoxField* field = box->Find(q);
        if (field == nullptr)
            return nullptr;
        return metric ? &field->metric(s) : &field->english(s);
    };
    f.vbLiters = copy(BoxQuantity::Volume, true);
    f.vbCuFt = copy(BoxQuantity::Volume, false);
    f.qtc = copy(BoxQuantity::Qtc, true);
    f.fc = copy(BoxQuantity::Fc, true);
    f.alpha = copy(BoxQuantity::Alpha, true);
    f.fv = copy(BoxQuantity::Tuning, true);
    if (const BoxField* chamber = box->VentedChamber())
        f.vvCuFt = &chamber->english(s);
    f.svMinSqM = copy(BoxQuantity::MinVentArea, true);
    f.svMinSqIn = copy(BoxQuantity::MinVentArea, false);
    f.svSqM = copy(BoxQuantity::VentArea, true);
    f.svSqIn = copy(BoxQuantity::VentArea, false);
    f.lvM = copy(BoxQuantity::VentLength, true);
    f.lvIn = copy(BoxQuantity::VentLength, false);
    return f;
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

// The symbol of a block value the user gives, as the panels and the report write it; null for
// the values only the steps derive (f(c), alpha, S(vMin)).
const char* GivenValueSymbol(BoxQuantity q, bool bandpass)
{
    switch (q) {
    case BoxQuantity::Volume:
        return bandpass ? "V(B1)" : "V(B)";
    case BoxQuantity::FrontVolume:
        return "V(B2)";
    case BoxQuantity::Tuning:
        return bandpass ? "F(B2)" : "F(B)";
    case BoxQuantity::VentArea:
        return "S(v)";
    case BoxQuantity::VentLength:
        return "L(v)";
    case BoxQuantity::Qtc:
        return "Q(tc)";
    case BoxQuantity::Qb:
        return "Q(B)";
    case BoxQuantity::Ql2:
        return "Q(L2)";
    case BoxQuantity::Qa2:
        return "Q(A2)";
    case BoxQuantity::Qb2:
        return "Q(B2)";
    case BoxQuantity::Wb:
        return "W(B)";
    case BoxQuantity::C1:
        return "C1";
    case BoxQuantity::L1:
        return "L1";
    case BoxQuantity::MinVentArea:
    case BoxQuantity::Fc:
    case BoxQuantity::Alpha:
        break;
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
    const BoxDescription* box = DescribeBox(s.boxType());
    if (box == nullptr)
        return std::nullopt;
    const bool bandpass = box->Find(BoxQuantity::FrontVolume) != nullptr;
    // The accessors need a modifiable record; the record is only read.
    CSpkSys& record = const_cast<CSpkSys&>(s);
    for (const BoxField& f : box->fields) {
        const char* symbol = GivenValueSymbol(f.quantity, bandpass);
        if (symbol && (!std::isfinite(f.metric(record)) ||
                       (f.english != nullptr && !std::isfinite(f.english(record)))))
            return std::string(symbol) + " is too large or not a number";
    }
    return std::nullopt;
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
