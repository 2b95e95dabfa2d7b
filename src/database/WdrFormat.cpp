#include "database/ImportFormats.h"
#include "database/ImportText.h"

#include <array>

namespace cw::database
{

namespace
{

struct Key {
    const char* name;
    NumericField field;
};

// The file's keys in SI units, with the factors to the record's: V(as) m³, S(D) m², X(max) m,
// L(e) H, M(ms) kg, C(ms) m/N.
constexpr std::array<Key, 17> kKeys = {{
    {"fs", {"f(s)", &DriverParams::fs, 1}},
    {"qts", {"Q(ts)", &DriverParams::qts, 1}},
    {"qes", {"Q(es)", &DriverParams::qes, 1}},
    {"qms", {"Q(ms)", &DriverParams::qms, 1}},
    {"vas", {"V(as)", &DriverParams::vasLiters, 1000}},
    {"re", {"R(e)", &DriverParams::re, 1}},
    {"le", {"L(e)", &DriverParams::le, 1000}},
    {"sd", {"S(D)", &DriverParams::sdSqM, 1}},
    {"xmax", {"X(max)", &DriverParams::xMax, 1000}},
    {"mms", {"M(ms)", &DriverParams::mms, 1000}},
    {"cms", {"C(ms)", &DriverParams::cms, 1000}},
    {"rms", {"R(ms)", &DriverParams::rms, 1}},
    {"bl", {"BL", &DriverParams::bl, 1}},
    {"pe", {"P(e)", &DriverParams::pt, 1}},
    {"znom", {"Z(nom)", &DriverParams::nominalImpedance, 1}},
    {"spl", {"SPL", &DriverParams::spl, 1}},
    {"uspl", {"SPL", &DriverParams::spl, 1}},
}};

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key = value lines of the [Driver] section; false when the text has no such section.
bool DriverSection(std::string_view text, std::vector<Entry>& entries)
{
    bool found = false, inside = false;
    for (std::string_view line : SplitLines(text)) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            inside = EqualsIgnoringCase(Trim(line.substr(1, line.size() - 2)), "Driver");
            found = found || inside;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (inside && eq != std::string_view::npos)
            entries.push_back({Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
    }
    return found;
}

} // namespace

bool IsWdr(std::string_view text)
{
    std::vector<Entry> entries;
    return DriverSection(text, entries);
}

std::vector<ImportedDriver> ReadWdr(std::string_view text)
{
    std::vector<Entry> entries;
    if (!DriverSection(text, entries))
        return {};
    ImportedDriver imported;
    DriverParams& d = imported.driver;
    for (const Entry& e : entries) {
        if (EqualsIgnoringCase(e.key, "Brand") || EqualsIgnoringCase(e.key, "Manufacturer"))
            d.manufacturer = e.value;
        else if (EqualsIgnoringCase(e.key, "Model"))
            d.model = e.value;
        else if (EqualsIgnoringCase(e.key, "Comment"))
            d.description = e.value;
        for (const Key& k : kKeys) {
            if (EqualsIgnoringCase(e.key, k.name))
                d.*k.field.field =
                    ReadNumber(e.value, k.field.label, imported.findings) * k.field.factor;
        }
    }
    FillTwins(d);
    return {std::move(imported)};
}

} // namespace cw::database
