#pragma once

#include "model/FileAccess.h"
#include "model/MeasuredCurve.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Measurement files as measurement programs write them: FRD (frequency, dB SPL, phase) and ZMA
// (frequency, Ohms, phase), plain text with comments anywhere.
namespace cw::measure
{

// The same limit as the driver lists and project files: far beyond any measurement.
inline constexpr std::size_t kMaxCurveFileBytes = 64u << 20;

// The kind a file's extension says (.frd a response, .zma an impedance, either case); nothing for
// any other extension, where the user says which.
std::optional<MeasuredKind> KindOfPath(const std::string& path);

// Reads a measurement file's bytes as a curve of the given kind (name, shown and offset left as
// out had them). A line is data when it starts with two or three numbers separated by blanks,
// tabs, commas or semicolons (on a line with semicolons, a comma is a decimal comma); lines
// starting with * # ; or " and lines starting with text are comments. Rows are sorted by
// frequency and a repeated frequency keeps its first row; rows at 0 Hz or below are dropped. On
// failure returns the message for the user, with %1 where the file's path goes, and leaves out
// untouched.
std::optional<std::string> ParseCurve(std::string_view bytes, MeasuredKind kind,
                                      MeasuredCurve& out);

// Reads the file at path into out, named after the file; nothing of a refused file is kept.
FileResult ReadCurveFile(const std::string& path, MeasuredKind kind, MeasuredCurve& out);

} // namespace cw::measure
