#include "calculators/CrossoverPages.h"

#include "calculators/NetworkDesign.h"

#include <array>

namespace cw::calc
{

namespace
{

constexpr std::array<const char*, kCrossoverPageCount> kNames = {
    "Xover1OBW", "Xover2OBW",     "Xover3OBW",      "Xover1OS",    "Xover2OLR",
    "Xover4OLR", "ResonanceComp", "InductanceComp", "TweeterAtten"};

} // namespace

const char* CrossoverPageName(int page)
{
    return page >= 0 && page < kCrossoverPageCount ? kNames[static_cast<std::size_t>(page)]
                                                   : nullptr;
}

int CrossoverPageFromName(std::string_view name)
{
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        if (name == kNames[static_cast<std::size_t>(page)])
            return page;
    }
    return -1;
}

bool CalculateCrossoverPage(CSpkSys& s, int page)
{
    switch (page) {
    case 0:
        return CalcXover1OBW(s.xover1OBW);
    case 1:
        return CalcXover2OBW(s.xover2OBW);
    case 2:
        return CalcXover3OBW(s.xover3OBW);
    case 3:
        return CalcXover1OS(s.xover1OS);
    case 4:
        return CalcXover2OLR(s.xover2OLR);
    case 5:
        return CalcXover4OLR(s.xover4OLR);
    case 6:
        return CalcResonanceComp(s.resonanceComp, s.resonanceCompMaxZ);
    case 7:
        return CalcInductanceComp(s.inductanceComp);
    case 8:
        return CalcTweeterAtten(s.tweeterAtten);
    default:
        return false;
    }
}

} // namespace cw::calc
