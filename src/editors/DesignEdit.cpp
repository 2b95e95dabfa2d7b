#include "editors/DesignEdit.h"

#include "engine/Design.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <cmath>
#include <utility>

namespace cw::edit
{

namespace
{

constexpr const char* kKept = "; the previous values were kept.";
constexpr const char* kNotDesigned = "; the values that follow from it were not calculated.";

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

// Why the design failed, for the user, when a value can be named.
std::string Reason(const CSpkSys& s, const char* consequence)
{
    const std::optional<std::string> problem = engine::UnusableDesignValue(s);
    return problem ? *problem + consequence : std::string();
}

// Why an edit is refused at once, when it made a value infinite: a number so large that its
// copy in the other unit overflows.
std::optional<std::string> OverflowedByEdit(CSpkSys& edited, const CSpkSys& before)
{
    bool overflowed = false;
    ForEachBlockReal(edited, before, [&](double now, double was) {
        overflowed = overflowed || (Changed(now, was) && !std::isfinite(now));
    });
    if (overflowed)
        return Reason(edited, kKept);
    for (const auto& [now, was] : {std::pair{edited.splDistanceM, before.splDistanceM},
                                   std::pair{edited.splDistanceFt, before.splDistanceFt}}) {
        if (Changed(now, was) && !std::isfinite(now))
            return std::string("The SPL distance is too large or not a number") + kKept;
    }
    return std::nullopt;
}

} // namespace

Twin TwinOf(UnitKind kind)
{
    switch (kind) {
    case UnitKind::Volume:
        return Twin::Volume;
    case UnitKind::Area:
        return Twin::Area;
    case UnitKind::Length:
        return Twin::Length;
    case UnitKind::Distance:
        return Twin::Distance;
    case UnitKind::Excursion:
        return Twin::Excursion;
    case UnitKind::Plain:
        break;
    }
    return Twin::None;
}

bool FollowTwin(const FieldRow& row, CSpkSys& s, bool metricUnits)
{
    double* other = row.Other(s, metricUnits);
    if (other == nullptr)
        return true;
    const double* shown = row.Shown(s, metricUnits);
    const double value = TwinValue(TwinOf(row.unitKind), shown == &row.metric(s), *shown);
    if (!std::isfinite(value))
        return false;
    *other = value;
    return true;
}

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
        return fromMetric ? MetresToFeet(value) : FeetToMetres(value);
    case Twin::Excursion:
        return fromMetric ? MmToInches(value) : InchesToMm(value);
    case Twin::None:
        break;
    }
    return value;
}

std::vector<DesignStep> DriverCountSteps()
{
    return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha};
}

std::vector<DesignStep> SystemEditorSteps()
{
    return {&CSpkSysDoc::CalcQtc, &CSpkSysDoc::CalcFc, &CSpkSysDoc::CalcAlpha,
            &CSpkSysDoc::CalcRadiatorTuning};
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
    if (std::optional<std::string> reason = OverflowedByEdit(wb, before)) {
        wb = before;
        return {false, true, std::move(*reason)};
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

bool RunFollowingSteps(CSpkSysDoc& doc, const std::vector<DesignStep>& steps)
{
    const CSpkSys start = doc.workbench();
    if (StepsSucceed(doc, steps))
        return true;
    doc.workbench() = start;
    return false;
}

} // namespace cw::edit
