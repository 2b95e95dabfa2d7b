#include "database/DriverCheck.h"

#include <cmath>
#include <cstdio>
#include <tuple>

namespace cw::database
{

namespace
{

constexpr double kAirDensity = 1.18;  // kg/m³, as the response models use it
constexpr double kSoundSpeed = 344.8; // m/s
constexpr double kTwoPi = 6.283185307;
constexpr double kLitersPerCuFt = 28.316847;
constexpr double kMmPerInch = 25.4;
constexpr double kSqMPerSqIn = 0.00064516;

// How far a value may stray from what the others give before it is worth a word. Datasheets
// print two or three digits, and their makers measure by different methods: the Q values agree
// closely, the mechanical relations less so, V(as) least of all; 40% of efficiency is 1.5 dB.
constexpr double kQTolerance = 0.05;
constexpr double kMechanicalTolerance = 0.10;
constexpr double kVasTolerance = 0.15;
constexpr double kEfficiencyTolerance = 0.40;
constexpr double kTwinTolerance = 0.02;

// Where the values of loudspeaker drivers lie, from a dome tweeter to an 18 in woofer, with
// room to spare on either side: a value 1000 times too large or too small (the unit next door)
// falls outside, and the value it was probably meant to be falls inside. The piston area of a
// driver of nominal diameter D is about pi (0.4 D)^2; V(as) in liters and M(ms) in grams grow
// with S(D)^1.5.
constexpr double kPistonOfDiameter = 0.4;
constexpr double kSdOfCircle[2] = {0.1, 3};      // S(D) against pi (D/2)^2
constexpr double kSdSqM[2] = {2e-5, 1};          // without a diameter: 0.2 sq cm to 1 sq m
constexpr double kVasPerSd15[2] = {150, 300000}; // V(as) in liters / S(D)^1.5
constexpr double kMmsPerSd15[2] = {300, 400000}; // M(ms) in grams / S(D)^1.5
constexpr double kXmaxMm[2] = {0.05, 100};       // without a diameter
constexpr double kXmaxOfDiameter = 0.2;          // X(max) at most a fifth of the diameter
constexpr double kXpeakOfDiameter = 0.3;
constexpr double kLeMH[2] = {0.01, 50};
constexpr double kUnitStep = 1000;
constexpr double kAreaStep = 10000; // square centimetres and square metres

std::string Number(double v)
{
    char text[64];
    if (std::fabs(v) >= 1e4 && std::fabs(v) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", v);
    else
        std::snprintf(text, sizeof text, "%.4g", v);
    return text;
}

// "90 liters", "0.49", "0.977%".
std::string Amount(double v, const char* unit)
{
    std::string text = Number(v);
    if (*unit == '%')
        return text + unit;
    return *unit ? text + " " + unit : text;
}

class Checker
{
public:
    explicit Checker(const DriverParams& d) : d_(d) {}

    const std::vector<UnitFix>& fixes() const { return fixes_; }

    std::vector<std::string> Run()
    {
        for (const Plain& p :
             {Plain{"f(s)", d_.fs}, Plain{"Q(ts)", d_.qts}, Plain{"Q(es)", d_.qes},
              Plain{"Q(ms)", d_.qms}, Plain{"V(as)", d_.vasLiters},
              Plain{"V(as) in cu ft", d_.vasCuFt}, Plain{"C(ms)", d_.cms}, Plain{"R(e)", d_.re},
              Plain{"S(D)", d_.sdSqM}, Plain{"S(D) in sq in", d_.sdSqIn}, Plain{"X(max)", d_.xMax},
              Plain{"L(e)", d_.le}, Plain{"BL", d_.bl}, Plain{"M(ms)", d_.mms},
              Plain{"n(0)", d_.eta0}, Plain{"The nominal diameter", d_.nominalDiameterMm}})
            Sane(p);
        UnitMistakes();
        Twins();
        Relations();
        return findings_;
    }

private:
    struct Plain {
        const char* label;
        double value;
    };

    // Given: a finite value above 0. A 0 is "not given"; NaN and negatives get their own finding.
    static bool Given(double v) { return std::isfinite(v) && v > 0; }

    void Say(std::string text) { findings_.push_back(std::move(text)); }

    void Sane(const Plain& p)
    {
        // A NaN reads as "not given" where the program derives values; here it is named.
        if (!std::isfinite(p.value))
            Say(std::string(p.label) + " is not a number.");
        else if (!std::isnan(p.value) && p.value < 0)
            Say(std::string(p.label) + " " + Number(p.value) + " is negative.");
    }

    // The metric copy where it is given, else the other one converted.
    double Vas() const
    {
        return Given(d_.vasLiters) ? d_.vasLiters : Usable(d_.vasCuFt) * kLitersPerCuFt;
    }
    double Sd() const { return Given(d_.sdSqM) ? d_.sdSqM : Usable(d_.sdSqIn) * kSqMPerSqIn; }
    static double Usable(double v) { return Given(v) ? v : 0; }

    // "1000 times", "a ten-thousandth of".
    static std::string Times(double step, bool larger)
    {
        const char* word = step == kAreaStep ? (larger ? "10000 times" : "a ten-thousandth of")
                                             : (larger ? "1000 times" : "a thousandth of");
        return word;
    }

    // A value the step away from what the others give; says so with the value it probably
    // meant and answers true.
    bool AgainstRelation(const char* label, double DriverParams::*field, const char* unit,
                         double expected, const char* basis, double step = kUnitStep)
    {
        const double v = d_.*field;
        if (!Given(v) || !std::isfinite(expected) || !(expected > 0))
            return false;
        const double ratio = v / expected;
        const bool larger = ratio > step / 2 && ratio < step * 2;
        const bool smaller = ratio < 2 / step && ratio > 1 / (2 * step);
        if (!larger && !smaller)
            return false;
        const double meant = larger ? v / step : v * step;
        Say(std::string(label) + " " + Amount(v, unit) + " is " + Times(step, larger) + " what " +
            basis + " give: was " + Amount(meant, unit) + " meant?");
        fixes_.push_back({label, unit, field, v, meant, findings_.back()});
        return true;
    }

    // A value outside where drivers lie whose value the step away lies inside.
    bool AgainstRange(const char* label, double DriverParams::*field, const char* unit, double low,
                      double high, const std::string& size, double step = kUnitStep)
    {
        const double v = d_.*field;
        if (!Given(v) || (v >= low && v <= high))
            return false;
        const bool larger = v > high;
        const double meant = larger ? v / step : v * step;
        if (meant < low || meant > high)
            return false;
        Say(std::string(label) + " " + Amount(v, unit) + " is " +
            (larger ? "more than " : "less than ") + size + " has: was " + Amount(meant, unit) +
            " meant?");
        fixes_.push_back({label, unit, field, v, meant, findings_.back()});
        return true;
    }

    // Values given in the unit next to the record's, found against the others where they
    // decide and against the sizes of drivers where they cannot.
    void UnitMistakes()
    {
        const double diameter = Given(d_.nominalDiameterMm) ? d_.nominalDiameterMm / 1000 : 0;
        const std::string anyDriver = "any driver";
        const std::string sized = "a " + Amount(d_.nominalDiameterMm, "mm") + " driver";
        const double circle = kTwoPi / 2 * diameter * diameter / 4;
        if (diameter > 0)
            sdSuspect_ = AgainstRange("S(D)", &DriverParams::sdSqM, "sq m", kSdOfCircle[0] * circle,
                                      kSdOfCircle[1] * circle, sized, kAreaStep);
        else
            sdSuspect_ = AgainstRange("S(D)", &DriverParams::sdSqM, "sq m", kSdSqM[0], kSdSqM[1],
                                      anyDriver, kAreaStep);
        const double piston = kTwoPi / 2 * std::pow(kPistonOfDiameter * diameter, 2);
        const bool sdGiven = !sdSuspect_ && Given(d_.sdSqM);
        const double sd = sdGiven ? d_.sdSqM : piston;
        const double scale = std::pow(sd, 1.5);
        const std::string bySd =
            diameter > 0 ? sized : "a driver of S(D) " + Amount(d_.sdSqM, "sq m");

        if (sd > 0)
            mmsSuspect_ = AgainstRange("M(ms)", &DriverParams::mms, "g", kMmsPerSd15[0] * scale,
                                       kMmsPerSd15[1] * scale, bySd);
        // C(ms) from f(s) and M(ms), in mm/N.
        const double mms = mmsSuspect_ ? 0 : d_.mms / 1000;
        if (Given(d_.fs) && Given(mms))
            cmsSuspect_ =
                AgainstRelation("C(ms)", &DriverParams::cms, "mm/N",
                                1000 / (std::pow(kTwoPi * d_.fs, 2) * mms), "f(s) and M(ms)");

        // V(as) against C(ms) and S(D), else against S(D), f(s) and M(ms), then the size.
        const double vas = d_.vasLiters, area = sdSuspect_ ? 0 : Sd();
        const double rhoC2 = kAirDensity * kSoundSpeed * kSoundSpeed;
        if (Given(vas) && Given(area) && Given(d_.cms) && !cmsSuspect_)
            vasSuspect_ = AgainstRelation("V(as)", &DriverParams::vasLiters, "liters",
                                          rhoC2 * area * area * d_.cms, "C(ms) and S(D)");
        else if (Given(vas) && Given(area) && Given(d_.fs) && Given(mms))
            vasSuspect_ =
                AgainstRelation("V(as)", &DriverParams::vasLiters, "liters",
                                rhoC2 * area * area * 1000 / (std::pow(kTwoPi * d_.fs, 2) * mms),
                                "S(D), f(s) and M(ms)");
        // Relations that disagree by other than the unit step leave the size to decide: no
        // driver of that size has a V(as) a thousand times off.
        if (!vasSuspect_ && sd > 0)
            vasSuspect_ = AgainstRange("V(as)", &DriverParams::vasLiters, "liters",
                                       kVasPerSd15[0] * scale, kVasPerSd15[1] * scale, bySd);

        // Too little is so for every driver; too much depends on the size.
        for (const auto& [label, field, share] :
             {std::tuple{"X(max)", &DriverParams::xMax, kXmaxOfDiameter},
              std::tuple{"X(peak)", &DriverParams::xPeak, kXpeakOfDiameter}}) {
            if (Given(d_.*field) && d_.*field < kXmaxMm[0])
                AgainstRange(label, field, "mm", kXmaxMm[0], kXmaxMm[1], anyDriver);
            else if (diameter > 0)
                AgainstRange(label, field, "mm", kXmaxMm[0], share * diameter * 1000, sized);
            else
                AgainstRange(label, field, "mm", kXmaxMm[0], kXmaxMm[1], anyDriver);
        }
        AgainstRange("L(e)", &DriverParams::le, "mH", kLeMH[0], kLeMH[1], anyDriver);
    }

    void Twin(const char* what, double metric, const char* metricUnit, double other,
              const char* otherUnit, double otherInMetric)
    {
        if (!Given(metric) || !Given(other))
            return;
        const double off = otherInMetric / metric - 1;
        if (std::fabs(off) > kTwinTolerance)
            Say(std::string(what) + " " + Amount(metric, metricUnit) + " and " +
                Amount(other, otherUnit) + " disagree by " + Percent(off) + ".");
    }

    void Twins()
    {
        Twin("The nominal diameter", d_.nominalDiameterMm, "mm", d_.nominalDiameterIn, "in",
             d_.nominalDiameterIn * kMmPerInch);
        Twin("V(as)", d_.vasLiters, "liters", d_.vasCuFt, "cu ft", d_.vasCuFt * kLitersPerCuFt);
        Twin("S(D)", d_.sdSqM, "sq m", d_.sdSqIn, "sq in", d_.sdSqIn * kSqMPerSqIn);
    }

    static std::string Percent(double off)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.0f%%", std::fabs(off) * 100);
        return text;
    }

    // "<subject> is 12% above the <expected> from <from>." A ratio near 1000 or 1/1000 is
    // named as the unit mistake in unitSuspect it most likely is, where a caller allows it.
    void Relation(const std::string& subject, double given, double expected,
                  const std::string& expectedText, const std::string& from, double tolerance,
                  const char* unitSuspect = nullptr)
    {
        if (!std::isfinite(expected) || !(expected > 0))
            return;
        const double ratio = given / expected;
        const std::string tail = " the " + expectedText + " from " + from;
        const std::string mistake =
            unitSuspect ? std::string(": it looks like a unit mistake in ") + unitSuspect + "."
                        : "";
        if (unitSuspect && ratio > 500 && ratio < 2000)
            Say(subject + " is about 1000 times" + tail + mistake);
        else if (unitSuspect && ratio > 1 / 2000.0 && ratio < 1 / 500.0)
            Say(subject + " is about a thousandth of" + tail + mistake);
        else if (std::fabs(ratio - 1) > tolerance)
            Say(subject + " is " + Percent(ratio - 1) + (ratio > 1 ? " above" : " below") + tail +
                ".");
    }

    void Relations()
    {
        const double vas = Vas(), sd = sdSuspect_ ? 0 : Sd();
        if (Given(d_.qts) && Given(d_.qes) && Given(d_.qms)) {
            const double qts = d_.qes * d_.qms / (d_.qes + d_.qms);
            Relation("Q(ts) " + Number(d_.qts), d_.qts, qts, Number(qts), "Q(es) and Q(ms)",
                     kQTolerance);
        }
        // Moving mass in kg and compliance in m/N.
        const double mms = mmsSuspect_ ? 0 : d_.mms / 1000, cms = cmsSuspect_ ? 0 : d_.cms / 1000;
        if (Given(d_.fs) && Given(mms) && Given(cms)) {
            const double fs = 1 / (kTwoPi * std::sqrt(mms * cms));
            Relation("f(s) " + Amount(d_.fs, "Hz"), d_.fs, fs, Amount(fs, "Hz"), "M(ms) and C(ms)",
                     kMechanicalTolerance);
        }
        const std::size_t beforeVas = findings_.size();
        if (Given(vas) && Given(cms) && Given(sd) && !vasSuspect_ && !cmsSuspect_) {
            const double fromCms = kAirDensity * kSoundSpeed * kSoundSpeed * sd * sd * cms * 1000;
            Relation("V(as) " + Amount(vas, "liters"), vas, fromCms, Amount(fromCms, "liters"),
                     "C(ms) and S(D)", kVasTolerance);
        }
        const bool vasFlagged = vasSuspect_ || findings_.size() > beforeVas;
        if (Given(d_.qes) && Given(d_.fs) && Given(mms) && Given(d_.re) && Given(d_.bl)) {
            const double qes = kTwoPi * d_.fs * mms * d_.re / (d_.bl * d_.bl);
            Relation("Q(es) " + Number(d_.qes), d_.qes, qes, Number(qes),
                     "BL, R(e), M(ms) and f(s)", kMechanicalTolerance);
        }
        Efficiency(vasFlagged ? 0 : vas);
    }

    // The reference efficiency three ways: as given, from the 1 W / 1 m sensitivity, and from
    // f(s), V(as) and Q(es) with the constants the program derives it with.
    void Efficiency(double vas)
    {
        const bool haveSpl = std::isfinite(d_.spl) && d_.spl > 0;
        const double fromSpl = haveSpl ? 100 * std::pow(10.0, (d_.spl - 112.1) / 10) : 0;
        const std::string spl = "the SPL of " + Amount(d_.spl, "dB");
        if (Given(d_.eta0) && haveSpl)
            Relation("n(0) " + Amount(d_.eta0, "%"), d_.eta0, fromSpl, Amount(fromSpl, "%"), spl,
                     kMechanicalTolerance);
        if (!Given(d_.fs) || !Given(vas) || !Given(d_.qes) || (!Given(d_.eta0) && !haveSpl))
            return;
        const double smallSignal = 2.7e-6 * d_.fs * d_.fs * d_.fs * (vas / kLitersPerCuFt) / d_.qes;
        const std::string subject = haveSpl ? "n(0) " + Amount(fromSpl, "%") + " from " + spl
                                            : "n(0) " + Amount(d_.eta0, "%");
        Relation(subject, haveSpl ? fromSpl : d_.eta0, smallSignal, Amount(smallSignal, "%"),
                 "f(s), V(as) and Q(es)", kEfficiencyTolerance, "V(as)");
    }

    const DriverParams& d_;
    // Values found in the wrong unit, which the relations then leave out.
    bool sdSuspect_ = false;
    bool mmsSuspect_ = false;
    bool cmsSuspect_ = false;
    bool vasSuspect_ = false;
    std::vector<std::string> findings_;
    std::vector<UnitFix> fixes_;
};

} // namespace

std::vector<std::string> CheckDriver(const DriverParams& d)
{
    return Checker(d).Run();
}

std::vector<UnitFix> LikelyUnitFixes(const DriverParams& d)
{
    Checker checker(d);
    checker.Run();
    return checker.fixes();
}

std::string DescribeFix(const UnitFix& fix)
{
    return std::string(fix.label) + " from " + Amount(fix.value, fix.unit) + " to " +
           Amount(fix.meant, fix.unit);
}

DriverParams ApplyUnitFixes(DriverParams d, const std::vector<UnitFix>& fixes)
{
    for (const UnitFix& fix : fixes) {
        d.*fix.field = fix.meant;
        if (fix.field == &DriverParams::vasLiters && d.vasCuFt != 0)
            d.vasCuFt = fix.meant / kLitersPerCuFt;
        if (fix.field == &DriverParams::sdSqM && d.sdSqIn != 0)
            d.sdSqIn = fix.meant / kSqMPerSqIn;
    }
    return d;
}

} // namespace cw::database
