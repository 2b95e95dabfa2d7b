#include "reports/ui/ReportPrinter.h"

#include "model/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace cw::ui
{

QString SaveFile(const QString& path, const QByteArray& bytes)
{
    const FileResult result = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                                  std::string_view(bytes.data(), bytes.size()));
    return QString::fromStdString(result.message);
}

QString RenderPrinter(QPrinter& printer, const gfx::DrawFunction& draw)
{
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    // Qt's own PDF printing writes straight into the file and never reports a failed write, so
    // a full disk would leave half a file in place of the old one. The print preview draws
    // through its own engine and writes nothing.
    const QPaintEngine* engine = printer.paintEngine();
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty() ||
        !engine || engine->type() != QPaintEngine::Pdf)
        return gfx::RenderOnDevice(printer, true, landscape, draw);
    QByteArray file;
    if (QString error = gfx::RenderPdfPage(file, printer.pageLayout(), printer.resolution(),
                                           printer.docName(), draw);
        !error.isEmpty())
        return error;
    return SaveFile(printer.outputFileName(), file);
}

ReportPrinter::ReportPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // The same page as the command-line report: US Letter with 10 mm margins.
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the report goes to a PDF file.
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(600);
    }
    // Every report is exactly one page.
    printer_->setFromTo(1, 1);
}

ReportPrinter::~ReportPrinter() = default;

void ReportPrinter::Setup(QWidget* parent)
{
    QPageSetupDialog(printer_.get(), parent).exec();
}

void ReportPrinter::Prepare(const ReportJob& job)
{
    printer_->setDocName(job.name);
    printer_->setFromTo(1, 1);
    // A PDF needs its file name before the dialog shows, or the page cannot be started.
    if (printer_->outputFormat() == QPrinter::PdfFormat)
        printer_->setOutputFileName(QDir::home().filePath(job.fileName + QStringLiteral(".pdf")));
}

void ReportPrinter::Print(QWidget* parent, const ReportJob& job)
{
    Prepare(job);
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const QString error = PrintPage(*printer_, job); !error.isEmpty())
        QMessageBox::warning(parent, QStringLiteral("Conewright"), error);
}

void ReportPrinter::Preview(QWidget* parent, const ReportJob& job)
{
    Prepare(job);
    QPrintPreviewDialog preview(printer_.get(), parent);
    // Printing from the preview into a PDF file comes here too: its failure is shown.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&job, &preview](QPrinter* target) {
                         if (const QString error = PrintPage(*target, job); !error.isEmpty())
                             QMessageBox::warning(&preview, QStringLiteral("Conewright"), error);
                     });
    preview.exec();
}

QString ReportPrinter::PrintPage(QPrinter& target, const ReportJob& job)
{
    target.setDocName(job.name);
    return RenderPrinter(target, job.draw);
}

} // namespace cw::ui
