#pragma once

#include "gfx/qt/QtRender.h"

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace cw::ui
{

// Writes a file's bytes the way projects are saved (WriteFileAtomically): the old file survives
// any failure. Answers an empty text or the message.
QString SaveFile(const QString& path, const QByteArray& bytes);

// One page on a printer that has been set up (its orientation is read from it). A printer that
// prints into a PDF file draws the page in memory and saves the file as SaveFile does.
QString RenderPrinter(QPrinter& printer, const gfx::DrawFunction& draw);

// One report page to print.
struct ReportJob {
    QString name;     // the print job's document name, as the printer's queue shows it
    QString fileName; // without a printer, the page goes to this PDF (no extension) at home
    gfx::DrawFunction draw;
};

// The printer every report goes to: US Letter with 10 mm margins, one page, and a PDF file when
// the machine has no printer. It lives as long as the main window, so that the choices of Print
// Setup and of the print dialog carry over from one report to the next.
class ReportPrinter
{
public:
    ReportPrinter();
    ~ReportPrinter();
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    QPrinter& printer() { return *printer_; }

    // The page setup dialog.
    void Setup(QWidget* parent);
    // The print dialog, its page range fixed to page 1 to 1, then the page on the chosen printer
    // in the chosen orientation. A cancelled dialog prints nothing; a failure is shown.
    void Print(QWidget* parent, const ReportJob& job);
    // The print preview of the page, from which it can be printed too; a failure is shown.
    void Preview(QWidget* parent, const ReportJob& job);

    // The page on a printer as it is set up: empty on success, else the message to show.
    static QString PrintPage(QPrinter& target, const ReportJob& job);

private:
    // Names the job and, for a PDF, its file, before a dialog shows them.
    void Prepare(const ReportJob& job);

    std::unique_ptr<QPrinter> printer_;
};

} // namespace cw::ui
