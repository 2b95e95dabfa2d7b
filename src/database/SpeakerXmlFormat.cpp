#include "database/ImportFormats.h"
#include "database/ImportText.h"
#include "driver/Windows1252.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace cw::database
{

namespace
{

struct Attribute {
    const char* name;
    NumericField field;
};

// The attributes in the database's units, with the factors to the record's: V(as) liters,
// S(D) m², X(max) mm, L(e) mH, the diameter in metres.
constexpr std::array<Attribute, 15> kAttributes = {{
    {"fs", {"f(s)", &DriverParams::fs, 1}},
    {"vas", {"V(as)", &DriverParams::vasLiters, 1}},
    {"re", {"R(e)", &DriverParams::re, 1}},
    {"qts", {"Q(ts)", &DriverParams::qts, 1}},
    {"sd", {"S(D)", &DriverParams::sdSqM, 1}},
    {"xmax", {"X(max)", &DriverParams::xMax, 1}},
    {"z", {"Z", &DriverParams::nominalImpedance, 1}},
    {"le", {"L(e)", &DriverParams::le, 1}},
    {"qms", {"Q(ms)", &DriverParams::qms, 1}},
    {"qes", {"Q(es)", &DriverParams::qes, 1}},
    {"spl", {"SPL", &DriverParams::spl, 1}},
    {"pe", {"P(e)", &DriverParams::pt, 1}},
    {"bl", {"BL", &DriverParams::bl, 1}},
    {"dia", {"Diameter", &DriverParams::nominalDiameterMm, 1000}},
    {"vc", {"Voice coils", nullptr, 1}},
}};

bool IsNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == ':' || c == '.';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "&#x0010FFFF;" with room for leading zeros.
constexpr std::size_t kMaxReferenceLength = 16;

// The five named entities and character references; anything else stays as written.
std::string DecodeEntities(std::string_view raw)
{
    std::string out;
    while (!raw.empty()) {
        const std::size_t amp = raw.find('&');
        out += raw.substr(0, amp);
        if (amp == std::string_view::npos)
            break;
        raw.remove_prefix(amp);
        // A reference is short: looking further for its ';' would read the rest of the value
        // again at every '&'.
        const std::size_t semi = raw.substr(0, kMaxReferenceLength).find(';');
        const std::string_view name = raw.substr(1, semi == std::string_view::npos ? 0 : semi - 1);
        static constexpr std::array<std::pair<std::string_view, char>, 5> kNamed = {
            {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};
        bool done = false;
        for (const auto& [entity, c] : kNamed) {
            if (name == entity) {
                out += c;
                done = true;
            }
        }
        if (!done && name.size() > 1 && name.front() == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            const std::string_view digits = name.substr(hex ? 2 : 1);
            std::uint32_t cp = 0;
            const auto [end, ec] =
                std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
            if (ec == std::errc{} && end == digits.data() + digits.size() && cp > 0 &&
                cp <= 0x10FFFF && (cp < 0xD800 || cp >= 0xE000)) {
                AppendUtf8(out, cp);
                done = true;
            }
        }
        if (done) {
            raw.remove_prefix(semi + 1);
        } else {
            out += '&';
            raw.remove_prefix(1);
        }
    }
    return out;
}

using Attributes = std::vector<std::pair<std::string_view, std::string>>;

// Calls element(name, attributes) for every start tag of the text, skipping the declaration,
// comments, processing instructions, end tags and character data. A tag cut off by the end of
// the text ends the scan.
template <class Element> void ScanElements(std::string_view text, Element&& element)
{
    std::size_t i = 0;
    const auto skipPast = [&](std::string_view end) {
        const std::size_t at = text.find(end, i);
        i = at == std::string_view::npos ? text.size() : at + end.size();
    };
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("<!--")) {
            skipPast("-->");
            continue;
        }
        if (rest.starts_with("<?")) {
            skipPast("?>");
            continue;
        }
        if (rest.starts_with("<![CDATA[")) {
            skipPast("]]>");
            continue;
        }
        if (rest.starts_with("<!") || rest.starts_with("</")) {
            skipPast(">");
            continue;
        }
        std::size_t j = i + 1;
        while (j < text.size() && IsNameChar(text[j]))
            ++j;
        const std::string_view name = text.substr(i + 1, j - i - 1);
        Attributes attributes;
        while (true) {
            while (j < text.size() && IsSpace(text[j]))
                ++j;
            if (j >= text.size())
                return;
            if (text[j] == '>' || text[j] == '/') {
                ++j;
                break;
            }
            const std::size_t nameStart = j;
            while (j < text.size() && IsNameChar(text[j]))
                ++j;
            const std::string_view attribute = text.substr(nameStart, j - nameStart);
            while (j < text.size() && IsSpace(text[j]))
                ++j;
            std::string_view value;
            if (j < text.size() && text[j] == '=') {
                ++j;
                while (j < text.size() && IsSpace(text[j]))
                    ++j;
                if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
                    const std::size_t close = text.find(text[j], j + 1);
                    if (close == std::string_view::npos)
                        return;
                    value = text.substr(j + 1, close - j - 1);
                    j = close + 1;
                } else {
                    const std::size_t start = j;
                    while (j < text.size() && !IsSpace(text[j]) && text[j] != '>')
                        ++j;
                    value = text.substr(start, j - start);
                }
            }
            if (attribute.empty()) {
                ++j; // a stray character inside the tag
                continue;
            }
            attributes.emplace_back(attribute, DecodeEntities(value));
        }
        if (!name.empty())
            element(name, attributes);
        i = j;
    }
}

} // namespace

bool IsSpeakerXml(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || text[first] != '<')
        return false;
    bool found = false;
    ScanElements(text, [&](std::string_view name, const Attributes&) {
        found =
            found || EqualsIgnoringCase(name, "speakers") || EqualsIgnoringCase(name, "speaker");
    });
    return found;
}

std::vector<ImportedDriver> ReadSpeakerXml(std::string_view text)
{
    std::vector<ImportedDriver> drivers;
    ScanElements(text, [&](std::string_view name, const Attributes& attributes) {
        if (!EqualsIgnoringCase(name, "speaker"))
            return;
        ImportedDriver imported;
        DriverParams& d = imported.driver;
        for (const auto& [key, value] : attributes) {
            if (EqualsIgnoringCase(key, "vendor"))
                d.manufacturer = Trim(value);
            else if (EqualsIgnoringCase(key, "model"))
                d.model = Trim(value);
            for (const Attribute& a : kAttributes) {
                if (!EqualsIgnoringCase(key, a.name))
                    continue;
                const double v = ReadNumber(value, a.field.label, imported.findings);
                if (a.field.field) {
                    d.*a.field.field = v * a.field.factor;
                } else if (v > 1) {
                    // The record has no place for the number of voice coils but the notes.
                    char note[48];
                    std::snprintf(note, sizeof note, "Voice coils: %g", v);
                    d.description += note;
                }
            }
        }
        FillTwins(d);
        drivers.push_back(std::move(imported));
    });
    return drivers;
}

} // namespace cw::database
