#pragma once

#include "editors/TypedPanels.h"
#include "model/CSpkSysDoc.h"

#include <optional>
#include <string>
#include <string_view>

// Typing a value into a field of the driver panel or of the workbench panel: the field and its
// twin in the other unit are written and the design steps that field runs follow, as on the
// panels.
namespace cw::cli
{

struct EditOutcome {
    enum class Kind { Done, NotAField, Refused } kind = Kind::Done;
    std::string message; // for NotAField and Refused
};

// The panels of one document as a series of --edit options types into them. They keep what
// they show between edits, as the panels' windows do.
class PanelEditor
{
public:
    explicit PanelEditor(CSpkSysDoc& doc) : doc_(doc) {}

    // path names a workbench field by its project-file path; with metric units the panels show
    // the metric copy of a paired quantity, otherwise the English one. An edit that breaks a
    // working design is refused and the workbench left as it was.
    EditOutcome EditPanelField(bool metric, std::string_view path, std::string_view text);

    // The workbench was changed by other means: the panels show it afresh at the next edit.
    void Forget() { panels_.reset(); }

private:
    CSpkSysDoc& doc_;
    std::optional<edit::TypedPanels> panels_;
};

} // namespace cw::cli
