// The file commands: projects and driver files, with their dialogs.
#include "app/CConewrightApp.h"
#include "app/CMainFrame.h"
#include "app/ProjectWindows.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace cw
{

namespace
{

const QString kProjectFilter = QStringLiteral("Speaker Project Files (*.spk)");

void ShowFileError(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Conewright"), text);
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
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Driver"), QString(),
        QStringLiteral("Loudspeaker Drivers (*.dvr)"), nullptr, QFileDialog::ReadOnly);
    if (path.isEmpty())
        return;
    (void)project;
    ShowFileError(this, QStringLiteral("Failed to open document."));
}

void CMainFrame::SaveDriverDialog(ProjectWindows& project)
{
    const DriverParams& d = project.doc().workbench().driver;
    const QString name = QString::fromStdString(d.manufacturer + " " + d.model);
    QFileDialog dialog(this, QStringLiteral("Save Driver"), name,
                       QStringLiteral("Loudspeaker Drivers (*.dvr)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dvr"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ShowFileError(this, QStringLiteral("Invalid filename."));
}

ProjectWindows* CConewrightApp::OpenProject(const QString& path)
{
    ShowFileError(dialogParent(), QStringLiteral("Failed to open document."));
    (void)path;
    return nullptr;
}

bool CConewrightApp::SaveProject(ProjectWindows& project, bool saveAs)
{
    QString path = project.filePath();
    if (saveAs || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(dialogParent(), QStringLiteral("Save As"),
                                            QString::fromStdString(project.doc().title()),
                                            kProjectFilter);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".spk");
    }
    ShowFileError(dialogParent(), QStringLiteral("Failed to save document."));
    return false;
}

void CConewrightApp::OpenDroppedFile(const QString& path)
{
    if (path.endsWith(QStringLiteral(".dvr"), Qt::CaseInsensitive)) {
        if (current_)
            (void)0;
        return;
    }
    OpenProject(path);
}

} // namespace cw
