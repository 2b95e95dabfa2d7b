#pragma once

#include "model/CSpkSys.h"

// Corrections for the surroundings of the system, added to the SPL and phase curves that a
// response run has just filled (over the first storedPoints() points).
namespace cw::engine
{

// The 6 dB baffle-step shelf of the current box type's baffle width W(B). False, and nothing
// added, when the box type matches none (there is no width to use).
bool ApplyDiffractionLoss(CSpkSys& s);

// The 12 dB/octave cabin gain below f(3) with the cabin Q. False, and nothing added, when f(3) or Q
// is not above 0 (the gain would be infinite or undefined).
bool ApplyAutoCabin(CSpkSys& s);

// W(B) of the record's current box type, or NaN when the box type matches none.
double BaffleWidth(const CSpkSys& s);

} // namespace cw::engine
