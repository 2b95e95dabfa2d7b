#pragma once

#include "model/DriverParams.h"
#include "model/FileAccess.h"

#include <cstddef>
#include <string>
#include <string_view>

// The driver file (.dvr): the 98 fields of one driver back to back, no header. Integers and reals
// little-endian; texts as a length prefix and their Windows-1252 bytes.
namespace cw
{

inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";
// A driver file takes a few hundred bytes, a few kilobytes with long notes. A file beyond this is
// refused before it is read, so that a huge file can neither exhaust memory nor pass for a driver.
inline constexpr std::size_t kMaxDriverFileBytes = 1u << 20;
inline constexpr const char* kDriverFileTooLarge = "%1 is too large to be a driver file.";

// The bytes of the driver file that holds d.
std::string EncodeDriver(const DriverParams& d);

// Reads a driver file's fields into d in file order. Each field replaces d's value the moment it
// is read, so when the bytes end before the last field, the fields before that point have their
// new values and the others keep their old ones; the result is then false. Every length is
// checked against the bytes that remain before anything is allocated. Bytes after the last
// field are ignored.
bool DecodeDriver(std::string_view bytes, DriverParams& d);

// Reads a driver file into d as DecodeDriver does. A short file gives kUnexpectedFileFormat,
// and so does an empty one, which changes nothing; one larger than kMaxDriverFileBytes changes
// nothing and gives kDriverFileTooLarge.
FileResult ReadDriverFile(const std::string& path, DriverParams& d);

// Writes d to a driver file, replacing the previous file only once the new one is complete.
FileResult WriteDriverFile(const std::string& path, const DriverParams& d);

} // namespace cw
