#include "database/ImportText.h"

#include "driver/Windows1252.h"
#include "model/EditRules.h"
#include "model/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace cw::database
{

namespace
{

// The length of the UTF-8 sequence at the start of s, 0 when it is not one.
std::size_t Utf8Sequence(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t b = byte(0);
    std::size_t n = b < 0x80                ? 1
                    : b >= 0xC2 && b < 0xE0 ? 2
                    : b >= 0xE0 && b < 0xF0 ? 3
                    : b >= 0xF0 && b < 0xF5 ? 4
                                            : 0;
    if (n == 0 || n > s.size())
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    if ((b == 0xE0 && byte(1) < 0xA0) || (b == 0xED && byte(1) >= 0xA0) ||
        (b == 0xF0 && byte(1) < 0x90) || (b == 0xF4 && byte(1) >= 0x90))
        return 0;
    return n;
}

bool IsUtf8(std::string_view s)
{
    while (!s.empty()) {
        const std::size_t n = Utf8Sequence(s);
        if (n == 0)
            return false;
        s.remove_prefix(n);
    }
    return true;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    const std::size_t count = bytes.size() / 2;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto b = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return static_cast<char32_t>(bigEndian ? a << 8 | b : b << 8 | a);
    };
    for (std::size_t i = 0; i < count; ++i) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string DecodeText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    else if (bytes.starts_with("\xFF\xFE"))
        return FromUtf16(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        return FromUtf16(bytes.substr(2), true);
    return IsUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string Printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        // C1 controls (U+0080 to U+009F) are two bytes in UTF-8.
        const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                        static_cast<std::uint8_t>(text[i + 1]) >= 0x80 &&
                        static_cast<std::uint8_t>(text[i + 1]) < 0xA0;
        if (c >= 0x20 && c != 0x7F && !c1) {
            out += text[i];
            continue;
        }
        const std::uint8_t code = c1 ? static_cast<std::uint8_t>(text[++i]) : c;
        char escape[8];
        if (code == '\n' || code == '\t' || code == '\r')
            std::snprintf(escape, sizeof escape, "\\%c",
                          code == '\n'   ? 'n'
                          : code == '\t' ? 't'
                                         : 'r');
        else
            std::snprintf(escape, sizeof escape, c1 ? "\\u%04x" : "\\x%02x", code);
        out += escape;
    }
    return out;
}

std::string Abbreviated(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return std::string(text);
    std::size_t end = maxBytes;
    // Back to the first byte of a UTF-8 sequence.
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "\u2026";
}

std::size_t FirstOverlongLine(std::string_view text, bool tags)
{
    std::size_t line = 1;
    std::size_t pieceLine = 1;
    std::size_t start = 0;
    bool inPiece = !tags;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inPiece && i - start > kMaxLineBytes)
            return pieceLine;
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
            if (!tags) {
                start = i + 1;
                pieceLine = line;
            }
        } else if (tags && c == '<' && !inPiece) {
            inPiece = true;
            start = i;
            pieceLine = line;
        } else if (tags && c == '>') {
            inPiece = false;
        }
    }
    return inPiece && text.size() - start > kMaxLineBytes ? pieceLine : 0;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + (text.substr(end).starts_with("\r\n") ? 2 : 1));
    }
    return lines;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

double ReadNumber(std::string_view text, const char* label, std::vector<std::string>& findings)
{
    text = Trim(text);
    if (text.empty())
        return 0;
    std::string number(text);
    if (std::count(number.begin(), number.end(), ',') == 1 && number.find('.') == std::string::npos)
        number[number.find(',')] = '.';
    if (const std::optional<double> clean = edit::ParseNumber(number))
        return *clean;
    // A value of a million digits is quoted by its beginning.
    std::string shown = Abbreviated(text, kQuotedValueBytes);
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    const std::string quoted = std::string(label) + ": \"" + shown + "\"";
    const double leading = edit::LeadingNumber(number);
    if (leading != 0) {
        char value[32];
        std::snprintf(value, sizeof value, "%.15g", leading);
        findings.push_back(quoted + " was read as " + value + ".");
    } else if (number.find_first_not_of("+-") == std::string::npos ||
               number[number.find_first_not_of("+-")] != '0') {
        findings.push_back(quoted + " is not a number; it was left empty.");
    }
    return leading;
}

void FillTwins(DriverParams& d)
{
    if (d.nominalDiameterIn == 0)
        d.nominalDiameterIn = MmToInches(d.nominalDiameterMm);
    if (d.vasCuFt == 0)
        d.vasCuFt = LitersToCuFt(d.vasLiters);
    if (d.sdSqIn == 0)
        d.sdSqIn = SqMToSqIn(d.sdSqM);
}

} // namespace cw::database
