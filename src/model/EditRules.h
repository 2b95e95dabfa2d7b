#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rules every edit field of the program follows: how a text becomes a stored value, which
// texts are left alone while the user is still typing, and how values are shown.
namespace cw::edit
{

inline constexpr const char* kEnterNumber = "Please enter a number.";
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterPositiveInteger = "Please enter a positive integer.";

// The number rule: blanks and tabs, a decimal real (sign, digits, point, exponent), blanks and
// tabs. A zero value is accepted only when the first non-blank character is the digit 0, so an
// empty text, a lone sign, "-0" or ".0" are refused, while "0" and "0.0" are taken. Values too
// large for a double are refused too.
std::optional<double> ParseNumber(std::string_view text);

// The integer rule: blanks and tabs, an optional sign and decimal digits, blanks and tabs; zero
// only when the first non-blank character is 0; the value must fit a 32-bit integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// The count rule: as the integer rule, but without a minus sign and up to the largest unsigned
// 32-bit value.
std::optional<std::uint32_t> ParseCount(std::string_view text);

// The forgiving conversion used while typing: the leading number of the text, 0 when there is
// none (an empty text, a lone sign, letters).
double LeadingNumber(std::string_view text);

// True when a changed field should be taken: its text is exactly "0" or it reads as a number
// other than zero. Empty texts, a lone sign, "." or "0." are still being typed.
bool PassesEditGuard(std::string_view text);

// True when characters can still be added to the text so that the number rule takes it: a
// number already, or one on its way such as "", "-", ".", "2.", "1e" or "1e-". False for texts
// that no typing can mend ("1.5.", "2,", "abc", an exponent beyond the range of a double).
bool CanBecomeNumber(std::string_view text);
// The same for the integer rule: an integer already, "", a lone sign, or a sign and zeros.
bool CanBecomeInteger(std::string_view text);

// The kinds of number a field's rule takes: any number, an integer, or a count (no sign).
enum class NumberKind { Real, Integer, Count };

// What a text the user is typing into a field comes to; taken tells whether the field's rule
// takes the text as it stands.
enum class Typing {
    Take,   // the rule takes it and the edit guard lets it through: the field is edited
    Wait,   // it can still become a value, or the guard holds it back ("", "-", "0.", "1e"):
            // nothing happens until the user types more or finishes the field
    Broken, // no typing can mend it ("2,", "1.5.", "abc"): nothing is stored, and finishing
            // the field refuses it
};
Typing WhileTyping(std::string_view text, bool taken, NumberKind kind);

} // namespace cw::edit
