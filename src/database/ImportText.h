#pragma once

#include "model/DriverParams.h"

#include <string>
#include <string_view>
#include <vector>

// What the importers of text formats share: the text of a file as UTF-8 whatever its encoding,
// lines with any line end, and numbers as people and programs write them.
namespace cw::database
{

// The file's text as UTF-8 without byte-order mark: UTF-16 when a mark says so, UTF-8 when the
// bytes are valid UTF-8, else Windows-1252.
std::string DecodeText(std::string_view bytes);

// The text with every control character written as an escape (\n, \t, \x1b …), so that printed
// on a terminal it stays on its line and sends no command.
std::string Printable(std::string_view text);

// How much of a value a finding quotes.
inline constexpr std::size_t kQuotedValueBytes = 40;

// At most maxBytes of text, cut between characters, with "…" where it was cut: what a finding
// quotes of a value and what a window lays out of a long text.
std::string Abbreviated(std::string_view text, std::size_t maxBytes);

// No line of a driver list, and no tag of an XML one, is longer than this.
inline constexpr std::size_t kMaxLineBytes = 65536;

// The number (from 1) of the first line longer than kMaxLineBytes, or with tags of the line
// where the first tag (from '<' to '>') longer than that begins; 0 when there is none.
std::size_t FirstOverlongLine(std::string_view text, bool tags);

// Lines split at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text);

// Without blanks, tabs and one pair of enclosing quotes.
std::string_view Trim(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A value of a file as a number: blanks around it, a decimal point or a decimal comma. Blank
// gives 0 ("not given"). A value that is not a clean number is read as its leading number,
// and one without a number as 0; both leave a finding that names label and the text.
double ReadNumber(std::string_view text, const char* label, std::vector<std::string>& findings);

// One numeric field an importer fills, with the factor from the file's unit to the record's.
struct NumericField {
    const char* label; // as findings name it: "V(as)"
    double DriverParams::*field;
    double factor;
};

// The copies in the other unit system, from the metric ones an import filled.
void FillTwins(DriverParams& d);

} // namespace cw::database
