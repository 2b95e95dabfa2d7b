#include "engine/WorkingValues.h"

#include "model/CompleteDriver.h"

namespace cw::engine
{

WorkingValues MakeWorkingValues(const CSpkSys& s)
{
    const DriverParams& d = s.driver;
    WorkingValues w;
    w.n = s.driverCount;
    w.i = s.isobaricFactor;
    w.fs = d.fs;
    w.qts = d.qts;
    w.qes = d.qes;
    w.qms = d.qms;
    w.veff = d.vasCuFt / w.i;
    w.re = CompleteDriver::WorkingRe(d);
    w.rs = 0;
    w.p = s.inputPower;
    return w;
}

void ApplySeriesResistance(WorkingValues& w, const CSpkSys& s)
{
    if (HasPhaseDelayImpedance(s.boxType()))
        w.rs = s.seriesResistance;
    // The last fallback holds for every box type: the other models divide by R(e) as well.
    if (w.re == 0)
        w.re = 6.5;
    if (w.re != 0 && w.rs != 0 && w.qms != 0 && w.qes != 0) {
        w.qes = w.qes * (w.re + w.rs) / w.re;
        w.qts = w.qes * w.qms / (w.qes + w.qms);
        w.p = w.p * w.re / (w.re + w.rs);
    }
}

} // namespace cw::engine
