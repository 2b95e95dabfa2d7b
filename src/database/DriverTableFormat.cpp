#include "database/ImportFormats.h"
#include "database/ImportText.h"

#include <array>
#include <optional>

namespace cw::database
{

namespace
{

struct Unit {
    const char* name;
    double factor; // to the record's unit
};

// A quantity a column can hold, under the names tables give it, and the units its header may
// name; the first unit is taken when the header names none.
struct Column {
    std::array<const char*, 3> names;
    const char* label;
    double DriverParams::*field;
    std::array<Unit, 6> units;
};

constexpr double kLitersPerCuFt = 28.316847;

const std::array<Column, 17> kColumns = {{
    {{"Re"}, "R(e)", &DriverParams::re, {{{"ohm", 1}, {"ohms", 1}, {"Ω", 1}}}},
    {{"fs"}, "f(s)", &DriverParams::fs, {{{"Hz", 1}}}},
    {{"Qms"}, "Q(ms)", &DriverParams::qms, {{{"", 1}, {"-", 1}}}},
    {{"Qes"}, "Q(es)", &DriverParams::qes, {{{"", 1}, {"-", 1}}}},
    {{"Qts"}, "Q(ts)", &DriverParams::qts, {{{"", 1}, {"-", 1}}}},
    {{"Mms"}, "M(ms)", &DriverParams::mms, {{{"g", 1}, {"kg", 1000}, {"mg", 0.001}}}},
    {{"Cms"},
     "C(ms)",
     &DriverParams::cms,
     {{{"mm/N", 1}, {"m/N", 1000}, {"um/N", 0.001}, {"µm/N", 0.001}}}},
    {{"Vas"},
     "V(as)",
     &DriverParams::vasLiters,
     {{{"l", 1},
       {"liters", 1},
       {"litres", 1},
       {"dm3", 1},
       {"m3", 1000},
       {"cuft", kLitersPerCuFt}}}},
    {{"Sd"},
     "S(D)",
     &DriverParams::sdSqM,
     {{{"cm2", 1e-4}, {"cm²", 1e-4}, {"cm^2", 1e-4}, {"m2", 1}, {"m²", 1}, {"mm2", 1e-6}}}},
    {{"BL", "Bl"}, "BL", &DriverParams::bl, {{{"Tm", 1}, {"T·m", 1}, {"N/A", 1}}}},
    {{"Pmax", "Pe"}, "P(max)", &DriverParams::pt, {{{"W", 1}}}},
    {{"Xmax"}, "X(max)", &DriverParams::xMax, {{{"mm", 1}, {"m", 1000}, {"cm", 10}}}},
    {{"Le"}, "L(e)", &DriverParams::le, {{{"mH", 1}, {"H", 1000}, {"uH", 0.001}, {"µH", 0.001}}}},
    {{"USPL", "SPL"}, "SPL", &DriverParams::spl, {{{"dB", 1}}}},
    {{"Rms"}, "R(ms)", &DriverParams::rms, {{{"kg/s", 1}}}},
    {{"Z", "Znom"}, "Z", &DriverParams::nominalImpedance, {{{"ohm", 1}, {"ohms", 1}, {"Ω", 1}}}},
    {{"Dia", "Diameter"},
     "Diameter",
     &DriverParams::nominalDiameterMm,
     {{{"mm", 1}, {"cm", 10}, {"in", 25.4}}}},
}};

enum class Text { None, Manufacturer, Model, Comment };

// What one column of the table holds.
struct Header {
    Text text = Text::None;
    const Column* column = nullptr;
    double factor = 1;
    std::string unknownUnit; // the whole header, when its unit is none of the column's
};

std::vector<std::string_view> Cells(std::string_view line)
{
    std::vector<std::string_view> cells;
    while (true) {
        const std::size_t tab = line.find('\t');
        cells.push_back(Trim(line.substr(0, tab)));
        if (tab == std::string_view::npos)
            return cells;
        line.remove_prefix(tab + 1);
    }
}

// "Vas [l]": the name, and the unit in brackets.
Header ReadHeader(std::string_view cell)
{
    Header h;
    const std::size_t open = cell.find('[');
    const std::string_view name = Trim(cell.substr(0, open));
    std::string_view unit;
    if (open != std::string_view::npos)
        unit = Trim(cell.substr(open + 1, cell.find(']', open) - open - 1));
    if (EqualsIgnoringCase(name, "Manufacturer") || EqualsIgnoringCase(name, "Brand") ||
        EqualsIgnoringCase(name, "Vendor"))
        h.text = Text::Manufacturer;
    else if (EqualsIgnoringCase(name, "Model"))
        h.text = Text::Model;
    else if (EqualsIgnoringCase(name, "Comment") || EqualsIgnoringCase(name, "Notes"))
        h.text = Text::Comment;
    for (const Column& c : kColumns) {
        for (const char* n : c.names) {
            if (n && EqualsIgnoringCase(name, n))
                h.column = &c;
        }
    }
    if (!h.column)
        return h;
    if (unit.empty()) {
        h.factor = h.column->units[0].factor;
        return h;
    }
    // No two units of a column differ in case only, so "OHM" and "hz" are taken too.
    for (const Unit& u : h.column->units) {
        if (u.name && EqualsIgnoringCase(unit, u.name)) {
            h.factor = u.factor;
            return h;
        }
    }
    h.unknownUnit = Abbreviated(cell, kQuotedValueBytes);
    return h;
}

std::optional<std::vector<Header>> Headers(std::string_view text)
{
    for (std::string_view line : SplitLines(text)) {
        if (Trim(line).empty())
            continue;
        if (line.find('\t') == std::string_view::npos)
            return std::nullopt;
        std::vector<Header> headers;
        int known = 0;
        bool named = false;
        for (std::string_view cell : Cells(line)) {
            headers.push_back(ReadHeader(cell));
            known += headers.back().column || headers.back().text != Text::None;
            named = named || headers.back().text == Text::Manufacturer ||
                    headers.back().text == Text::Model;
        }
        if (!named || known < 2)
            return std::nullopt;
        return headers;
    }
    return std::nullopt;
}

} // namespace

bool IsDriverTable(std::string_view text)
{
    return Headers(text).has_value();
}

std::vector<ImportedDriver> ReadDriverTable(std::string_view text)
{
    const std::optional<std::vector<Header>> headers = Headers(text);
    if (!headers)
        return {};
    std::vector<ImportedDriver> drivers;
    bool headerRow = true;
    for (std::string_view line : SplitLines(text)) {
        if (Trim(line).empty())
            continue;
        if (headerRow) {
            headerRow = false;
            continue;
        }
        const std::vector<std::string_view> cells = Cells(line);
        ImportedDriver imported;
        DriverParams& d = imported.driver;
        for (std::size_t i = 0; i < cells.size() && i < headers->size(); ++i) {
            const Header& h = (*headers)[i];
            if (h.text == Text::Manufacturer)
                d.manufacturer = cells[i];
            else if (h.text == Text::Model)
                d.model = cells[i];
            else if (h.text == Text::Comment)
                d.description = cells[i];
            else if (h.column && !h.unknownUnit.empty() && !cells[i].empty())
                imported.findings.push_back("The column \"" + h.unknownUnit +
                                            "\" was left out: its unit is not known.");
            else if (h.column)
                d.*h.column->field =
                    ReadNumber(cells[i], h.column->label, imported.findings) * h.factor;
        }
        FillTwins(d);
        drivers.push_back(std::move(imported));
    }
    return drivers;
}

} // namespace cw::database
