#pragma once

#include "model/CSpkSys.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Why a page's inputs as the record holds them describe no network it can design (the Resonance
// Compensator's Max Z at or below the driver impedance), as a sentence for the designer; nothing
// when they do. The page refuses such an edit, and the report, the graph and the command line
// show the sentence instead of results.
std::optional<std::string> CrossoverPageRefusal(const CSpkSys& s, int page);

// The tab caption of a page ("1st Order Butterworth" …); nullptr for no page.
const char* CrossoverPageCaption(int page);
// True for the pages whose network drives the tweeter with its polarity reversed (2nd and 3rd
// Order Butterworth, 2nd Order Linkwitz): their page and report carry a note on it.
bool CrossoverTweeterReversed(int page);

// One number of a page: its label on the page and on the report (they differ in a few words),
// its unit text ("" for none) and the record's value.
struct CrossoverField {
    const char* pageLabel;
    const char* reportLabel;
    const char* unit;
    double& (*value)(CSpkSys& s);

    double Get(const CSpkSys& s) const { return value(const_cast<CSpkSys&>(s)); }
};

// The numbers of a page in the order the page shows and exchanges them: the inputs from the
// top, then the results.
struct CrossoverFields {
    std::vector<CrossoverField> inputs;
    std::vector<CrossoverField> results;
};

// The fields of page 0 … 8; an empty set for no page.
const CrossoverFields& CrossoverPageFields(int page);

// A page's numbers in the record, inputs then results, and writing them back: what puts a page
// back as it was before an edit it refuses.
std::vector<double> CrossoverPageValues(const CSpkSys& s, int page);
void SetCrossoverPageValues(CSpkSys& s, int page, const std::vector<double>& values);

} // namespace cw::calc
