#include "app/StatusTexts.h"

#include <array>
#include <cstdio>

namespace cw
{

namespace
{

// English names whatever the locale: the panes are sized for them.
constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool InRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

} // namespace

std::optional<std::string> FormatStatusDate(const std::tm& t)
{
    if (!InRange(t.tm_wday, 0, 6) || !InRange(t.tm_mon, 0, 11) || !InRange(t.tm_mday, 1, 31))
        return std::nullopt;
    const int year = (t.tm_year + 1900) % 100;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s, %d%s%02d ", kWeekdays[t.tm_wday], t.tm_mday,
                  kMonths[t.tm_mon], year < 0 ? -year : year);
    return std::string(buffer);
}

std::optional<std::string> FormatStatusTime(const std::tm& t)
{
    if (!InRange(t.tm_hour, 0, 23) || !InRange(t.tm_min, 0, 59))
        return std::nullopt;
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d  %s", hour12, t.tm_min,
                  t.tm_hour < 12 ? "AM " : "PM ");
    return std::string(buffer);
}

std::optional<std::tm> LocalNow()
{
    const std::time_t now = std::time(nullptr);
    if (now == static_cast<std::time_t>(-1))
        return std::nullopt;
    std::tm t{};
    if (!localtime_r(&now, &t))
        return std::nullopt;
    return t;
}

} // namespace cw
