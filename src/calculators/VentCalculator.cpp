#include "calculators/VentCalculator.h"

#include "model/BoxTable.h"
#include "model/Units.h"

#include <array>
#include <cmath>
#include <limits>

namespace cw::calc
{

namespace
{

constexpr double kShortestVentIn = 0.75;
constexpr int kMostLengtheningSteps = 100;

bool Positive(double x)
{
    return std::isfinite(x) && x > 0;
}

// trunc(x + 0.5) as a count of at least 1, whatever x is.
std::uint32_t RoundedCount(double x)
{
    const double n = std::trunc(x + 0.5);
    if (!(n >= 1))
        return 1;
    constexpr double kMost = std::numeric_limits<std::uint32_t>::max();
    return n >= kMost ? std::numeric_limits<std::uint32_t>::max() : static_cast<std::uint32_t>(n);
}

// The area of both copies (already rounded) and the length that tunes the chamber with it.
VentResult Size(double areaSqM, double areaSqIn, bool sizesValid, const VentDesignValues& v)
{
    VentResult r;
    r.areaSqM = std::isfinite(areaSqM) ? areaSqM : 0;
    r.areaSqIn = std::isfinite(areaSqIn) ? areaSqIn : 0;
    if (!Positive(v.fb) || !Positive(v.vbCuFt)) {
        r.problem = VentProblem::NoDesign;
        return r;
    }
    if (!sizesValid || !Positive(areaSqM) || !Positive(areaSqIn)) {
        r.problem = VentProblem::NoArea;
        return r;
    }
    const double length =
        areaSqIn / (v.fb * v.fb * v.vbCuFt * 0.0003696) - 0.824 * std::sqrt(areaSqIn); // inches
    if (!std::isfinite(length)) {
        r.problem = VentProblem::NoDesign;
        return r;
    }
    if (length < 0) {
        r.problem = VentProblem::TooSmall;
        return r;
    }
    r.lengthIn = Round4(length);
    r.lengthM = InchesToMetres(length);
    r.problem = VentProblem::None;
    return r;
}

// Whether a start adds to the vent once more. A vent too small for the tuning grows out of it;
// one without design values or area never would.
bool WantsLonger(const VentResult& r)
{
    return r.problem == VentProblem::TooSmall ||
           (r.problem == VentProblem::None && r.lengthIn < kShortestVentIn);
}

struct TubeRow {
    double fromSqIn; // the row applies from this minimum vent area up
    double diameterM;
    double diameterIn;
    std::uint32_t count;
};

constexpr std::array<TubeRow, 12> kTubeRows = {{{-1, 0.038, 1.5, 1},
                                                {2.2, 0.05, 2, 1},
                                                {3.9, 0.05, 2, 2},
                                                {7.85, 0.075, 3, 2},
                                                {17.7, 0.1, 4, 2},
                                                {31.4, 0.15, 6, 2},
                                                {70.7, 0.2, 8, 2},
                                                {125, 0.25, 10, 2},
                                                {196, 0.3, 12, 2},
                                                {283, 0.35, 14, 2},
                                                {385, 0.4, 16, 2},
                                                {503, 0.5, 18, 2}}};

// The metric rectangular proposal: height and width in metres.
std::array<double, 2> MetricRectProposal(const VentDesignValues& v)
{
    const double a = v.svMinSqIn;
    if (!(a >= 4))
        return {0.025, 0.1};
    double height = 0.025;
    constexpr std::array<std::array<double, 2>, 5> kHeights = {
        {{30, 0.05}, {60, 0.075}, {120, 0.1}, {240, 0.2}, {360, 0.3}}};
    for (const auto& [from, h] : kHeights) {
        if (a >= from)
            height = h;
    }
    // Without a metric minimum area the width would be no number or none at all: the smallest
    // vent then starts the lengthening instead.
    const double width = Round2(v.svMinSqM / height);
    return {height, Positive(width) ? width : 0.1};
}

// The English rectangular proposal: height and width in inches.
std::array<double, 2> EnglishRectProposal(const VentDesignValues& v)
{
    const double a = v.svMinSqIn;
    constexpr std::array<std::array<double, 3>, 11> kSizes = {{{3.75, 1, 6},
                                                               {7.5, 1, 12},
                                                               {15, 1, 18},
                                                               {22.5, 1.5, 18},
                                                               {33.75, 2, 18},
                                                               {45, 2, 24},
                                                               {60, 3, 30},
                                                               {112.5, 4, 36},
                                                               {180, 6, 36},
                                                               {270, 8, 42},
                                                               {420, 10, 48}}};
    std::array<double, 2> size = {1, 3};
    for (const auto& [from, h, w] : kSizes) {
        if (a >= from)
            size = {h, w};
    }
    if (a >= 600)
        size = {12, static_cast<double>(RoundedCount(a / 12))}; // 12 in high, A / 12 wide
    return size;
}

} // namespace

std::optional<VentDesignValues> DesignValuesForVent(const CSpkSys& s)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    const BoxField* chamber = box ? box->VentedChamber() : nullptr;
    if (chamber == nullptr)
        return std::nullopt;
    // The accessors need a modifiable record to hand out a reference; nothing is written here.
    CSpkSys& record = const_cast<CSpkSys&>(s);
    const BoxField* minArea = box->Find(BoxQuantity::MinVentArea);
    VentDesignValues v;
    v.vbCuFt = chamber->english(record);
    v.fb = box->Find(BoxQuantity::Tuning)->Value(s);
    v.svMinSqIn = minArea->english(record);
    v.svMinSqM = minArea->metric(record);
    return v;
}

bool HasClosedBox(const CSpkSys& s)
{
    const BoxType type = s.boxType();
    return type == BoxType::Closed2 || type == BoxType::Closed3;
}

const char* VentProblemText(VentProblem problem)
{
    switch (problem) {
    case VentProblem::None:
        return "";
    case VentProblem::NoDesign:
        return "The design has no usable tuning frequency or box volume for a vent.";
    case VentProblem::NoArea:
        return "Enter vent sizes and a count larger than zero.";
    case VentProblem::TooSmall:
        return "The vent area is too small for this tuning: use more or larger vents.";
    }
    return "";
}

void EnterDimension(double value, bool metric, double& metres, double& inches)
{
    if (metric) {
        metres = value;
        inches = MmToInches(value * 1000);
    } else {
        inches = value;
        metres = InchesToMetres(value);
    }
}

void CalculateTubeVent(TubeVent& t, const VentDesignValues& v)
{
    auto area = [&](double d) { return Round4((d / 2) * (d / 2) * t.count * 3.141592654); };
    t.result =
        Size(area(t.diameterM), area(t.diameterIn), t.diameterM >= 0 && t.diameterIn >= 0, v);
}

void CalculateRectVent(RectVent& r, const VentDesignValues& v)
{
    const bool sizesValid = r.heightM >= 0 && r.heightIn >= 0 && r.widthM >= 0 && r.widthIn >= 0;
    r.result = Size(Round4(r.count * r.widthM * r.heightM),
                    Round4(r.count * r.widthIn * r.heightIn), sizesValid, v);
}

void RecalculateTubeVent(TubeVent& t, const VentDesignValues& v, bool metric)
{
    EnterDimension(metric ? t.diameterM : t.diameterIn, metric, t.diameterM, t.diameterIn);
    CalculateTubeVent(t, v);
}

void RecalculateRectVent(RectVent& r, const VentDesignValues& v, bool metric)
{
    EnterDimension(metric ? r.widthM : r.widthIn, metric, r.widthM, r.widthIn);
    EnterDimension(metric ? r.heightM : r.heightIn, metric, r.heightM, r.heightIn);
    CalculateRectVent(r, v);
}

TubeVent StartTubeVent(const VentDesignValues& v, bool metric)
{
    const double a = v.svMinSqIn;
    TubeRow row = kTubeRows.front();
    for (const TubeRow& r : kTubeRows) {
        if (a >= r.fromSqIn)
            row = r;
    }
    TubeVent t;
    t.diameterM = row.diameterM;
    t.diameterIn = row.diameterIn;
    t.count = row.count;
    if (a >= 636)
        t.count = RoundedCount(a / (metric ? 304 : 254));
    RecalculateTubeVent(t, v, metric);
    for (int added = 0; added < kMostLengtheningSteps && WantsLonger(t.result); ++added) {
        if (t.count == std::numeric_limits<std::uint32_t>::max())
            break;
        ++t.count;
        RecalculateTubeVent(t, v, metric);
    }
    return t;
}

RectVent StartRectVent(const VentDesignValues& v, bool metric)
{
    RectVent r;
    const auto [heightM, widthM] = MetricRectProposal(v);
    const auto [heightIn, widthIn] = EnglishRectProposal(v);
    r.heightM = heightM;
    r.widthM = widthM;
    r.heightIn = heightIn;
    r.widthIn = widthIn;
    RecalculateRectVent(r, v, metric);
    for (int round = 0; round < kMostLengtheningSteps && WantsLonger(r.result); ++round) {
        // Each test sees the value as this round has already changed it.
        if (r.heightM <= 0.1)
            r.heightM += 0.01;
        if (r.heightM > 0.1)
            r.heightM += 0.025;
        if (r.widthM < 0.2)
            r.widthM += 0.05;
        if (r.widthM >= 0.2)
            r.widthM += 0.1;
        if (r.heightIn <= 4)
            r.heightIn += 0.5;
        if (r.heightIn > 4)
            r.heightIn += 1;
        if (r.widthIn < 12)
            r.widthIn += 3;
        if (r.widthIn >= 12)
            r.widthIn += 6;
        RecalculateRectVent(r, v, metric);
    }
    return r;
}

bool WriteVentBack(CSpkSys& s, const VentResult& r)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    if (box == nullptr || box->VentedChamber() == nullptr || !r.Usable())
        return false;
    const BoxField* area = box->Find(BoxQuantity::VentArea);
    const BoxField* length = box->Find(BoxQuantity::VentLength);
    area->metric(s) = r.areaSqM;
    area->english(s) = r.areaSqIn;
    length->metric(s) = r.lengthM;
    length->english(s) = r.lengthIn;
    return true;
}

double PipeResonanceHz(const VentResult& r, std::uint32_t count)
{
    if (!r.Usable() || count == 0)
        return 0;
    const double each = r.areaSqM / count; // square metres
    return 344.8 / (2 * (r.lengthM + 0.824 * std::sqrt(each)));
}

bool ReachesMinimumArea(const VentResult& r, const VentDesignValues& v)
{
    return r.areaSqIn >= v.svMinSqIn;
}

} // namespace cw::calc
