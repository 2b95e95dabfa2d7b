#pragma once

#include "model/CSpkSys.h"

#include <cstdint>
#include <optional>

// The tube and rectangular vent calculators: a page proposes a vent from the design's minimum
// recommended vent area, lengthens it until it is at least 0.75 inch long, and gives the total
// area and the length that tune the vented chamber. Every value is kept in a metric and an
// English copy; the length is always worked in inches.
namespace cw::calc
{

// What a page copies from the workbench design when it starts.
struct VentDesignValues {
    double vbCuFt = 0;    // net volume of the vented chamber, cubic feet
    double fb = 0;        // Hz, its tuning
    double svMinSqIn = 0; // minimum recommended vent area, square inches
    double svMinSqM = 0;  // square metres
};

// The vented box, or the front chamber of a bandpass box; nothing for the closed boxes and for a
// box type the record does not name.
std::optional<VentDesignValues> DesignValuesForVent(const CSpkSys& s);

// True for the two closed box types, for which the vent calculators show the message below
// instead of opening.
bool HasClosedBox(const CSpkSys& s);
// What the vent calculators show instead of opening for a closed box type.
inline constexpr const char* kClosedBoxVentMessage =
    "You have a closed box selected.  \n\nPlease select a vented box type for vent calculations.";

// Why a page shows no length.
enum class VentProblem {
    None,
    NoDesign, // the tuning or the chamber volume is zero or not a finite number
    NoArea,   // the vent has no area (or a negative size)
    TooSmall  // even a vent without length tunes lower: the length comes out negative
};

// The sentence a page shows instead of the length; empty for None.
const char* VentProblemText(VentProblem problem);

// A page's results. The lengths are 0 unless problem is None; nothing here is ever NaN or
// infinite.
struct VentResult {
    double areaSqM = 0;
    double areaSqIn = 0;
    double lengthM = 0;
    double lengthIn = 0;
    VentProblem problem = VentProblem::NoArea;

    // True when the area and length can replace the design's.
    bool Usable() const { return problem == VentProblem::None; }
};

struct TubeVent {
    double diameterM = 0;
    double diameterIn = 0;
    std::uint32_t count = 1;
    VentResult result;
};

struct RectVent {
    double heightM = 0;
    double heightIn = 0;
    double widthM = 0;
    double widthIn = 0;
    std::uint32_t count = 1;
    VentResult result;
};

// An entered dimension (diameter, height or width) in the units it was typed in, stored into
// both copies: from metres, inches = Round5(m x 1000 / 25.4); from inches, metres =
// Round5(in x 25.4) / 1000.
void EnterDimension(double value, bool metric, double& metres, double& inches);

// The area of both copies, then the length for it.
void CalculateTubeVent(TubeVent& t, const VentDesignValues& v);
void CalculateRectVent(RectVent& r, const VentDesignValues& v);

// What a page runs after an accepted edit: the dimensions of the copy `metric` names (the one
// the page shows and the user typed) into the other copy, then the area and length.
void RecalculateTubeVent(TubeVent& t, const VentDesignValues& v, bool metric);
void RecalculateRectVent(RectVent& r, const VentDesignValues& v, bool metric);

// A page's start: the proposal for the design's minimum vent area in the copy of the unit
// setting, converted into the other copy, then lengthened (tubes added, or the opening
// enlarged) while the vent would be shorter than 0.75 inch, for at most 100 steps.
TubeVent StartTubeVent(const VentDesignValues& v, bool metric);
RectVent StartRectVent(const VentDesignValues& v, bool metric);

// Writes a usable result's area and length, both copies, into the vent of the record's vented
// chamber. False, and nothing written, for a closed box type or a result without a usable length.
bool WriteVentBack(CSpkSys& s, const VentResult& r);

// The first resonance of each of `count` equal vents, open at both ends, in Hz: c / (2 x the
// length with its end corrections 0.824 x the square root of one vent's area), c = 344.8 m/s.
// 0 when the result has no usable length.
double PipeResonanceHz(const VentResult& r, std::uint32_t count);
// Below this the vent's pipe resonance may be heard through the port.
constexpr double kPipeResonanceWarningHz = 500;

// True when the total area reaches the design's minimum recommended vent area.
bool ReachesMinimumArea(const VentResult& r, const VentDesignValues& v);

} // namespace cw::calc
