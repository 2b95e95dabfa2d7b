#pragma once

#include "model/DriverParams.h"
#include "model/MeasuredCurve.h"

#include <complex>
#include <optional>
#include <string>

// A driver's small-signal parameters fitted from its measured impedance: a three-point start,
// then a least-squares fit of the complex impedance (of the magnitude where the file holds no
// phase) to the driver's electrical model.
namespace cw::measure
{

// The electrical model: R(e), then L(e) in series with L2 parallel to R2 (the voice coil's lossy
// inductance), then the motional impedance of the resonance.
struct ImpedanceModel {
    double re = 0;  // Ohms
    double fs = 0;  // Hz
    double qms = 0; //
    double qes = 0; //
    double le = 0;  // H
    double l2 = 0;  // H; 0 without a lossy part
    double r2 = 0;  // Ohms

    std::complex<double> At(double hz) const;
    double Qts() const { return qms * qes / (qms + qes); }
};

struct FitRange {
    double loHz = 0; // 0: from the first point
    double hiHz = 0; // 0: to the last point
    double re = 0;   // Ohms as measured with an ohmmeter, kept through the fit; 0 fits it too
};

// What one curve's fit found and how well the model follows the measurement.
struct ImpedanceFit {
    ImpedanceModel model;
    double rmsErrorPercent = 0; // of |Z| (of Z where the file has phase) over the range
    std::string judgement;      // one sentence for the user
    bool usedPhase = false;
};

// Fits one impedance curve. On failure returns the sentence for the user and leaves out as it was.
std::optional<std::string> FitImpedance(const MeasuredCurve& zma, const FitRange& range,
                                        ImpedanceFit& out);

// The second measurement that gives the moving mass and with it V(as), C(ms) and BL.
enum class SecondMeasurement { None, AddedMass, ClosedBox };

struct DriverFitRequest {
    MeasuredCurve freeAir;
    FitRange range;
    double sdSqM = 0; // piston area; 0 leaves the mechanical values unknown
    SecondMeasurement method = SecondMeasurement::None;
    double addedMassGrams = 0;
    double boxLiters = 0;
    MeasuredCurve second; // the loaded or boxed impedance
};

// The driver as found: the free-air fit, the second one when there was one, and the mechanical
// values (0 where they could not be found).
struct DriverFit {
    ImpedanceFit freeAir;
    std::optional<ImpedanceFit> second;
    double vasLiters = 0;
    double mmsGrams = 0;
    double cmsMmPerN = 0;
    double bl = 0;   // N/A
    double rms = 0;  // kg/s
    double eta0 = 0; // percent
};

std::optional<std::string> FitDriver(const DriverFitRequest& request, DriverFit& out);

// Writes what the fit found into a driver, with NOTE lines in its description naming the
// measurements and the method; other fields keep their values.
void ApplyDriverFit(const DriverFitRequest& request, const DriverFit& fit, DriverParams& d);

} // namespace cw::measure
