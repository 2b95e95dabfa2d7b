#pragma once

#include "model/AppSettings.h"
#include "model/CSpkSys.h"
#include "model/CutListSettings.h"
#include "model/DocWindows.h"
#include "model/MeasuredCurve.h"
#include "model/PlotSettings.h"
#include "model/TitleBlock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cw
{

inline constexpr int kSystemCount = 11; // the workbench and Sys 1 to Sys 10
inline constexpr int kWorkbench = 0;

// "Workbench" or "Sys 3": how the screen and the reports name a system.
inline std::string SystemLabel(int n)
{
    return n == kWorkbench ? "Workbench" : "Sys " + std::to_string(n);
}

// Everything a project holds, apart from the document's links to its windows. Kept as one
// value so that a project file is read completely before it replaces an open project.
struct ProjectData {
    std::vector<CSpkSys> systems = std::vector<CSpkSys>(kSystemCount); // 0 workbench, 1..10
    TitleBlock titleBlock = SampleTitleBlock();
    PlotSettings plot;
    DisplaySwitches display;
    std::int32_t editorPage = 0;                           // system editor page last shown
    std::array<std::int32_t, kSystemCount> shownHistory{}; // newest first; 0 the workbench
    BoxLocks boxLocks;
    std::int32_t activeCrossoverPage = 0;
    std::int32_t activeBoxPage = 0;
    std::int32_t activeVentPage = 0;
    std::int32_t prefsPage = 0;
    CutListSettings cutList;                   // how the box calculators' boxes are cut from boards
    std::vector<MeasuredCurve> measuredCurves; // drawn over the calculated curves

    // Every persistent member, as the project file stores it.
    template <class Self, class Visit> static void Fields(Self& p, Visit&& visit)
    {
        visit("titleBlock", p.titleBlock);
        visit("plot", p.plot);
        visit("display", p.display);
        visit("editorPage", p.editorPage);
        visit("shownHistory", p.shownHistory);
        visit("boxLocks", p.boxLocks);
        visit("activeCrossoverPage", p.activeCrossoverPage);
        visit("activeBoxPage", p.activeBoxPage);
        visit("activeVentPage", p.activeVentPage);
        visit("prefsPage", p.prefsPage);
        visit("cutList", p.cutList);
        visit("systems", p.systems);
        visit("measuredCurves", p.measuredCurves);
    }
    bool operator==(const ProjectData&) const = default;
};

// What a menu entry of a document command looks like right now.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    std::string text; // the entry's text; empty keeps the menu's own
};

class UndoHistory;

// The project document: the workbench, ten system memories, title block, plot settings and
// display switches, and the commands that act on them.
class CSpkSysDoc : public ProjectData
{
public:
    CSpkSysDoc();
    ~CSpkSysDoc();
    CSpkSysDoc(const CSpkSysDoc&) = delete;
    CSpkSysDoc& operator=(const CSpkSysDoc&) = delete;

    // The windows that show this document; null detaches them.
    void SetWindows(DocWindows* windows);
    DocWindows& windows() const { return *windows_; }

    CSpkSys& workbench() { return systems[kWorkbench]; }
    const CSpkSys& workbench() const { return systems[kWorkbench]; }

    // Replaces the whole project (after a file was read completely); the undo history starts
    // again from it.
    void AssignProject(ProjectData data);

    const std::string& title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    bool IsModified() const { return modified_; }
    // Marks the project changed (or saved); the windows hear of every change of the mark. A
    // change is noted for the undo history, a save makes the current state the saved one.
    void SetModified(bool modified = true);
    // Marks a change that the Edit menu names as its step ("Edit V(B)"); changes of the same
    // non-empty merge key that follow one another are one step.
    void Changed(const std::string& stepName, const std::string& mergeKey = {});

    // Undo history. A step is closed by EndStep, which the windows call once the action that
    // made the changes has finished (the command line after each option); Undo and Redo close
    // the open step first. Between Begin and EndStepGroup every change is one step of that name.
    void EndStep();
    void BeginStepGroup(const std::string& name);
    void EndStepGroup();
    // Restore the project before the last step (after the step undone last) and refresh every
    // window; false when there is no such step.
    bool Undo();
    bool Redo();
    const UndoHistory& history() const { return *history_; }
    // The project file this document was last opened from or saved to; empty for a new one.
    const std::string& path() const { return path_; }

    // Project files (defined in project/). Open replaces the whole project only when the file
    // was read completely; Save replaces the file only when the new one was written completely.
    // Both show a failure through the windows and return false, leaving the document as it was.
    bool OpenProject(const std::string& path);
    bool SaveProject(const std::string& path);

    // Driver files (defined in driver/). Open reads the file into the workbench's driver and then
    // brings the dependent design values up to date, also after a failed read, and marks the
    // project modified when that changed the workbench; Save writes the workbench's driver. A
    // failure is shown through the windows and the result is false.
    bool OpenDriver(const std::string& path);
    bool SaveDriver(const std::string& path);
    // Replaces the workbench's driver, as from the driver database, and brings the dependent
    // design values up to date as opening a driver file does.
    void LoadDriver(DriverParams driver);

    // Runs a document command; false when the id is not one of the document's.
    bool OnCommand(int id);
    // The menu state of a document command, or nothing when the id is not the document's.
    std::optional<CommandState> QueryCommand(int id) const;

    // Memories (n = 1..10)
    void StoreSystem(int n);
    void ShowSystem(int n);
    void ShowWorkbench();
    void ClearSystem(int n);
    void PushShown(int n);
    void RestoreAfterHide();

    // Display
    void ClearDisplay();
    void Redraw();
    void SetBoxType(BoxType type);
    // Each stores its value only when the other limit stays on the right side; true if stored.
    bool SetHighFreqLimit(double hz);
    bool SetLowFreqLimit(double hz);

    // Design steps on the workbench and the block of its box type (defined with the engine).
    // Each returns false when the inputs give no usable result; the fields then keep their values.
    bool CalcQtc();
    bool CalcFc();
    bool CalcAlpha();
    bool CalcBoxVolume();
    bool EstimateDriverAndVent();
    bool CalcVentLength();
    bool CalcVentArea();
    // Passive radiator box: the tuning F(P) from the radiators and their added mass, and the
    // added mass for a typed F(P); both also give the radiator's mass, compliance and notch.
    bool CalcRadiatorTuning();
    bool CalcAddedMass();

    // Response calculation of the workbench, or its family of designs when the box is not
    // designed (defined with the engine). False when the run stopped without calculating (no
    // driver, or inputs that allow no calculation; a message says which).
    bool CalculateResponse();
    // Clear Display, then Calculate Response.
    bool ClearAndCalculate();

    // The document is closing: its display settings go to the application.
    void OnCloseDocument(AppSettings& settings);

private:
    void Toggle(std::int32_t& value, const std::string& stepName);
    void RedrawIfShown(std::int32_t showSwitch);
    // Runs Show again for a system that is shown: clears its flag first. n = 0 the workbench.
    void ShowAgain(int n);
    bool IsShown(int n) const { return systems[n].responseShown == 1; }

    // Sets the mark without noting a change.
    void SetModifiedMark(bool modified);
    void Restore(ProjectData data);

    DocWindows* windows_;
    std::unique_ptr<UndoHistory> history_;
    std::string title_ = "Untitled Speaker Project";
    bool modified_ = false;
    std::string path_;
};

} // namespace cw
