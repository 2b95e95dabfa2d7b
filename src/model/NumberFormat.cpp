#include "model/NumberFormat.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace cw
{

namespace
{

// printf into a string of whatever length the value needs: "%5.3f" of 1e308 is 313 characters,
// and a cut number would be a wrong number.
std::string Print(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

} // namespace

std::string FormatNumber(double value)
{
    return Print("%.*g", 15, value);
}

std::string FormatShown(double value)
{
    return FormatPrinted("%1.4G", value);
}

std::string FormatPrinted(const char* format, double value)
{
    if (!std::isfinite(value))
        return {};
    return Print(format, value);
}

std::string FormatPrinted(const char* format, std::int32_t value)
{
    return Print(format, static_cast<int>(value));
}

std::string FormatInteger(std::int32_t value)
{
    return Print("%d", static_cast<int>(value));
}

std::string FormatCount(std::uint32_t value)
{
    return Print("%u", static_cast<unsigned>(value));
}

std::string FormatSixDigits(double value)
{
    return Print("%1.6G", value);
}

std::string FormatFixed(double value, int decimals)
{
    return Print("%5.*f", decimals, value);
}

} // namespace cw
