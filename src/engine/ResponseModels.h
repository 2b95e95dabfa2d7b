#pragma once

#include "engine/WorkingValues.h"
#include "model/CSpkSys.h"
#include "model/PlotSettings.h"

// The three response models. Each fills the record's curves over its frequency grid (the first
// storedPoints() points) for the kinds whose show switch is on, writes 0 into the others and sets
// the curve flags to match; the kinds a model does not compute get flag 0.
namespace cw::engine
{

// Normalised vented-box model; the closed box is a vented box tuned to almost 0 Hz.
struct VentedBoxInputs {
    double v;  // cubic feet, box volume
    double fb; // Hz, tuning
    double ql; // box loss Q
};
void VentedBoxResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                       const VentedBoxInputs& in);

// Six-pole equivalent circuit: driver, closed chamber, vented chamber and a series L-C.
struct SixPoleInputs {
    double v1; // cubic feet, closed chamber
    double v2; // cubic feet, vented chamber
    double fp; // Hz, vented chamber tuning
    double qp; // vented chamber loss Q
    double c;  // farads, series capacitor
    double l;  // henrys, series inductor
};
void SixPoleResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                     const SixPoleInputs& in);

// Four-pole symmetric bandpass: closed rear chamber, vented front chamber.
struct FourPoleInputs {
    double v1;  // cubic feet, rear chamber
    double v2;  // cubic feet, front chamber
    double fb;  // Hz, front chamber tuning
    double qtc; // closed-box Q of the rear chamber, as designed
    double ql2; // leakage loss Q
    double qa2; // absorption loss Q
};
void FourPoleResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                      const FourPoleInputs& in);

// Passive radiator box: the driver on a box whose compliance, leakage and radiators (each a
// mass, compliance and loss) lie in parallel. Also gives the radiators' excursion.
struct RadiatorInputs {
    double v;     // cubic feet, box volume
    double ql;    // box loss Q at the box tuning
    double count; // radiators in the box
    double sd;    // square metres, one radiator's area
    double cms;   // m/N, one radiator's compliance
    double mms;   // kg, one radiator's moving mass with its added mass
    double rms;   // kg/s, one radiator's mechanical loss
};
void RadiatorBoxResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show,
                         const RadiatorInputs& in);

// The response of each box type: its model with the inputs taken from its design block.
void Response2OCB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void Response3OCB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void Response4OVB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void Response4OSBP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void Response5OABP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void Response6OSBP(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);
void ResponsePRB(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);

// The response operation of the record's box type; false for a box type that matches none.
bool RunResponse(CSpkSys& s, const WorkingValues& w, const DisplaySwitches& show);

} // namespace cw::engine
