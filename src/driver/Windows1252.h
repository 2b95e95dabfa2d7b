#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts are UTF-8 in memory and Windows-1252 in driver files. The five byte values that
// Windows-1252 leaves undefined map to the control characters of the same number, so every
// byte has its own character and a text read from a file is written back byte for byte.
namespace cw
{

// One Windows-1252 byte as a Unicode code point.
char32_t Cp1252ToCodePoint(std::uint8_t byte);

// The Windows-1252 byte of a code point, or '?' for a character the code page does not hold.
std::uint8_t CodePointToCp1252(char32_t cp);

// Appends a code point to a UTF-8 text.
void AppendUtf8(std::string& out, char32_t cp);

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters the code page does not hold, and bytes that are not valid UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace cw
