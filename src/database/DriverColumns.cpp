#include "database/DriverColumns.h"

#include <string_view>

namespace cw::database
{

namespace
{

template <class T> const char* SqlType()
{
    if constexpr (std::is_same_v<T, std::int32_t>)
        return "INTEGER";
    else if constexpr (std::is_same_v<T, double>)
        return "REAL";
    else
        return "TEXT";
}

std::vector<DriverColumn> MakeColumns()
{
    std::vector<DriverColumn> columns;
    const DriverParams probe;
    DriverParams::Fields(probe, [&](const char* name, const auto& value) {
        using T = std::remove_cvref_t<decltype(value)>;
        if constexpr (detail::kIsArray<T>) {
            for (std::size_t i = 0; i < value.size(); ++i)
                columns.push_back({name + std::to_string(i), SqlType<typename T::value_type>()});
        } else {
            columns.push_back({name, SqlType<T>()});
        }
    });
    return columns;
}

} // namespace

const std::vector<DriverColumn>& DriverColumns()
{
    static const std::vector<DriverColumn> columns = MakeColumns();
    return columns;
}

} // namespace cw::database
