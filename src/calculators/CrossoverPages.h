#pragma once

#include "model/CSpkSys.h"

#include <string_view>

// The crossover and network calculator's pages by number (the order of the sheet's tabs, also
// the number that selects a page's report): 0 1st Order Butterworth, 1 2nd Order Butterworth,
// 2 3rd Order Butterworth, 3 1st Order Series, 4 2nd Order Linkwitz, 5 4th Order Linkwitz,
// 6 Resonance Compensator, 7 Inductance Compensator, 8 Tweeter Attenuator.
namespace cw::calc
{

constexpr int kCrossoverPageCount = 9;

// The name of a page's value group ("Xover1OBW" … "TweeterAtten"); nullptr for no page.
const char* CrossoverPageName(int page);
// The page of a value group's name, or -1.
int CrossoverPageFromName(std::string_view name);

// Runs a page's calculation on the record's value group; false when it stored nothing (see
// NetworkDesign.h) or there is no such page.
bool CalculateCrossoverPage(CSpkSys& s, int page);

} // namespace cw::calc
