#include "model/CSpkSysDoc.h"

#include "model/CommandIds.h"
#include "model/ScaleChoices.h"
#include "model/UndoHistory.h"

#include <cstdio>

namespace cw
{

namespace
{

NoWindows gNoWindows;

// Memory number 1..10 of a command counted from its Sys 1 id, or 0.
int MemoryOf(int id, int firstId)
{
    return (id >= firstId && id < firstId + 10) ? id - firstId + 1 : 0;
}

// The accelerator digit of Sys n: 1..9, and 0 for Sys 10.
int Digit(int n)
{
    return n % 10;
}

std::string Format(const char* pattern, int a, int b)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, a, b);
    return buffer;
}

std::string ShowHideText(bool shown, int n)
{
    const char* verb = shown ? "Hide" : "Show";
    // Sys 1 to 9 keep three blanks before the accelerator, Sys 10 one.
    return std::string(verb) +
           Format(n == 10 ? " System %d Ctrl+%d" : " System %d   Ctrl+%d", n, Digit(n));
}

} // namespace

CSpkSysDoc::CSpkSysDoc() : windows_(&gNoWindows)
{
    CSpkSys& wb = workbench();
    wb.systemName = "High Output Woofer Project";
    wb.boxTypeName = std::string(BoxTypeName(BoxType::Closed2));
    wb.notes = "A sample system to start from: an 8 inch woofer in a closed box.\r\n"
               "Design the box on the panel, then calculate its response.";
    wb.driver = SampleDriver();
    history_ = std::make_unique<UndoHistory>(*this);
}

CSpkSysDoc::~CSpkSysDoc() = default;

void CSpkSysDoc::SetModified(bool modified)
{
    if (modified) {
        Changed({});
        return;
    }
    history_->MarkSaved(*this);
    SetModifiedMark(false);
}

void CSpkSysDoc::Changed(const std::string& stepName, const std::string& mergeKey)
{
    history_->Note(stepName, mergeKey);
    SetModifiedMark(true);
    windows_->StepPending();
}

void CSpkSysDoc::SetModifiedMark(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    windows_->ModifiedChanged(modified);
}

void CSpkSysDoc::EndStep()
{
    history_->Commit(*this);
}

void CSpkSysDoc::BeginStepGroup(const std::string& name)
{
    history_->BeginGroup(name, *this);
}

void CSpkSysDoc::EndStepGroup()
{
    history_->EndGroup(*this);
}

bool CSpkSysDoc::Undo()
{
    std::optional<ProjectData> before = history_->Undo(*this);
    if (before)
        Restore(std::move(*before));
    return before.has_value();
}

bool CSpkSysDoc::Redo()
{
    std::optional<ProjectData> after = history_->Redo(*this);
    if (after)
        Restore(std::move(*after));
    return after.has_value();
}

void CSpkSysDoc::Restore(ProjectData data)
{
    const std::string boxTypeBefore = workbench().boxTypeName;
    static_cast<ProjectData&>(*this) = std::move(data);
    SetModifiedMark(!history_->AtSavedState());
    if (workbench().boxTypeName != boxTypeBefore)
        windows_->ReplaceWorkbenchPanel();
    windows_->UpdateAllViews();
}

void CSpkSysDoc::SetWindows(DocWindows* windows)
{
    windows_ = windows ? windows : &gNoWindows;
}

void CSpkSysDoc::AssignProject(ProjectData data)
{
    static_cast<ProjectData&>(*this) = std::move(data);
    systems.resize(kSystemCount);
    history_->Reset(*this);
}

void CSpkSysDoc::Toggle(std::int32_t& value, const std::string& stepName)
{
    value = value != 1 ? 1 : 0;
    Changed(stepName);
}

void CSpkSysDoc::RedrawIfShown(std::int32_t showSwitch)
{
    if (showSwitch == 1)
        windows_->InvalidatePlot();
}

bool CSpkSysDoc::OnCommand(int id)
{
    CSpkSys& wb = workbench();
    switch (id) {
    case cmd::FrequencyResponse:
        Toggle(display.showSpl, "Frequency Response");
        windows_->InvalidatePlot();
        return true;
    case cmd::ExcursionResponse:
        Toggle(display.showExcursion, "Excursion Response");
        windows_->InvalidatePlot();
        return true;
    case cmd::PhaseResponse:
        Toggle(display.showPhase, "Phase Response");
        windows_->InvalidatePlot();
        return true;
    case cmd::GroupDelayResponse:
        Toggle(display.showDelay, "Group Delay Response");
        windows_->InvalidatePlot();
        return true;
    case cmd::ImpedanceResponse:
        Toggle(display.showImpedance, "Impedance Response");
        windows_->InvalidatePlot();
        return true;
    case cmd::DbSplMode:
        Toggle(display.splMode, "dB SPL Mode");
        windows_->InvalidatePlot();
        return true;
    case cmd::ModelEnclosure:
        Toggle(wb.modelEnclosure, "Enclosure Model");
        return true;
    case cmd::ModelDiffraction:
        Toggle(wb.modelDiffraction, "Diffraction Model");
        return true;
    case cmd::ModelAutoCabin:
        Toggle(wb.modelAutoCabin, "Cabin Model");
        return true;
    case cmd::CalculateResponse:
        CalculateResponse();
        return true;
    case cmd::ClearAndCalculate:
        ClearAndCalculate();
        return true;
    case cmd::ClearDisplay:
        ClearDisplay();
        return true;
    case cmd::Redraw:
        Redraw();
        return true;
    case cmd::ShowWorkbench:
        ShowWorkbench();
        return true;
    default:
        break;
    }

    if (const ScaleChoice* c = FindChoice(kDbChoices, id)) {
        plot.dbSpan = c->value;
        Changed("SPL Scale");
        RedrawIfShown(display.showSpl);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kExcursionChoices, id)) {
        plot.excursionSpan = c->value;
        Changed("Excursion Scale");
        RedrawIfShown(display.showExcursion);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kPhaseChoices, id)) {
        plot.phaseTop = c->value;
        plot.phaseBottom = c->value == 450 ? 0 : -180;
        Changed("Phase Scale");
        RedrawIfShown(display.showPhase);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kDelayChoices, id)) {
        plot.delaySpan = c->value;
        Changed("Group Delay Scale");
        RedrawIfShown(display.showDelay);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kImpedanceChoices, id)) {
        plot.impedanceSpan = c->value;
        Changed("Impedance Scale");
        RedrawIfShown(display.showImpedance);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kHighLimits, id)) {
        SetHighFreqLimit(c->value);
        return true;
    }
    if (const ScaleChoice* c = FindChoice(kLowLimits, id)) {
        SetLowFreqLimit(c->value);
        return true;
    }
    for (std::size_t i = 0; i < std::size(cmd::kBoxTypeIds); ++i) {
        if (cmd::kBoxTypeIds[i] == id) {
            SetBoxType(kAllBoxTypes[i]);
            return true;
        }
    }
    if (int n = MemoryOf(id, cmd::StoreSys1)) {
        StoreSystem(n);
        return true;
    }
    if (int n = MemoryOf(id, cmd::ShowSys1)) {
        ShowSystem(n);
        return true;
    }
    if (int n = MemoryOf(id, cmd::ClearSys1)) {
        ClearSystem(n);
        return true;
    }
    return false;
}

std::optional<CommandState> CSpkSysDoc::QueryCommand(int id) const
{
    const CSpkSys& wb = workbench();
    const bool threeCurveKinds = HasPhaseDelayImpedance(wb.boxType());
    auto checkedIf = [](bool checked) { return CommandState{true, checked, {}}; };

    switch (id) {
    case cmd::FrequencyResponse:
        return checkedIf(display.showSpl == 1);
    case cmd::ExcursionResponse:
        return checkedIf(display.showExcursion == 1);
    case cmd::PhaseResponse:
        return CommandState{threeCurveKinds, threeCurveKinds && display.showPhase == 1, {}};
    case cmd::GroupDelayResponse:
        return CommandState{threeCurveKinds, threeCurveKinds && display.showDelay == 1, {}};
    case cmd::ImpedanceResponse:
        return CommandState{threeCurveKinds, threeCurveKinds && display.showImpedance == 1, {}};
    case cmd::DbSplMode:
        return checkedIf(display.splMode == 1);
    case cmd::ModelEnclosure:
        return checkedIf(wb.modelEnclosure == 1);
    case cmd::ModelDiffraction:
        return checkedIf(wb.modelDiffraction == 1);
    case cmd::ModelAutoCabin:
        return checkedIf(wb.modelAutoCabin == 1);
    case cmd::ClearDisplay:
    case cmd::Redraw:
    case cmd::CalculateResponse:
    case cmd::ClearAndCalculate:
        return CommandState{};
    case cmd::ShowWorkbench:
        return CommandState{wb.hasAnyCurve(), IsShown(kWorkbench),
                            IsShown(kWorkbench) ? "Hide Workbench" : "Show Workbench"};
    default:
        break;
    }

    if (const ScaleChoice* c = FindChoice(kDbChoices, id))
        return checkedIf(plot.dbSpan == c->value);
    if (const ScaleChoice* c = FindChoice(kExcursionChoices, id))
        return checkedIf(plot.excursionSpan == c->value);
    if (const ScaleChoice* c = FindChoice(kPhaseChoices, id))
        return checkedIf(plot.phaseTop == c->value);
    if (const ScaleChoice* c = FindChoice(kDelayChoices, id))
        return checkedIf(plot.delaySpan == c->value);
    if (const ScaleChoice* c = FindChoice(kImpedanceChoices, id))
        return checkedIf(plot.impedanceSpan == c->value);
    if (const ScaleChoice* c = FindChoice(kHighLimits, id))
        return checkedIf(plot.highFreqLimit == c->value);
    if (const ScaleChoice* c = FindChoice(kLowLimits, id))
        return checkedIf(plot.lowFreqLimit == c->value);
    for (std::size_t i = 0; i < std::size(cmd::kBoxTypeIds); ++i) {
        if (cmd::kBoxTypeIds[i] == id)
            return checkedIf(wb.boxTypeName == BoxTypeName(kAllBoxTypes[i]));
    }
    if (int n = MemoryOf(id, cmd::StoreSys1))
        return CommandState{true, false, Format("Store workbench in Sys %d\t Alt+%d", n, Digit(n))};
    if (int n = MemoryOf(id, cmd::ShowSys1)) {
        const bool shown = IsShown(n);
        return CommandState{systems[n].hasAnyCurve(), shown, ShowHideText(shown, n)};
    }
    if (int n = MemoryOf(id, cmd::ClearSys1))
        return CommandState{systems[n].hasAnyCurve(), false,
                            Format("Clear System %d\t Shift+%d", n, Digit(n))};
    return std::nullopt;
}

void CSpkSysDoc::StoreSystem(int n)
{
    systems[n].StoreFromWorkbench(workbench());
    Changed(Format("Store in Sys %d", n, 0));
    PushShown(n);
}

void CSpkSysDoc::ShowSystem(int n)
{
    CSpkSys& memory = systems[n];
    if (memory.responseShown != 1) {
        windows_->PreparePlotDrawing();
        const std::string previousBoxType = workbench().boxTypeName;
        memory.responseShown = 1;
        memory.RecallIntoWorkbench(workbench());
        windows_->DrawSystemNow(n);
        if (workbench().boxTypeName != previousBoxType)
            windows_->ReplaceWorkbenchPanel();
        windows_->RedrawDriverPanel();
        windows_->RefreshWorkbenchPanel();
        PushShown(n);
        // A shown workbench now holds the recalled curves: its old ones must go.
        if (IsShown(kWorkbench))
            windows_->InvalidatePlot();
    } else {
        memory.responseShown = 0;
        RestoreAfterHide();
        // The restore may draw at once on a plot prepared while the workbench still held the
        // hidden system's curves; only a plot drawn anew from the records leaves them off.
        windows_->InvalidatePlot();
    }
    // The last name wins: a hide that shows another system again is named after the hide.
    Changed(Format(memory.responseShown == 1 ? "Show Sys %d" : "Hide Sys %d", n, 0));
}

void CSpkSysDoc::ShowWorkbench()
{
    CSpkSys& wb = workbench();
    if (wb.responseShown == 1) {
        wb.responseShown = 0;
        RestoreAfterHide();
        windows_->InvalidatePlot(); // after the restore, as for a memory
    } else {
        windows_->PreparePlotDrawing();
        wb.responseShown = 1;
        windows_->DrawSystemNow(11);
        windows_->RedrawDriverPanel();
        windows_->RefreshWorkbenchPanel();
        PushShown(kWorkbench);
    }
    Changed(wb.responseShown == 1 ? "Show Workbench" : "Hide Workbench");
}

void CSpkSysDoc::ClearSystem(int n)
{
    if (!windows_->AskOkCancel("Permanently Delete this System from the Project?"))
        return;
    CSpkSys& memory = systems[n];
    memory.responseShown = 0;
    memory.hasSpl = memory.hasExcursion = memory.hasPhase = memory.hasDelay = memory.hasImpedance =
        memory.hasRadiator = 0;
    Changed(Format("Clear Sys %d", n, 0));
    windows_->InvalidatePlot();
}

void CSpkSysDoc::PushShown(int n)
{
    for (int i = kSystemCount - 1; i > 0; --i)
        shownHistory[i] = shownHistory[i - 1];
    shownHistory[0] = n;
}

void CSpkSysDoc::ShowAgain(int n)
{
    systems[n].responseShown = 0;
    if (n == kWorkbench)
        ShowWorkbench();
    else
        ShowSystem(n);
}

void CSpkSysDoc::RestoreAfterHide()
{
    // Drop the newest entry; the oldest place keeps its value.
    auto dropNewest = [this] {
        for (int i = 0; i < kSystemCount - 1; ++i)
            shownHistory[i] = shownHistory[i + 1];
    };
    dropNewest();

    const int t = shownHistory[0];
    if (t >= 0 && t <= 10 && IsShown(t)) {
        ShowAgain(t);
    } else {
        for (int n = 10; n >= 0; --n) {
            if (IsShown(n)) {
                ShowAgain(n);
                break;
            }
        }
    }
    dropNewest();
}

void CSpkSysDoc::ClearDisplay()
{
    for (auto& s : systems)
        s.responseShown = 0;
    Changed("Clear Display");
    windows_->RepaintPlotNow();
}

void CSpkSysDoc::Redraw()
{
    windows_->RepaintPlotNow();
}

void CSpkSysDoc::SetBoxType(BoxType type)
{
    CSpkSys& wb = workbench();
    const std::string name(BoxTypeName(type));
    if (wb.boxTypeName == name)
        return;
    wb.boxTypeName = name;
    if (!HasPhaseDelayImpedance(type)) {
        wb.hasPhase = wb.hasDelay = wb.hasImpedance = 0;
        windows_->InvalidatePlot();
    }
    Changed("Box Type");
    windows_->ReplaceWorkbenchPanel();
}

bool CSpkSysDoc::SetHighFreqLimit(double hz)
{
    if (!(plot.lowFreqLimit < hz))
        return false;
    plot.highFreqLimit = hz;
    Changed("High Frequency Limit");
    windows_->InvalidatePlot();
    return true;
}

bool CSpkSysDoc::SetLowFreqLimit(double hz)
{
    if (!(plot.highFreqLimit > hz))
        return false;
    plot.lowFreqLimit = hz;
    Changed("Low Frequency Limit");
    windows_->InvalidatePlot();
    return true;
}

void CSpkSysDoc::OnCloseDocument(AppSettings& settings)
{
    const CSpkSys& wb = workbench();
    settings.lastClosedDocument = ClosedDocumentSettings{
        plot, display, wb.modelEnclosure, wb.modelDiffraction, wb.modelAutoCabin, editorPage};
    SetModified(false);
}

} // namespace cw
