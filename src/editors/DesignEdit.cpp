#include "editors/DesignEdit.h"

#include "model/NumberFormat.h"
#include "model/Units.h"

#include <cmath>
#include <type_traits>

namespace cw::edit
{

namespace
{

// Calls fn(now, reference) for every real of the design block of the record's box type.
template <class Fn> void ForEachBlockReal(CSpkSys& now, const CSpkSys& reference, Fn fn)
{
    auto pairUp = [&](auto& nowBlock, const auto& referenceBlock) {
        std::vector<double*> nowFields;
        std::vector<const double*> referenceFields;
        using Block = std::decay_t<decltype(nowBlock)>;
        Block::Fields(nowBlock, [&](const char*, double& v) { nowFields.push_back(&v); });
        Block::Fields(referenceBlock,
                      [&](const char*, const double& v) { referenceFields.push_back(&v); });
        for (std::size_t i = 0; i < nowFields.size(); ++i)
            fn(*nowFields[i], *referenceFields[i]);
    };
    switch (now.boxType()) {
    case BoxType::Closed2:
        return pairUp(now.closed2, reference.closed2);
    case BoxType::Closed3:
        return pairUp(now.closed3, reference.closed3);
    case BoxType::Vented4:
        return pairUp(now.vented4, reference.vented4);
    case BoxType::Bandpass4:
        return pairUp(now.bandpass4, reference.bandpass4);
    case BoxType::Bandpass5:
        return pairUp(now.bandpass5, reference.bandpass5);
    case BoxType::Bandpass6:
        return pairUp(now.bandpass6, reference.bandpass6);
    case BoxType::None:
        return;
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
        return fromMetric ? MetresToFeet(value) : FeetToMetres(value);
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
