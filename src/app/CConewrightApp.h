#pragma once

#include "app/CHelpWnd.h"
#include "app/CSplashWnd.h"
#include "app/SettingsStore.h"
#include "model/AppSettings.h"
#include "model/CSpkSysDoc.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace cw
{

class CMainFrame;
class ProjectWindows;
namespace ui
{
class DriverBrowser;
}

// What the command line asks for.
struct StartOptions {
    bool splash = true;
    QString projectFile; // empty: act on the "Open With" preference
};

// The application object: it starts the program, holds the user's settings for the run (and
// keeps them between runs), owns the main window and the open projects, and carries the file,
// preference, printing and help commands. It links to the current project without owning it.
class CConewrightApp : public QObject
{
    Q_OBJECT
public:
    // store: where the settings are kept between runs; null keeps them for this run only.
    explicit CConewrightApp(SettingsStore* store);
    ~CConewrightApp() override;

    // Start-up: settings, main window, first project. False when the main window could not
    // be created.
    bool InitInstance(const StartOptions& options);

    AppSettings& settings() { return state_.settings; }
    const StoredState& storedState() const { return state_; }
    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    QWidget* dialogParent() const;

    // The current project, null when none is open.
    ProjectWindows* currentProject() const { return current_; }
    CSpkSysDoc* currentDoc() const;
    void SetCurrentProject(ProjectWindows* project);
    const std::vector<ProjectWindows*>& projects() const { return projects_; }

    // Every command of the menus, tool bar and accelerators, routed by the owner the command
    // registry names: the application, the main frame or the current document. False when
    // nobody handles the id.
    bool OnCommand(int id);
    // The menu state of a command: enabled, checked and (for some) the text.
    CommandState QueryCommand(int id) const;

    // Files
    ProjectWindows* NewProject();
    // Opens a project file; on failure shows why and leaves every window as it was.
    ProjectWindows* OpenProject(const QString& path);
    // Saves the project under its name, or asks for one (always with saveAs).
    bool SaveProject(ProjectWindows& project, bool saveAs);
    // Closes a project after asking to save a modified one; false when the user cancelled.
    bool CloseProject(ProjectWindows& project);
    // Closes every project (program exit); false when the user cancelled.
    bool CloseAllProjects();
    // A file dropped on the main window or named by the shell: a project or a driver file.
    void OpenDroppedFile(const QString& path);

    // Start-up picture, preferences, help.
    void ShowSplash();
    CSplashWnd* splash() const { return splash_; }
    void ShowPreferences();
    // The crossover and network calculators over the current project.
    void ShowCrossoverCalculators();
    void ShowHelp();
    // Edit System: the System Editor over the project's workbench, then the panels, the plot
    // title and the closed-box values brought up to date. The curves stay as they are.
    void EditSystem(ProjectWindows& project);
    CHelpWnd* helpWindow() const { return help_.get(); }
    // The driver database window, opened anew when it is closed; null while it is closed.
    void ShowDriverDatabase();
    ui::DriverBrowser* driverBrowser() const;

    // Writes the settings for the next run.
    void SaveSettings();

signals:
    void currentProjectChanged();

private:
    bool ConfirmClose(ProjectWindows& project);
    ProjectWindows* AddProject(ProjectWindows* project);
    void RememberFile(const QString& path);
    bool EditFocused(int id);
    // Undo and Redo: the focused field's typing first, then the current project's history.
    bool UndoOrRedo(int id);
    bool FieldUndoes(int id) const;
    CommandState UndoRedoState(int id) const;
    bool OnDocumentCommand(int id);

    SettingsStore* store_;
    StoredState state_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::vector<ProjectWindows*> projects_;
    ProjectWindows* current_ = nullptr;
    QPointer<CSplashWnd> splash_;
    // Made on first use; a top-level window has no parent that would end it.
    std::unique_ptr<CHelpWnd> help_;
    QPointer<ui::DriverBrowser> browser_;
};

} // namespace cw
