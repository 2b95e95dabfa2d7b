#include "calculators/BoxPageFields.h"

#include <type_traits>
#include <utility>

namespace cw::calc
{

namespace
{

using Q = BoxQuantity;
using enum Chamber;

// The record's value at the end of a chain of members.
template <auto... Members> double& Path(CSpkSys& s)
{
    return (s.*....*Members);
}

// A value of the box calculator whose values are at Box, in its metric and English copy.
template <auto Box, auto... Members> BoxCell Copies(Q q, Chamber chamber = Rear)
{
    using Values = std::remove_reference_t<decltype(std::declval<CSpkSys&>().*Box)>;
    return {q, chamber, Path<Box, &Values::metric, Members...>,
            Path<Box, &Values::english, Members...>};
}

// A value that exists once.
template <auto Box, auto Member> BoxCell Once(Q q, Chamber chamber = Rear)
{
    return {q, chamber, Path<Box, Member>, Path<Box, Member>};
}

constexpr UnitTexts kLength{"meters", "inches"};
constexpr UnitTexts kVolume{"liters", "cubic feet"};
constexpr UnitTexts kPercent{"%", "%"};
constexpr UnitTexts kDegrees{"degrees", "degrees"};

const edit::FieldPolicy<double>* const kPolicy = &edit::kRealField;

// The values of one volume column of the adjustment rows.
struct VolumeCells {
    BoxCell driver, bracing, other, filling, net;
};

// V is the type that holds the volumes, In the members that lead to it from a copy.
template <auto Box, class V, auto... In> VolumeCells Volumes(BoxCell filling, Chamber chamber)
{
    return {Copies<Box, In..., &V::driverDisplacement>(Q::DriverDisplacement, chamber),
            Copies<Box, In..., &V::bracingDisplacement>(Q::BracingDisplacement, chamber),
            Copies<Box, In..., &V::otherDisplacement>(Q::OtherDisplacement, chamber), filling,
            Copies<Box, In..., &V::netVolume>(Q::NetVolume, chamber)};
}

void AddAdjustments(std::vector<BoxRow>& rows, const char* netTitle, const VolumeCells& rear,
                    const std::optional<VolumeCells>& front)
{
    const auto column = [&](BoxCell VolumeCells::*cell) -> std::optional<BoxCell> {
        return front ? std::optional((*front).*cell) : std::nullopt;
    };
    const auto add = [&](const char* pageTitle, const char* pageSymbol, const char* reportTitle,
                         const char* reportSymbol, UnitTexts unit, std::optional<BoxLock> lock,
                         BoxCell VolumeCells::*cell) {
        rows.push_back({pageTitle, pageSymbol, reportTitle, reportSymbol, unit, lock, true, kPolicy,
                        rear.*cell, column(cell)});
    };
    add("", "Driver Displacement  =", "", "Driver Displacement =", kVolume, std::nullopt,
        &VolumeCells::driver);
    add("", "Bracing Displacement  =", "", "Bracing Displacement =", kVolume, std::nullopt,
        &VolumeCells::bracing);
    add("", "Other Displacement  =", "", "Other Displacement =", kVolume, std::nullopt,
        &VolumeCells::other);
    add("", "V(B)  increase due to Filling =", "", "V(B) increase due to filling =", kPercent,
        std::nullopt, &VolumeCells::filling);
    add(netTitle, "V(B)  =", "Net Internal Volume:", "V(B) =", kVolume, BoxLock::Vb,
        &VolumeCells::net);
}

// A dimension row of the page and the report alike.
BoxRow Dimension(const char* title, const char* symbol, UnitTexts unit, BoxLock lock, BoxCell rear,
                 std::optional<BoxCell> front = std::nullopt)
{
    return {title, symbol, title, symbol, unit, lock, false, kPolicy, rear, front};
}

std::vector<BoxRow> RectangularRows()
{
    constexpr auto kBox = &CSpkSys::rectBox;
    std::vector<BoxRow> rows = {
        Dimension("Internal Height:", "H =", kLength, BoxLock::H,
                  Copies<kBox, &RectBoxDims::height>(Q::Height)),
        Dimension("Internal Width:", "W =", kLength, BoxLock::W,
                  Copies<kBox, &RectBoxDims::width>(Q::Width)),
        Dimension("Internal Depth:", "D =", kLength, BoxLock::D,
                  Copies<kBox, &RectBoxDims::depth>(Q::Depth)),
        {"Gross Internal Volume:", "V(G)  =", "Gross Internal Volume:", "V(G) =", kVolume,
         std::nullopt, false, kPolicy, Copies<kBox, &RectBoxDims::grossVolume>(Q::GrossVolume),
         std::nullopt},
    };
    AddAdjustments(
        rows, "Net Internal Volume:",
        Volumes<kBox, RectBoxDims>(Once<kBox, &RectBoxValues::fillingPercent>(Q::Filling), Rear),
        std::nullopt);
    return rows;
}

std::vector<BoxRow> TrapezoidalRows()
{
    constexpr auto kBox = &CSpkSys::trapBox;
    std::vector<BoxRow> rows = {
        Dimension("Internal Height:", "H =", kLength, BoxLock::H,
                  Copies<kBox, &TrapBoxDims::height>(Q::Height)),
        Dimension("Internal Width 1:", "W1 =", kLength, BoxLock::W1,
                  Copies<kBox, &TrapBoxDims::width1>(Q::Width1)),
        Dimension("Internal Width 2:", "W2 =", kLength, BoxLock::W2,
                  Copies<kBox, &TrapBoxDims::width2>(Q::Width2)),
        Dimension("Internal Depth:", "D =", kLength, BoxLock::D,
                  Copies<kBox, &TrapBoxDims::depth>(Q::Depth)),
        {"Trapezoid Angle:", "\u2220 =", "Trapezoid Angle:", "Delta =", kDegrees, BoxLock::Angle,
         false, kPolicy, Once<kBox, &TrapBoxValues::angle>(Q::Angle), std::nullopt},
        {"Gross Internal Volume:", "V(G) =", "Gross Internal Volume:", "V(G) =", kVolume,
         std::nullopt, false, kPolicy, Copies<kBox, &TrapBoxDims::grossVolume>(Q::GrossVolume),
         std::nullopt},
    };
    AddAdjustments(
        rows, "Net Internal Volume:",
        Volumes<kBox, TrapBoxDims>(Once<kBox, &TrapBoxValues::fillingPercent>(Q::Filling), Rear),
        std::nullopt);
    return rows;
}

// The chambers share the width and the depth; the front chamber's height stands in the front
// column of the height row.
std::vector<BoxRow> BandpassRows()
{
    constexpr auto kBox = &CSpkSys::bandpassBox;
    using Dims = BandpassBoxDims;
    using Values = BandpassBoxValues;
    std::vector<BoxRow> rows = {
        Dimension("Internal Height:", "H =", kLength, BoxLock::H,
                  Copies<kBox, &Dims::rearHeight>(Q::Height),
                  Copies<kBox, &Dims::frontHeight>(Q::FrontHeight)),
        Dimension("Internal Width:", "W =", kLength, BoxLock::W,
                  Copies<kBox, &Dims::width>(Q::Width)),
        Dimension("Internal Depth:", "D =", kLength, BoxLock::D,
                  Copies<kBox, &Dims::depth>(Q::Depth)),
        {"Gross Internal Volume:", "V(G) =", "Gross Internal Volume:", "V(G) =", kVolume,
         std::nullopt, false, kPolicy,
         Copies<kBox, &Dims::rear, &BandpassChamber::grossVolume>(Q::GrossVolume, Rear),
         Copies<kBox, &Dims::front, &BandpassChamber::grossVolume>(Q::GrossVolume, Front)},
    };
    AddAdjustments(rows, "Net Internal Vol:",
                   Volumes<kBox, BandpassChamber, &Dims::rear>(
                       Once<kBox, &Values::rearFillingPercent>(Q::Filling, Rear), Rear),
                   Volumes<kBox, BandpassChamber, &Dims::front>(
                       Once<kBox, &Values::frontFillingPercent>(Q::Filling, Front), Front));
    return rows;
}

} // namespace

std::vector<const BoxCell*> BoxRow::Cells() const
{
    std::vector<const BoxCell*> cells{&rear};
    if (front)
        cells.push_back(&*front);
    return cells;
}

const std::vector<BoxRow>& BoxPageRows(BoxPageKind kind)
{
    static const std::vector<BoxRow> kRectangular = RectangularRows();
    static const std::vector<BoxRow> kTrapezoidal = TrapezoidalRows();
    static const std::vector<BoxRow> kBandpass = BandpassRows();
    switch (kind) {
    case BoxPageKind::Trapezoidal:
        return kTrapezoidal;
    case BoxPageKind::Bandpass:
        return kBandpass;
    case BoxPageKind::Rectangular:
        break;
    }
    return kRectangular;
}

std::optional<BoxCellAt> FindBoxCell(BoxPageKind kind, BoxField field)
{
    for (const BoxRow& row : BoxPageRows(kind)) {
        for (const BoxCell* cell : row.Cells()) {
            if (cell->quantity == field.quantity && cell->chamber == field.chamber)
                return BoxCellAt{&row, cell};
        }
    }
    return std::nullopt;
}

} // namespace cw::calc
