#include "cli/VentCalcEdit.h"

#include "model/EditRules.h"

#include <string>

namespace cw::cli
{

namespace
{

constexpr std::string_view kTubePrefix = "tubeVent.";
constexpr std::string_view kRectPrefix = "rectVent.";

EditOutcome Refused(std::string message)
{
    return {EditOutcome::Kind::Refused, std::move(message)};
}

} // namespace

bool VentPages::IsVentPath(std::string_view path)
{
    return path.starts_with(kTubePrefix) || path.starts_with(kRectPrefix);
}

EditOutcome VentPages::WriteBack(const calc::VentResult& result)
{
    if (!calc::WriteVentBack(doc_.workbench(), result))
        return Refused(std::string(calc::VentProblemText(result.problem)) +
                       " The design was kept.");
    doc_.SetModified();
    return {};
}

bool VentPages::Begin(bool tubes, bool metric)
{
    if (calc::HasClosedBox(doc_.workbench()))
        return false;
    const calc::VentDesignValues design =
        calc::DesignValuesForVent(doc_.workbench()).value_or(calc::VentDesignValues{});
    if (tubes)
        tube_ = {calc::StartTubeVent(design, metric), design};
    else
        rect_ = {calc::StartRectVent(design, metric), design};
    return true;
}

EditOutcome VentPages::Start(bool tubes, bool metric)
{
    if (!Begin(tubes, metric))
        return Refused(calc::kClosedBoxVentMessage);
    return WriteBack(tubes ? tube_->vent.result : rect_->vent.result);
}

EditOutcome VentPages::Edit(bool metric, std::string_view path, std::string_view text)
{
    const bool tubes = path.starts_with(kTubePrefix);
    const std::string_view field = path.substr((tubes ? kTubePrefix : kRectPrefix).size());
    const bool known = tubes ? field == "diameterM" || field == "diameterIn" || field == "count"
                             : field == "heightM" || field == "heightIn" || field == "widthM" ||
                                   field == "widthIn" || field == "count";
    if (!IsVentPath(path) || !known)
        return {EditOutcome::Kind::NotAField,
                "\"" + std::string(path) + "\" is not a field of the vent calculators."};
    const bool started = tubes ? tube_.has_value() : rect_.has_value();
    if (!started && !Begin(tubes, metric))
        return Refused(calc::kClosedBoxVentMessage);

    if (field == "count") {
        const std::optional<std::uint32_t> count = edit::ParseCount(text);
        if (!count)
            return Refused(edit::kEnterPositiveInteger);
        if (tubes) {
            tube_->vent.count = *count;
            calc::RecalculateTubeVent(tube_->vent, tube_->design, metric);
        } else {
            rect_->vent.count = *count;
            calc::RecalculateRectVent(rect_->vent, rect_->design, metric);
        }
    } else {
        const std::optional<double> value = edit::ParseNumber(text);
        if (!value)
            return Refused(edit::kEnterNumber);
        // The typed copy, and the units it is in, lead the conversion into the other copy.
        const bool metricCopy = field.ends_with('M');
        if (tubes) {
            calc::TubeVent& t = tube_->vent;
            (metricCopy ? t.diameterM : t.diameterIn) = *value;
            calc::RecalculateTubeVent(t, tube_->design, metricCopy);
        } else {
            calc::RectVent& r = rect_->vent;
            if (field.starts_with("height"))
                (metricCopy ? r.heightM : r.heightIn) = *value;
            else
                (metricCopy ? r.widthM : r.widthIn) = *value;
            calc::RecalculateRectVent(r, rect_->design, metricCopy);
        }
    }
    return WriteBack(tubes ? tube_->vent.result : rect_->vent.result);
}

} // namespace cw::cli
