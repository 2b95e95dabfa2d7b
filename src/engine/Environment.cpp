#include "engine/Environment.h"

#include "model/BoxTable.h"

#include <cmath>

namespace cw::engine
{

namespace
{

constexpr double kTwoPi = 6.2831853;
constexpr double kDegrees = 360 / kTwoPi;

} // namespace

double BaffleWidth(const CSpkSys& s)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    return box != nullptr ? box->Find(BoxQuantity::Wb)->Value(s) : std::nan("");
}

bool ApplyDiffractionLoss(CSpkSys& s)
{
    const double width = BaffleWidth(s);
    if (!std::isfinite(width))
        return false;
    // First-order shelf (1 + jwT) / (2 + jwT): -6 dB on a small baffle, 0 dB on a large one.
    const double t = width * 0.0019583; // seconds
    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double wt = kTwoPi * s.frequencies[i] * t;
        const double u = wt * wt;
        s.splCurve[i] += 20 * std::log10(std::sqrt((u + 1) / (u + 4)));
        s.phaseCurve[i] += std::atan(wt / (u + 2)) * kDegrees;
    }
    return true;
}

bool ApplyAutoCabin(CSpkSys& s)
{
    if (!(s.autoCabinF3 > 0) || !(s.autoCabinQ > 0) || !std::isfinite(s.autoCabinF3) ||
        !std::isfinite(s.autoCabinQ))
        return false;
    // The inverse of a second-order high-pass at f(3).
    const double w3 = kTwoPi * s.autoCabinF3;
    const double d = 1 / (2 * s.autoCabinQ);
    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i) {
        const double x = kTwoPi * s.frequencies[i] / w3;
        const double x2 = x * x;
        s.splCurve[i] += -20 * std::log10(x2 / std::sqrt(4 * d * d * x2 + x2 * x2 + (1 - 2 * x2)));
        s.phaseCurve[i] -= std::atan2(2 * d * x, x2 - 1) * kDegrees;
    }
    return true;
}

} // namespace cw::engine
