#pragma once

#include "model/BoxTable.h"
#include "model/CSpkSysDoc.h"

#include <string>
#include <vector>

// What typing a value into the driver panel or a box panel sets off: the copy of the value in
// the other unit system, and the design steps that follow, guarded against results no box can
// have. The panels and the command-line tool's --edit share these rules.
namespace cw::edit
{

using cw::DesignStep;

// How the other unit's copy of a typed quantity follows it.
enum class Twin { None, Volume, Area, Length, Distance, Excursion };

// The other unit's copy of value; fromMetric says the typed copy is the metric one (liters,
// square metres, metres, mm).
double TwinValue(Twin twin, bool fromMetric, double value);
// How a row's other copy follows it.
Twin TwinOf(UnitKind kind);
// Writes the other copy of a real row from the copy the units show; false, writing nothing, when
// it overflows.
bool FollowTwin(const FieldRow& row, CSpkSys& s, bool metricUnits);

// The design steps that typing a box volume (V(B) or V(B1)), a Q(tc), or the number of drivers
// runs. Closed boxes also recompute their resonance.
using cw::QtcSteps;
using cw::VolumeSteps;
std::vector<DesignStep> DriverCountSteps();
// The steps closing the System Editor runs: the closed-box values, and the passive radiator
// box's tuning from the radiator values typed there.
std::vector<DesignStep> SystemEditorSteps();

// A box exists only for a Q(tc) above the driver's Q(ts); a negative Q(tc) would otherwise give
// the volume of its magnitude.
bool QtcUsable(double qtc, double qts);
std::string QtcTooLowMessage(double qts);

struct StepsOutcome {
    bool ok = true;        // every step gave a usable result
    bool restored = false; // the workbench went back to `before`
    std::string reason;    // when not ok: the value that failed the design, for the user, if known
};

// Runs the steps on the workbench after an edit (before: the workbench as it was before the
// edit). An edit whose value overflows in its copy in the other unit is refused outright. A step
// that divides by zero, reads an unusable value or gives a negative or non-finite value is not
// usable. Then the workbench goes back to `before` when the design worked with the previous
// values; otherwise (the box was not designed far enough yet) it keeps what was typed but no
// unusable result.
StepsOutcome RunDesignSteps(CSpkSysDoc& doc, const CSpkSys& before,
                            const std::vector<DesignStep>& steps);

// Runs steps that follow an edit where they can: when one of them has no usable result the
// workbench is as it was before them, and the result is false.
bool RunFollowingSteps(CSpkSysDoc& doc, const std::vector<DesignStep>& steps);

} // namespace cw::edit
