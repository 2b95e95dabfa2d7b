#include "editors/PanelForm.h"

#include "editors/DesignEdit.h"
#include "model/BoxTable.h"
#include "model/EditRules.h"
#include "model/NumberFormat.h"
#include "model/SoundLevel.h"
#include "model/Units.h"

#include <algorithm>

namespace cw::edit
{

namespace
{

// Both copies of every quantity the steps design, in the workbench's block.
std::vector<const double*> DesignedBy(const std::vector<DesignStep>& steps, CSpkSys& wb)
{
    std::vector<const double*> fields;
    const BoxDescription* box = DescribeBox(wb.boxType());
    if (box == nullptr)
        return fields;
    for (DesignStep step : steps) {
        for (BoxQuantity q : DesignedQuantities(step)) {
            const BoxField* f = box->Find(q);
            if (f == nullptr)
                continue;
            fields.push_back(&f->metric(wb));
            if (f->english != nullptr)
                fields.push_back(&f->english(wb));
        }
    }
    return fields;
}

} // namespace

void PanelForm::Load(const CSpkSys& wb, bool metric)
{
    metric_ = metric;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        LoadRow(i, wb);
}

void PanelForm::LoadRow(int i, const CSpkSys& wb)
{
    if (!Present(i))
        return;
    const FieldRow& r = row(i);
    const double value = r.Value(wb, metric_);
    if (r.integer != nullptr)
        texts_.SetText(i, std::to_string(static_cast<std::int32_t>(value)));
    else
        texts_.SetText(i, metric_ && r.shortInMetric ? FormatShown(value) : FormatNumber(value));
}

void PanelForm::Show(int i, const CSpkSys& wb)
{
    texts_.SetText(i, FormatShown(row(i).Value(wb, metric_)));
}

const char* PanelForm::BrokenRule(int i) const
{
    const FieldRow& r = row(i);
    const std::string text = texts_.Text(i);
    if (r.integer != nullptr)
        return ParseInteger(text) ? nullptr : kEnterInteger;
    return ParseNumber(text) ? nullptr : kEnterNumber;
}

PanelForm::Typing PanelForm::WhileTyping(int i) const
{
    return edit::WhileTyping(texts_.Text(i), BrokenRule(i) == nullptr,
                             row(i).integer ? NumberKind::Integer : NumberKind::Real);
}

void PanelForm::Store(CSpkSys& wb)
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (!Present(i))
            continue;
        const FieldRow& r = row(i);
        const std::string text = texts_.Text(i);
        if (r.integer != nullptr) {
            if (const std::optional<std::int32_t> value = ParseInteger(text))
                r.integer(wb) = *value;
        } else if (const std::optional<double> value = ParseNumber(text)) {
            *r.Shown(wb, metric_) = *value;
        }
    }
}

FormEdit PanelForm::Edit(CSpkSysDoc& doc, int i)
{
    if (const char* broken = BrokenRule(i))
        return {FormEdit::Result::Refused, i, broken};
    CSpkSys& wb = doc.workbench();
    const CSpkSys before = wb;
    FormEdit result;
    Store(wb);
    const FieldRow& r = row(i);
    // The keystrokes of one field are one step: the key is the field, not its unit copy.
    const std::string name = r.Name(metric_);
    doc.Changed("Edit " + name, "panel " + name);

    // A Q(tc) designs the box volume, which exists only above the driver's Q(ts).
    const bool designsVolume = !r.steps.empty() && r.steps.front() == &CSpkSysDoc::CalcBoxVolume;
    if (designsVolume && !QtcUsable(*r.Shown(wb, metric_), wb.driver.qts)) {
        wb = before;
        return {FormEdit::Result::Unusable, -1, QtcTooLowMessage(wb.driver.qts), true};
    }

    std::vector<const double*> changed;
    if (double* other = r.Other(wb, metric_)) {
        const double* shown = r.Shown(wb, metric_);
        *other = TwinValue(TwinOf(r.unitKind), shown == &r.metric(wb), *shown);
        changed.push_back(other);
    }
    // The steps refuse a value whose other copy overflowed, also for a row that runs none.
    if (!r.steps.empty() || !changed.empty()) {
        const StepsOutcome outcome = RunDesignSteps(doc, before, r.steps);
        if (!outcome.ok) {
            std::string why = !outcome.reason.empty() ? outcome.reason
                              : designsVolume         ? QtcTooLowMessage(wb.driver.qts)
                                                      : r.unusable;
            return {FormEdit::Result::Unusable, -1, std::move(why), outcome.restored};
        }
    }
    if (!r.steps.empty()) {
        result.designed = true;
        for (const double* f : DesignedBy(r.steps, wb))
            changed.push_back(f);
    }
    if (!r.follows.empty()) {
        if (RunFollowingSteps(doc, r.follows)) {
            result.designed = true;
            for (const double* f : DesignedBy(r.follows, wb))
                changed.push_back(f);
        } else {
            result.message = r.unfollowed;
        }
    }
    if (r.setsLevel && doc.display.splMode == 1) {
        if (std::optional<std::string> why = WhyNoSoundLevel(wb))
            result.message = *why;
    }

    // The other rows show what the edit changed, at four digits.
    bool storeAgain = false;
    for (int j = 0; j < static_cast<int>(rows_.size()); ++j) {
        const double* shown = Present(j) ? row(j).Shown(wb, metric_) : nullptr;
        if (j == i || shown == nullptr ||
            std::find(changed.begin(), changed.end(), shown) == changed.end())
            continue;
        Show(j, wb);
        storeAgain = storeAgain || row(j).storedWhenShown;
    }
    if (storeAgain)
        Store(wb);
    return result;
}

FormEdit PanelForm::Leave(CSpkSysDoc& doc, int i)
{
    if (const char* broken = BrokenRule(i))
        return {FormEdit::Result::Refused, i, broken};
    if (PassesEditGuard(texts_.Text(i)))
        return {};
    return Edit(doc, i);
}

int PanelForm::Find(const double* field, CSpkSys& wb) const
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (Present(i) && row(i).Shown(wb, metric_) == field)
            return i;
    }
    return -1;
}

int PanelForm::Find(const std::int32_t* field, CSpkSys& wb) const
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (Present(i) && row(i).integer != nullptr && &row(i).integer(wb) == field)
            return i;
    }
    return -1;
}

bool PanelForm::IsOtherCopy(const double* field, CSpkSys& wb) const
{
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (Present(i) && row(i).Other(wb, metric_) == field)
            return true;
    }
    return false;
}

const std::vector<FieldRow>& DriverPanelRows()
{
    static const std::vector<FieldRow> kRows = [] {
        FieldRow drivers;
        drivers.title = "No. Drivers";
        drivers.symbol = "N =";
        drivers.integer = [](CSpkSys& s) -> std::int32_t& { return s.driverCount; };
        drivers.steps = DriverCountSteps();
        drivers.setsLevel = true;
        drivers.unusable = "The number of drivers must leave a box volume greater than 0 per "
                           "driver; the design was kept.";

        FieldRow metres;
        metres.title = "SPL @";
        metres.unitKind = UnitKind::Distance;
        metres.metric = [](CSpkSys& s) -> double& { return s.splDistanceM; };
        metres.english = [](CSpkSys& s) -> double& { return s.splDistanceFt; };
        metres.copy = FieldRow::Copy::Metric;
        metres.setsLevel = true;
        FieldRow feet = metres;
        feet.copy = FieldRow::Copy::EnglishOnly;

        FieldRow power;
        power.title = "Input Power";
        power.symbol = "P(in) =";
        power.unit = "W";
        power.metric = [](CSpkSys& s) -> double& { return s.inputPower; };
        power.setsLevel = true;
        return std::vector<FieldRow>{drivers, metres, feet, power};
    }();
    return kRows;
}

bool FollowSplDistance(CSpkSys& wb)
{
    const double feet = Round4(wb.splDistanceM * 3.2808);
    if (feet == wb.splDistanceFt)
        return false;
    wb.splDistanceFt = feet;
    return true;
}

} // namespace cw::edit
