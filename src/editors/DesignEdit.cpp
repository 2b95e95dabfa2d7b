#include "editors/DesignEdit.h"

#include "engine/Design.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <cmath>

namespace cw::edit
{

namespace
{

constexpr const char* kKept = "; the previous values were kept.";
constexpr const char* kNotDesigned = "; the values that follow from it were not calculated.";

// Calls fn(now, reference) for every real of the design block of the record's box type.
template <class Fn> void ForEachBlockReal(CSpkSys& now, const CSpkSys& reference, Fn fn)
{
    std::vector<double*> nowFields;
    std::vector<const double*> referenceFields;
    engine::VisitDesignBlock(now, [&](const char*, double& v) { nowFields.push_back(&v); });
    engine::VisitDesignBlock(reference,
                             [&](const char*, const double& v) { referenceFields.push_back(&v); });
    for (std::size_t i = 0; i < nowFields.size(); ++i)
        fn(*nowFields[i], *referenceFields[i]);
}

bool Usable(double v)
{
    return std::isfinite(v) && v >= 0;
}

// A value the steps or the edit wrote; a NaN that a damaged file left in place is no change.
bool Changed(double now, double was)
{
    return now != was && !(std::isnan(now) && std::isnan(was));
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
        if (Changed(now, was) && !Usable(now))
            ok = false;
    });
    return ok;
}

// True when the edit itself made a block value infinite: a number so large that its copy in the
// other unit overflows.
bool OverflowedByEdit(CSpkSys& edited, const CSpkSys& before)
{
    bool overflowed = false;
    ForEachBlockReal(edited, before, [&](double now, double was) {
        overflowed = overflowed || (Changed(now, was) && !std::isfinite(now));
    });
    return overflowed;
}

// Why the design failed, for the user, when a value can be named.
std::string Reason(const CSpkSys& s, const char* consequence)
{
    const std::optional<std::string> problem = engine::UnusableDesignValue(s);
    return problem ? *problem + consequence : std::string();
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

std::vector<DesignStep> VolumeSteps(bool closedBox)
{
    if (closedBox)
        return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
    return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcAlpha};
}

std::vector<DesignStep> QtcSteps(bool closedBox)
{
    if (closedBox)
        return {&CSpkSysDoc::CalcBoxVolume, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
    return {&CSpkSysDoc::CalcBoxVolume, &CSpkSysDoc::CalcAlpha};
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
    if (OverflowedByEdit(wb, before)) {
        std::string reason = Reason(wb, kKept);
        wb = before;
        return {false, true, std::move(reason)};
    }
    if (StepsSucceed(doc, steps))
        return {};

    CSpkSys after = wb;
    const std::string reason = Reason(edited, kKept);
    wb = before;
    if (StepsSucceed(doc, steps)) {
        wb = before;
        return {false, true, reason};
    }
    ForEachBlockReal(after, edited, [](double& now, double was) {
        if (!Usable(now))
            now = was;
    });
    wb = std::move(after);
    return {false, false, Reason(wb, kNotDesigned)};
}

} // namespace cw::edit
