#pragma once

#include "calculators/BoxLockRules.h"
#include "calculators/SolveGuard.h"
#include "model/CalculatorValues.h"

// The box calculators' volume and dimension routines, run once on each unit copy: metric (lengths
// in m, volumes in liters) and English (inches and cubic feet). Every value they store is rounded
// with Round5. Each takes the guard of the calculation it belongs to and stores nothing useful
// once the guard has refused; the caller then keeps the values it had (see SolveGuard.h).
namespace cw::calc
{

// The proportion of free dimensions, as the pages write it.
inline constexpr double kPhi = 1.618033989;

inline constexpr const char* kFillingAboveMinus100 =
    "The V(B) increase due to filling must be above -100 %.";
inline constexpr const char* kDisplacementsTooLarge =
    "The displacements must not exceed the gross volume.";
inline constexpr const char* kGrossNotNegative = "The gross volume must not be below 0.";
inline constexpr const char* kDimensionsNotNegative = "The dimensions must not be below 0.";
inline constexpr const char* kHeightAboveZero = "The height must be above 0.";
inline constexpr const char* kWidthAboveZero = "The width must be above 0.";
inline constexpr const char* kDepthAboveZero = "The depth must be above 0.";

// The gross volume in the cube of the copy's length unit: m³ from liters, cubic inches from
// cubic feet.
double CubeOfGross(double grossVolume, bool metric);

// V(G) from the dimensions (the trapezoid's mean width times height and depth; a bandpass
// chamber's height times the shared width and depth).
void GrossFromDimensions(RectBoxDims& d, bool metric, SolveGuard& guard);
void GrossFromDimensions(TrapBoxDims& d, bool metric, SolveGuard& guard);
void GrossFromDimensions(BandpassChamber& c, double height, double width, double depth, bool metric,
                         SolveGuard& guard);

// V(G) = displacements + V(B) × 100 / (F + 100), F the filling percentage; and the reverse,
// V(B) = (F + 100) × (V(G) − displacements) / 100. Volumes is RectBoxDims, TrapBoxDims or
// BandpassChamber.
inline constexpr const char* kDisplacementsNotNegative = "The displacements must not be below 0.";

template <class Volumes> bool DisplacementsValid(const Volumes& v)
{
    return v.otherDisplacement >= 0 && v.bracingDisplacement >= 0 && v.driverDisplacement >= 0;
}

template <class Volumes> void GrossFromNet(Volumes& v, double fillingPercent, SolveGuard& guard)
{
    guard.Require(DisplacementsValid(v), kDisplacementsNotNegative);
    const double share =
        guard.Divide(v.netVolume * 100, fillingPercent + 100, kFillingAboveMinus100);
    const double gross =
        guard.Rounded(v.otherDisplacement + v.bracingDisplacement + v.driverDisplacement + share);
    if (guard.ok())
        v.grossVolume = gross;
}
template <class Volumes> void NetFromGross(Volumes& v, double fillingPercent, SolveGuard& guard)
{
    guard.Require(fillingPercent + 100 > 0, kFillingAboveMinus100);
    guard.Require(DisplacementsValid(v), kDisplacementsNotNegative);
    guard.Require(v.grossVolume >= 0, kGrossNotNegative);
    const double net = guard.Rounded(
        (fillingPercent + 100) *
        (v.grossVolume - (v.otherDisplacement + v.bracingDisplacement + v.driverDisplacement)) /
        100);
    guard.Require(net >= 0, kDisplacementsTooLarge);
    if (guard.ok())
        v.netVolume = net;
}

// The box of gross volume V(G) with the dimensions in `known` (H, W, D bits) given: none given,
// H : W : D = φ : 1 : 1/φ; one given, the other two in the ratio φ; two given, the third from the
// volume. Only the dimensions not known are written.
void SolveRectDimensions(double& height, double& width, double& depth, double grossVolume,
                         bool metric, LockSet known, SolveGuard& guard);

// The bandpass front chamber's height from its gross volume and the shared width and depth; 0
// when one of them is 0.
void SolveFrontHeight(BandpassBoxDims& b, bool metric, SolveGuard& guard);

} // namespace cw::calc
