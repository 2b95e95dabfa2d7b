#include "cli/PanelEdit.h"

#include "cli/FieldPath.h"
#include "editors/DesignEdit.h"

#include <algorithm>

namespace cw::cli
{

namespace
{

// The typed row of the System Editor's Details page that shows a field of the current box type's
// block with these units; null when none does.
const FieldRow* EditorRowOf(CSpkSys& wb, const FieldRef& ref, bool metric)
{
    const BoxDescription* box = DescribeBox(wb.boxType());
    const auto* real = std::get_if<double*>(&ref);
    if (box == nullptr || real == nullptr)
        return nullptr;
    const bool inBlock =
        std::any_of(box->fields.begin(), box->fields.end(), [&](const BoxField& f) {
            return &f.metric(wb) == *real || (f.english != nullptr && &f.english(wb) == *real);
        });
    for (const FieldRow& row : box->editorRows) {
        if (inBlock && !row.readOnly && row.integer == nullptr && row.Shown(wb, metric) == *real)
            return &row;
    }
    return nullptr;
}

} // namespace

EditOutcome PanelEditor::EditPanelField(bool metric, std::string_view path, std::string_view text)
{
    CSpkSys& wb = doc_.workbench();
    const std::string name(path);
    const std::optional<FieldRef> ref = FindField(wb, path);
    if (!ref)
        return {EditOutcome::Kind::NotAField, "\"" + name + "\" is not a field of the system."};

    if (!panels_ || panels_->metric() != metric)
        panels_.emplace(doc_, metric);
    edit::TypedPanels::Place place;
    if (auto* real = std::get_if<double*>(&*ref))
        place = panels_->Find(*real);
    else if (auto* integer = std::get_if<std::int32_t*>(&*ref))
        place = panels_->Find(*integer);

    if (place.form != nullptr) {
        const edit::FormEdit edit = panels_->Type(place, text);
        using Result = edit::FormEdit::Result;
        // An edit made before the box is designed far enough is kept without the results that
        // cannot be used, as on the panels; one that breaks a working design is refused.
        if (edit.result == Result::Refused || (edit.result == Result::Unusable && edit.restored))
            return {EditOutcome::Kind::Refused, edit.message};
        return {};
    }

    // A driver parameter changes the closed-box values that follow from it, as the system
    // editor's driver pages do; the panels then show the workbench afresh.
    if (path.starts_with("driver.") && std::holds_alternative<double*>(*ref)) {
        const CSpkSys before = wb;
        if (std::optional<std::string> refused = AssignText(*ref, text))
            return {EditOutcome::Kind::Refused, *refused};
        Forget();
        const edit::StepsOutcome outcome =
            edit::RunDesignSteps(doc_, before, edit::DriverCountSteps());
        if (outcome.restored && !outcome.reason.empty())
            return {EditOutcome::Kind::Refused, outcome.reason};
        if (outcome.restored)
            return {EditOutcome::Kind::Refused,
                    "The value \"" + std::string(text) + "\" of " + name +
                        " gives no usable design; the previous values were kept."};
        doc_.SetModified();
        return {};
    }

    // A value of the box that only the System Editor shows is typed there: its other copy
    // follows, and closing the editor designs the box again.
    if (const FieldRow* row = EditorRowOf(wb, *ref, metric)) {
        const CSpkSys before = wb;
        if (std::optional<std::string> refused = AssignText(*ref, text))
            return {EditOutcome::Kind::Refused, *refused};
        Forget();
        const bool follows = edit::FollowTwin(*row, wb, metric);
        const edit::StepsOutcome outcome =
            edit::RunDesignSteps(doc_, before, edit::SystemEditorSteps());
        if (!follows || outcome.restored) {
            wb = before;
            return {EditOutcome::Kind::Refused,
                    !outcome.reason.empty()
                        ? outcome.reason
                        : "The value \"" + std::string(text) + "\" of " + name +
                              " gives no usable design; the previous values were kept."};
        }
        doc_.SetModified();
        return {};
    }

    if (auto* real = std::get_if<double*>(&*ref); real && panels_->IsOtherCopy(*real))
        return {EditOutcome::Kind::NotAField,
                "\"" + name + "\" is not shown with " + (metric ? "metric" : "English") +
                    " units; edit its other copy or choose the other units."};
    return {EditOutcome::Kind::NotAField, "\"" + name +
                                              "\" is not a field of the driver panel or of the " +
                                              std::string(BoxTypeName(wb.boxType())) + " panel."};
}

} // namespace cw::cli
