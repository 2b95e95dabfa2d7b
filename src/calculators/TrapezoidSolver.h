#pragma once

#include "calculators/BoxLockRules.h"
#include "calculators/SolveGuard.h"
#include "model/CalculatorValues.h"

#include <vector>

// The trapezoidal box: a top view with the narrow wall W1 and the wide wall W2 parallel, D apart,
// each side wall at the trapezoid angle to the depth direction. Two relations hold:
// Vc = H × D × (W1 + W2) / 2 and W2 − W1 = 2 × D × tan(angle); the routines S0 to S11 each solve
// some of H, W1, W2, D and the angle from the others and the gross volume.
namespace cw::calc
{

inline constexpr const char* kAngleRange =
    "The trapezoid angle must be at least 0 and below 90 degrees.";
inline constexpr const char* kWidth1AboveZero = "Width 1 must be above 0.";
inline constexpr const char* kWidth2AboveZero = "Width 2 must be above 0.";
inline constexpr const char* kWidth2TooNarrow =
    "Width 2 is too narrow for this volume at this angle.";
inline constexpr const char* kWidth1Wider = "Width 1 must not be wider than width 2.";
inline constexpr const char* kWidthsAtZeroAngle =
    "At a trapezoid angle of 0 degrees width 1 and width 2 must be equal.";
inline constexpr const char* kLocksLeaveNoBox =
    "The locked values leave no box for this value; unlock one of them.";

enum class TrapRoutine { S0, S1, S2, S3, S4, S5, S6, S7, S8, S9, S10, S11 };

// One unit copy of the box; the angle in degrees.
struct TrapShape {
    double height = 0, width1 = 0, width2 = 0, depth = 0, angle = 0;
};

// The routines that solve the box for the locks (H, W1, W2, D, Angle bits; V(B) plays no part)
// and the dimensions the caller forces (the one just typed), in the order they run: the routine
// of the locks alone when nothing is forced, else one per forced dimension in the order H, W1,
// W2, D, angle. A forced dimension that is locked as well is solved as if it were only forced
// (it keeps the value just typed, and the other locks hold). Empty when the locks allow no
// solution.
std::vector<TrapRoutine> SelectTrapRoutines(LockSet locks, LockSet forced);

// Runs one routine on shape for the gross volume vc in the cube of the copy's length unit;
// every value it writes is rounded with Round5.
void RunTrapRoutine(TrapRoutine routine, TrapShape& shape, double vc, SolveGuard& guard);

// True when the shape is a trapezoidal prism of volume vc (in the cube of its length unit), to the
// precision of values rounded to five significant digits: W2 − W1 = 2 × D × tan(angle),
// 0 < W1 ≤ W2, H and D above 0, the angle at least 0 and below 90 degrees, H × D × (W1 + W2) / 2
// = vc.
bool IsTrapPrism(const TrapShape& s, double vc);

// After the user typed the dimension `typed` while the volume is free to follow the dimensions:
// makes W2 − W1 = 2 × D × tan(angle) hold again by changing one quantity that is neither locked
// nor typed. A typed width moves the other width (else the angle, else the depth); a typed depth
// turns the angle (else moves W2, else W1); a typed angle spreads both widths about their mean
// (else moves the free width, else the depth). The height takes no part. Refuses, with the
// sentence of the first way that gave no box, when none does.
void KeepTrapAngleRelation(TrapShape& s, BoxLock typed, LockSet locks, SolveGuard& guard);

// SolveDimensions of the trapezoidal page on one unit copy: runs the selected routines and
// keeps the results for the dimensions neither locked nor forced. The angle exists once; each
// copy's run writes it, and the caller keeps the English run's. What it keeps must be a prism
// of the gross volume (IsTrapPrism); when the locks keep a value a routine had to change, the
// guard refuses and nothing is written.
void SolveTrapDimensions(TrapBoxDims& d, double& angle, bool metric, LockSet locks, LockSet forced,
                         SolveGuard& guard);

} // namespace cw::calc
