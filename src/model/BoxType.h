#pragma once

#include <array>
#include <string>
#include <string_view>

namespace cw
{

// The enclosure alignments in menu order. A record keeps its box type as the display text;
// None stands for a text that matches no alignment, which selects no box-type branch at all.
enum class BoxType {
    None = -1,
    Closed2 = 0,
    Closed3,
    Vented4,
    Bandpass4,
    Bandpass5,
    Bandpass6,
    Radiator
};

inline constexpr std::array<BoxType, 7> kAllBoxTypes = {
    BoxType::Closed2,   BoxType::Closed3,   BoxType::Vented4, BoxType::Bandpass4,
    BoxType::Bandpass5, BoxType::Bandpass6, BoxType::Radiator};

// "2nd Order Closed Box" ... "Passive Radiator Box"; empty for None.
std::string_view BoxTypeName(BoxType type);
// Exact, case-sensitive comparison with the display names; anything else is None.
BoxType BoxTypeFromName(std::string_view name);
// Exact comparison with the abbreviations "2OCB", "3OCB", "4OVB", "4OSBP", "5OABP", "6OSBP",
// "PRB"; anything else is None.
BoxType BoxTypeFromAbbreviation(std::string_view abbreviation);

// "2OCB" ... "PRB"; empty for None.
std::string_view BoxTypeAbbreviation(BoxType type);

// True for the alignments whose model gives phase, group delay and impedance, which are also
// those whose series resistor R(s) shapes the response.
bool HasPhaseDelayImpedance(BoxType type);

} // namespace cw
