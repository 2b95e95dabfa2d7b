#include "app/CConewrightApp.h"

#include "app/AppCommandIds.h"
#include "app/CHelpWnd.h"
#include "app/CMainFrame.h"
#include "app/CPlotWnd.h"
#include "app/CPrefsSht.h"
#include "app/CSplashWnd.h"
#include "app/CommandRegistry.h"
#include "app/ProjectWindows.h"
#include "calculators/ui/CBoxSht.h"
#include "calculators/ui/CVentSht.h"
#include "calculators/ui/CXoversht.h"
#include "database/DriverImport.h"
#include "database/ui/DriverBrowser.h"
#include "measure/ui/FitDriverDialog.h"
#include "measure/ui/MeasuredCurvesDialog.h"
#include "model/CommandIds.h"
#include "model/UndoHistory.h"
#include "reports/ui/CompareSystemsDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <algorithm>

// The resources live in a static library: they must be registered by hand.
static void InitResources()
{
    Q_INIT_RESOURCE(conewright);
}

namespace cw
{

namespace
{

bool IsMemoryCommand(int id)
{
    return (id >= cmd::StoreSys1 && id < cmd::StoreSys1 + 10) ||
           (id >= cmd::ShowSys1 && id < cmd::ShowSys1 + 10) ||
           (id >= cmd::ClearSys1 && id < cmd::ClearSys1 + 10);
}

// The edit field of a panel that has the keyboard focus, if any.
QLineEdit* FocusedEdit()
{
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

} // namespace

CConewrightApp::CConewrightApp(SettingsStore* store) : store_(store)
{
    InitResources();
}

CConewrightApp::~CConewrightApp()
{
    // The windows go first, without telling anybody: they refer to their projects.
    if (mainFrame_) {
        mainFrame_->mdiArea()->disconnect(mainFrame_.get());
        mainFrame_.reset();
    }
    for (ProjectWindows* p : projects_)
        delete p;
    projects_.clear();
}

bool CConewrightApp::InitInstance(const StartOptions& options)
{
    // Settings: the defaults, or what the last run kept.
    state_ = store_ ? store_->Load() : StoredState{};

    mainFrame_ = std::make_unique<CMainFrame>(*this);
    const AppSettings::Rect& r = state_.settings.mainWindow;
    if (r.width > 0 && r.height > 0)
        mainFrame_->setGeometry(r.left, r.top, r.width, r.height);
    else
        mainFrame_->resize(1024, 768);
    mainFrame_->showMaximized();
    if (options.splash)
        ShowSplash();

    if (!options.projectFile.isEmpty()) {
        OpenDroppedFile(options.projectFile);
    } else if (state_.settings.openWith == OpenWith::NewUntitledProject) {
        NewProject();
    } else if (state_.settings.openWith == OpenWith::LastProjectSaved &&
               !state_.lastSavedProject.isEmpty() && QFileInfo::exists(state_.lastSavedProject)) {
        OpenProject(state_.lastSavedProject);
    }
    return true;
}

QWidget* CConewrightApp::dialogParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return mainFrame_.get();
}

CSpkSysDoc* CConewrightApp::currentDoc() const
{
    return current_ ? &current_->doc() : nullptr;
}

void CConewrightApp::SetCurrentProject(ProjectWindows* project)
{
    if (current_ == project)
        return;
    current_ = project;
    emit currentProjectChanged();
}

bool CConewrightApp::UndoOrRedo(int id)
{
    // A field whose own text was changed takes back its typing first.
    if (FieldUndoes(id))
        return EditFocused(id);
    if (CSpkSysDoc* doc = currentDoc())
        id == cmd::Undo ? doc->Undo() : doc->Redo();
    return true;
}

bool CConewrightApp::FieldUndoes(int id) const
{
    const QLineEdit* edit = FocusedEdit();
    return edit && (id == cmd::Undo ? edit->isUndoAvailable() : edit->isRedoAvailable());
}

CommandState CConewrightApp::UndoRedoState(int id) const
{
    const bool undo = id == cmd::Undo;
    std::string text = undo ? "&Undo" : "&Redo";
    bool enabled = FieldUndoes(id);
    if (enabled) {
        text += " Typing";
    } else if (current_) {
        const UndoHistory& history = current_->doc().history();
        const std::string step = undo ? history.UndoName() : history.RedoName();
        enabled = !step.empty();
        if (enabled)
            text += " " + step;
    }
    return CommandState{enabled, false, text + (undo ? "\tCtrl+Z" : "\tCtrl+Y")};
}

bool CConewrightApp::EditFocused(int id)
{
    QLineEdit* edit = FocusedEdit();
    if (!edit)
        return true;
    switch (id) {
    case cmd::Undo:
        edit->undo();
        break;
    case cmd::Redo:
        edit->redo();
        break;
    case cmd::Cut:
        edit->cut();
        break;
    case cmd::Copy:
        edit->copy();
        break;
    default:
        edit->paste();
        break;
    }
    return true;
}

bool CConewrightApp::OnCommand(int id)
{
    const Command* command = CommandRegistry::Instance().Find(id);
    if (!command)
        return false;
    switch (command->owner) {
    case CommandOwner::Document:
        return OnDocumentCommand(id);
    case CommandOwner::Frame:
    case CommandOwner::View: // the frame prints the current project's plot
        return mainFrame_->OnFrameCommand(id);
    case CommandOwner::Application:
        break;
    }
    switch (id) {
    case cmd::FileNew:
        NewProject();
        return true;
    case cmd::FileOpen:
        mainFrame_->OpenProjectDialog();
        return true;
    case cmd::FileSave:
    case cmd::FileSaveAs:
        if (current_)
            SaveProject(*current_, id == cmd::FileSaveAs);
        return true;
    case cmd::CloseWindow:
        if (current_)
            CloseProject(*current_);
        return true;
    case cmd::Exit:
        mainFrame_->close();
        return true;
    case cmd::Preferences:
        ShowPreferences();
        return true;
    case cmd::CrossoverCalculators:
        ShowCrossoverCalculators();
        return true;
    case cmd::BoxCalculators:
        if (current_) {
            CSpkSysDoc& doc = current_->doc();
            ui::CBoxSht sheet(doc, state_.settings.metric(), mainFrame_->reportPrinter(),
                              dialogParent());
            doc.BeginStepGroup("Box Calculators");
            sheet.exec();
            doc.EndStepGroup();
        }
        return true;
    case cmd::VentCalculators:
        if (CSpkSysDoc* doc = currentDoc()) {
            doc->BeginStepGroup("Vent Calculators");
            ui::ShowVentCalculators(*doc, settings().metric(), dialogParent());
            doc->EndStepGroup();
        }
        return true;
    case cmd::CompareSystems:
        if (CSpkSysDoc* doc = currentDoc()) {
            ui::CompareSystemsDialog dialog(*doc, settings().metric(), settings().ventVelocityLimit,
                                            mainFrame_->reportPrinter(), dialogParent());
            dialog.exec();
        }
        return true;
    case cmd::EditSystem:
        if (current_)
            EditSystem(*current_);
        return true;
    case cmd::ShowLimits:
        if (current_)
            current_->ShowLimits();
        return true;
    case cmd::About:
        ShowSplash();
        return true;
    case cmd::HelpTopics:
    case cmd::HelpCurrentTask:
    case cmd::HelpClickedItem:
        ShowHelp();
        return true;
    case cmd::Undo:
    case cmd::Redo:
        return UndoOrRedo(id);
    case cmd::Cut:
    case cmd::Copy:
    case cmd::Paste:
        return EditFocused(id);
    case cmd::DriverDatabase:
        ShowDriverDatabase();
        return true;
    case cmd::OpenDriver:
        if (current_)
            mainFrame_->OpenDriverDialog(*current_);
        return true;
    case cmd::SaveDriver:
        if (current_)
            mainFrame_->SaveDriverDialog(*current_);
        return true;
    case cmd::ImportMeasuredCurve:
        if (CSpkSysDoc* doc = currentDoc())
            ui::ImportMeasuredCurve(*doc, dialogParent());
        return true;
    case cmd::MeasuredCurves:
        if (CSpkSysDoc* doc = currentDoc())
            ui::MeasuredCurvesDialog(*doc, dialogParent()).exec();
        return true;
    case cmd::FitDriver:
        if (CSpkSysDoc* doc = currentDoc())
            ui::FitDriverDialog(*doc, dialogParent()).exec();
        return true;
    default:
        break;
    }
    if (id >= cmd::ProjectList1 && id < cmd::ProjectList1 + cmd::ProjectListCount)
        return mainFrame_->OnFrameCommand(id);
    if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount) {
        const int k = id - cmd::RecentFile1;
        if (k < state_.recentFiles.size())
            OpenProject(state_.recentFiles[k]);
        return true;
    }
    // The editor and the calculators: their windows come later.
    return true;
}

bool CConewrightApp::OnDocumentCommand(int id)
{
    CSpkSysDoc* doc = currentDoc();
    if (!doc)
        return false;
    const bool handled = doc->OnCommand(id);
    // The plot title follows the workbench, which a recall may have replaced.
    if (handled && IsMemoryCommand(id) && current_->plotFrame())
        current_->plotFrame()->UpdateTitle();
    return handled;
}

CommandState CConewrightApp::QueryCommand(int id) const
{
    const bool haveProject = current_ != nullptr;
    auto enabledIf = [](bool enabled) { return CommandState{enabled, false, {}}; };
    const Command* command = CommandRegistry::Instance().Find(id);
    if (!command)
        return enabledIf(false);
    switch (command->owner) {
    case CommandOwner::Document:
        if (!haveProject)
            return enabledIf(false);
        return current_->doc().QueryCommand(id).value_or(enabledIf(false));
    case CommandOwner::Frame:
        return mainFrame_->QueryFrameCommand(id);
    case CommandOwner::View:
        return enabledIf(haveProject);
    case CommandOwner::Application:
        break;
    }
    switch (id) {
    case cmd::FileNew:
    case cmd::FileOpen:
    case cmd::DriverDatabase:
    case cmd::About:
    case cmd::Exit:
    case cmd::HelpTopics:
    case cmd::HelpCurrentTask:
    case cmd::HelpClickedItem:
        return CommandState{};
    case cmd::Undo:
    case cmd::Redo:
        return UndoRedoState(id);
    case cmd::Cut:
    case cmd::Copy:
    case cmd::Paste:
        return enabledIf(FocusedEdit() != nullptr);
    case cmd::ShowLimits:
        return CommandState{haveProject, haveProject && current_->limitsFrame() != nullptr, {}};
    case cmd::FileSave:
    case cmd::FileSaveAs:
    case cmd::CloseWindow:
    case cmd::Preferences:
    case cmd::CrossoverCalculators:
    case cmd::BoxCalculators:
    case cmd::VentCalculators:
    case cmd::CompareSystems:
    case cmd::EditSystem:
    case cmd::OpenDriver:
    case cmd::SaveDriver:
    case cmd::ImportMeasuredCurve:
    case cmd::MeasuredCurves:
    case cmd::FitDriver:
        return enabledIf(haveProject);
    default:
        break;
    }
    if (id >= cmd::RecentFile1 && id < cmd::RecentFile1 + cmd::RecentFileCount) {
        const int k = id - cmd::RecentFile1;
        if (k >= state_.recentFiles.size())
            return CommandState{false, false, "Recent File"};
        return CommandState{true, false,
                            "&" + std::to_string(k + 1) + " " +
                                QFileInfo(state_.recentFiles[k]).fileName().toStdString()};
    }
    // Commands whose windows do not exist yet stay in the menus, disabled.
    return enabledIf(false);
}

ProjectWindows* CConewrightApp::AddProject(ProjectWindows* project)
{
    projects_.push_back(project);
    SetCurrentProject(project);
    project->CreateWindows(*mainFrame_->mdiArea());
    mainFrame_->UpdateToolbar();
    return project;
}

ProjectWindows* CConewrightApp::NewProject()
{
    auto doc = std::make_unique<CSpkSysDoc>();
    // New projects are told apart by a number from the second on: the first title that no open
    // project has.
    const std::string untitled = doc->title();
    auto inUse = [this](const std::string& title) {
        return std::any_of(projects_.begin(), projects_.end(),
                           [&](ProjectWindows* p) { return p->doc().title() == title; });
    };
    for (int n = 2; inUse(doc->title()); ++n)
        doc->SetTitle(untitled + " " + std::to_string(n));
    return AddProject(new ProjectWindows(*this, std::move(doc)));
}

bool CConewrightApp::ConfirmClose(ProjectWindows& project)
{
    if (!project.doc().IsModified())
        return true;
    const QString name = QString::fromStdString(project.doc().title());
    const auto answer = QMessageBox::question(
        dialogParent(), QStringLiteral("Conewright"),
        QStringLiteral("Save changes to %1?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Save)
        return SaveProject(project, false);
    return true;
}

bool CConewrightApp::CloseProject(ProjectWindows& project)
{
    if (project.closing())
        return true;
    if (!ConfirmClose(project))
        return false;
    project.doc().OnCloseDocument(state_.settings);
    project.CloseWindows();
    projects_.erase(std::remove(projects_.begin(), projects_.end(), &project), projects_.end());
    if (current_ == &project)
        SetCurrentProject(projects_.empty() ? nullptr : projects_.back());
    project.deleteLater();
    mainFrame_->UpdateToolbar();
    return true;
}

bool CConewrightApp::CloseAllProjects()
{
    while (!projects_.empty()) {
        if (!CloseProject(*projects_.back()))
            return false;
    }
    return true;
}

void CConewrightApp::RememberFile(const QString& path)
{
    AddRecentFile(state_.recentFiles, path);
    SaveSettings();
}

void CConewrightApp::ShowSplash()
{
    if (splash_)
        return;
    splash_ = new CSplashWnd(mainFrame_.get());
    splash_->show();
}

void CConewrightApp::ShowPreferences()
{
    CPrefsSht sheet(*this, dialogParent());
    sheet.exec();
    // The page changes each setting as it is clicked, and Cancel keeps those changes: the
    // windows show them either way.
    for (ProjectWindows* p : projects_)
        p->UpdateAllViews();
    if (browser_)
        browser_->UnitsChanged();
    SaveSettings();
}

void CConewrightApp::ShowCrossoverCalculators()
{
    CSpkSysDoc* doc = currentDoc();
    if (!doc)
        return;
    CXoversht sheet(*doc, mainFrame_->reportPrinter(), dialogParent());
    doc->BeginStepGroup("Crossover Calculators");
    sheet.exec();
    doc->EndStepGroup();
}

void CConewrightApp::ShowHelp()
{
    if (!help_)
        help_ = std::make_unique<CHelpWnd>(nullptr);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void CConewrightApp::ShowDriverDatabase()
{
    if (!browser_) {
        ui::DriverBrowser::Hooks hooks;
        hooks.currentDoc = [this] { return currentDoc(); };
        // A driver goes into the current project, or into a new one.
        hooks.loadTarget = [this]() -> CSpkSysDoc& {
            return (current_ ? current_ : NewProject())->doc();
        };
        browser_ = new ui::DriverBrowser({}, state_.settings, std::move(hooks),
                                         database::InstalledDriverDatabases(), mainFrame_.get());
        connect(this, &CConewrightApp::currentProjectChanged, browser_.data(),
                &ui::DriverBrowser::UpdateCommands);
    } else {
        browser_->Reopen();
    }
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

ui::DriverBrowser* CConewrightApp::driverBrowser() const
{
    return browser_;
}

void CConewrightApp::SaveSettings()
{
    if (store_)
        store_->Save(state_);
}

} // namespace cw
