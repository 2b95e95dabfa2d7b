#include "engine/Families.h"

#include "engine/Design.h"
#include "model/CompleteDriver.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <array>
#include <cmath>

namespace cw::engine
{

namespace
{

constexpr double kTwoPi = 6.283185307;
constexpr int kMemories = 10;

// Designs, calculates and draws one member, then stores it in memory k when that memory is empty.
// False when the family has to end: the member's box could not be designed.
template <class Design> bool Member(CSpkSysDoc& doc, RunMessages& messages, int k, Design&& design)
{
    const bool designed = design();
    if (!designed || RunCalculation(doc, true, messages) == RunResult::NotDesigned) {
        messages.Add(kFamilyStopped);
        return false;
    }
    if (k <= kMemories && !doc.systems[k].hasAnyCurve())
        doc.StoreSystem(k);
    return true;
}

// The base design once more as the workbench, then the family's title on the plot.
template <class Design>
void Finish(CSpkSysDoc& doc, RunMessages& messages, const char* title, Design&& design)
{
    if (!design() || RunCalculation(doc, true, messages) == RunResult::NotDesigned)
        messages.Add(kFamilyStopped);
    doc.windows().SetPlotTitle(title);
}

// F(B2) of the bandpass families: the closed-box resonance of the rear chamber, from its
// cubic-foot copy.
double FrontTuning(const WorkingValues& w, const BandpassCommon& b)
{
    return w.fs * std::sqrt(w.veff / (b.vb1CuFt / w.n) + 1);
}

// V(B2) of the bandpass families: (2 x q x Qts)² x Veff x N cubic feet; liters from that value.
void SizeFrontChamber(BandpassCommon& b, const WorkingValues& w, double q)
{
    const double x = 2 * q * w.qts;
    b.vb2CuFt = Round3(x * x * w.veff * w.n);
    b.vb2Liters = Round3(CuFtToLiters(b.vb2CuFt));
}

bool DesignClosed(CSpkSys& wb)
{
    return CalcBoxVolume(wb) && CalcAlpha(wb) && CalcFc(wb);
}

// What the family kept: the members stored in memories that were empty, and the memories that
// held a system and were left alone, so that a family meeting full memories does not pass for
// one that stored its members.
std::string FamilyNote(int stored, int kept, int leftOut)
{
    std::string note = "Responses for this Driver: ";
    if (stored == 0)
        note += "no design was stored";
    else
        note += std::to_string(stored) + (stored == 1 ? " design was" : " designs were") +
                " stored in empty memories";
    if (kept > 0)
        note +=
            "; " + std::to_string(kept) +
            (kept == 1 ? " memory that held a system was" : " memories that held systems were") +
            " left alone";
    if (leftOut > 0)
        note += "; " + std::to_string(leftOut) + (leftOut == 1 ? " tuning was" : " tunings were") +
                " left out, as the radiators would need a negative added mass";
    note += ".";
    if (stored == 0 && kept > 0)
        note += " Clear System empties a memory.";
    return note;
}

} // namespace

double LadderQtc(double qts)
{
    if (qts >= 0.7)
        return qts + 0.05;
    if (qts >= 0.65)
        return 0.707;
    if (qts >= 0.6)
        return 0.65;
    if (qts >= 0.55)
        return 0.6;
    if (qts >= 0.5)
        return 0.55;
    return 0.5;
}

void Family2OCB(CSpkSysDoc& doc, const WorkingValues&, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    constexpr std::array<double, 10> kSteps = {0, 0.05, 0.1, 0.15, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7};
    constexpr std::array<double, 10> kFixed = {0.5, 0.55, 0.6, 0.65, 0.707,
                                               0.8, 0.9,  1.0, 1.1,  1.2};
    const double qts = wb.driver.qts;
    const bool ladder = qts > 0.45;
    const double base = ladder ? LadderQtc(qts) : 0.5;
    auto design = [&] { return DesignClosed(wb); };
    for (int k = 1; k <= kMemories; ++k) {
        wb.closed2.qtc = ladder ? base + kSteps[k - 1] : kFixed[k - 1];
        if (!Member(doc, messages, k, design))
            return;
    }
    wb.closed2.qtc = base;
    Finish(doc, messages, "2nd Order Closed Box Responses for this Driver", design);
}

void Family3OCB(CSpkSysDoc& doc, const WorkingValues&, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    const double qts = wb.driver.qts;
    wb.closed3.qtc = qts > 0.6 ? qts + 0.21 : 0.81;
    const bool designed = DesignClosed(wb);
    auto keep = [designed] { return designed; };
    int k = 1;
    for (double c1 = 200; c1 <= 8000; c1 *= 1.5, ++k) {
        wb.closed3.c1 = c1;
        if (!Member(doc, messages, k, keep))
            return;
    }
    wb.closed3.c1 = 200;
    Finish(doc, messages, "3rd Order Closed Box Responses for this Driver",
           [&] { return DesignClosed(wb); });
}

namespace
{

// The vented family's box: Round3(4.1 x Q(ts)² x V(as) x N) in both units. Answers its first
// tuning, Round3(f(s) x 0.3 / Q(ts) / 1.5); each further one is Round3(1.1 x the one before).
double SizeVentedFamily(CSpkSys& wb, const WorkingValues& w, double& liters, double& cuFt)
{
    DriverParams& d = wb.driver;
    // A driver given in cubic feet only gets its liters first; the volume would be 0 otherwise.
    CompleteDriver::FillVasLiters(d);
    const double size = 4.1 * d.qts * d.qts * w.n;
    liters = Round3(size * d.vasLiters);
    cuFt = Round3(size * d.vasCuFt);
    return Round3(d.fs * 0.3 / d.qts / 1.5);
}

double NextTuning(double tuning)
{
    return Round3(tuning * 1.1);
}

} // namespace

void Family4OVB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    const double start = SizeVentedFamily(wb, w, wb.vented4.vbLiters, wb.vented4.vbCuFt);
    CalcQtc(wb);

    auto design = [&] { return EstimateDriverAndVent(wb); };
    double fb = start;
    for (int k = 1; k <= kMemories; ++k) {
        wb.vented4.fb = fb;
        if (!Member(doc, messages, k, design))
            return;
        fb = NextTuning(fb);
    }
    wb.vented4.fb = start;
    Finish(doc, messages, "4th Order Vented Box Responses for this Driver", design);
}

int FamilyPRB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    RadiatorBox& b = wb.radiator;
    const double start = SizeVentedFamily(wb, w, b.vbLiters, b.vbCuFt);

    // A radiator realises the tunings at and below its own without added mass; the lowest tuning
    // realised is the base design.
    double base = 0;
    int leftOut = 0;
    auto design = [&] { return CalcAddedMass(wb); };
    double fp = start;
    for (int k = 1; k <= kMemories; ++k, fp = NextTuning(fp)) {
        b.fp = fp;
        if (!CalcAddedMass(wb)) {
            ++leftOut;
            continue;
        }
        base = base == 0 ? fp : base;
        if (!Member(doc, messages, k, design))
            return leftOut;
    }
    if (base == 0) {
        b.fp = start;
        messages.Add("No tuning of the \"Responses for this Driver\" family can be realised "
                     "with these radiators: they need an F(S), V(AS) and S(D) greater than 0, and "
                     "without added mass they must tune the box to " +
                     FormatNumber(start) + " Hz or higher.");
        return leftOut;
    }
    b.fp = base;
    Finish(doc, messages, "Passive Radiator Box Responses for this Driver", design);
    return leftOut;
}

namespace
{

// Members of a bandpass family: Q(tc) from start, step added after each, while more(k, Q(tc))
// holds. Each member's rear chamber is designed for its Q(tc), the front chamber is tuned to the
// rear chamber's closed-box resonance (unrounded), then extra() sets the series components. The
// base design afterwards is the start value.
template <class More, class Extra>
void BandpassMembers(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages,
                     BandpassCommon& b, double start, double step, More&& more, Extra&& extra,
                     const char* title)
{
    CSpkSys& wb = doc.workbench();
    auto design = [&] {
        if (!CalcBoxVolume(wb))
            return false;
        b.fb2 = FrontTuning(w, b);
        extra();
        return true;
    };
    // Repeated addition, as the steps were always taken: from 0.75 by 0.05 the tenth member has
    // 1.2000000000000004.
    int k = 1;
    for (double qtc = start; more(k, qtc); qtc += step, ++k) {
        b.qtc = qtc;
        if (!Member(doc, messages, k, design))
            return;
    }
    b.qtc = start;
    Finish(doc, messages, title, design);
}

bool TenMembers(int k, double)
{
    return k <= kMemories;
}

} // namespace

void Family4OSBP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    BandpassBox4& b = wb.bandpass4;
    b.qtc = 0.707;
    CalcBoxVolume(wb);
    b.fb2 = Round3(FrontTuning(w, b));
    SizeFrontChamber(b, w, 0.707);
    BandpassMembers(
        doc, w, messages, b, LadderQtc(wb.driver.qts), 0.05, TenMembers, [] {},
        "4th Order Bandpass Box Responses for this Driver");
}

void Family5OABP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    BandpassBox5& b = wb.bandpass5;
    CalcBoxVolume(wb); // with the Q(tc) the block holds
    b.fb2 = Round3(FrontTuning(w, b));
    SizeFrontChamber(b, w, 0.522);
    const double qts = wb.driver.qts;
    BandpassMembers(
        doc, w, messages, b, qts > 0.45 ? qts + 0.2 : 0.75, 0.05,
        [](int, double qtc) { return qtc <= 1.25; },
        [&] { b.l1 = Round4(w.re * 0.6 / (kTwoPi * b.fb2) * 1000 / 5); },
        "5th Order Bandpass Box Responses for this Driver");
}

void Family6OSBP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    BandpassBox6& b = wb.bandpass6;
    b.qtc = 0.65;
    CalcBoxVolume(wb);
    b.fb2 = FrontTuning(w, b);
    SizeFrontChamber(b, w, 0.522);
    const double qts = wb.driver.qts;
    BandpassMembers(
        doc, w, messages, b, qts > 0.45 ? qts + 0.2 : 0.65, 0.075, TenMembers,
        [&] {
            b.l1 = Round4(w.re * 0.6 / (kTwoPi * b.fb2) * 1000);
            b.c1 = Round4(1 / (b.fb2 * w.re * 0.6 * kTwoPi) * 1000000);
        },
        "6th Order Bandpass Box Responses for this Driver");
}

void RunFamily(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages)
{
    int leftOut = 0;
    std::array<bool, kMemories + 1> held{};
    for (int k = 1; k <= kMemories; ++k)
        held[k] = doc.systems[k].hasAnyCurve();

    switch (doc.workbench().boxType()) {
    case BoxType::Closed2:
        Family2OCB(doc, w, messages);
        break;
    case BoxType::Closed3:
        Family3OCB(doc, w, messages);
        break;
    case BoxType::Vented4:
        Family4OVB(doc, w, messages);
        break;
    case BoxType::Bandpass4:
        Family4OSBP(doc, w, messages);
        break;
    case BoxType::Bandpass5:
        Family5OABP(doc, w, messages);
        break;
    case BoxType::Bandpass6:
        Family6OSBP(doc, w, messages);
        break;
    case BoxType::Radiator:
        leftOut = FamilyPRB(doc, w, messages);
        break;
    case BoxType::None:
        return;
    }

    int stored = 0;
    int kept = 0;
    for (int k = 1; k <= kMemories; ++k) {
        if (held[k])
            ++kept;
        else if (doc.systems[k].hasAnyCurve())
            ++stored;
    }
    messages.Note(FamilyNote(stored, kept, leftOut));
}

} // namespace cw::engine
