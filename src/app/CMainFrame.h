#pragma once

#include "model/CSpkSysDoc.h"

#include <QMainWindow>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace cw
{

class CConewrightApp;
class ProjectWindows;
struct Command;
struct MenuNode;
namespace ui
{
class ReportPrinter;
struct ReportJob;
} // namespace ui

// The main window: menu bar, accelerators, tool bar, status bar with date and time, and the
// MDI area that holds every project's three windows. Commands go to the application object;
// menu entries ask it for their state just before a menu shows.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CConewrightApp& app);
    ~CMainFrame() override;

    QMdiArea* mdiArea() const { return mdi_; }
    QToolBar* toolBar() const { return toolBar_; }
    QLabel* datePane() const { return datePane_; }
    QLabel* timePane() const { return timePane_; }
    // The five panes right of the message pane, in order: caps, num, scroll lock, date, time.
    const std::vector<QLabel*>& indicatorPanes() const { return panes_; }

    // Runs a command as a menu entry, tool button or key would: a disabled command does nothing.
    void Dispatch(int id);
    // Commands of the frame itself (tool bar and status bar switches, panes, icons, the open
    // projects, printing).
    bool OnFrameCommand(int id);
    CommandState QueryFrameCommand(int id) const;
    // Lines minimised windows up above the panels' band.
    void ArrangeIcons();

    // Brings every menu entry and tool button up to date with the current project.
    void UpdateMenus();
    void UpdateToolbar();
    // Refreshes the date and time panes from the clock.
    void UpdateClockPanes();
    // Lights the caps, num and scroll lock panes as the keyboard's lights are.
    void UpdateLockPanes();
    // "Conewright - project title" for the current project.
    void UpdateTitle();
    // The clock the panes read; tests replace it.
    void SetClock(std::function<std::optional<std::tm>()> clock);

    // Printing: the printer every report goes to, and the system report of a project.
    ui::ReportPrinter& reportPrinter();
    ui::ReportJob SystemReportJob(const ProjectWindows& project) const;
    // The Limits report of a project, which Print prints while the Limits window is in front.
    ui::ReportJob LimitsReportJob(const ProjectWindows& project) const;

    // File dialogs of the file commands.
    void OpenProjectDialog();
    void OpenDriverDialog(ProjectWindows& project);
    void SaveDriverDialog(ProjectWindows& project);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void CreateAccelerators();
    void AddCommand(QMenu* menu, const Command& command);
    QMenu* AddMenu(QMenu* parent, const QString& title);
    void AddEntries(QMenu* menu, const std::vector<MenuNode>& entries);
    void UpdateActions(const QList<QAction*>& actions, bool fromMenu);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnMenuShown();
    void OnMenuHidden();
    void RememberGeometry();
    static bool IsProjectListEntry(int id);
    static bool IsListEntry(int id);
    // The project the Window menu lists under id; the project step places after the current
    // one, round the list. Null when there is none.
    ProjectWindows* ListedProject(int id) const;
    ProjectWindows* ProjectAfter(int step) const;
    void ActivateProject(ProjectWindows* project);
    void PrintCommand(int id);

    CConewrightApp& app_;
    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    std::vector<QAction*> menuActions_;
    std::vector<QLabel*> panes_;
    QLabel* datePane_ = nullptr;
    QLabel* timePane_ = nullptr;
    QTimer* statusTimer_;
    std::unique_ptr<ui::ReportPrinter> reportPrinter_;
    std::function<std::optional<std::tm>()> clock_;
    bool clockWarningShown_ = false;
    int openMenus_ = 0;
    ProjectWindows* lastActivated_ = nullptr;
};

} // namespace cw
