#pragma once

#include "model/AppSettings.h"
#include "model/CSpkSys.h"

#include <string>
#include <vector>

// How loud a system can play and what stops it: at each point of the response's frequency grid,
// the power at which the cone reaches X(max), the voice coil its thermal power P(t), the vent its
// air velocity limit or a passive radiator its own X(max), whichever comes first, and the SPL that
// power gives.
namespace cw::engine
{

enum class Limit { None, Thermal, Excursion, Vent, Radiator };

// "thermal", "excursion", "vent", "radiator", or "" for None.
const char* LimitName(Limit limit);

// A run of neighbouring grid points that one limit binds. The first band starts at the grid's
// first point, the last ends at its last; between them a band ends where the next one starts.
struct LimitBand {
    Limit limit = Limit::None;
    double lowHz = 0;
    double highHz = 0;
    bool operator==(const LimitBand&) const = default;
};

// The limits of one system; a value that does not apply is NaN.
struct Limits {
    std::vector<double> frequencies;  // Hz, the response's grid
    std::vector<double> maxSpl;       // dB SPL at P_max, with the diffraction and cabin models
    std::vector<double> maxPower;     // W of P(in), the least of the three limits
    std::vector<double> excursion;    // mm peak at the design's P(in)
    std::vector<double> ventVelocity; // m/s peak at the design's P(in); NaN without a vent
    std::vector<Limit> binding;       // the limit that sets maxPower
    std::vector<LimitBand> bands;
    std::string sentence; // the bands in words, and what is missing
};

// The limits of a system record (the workbench or a memory) on its stored grid, with the response
// model of its box type at its own drive level. The record is not changed. A record without a
// grid or that allows no response gives empty curves and a sentence that says why.
Limits CalculateLimits(const CSpkSys& s, double ventVelocityLimit = kDefaultVentVelocityLimit);

} // namespace cw::engine
