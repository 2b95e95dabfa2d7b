#include "model/EditRules.h"

#include <charconv>
#include <cmath>

namespace cw::edit
{

namespace
{

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// Length of the decimal number at the start of text (sign, digits, point, exponent), 0 if none.
std::size_t DecimalPrefix(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t start = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j > start)
            i = j;
    }
    return i;
}

// Converts a validated decimal number; nothing when it does not fit a double.
std::optional<double> Convert(std::string_view number)
{
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc{} || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

// The part after the number may hold only blanks and tabs.
bool OnlyBlanks(std::string_view rest)
{
    for (char c : rest) {
        if (!IsBlank(c))
            return false;
    }
    return true;
}

// Blanks and tabs, an optional sign and decimal digits, blanks and tabs; zero only when the first
// non-blank character is 0. Magnitudes beyond 32 bits fit no caller and are refused here.
std::optional<std::int64_t> ParseWhole(std::string_view text)
{
    text = SkipBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digitsStart || !OnlyBlanks(text.substr(i)))
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (std::size_t k = digitsStart; k < i; ++k) {
        magnitude = magnitude * 10 + (text[k] - '0');
        if (magnitude > UINT32_MAX)
            return std::nullopt;
    }
    if (magnitude == 0 && text.front() != '0')
        return std::nullopt;
    return text.front() == '-' ? -magnitude : magnitude;
}

} // namespace

std::optional<double> ParseNumber(std::string_view text)
{
    text = SkipBlanks(text);
    const std::size_t length = DecimalPrefix(text);
    if (length == 0 || !OnlyBlanks(text.substr(length)))
        return std::nullopt;
    const auto value = Convert(text.substr(0, length));
    if (!value || (*value == 0 && text.front() != '0'))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    const auto value = ParseWhole(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::uint32_t> ParseCount(std::string_view text)
{
    const auto value = ParseWhole(text);
    if (!value || *value < 0 || *value > UINT32_MAX)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

double LeadingNumber(std::string_view text)
{
    text = SkipBlanks(text);
    const std::size_t length = DecimalPrefix(text);
    if (length == 0)
        return 0;
    return Convert(text.substr(0, length)).value_or(0);
}

bool PassesEditGuard(std::string_view text)
{
    return text == "0" || LeadingNumber(text) != 0;
}

bool CanBecomeNumber(std::string_view text)
{
    if (ParseNumber(text))
        return true;
    text = SkipBlanks(text);
    const auto digitsFrom = [&](std::size_t& i) {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = digitsFrom(i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += digitsFrom(i);
    }
    // A mantissa can still grow, and an exponent still to come can bring any of them in range.
    if (i == text.size())
        return true;
    if (digits == 0 || (text[i] != 'e' && text[i] != 'E'))
        return false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    // Once the exponent has digits the number is complete: had it fit, the rule would take it.
    return i == text.size();
}

bool CanBecomeInteger(std::string_view text)
{
    if (ParseInteger(text))
        return true;
    text = SkipBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    // A signed zero is refused only until a digit other than 0 follows ("-05").
    while (i < text.size() && text[i] == '0')
        ++i;
    return i == text.size();
}

Typing WhileTyping(std::string_view text, bool taken, NumberKind kind)
{
    if (taken)
        return PassesEditGuard(text) ? Typing::Take : Typing::Wait;
    bool mendable = false;
    switch (kind) {
    case NumberKind::Real:
        mendable = CanBecomeNumber(text);
        break;
    case NumberKind::Integer:
        mendable = CanBecomeInteger(text);
        break;
    case NumberKind::Count:
        // No typing takes a minus sign away.
        mendable = CanBecomeInteger(text) && SkipBlanks(text).substr(0, 1) != "-";
        break;
    }
    return mendable ? Typing::Wait : Typing::Broken;
}

} // namespace cw::edit
