#pragma once

#include "model/CalculatorValues.h"

#include <optional>
#include <string>

// The crossover and network calculations: each reads the inputs of its value group and stores the
// component values (µF, mH, Ohms, Watts) rounded with Round4. Where an input the formulas divide
// by is 0, or a result would not be finite, the calculation stores nothing and returns false, so
// the results shown before stay; negative inputs are taken as they are.
namespace cw::calc
{

bool CalcXover1OBW(Xover1OBW& g);
bool CalcXover2OBW(Xover2OBW& g);
bool CalcXover3OBW(Xover3OBW& g);
bool CalcXover1OS(Xover1OS& g);
bool CalcXover2OLR(Xover2OLR& g);
bool CalcXover4OLR(Xover4OLR& g);
// maxZ is the driver's impedance peak in Ohms, 0 when unknown (see ResonanceMaxZ). Values that
// ResonanceCompRefusal refuses store nothing.
bool CalcResonanceComp(ResonanceComp& g, double maxZ);
bool CalcInductanceComp(InductanceComp& g);
bool CalcTweeterAtten(TweeterAtten& g);

// The impedance peak the resonance compensator is designed for: maxZ, or four times the driver
// impedance when maxZ is 0 (a mechanical Q three times the electrical Q). For any driver whose
// mechanical Q lies between its electrical Q and lossless, that keeps the compensated impedance
// within -2 dB and +2.5 dB of R(e), whatever Q(t); ignoring the mechanical losses instead would
// leave dips of -3.5 dB.
double ResonanceMaxZ(const ResonanceComp& g, double maxZ);

// Why there is no resonance compensator for these values, as a sentence for the designer: a
// known Max Z at or below the driver impedance is no impedance peak. Nothing when there is one.
std::optional<std::string> ResonanceCompRefusal(const ResonanceComp& g, double maxZ);

} // namespace cw::calc
