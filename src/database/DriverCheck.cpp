#include "database/DriverCheck.h"

#include <cmath>
#include <cstdio>

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

// Past these no driver goes, and the value divided by the unit step lands where drivers are.
constexpr double kLargestSdSqM = 1;      // a cone of more than a metre across
constexpr double kSmallestXmaxMm = 0.05; // even a dome tweeter moves more
constexpr double kSmallestLeMH = 0.01;   // even a ribbon has more

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
        return std::move(findings_);
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

    void UnitMistakes()
    {
        if (Given(d_.sdSqM) && d_.sdSqM > kLargestSdSqM) {
            sdSuspect_ = true;
            Say("S(D) " + Amount(d_.sdSqM, "sq m") +
                " is more than any driver's cone: it looks like square centimetres (" +
                Amount(d_.sdSqM / 1e4, "sq m") + ").");
        }
        if (Given(d_.xMax) && d_.xMax < kSmallestXmaxMm)
            Say("X(max) " + Amount(d_.xMax, "mm") +
                " is less than any driver moves: it looks like metres (" +
                Amount(d_.xMax * 1000, "mm") + ").");
        if (Given(d_.le) && d_.le < kSmallestLeMH)
            Say("L(e) " + Amount(d_.le, "mH") +
                " is less than any voice coil has: it looks like henries (" +
                Amount(d_.le * 1000, "mH") + ").");
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
        const double mms = d_.mms / 1000, cms = d_.cms / 1000;
        if (Given(d_.fs) && Given(mms) && Given(cms)) {
            const double fs = 1 / (kTwoPi * std::sqrt(mms * cms));
            Relation("f(s) " + Amount(d_.fs, "Hz"), d_.fs, fs, Amount(fs, "Hz"), "M(ms) and C(ms)",
                     kMechanicalTolerance);
        }
        const std::size_t beforeVas = findings_.size();
        if (Given(vas) && Given(cms) && Given(sd)) {
            const double fromCms = kAirDensity * kSoundSpeed * kSoundSpeed * sd * sd * cms * 1000;
            Relation("V(as) " + Amount(vas, "liters"), vas, fromCms, Amount(fromCms, "liters"),
                     "C(ms) and S(D)", kVasTolerance, "V(as)");
        }
        const bool vasFlagged = findings_.size() > beforeVas;
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
    bool sdSuspect_ = false;
    std::vector<std::string> findings_;
};

} // namespace

std::vector<std::string> CheckDriver(const DriverParams& d)
{
    return Checker(d).Run();
}

} // namespace cw::database
