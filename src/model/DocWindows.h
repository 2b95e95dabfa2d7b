#pragma once

#include <string>

namespace cw
{

// Everything the project document asks of the windows that show it. The Qt layer implements it;
// the command-line tool and the tests have their own. The document never calls a window directly.
class DocWindows
{
public:
    virtual ~DocWindows() = default;

    // A message box with OK only.
    virtual void ShowMessage(const std::string& text) = 0;
    // A message box with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;

    // Schedule a repaint of the whole plot.
    virtual void InvalidatePlot() = 0;
    // Repaint the whole plot now (invalidate, erase, update).
    virtual void RepaintPlotNow() = 0;
    // Make the plot ready for immediate drawing, then draw one system's curves on it at once
    // (1..10 a memory, 11 the workbench, 0 every shown system).
    virtual void PreparePlotDrawing() = 0;
    virtual void DrawSystemNow(int systemIndex) = 0;
    virtual void SetPlotTitle(const std::string& title) = 0;

    // Redraw the driver panel with the workbench's driver values.
    virtual void RedrawDriverPanel() = 0;
    // Destroy the workbench panel and create the panel of the workbench's current box type.
    virtual void ReplaceWorkbenchPanel() = 0;
    // Show the workbench's current values in the workbench panel.
    virtual void RefreshWorkbenchPanel() = 0;
    // Refresh every view of the document.
    virtual void UpdateAllViews() = 0;

    virtual void OpenDriverDatabase() = 0;

    // The project's modified mark changed; windows that show it override this.
    virtual void ModifiedChanged(bool /*modified*/) {}
    // A change of the project was noted: the document's EndStep is due once the action that
    // made it has finished. Windows that keep an undo history override this.
    virtual void StepPending() {}
    // A sentence for the status bar: what a command did that the windows do not show.
    virtual void ShowStatus(const std::string& /*text*/) {}
};

// Windows that are not there: every request is ignored, and questions are answered Cancel.
class NoWindows : public DocWindows
{
public:
    void ShowMessage(const std::string&) override {}
    bool AskOkCancel(const std::string&) override { return false; }
    void InvalidatePlot() override {}
    void RepaintPlotNow() override {}
    void PreparePlotDrawing() override {}
    void DrawSystemNow(int) override {}
    void SetPlotTitle(const std::string&) override {}
    void RedrawDriverPanel() override {}
    void ReplaceWorkbenchPanel() override {}
    void RefreshWorkbenchPanel() override {}
    void UpdateAllViews() override {}
    void OpenDriverDatabase() override {}
};

} // namespace cw
