#pragma once

#include "calculators/BoxCalculatorPage.h"
#include "forms/FieldPolicy.h"
#include "model/FieldRow.h"

#include <array>
#include <optional>
#include <vector>

// The rows of the three box calculator pages, in the order the page shows them from the top: what
// the page, its report and the command line read to show, print and reach a page's fields.
namespace cw::calc
{

// One value of a page: the field it is and where its two copies are in the record.
struct BoxCell {
    BoxQuantity quantity;
    Chamber chamber;
    RealAccessor metric;
    RealAccessor english; // the same as metric for the angle and the fillings, which exist once

    BoxField Field(bool metricCopy) const { return {quantity, metricCopy, chamber}; }
    double& Value(CSpkSys& s, bool metricCopy) const { return (metricCopy ? metric : english)(s); }
};

struct BoxRow {
    const char* pageTitle;    // the lock check box's text, or the label before the symbol
    const char* pageSymbol;   // "V(G)  ="
    const char* reportTitle;  // the report spells a few of them differently
    const char* reportSymbol; // "V(G) ="
    UnitTexts unit;
    std::optional<BoxLock> lock;
    bool adjustment; // in the group "Adjustments and Net Internal Volume"
    const edit::FieldPolicy<double>* policy;
    BoxCell rear; // the only value of a row off the bandpass page
    // The bandpass page's front chamber column; nothing for the width and the depth, which the
    // chambers share, and off the bandpass page.
    std::optional<BoxCell> front;

    // The row's values, the rear (or only) one first.
    std::vector<const BoxCell*> Cells() const;
};

// The rows of a page, the dimensions and gross volume first, then the adjustments.
const std::vector<BoxRow>& BoxPageRows(BoxPageKind kind);

// The row and the value of a page that a field names, or nothing when the page has no such field.
struct BoxCellAt {
    const BoxRow* row;
    const BoxCell* cell;
};
std::optional<BoxCellAt> FindBoxCell(BoxPageKind kind, BoxField field);

} // namespace cw::calc
