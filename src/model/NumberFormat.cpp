#include "model/NumberFormat.h"

#include <cstdio>

namespace cw
{

std::string FormatNumber(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 15, value);
    return buffer;
}

std::string FormatShown(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.4G", value);
    return buffer;
}

} // namespace cw
