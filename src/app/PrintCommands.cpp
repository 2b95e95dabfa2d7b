// Printing the system report: print, print preview and printer setup.
#include "app/AppCommandIds.h"
#include "app/CConewrightApp.h"
#include "app/CMainFrame.h"
#include "app/ProjectWindows.h"
#include "gfx/qt/QtRender.h"
#include "reports/SystemReport.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace cw
{

QPrinter& CMainFrame::printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The same page as the command-line report: US Letter with 10 mm margins.
        printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                            QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            // Without a printer the report goes to a PDF file.
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setResolution(600);
        }
    }
    // The report is always exactly one page.
    printer_->setFromTo(1, 1);
    return *printer_;
}

QString CMainFrame::PrintReport(QPrinter& target, const ProjectWindows& project)
{
    const CSpkSysDoc& doc = project.doc();
    const AppSettings& settings = app_.settings();
    return gfx::RenderPrinter(target, [&doc, &settings](gfx::Canvas& canvas) {
        reports::DrawSystemReportPage(canvas, doc, settings);
    });
}

void CMainFrame::PrintCommand(int id)
{
    ProjectWindows* project = app_.currentProject();
    QPrinter& target = printer();
    if (id == cmd::PrintSetup) {
        QPageSetupDialog(&target, this).exec();
        return;
    }
    if (!project)
        return;
    if (target.outputFormat() == QPrinter::PdfFormat) {
        // A file name must be there before the dialog shows: the project's name as a PDF.
        const QString base = QString::fromStdString(
            project->doc().path().empty() ? project->doc().title() : project->doc().path());
        target.setOutputFileName(
            QDir::home().filePath(QFileInfo(base).completeBaseName() + QStringLiteral(".pdf")));
    }
    if (id == cmd::PrintPreview) {
        QPrintPreviewDialog preview(&target, this);
        // Printing from the preview into a PDF file comes here too: its failure is shown.
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [this, project, &preview](QPrinter* p) {
                    if (const QString error = PrintReport(*p, *project); !error.isEmpty())
                        QMessageBox::warning(&preview, QStringLiteral("Conewright"), error);
                });
        preview.exec();
        return;
    }
    QPrintDialog dialog(&target, this);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const QString error = PrintReport(target, *project); !error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Conewright"), error);
}

} // namespace cw
