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

// One system record as the project file holds it, as a JSON text of its own.
std::string SerializeSystem(const CSpkSys& s);

// One driver as the project file holds it, and back: the JSON form of a driver file. Reading
// starts from a new driver (all 0, empty texts) for missing keys and ignores unknown ones; on
// failure it returns the message for the user, with %1 where the file's path goes, and leaves
// out untouched.
std::string SerializeDriver(const DriverParams& d);
std::optional<std::string> ParseDriver(std::string_view text, DriverParams& out);

} // namespace cw
