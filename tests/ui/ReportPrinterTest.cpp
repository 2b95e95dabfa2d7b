#include "reports/ui/ReportPrinter.h"

#include "ModalAnswer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cw::ui
{
namespace
{

using test::AnswerModal;
using test::ModalWatch;

// Accepts or rejects the next print dialog once it is up; tells whether it offered page 1 only.
ModalWatch AnswerPrintDialog(bool accept, bool* onePage = nullptr)
{
    return AnswerModal<QPrintDialog>([accept, onePage](QPrintDialog& dialog) {
        if (onePage)
            *onePage = dialog.minPage() == 1 && dialog.maxPage() == 1 &&
                       dialog.printer()->fromPage() == 1 && dialog.printer()->toPage() == 1;
        if (accept)
            dialog.accept();
        else
            dialog.reject();
    });
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
    const ModalWatch printDialog = AnswerPrintDialog(true, &onePage);
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
    const ModalWatch printDialog = AnswerPrintDialog(false);
    printer.Print(nullptr, job);
    EXPECT_EQ(drawn, 0);
    EXPECT_FALSE(QFile::exists(QDir(home.path()).filePath("Box.pdf")));
}

} // namespace
} // namespace cw::ui
