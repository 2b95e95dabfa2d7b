#include "model/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace cw
{

namespace
{

// snprintf into a text as long as the conversion needs.
template <class T> std::string Printf(const char* format, T value)
{
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, value);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

} // namespace

std::string FormatNumber(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 15, value);
    return buffer;
}

std::string FormatShown(double value)
{
    return FormatPrinted("%1.4G", value);
}

std::string FormatPrinted(const char* format, double value)
{
    if (!std::isfinite(value))
        return {};
    return Printf(format, value);
}

std::string FormatPrinted(const char* format, std::int32_t value)
{
    return Printf(format, value);
}

} // namespace cw
