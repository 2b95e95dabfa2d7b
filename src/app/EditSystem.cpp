// Edit System: the System Editor and the steps that follow it.
#include "app/CConewrightApp.h"
#include "app/ProjectWindows.h"
#include "editors/DesignEdit.h"
#include "editors/ui/CSysEdPrpSht.h"

#include <QApplication>
#include <QPointer>

namespace cw
{

void CConewrightApp::EditSystem(ProjectWindows& project)
{
    QPointer<ProjectWindows> alive(&project);
    CSpkSysDoc& doc = project.doc();
    // The wait cursor while the pages are built and after they close; not over the sheet,
    // where the user types.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ui::CSysEdPrpSht sheet(doc, settings(), dialogParent());
    QApplication::restoreOverrideCursor();
    // OK and Cancel end alike: what the pages stored is in the workbench either way. The
    // pages' edits and the steps after them are one undo step.
    doc.BeginStepGroup("Edit System");
    sheet.exec();
    if (!alive)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (project.plotFrame()) {
        if (project.driverPanel() && project.workbenchPanel()) {
            project.RedrawDriverPanel();
            project.RefreshWorkbenchPanel();
        }
        project.plotFrame()->UpdateTitle();
        // The limits read the driver's X(max), X(peak) and P(t), which the pages may have changed.
        project.InvalidateLimits();
    }
    if (project.workbenchPanel()) {
        for (DesignStep step : edit::SystemEditorSteps())
            (doc.*step)();
        // The panel shows what the steps have just computed.
        project.RefreshWorkbenchPanel();
    }
    doc.EndStepGroup();
    QApplication::restoreOverrideCursor();
}

} // namespace cw
