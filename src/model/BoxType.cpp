#include "model/BoxType.h"

namespace cw
{

namespace
{

constexpr std::array<std::string_view, 6> kNames = {
    "2nd Order Closed Box",
    "3rd Order Closed Box",
    "4th Order Vented Box",
    "4th Order Symmetric Bandpass Box",
    "5th Order Asymmetric Bandpass Box",
    "6th Order Symmetric Bandpass Box",
};

constexpr std::array<std::string_view, 6> kAbbreviations = {"2OCB",  "3OCB",  "4OVB",
                                                            "4OSBP", "5OABP", "6OSBP"};

BoxType Lookup(const std::array<std::string_view, 6>& table, std::string_view text)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i] == text)
            return static_cast<BoxType>(i);
    }
    return BoxType::None;
}

} // namespace

std::string_view BoxTypeName(BoxType type)
{
    return type == BoxType::None ? std::string_view{} : kNames[static_cast<std::size_t>(type)];
}

BoxType BoxTypeFromName(std::string_view name)
{
    return Lookup(kNames, name);
}

std::string_view BoxTypeAbbreviation(BoxType type)
{
    return type == BoxType::None ? std::string_view{}
                                 : kAbbreviations[static_cast<std::size_t>(type)];
}

BoxType BoxTypeFromAbbreviation(std::string_view abbreviation)
{
    return Lookup(kAbbreviations, abbreviation);
}

} // namespace cw
