#pragma once

#include "model/CSpkSysDoc.h"

#include <string>
#include <string_view>

// Typing a value into a field of the driver panel or of the workbench panel: the field and its
// twin in the other unit are written and the design steps that field runs follow.
namespace cw::cli
{

struct EditOutcome {
    enum class Kind { Done, NotAField, Refused } kind = Kind::Done;
    std::string message; // for NotAField and Refused
};

// path names a workbench field by its project-file path; with metric units the panels show the
// metric copy of a paired quantity, otherwise the English one. The design steps follow the
// panels' rules: an edit that breaks a working design is refused and the workbench left as it was.
EditOutcome EditPanelField(CSpkSysDoc& doc, bool metric, std::string_view path,
                           std::string_view text);

} // namespace cw::cli
