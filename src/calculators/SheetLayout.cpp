#include "calculators/SheetLayout.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <map>

namespace cw::calc
{

namespace
{

// A row of panels across a sheet: its place, its height (the first and tallest panel's) and where
// the next panel would go.
struct Shelf {
    int sheet;
    double y, height, next;
};

void Place(SheetStock& stock, std::vector<Shelf>& shelves, std::vector<double>& used,
           PlacedPanel piece, double length, double width, double kerf)
{
    for (Shelf& shelf : shelves) {
        if (piece.across <= shelf.height && shelf.next + piece.along <= length) {
            piece.sheet = shelf.sheet;
            piece.x = shelf.next;
            piece.y = shelf.y;
            shelf.next += piece.along + kerf;
            stock.placed.push_back(piece);
            return;
        }
    }
    // A new shelf above the last one of a sheet with room left, or on a new sheet.
    int sheet = 0;
    while (sheet < static_cast<int>(used.size()) && used[sheet] + piece.across > width)
        ++sheet;
    if (sheet == static_cast<int>(used.size()))
        used.push_back(0);
    piece.sheet = sheet;
    piece.x = 0;
    piece.y = used[sheet];
    shelves.push_back({sheet, piece.y, piece.across, piece.along + kerf});
    used[sheet] += piece.across + kerf;
    stock.placed.push_back(piece);
}

} // namespace

int SheetLayout::sheets() const
{
    int n = 0;
    for (const SheetStock& s : stocks)
        n += s.sheets;
    return n;
}

SheetLayout LayOutSheets(const CutList& list, double sheetLength, double sheetWidth, double kerf)
{
    SheetLayout layout{sheetLength, sheetWidth, kerf, {}, {}};
    const std::string unit = list.unit();
    // Each thickness is its own stock; within it the panels go tallest first, longest first.
    std::map<double, std::vector<PlacedPanel>> pieces;
    for (std::size_t i = 0; i < list.panels.size(); ++i) {
        const Panel& p = list.panels[i];
        PlacedPanel piece{i, 0, 0, 0, p.length, p.width};
        if (p.width > sheetWidth || p.length > sheetLength) {
            // Turned a quarter, a long narrow panel may still fit a short wide sheet.
            if (p.length <= sheetWidth && p.width <= sheetLength) {
                piece.along = p.width;
                piece.across = p.length;
            } else {
                layout.tooLarge.push_back(
                    p.name + " (" + FormatShown(p.length) + " x " + FormatShown(p.width) + " " +
                    unit + ") is larger than the sheet (" + FormatShown(sheetLength) + " x " +
                    FormatShown(sheetWidth) + " " + unit + "): it is left off the layout.");
                continue;
            }
        }
        for (int copy = 0; copy < p.count(); ++copy)
            pieces[p.thickness].push_back(piece);
    }
    for (auto& [thickness, group] : pieces) {
        std::stable_sort(group.begin(), group.end(), [](const auto& a, const auto& b) {
            return a.across != b.across ? a.across > b.across : a.along > b.along;
        });
        SheetStock stock{thickness, 0, {}};
        std::vector<Shelf> shelves;
        std::vector<double> used; // per sheet, the width its shelves take with their kerfs
        for (const PlacedPanel& piece : group)
            Place(stock, shelves, used, piece, sheetLength, sheetWidth, kerf);
        stock.sheets = static_cast<int>(used.size());
        layout.stocks.push_back(std::move(stock));
    }
    return layout;
}

std::string SheetSummary(const CutList& list, const SheetLayout& layout)
{
    const std::string u = std::string(" ") + list.unit();
    std::string line = std::to_string(layout.sheets()) +
                       (layout.sheets() == 1 ? " sheet" : " sheets") + " of " +
                       FormatShown(layout.sheetLength) + " x " + FormatShown(layout.sheetWidth) +
                       u + ", " + FormatShown(layout.kerf) + u + " kerf";
    if (layout.stocks.size() > 1) {
        std::string parts;
        for (const SheetStock& s : layout.stocks)
            parts += (parts.empty() ? "" : ", ") + std::to_string(s.sheets) + " of " +
                     FormatShown(s.thickness) + u;
        line += " (" + parts + ")";
    }
    return line + ".";
}

std::string CutListText(const CutList& list, const SheetLayout& layout)
{
    const auto cell = [](std::string text, std::size_t width) {
        // Widths count characters, not the bytes of a degree sign.
        std::size_t shown = 0;
        for (const char c : text)
            shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return text + std::string(width > shown ? width - shown : 1, ' ');
    };
    std::string text = cell("Panel", 14) + cell("Count", 7) + cell("Length", 9) + cell("Width", 9) +
                       cell(std::string("Thick ") + list.unit(), 10) + "Cut\n";
    for (const Panel& p : list.panels)
        text += cell(p.name, 14) + cell(std::to_string(p.count()), 7) +
                cell(FormatShown(p.length), 9) + cell(FormatShown(p.width), 9) +
                cell(FormatShown(p.thickness), 10) + (p.note.empty() ? "square" : p.note) + "\n";
    text += "\n";
    for (const std::string& line : CutListNotes(list))
        text += line + "\n";
    text += SheetSummary(list, layout) + "\n";
    for (const std::string& line : layout.tooLarge)
        text += line + "\n";
    return text;
}

SheetLayout LayOutSheets(const CutList& list, const CutListSettings& settings)
{
    using S = CutListSettings;
    return LayOutSheets(list,
                        CutListLength(settings, &S::sheetLengthMm, &S::sheetLengthIn, list.metric),
                        CutListLength(settings, &S::sheetWidthMm, &S::sheetWidthIn, list.metric),
                        CutListLength(settings, &S::kerfMm, &S::kerfIn, list.metric));
}

} // namespace cw::calc
