#include "engine/ResponseModels.h"

#include "engine/Design.h"
#include "model/CompleteDriver.h"

#include <cmath>
#include <complex>
#include <limits>

namespace cw::engine
{

namespace
{

constexpr double kRho = 1.18; // kg/m³, air density
constexpr double kC = 344.8;  // m/s, speed of sound
constexpr double kCuFtToCubicM = 0.028317;
constexpr double kTwoPi = 6.283185307; // models, group delay
constexpr double kTwoPiZ = 6.2831853;  // the impedance's inductive term, degrees
constexpr double kDegrees = 360 / kTwoPiZ;
// The excursion formulas give the rms excursion for P watts; a sine of that power peaks at √2 times
// it, and X(max) is a peak value.
const double kPeak = std::sqrt(2.0);

// The curve kinds one run computes; the record's flags are set to match (common frame).
struct Kinds {
    bool spl = false;
    bool exc = false;
    bool phase = false;
    bool delay = false;
    bool imp = false;
};

Kinds BeginResponse(CSpkSys& s, const DisplaySwitches& show, bool phaseDelayImpedance)
{
    Kinds k;
    k.spl = show.showSpl == 1;
    k.exc = show.showExcursion == 1;
    k.phase = phaseDelayImpedance && show.showPhase == 1;
    k.delay = phaseDelayImpedance && show.showDelay == 1;
    k.imp = phaseDelayImpedance && show.showImpedance == 1;
    s.hasSpl = k.spl;
    s.hasExcursion = k.exc;
    s.hasPhase = k.phase;
    s.hasDelay = k.delay;
    s.hasImpedance = k.imp;
    s.hasRadiator = 0; // only the passive radiator box has radiators
    return k;
}

void EndResponse(CSpkSys& s)
{
    s.responseShown = 1;
}

// Fills what the excursion needs and finds missing: S(D) (with the minimum vent area), V(as) in
// liters and, for the models that ask for it, n(0) from the sensitivity.
void PrepareExcursion(CSpkSys& s, bool efficiencyFromSpl)
{
    if (s.driver.sdSqM == 0)
        EstimateDriverAndVent(s);
    CompleteDriver::FillVasLiters(s.driver);
    if (efficiencyFromSpl)
        CompleteDriver::EfficiencyFromSensitivity(s.driver);
}

// The cone's excursion far below f(s) without a box, mm peak: the scale of the vented-box model's
// excursion.
double FreeAirExcursion(const CSpkSys& s, const WorkingValues& w)
{
    const DriverParams& d = s.driver;
    return std::sqrt(w.p) *
           std::sqrt(d.vasLiters / 1000 * 1.134 / (w.qes * w.fs * d.sdSqM * d.sdSqM)) /
           std::sqrt(w.n * w.i) * kPeak;
}

// Scale of the bandpass excursions before the six-pole model's electrical factor, in mm peak.
double BandpassExcursionScale(const CSpkSys& s, const WorkingValues& w, double ct, double cas)
{
    const DriverParams& d = s.driver;
    const double ws = kTwoPi * w.fs;
    return ct / (ws * ws * d.sdSqM * cas) *
           std::sqrt((d.eta0 / 100) * kTwoPi * kC / (w.n * w.re * w.i * kRho)) *
           std::sqrt(w.p * w.re) * 1000 * kPeak;
}

// The compliances of the driver and of one chamber per driver, in m⁵/N, from cubic feet.
double Compliance(double cubicFeet)
{
    return cubicFeet * kCuFtToCubicM / (kRho * kC * kC);
}

double TuningOr(double hz, double absent)
{
    return hz == 0 ? absent : hz;
}

} // namespace

void VentedBoxResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                       const VentedBoxInputs& in)
{
    const Kinds k = BeginResponse(s, show, true);
    double x0 = 0;
    if (k.exc) {
        PrepareExcursion(s, true);
        x0 = FreeAirExcursion(s, w);
    }

    const double h = in.fb / w.fs;
    const double h2 = h * h;
    const double alpha = w.veff / (in.v / w.n);
    const double ql = in.ql;
    const double b3 = h / ql + 1 / w.qts;
    const double b2 = alpha + h / (ql * w.qts) + h2 + 1;
    const double b1 = h2 / w.qts + h / ql;
    const double b0 = h2;
    const double gain = w.re / (w.re + w.rs);
    const double delayScale = 1000 / (kTwoPi * w.fs);

    // Motional impedance: the driver's own Q(es), since the series resistor is outside the
    // driver's terminals.
    const double res = w.qms / s.driver.qes * w.re;
    const double c1 = h / ql + h2 / w.qms;
    const double c2 = h / (w.qms * ql) + alpha + h2 + 1;
    const double c3 = h / ql + 1 / w.qms;
    const double inductance = kTwoPiZ * s.driver.le / 1000; // Ohms per Hz

    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double f = s.frequencies[i];
        const double x = f / w.fs;
        const double x2 = x * x;
        const double a = x2 * x2 - b2 * x2 + b0;
        const double b = x * (b3 * x2 - b1);
        const double g2 = a * a + b * b;
        const double g = std::sqrt(g2);

        s.splCurve[i] = k.spl ? 20 * std::log10(gain * x2 * x2 / g) : 0;
        if (k.exc) {
            const double e = h2 - x2;
            const double loss = x * h / ql;
            s.excursionCurve[i] = x0 * std::sqrt(e * e + loss * loss) / g;
        } else {
            s.excursionCurve[i] = 0;
        }
        if (k.phase) {
            const double phase = std::atan2(b, a) * kDegrees;
            s.phaseCurve[i] = phase < 0 ? phase + 360 : phase;
        } else {
            s.phaseCurve[i] = 0;
        }
        s.delayCurve[i] =
            k.delay ? (b * (4 * x * x2 - 2 * b2 * x) + a * (b1 - 3 * b3 * x2)) / g2 * delayScale
                    : 0;
        if (k.imp) {
            const double h1 = (x2 * x2 - c2 * x2) / h2 + 1;
            const double i1 = (c1 * x - c3 * x * x2) / h2;
            const double jj = x / w.qms - x * x2 / (w.qms * h2);
            const double kk = x2 / (h * w.qms * ql);
            // Zmot = Res (-K + jJ) / (H1 + jI1)
            const double den = h1 * h1 + i1 * i1;
            const double zr = w.re + res * (jj * i1 - kk * h1) / den;
            const double zi = inductance * f + res * (jj * h1 + kk * i1) / den;
            s.impedanceCurve[i] = std::sqrt(zr * zr + zi * zi);
        } else {
            s.impedanceCurve[i] = 0;
        }
    }
    EndResponse(s);
}

void SixPoleResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                     const SixPoleInputs& in)
{
    // The coupling term needs n(0), so it is derived whatever is shown.
    CompleteDriver::EfficiencyFromSensitivity(s.driver);
    const Kinds k = BeginResponse(s, show, false);
    if (k.exc)
        PrepareExcursion(s, false);

    const double cas = Compliance(w.veff);
    const double cab = Compliance(in.v1 / w.n);
    const double cap = Compliance(in.v2 / w.n);
    const double wp = kTwoPi * in.fp;
    const double map = 1 / (wp * wp * cap);
    const double fc = w.fs * std::sqrt(w.veff / (in.v1 / w.n) + 1);
    const double ct = cab * cas / (cab + cas);
    const double qmc = w.fs * w.qms * cas / (ct * fc);
    const double tc = 1 / (kTwoPi * fc);
    const double tp = 1 / wp;
    const double tx2 = ct * map;
    const double te = std::sqrt(in.l * in.c);
    const double qe = te / (w.re * in.c);
    const double ws = kTwoPi * w.fs;
    const double n0 = s.driver.eta0 / 100;
    // n(0) counts the whole isobaric pair; one driver of it couples with n(0) / I.
    const double ty2 =
        ct * n0 / w.i * w.re * in.c * kTwoPi * kC / (ws * ws * ws * ws * kRho * cas * cas);
    const double qp = in.qp;

    const double te2 = te * te, tp2 = tp * tp, tc2 = tc * tc;
    const double a1 = tp / qp + te / qe + tc / qmc;
    const double a2 = tx2 + tp2 + ty2 + te2 + tc2 + te * tc / (qmc * qe) + te * tp / (qe * qp) +
                      tp * tc / (qmc * qp);
    const double a3 = tp2 * tc / qmc + te * tp2 / qe + te2 * tc / qmc + te2 * tp / qp +
                      te * tx2 / qe + ty2 * tp / qp + te * tc2 / qe + tp * tc2 / qp +
                      te * tp * tc / (qmc * qe * qp);
    const double a4 = tp2 * tc2 + ty2 * tp2 + te2 * tp2 + te2 * tc2 + te * tp * tc2 / (qe * qp) +
                      te2 * tx2 + te * tp2 * tc / (qmc * qe) + te2 * tp * tc / (qmc * qp);
    const double a5 = te * tp2 * tc2 / qe + te2 * tp2 * tc / qmc + te2 * tp * tc2 / qp;
    const double a6 = te2 * tp2 * tc2;

    const double gain = w.re / (w.re + w.rs) * te * tc2 / qe;
    const double xs = k.exc ? BandpassExcursionScale(s, w, ct, cas) * (te / qe) : 0;

    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double om = kTwoPi * s.frequencies[i];
        const double om2 = om * om;
        const double re = 1 - om2 * (a2 - om2 * (a4 - om2 * a6));
        const double im = om * (a1 - om2 * (a3 - om2 * a5));
        const double d = std::sqrt(re * re + im * im);
        s.splCurve[i] = k.spl ? 20 * std::log10(gain * om2 * om / d) : 0;
        if (k.exc) {
            const double e = 1 - tp2 * om2;
            const double loss = tp * om / qp;
            s.excursionCurve[i] = xs * om * std::sqrt(e * e + loss * loss) / d;
        } else {
            s.excursionCurve[i] = 0;
        }
    }
    EndResponse(s);
}

void RadiatorBoxResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                         const RadiatorInputs& in)
{
    using Complex = std::complex<double>;
    const Kinds k = BeginResponse(s, show, true);
    s.hasRadiator = k.exc;
    double x0 = 0;
    if (k.exc) {
        PrepareExcursion(s, true);
        x0 = FreeAirExcursion(s, w);
    }

    // Acoustic impedances per driver (the box and its radiators shared by N drivers), each
    // divided by the driver's 1 / (2 pi f(s) C(as)), so that the driver itself is s + 1/Q + 1/s
    // with s = j f / f(s), as in the vented-box model.
    const double cas = Compliance(w.veff);
    const double cab = Compliance(in.v / w.n);
    const double alpha = cas / cab;
    const double perDriver = in.count / w.n;
    const double area2 = perDriver * in.sd * in.sd;
    const double map = in.mms / area2;
    const double cap = in.cms * in.sd * in.sd * perDriver;
    const double rap = in.rms / area2;
    const double ws = kTwoPi * w.fs;
    const double scale = ws * cas;
    // The leakage's Q(B) holds at the box tuning, as Q(L) does at F(B) in the vented box.
    const double wp = std::sqrt((1 / cab + 1 / cap) / map);
    const double leakage = 1 / (in.ql / (wp * cab) * scale); // admittance
    const double gain = w.re / (w.re + w.rs);
    const double res = w.qms / s.driver.qes * w.re; // as in the vented-box model
    const double inductance = kTwoPiZ * s.driver.le / 1000;
    const double coneToRadiator = s.driver.sdSqM / (perDriver * in.sd);

    struct Point {
        Complex h;     // the output's volume velocity against the passband's
        Complex drive; // the driver and the box it works into
        Complex box;   // the box with its leakage and radiators
        Complex radiator;
        Complex s;
    };
    auto at = [&](double f) {
        Point p;
        const double om = kTwoPi * f;
        p.s = Complex(0, om / ws);
        p.radiator = Complex(rap, om * map - 1 / (om * cap)) * scale;
        p.box = 1.0 / (Complex(leakage, om * cab / scale) + 1.0 / p.radiator);
        p.drive = p.s + 1 / w.qts + 1.0 / p.s + p.box;
        p.h = p.s * p.s / alpha * p.box / p.drive;
        return p;
    };
    // The group delay is the phase's slope, taken over a step small against the grid's.
    constexpr double kStep = 1e-5;

    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double f = s.frequencies[i];
        const Point p = at(f);
        s.splCurve[i] = k.spl ? 20 * std::log10(gain * std::abs(p.h)) : 0;
        const double cone = x0 / std::abs(p.s * p.drive);
        s.excursionCurve[i] = k.exc ? cone : 0;
        s.radiatorCurve[i] = k.exc ? cone * coneToRadiator * std::abs(p.box / p.radiator) : 0;
        if (k.phase) {
            const double phase = std::arg(p.h) * kDegrees;
            s.phaseCurve[i] = phase < 0 ? phase + 360 : phase;
        } else {
            s.phaseCurve[i] = 0;
        }
        if (k.delay) {
            const Complex turn = at(f * (1 + kStep)).h / at(f * (1 - kStep)).h;
            s.delayCurve[i] = -std::arg(turn) / (2 * kStep * kTwoPi * f) * 1000;
        } else {
            s.delayCurve[i] = 0;
        }
        if (k.imp) {
            const Complex mechanical = p.s + 1 / w.qms + 1.0 / p.s;
            const Complex z =
                w.re + Complex(0, inductance * f) + res / w.qms / (mechanical + p.box);
            s.impedanceCurve[i] = std::abs(z);
        } else {
            s.impedanceCurve[i] = 0;
        }
    }
    EndResponse(s);
}

void FourPoleResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                      const FourPoleInputs& in)
{
    const Kinds k = BeginResponse(s, show, false);
    if (k.exc)
        PrepareExcursion(s, true);

    const double cas = Compliance(w.veff);
    const double cab = Compliance(in.v1 / w.n);
    const double cap = Compliance(in.v2 / w.n);
    const double wb = kTwoPi * in.fb;
    const double map = 1 / (wb * wb * cap);
    const double fc = w.fs * std::sqrt(w.veff / (in.v1 / w.n) + 1);
    const double ct = cab * cas / (cab + cas);
    const double tc = 1 / (kTwoPi * fc);
    const double tb = 1 / wb;
    const double tx2 = ct * map;
    const double qtc = in.qtc, ql2 = in.ql2, qa2 = in.qa2;
    const double tb2 = tb * tb, tc2 = tc * tc;

    const double b1 = tc / qtc + tb / qa2 + tb / ql2;
    const double b2 =
        tb2 / (qa2 * ql2) + tb * tc / (qtc * qa2) + tb * tc / (qtc * ql2) + tx2 + tb2 + tc2;
    const double b3 = tx2 * tb / qa2 + tb2 * tc / (qtc * qa2 * ql2) + tb2 * tc / qtc +
                      tb * tc2 / qa2 + tb * tc2 / ql2;
    const double leak = 1 + 1 / (qa2 * ql2);
    const double b4 = tb2 * tc2 * leak;

    const double gain = w.re / (w.re + w.rs) * tc2;
    const double xb = k.exc ? BandpassExcursionScale(s, w, ct, cas) : 0;
    const double nxImag = tb * (1 / qa2 + 1 / ql2);

    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double om = kTwoPi * s.frequencies[i];
        const double om2 = om * om;
        const double re = 1 - om2 * (b2 - om2 * b4);
        const double im = om * (b1 - om2 * b3);
        const double d = std::sqrt(re * re + im * im);
        if (k.spl) {
            const double absorb = om * tb / qa2;
            s.splCurve[i] = 20 * std::log10(gain * om2 * std::sqrt(1 + absorb * absorb) / d);
        } else {
            s.splCurve[i] = 0;
        }
        if (k.exc) {
            const double nr = 1 - tb2 * om2 * leak;
            const double ni = om * nxImag;
            s.excursionCurve[i] = xb * std::sqrt(nr * nr + ni * ni) / d;
        } else {
            s.excursionCurve[i] = 0;
        }
    }
    EndResponse(s);
}

void Response2OCB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    // The closed box has no vent: a tuning far below any grid frequency stands for it.
    VentedBoxResponse(s, w, show, {s.closed2.vbCuFt, 1e-7, s.closed2.qb});
}

void Response4OVB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    const VentedBox4& b = s.vented4;
    VentedBoxResponse(s, w, show, {b.vbCuFt, TuningOr(b.fb, 1e-4), b.qb});
}

void Response3OCB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    // No front chamber: a 1 cu ft chamber tuned far above the grid, and no series inductor.
    const ClosedBox3& b = s.closed3;
    SixPoleResponse(s, w, show, {b.vbCuFt, 1, 1e7, b.qb, b.c1 * 1e-6, 1e-8});
}

void Response5OABP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    // No series capacitor: 10 F passes everything in the grid.
    const BandpassBox5& b = s.bandpass5;
    SixPoleResponse(s, w, show,
                    {b.vb1CuFt, b.vb2CuFt, TuningOr(b.fb2, 1e-4), b.qb2, 10, b.l1 * 1e-3});
}

void Response6OSBP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    const BandpassBox6& b = s.bandpass6;
    const double c = b.c1 == 0 ? 10 : b.c1 * 1e-6;
    SixPoleResponse(s, w, show,
                    {b.vb1CuFt, b.vb2CuFt, TuningOr(b.fb2, 1e-4), b.qb2, c, b.l1 * 1e-3});
}

void Response4OSBP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    const BandpassBox4& b = s.bandpass4;
    FourPoleResponse(s, w, show,
                     {b.vb1CuFt, b.vb2CuFt, TuningOr(b.fb2, 1e-4), b.qtc, b.ql2, b.qa2});
}

void ResponsePRB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    const RadiatorBox& b = s.radiator;
    const std::optional<RadiatorParts> r = RadiatorOf(b);
    if (!r) {
        // No radiator to tune the box: every curve comes out unusable and is dropped, saying so.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        RadiatorBoxResponse(s, w, show, {b.vbCuFt, b.qb, b.prCount, nan, nan, nan, nan});
        return;
    }
    RadiatorBoxResponse(
        s, w, show,
        {b.vbCuFt, b.qb, b.prCount, b.prSdSqM, r->cms, r->mms + b.prAddedMassG / 1000, r->rms});
}

bool RunResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show)
{
    switch (s.boxType()) {
    case BoxType::Closed2:
        Response2OCB(s, w, show);
        return true;
    case BoxType::Closed3:
        Response3OCB(s, w, show);
        return true;
    case BoxType::Vented4:
        Response4OVB(s, w, show);
        return true;
    case BoxType::Bandpass4:
        Response4OSBP(s, w, show);
        return true;
    case BoxType::Bandpass5:
        Response5OABP(s, w, show);
        return true;
    case BoxType::Bandpass6:
        Response6OSBP(s, w, show);
        return true;
    case BoxType::Radiator:
        ResponsePRB(s, w, show);
        return true;
    case BoxType::None:
        break;
    }
    return false;
}

} // namespace cw::engine
