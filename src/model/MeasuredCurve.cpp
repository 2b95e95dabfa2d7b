#include "model/MeasuredCurve.h"

#include <algorithm>
#include <cmath>

namespace cw
{

std::optional<std::string> CheckMeasuredCurve(const MeasuredCurve& c)
{
    if (c.kind != static_cast<std::int32_t>(MeasuredKind::Response) &&
        c.kind != static_cast<std::int32_t>(MeasuredKind::Impedance))
        return "is of an unknown kind";
    if (c.value.size() != c.hz.size() || (!c.phase.empty() && c.phase.size() != c.hz.size()))
        return "has lists of different lengths";
    if (c.size() < kMinMeasuredRows || c.size() > kMaxMeasuredRows)
        return "must hold between " + std::to_string(kMinMeasuredRows) + " and " +
               std::to_string(kMaxMeasuredRows) + " rows";
    if (!std::isfinite(c.offsetDb))
        return "has a level offset that is not a number";
    for (std::size_t i = 0; i < c.size(); ++i) {
        const bool finite = std::isfinite(c.hz[i]) && std::isfinite(c.value[i]) &&
                            (c.phase.empty() || std::isfinite(c.phase[i]));
        if (!finite)
            return "holds a value that is not a finite number";
        if (!(c.hz[i] > 0) || (i > 0 && !(c.hz[i] > c.hz[i - 1])))
            return "holds frequencies that do not rise from above 0 Hz";
        if (c.Kind() == MeasuredKind::Impedance && c.value[i] < 0)
            return "holds a negative impedance";
    }
    return std::nullopt;
}

double RelativeLevel(const MeasuredCurve& c)
{
    if (c.value.empty())
        return 0;
    std::vector<double> levels = c.value;
    const auto middle = levels.begin() + static_cast<std::ptrdiff_t>(levels.size() / 2);
    std::nth_element(levels.begin(), middle, levels.end());
    return *middle;
}

} // namespace cw
