// The file commands: projects and driver files, with their dialogs.
#include "app/CConewrightApp.h"
#include "app/CMainFrame.h"
#include "app/ProjectWindows.h"
#include "database/DriverStore.h"
#include "measure/ui/MeasuredCurvesDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>

namespace cw
{

namespace
{

const QString kProjectFilter = QStringLiteral("Speaker Project Files (*.spk)");
const QString kDriverFilter = QStringLiteral("Loudspeaker Drivers (*.dvr)");

std::string Local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The wait cursor while a file is read or written.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The driver database window reads its file the whole session: a save never replaces it.
bool RefusedAsDatabase(QWidget* parent, const QString& path)
{
    const FileResult r = database::CheckNotDatabase(Local(path));
    if (!r.ok())
        QMessageBox::warning(parent, QStringLiteral("Conewright"),
                             QString::fromStdString(r.message));
    return !r.ok();
}

} // namespace

void CMainFrame::OpenProjectDialog()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kProjectFilter);
    if (!path.isEmpty())
        app_.OpenProject(path);
}

void CMainFrame::OpenDriverDialog(ProjectWindows& project)
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Driver"), QString(), kDriverFilter);
    if (path.isEmpty())
        return;
    WaitCursor wait;
    project.doc().OpenDriver(Local(path));
}

void CMainFrame::SaveDriverDialog(ProjectWindows& project)
{
    const DriverParams& d = project.doc().workbench().driver;
    QFileDialog dialog(this, QStringLiteral("Save Driver"),
                       QString::fromStdString(d.manufacturer + " " + d.model), kDriverFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dvr"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() ||
        RefusedAsDatabase(this, dialog.selectedFiles().first()))
        return;
    // The project's own file would lose the project to a driver.
    const std::string path = Local(dialog.selectedFiles().first());
    if (SameFile(path, project.doc().path())) {
        QMessageBox::warning(
            this, QStringLiteral("Conewright"),
            QString::fromStdString(WithPath(
                "%1 is the file of this project; the driver was not saved over it.", path)));
        return;
    }
    WaitCursor wait;
    project.doc().SaveDriver(path);
}

ProjectWindows* CConewrightApp::OpenProject(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // A project that is open already is brought to the front instead of opened twice.
    for (ProjectWindows* p : projects_) {
        if (QFileInfo(QString::fromStdString(p->doc().path())).absoluteFilePath() == absolute &&
            p->plotFrame()) {
            mainFrame_->mdiArea()->setActiveSubWindow(p->plotFrame());
            return p;
        }
    }
    // The file is read completely into a document of its own before any window changes; a
    // failure shows its message and leaves every open project as it was.
    auto* project = new ProjectWindows(*this, std::make_unique<CSpkSysDoc>());
    bool opened;
    {
        WaitCursor wait;
        opened = project->doc().OpenProject(Local(absolute));
    }
    if (!opened) {
        delete project;
        return nullptr;
    }
    RememberFile(absolute);
    return AddProject(project);
}

bool CConewrightApp::SaveProject(ProjectWindows& project, bool saveAs)
{
    QString path = QString::fromStdString(project.doc().path());
    if (saveAs || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(dialogParent(), QStringLiteral("Save As"),
                                            QString::fromStdString(project.doc().title()),
                                            kProjectFilter);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".spk");
        if (RefusedAsDatabase(dialogParent(), path))
            return false;
    }
    bool saved;
    {
        WaitCursor wait;
        saved = project.doc().SaveProject(Local(path));
    }
    if (!saved)
        return false;
    state_.lastSavedProject = QFileInfo(path).absoluteFilePath();
    RememberFile(path);
    project.RefreshAll();
    mainFrame_->UpdateTitle();
    return true;
}

void CConewrightApp::OpenDroppedFile(const QString& path)
{
    // A measurement goes onto the current project's plot.
    if (current_ && ui::ImportDroppedCurve(current_->doc(), Local(path)))
        return;
    if (!path.endsWith(QStringLiteral(".dvr"), Qt::CaseInsensitive)) {
        OpenProject(path);
        return;
    }
    // A driver goes into the current project, or into a new one.
    ProjectWindows* project = current_ ? current_ : NewProject();
    WaitCursor wait;
    project->doc().OpenDriver(Local(path));
}

} // namespace cw
