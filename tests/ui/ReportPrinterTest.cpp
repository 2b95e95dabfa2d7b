#include "reports/ui/ReportPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace cw::ui
{
namespace
{

// Accepts or rejects the next print dialog once it is up; tells whether it offered page 1 only.
void AnswerPrintDialog(bool accept, bool* onePage = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, accept, onePage] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (onePage)
            *onePage = dialog->minPage() == 1 && dialog->maxPage() == 1 &&
                       dialog->printer()->fromPage() == 1 && dialog->printer()->toPage() == 1;
        timer->stop();
        timer->deleteLater();
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    timer->start();
}

// Without a printer, reports go to PDF files in the home folder: a temporary one here.
struct ReportPrinterTest : ::testing::Test {
    QTemporaryDir home;
    QByteArray oldHome = qgetenv("HOME");
    int drawn = 0;
    bool printing = false;
    ReportJob job{"Bandpass Box Report", "Box", [this](gfx::Canvas& canvas) {
                      ++drawn;
                      printing = canvas.device().printing;
                      canvas.FrameRect({100, 100, 900, 900});
                  }};

    void SetUp() override { qputenv("HOME", home.path().toLocal8Bit()); }
    void TearDown() override { qputenv("HOME", oldHome); }
};

TEST_F(ReportPrinterTest, PrintsOnePageUnderTheJobsName)
{
    ReportPrinter printer;
    ASSERT_EQ(printer.printer().outputFormat(), QPrinter::PdfFormat); // no printer here
    bool onePage = false;
    AnswerPrintDialog(true, &onePage);
    printer.Print(nullptr, job);
    EXPECT_TRUE(onePage);
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(printing);
    EXPECT_EQ(printer.printer().docName(), "Bandpass Box Report");
    QFile pdf(QDir(home.path()).filePath("Box.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 1"));
}

TEST_F(ReportPrinterTest, ACancelledDialogPrintsNothing)
{
    ReportPrinter printer;
    AnswerPrintDialog(false);
    printer.Print(nullptr, job);
    EXPECT_EQ(drawn, 0);
    EXPECT_FALSE(QFile::exists(QDir(home.path()).filePath("Box.pdf")));
}

} // namespace
} // namespace cw::ui
