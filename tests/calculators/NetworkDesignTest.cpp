#include "calculators/NetworkDesign.h"

#include "calculators/CrossoverPages.h"
#include "model/CSpkSys.h"
#include "model/ComponentFormat.h"
#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace cw::calc
{
namespace
{

TEST(FirstOrderButterworth, NewRecordAndTheReferenceFrequencies)
{
    Xover1OBW g; // 8 Ohms, 8 Ohms, 1000 Hz
    ASSERT_TRUE(CalcXover1OBW(g));
    EXPECT_DOUBLE_EQ(g.c1, 19.89);
    EXPECT_DOUBLE_EQ(g.l1, 1.273);
    EXPECT_EQ(FormatComponentValue(g.c1), "19.89");
    EXPECT_EQ(FormatComponentValue(g.l1), "1.273");

    g.frequency = 3000;
    ASSERT_TRUE(CalcXover1OBW(g));
    EXPECT_DOUBLE_EQ(g.c1, 6.631);
    EXPECT_DOUBLE_EQ(g.l1, 0.4244);

    g.frequency = 20000;
    ASSERT_TRUE(CalcXover1OBW(g));
    EXPECT_DOUBLE_EQ(g.l1, 0.06366);
    EXPECT_EQ(FormatComponentValue(g.l1), "0.0637");
}

TEST(FirstOrderButterworth, NegativeInputsGiveNegativeResults)
{
    Xover1OBW g;
    g.tweeterImpedance = -8;
    ASSERT_TRUE(CalcXover1OBW(g));
    EXPECT_NEAR(g.c1, -19.894368, 1e-6);
    EXPECT_DOUBLE_EQ(g.l1, 1.273);
}

TEST(ComponentFormat, DecimalsByMagnitude)
{
    EXPECT_EQ(FormatComponentValue(397.9), "397.9");
    EXPECT_EQ(FormatComponentValue(1234), " 1234");
    EXPECT_EQ(FormatComponentValue(0), "0.0000");
    EXPECT_EQ(FormatComponentValue(1), "1.000");
    EXPECT_EQ(FormatComponentValue(10), "10.00");
    EXPECT_EQ(FormatComponentValue(100), "100.0");
    EXPECT_EQ(FormatComponentValue(99999), "99999");
    EXPECT_EQ(FormatComponentValue(-2.5), "-2.5000");
    // Wide values are written whole, never cut.
    EXPECT_EQ(FormatComponentValue(1e20), "100000000000000000000");
    EXPECT_EQ(FormatComponentValue(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FormatComponentValue(std::nan("")), "");
}

// The nine value groups of a record, for comparing.
auto Groups(const CSpkSys& s)
{
    return std::tie(s.xover1OBW, s.xover2OBW, s.xover3OBW, s.xover1OS, s.xover2OLR, s.xover4OLR,
                    s.inductanceComp, s.resonanceComp, s.tweeterAtten, s.resonanceCompMaxZ);
}

void ExpectNonZero(std::initializer_list<double> results)
{
    for (double r : results)
        EXPECT_NE(r, 0);
}

// A record whose nine groups are all calculated from their defaults.
CSpkSys Calculated()
{
    CSpkSys s;
    for (int page = 0; page < kCrossoverPageCount; ++page)
        EXPECT_TRUE(CalculateCrossoverPage(s, page)) << page;
    return s;
}

TEST(NetworkCalculations, EveryPageFillsEveryResultFromTheDefaults)
{
    const CSpkSys s = Calculated();
    const Xover2OBW& x2 = s.xover2OBW;
    const Xover3OBW& x3 = s.xover3OBW;
    const Xover4OLR& x4 = s.xover4OLR;
    const ResonanceComp& rc = s.resonanceComp;
    const TweeterAtten& ta = s.tweeterAtten;
    ExpectNonZero({x2.c1, x2.c2, x2.l1, x2.l2, s.xover2OLR.c1, s.xover2OLR.c2, s.xover2OLR.l1,
                   s.xover2OLR.l2});
    ExpectNonZero({x3.c1, x3.c2, x3.c3, x3.l1, x3.l2, x3.l3, s.xover1OS.c1, s.xover1OS.l1});
    ExpectNonZero({x4.c1, x4.c2, x4.c3, x4.c4, x4.l1, x4.l2, x4.l3, x4.l4});
    ExpectNonZero({rc.r1, rc.l1, rc.c1, ta.r1, ta.p1, ta.r2, ta.p2});
    // The Zobel of a driver without L(e) is R1 alone.
    EXPECT_DOUBLE_EQ(s.inductanceComp.r1, 8);
    EXPECT_DOUBLE_EQ(s.inductanceComp.c1, 0);

    // Every result is stored with four digits.
    EXPECT_DOUBLE_EQ(s.xover2OBW.c1, Round4(s.xover2OBW.c1));
    EXPECT_DOUBLE_EQ(s.tweeterAtten.p1, Round4(s.tweeterAtten.p1));
}

TEST(NetworkCalculations, AZeroDivisorStopsWithoutTouchingTheResults)
{
    struct Zeroed {
        int page;
        void (*zero)(CSpkSys&);
    };
    const Zeroed cases[] = {
        {0, [](CSpkSys& s) { s.xover1OBW.frequency = 0; }},
        {0, [](CSpkSys& s) { s.xover1OBW.tweeterImpedance = 0; }},
        {0, [](CSpkSys& s) { s.xover1OBW.wooferImpedance = 0; }},
        {1, [](CSpkSys& s) { s.xover2OBW.frequency = 0; }},
        {1, [](CSpkSys& s) { s.xover2OBW.wooferImpedance = 0; }},
        {2, [](CSpkSys& s) { s.xover3OBW.tweeterImpedance = 0; }},
        {3, [](CSpkSys& s) { s.xover1OS.zeta = 0; }},
        {3, [](CSpkSys& s) { s.xover1OS.frequency = 0; }},
        {3, [](CSpkSys& s) { s.xover1OS.wooferImpedance = -s.xover1OS.tweeterImpedance; }},
        {4, [](CSpkSys& s) { s.xover2OLR.tweeterImpedance = 0; }},
        {5, [](CSpkSys& s) { s.xover4OLR.frequency = 0; }},
        {6, [](CSpkSys& s) { s.resonanceComp.driverImpedance = 0; }},
        {6, [](CSpkSys& s) { s.resonanceComp.driverFs = 0; }},
        {6, [](CSpkSys& s) { s.resonanceComp.driverQt = 0; }},
        {6, [](CSpkSys& s) { s.resonanceCompMaxZ = s.resonanceComp.driverImpedance; }},
        {7, [](CSpkSys& s) { s.inductanceComp.driverImpedance = 0; }},
        {8, [](CSpkSys& s) { s.tweeterAtten.tweeterImpedance = 0; }},
        {8, [](CSpkSys& s) { s.tweeterAtten.attenuation = 0; }},
        // Results that would overflow are not stored either.
        {0, [](CSpkSys& s) { s.xover1OBW.frequency = 1e-310; }},
        {8, [](CSpkSys& s) { s.tweeterAtten.attenuation = 1e4; }},
    };
    for (const Zeroed& c : cases) {
        CSpkSys s = Calculated();
        c.zero(s);
        const CSpkSys before = s;
        EXPECT_FALSE(CalculateCrossoverPage(s, c.page)) << "page " << c.page;
        EXPECT_TRUE(Groups(s) == Groups(before)) << "page " << c.page;
    }
}

TEST(NetworkCalculations, ResonanceCompensatorEstimatesAnUnknownPeak)
{
    ResonanceComp g; // 8 Ohms, 1000 Hz, Q(t) 0.707
    EXPECT_DOUBLE_EQ(ResonanceMaxZ(g, 0), 32);
    EXPECT_DOUBLE_EQ(ResonanceMaxZ(g, 20), 20);
    ResonanceComp known = g;
    ASSERT_TRUE(CalcResonanceComp(g, 0));
    ASSERT_TRUE(CalcResonanceComp(known, 32));
    EXPECT_EQ(g, known);
    // R1 = R(e) Max Z / (Max Z - R(e)).
    EXPECT_DOUBLE_EQ(g.r1, 10.67);
}

TEST(NetworkCalculations, ResonanceCompensatorRefusesAPeakNotAboveTheDriverImpedance)
{
    CSpkSys s = Calculated(); // 8 Ohms, 1000 Hz, Q(t) 0.707, Max Z unknown
    for (double maxZ : {5.0, 8.0, -20.0}) {
        SCOPED_TRACE(maxZ);
        CSpkSys refused = s;
        refused.resonanceCompMaxZ = maxZ;
        const CSpkSys before = refused;
        const auto why = CrossoverPageRefusal(refused, 6);
        ASSERT_TRUE(why.has_value());
        EXPECT_NE(why->find("must be above the Driver Impedance (8 Ohms)"), std::string::npos)
            << *why;
        EXPECT_FALSE(CalculateCrossoverPage(refused, 6));
        EXPECT_TRUE(Groups(refused) == Groups(before));
        EXPECT_GT(refused.resonanceComp.r1, 0);
    }
    CSpkSys refused = s;
    refused.resonanceCompMaxZ = 5;
    EXPECT_EQ(*CrossoverPageRefusal(refused, 6),
              "Max Z (5 Ohms) must be above the Driver Impedance (8 Ohms): it is the driver's "
              "impedance at the top of its resonance peak. Enter 0 if it is unknown.");
    // Just above it, unknown (0), or any other page: a network.
    for (double maxZ : {8.01, 0.0, 40.0}) {
        s.resonanceCompMaxZ = maxZ;
        EXPECT_FALSE(CrossoverPageRefusal(s, 6)) << maxZ;
        EXPECT_TRUE(CalculateCrossoverPage(s, 6)) << maxZ;
        EXPECT_GT(s.resonanceComp.r1, 0);
        EXPECT_GT(s.resonanceComp.l1, 0);
        EXPECT_GT(s.resonanceComp.c1, 0);
    }
    s.resonanceCompMaxZ = 5;
    for (int page = 0; page < kCrossoverPageCount; ++page) {
        if (page != 6) {
            EXPECT_FALSE(CrossoverPageRefusal(s, page)) << page;
        }
    }
}

TEST(SeriesCrossover, EqualImpedancesKeepTheClassicDesign)
{
    // Zeta 1 into 8 Ohms at 1 kHz: L = Z / 2 pi f, C = 1 / (2 pi f Z), as the 1st order
    // Butterworth parts.
    Xover1OS g;
    g.zeta = 1;
    ASSERT_TRUE(CalcXover1OS(g));
    EXPECT_DOUBLE_EQ(g.l1, 1.273);
    EXPECT_DOUBLE_EQ(g.c1, 19.89);
    g.zeta = 0.707; // the page's default: L 0.707 times, C 1/0.707 times as large
    ASSERT_TRUE(CalcXover1OS(g));
    EXPECT_DOUBLE_EQ(g.l1, 0.9002);
    EXPECT_DOUBLE_EQ(g.c1, 28.14);
}

TEST(CrossoverPages, NamesInSheetOrder)
{
    EXPECT_STREQ(CrossoverPageName(0), "Xover1OBW");
    EXPECT_STREQ(CrossoverPageName(3), "Xover1OS");
    EXPECT_STREQ(CrossoverPageName(4), "Xover2OLR");
    EXPECT_STREQ(CrossoverPageName(8), "TweeterAtten");
    EXPECT_EQ(CrossoverPageName(9), nullptr);
    EXPECT_EQ(CrossoverPageName(-1), nullptr);
    for (int page = 0; page < kCrossoverPageCount; ++page)
        EXPECT_EQ(CrossoverPageFromName(CrossoverPageName(page)), page);
    EXPECT_EQ(CrossoverPageFromName("xover1OBW"), -1);

    CSpkSys s;
    EXPECT_FALSE(CalculateCrossoverPage(s, 9));
    EXPECT_TRUE(Groups(s) == Groups(CSpkSys{}));
    // Each page calculates its own group only.
    ASSERT_TRUE(CalculateCrossoverPage(s, 4));
    EXPECT_EQ(s.xover2OBW, Xover2OBW{});
    EXPECT_NE(s.xover2OLR, Xover2OLR{});

    // A page's values (Max Z among the Resonance Compensator's) put back as they were.
    const CSpkSys before = Calculated();
    s = before;
    s.resonanceCompMaxZ = 5;
    s.resonanceComp.r1 = -13.33;
    EXPECT_EQ(CrossoverPageValues(before, 6).size(), 7u);
    SetCrossoverPageValues(s, 6, CrossoverPageValues(before, 6));
    EXPECT_TRUE(Groups(s) == Groups(before));
}

} // namespace
} // namespace cw::calc
