#pragma once

#include "database/DriverImport.h"

#include <string_view>
#include <vector>

// The text formats an import reads. Each takes the file's text as DecodeText gives it, tells
// whether the text is of its format, and reads every driver in it; the caller records the
// source.
namespace cw::database
{

// WinISD driver file: INI text with one [Driver] section, values in SI units.
bool IsWdr(std::string_view text);
std::vector<ImportedDriver> ReadWdr(std::string_view text);

// The qspeakers XML driver database: <speakers> with one <speaker .../> per driver.
bool IsSpeakerXml(std::string_view text);
std::vector<ImportedDriver> ReadSpeakerXml(std::string_view text);

// A tab-separated drivers table with a header row naming each column and its unit.
bool IsDriverTable(std::string_view text);
std::vector<ImportedDriver> ReadDriverTable(std::string_view text);

} // namespace cw::database
