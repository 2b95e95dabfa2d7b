#include "calculators/BoxSolvers.h"

#include <bit>
#include <cmath>

namespace cw::calc
{

namespace
{

// V(G) from the product of three lengths: liters from m³, cubic feet from cubic inches.
double GrossOfCube(double cube, bool metric)
{
    return metric ? cube * 1000 : cube / 1728;
}

void StoreGross(double& grossVolume, double cube, bool metric, SolveGuard& guard)
{
    const double gross = guard.Rounded(GrossOfCube(cube, metric));
    guard.Require(gross >= 0, kDimensionsNotNegative);
    if (guard.ok())
        grossVolume = gross;
}

} // namespace

double CubeOfGross(double grossVolume, bool metric)
{
    return metric ? grossVolume / 1000 : grossVolume * 1728;
}

void GrossFromDimensions(RectBoxDims& d, bool metric, SolveGuard& guard)
{
    StoreGross(d.grossVolume, d.height * d.width * d.depth, metric, guard);
}

void GrossFromDimensions(TrapBoxDims& d, bool metric, SolveGuard& guard)
{
    StoreGross(d.grossVolume, (d.width1 + d.width2) / 2 * d.height * d.depth, metric, guard);
}

void GrossFromDimensions(BandpassChamber& c, double height, double width, double depth, bool metric,
                         SolveGuard& guard)
{
    StoreGross(c.grossVolume, height * width * depth, metric, guard);
}

void SolveRectDimensions(double& height, double& width, double& depth, double grossVolume,
                         bool metric, LockSet known, SolveGuard& guard)
{
    const double vc = CubeOfGross(grossVolume, metric);
    guard.Require(vc > 0, kVolumeAboveZero);
    guard.Require(std::isfinite(vc), kTooLarge);
    const bool h = Has(known, BoxLock::H), w = Has(known, BoxLock::W), d = Has(known, BoxLock::D);
    guard.Require(!h || height > 0, kHeightAboveZero);
    guard.Require(!w || width > 0, kWidthAboveZero);
    guard.Require(!d || depth > 0, kDepthAboveZero);
    if (!guard.ok())
        return;
    // The results go to copies first: a refusal after the first of them leaves all three as
    // they were.
    double nh = height, nw = width, nd = depth;
    const double phi2 = kPhi * kPhi;
    switch (std::popcount(known & (Bit(BoxLock::H) | Bit(BoxLock::W) | Bit(BoxLock::D)))) {
    case 0: {
        const double e = guard.CubeRoot(vc);
        nh = guard.Length(kPhi * e, "the height");
        nw = guard.Length(e, "the width");
        nd = guard.Length(e / kPhi, "the depth");
        break;
    }
    case 1:
        if (h) {
            nd = guard.Length(std::sqrt(vc / (height * kPhi)), "the depth");
            nw = guard.Length(nd * kPhi, "the width");
        } else if (w) {
            nd = guard.Length(std::sqrt(vc / (width * phi2)), "the depth");
            nh = guard.Length(phi2 * nd, "the height");
        } else {
            nw = guard.Length(std::sqrt(vc / (depth * kPhi)), "the width");
            nh = guard.Length(nw * kPhi, "the height");
        }
        break;
    case 2:
        if (!h)
            nh = guard.Length(vc / (width * depth), "the height");
        else if (!w)
            nw = guard.Length(vc / (height * depth), "the width");
        else
            nd = guard.Length(vc / (height * width), "the depth");
        break;
    default:
        break;
    }
    if (!guard.ok())
        return;
    height = nh;
    width = nw;
    depth = nd;
}

void SolveFrontHeight(BandpassBoxDims& b, bool metric, SolveGuard& guard)
{
    const double gross = b.front.grossVolume;
    if (gross == 0 || b.width == 0 || b.depth == 0) {
        b.frontHeight = 0;
        return;
    }
    guard.Require(b.width > 0, kWidthAboveZero);
    guard.Require(b.depth > 0, kDepthAboveZero);
    const double height =
        metric ? gross / (b.width * b.depth * 1000) : gross * 1728 / (b.width * b.depth);
    const double rounded = guard.Length(height, "the front chamber height");
    if (guard.ok())
        b.frontHeight = rounded;
}

} // namespace cw::calc
