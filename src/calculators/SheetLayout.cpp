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

SheetLayout LayOutSheets(const CutList& list, const CutListSettings& settings)
{
    using S = CutListSettings;
    return LayOutSheets(list,
                        CutListLength(settings, &S::sheetLengthMm, &S::sheetLengthIn, list.metric),
                        CutListLength(settings, &S::sheetWidthMm, &S::sheetWidthIn, list.metric),
                        CutListLength(settings, &S::kerfMm, &S::kerfIn, list.metric));
}

} // namespace cw::calc
