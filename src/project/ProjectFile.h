#pragma once

#include "model/CSpkSysDoc.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The project file (.spk): the whole document as JSON, an object with "format" and "version"
// followed by the document's members under their field names.
namespace cw
{

inline constexpr const char* kProjectFormatName = "conewright-project";
inline constexpr int kProjectFormatVersion = 1;
// A full project with every curve is a few megabytes; anything far larger is no project.
inline constexpr std::size_t kMaxProjectFileBytes = 64u << 20;

// The text of the project file that holds data. Non-finite numbers are written as null and only
// the first pointCount points of each curve are written.
std::string SerializeProject(const ProjectData& data);

// Reads a project file's text into out. Missing keys keep their defaults and unknown keys are
// ignored. On failure returns the message for the user, with %1 where the file's path goes, and
// leaves out untouched.
std::optional<std::string> ParseProject(std::string_view text, ProjectData& out);

} // namespace cw
