#pragma once

#include "app/CBoxWnd.h"
#include "app/CDrvrWnd.h"
#include "app/CLimitsWnd.h"
#include "app/CPlotWnd.h"
#include "app/ChildLayout.h"
#include "model/CSpkSysDoc.h"
#include "model/DocWindows.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QMdiArea;
class QMdiSubWindow;

namespace cw
{

class CConewrightApp;
namespace ui
{
class PanelView;
}

// One open project: its document and the three windows that show it (plot on top, driver
// panel bottom left, workbench panel bottom right). It is the document's DocWindows.
class ProjectWindows final : public QObject, public DocWindows
{
    Q_OBJECT
public:
    ProjectWindows(CConewrightApp& app, std::unique_ptr<CSpkSysDoc> doc);
    ~ProjectWindows() override;

    CConewrightApp& app() const { return app_; }
    CSpkSysDoc& doc() const { return *doc_; }
    CPlotWnd* plotFrame() const { return plotFrame_; }
    CDrvrWnd* driverPanel() const { return driverPanel_; }
    CBoxWnd* workbenchPanel() const { return workbenchPanel_; }
    // The Limits window, null while it is not open.
    CLimitsWnd* limitsFrame() const { return limitsFrame_; }
    // Opens the Limits window over the plot, or brings it to the front.
    void ShowLimits();
    // The Limits window follows everything the plot follows, and the System Editor's edits.
    void InvalidateLimits();

    // Creates the plot window and the two panel windows in the main window's MDI area.
    void CreateWindows(QMdiArea& area);
    // Where the three windows stand in the main window's client area (the plot window must be
    // there), and placing them there (not while the plot is minimised).
    ChildLayout Layout() const;
    void Arrange();
    // Hides the panels with a minimised plot and shows them again on restore.
    void OnPlotStateChanged(Qt::WindowStates state);
    // Brings the panels to the top beside their plot window.
    void RaiseCompanions();
    // Closes every window of the project; the project object is deleted later.
    void CloseWindows();
    bool closing() const { return closing_; }
    // Rebuilds the plot title and refreshes both panels (after a preference change or a load).
    void RefreshAll();

    // DocWindows
    void ShowMessage(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    void InvalidatePlot() override;
    void RepaintPlotNow() override;
    void PreparePlotDrawing() override;
    void DrawSystemNow(int systemIndex) override;
    void SetPlotTitle(const std::string& title) override;
    void RedrawDriverPanel() override;
    void ReplaceWorkbenchPanel() override;
    void RefreshWorkbenchPanel() override;
    void UpdateAllViews() override;
    void OpenDriverDatabase() override;
    void ModifiedChanged(bool modified) override;
    void StepPending() override;
    void ShowStatus(const std::string& text) override;

private:
    void CreateWorkbenchPanel();
    void AddPanel(QMdiSubWindow* frame, ui::PanelView* view);
    // Closes the document's open undo step once no modal window is open any more: a message
    // box in the middle of a command belongs to that command's step.
    void EndStepWhenIdle();

    CConewrightApp& app_;
    std::unique_ptr<CSpkSysDoc> doc_;
    QMdiArea* area_ = nullptr;
    QPointer<CPlotWnd> plotFrame_;
    QPointer<CDrvrWnd> driverPanel_;
    QPointer<CBoxWnd> workbenchPanel_;
    QPointer<CLimitsWnd> limitsFrame_;
    bool closing_ = false;
    bool stepDue_ = false;
};

} // namespace cw
