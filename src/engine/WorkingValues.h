#pragma once

#include "model/BoxType.h"
#include "model/CSpkSys.h"

namespace cw::engine
{

// The values a response run reads instead of the record fields: copied from the workbench at the
// start of each run, then adjusted for the series resistor.
struct WorkingValues {
    double n = 1;   // number of drivers
    double i = 1;   // isobaric factor
    double fs = 0;  // Hz
    double qts = 0; // after the series-resistance rule
    double qes = 0; // after the series-resistance rule
    double qms = 0;
    double veff = 0; // cubic feet: the driver's vasCuFt / I
    double re = 0;   // Ohms
    double rs = 0;   // Ohms, series resistor (closed and vented box only)
    double p = 1;    // Watts, after the series-resistance rule
};

// The working values as copied from the record: R(e) falls back to 0.8 x the nominal impedance;
// no series resistor yet.
WorkingValues MakeWorkingValues(const CSpkSys& s);

// R(s) of the box types whose model gives the impedance (0 for the others), the last
// R(e) fallback of 6.5 Ohms, then the series-resistance rule on Q(es), Q(ts) and P.
void ApplySeriesResistance(WorkingValues& w, const CSpkSys& s);

} // namespace cw::engine
