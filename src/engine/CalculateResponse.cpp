#include "engine/CalculateResponse.h"

#include "engine/Design.h"
#include "engine/Environment.h"
#include "engine/Families.h"
#include "engine/ResponseModels.h"
#include "model/BoxTable.h"
#include "model/CompleteDriver.h"
#include "model/SoundLevel.h"

#include <algorithm>
#include <cmath>

namespace cw::engine
{

namespace
{

constexpr double kPointsPerOctave = 50;
constexpr int kWorkbenchIndex = 11; // the plot's system index of the workbench

constexpr const char* kUnknownBoxType = "The box type of this system is not one of the seven "
                                        "alignments, so no response was calculated.";
constexpr const char* kNoGrid =
    "The frequency limits allow no frequency grid (the low limit must be above 0 Hz), so no "
    "response was calculated.";
constexpr const char* kBadCounts =
    "The number of drivers and the isobaric factor must be at least 1, so no response was "
    "calculated.";
constexpr const char* kNoCabin =
    "The automobile cabin response needs an f(3) and a Q above 0; it was not added.";

// A kind of curve whose values could not all be calculated is dropped whole: its flag goes to 0
// and its values to 0, so that neither the plot nor a saved file meets an infinity or a NaN.
void DropUnusableCurves(CSpkSys& s, RunMessages& messages)
{
    const int n = s.storedPoints();
    std::string dropped;
    CSpkSys::Curves(s, [&](const char* name, CurveArray& curve, std::int32_t* flag) {
        if (flag == nullptr)
            return;
        const auto end = curve.begin() + n;
        if (std::all_of(curve.begin(), end, [](double v) { return std::isfinite(v); }))
            return;
        std::fill(curve.begin(), end, 0.0);
        if (*flag == 1) {
            *flag = 0;
            dropped += dropped.empty() ? "" : ", ";
            dropped += name;
        }
    });
    if (!dropped.empty())
        messages.Add("Some response values cannot be calculated with this design: a value the "
                     "formulas divide by is 0 or missing (a volume, a loss Q, S(D), R(e), C1, "
                     "L1, or a radiator's F(S), V(AS) or S(D)). These curves were left empty: " +
                     dropped + ".");
}

void ZeroCurves(CSpkSys& s)
{
    const int n = s.storedPoints();
    CSpkSys::Curves(s, [&](const char*, CurveArray& curve, std::int32_t* flag) {
        if (flag != nullptr)
            std::fill(curve.begin(), curve.begin() + n, 0.0);
    });
}

void AddOnce(std::vector<std::string>& list, const std::string& text)
{
    if (std::find(list.begin(), list.end(), text) == list.end())
        list.push_back(text);
}

} // namespace

void RunMessages::Add(const std::string& text)
{
    AddOnce(texts, text);
}

void RunMessages::Note(const std::string& text)
{
    AddOnce(notes, text);
}

std::optional<FrequencyGrid> PlanFrequencyGrid(const PlotSettings& plot)
{
    // The grid always covers 10 Hz to 1 kHz, also when the plot shows less.
    const double low = plot.lowFreqLimit > 10 ? 10 : plot.lowFreqLimit;
    const double high = plot.highFreqLimit < 1000 ? 1000 : plot.highFreqLimit;
    if (!(low > 0) || !std::isfinite(high))
        return std::nullopt;
    const double count = std::log10(high / low) * (kPointsPerOctave / std::log10(2.0));
    // Limits wider than the arrays hold keep the low end and stop at the last array entry.
    return FrequencyGrid{low, std::min<double>(count, kMaxPoints)};
}

void FillFrequencyGrid(CSpkSys& s, const FrequencyGrid& grid)
{
    s.pointCount = grid.pointCount;
    const int n = s.storedPoints();
    for (int i = 0; i < n; ++i)
        s.frequencies[i] = grid.low * std::exp2(i / kPointsPerOctave);
}

bool IsDesigned(const CSpkSys& s)
{
    const BoxDescription* box = DescribeBox(s.boxType());
    return box != nullptr && box->Find(BoxQuantity::Volume)->Value(s) != 0;
}

RunResult RunCalculation(CSpkSysDoc& doc, bool nested, RunMessages& messages)
{
    CSpkSys& wb = doc.workbench();
    DocWindows& windows = doc.windows();

    // Inputs that allow no calculation at all stop the run before anything changes.
    if (wb.boxType() == BoxType::None) {
        messages.Add(kUnknownBoxType);
        return RunResult::Stopped;
    }
    const std::optional<FrequencyGrid> grid = PlanFrequencyGrid(doc.plot);
    if (!grid) {
        messages.Add(kNoGrid);
        return RunResult::Stopped;
    }
    if (wb.driverCount < 1 || wb.isobaricFactor < 1) {
        messages.Add(kBadCounts);
        return RunResult::Stopped;
    }

    WorkingValues w = MakeWorkingValues(wb);
    if (wb.driver.fs == 0) {
        if (windows.AskOkCancel(kNoDriverQuestion))
            windows.OpenDriverDatabase();
        return RunResult::Stopped;
    }
    // A damaged file or an overflowing entry: no curve or family design could be trusted.
    if (const std::optional<std::string> problem = UnusableDesignValue(wb)) {
        messages.Add(*problem + ", so no response was calculated.");
        return RunResult::Stopped;
    }

    wb.responseRunFlag = 0;
    if (CompleteDriver::CompleteSensitivity(wb.driver, wb.isobaricFactor))
        windows.RedrawDriverPanel();
    windows.PreparePlotDrawing();
    wb.responseShown = 1;
    doc.Changed("Calculate Response");
    FillFrequencyGrid(wb, *grid);
    ApplySeriesResistance(w, wb);

    if (wb.modelEnclosure == 0 && wb.modelDiffraction == 0 && wb.modelAutoCabin == 0)
        wb.modelEnclosure = 1;
    if (wb.modelEnclosure != 1) {
        ZeroCurves(wb);
    } else if (!IsDesigned(wb)) {
        if (nested)
            return RunResult::NotDesigned;
        if (wb.inputPower == 1 && wb.driver.pt != 0)
            wb.inputPower = wb.driver.pt;
        windows.RedrawDriverPanel();
        RunFamily(doc, w, messages);
        // After the members' own calculations, so that the step is named after the family.
        doc.Changed("Family of Designs");
        return RunResult::FamilyRun;
    } else {
        RunResponse(wb, w, doc.display);
    }

    if (wb.modelDiffraction == 1 && ApplyDiffractionLoss(wb))
        wb.hasSpl = 1;
    if (wb.modelAutoCabin == 1) {
        if (ApplyAutoCabin(wb))
            wb.hasSpl = 1;
        else
            messages.Add(kNoCabin);
    }
    DropUnusableCurves(wb, messages);
    // Without a level the SPL curve is left off the plot in dB SPL mode; say why.
    if (doc.display.splMode == 1) {
        if (const std::optional<std::string> why = WhyNoSoundLevel(wb))
            messages.Note(*why);
    }

    windows.DrawSystemNow(kWorkbenchIndex);
    return RunResult::Calculated;
}

bool CalculateResponse(CSpkSysDoc& doc)
{
    RunMessages messages;
    const RunResult result = RunCalculation(doc, false, messages);
    DocWindows& windows = doc.windows();
    for (const std::string& text : messages.texts)
        windows.ShowMessage(text);
    if (result != RunResult::Stopped) {
        windows.RedrawDriverPanel();
        windows.RefreshWorkbenchPanel();
    }
    std::string notes;
    for (const std::string& text : messages.notes)
        notes += (notes.empty() ? "" : " ") + text;
    if (!notes.empty())
        windows.ShowStatus(notes);
    return result != RunResult::Stopped;
}

} // namespace cw::engine
