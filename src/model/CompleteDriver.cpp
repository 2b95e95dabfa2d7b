#include "model/CompleteDriver.h"

#include "model/Units.h"

#include <cmath>

namespace cw::CompleteDriver
{

void NominalDiameter(DriverParams& d)
{
    if (IsUnset(d.nominalDiameterMm))
        d.nominalDiameterMm = InchesToMm(d.nominalDiameterIn);
}

void EstimateXmax(DriverParams& d)
{
    if (!IsUnset(d.xMax))
        return;
    // Appended every time xMax is found 0, also when the diameter is 0 and xMax stays 0.
    d.xMax = Round3(d.nominalDiameterMm / 50);
    d.description += kXmaxNote;
}

void SdFromSquareInches(DriverParams& d)
{
    if (!IsUnset(d.sdSqM))
        return;
    d.sdSqM = Round3(SqInToSqM(d.sdSqIn));
    d.sdSqIn = SqMToSqIn(d.sdSqM);
}

void EstimateSd(DriverParams& d)
{
    if (!IsUnset(d.sdSqM) || IsUnset(d.nominalDiameterMm))
        return;
    // Half the nominal diameter less 40 mm of frame and surround, in metres; 3.14 as written.
    const double r = (d.nominalDiameterMm - 40) / 2000;
    d.sdSqM = Round3(3.14 * r * r);
    d.description += kSdNote;
}

void EstimateDriver(DriverParams& d)
{
    NominalDiameter(d);
    EstimateXmax(d);
    SdFromSquareInches(d);
    EstimateSd(d);
}

void FillVasLiters(DriverParams& d)
{
    if (IsUnset(d.vasLiters))
        d.vasLiters = CuFtToLiters(d.vasCuFt);
}

void EfficiencyFromSensitivity(DriverParams& d)
{
    if (!IsUnset(d.eta0) || IsUnset(d.spl))
        return;
    d.eta0 = Round3(100 * std::pow(10.0, (d.spl - 112.1) / 10));
    d.description += kEfficiencyNote;
}

bool CompleteSensitivity(DriverParams& d, int isobaricFactor)
{
    if (IsUnset(d.fs) || !IsUnset(d.spl))
        return false;
    if (!IsUnset(d.eta0)) {
        d.spl = Round3(10 * std::log10(d.eta0 / 100) + 112.1);
        d.description += kSplFromEfficiencyNote;
        return true;
    }
    if (!IsUnset(d.qes)) {
        const double veff = d.vasCuFt / isobaricFactor;
        d.eta0 = Round3(2.7e-6 * d.fs * d.fs * d.fs * veff / d.qes);
        d.spl = Round3(10 * std::log10(d.eta0 / 100) + 112.1);
        d.description += kSplFromSmallSignalNote;
        return true;
    }
    return false;
}

double WorkingRe(const DriverParams& d)
{
    return IsUnset(d.re) ? 0.8 * d.nominalImpedance : d.re;
}

} // namespace cw::CompleteDriver
