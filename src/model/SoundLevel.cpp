#include "model/SoundLevel.h"

#include "model/NumberFormat.h"

#include <cmath>

namespace cw
{

std::optional<std::string> WhyNoSoundLevel(const CSpkSys& s)
{
    const auto positive = [](double v) { return v > 0 && std::isfinite(v); };
    std::string what;
    if (!positive(s.inputPower))
        what = "An input power P(in) of " + FormatNumber(s.inputPower) + " W";
    else if (!positive(s.splDistanceM))
        what = "An SPL distance of " + FormatNumber(s.splDistanceM) + " m";
    else if (s.driverCount < 1)
        what = "A number of drivers N of " + std::to_string(s.driverCount);
    else if (s.isobaricFactor < 1)
        what = "An isobaric factor of " + std::to_string(s.isobaricFactor);
    else
        return std::nullopt;
    return what + " gives no sound level, so the SPL curve is not drawn in dB SPL mode.";
}

double SoundLevelOffset(const CSpkSys& s)
{
    return s.driver.spl + 10 * std::log10(s.inputPower) + 20 * std::log10(1 / s.splDistanceM) +
           10 * std::log10(static_cast<double>(s.driverCount)) +
           10 * std::log10(1 / static_cast<double>(s.isobaricFactor));
}

} // namespace cw
