#include "database/DriverCheck.h"
#include "database/DriverImport.h"
#include "driver/DriverFile.h"
#include "model/Units.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

// Values typed in the unit next to the one a file asks for, whichever way, in every format a
// driver comes in by: the check names each with the value that was probably meant.
namespace cw::database
{
namespace
{

using Findings = std::vector<std::string>;

// Data-sheet values of a made-up driver; the rest follows from them as a maker's sheet derives
// it, printed to three digits.
struct Sheet {
    double inches, sdSqCm, fs, mmsG, re, bl, qms, xMaxMm, leMH;
};

double Printed(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", v);
    return std::stod(text);
}

DriverParams FromSheet(const Sheet& s)
{
    constexpr double kTwoPi = 6.283185307;
    DriverParams d;
    d.manufacturer = "Made Up";
    d.model = std::to_string(s.inches) + " in";
    d.nominalDiameterIn = s.inches;
    d.nominalDiameterMm = Printed(s.inches * 25.4);
    d.sdSqM = s.sdSqCm / 1e4;
    d.fs = s.fs;
    d.mms = s.mmsG;
    d.re = s.re;
    d.bl = s.bl;
    d.qms = s.qms;
    d.xMax = s.xMaxMm;
    d.xPeak = Printed(s.xMaxMm * 1.6);
    d.le = s.leMH;
    const double cmsMPerN = 1 / (std::pow(kTwoPi * s.fs, 2) * s.mmsG / 1000);
    d.cms = Printed(cmsMPerN * 1000);
    d.vasLiters = Printed(1.18 * 344.8 * 344.8 * d.sdSqM * d.sdSqM * cmsMPerN * 1000);
    d.qes = Printed(kTwoPi * s.fs * s.mmsG / 1000 * s.re / (s.bl * s.bl));
    d.qts = Printed(d.qes * d.qms / (d.qes + d.qms));
    d.vasCuFt = LitersToCuFt(d.vasLiters);
    d.sdSqIn = SqMToSqIn(d.sdSqM);
    return d;
}

const std::vector<Sheet> kSheets = {
    {3, 29, 90, 2.5, 3.4, 3.2, 3, 3, 0.15},    {3.5, 38, 80, 3.2, 3.6, 3.5, 3.5, 3.5, 0.2},
    {4, 50, 70, 4.5, 3.4, 4.2, 4, 4, 0.3},     {4.5, 62, 62, 6, 3.3, 4.8, 4.2, 4.5, 0.35},
    {5, 85, 55, 8, 3.5, 5.2, 4.5, 5, 0.4},     {5.25, 90, 50, 9.5, 3.6, 5.5, 5, 5, 0.45},
    {6, 120, 45, 12, 5.6, 6.5, 5, 5.5, 0.6},   {6.5, 135, 38, 14, 5.8, 7, 5.5, 6, 0.7},
    {7, 165, 36, 18, 5.8, 7.5, 5.5, 6, 0.8},   {8, 220, 32, 25, 5.8, 8.5, 6, 7, 1},
    {9, 270, 30, 32, 5.6, 9, 6, 7, 1.2},       {10, 340, 27, 45, 5.8, 10.5, 6, 8, 1.4},
    {11, 400, 25, 55, 5.9, 11.5, 6.5, 9, 1.6}, {12, 490, 24, 70, 5.5, 13, 7, 10, 1.8},
    {13, 560, 22, 85, 5.6, 14, 7, 10, 2},      {14, 680, 21, 110, 5.7, 16, 7, 11, 2.2},
    {15, 840, 20, 130, 5.6, 18, 7.5, 12, 2.5}, {16, 960, 19, 150, 5.8, 19, 8, 13, 2.8},
    {17, 1050, 18, 170, 5.5, 20, 8, 14, 3},    {18, 1180, 18, 200, 5.4, 22, 8, 15, 3.5},
};

TEST(UnitMistakes, DriversOfEverySizeWithConsistentSheetsHaveNoFindings)
{
    for (const Sheet& s : kSheets)
        EXPECT_EQ(CheckDriver(FromSheet(s)), Findings{}) << s.inches << " in";
}

TEST(UnitMistakes, AVasAThousandTimesOffIsFoundWhenTheOtherValuesAlsoDisagree)
{
    // A hand-written file: V(as) typed in liters where cubic metres are read, and an M(ms) that
    // makes the relation give 360 times, not 1000 times: the driver's size still decides.
    DriverParams d;
    d.fs = 27;
    d.qts = 0.38;
    d.qes = 0.41;
    d.qms = 5.8;
    d.vasLiters = 45000;
    d.re = 5.8;
    d.sdSqM = 0.034;
    d.mms = 45;
    const std::vector<UnitFix> fixes = LikelyUnitFixes(d);
    ASSERT_EQ(fixes.size(), 1u);
    EXPECT_EQ(fixes[0].field, &DriverParams::vasLiters);
    EXPECT_EQ(fixes[0].meant, 45);
    EXPECT_NE(fixes[0].finding.find("was 45 liters meant?"), std::string::npos) << fixes[0].finding;
}

// The driver as each format writes it, in that format's units.
std::string AsWdr(const DriverParams& d)
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "[Driver]\nBrand=%s\nModel=%s\nfs=%.12g\nQts=%.12g\nQes=%.12g\nQms=%.12g\n"
                  "Vas=%.12g\nRe=%.12g\nLe=%.12g\nSd=%.12g\nXmax=%.12g\nMms=%.12g\nCms=%.12g\n"
                  "BL=%.12g\n",
                  d.manufacturer.c_str(), d.model.c_str(), d.fs, d.qts, d.qes, d.qms,
                  d.vasLiters / 1000, d.re, d.le / 1000, d.sdSqM, d.xMax / 1000, d.mms / 1000,
                  d.cms / 1000, d.bl);
    return text;
}

std::string AsXml(const DriverParams& d)
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "<speakers><speaker vendor=\"%s\" model=\"%s\" fs=\"%.12g\" qts=\"%.12g\" "
                  "qes=\"%.12g\" qms=\"%.12g\" vas=\"%.12g\" re=\"%.12g\" le=\"%.12g\" "
                  "sd=\"%.12g\" xmax=\"%.12g\" bl=\"%.12g\" dia=\"%.12g\"/></speakers>",
                  d.manufacturer.c_str(), d.model.c_str(), d.fs, d.qts, d.qes, d.qms, d.vasLiters,
                  d.re, d.le, d.sdSqM, d.xMax, d.bl, d.nominalDiameterMm / 1000);
    return text;
}

std::string AsTable(const DriverParams& d)
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "Manufacturer\tModel\tfs [Hz]\tQts\tQes\tQms\tVas [l]\tRe [ohm]\tLe [mH]\t"
                  "Sd [cm2]\tXmax [mm]\tMms [g]\tCms [mm/N]\tBL [Tm]\tDia [mm]\n"
                  "%s\t%s\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t%.12g\t"
                  "%.12g\t%.12g\t%.12g\n",
                  d.manufacturer.c_str(), d.model.c_str(), d.fs, d.qts, d.qes, d.qms, d.vasLiters,
                  d.re, d.le, d.sdSqM * 1e4, d.xMax, d.mms, d.cms, d.bl, d.nominalDiameterMm);
    return text;
}

TEST(UnitMistakes, EachMistakeEitherWayInEveryFormatNamesTheValueMeant)
{
    struct Format {
        const char* path;
        std::function<std::string(const DriverParams&)> write;
        bool massAndCompliance; // the format has M(ms) and C(ms)
        bool peak;              // and X(peak)
    };
    const Format formats[] = {
        {"w.dvr", [](const DriverParams& d) { return EncodeDriver(d); }, true, true},
        {"w.wdr", AsWdr, true, false},
        {"list.xml", AsXml, false, false},
        {"table.txt", AsTable, true, false},
    };
    struct Mistake {
        const char* label;
        double DriverParams::*field;
        double step;
        const char* meant; // as the finding says it
        bool needsMassAndCompliance = false;
        bool needsPeak = false;
    };
    const DriverParams good = FromSheet(kSheets[11]); // the 10 in woofer
    ASSERT_EQ(good.vasLiters, 125);
    const Mistake mistakes[] = {
        {"V(as)", &DriverParams::vasLiters, 1000, "was 125 liters meant?"},
        {"S(D)", &DriverParams::sdSqM, 1e4, "was 0.034 sq m meant?"},
        {"X(max)", &DriverParams::xMax, 1000, "was 8 mm meant?"},
        {"L(e)", &DriverParams::le, 1000, "was 1.4 mH meant?"},
        {"M(ms)", &DriverParams::mms, 1000, "was 45 g meant?", true},
        {"C(ms)", &DriverParams::cms, 1000, "was 0.772 mm/N meant?", true},
        {"X(peak)", &DriverParams::xPeak, 1000, "was 12.8 mm meant?", false, true},
    };
    for (const Format& f : formats) {
        for (const Mistake& m : mistakes) {
            if ((m.needsMassAndCompliance && !f.massAndCompliance) || (m.needsPeak && !f.peak))
                continue;
            for (const double factor : {m.step, 1 / m.step}) {
                DriverParams wrong = good;
                wrong.*m.field *= factor;
                // The other unit system's copies follow the value as the import fills them.
                wrong.vasCuFt = 0;
                wrong.sdSqIn = 0;
                std::vector<ImportedDriver> read;
                ASSERT_EQ(ReadDriverBytes(f.write(wrong), f.path, read), "") << f.path;
                ASSERT_EQ(read.size(), 1u);
                read[0].driver.vasCuFt = 0;
                read[0].driver.sdSqIn = 0;
                const Findings findings = CheckDriver(read[0].driver);
                const std::string what =
                    std::string(f.path) + ", " + m.label + " times " + std::to_string(factor);
                ASSERT_EQ(findings.size(), 1u)
                    << what << ": " << ::testing::PrintToString(findings);
                EXPECT_EQ(findings[0].rfind(m.label, 0), 0u) << what << ": " << findings[0];
                EXPECT_TRUE(findings[0].ends_with(m.meant)) << what << ": " << findings[0];
                // The mend changes that value alone, and the driver is consistent again.
                const std::vector<UnitFix> fixes = LikelyUnitFixes(read[0].driver);
                ASSERT_EQ(fixes.size(), 1u) << what;
                EXPECT_EQ(fixes[0].field, m.field) << what;
                EXPECT_EQ(CheckDriver(ApplyUnitFixes(read[0].driver, fixes)), Findings{}) << what;
            }
        }
    }
}

} // namespace
} // namespace cw::database
