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

EditOutcome VentPages::WriteBack(const calc::VentPageModel& page)
{
    if (!page.WriteBack(doc_.workbench()))
        return Refused(std::string(calc::VentProblemText(page.result().problem)) +
                       " The design was kept.");
    doc_.SetModified();
    return {};
}

EditOutcome VentPages::Start(bool tubes, bool metric)
{
    calc::VentPageModel& page = Page(tubes);
    if (!page.Start(doc_.workbench(), metric))
        return Refused(calc::kClosedBoxVentMessage);
    return WriteBack(page);
}

EditOutcome VentPages::Edit(bool metric, std::string_view path, std::string_view text)
{
    const bool tubes = path.starts_with(kTubePrefix);
    const std::string_view name = path.substr((tubes ? kTubePrefix : kRectPrefix).size());
    calc::VentPageModel& page = Page(tubes);
    bool metricCopy = metric;
    const calc::VentField* dimension = page.FindDimension(name, metricCopy);
    if (!IsVentPath(path) || (dimension == nullptr && name != "count"))
        return {EditOutcome::Kind::NotAField,
                "\"" + std::string(path) + "\" is not a field of the vent calculators."};
    if (!page.started() && !page.Start(doc_.workbench(), metric))
        return Refused(calc::kClosedBoxVentMessage);

    if (dimension == nullptr) {
        const std::optional<std::uint32_t> count = edit::ParseCount(text);
        if (!count)
            return Refused(edit::kEnterPositiveInteger);
        page.EnterCount(*count, metric);
    } else {
        const std::optional<double> value = edit::ParseNumber(text);
        if (!value)
            return Refused(edit::kEnterNumber);
        // The typed copy, and the units it is in, lead the conversion into the other copy.
        page.EnterDimension(*dimension, metricCopy, *value);
    }
    return WriteBack(page);
}

} // namespace cw::cli
