#pragma once

#include "model/CSpkSys.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Record fields named by their project-file path: "driverCount", "vented4.fb", "driver.qts",
// "extraTexts.2". The names are those of the records' field lists.
namespace cw::cli
{

using FieldRef = std::variant<double*, std::int32_t*, std::string*>;

// The single field at path, or nothing when the path names no field or a whole group.
std::optional<FieldRef> FindField(CSpkSys& s, std::string_view path);

// Writes text into the field as an edit field would take it (the number and integer rules).
// Returns the message for the user when the text is no value of the field's kind.
std::optional<std::string> AssignText(const FieldRef& field, std::string_view text);

} // namespace cw::cli
