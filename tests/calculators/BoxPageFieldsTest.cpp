#include "calculators/BoxPageFields.h"

#include <gtest/gtest.h>
#include <set>

namespace cw::calc
{
namespace
{

// Each value of a page is one field of the record, found back from its address; only the angle
// and the fillings have one copy for both unit systems.
TEST(BoxPageFields, EveryValueIsItsOwnRecordFieldInEachCopy)
{
    for (const BoxPageKind kind :
         {BoxPageKind::Rectangular, BoxPageKind::Trapezoidal, BoxPageKind::Bandpass}) {
        SCOPED_TRACE(static_cast<int>(kind));
        CSpkSys record;
        BoxLocks locks;
        BoxCalculatorPage page(kind, record, locks);
        std::set<const double*> seen;
        for (const BoxRow& row : BoxPageRows(kind)) {
            SCOPED_TRACE(row.pageTitle + std::string(row.pageSymbol));
            const BoxQuantity q = row.rear.quantity;
            EXPECT_EQ(row.lock.has_value(), q == BoxQuantity::NetVolume ||
                                                (!row.adjustment && q != BoxQuantity::GrossVolume))
                << "each dimension and V(B) have a lock";
            for (const BoxCell* cell : row.Cells()) {
                const bool once =
                    cell->quantity == BoxQuantity::Angle || cell->quantity == BoxQuantity::Filling;
                EXPECT_EQ(&cell->Value(record, true) == &cell->Value(record, false), once);
                for (const bool metric : {true, false}) {
                    double* value = &cell->Value(record, metric);
                    EXPECT_EQ(page.Value(cell->Field(metric)), value);
                    EXPECT_EQ(page.FieldAt(value), cell->Field(metric || once));
                    seen.insert(value);
                }
            }
        }
        // Rectangular: 8 values in two copies and the filling; trapezoidal: 9 in two copies, the
        // angle and the filling; bandpass: 4 dimensions and 2 × 5 volumes in two copies, 2
        // fillings.
        const std::size_t expected = kind == BoxPageKind::Rectangular   ? 17
                                     : kind == BoxPageKind::Trapezoidal ? 20
                                                                        : 30;
        EXPECT_EQ(seen.size(), expected);
    }
}

} // namespace
} // namespace cw::calc
