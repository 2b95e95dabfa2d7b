#pragma once

#include "model/DriverParams.h"

#include <array>
#include <string>
#include <type_traits>
#include <vector>

// The driver store's columns follow the driver record: one column for each field, in record
// order, under the field's name; the spare lists take one column per slot ("spareTexts0" …).
namespace cw::database
{

namespace detail
{
template <class T> constexpr bool kIsArray = false;
template <class T, std::size_t N> constexpr bool kIsArray<std::array<T, N>> = true;
} // namespace detail

// Calls visit(value) for every column's value of d, in column order.
template <class Self, class Visit> void VisitColumns(Self& d, Visit&& visit)
{
    DriverParams::Fields(d, [&](const char*, auto& value) {
        if constexpr (detail::kIsArray<std::remove_cvref_t<decltype(value)>>) {
            for (auto& slot : value)
                visit(slot);
        } else {
            visit(value);
        }
    });
}

struct DriverColumn {
    std::string name;
    const char* sqlType; // INTEGER, REAL or TEXT
};

// Every column of a driver, in the order VisitColumns visits them.
const std::vector<DriverColumn>& DriverColumns();

} // namespace cw::database
