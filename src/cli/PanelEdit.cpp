#include "cli/PanelEdit.h"

#include "cli/FieldPath.h"
#include "editors/DesignEdit.h"

#include <vector>

namespace cw::cli
{

namespace
{

using Step = edit::DesignStep;
using edit::Twin;

struct PanelField {
    const void* field;            // the bound field
    std::vector<Step> steps;      // the design steps an edit of it runs
    bool qtc = false;             // Q(tc): refused at or below the driver's Q(ts)
    Twin twin = Twin::None;       // how the other unit's copy follows
    double* twinCopy = nullptr;   // that copy
    bool fromMetric = false;      // the field is the metric copy
    const void* hidden = nullptr; // the copy bound only under the other units preference
};

class PanelFields
{
public:
    PanelFields(CSpkSys& wb, bool metric) : metric_(metric)
    {
        AddDriverPanel(wb);
        AddBoxPanel(wb);
    }

    const PanelField* Find(const void* field) const
    {
        for (const PanelField& f : fields_) {
            if (f.field == field)
                return &f;
        }
        return nullptr;
    }
    bool IsHiddenCopy(const void* field) const
    {
        for (const PanelField& f : fields_) {
            if (f.hidden == field)
                return true;
        }
        return false;
    }

private:
    // A paired quantity: the panel binds the copy of the units preference.
    void AddPair(double& metricCopy, double& englishCopy, Twin twin, std::vector<Step> steps = {},
                 bool qtc = false)
    {
        double& shown = metric_ ? metricCopy : englishCopy;
        double& other = metric_ ? englishCopy : metricCopy;
        fields_.push_back({&shown, std::move(steps), qtc, twin, &other, metric_, &other});
    }
    void Add(const void* field, std::vector<Step> steps = {}, bool qtc = false)
    {
        fields_.push_back({field, std::move(steps), qtc});
    }

    void AddDriverPanel(CSpkSys& wb)
    {
        Add(&wb.driverCount, edit::DriverCountSteps());
        // The metre field is always there, the foot field only with English units.
        if (metric_) {
            AddPair(wb.splDistanceM, wb.splDistanceFt, Twin::Distance);
        } else {
            fields_.push_back(
                {&wb.splDistanceM, {}, false, Twin::Distance, &wb.splDistanceFt, true});
            fields_.push_back({&wb.splDistanceFt, {}, false, Twin::Distance, &wb.splDistanceM});
        }
        Add(&wb.inputPower);
    }

    template <class Block> void AddVolumeAndQtc(Block& b, double& liters, double& cuFt, bool closed)
    {
        AddPair(liters, cuFt, Twin::Volume, edit::VolumeSteps(closed));
        Add(&b.qtc, edit::QtcSteps(closed), true);
    }

    template <class Block> void AddVent(Block& b)
    {
        AddPair(b.svSqM, b.svSqIn, Twin::Area, {&CSpkSysDoc::CalcVentLength});
        AddPair(b.lvM, b.lvIn, Twin::Length, {&CSpkSysDoc::CalcVentArea});
    }

    void AddBandpass(BandpassCommon& b)
    {
        AddVolumeAndQtc(b, b.vb1Liters, b.vb1CuFt, false);
        AddPair(b.vb2Liters, b.vb2CuFt, Twin::Volume);
        Add(&b.fb2);
        AddVent(b);
    }

    void AddBoxPanel(CSpkSys& wb)
    {
        switch (wb.boxType()) {
        case BoxType::Closed2:
            AddVolumeAndQtc(wb.closed2, wb.closed2.vbLiters, wb.closed2.vbCuFt, true);
            break;
        case BoxType::Closed3:
            AddVolumeAndQtc(wb.closed3, wb.closed3.vbLiters, wb.closed3.vbCuFt, true);
            Add(&wb.closed3.c1);
            break;
        case BoxType::Vented4:
            AddVolumeAndQtc(wb.vented4, wb.vented4.vbLiters, wb.vented4.vbCuFt, false);
            Add(&wb.vented4.fb, {&CSpkSysDoc::EstimateDriverAndVent});
            AddVent(wb.vented4);
            break;
        case BoxType::Bandpass4:
            AddBandpass(wb.bandpass4);
            break;
        case BoxType::Bandpass5:
            AddBandpass(wb.bandpass5);
            Add(&wb.bandpass5.l1);
            break;
        case BoxType::Bandpass6:
            AddBandpass(wb.bandpass6);
            Add(&wb.bandpass6.c1);
            Add(&wb.bandpass6.l1);
            break;
        case BoxType::None:
            break;
        }
    }

    bool metric_;
    std::vector<PanelField> fields_;
};

// The address a field reference points to.
const void* Address(const FieldRef& ref)
{
    return std::visit([](auto* p) -> const void* { return p; }, ref);
}

} // namespace

EditOutcome EditPanelField(CSpkSysDoc& doc, bool metric, std::string_view path,
                           std::string_view text)
{
    CSpkSys& wb = doc.workbench();
    const std::string name(path);
    const std::optional<FieldRef> ref = FindField(wb, path);
    if (!ref)
        return {EditOutcome::Kind::NotAField, "\"" + name + "\" is not a field of the system."};

    // A driver parameter changes the closed-box values that follow from it, as the system
    // editor's driver pages do.
    const bool driverValue = path.starts_with("driver.") && std::holds_alternative<double*>(*ref);
    const PanelFields panel(wb, metric);
    const PanelField* field = panel.Find(Address(*ref));
    const PanelField driverField{Address(*ref), edit::DriverCountSteps()};
    if (field == nullptr && driverValue)
        field = &driverField;
    if (field == nullptr) {
        if (panel.IsHiddenCopy(Address(*ref)))
            return {EditOutcome::Kind::NotAField,
                    "\"" + name + "\" is not shown with " + (metric ? "metric" : "English") +
                        " units; edit its other copy or choose the other units."};
        return {EditOutcome::Kind::NotAField,
                "\"" + name + "\" is not a field of the driver panel or of the " +
                    std::string(BoxTypeName(wb.boxType())) + " panel."};
    }

    const CSpkSys before = wb;
    if (std::optional<std::string> refused = AssignText(*ref, text))
        return {EditOutcome::Kind::Refused, *refused};

    if (field->qtc && !edit::QtcUsable(*std::get<double*>(*ref), wb.driver.qts)) {
        wb = before;
        return {EditOutcome::Kind::Refused, edit::QtcTooLowMessage(wb.driver.qts)};
    }
    if (field->twin != Twin::None)
        *field->twinCopy =
            edit::TwinValue(field->twin, field->fromMetric, *std::get<double*>(*ref));
    // As on the panels: an edit that breaks a working design is refused; one made before the box
    // is designed far enough is kept without the results that cannot be used.
    const edit::StepsOutcome outcome = edit::RunDesignSteps(doc, before, field->steps);
    if (outcome.restored && !outcome.reason.empty())
        return {EditOutcome::Kind::Refused, outcome.reason};
    if (outcome.restored)
        return {EditOutcome::Kind::Refused, "The value \"" + std::string(text) + "\" of " + name +
                                                " gives no usable design; the previous values "
                                                "were kept."};
    doc.SetModified();
    return {};
}

} // namespace cw::cli
