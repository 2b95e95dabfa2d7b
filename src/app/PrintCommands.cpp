// Printing the system report: print, print preview and printer setup.
#include "app/AppCommandIds.h"
#include "app/CConewrightApp.h"
#include "app/CMainFrame.h"
#include "app/ProjectWindows.h"
#include "reports/LimitsReport.h"
#include "reports/SystemReport.h"
#include "reports/ui/ReportPrinter.h"

#include <QFileInfo>
#include <QMdiArea>

namespace cw
{

ui::ReportPrinter& CMainFrame::reportPrinter()
{
    // Made at the first print: asking for the printers can take a while.
    if (!reportPrinter_)
        reportPrinter_ = std::make_unique<ui::ReportPrinter>();
    return *reportPrinter_;
}

ui::ReportJob CMainFrame::SystemReportJob(const ProjectWindows& project) const
{
    const CSpkSysDoc& doc = project.doc();
    const AppSettings& settings = app_.settings();
    // Named after the project; without a printer the PDF takes the project file's name.
    const QString title = QString::fromStdString(doc.title());
    const QString base = doc.path().empty() ? title : QString::fromStdString(doc.path());
    return {title, QFileInfo(base).completeBaseName(), [&doc, &settings](gfx::Canvas& canvas) {
                reports::DrawSystemReportPage(canvas, doc, settings);
            }};
}

ui::ReportJob CMainFrame::LimitsReportJob(const ProjectWindows& project) const
{
    ui::ReportJob job = SystemReportJob(project);
    const CSpkSysDoc& doc = project.doc();
    const AppSettings& settings = app_.settings();
    job.name = "Limits: " + job.name;
    job.fileName += " limits";
    job.draw = [&doc, &settings](gfx::Canvas& canvas) {
        reports::DrawLimitsReportPage(canvas, doc, settings);
    };
    return job;
}

void CMainFrame::PrintCommand(int id)
{
    if (id == cmd::PrintSetup) {
        reportPrinter().Setup(this);
        return;
    }
    const ProjectWindows* project = app_.currentProject();
    if (!project)
        return;
    // The Limits window in front prints its own report.
    const bool limits = project->limitsFrame() && mdi_->activeSubWindow() == project->limitsFrame();
    const ui::ReportJob job = limits ? LimitsReportJob(*project) : SystemReportJob(*project);
    if (id == cmd::PrintPreview)
        reportPrinter().Preview(this, job);
    else
        reportPrinter().Print(this, job);
}

} // namespace cw
