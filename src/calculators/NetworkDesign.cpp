#include "calculators/NetworkDesign.h"

#include "model/NumberFormat.h"
#include "model/Units.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace cw::calc
{

namespace
{

// 2π as the calculators write it, cut to seven significant digits.
constexpr double kTwoPi = 6.283185;
constexpr double kSqrt2 = std::numbers::sqrt2;

struct Result {
    double* field;
    double value;
};

// Stores every result rounded, or none of them when one is not finite.
bool Store(std::initializer_list<Result> results)
{
    for (const Result& r : results) {
        if (!std::isfinite(r.value))
            return false;
    }
    for (const Result& r : results)
        *r.field = Round4(r.value);
    return true;
}

// The crossover formulas divide by both impedances and by the frequency.
template <class Group> bool HasCrossoverInputs(const Group& g)
{
    return g.tweeterImpedance != 0 && g.wooferImpedance != 0 && g.frequency != 0;
}

// Element k of a low-pass ladder scaled from its normalised value gk (1 Ohm, 1 rad/s) to the load
// r and the angular frequency w: even k a series inductor in mH, odd k a shunt capacitor in µF.
double LowPassElement(int k, double gk, double r, double w)
{
    return k % 2 == 0 ? 1000 * gk * r / w : 1e6 * gk / (r * w);
}

// The same element after the low-pass to high-pass transform s -> 1/s: even k a series
// capacitor in µF, odd k a shunt inductor in mH.
double HighPassElement(int k, double gk, double r, double w)
{
    return k % 2 == 0 ? 1e6 / (gk * r * w) : 1000 * r / (gk * w);
}

// Two-element ladders: tweeter C1 in series and L2 across it, woofer L1 in series and C2 across
// it. The high-pass s²/D and the low-pass 1/D are 180 degrees apart at every frequency, hence the
// tweeter's reverse polarity connection.
bool CalcSecondOrder(Xover2OBW& g, const double (&proto)[2])
{
    if (!HasCrossoverInputs(g))
        return false;
    const double w = kTwoPi * g.frequency;
    const double zt = g.tweeterImpedance, zw = g.wooferImpedance;
    return Store({{&g.c1, HighPassElement(0, proto[0], zt, w)},
                  {&g.l2, HighPassElement(1, proto[1], zt, w)},
                  {&g.l1, LowPassElement(0, proto[0], zw, w)},
                  {&g.c2, LowPassElement(1, proto[1], zw, w)}});
}

} // namespace

bool CalcXover1OBW(Xover1OBW& g)
{
    const double zt = g.tweeterImpedance, zw = g.wooferImpedance, f = g.frequency;
    if (zt == 0 || zw == 0 || f == 0)
        return false;
    return Store({{&g.c1, 1000000 / (zt * f * 6.283185)}, {&g.l1, zw * 1000 / (f * 6.283185)}});
}

// Singly terminated Butterworth ladder for a voltage source into a resistive load (classical
// filter synthesis tables, n = 2): g = √2, 1/√2, giving 1 / (s² + √2 s + 1).
bool CalcXover2OBW(Xover2OBW& g)
{
    return CalcSecondOrder(g, {kSqrt2, 1 / kSqrt2});
}

// Second-order Linkwitz-Riley, the square of a first-order section: 1 / (s + 1)², a ladder of
// g = 2, 1/2 into the load.
bool CalcXover2OLR(Xover2OLR& g)
{
    return CalcSecondOrder(g, {2, 0.5});
}

// Singly terminated Butterworth ladder (classical filter synthesis tables, n = 3): g = 3/2, 4/3,
// 1/2 from the source, giving 1 / (s³ + 2s² + 2s + 1). Tweeter C1, L3 to ground, C2; woofer
// L1, C3 to ground, L2.
bool CalcXover3OBW(Xover3OBW& g)
{
    if (!HasCrossoverInputs(g))
        return false;
    const double proto[3] = {1.5, 4.0 / 3, 0.5};
    const double w = kTwoPi * g.frequency;
    const double zt = g.tweeterImpedance, zw = g.wooferImpedance;
    return Store({{&g.c1, HighPassElement(0, proto[0], zt, w)},
                  {&g.l3, HighPassElement(1, proto[1], zt, w)},
                  {&g.c2, HighPassElement(2, proto[2], zt, w)},
                  {&g.l1, LowPassElement(0, proto[0], zw, w)},
                  {&g.c3, LowPassElement(1, proto[1], zw, w)},
                  {&g.l2, LowPassElement(2, proto[2], zw, w)}});
}

// Fourth-order Linkwitz-Riley, the square of the second-order Butterworth:
// 1 / (s² + √2 s + 1)², synthesised as a ladder into the load by matching coefficients:
// g = 4√2/3, 9√2/8, 2√2/3, √2/4 from the source. Tweeter C1, L1 to ground, C2, L2 across it;
// woofer L3, C3 to ground, L4, C4 across it.
bool CalcXover4OLR(Xover4OLR& g)
{
    if (!HasCrossoverInputs(g))
        return false;
    const double proto[4] = {4 * kSqrt2 / 3, 9 * kSqrt2 / 8, 2 * kSqrt2 / 3, kSqrt2 / 4};
    const double w = kTwoPi * g.frequency;
    const double zt = g.tweeterImpedance, zw = g.wooferImpedance;
    return Store({{&g.c1, HighPassElement(0, proto[0], zt, w)},
                  {&g.l1, HighPassElement(1, proto[1], zt, w)},
                  {&g.c2, HighPassElement(2, proto[2], zt, w)},
                  {&g.l2, HighPassElement(3, proto[3], zt, w)},
                  {&g.l3, LowPassElement(0, proto[0], zw, w)},
                  {&g.c3, LowPassElement(1, proto[1], zw, w)},
                  {&g.l4, LowPassElement(2, proto[2], zw, w)},
                  {&g.c4, LowPassElement(3, proto[3], zw, w)}});
}

// Series crossover, tweeter over woofer, L1 across the tweeter and C1 across the woofer. Of the
// input the woofer gets (1 + s L/Zt) / D and the tweeter s L (1/Zw + s C) / D, the two adding up
// to the input, with D = s² L C + s L (1/Zt + 1/Zw) + 1 = (s/w0)² + 2 zeta s/w0 + 1: zeta is the
// network's damping and w0 = 1/√(LC). Their levels are equal at x = w/w0 where
// x⁴ - 2k x² - 1 = 0, k = 2 zeta² (Zw - Zt) / (Zw + Zt), so w0 is put x below the crossover.
// With equal impedances x = 1, and zeta = 1 gives the classic constant-resistance network
// L = Z/w, C = 1/(Z w).
bool CalcXover1OS(Xover1OS& g)
{
    const double zt = g.tweeterImpedance, zw = g.wooferImpedance;
    if (!HasCrossoverInputs(g) || g.zeta == 0 || zt + zw == 0)
        return false;
    const double k = 2 * g.zeta * g.zeta * (zw - zt) / (zw + zt);
    // x² = k + √(k² + 1), written without cancellation for k below 0.
    const double root = std::hypot(k, 1.0);
    const double x2 = k >= 0 ? k + root : 1 / (root - k);
    const double w0 = kTwoPi * g.frequency / std::sqrt(x2);
    const double henrys = 2 * g.zeta * zt * zw / ((zt + zw) * w0);
    return Store({{&g.c1, 1e6 / (w0 * w0 * henrys)}, {&g.l1, 1000 * henrys}});
}

// Impedance equalisation of a driver's resonance (the usual loudspeaker design texts): the
// motional impedance, R(es) || L(ces) || C(mes) behind R(e), is balanced by the series network
// R1 = R(e) + R(e)²/R(es), L1 = R(e)² C(mes), C1 = L(ces)/R(e)², so that the pair is R(e) at
// every frequency. From the page's values: R(es) = Max Z - R(e), and the electrical Q follows
// from the total Q as Q(es) = Q(t) Max Z / (Max Z - R(e)).
bool CalcResonanceComp(ResonanceComp& g, double maxZ)
{
    const double re = g.driverImpedance;
    const double zmax = ResonanceMaxZ(g, maxZ);
    if (re == 0 || g.driverFs == 0 || g.driverQt == 0 || ResonanceCompRefusal(g, maxZ))
        return false;
    const double ws = kTwoPi * g.driverFs;
    const double qes = g.driverQt * zmax / (zmax - re);
    return Store({{&g.r1, re * zmax / (zmax - re)},
                  {&g.l1, 1000 * re * qes / ws},
                  {&g.c1, 1e6 / (ws * qes * re)}});
}

double ResonanceMaxZ(const ResonanceComp& g, double maxZ)
{
    return maxZ != 0 ? maxZ : 4 * g.driverImpedance;
}

// Below R(e) the formulas give negative parts, and at R(e) they divide by zero.
std::optional<std::string> ResonanceCompRefusal(const ResonanceComp& g, double maxZ)
{
    if (maxZ == 0 || maxZ > g.driverImpedance)
        return std::nullopt;
    return "Max Z (" + FormatShown(maxZ) + " Ohms) must be above the Driver Impedance (" +
           FormatShown(g.driverImpedance) +
           " Ohms): it is the driver's impedance at the top of its resonance peak. Enter 0 if "
           "it is unknown.";
}

// Zobel network: R1 + 1/(s C1) across R(e) + s L(e) is a constant resistance R(e) when
// R1 = R(e) and C1 = L(e) / R(e)².
bool CalcInductanceComp(InductanceComp& g)
{
    const double re = g.driverImpedance;
    if (re == 0)
        return false;
    return Store({{&g.c1, 1000 * g.driverLe / (re * re)}, {&g.r1, re}});
}

// L-pad: with a = 10^(-dB/20), R1 = Z (1 - a) in series and R2 = a Z / (1 - a) across the
// tweeter give it a times the input voltage while the amplifier still sees Z. P1 and P2 are
// their dissipations while the tweeter itself takes Max Tweeter Power.
bool CalcTweeterAtten(TweeterAtten& g)
{
    const double z = g.tweeterImpedance;
    const double a = std::pow(10.0, -g.attenuation / 20);
    if (z == 0 || a == 1)
        return false;
    const double r1 = z * (1 - a);
    const double r2 = a * z / (1 - a);
    // Squared voltage across the tweeter and squared current from the amplifier.
    const double tweeterVolts2 = g.maxTweeterPower * z;
    const double inputAmps2 = tweeterVolts2 / (a * a * z * z);
    return Store({{&g.r1, r1}, {&g.p1, inputAmps2 * r1}, {&g.r2, r2}, {&g.p2, tweeterVolts2 / r2}});
}

} // namespace cw::calc
