#include "editors/DesignEdit.h"

#include "model/NumberFormat.h"
#include "model/Units.h"

#include <cmath>

namespace cw::edit
{

namespace
{

// Calls fn(now, reference) for every real of the design block of the record's box type.
template <class Fn> void ForEachBlockReal(CSpkSys& now, const CSpkSys& reference, Fn fn)
{
    const BoxDescription* box = DescribeBox(now.boxType());
    if (box == nullptr)
        return;
    // The accessors need a modifiable record; the reference is only read.
    CSpkSys& ref = const_cast<CSpkSys&>(reference);
    for (const BoxField& f : box->fields) {
        fn(f.metric(now), f.metric(ref));
        if (f.english != nullptr)
            fn(f.english(now), f.english(ref));
    }
}

bool Usable(double v)
{
    return std::isfinite(v) && v >= 0;
}

// Runs the steps; false when one of them has no result or changes a design value into one no
// box can have.
bool StepsSucceed(CSpkSysDoc& doc, const std::vector<DesignStep>& steps)
{
    const CSpkSys start = doc.workbench();
    bool ok = true;
    for (DesignStep step : steps)
        ok = (doc.*step)() && ok;
    ForEachBlockReal(doc.workbench(), start, [&](double now, double was) {
        if (now != was && !Usable(now))
            ok = false;
    });
    return ok;
}

} // namespace

double TwinValue(Twin twin, bool fromMetric, double value)
{
    switch (twin) {
    case Twin::Volume:
        return fromMetric ? LitersToCuFt(value) : CuFtToLiters(value);
    case Twin::Area:
        return fromMetric ? SqMToSqIn(value) : SqInToSqM(value);
    case Twin::Length:
        return fromMetric ? MmToInches(value * 1000) : InchesToMm(value) / 1000;
    case Twin::Distance:
        return fromMetric ? Round5(value * 3.2808) : Round5(value / 3.2808);
    case Twin::None:
        break;
    }
    return value;
}

std::vector<DesignStep> DriverCountSteps()
{
    return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
}

bool QtcUsable(double qtc, double qts)
{
    return qtc > qts;
}

std::string QtcTooLowMessage(double qts)
{
    return "Q(tc) must be greater than the driver's Q(ts) of " + FormatNumber(qts) +
           "; the box volume was kept.";
}

StepsOutcome RunDesignSteps(CSpkSysDoc& doc, const CSpkSys& before,
                            const std::vector<DesignStep>& steps)
{
    CSpkSys& wb = doc.workbench();
    const CSpkSys edited = wb;
    if (StepsSucceed(doc, steps))
        return {};

    CSpkSys after = wb;
    wb = before;
    if (StepsSucceed(doc, steps)) {
        wb = before;
        return {false, true};
    }
    ForEachBlockReal(after, edited, [](double& now, double was) {
        if (!Usable(now))
            now = was;
    });
    wb = std::move(after);
    return {false, false};
}

} // namespace cw::edit
