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

    // The block has the closed-box Q and alpha that the volume steps design.
    bool valid() const { return vbLiters != nullptr && qtc != nullptr && alpha != nullptr; }
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
    case BoxQuantity::RadiatorTuning:
        return "F(P)";
    case BoxQuantity::PrFs:
        return "F(S)";
    case BoxQuantity::PrQms:
        return "Q(MS)";
    case BoxQuantity::PrVas:
        return "V(AS)";
    case BoxQuantity::PrSd:
        return "S(D)";
    case BoxQuantity::PrXmax:
        return "X(max)";
    case BoxQuantity::PrCount:
        return "N(P)";
    case BoxQuantity::PrAddedMass:
        return "M(add)";
    case BoxQuantity::MinVentArea:
    case BoxQuantity::Fc:
    case BoxQuantity::Alpha:
    case BoxQuantity::PrMms:
    case BoxQuantity::PrCms:
    case BoxQuantity::Notch:
        break;
    }
    return nullptr;
}

// The vent constant of a chamber: 0.0003696 x Fv² x Vv, with Vv the whole chamber in cubic feet.
double VentConstant(const BoxFields& f)
{
    return 0.0003696 * *f.fv * *f.fv * *f.vvCuFt;
}

constexpr double kRhoC2 = 1.18 * 344.8 * 344.8; // rho c², Pa: air's bulk modulus
constexpr double kTwoPi = 6.283185307;

bool Positive(double v)
{
    return std::isfinite(v) && v > 0;
}

// The radiators' compliance volume over the box's, N(P) V(as) / V(B), when the box and the
// radiators can tune at all; NaN otherwise.
double RadiatorVolumeRatio(const RadiatorBox& b)
{
    const double ratio = b.prCount * b.prVasLiters / b.vbLiters;
    return Positive(b.vbLiters) && Positive(b.prCount) && Positive(ratio) ? ratio : std::nan("");
}

// Stores the radiator's mass, compliance and notch with the tuning or the added mass found.
bool StoreRadiator(RadiatorBox& b, const RadiatorParts& r, double notch)
{
    if (!Positive(notch))
        return false;
    b.fn = Round4(notch);
    b.prMmsG = Round4(r.mms * 1000);
    b.prCmsMmPerN = Round4(r.cms * 1000);
    return true;
}

} // namespace

std::optional<RadiatorParts> RadiatorOf(const RadiatorBox& b)
{
    const double sd = b.prSdSqM;
    RadiatorParts r;
    r.cms = b.prVasLiters / 1000 / (kRhoC2 * sd * sd);
    const double ws = kTwoPi * b.prFs;
    r.mms = 1 / (ws * ws * r.cms);
    r.rms = ws * r.mms / b.prQms;
    if (!Positive(b.prFs) || !Positive(r.cms) || !Positive(r.mms))
        return std::nullopt;
    return r;
}

double RadiatorResonance(const RadiatorParts& r, double massKg)
{
    return 1 / (kTwoPi * std::sqrt(massKg * r.cms));
}

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

bool CalcRadiatorTuning(CSpkSys& s)
{
    if (s.boxType() != BoxType::Radiator)
        return true;
    RadiatorBox& b = s.radiator;
    const std::optional<RadiatorParts> r = RadiatorOf(b);
    const double ratio = RadiatorVolumeRatio(b);
    if (!r || !std::isfinite(ratio) || !(b.prAddedMassG >= 0))
        return false;
    // F(P) = F(N) x sqrt(1 + N(P) V(as) / V(B)): the radiators' mass against the box's and
    // their own suspension's stiffness together.
    const double notch = RadiatorResonance(*r, r->mms + b.prAddedMassG / 1000);
    const double tuning = Round4(notch * std::sqrt(1 + ratio));
    if (!Positive(tuning) || !StoreRadiator(b, *r, notch))
        return false;
    b.fp = tuning;
    return true;
}

bool CalcAddedMass(CSpkSys& s)
{
    if (s.boxType() != BoxType::Radiator)
        return true;
    RadiatorBox& b = s.radiator;
    const std::optional<RadiatorParts> r = RadiatorOf(b);
    const double ratio = RadiatorVolumeRatio(b);
    if (!r || !std::isfinite(ratio) || !Positive(b.fp))
        return false;
    const double notch = b.fp / std::sqrt(1 + ratio);
    const double wn = kTwoPi * notch;
    double added = 1 / (wn * wn * r->cms) - r->mms; // kg
    // The tuning without added mass, shown at four digits and typed back, is that tuning and not
    // a negative mass of a few milligrams: four digits are within 1 in 2000, the mass goes with
    // the tuning's square.
    if (added < 0 && added > -1e-3 * r->mms)
        added = 0;
    if (!(added >= 0) || !std::isfinite(added) || !StoreRadiator(b, *r, notch))
        return false;
    b.prAddedMassG = Round4(added * 1000);
    return true;
}

} // namespace cw::engine
