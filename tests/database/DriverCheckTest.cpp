#include "database/DriverCheck.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace cw::database
{
namespace
{

using Findings = std::vector<std::string>;

// A woofer whose datasheet values agree with each other to the digits printed: M(ms) 20 g and
// C(ms) 0.8 mm/N give f(s) 39.79 Hz; with S(D) 214 sq cm, V(as) 51.40 l; with BL 7.5 and
// R(e) 5.6, Q(es) 0.4978; with Q(ms) 4, Q(ts) 0.4427; n(0) 0.620% and SPL 90.0 dB.
DriverParams Consistent()
{
    DriverParams d;
    d.manufacturer = "Acme";
    d.model = "W8";
    d.nominalDiameterMm = 200;
    d.fs = 39.8;
    d.mms = 20;
    d.cms = 0.8;
    d.sdSqM = 0.0214;
    d.vasLiters = 51.4;
    d.re = 5.6;
    d.bl = 7.5;
    d.qes = 0.498;
    d.qms = 4;
    d.qts = 0.443;
    d.spl = 90;
    d.eta0 = 0.62;
    d.xMax = 5;
    d.le = 0.6;
    return d;
}

TEST(DriverCheck, ConsistentDriversHaveNoFindings)
{
    EXPECT_EQ(CheckDriver(Consistent()), Findings{});
    EXPECT_EQ(CheckDriver(SampleDriver()), Findings{});
    EXPECT_EQ(CheckDriver(DriverParams{}), Findings{}); // nothing given, nothing to compare
}

TEST(DriverCheck, EachRelationNamesItsFieldsAndTheDisagreement)
{
    struct Case {
        const char* what;
        std::function<void(DriverParams&)> change;
        Findings findings;
    };
    const std::vector<Case> cases = {
        {"Q(ts)",
         [](DriverParams& d) { d.qts = 0.5; },
         {"Q(ts) 0.5 is 13% above the 0.4429 from Q(es) and Q(ms)."}},
        {"f(s)",
         [](DriverParams& d) { d.cms = 1.2; }, // also V(as), which C(ms) gives
         {"f(s) 39.8 Hz is 23% above the 32.49 Hz from M(ms) and C(ms).",
          "V(as) 51.4 liters is 33% below the 77.09 liters from C(ms) and S(D)."}},
        {"Q(es)",
         [](DriverParams& d) { d.bl = 6; },
         {"Q(es) 0.498 is 36% below the 0.778 from BL, R(e), M(ms) and f(s)."}},
        {"SPL",
         [](DriverParams& d) { d.spl = 95, d.eta0 = 0; },
         {"n(0) 1.95% from the SPL of 95 dB is 214% above the 0.6204% from f(s), V(as) and "
          "Q(es)."}},
        {"n(0)",
         [](DriverParams& d) { d.eta0 = 1.5; },
         {"n(0) 1.5% is 143% above the 0.6166% from the SPL of 90 dB."}},
        {"n(0) alone",
         [](DriverParams& d) { d.spl = 0, d.eta0 = 0.3; },
         {"n(0) 0.3% is 52% below the 0.6204% from f(s), V(as) and Q(es)."}},
        {"twins",
         [](DriverParams& d) {
             d.nominalDiameterIn = 10;
             d.vasCuFt = 1.815; // 51.39 liters: agrees
             d.sdSqIn = 30;
         },
         {"The nominal diameter 200 mm and 10 in disagree by 27%.",
          "S(D) 0.0214 sq m and 30 sq in disagree by 10%."}},
        {"not numbers",
         [](DriverParams& d) {
             d.fs = -39.8;
             d.qts = std::numeric_limits<double>::quiet_NaN();
             d.qms = std::numeric_limits<double>::infinity();
         },
         {"f(s) -39.8 is negative.", "Q(ts) is not a number.", "Q(ms) is not a number."}},
    };
    for (const Case& c : cases) {
        DriverParams d = Consistent();
        c.change(d);
        EXPECT_EQ(CheckDriver(d), c.findings) << c.what;
    }
}

TEST(DriverCheck, LikelyUnitMistakes)
{
    struct Case {
        const char* what;
        std::function<void(DriverParams&)> change;
        Findings findings;
    };
    const std::vector<Case> cases = {
        {"V(as) in cubic metres read as liters, 1000 times too large",
         [](DriverParams& d) { d.vasLiters = 51400; },
         {"V(as) 51400 liters is 1000 times what C(ms) and S(D) give: was 51.4 liters meant?"}},
        {"V(as) a thousandth, found through f(s) and M(ms) when C(ms) is missing",
         [](DriverParams& d) { d.vasLiters = 0.0514, d.cms = 0, d.eta0 = 0; },
         {"V(as) 0.0514 liters is a thousandth of what S(D), f(s) and M(ms) give: was 51.4 "
          "liters meant?"}},
        {"S(D) in square centimetres",
         [](DriverParams& d) { d.sdSqM = 214; },
         {"S(D) 214 sq m is more than a 200 mm driver has: was 0.0214 sq m meant?"}},
        {"X(max) in metres",
         [](DriverParams& d) { d.xMax = 0.005; },
         {"X(max) 0.005 mm is less than any driver has: was 5 mm meant?"}},
        {"L(e) in henries",
         [](DriverParams& d) { d.le = 0.0006; },
         {"L(e) 0.0006 mH is less than any driver has: was 0.6 mH meant?"}},
    };
    for (const Case& c : cases) {
        DriverParams d = Consistent();
        c.change(d);
        EXPECT_EQ(CheckDriver(d), c.findings) << c.what;
    }
}

} // namespace
} // namespace cw::database
