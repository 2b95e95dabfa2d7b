#pragma once

#include "calculators/CutList.h"

#include <string>
#include <vector>

// The panels of a cut list laid out on sheets of board: one stock per thickness, shelves of
// panels across each sheet with the saw's kerf between neighbours.
namespace cw::calc
{

// One copy of a panel on a sheet; x along the sheet's length, y along its width, from a corner.
struct PlacedPanel {
    std::size_t panel = 0; // index in the cut list's panels
    int sheet = 0;         // within its thickness's stock, from 0
    double x = 0, y = 0;
    double along = 0, across = 0; // the panel's sizes along the sheet's length and width
};

// The sheets of one thickness.
struct SheetStock {
    double thickness = 0;
    int sheets = 0;
    std::vector<PlacedPanel> placed;
};

struct SheetLayout {
    double sheetLength = 0, sheetWidth = 0, kerf = 0;
    std::vector<SheetStock> stocks; // thinnest first
    // A sentence for each panel too large for the sheet; such panels are not placed.
    std::vector<std::string> tooLarge;

    int sheets() const;
};

SheetLayout LayOutSheets(const CutList& list, double sheetLength, double sheetWidth, double kerf);

// "2 sheets of 2440 x 1220 mm, 3 mm kerf (1 of 18 mm, 1 of 25 mm)."
std::string SheetSummary(const CutList& list, const SheetLayout& layout);

// The cut list as plain text for a screen: the table, the notes under it and the sheets.
std::string CutListText(const CutList& list, const SheetLayout& layout);

// The layout with the sheet and kerf of the settings, in the list's units.
SheetLayout LayOutSheets(const CutList& list, const CutListSettings& settings);

} // namespace cw::calc
