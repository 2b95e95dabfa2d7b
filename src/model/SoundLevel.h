#pragma once

#include "model/CSpkSys.h"

#include <optional>
#include <string>

namespace cw
{

// In dB SPL mode a system's curve stands at its sound level, made of the driver's sensitivity,
// the input power, the SPL distance, the number of drivers and the isobaric factor. Why the
// record gives no level (a power, distance or count that is not above 0); nothing when it
// gives one.
std::optional<std::string> WhyNoSoundLevel(const CSpkSys& s);

// The dB SPL of the response's 0 dB: the sensitivity at P(in) and the SPL distance, with N
// drivers and the isobaric factor. Not finite when those values make no level (e.g. P(in) 0).
double SoundLevelOffset(const CSpkSys& s);

} // namespace cw
