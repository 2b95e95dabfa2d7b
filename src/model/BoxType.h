#pragma once

#include <array>
#include <string>
#include <string_view>

namespace cw
{

// The six enclosure alignments in menu order. A record keeps its box type as the display text;
// None stands for a text that matches no alignment, which selects no box-type branch at all.
enum class BoxType { None = -1, Closed2 = 0, Closed3, Vented4, Bandpass4, Bandpass5, Bandpass6 };

inline constexpr std::array<BoxType, 6> kAllBoxTypes = {BoxType::Closed2,   BoxType::Closed3,
                                                        BoxType::Vented4,   BoxType::Bandpass4,
                                                        BoxType::Bandpass5, BoxType::Bandpass6};

// "2nd Order Closed Box" ... "6th Order Symmetric Bandpass Box"; empty for None.
std::string_view BoxTypeName(BoxType type);
// Exact, case-sensitive comparison with the display names; anything else is None.
BoxType BoxTypeFromName(std::string_view name);
// "2OCB" ... "6OSBP"; empty for None.
std::string_view BoxTypeAbbreviation(BoxType type);
// Exact comparison with the abbreviations "2OCB", "3OCB", "4OVB", "4OSBP", "5OABP", "6OSBP";
// anything else is None.
BoxType BoxTypeFromAbbreviation(std::string_view abbreviation);

// Phase, group delay and impedance are calculated only for these two alignments.
inline bool HasPhaseDelayImpedance(BoxType type)
{
    return type == BoxType::Closed2 || type == BoxType::Vented4;
}

} // namespace cw
