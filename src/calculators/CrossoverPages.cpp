#include "calculators/CrossoverPages.h"

#include "calculators/NetworkDesign.h"

#include <array>
#include <type_traits>
#include <utility>

namespace cw::calc
{

namespace
{

constexpr std::array<const char*, kCrossoverPageCount> kNames = {
    "Xover1OBW", "Xover2OBW",     "Xover3OBW",      "Xover1OS",    "Xover2OLR",
    "Xover4OLR", "ResonanceComp", "InductanceComp", "TweeterAtten"};

constexpr std::array<const char*, kCrossoverPageCount> kCaptions = {
    "1st Order Butterworth", "2nd Order Butterworth",  "3rd Order Butterworth",
    "1st Order Series",      "2nd Order Linkwitz",     "4th Order Linkwitz",
    "Resonance Compensator", "Inductance Compensator", "Tweeter Attenuator"};

// The record's value Field of the value group Group.
template <auto Group, auto Field> double& At(CSpkSys& s)
{
    return (s.*Group).*Field;
}

template <auto Group>
using GroupOf = std::remove_reference_t<decltype(std::declval<CSpkSys&>().*Group)>;

constexpr const char* kOhms = "Ohms";
constexpr const char* kMicrofarads = "microfarads";
constexpr const char* kMillihenrys = "millihenrys";
constexpr const char* kWatts = "Watts";

// A field whose label reads the same on the page and on the report.
CrossoverField Same(const char* label, const char* unit, double& (*value)(CSpkSys&))
{
    return {label, label, unit, value};
}

// The three inputs every crossover page starts with.
template <auto Group> std::vector<CrossoverField> CrossoverInputs()
{
    using G = GroupOf<Group>;
    return {Same("Tweeter Impedance =", kOhms, &At<Group, &G::tweeterImpedance>),
            Same("Woofer Impedance =", kOhms, &At<Group, &G::wooferImpedance>),
            Same("Crossover Frequency =", "Hz", &At<Group, &G::frequency>)};
}

template <auto Group, auto Field> CrossoverField Microfarads(const char* label)
{
    return Same(label, kMicrofarads, &At<Group, Field>);
}
template <auto Group, auto Field> CrossoverField Millihenrys(const char* label)
{
    return Same(label, kMillihenrys, &At<Group, Field>);
}

template <auto Group> CrossoverFields TwoComponentPage()
{
    using G = GroupOf<Group>;
    return {CrossoverInputs<Group>(),
            {Microfarads<Group, &G::c1>("C1 ="), Microfarads<Group, &G::c2>("C2 ="),
             Millihenrys<Group, &G::l1>("L1 ="), Millihenrys<Group, &G::l2>("L2 =")}};
}

std::array<CrossoverFields, kCrossoverPageCount> MakeFields()
{
    constexpr auto b1 = &CSpkSys::xover1OBW;
    constexpr auto b3 = &CSpkSys::xover3OBW;
    constexpr auto s1 = &CSpkSys::xover1OS;
    constexpr auto lr4 = &CSpkSys::xover4OLR;
    constexpr auto rc = &CSpkSys::resonanceComp;
    constexpr auto ic = &CSpkSys::inductanceComp;
    constexpr auto ta = &CSpkSys::tweeterAtten;

    CrossoverFields series{
        CrossoverInputs<s1>(),
        {Microfarads<s1, &Xover1OS::c1>("C1 ="), Millihenrys<s1, &Xover1OS::l1>("L1 =")}};
    series.inputs.push_back(
        {"Damping Fact. (Zeta) =", "Damping Factor (Zeta) =", "", &At<s1, &Xover1OS::zeta>});

    return {
        CrossoverFields{
            CrossoverInputs<b1>(),
            {Microfarads<b1, &Xover1OBW::c1>("C1 ="), Millihenrys<b1, &Xover1OBW::l1>("L1 =")}},
        TwoComponentPage<&CSpkSys::xover2OBW>(),
        CrossoverFields{
            CrossoverInputs<b3>(),
            {Microfarads<b3, &Xover3OBW::c1>("C1 ="), Microfarads<b3, &Xover3OBW::c2>("C2 ="),
             Microfarads<b3, &Xover3OBW::c3>("C3 ="), Millihenrys<b3, &Xover3OBW::l1>("L1 ="),
             Millihenrys<b3, &Xover3OBW::l2>("L2 ="), Millihenrys<b3, &Xover3OBW::l3>("L3 =")}},
        series,
        TwoComponentPage<&CSpkSys::xover2OLR>(),
        CrossoverFields{CrossoverInputs<lr4>(),
                        {Microfarads<lr4, &Xover4OLR::c1>("C1 ="),
                         Microfarads<lr4, &Xover4OLR::c2>("C2 ="),
                         Microfarads<lr4, &Xover4OLR::c3>("C3 ="),
                         {"C4=", "C4 =", kMicrofarads, &At<lr4, &Xover4OLR::c4>},
                         Millihenrys<lr4, &Xover4OLR::l1>("L1 ="),
                         Millihenrys<lr4, &Xover4OLR::l2>("L2 ="),
                         Millihenrys<lr4, &Xover4OLR::l3>("L3 ="),
                         Millihenrys<lr4, &Xover4OLR::l4>("L4 =")}},
        CrossoverFields{
            {Same("Driver Impedance =", kOhms, &At<rc, &ResonanceComp::driverImpedance>),
             Same("Driver F(s) =", "Hz", &At<rc, &ResonanceComp::driverFs>),
             Same("Driver Q(t) =", "", &At<rc, &ResonanceComp::driverQt>),
             // Kept behind the attenuator's group, but entered on this page.
             Same("Max Z (or 0 if unknown) =", kOhms,
                  [](CSpkSys& s) -> double& { return s.resonanceCompMaxZ; })},
            {Microfarads<rc, &ResonanceComp::c1>("C1 ="),
             Millihenrys<rc, &ResonanceComp::l1>("L1 ="),
             Same("R1 =", kOhms, &At<rc, &ResonanceComp::r1>)}},
        CrossoverFields{
            {Same("Driver Impedance =", kOhms, &At<ic, &InductanceComp::driverImpedance>),
             Same("Driver L(e) =", "mH", &At<ic, &InductanceComp::driverLe>)},
            {Same("R1 =", kOhms, &At<ic, &InductanceComp::r1>),
             Microfarads<ic, &InductanceComp::c1>("C1 =")}},
        CrossoverFields{
            {Same("Tweeter Impedance =", kOhms, &At<ta, &TweeterAtten::tweeterImpedance>),
             {"Max Tweeter Power =", "Maximum Tweeter Power =", kWatts,
              &At<ta, &TweeterAtten::maxTweeterPower>},
             Same("Desired Attenuation =", "dB", &At<ta, &TweeterAtten::attenuation>)},
            {Same("R1 =", kOhms, &At<ta, &TweeterAtten::r1>),
             Same("P1 =", kWatts, &At<ta, &TweeterAtten::p1>),
             // The page's own labels of these two have no " =".
             {"R2", "R2 =", kOhms, &At<ta, &TweeterAtten::r2>},
             {"P2", "P2 =", kWatts, &At<ta, &TweeterAtten::p2>}}},
    };
}

} // namespace

const char* CrossoverPageCaption(int page)
{
    return page >= 0 && page < kCrossoverPageCount ? kCaptions[static_cast<std::size_t>(page)]
                                                   : nullptr;
}

bool CrossoverTweeterReversed(int page)
{
    return page == 1 || page == 2 || page == 4;
}

const CrossoverFields& CrossoverPageFields(int page)
{
    static const std::array<CrossoverFields, kCrossoverPageCount> fields = MakeFields();
    static const CrossoverFields none;
    return page >= 0 && page < kCrossoverPageCount ? fields[static_cast<std::size_t>(page)] : none;
}

std::vector<double> CrossoverPageValues(const CSpkSys& s, int page)
{
    const CrossoverFields& fields = CrossoverPageFields(page);
    std::vector<double> values;
    for (const auto* group : {&fields.inputs, &fields.results}) {
        for (const CrossoverField& f : *group)
            values.push_back(f.Get(s));
    }
    return values;
}

void SetCrossoverPageValues(CSpkSys& s, int page, const std::vector<double>& values)
{
    const CrossoverFields& fields = CrossoverPageFields(page);
    std::size_t k = 0;
    for (const auto* group : {&fields.inputs, &fields.results}) {
        for (const CrossoverField& f : *group) {
            if (k < values.size())
                f.value(s) = values[k++];
        }
    }
}

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

std::optional<std::string> CrossoverPageRefusal(const CSpkSys& s, int page)
{
    if (page == 6)
        return ResonanceCompRefusal(s.resonanceComp, s.resonanceCompMaxZ);
    return std::nullopt;
}

} // namespace cw::calc
