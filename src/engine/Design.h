#pragma once

#include "model/CSpkSys.h"

#include <optional>
#include <string>

// The design steps of the alignments. Each works on one system record (the document passes its
// workbench) and on the design block of the record's current box type only; a step that does not
// apply to that box type does nothing.
//
// The formulas divide by the box volume, by Q(tc)² - Q(ts)² and by the vent constant. Where the
// inputs make a result infinite, NaN or (for a volume) not positive, or an input is itself
// unusable (see UnusableDesignValue), the step writes nothing and returns false, so that no
// unusable value replaces a designed one; true otherwise, also when the step does not apply.
namespace cw::engine
{

// Closed-box Q from the box volume (V(B) or V(B1)).
bool CalcQtc(CSpkSys& s);
// Closed-box resonance from the volume; closed boxes only.
bool CalcFc(CSpkSys& s);
// Compliance ratio V(as) / volume per driver.
bool CalcAlpha(CSpkSys& s);
// Box volume for the wanted Q(tc), in liters and its cubic-feet twin.
bool CalcBoxVolume(CSpkSys& s);
// Completes the driver's diameter, X(max) and S(D) with their NOTE lines, then the minimum vent
// area of the vented and bandpass boxes.
bool EstimateDriverAndVent(CSpkSys& s);
// Vent length for the entered vent area; vented and bandpass boxes.
bool CalcVentLength(CSpkSys& s);
// Vent area for the entered vent length; vented and bandpass boxes.
bool CalcVentArea(CSpkSys& s);

// The moving parts of one passive radiator, from its f(s), Q(ms), V(as) and S(D).
struct RadiatorParts {
    double cms = 0; // m/N, suspension compliance: V(as) / (rho c² S(D)²)
    double mms = 0; // kg, its own moving mass, which resonates with cms at f(s)
    double rms = 0; // kg/s, mechanical loss: 2 pi f(s) mms / Q(ms)
};
// Nothing when the radiator's f(s), V(as) or S(D) is not a positive number.
std::optional<RadiatorParts> RadiatorOf(const RadiatorBox& b);
// Hz, the resonance of a radiator part with a total moving mass (kg).
double RadiatorResonance(const RadiatorParts& r, double massKg);

// Passive radiator box: the tuning F(P) from the box, the radiators and the mass added to each;
// with the radiator's own mass, its compliance and the notch F(N) (the radiator's resonance with
// its added mass, where the box's output cancels).
bool CalcRadiatorTuning(CSpkSys& s);
// The added mass that gives the typed F(P), with the same derived values. False, writing
// nothing, when the radiator alone already tunes the box below F(P): the mass would be negative.
bool CalcAddedMass(CSpkSys& s);

// V(as) in liters divided by the isobaric factor; fills vasLiters from vasCuFt first when it is 0.
double EffectiveVasLiters(CSpkSys& s);

// The value that keeps the design steps and the response calculation from giving a usable
// result, named as the panels name it: the driver's f(s), Q(ts) or V(as) when it is negative or
// not a finite number, or a value of the current box type's block that the user gives (its
// volumes, Q(tc), tuning, vent, loss Q, W(B), C1, L1) when it is not finite. Each step refuses
// only on the values it reads. Nothing when every value is usable.
std::optional<std::string> UnusableDesignValue(const CSpkSys& s);

} // namespace cw::engine
