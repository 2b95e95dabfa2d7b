#include "model/ComponentFormat.h"

#include <cmath>
#include <cstdio>

namespace cw
{

std::string FormatComponentValue(double v)
{
    if (!std::isfinite(v))
        return {};
    // Each test is made in turn and the last that holds wins.
    const char* format = "%5.4f";
    if (v >= 1)
        format = "%5.3f";
    if (v >= 10)
        format = "%5.2f";
    if (v >= 100)
        format = "%5.1f";
    if (v >= 1000)
        format = "%5.0f";
    const int length = std::snprintf(nullptr, 0, format, v);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, v);
    return text;
}

} // namespace cw
