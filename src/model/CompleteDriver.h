#pragma once

#include "model/DriverParams.h"

// The derived-value rules: each fills one missing driver value (0 means "not given") and, where
// the rule says so, leaves a NOTE line in the driver's description. Callers apply each rule at its
// own point (after a driver is opened, before an excursion response, at the start of a response).
namespace cw::CompleteDriver
{

inline constexpr const char* kXmaxNote =
    "\r\nNOTE: X(max) was estimated based on the nominal driver diameter.";
inline constexpr const char* kSdNote =
    "\r\nNOTE: S(D) was estimated based on the nominal driver diameter.";
inline constexpr const char* kEfficiencyNote =
    "\r\nNOTE: Reference Efficiency was calculated based on the 1W/1m sensitivity.";
inline constexpr const char* kSplFromEfficiencyNote =
    "\r\nNOTE: The driver's SPL rating was calculated from its reference efficiency.";
inline constexpr const char* kSplFromSmallSignalNote =
    "\r\nNOTE: The driver's efficiency and SPL rating were calculated from its f(s), V(as) and "
    "Q(es).";

// A test for "not given": exactly 0, and also NaN.
inline bool IsUnset(double v)
{
    return !(v < 0 || v > 0);
}

// Estimation step 1: nominal diameter in mm from inches.
void NominalDiameter(DriverParams& d);
// Estimation step 2: X(max) from the nominal diameter, with its NOTE.
void EstimateXmax(DriverParams& d);
// Estimation step 3: S(D) in square metres from square inches, then the inch copy refreshed.
void SdFromSquareInches(DriverParams& d);
// Estimation step 4: S(D) from the nominal diameter, with its NOTE.
void EstimateSd(DriverParams& d);
// Steps 1 to 4 in order: the driver part of the estimation routine.
void EstimateDriver(DriverParams& d);

// V(as) in liters from cubic feet where a calculation needs it and finds it 0.
void FillVasLiters(DriverParams& d);

// Reference efficiency from the 1 W / 1 m sensitivity (before an excursion response).
void EfficiencyFromSensitivity(DriverParams& d);

// At the start of a response: the sensitivity from the efficiency, or both from f(s), V(as)
// and Q(es). isobaricFactor divides V(as). Returns true when a value was derived, so that the
// caller redraws the driver panel.
bool CompleteSensitivity(DriverParams& d, int isobaricFactor);

// The response engine's R(e): re, or 0.8 x the nominal impedance when re is 0.
double WorkingRe(const DriverParams& d);

} // namespace cw::CompleteDriver
