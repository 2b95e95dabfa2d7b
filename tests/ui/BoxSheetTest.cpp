#include "AppFixture.h"
#include "RefusalRecorder.h"
#include "TypeText.h"
#include "app/AppCommandIds.h"
#include "calculators/ui/CBoxPage.h"
#include "calculators/ui/CBoxSht.h"
#include "calculators/ui/CutListPage.h"
#include "model/CSpkSysDoc.h"
#include "model/NumberFormat.h"
#include "model/Units.h"
#include "reports/ui/ReportPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace cw::test
{
namespace
{

using calc::BoxLock;
using calc::Chamber;
using Q = calc::BoxQuantity;

class BoxSheetTest : public ::testing::Test
{
protected:
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    CSpkSys& wb = doc->workbench();
    ui::ReportPrinter printer;
    RefusalRecorder refusals;
    std::unique_ptr<ui::CBoxSht> sheet;

    void DesignClosedBox()
    {
        wb.closed2.qtc = 0.707;
        ASSERT_TRUE(doc->CalcBoxVolume()); // 83.19 liters
    }
    ui::CBoxPage* Open(bool metric)
    {
        sheet = std::make_unique<ui::CBoxSht>(*doc, metric, printer, nullptr);
        sheet->show();
        QApplication::processEvents();
        return static_cast<ui::CBoxPage*>(sheet->currentPage());
    }
    ui::CBoxPage* ShowPage(int index)
    {
        sheet->tabs()->setCurrentIndex(index);
        QApplication::processEvents();
        return sheet->boxPage(index);
    }
    static std::string Text(QLineEdit* edit) { return edit->text().toStdString(); }
};

TEST_F(BoxSheetTest, OpensOnTheLastPageAndRecordsThePageShowing)
{
    DesignClosedBox();
    doc->activeBoxPage = 1;
    Open(true);
    EXPECT_EQ(sheet->windowTitle(), "Box Calculators");
    ASSERT_EQ(sheet->pageCount(), 4);
    EXPECT_EQ(sheet->tabs()->tabText(0), "Rectangular Box");
    EXPECT_EQ(sheet->tabs()->tabText(1), "Trapezoidal Box");
    EXPECT_EQ(sheet->tabs()->tabText(2), "Bandpass Box");
    EXPECT_EQ(sheet->tabs()->tabText(3), "Cut List");
    EXPECT_EQ(sheet->tabs()->currentIndex(), 1);
    EXPECT_TRUE(sheet->boxPage(1)->started());
    EXPECT_FALSE(sheet->boxPage(0)->started());
    // The trapezoid started from the design: its V(B) and the dimensions that hold it.
    EXPECT_EQ(Text(sheet->boxPage(1)->field(Q::NetVolume)), FormatNumber(wb.closed2.vbLiters));
    EXPECT_FALSE(sheet->boxPage(1)->field(Q::Width1)->text().isEmpty());

    ShowPage(2);
    EXPECT_EQ(doc->activeBoxPage, 2);
    ShowPage(0);
    EXPECT_EQ(doc->activeBoxPage, 0);
    const auto buttons = sheet->findChildren<QPushButton*>();
    EXPECT_TRUE(std::any_of(buttons.begin(), buttons.end(),
                            [](QPushButton* b) { return b->text() == "Print"; }));
    EXPECT_FALSE(std::any_of(buttons.begin(), buttons.end(),
                             [](QPushButton* b) { return b->text().contains("Apply"); }));
    // Unit labels of the metric sheet.
    const auto labels = sheet->boxPage(0)->findChildren<QLabel*>();
    auto has = [&](const char* text) {
        return std::any_of(labels.begin(), labels.end(),
                           [&](QLabel* l) { return l->text() == text; });
    };
    EXPECT_TRUE(has("meters"));
    EXPECT_TRUE(has("liters"));
    EXPECT_TRUE(has("V(G)  ="));
}

TEST_F(BoxSheetTest, TypingKeyByKeyWithAMistakeSolvesTheBoxAtEachAcceptedText)
{
    ui::CBoxPage* page = Open(true);
    // Net 10 liters, 0.5 + 0.3 + 0.2 liters displaced, 10 % filling: V(G) 10.091.
    TypeText(page->field(Q::NetVolume), "10");
    TypeText(page->field(Q::DriverDisplacement), "0.5");
    TypeText(page->field(Q::BracingDisplacement), "0.3");
    TypeText(page->field(Q::OtherDisplacement), "0.2");
    TypeText(page->field(Q::Filling), "1x");
    // "1x" breaks the number rule: the record keeps the "1" taken before, and Enter says why.
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(wb.rectBox.fillingPercent, 1);
    QTest::keyClick(page->field(Q::Filling), Qt::Key_Return);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_TRUE(sheet->isVisible());
    QTest::keyClick(page->field(Q::Filling), Qt::Key_End); // the refused text is selected
    QTest::keyClick(page->field(Q::Filling), Qt::Key_Backspace);
    QTest::keyClicks(page->field(Q::Filling), "0");
    EXPECT_EQ(wb.rectBox.fillingPercent, 10);
    EXPECT_EQ(wb.rectBox.metric.grossVolume, 10.091);
    EXPECT_EQ(Text(page->field(Q::GrossVolume)), "10.091");
    EXPECT_EQ(Text(page->field(Q::NetVolume)), "10");
    // The dimensions follow in the ratio φ : 1 : 1/φ, in the "%1.6G" form.
    const RectBoxDims& m = wb.rectBox.metric;
    EXPECT_NEAR(m.height * m.width * m.depth * 1000, 10.091, 1e-3);
    EXPECT_EQ(Text(page->field(Q::Height)), FormatSixDigits(m.height));
    EXPECT_TRUE(doc->IsModified());
    // The other copy describes the same box.
    EXPECT_NEAR(wb.rectBox.english.grossVolume * 28.316847, 10.091, 3e-3);
    // A lone minus sign is still being typed: nothing changes.
    TypeText(page->field(Q::DriverDisplacement), "-");
    EXPECT_EQ(m.driverDisplacement, 0.5);
    EXPECT_EQ(refusals.messages.size(), 1);
}

TEST_F(BoxSheetTest, LockClicksFollowTheRulesAndRefuseWithTheirMessages)
{
    DesignClosedBox();
    ui::CBoxPage* rect = Open(true);
    ASSERT_TRUE(rect->lockBox(BoxLock::Vb)->isChecked()); // a new document's lock
    rect->lockBox(BoxLock::Vb)->click();
    rect->lockBox(BoxLock::H)->click();
    rect->lockBox(BoxLock::W)->click();
    EXPECT_EQ(doc->boxLocks.rectH, 1);
    EXPECT_EQ(doc->boxLocks.rectW, 1);
    for (int k = 1; k <= 3; ++k) {
        rect->lockBox(BoxLock::D)->click();
        EXPECT_FALSE(rect->lockBox(BoxLock::D)->isChecked());
        EXPECT_EQ(doc->boxLocks.rectD, 0);
        EXPECT_EQ(refusals.messages.size(), k == 3 ? 1 : 0);
    }
    EXPECT_EQ(refusals.messages.value(0), "At least two fields must remain unlocked.");

    // With H and W locked, a new depth keeps them and gives the volumes.
    const double h = wb.rectBox.metric.height;
    TypeText(rect->field(Q::Depth), "0.3");
    EXPECT_EQ(wb.rectBox.metric.height, h);
    EXPECT_EQ(wb.rectBox.metric.grossVolume, Round5(h * wb.rectBox.metric.width * 0.3 * 1000));

    ui::CBoxPage* trap = ShowPage(1);
    trap->lockBox(BoxLock::W1)->click();
    for (int k = 1; k <= 3; ++k) {
        trap->lockBox(BoxLock::Angle)->click();
        EXPECT_FALSE(trap->lockBox(BoxLock::Angle)->isChecked());
    }
    EXPECT_EQ(doc->boxLocks.trapAngle, 0);
    EXPECT_EQ(doc->boxLocks.trapW1, 1);
    EXPECT_EQ(refusals.messages.value(1), "That combination of locks is not allowed.");
}

TEST_F(BoxSheetTest, ValuesThatAllowNoBoxShowTheSentenceAndKeepTheBox)
{
    DesignClosedBox();
    ui::CBoxPage* page = Open(true);
    const RectBoxDims before = wb.rectBox.metric;
    // V(B) locked: a height of 0 cannot hold the volume.
    TypeText(page->field(Q::Height), "0");
    EXPECT_FALSE(page->guardSentence().isEmpty());
    EXPECT_EQ(wb.rectBox.metric.width, before.width);
    EXPECT_EQ(wb.rectBox.metric.depth, before.depth);
    EXPECT_TRUE(std::isfinite(wb.rectBox.metric.grossVolume));
    QTest::keyClicks(page->field(Q::Height), ".5");
    EXPECT_TRUE(page->guardSentence().isEmpty());
    EXPECT_EQ(wb.rectBox.metric.height, 0.5);
    EXPECT_NE(wb.rectBox.metric.width, before.width);

    // V(G) cannot change while V(B) is locked: the field goes back to the record's value.
    const double gross = wb.rectBox.metric.grossVolume;
    TypeText(page->field(Q::GrossVolume), "5");
    EXPECT_EQ(wb.rectBox.metric.grossVolume, gross);
    EXPECT_EQ(Text(page->field(Q::GrossVolume)), FormatNumber(gross));
    EXPECT_FALSE(page->guardSentence().isEmpty());
}

TEST_F(BoxSheetTest, OkAfterARefusedValueStoresNothingOfIt)
{
    DesignClosedBox();
    ui::CBoxPage* page = Open(true);
    const RectBoxValues before = wb.rectBox;
    // V(B) locked: no height of 0 holds the volume. The text stays while it is typed...
    TypeText(page->field(Q::Height), "0");
    EXPECT_EQ(Text(page->field(Q::Height)), "0");
    EXPECT_FALSE(page->guardSentence().isEmpty());
    EXPECT_EQ(wb.rectBox, before);
    // ...and the report and OK, with the text complete, take the box as it was, not the
    // refused height; the field shows the record's value again.
    ui::ReportJob job;
    ASSERT_TRUE(sheet->PrintJob(job));
    EXPECT_EQ(wb.rectBox, before);
    EXPECT_EQ(Text(page->field(Q::Height)), FormatNumber(before.metric.height));
    sheet->accept();
    EXPECT_EQ(wb.rectBox, before);
}

TEST_F(BoxSheetTest, ExponentsCommasAndSignsReachTheFieldAndAreJudgedWhenFinished)
{
    ui::CBoxPage* page = Open(true);
    QLineEdit* net = page->field(Q::NetVolume);
    TypeText(net, "1e2");
    EXPECT_EQ(Text(net), "1e2");
    EXPECT_EQ(wb.rectBox.metric.netVolume, 100);
    EXPECT_EQ(Text(page->field(Q::GrossVolume)), "100");
    TypeText(page->field(Q::OtherDisplacement), "-0.5");
    EXPECT_EQ(Text(page->field(Q::OtherDisplacement)), "-0.5");
    EXPECT_TRUE(refusals.messages.isEmpty());

    // A decimal comma is refused when the text is complete: once at OK, nothing at Cancel.
    QLineEdit* height = page->field(Q::Height);
    TypeText(height, "0,5");
    EXPECT_EQ(Text(height), "0,5");
    EXPECT_TRUE(refusals.messages.isEmpty());
    sheet->accept();
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_TRUE(sheet->isVisible());
    QPushButton* cancel = sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(refusals.messages.size(), 1);
}

TEST_F(BoxSheetTest, TypingIntoVgWhileVbIsLockedSaysWhyAndLeavesNoHalfTypedText)
{
    DesignClosedBox();
    ui::CBoxPage* page = Open(true);
    ASSERT_TRUE(page->lockBox(BoxLock::Vb)->isChecked());
    const double gross = wb.rectBox.metric.grossVolume;
    QLineEdit* field = page->field(Q::GrossVolume);
    TypeText(field, "1e");
    EXPECT_EQ(Text(field), FormatNumber(gross));
    EXPECT_EQ(wb.rectBox.metric.grossVolume, gross);
    EXPECT_EQ(page->guardSentence(), "V(B) is locked; unlock it to change V(G).");
    EXPECT_TRUE(refusals.messages.isEmpty());
    sheet->accept();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_TRUE(refusals.messages.isEmpty());
}

TEST_F(BoxSheetTest, UnitsOkCancelAndReopen)
{
    DesignClosedBox();
    ui::CBoxPage* metric = Open(true);
    TypeText(metric->field(Q::NetVolume), "50");
    metric->notes()->setFocus();
    QTest::keyClicks(metric->notes(), "Oak");
    QTest::keyClick(metric->notes(), Qt::Key_Return);
    QTest::keyClicks(metric->notes(), "veneer");
    sheet->accept();
    EXPECT_EQ(wb.rectBox.notes, "Oak\r\nveneer");
    EXPECT_EQ(wb.rectBox.metric.netVolume, 50);

    // The English sheet shows the same box in inches and cubic feet, stored values unchanged.
    const RectBoxValues stored = wb.rectBox;
    ui::CBoxPage* english = Open(false);
    EXPECT_EQ(wb.rectBox, stored);
    EXPECT_EQ(Text(english->field(Q::NetVolume)), FormatNumber(stored.english.netVolume));
    EXPECT_NEAR(stored.english.netVolume * 28.316847, 50, 0.01);
    EXPECT_NEAR(stored.english.height * 0.0254, stored.metric.height, 1e-3 * stored.metric.height);
    const auto labels = english->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [](QLabel* l) { return l->text() == "cubic feet"; }));

    // Cancel: what an edit solved stays, the notes of the page showing are not stored.
    TypeText(english->field(Q::Width), "12");
    english->notes()->setPlainText("lost");
    sheet->reject();
    EXPECT_EQ(wb.rectBox.english.width, 12);
    EXPECT_NEAR(wb.rectBox.metric.width, 0.3048, 1e-6);
    EXPECT_EQ(wb.rectBox.notes, "Oak\r\nveneer");
}

TEST_F(BoxSheetTest, BandpassPageHasRearAndFrontFields)
{
    wb.boxTypeName = "4th Order Symmetric Bandpass Box";
    wb.bandpass4.vb1Liters = 40;
    wb.bandpass4.vb1CuFt = 1.4126;
    wb.bandpass4.vb2Liters = 20;
    wb.bandpass4.vb2CuFt = 0.70629;
    doc->activeBoxPage = 2;
    ui::CBoxPage* page = Open(true);
    EXPECT_EQ(Text(page->field(Q::NetVolume, Chamber::Rear)), "40");
    EXPECT_EQ(Text(page->field(Q::NetVolume, Chamber::Front)), "20");
    EXPECT_EQ(page->field(Q::Width, Chamber::Front), nullptr);
    const BandpassBoxDims& b = wb.bandpassBox.metric;
    EXPECT_NEAR(b.frontHeight * b.width * b.depth * 1000, 20, 0.01);
    TypeText(page->field(Q::Filling, Chamber::Front), "25");
    EXPECT_EQ(wb.bandpassBox.frontFillingPercent, 25);
    EXPECT_EQ(Text(page->field(Q::GrossVolume, Chamber::Front)), "16");
}

TEST_F(BoxSheetTest, PrintNamesTheJobAfterThePageAndStoresItsNotesFirst)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    DesignClosedBox();
    doc->activeBoxPage = 1;
    ui::CBoxPage* trap = Open(false);
    trap->notes()->setPlainText("Angled for the corner");
    ui::ReportJob job;
    ASSERT_TRUE(sheet->PrintJob(job));
    EXPECT_EQ(job.name, "Trapezoidal Box Report");
    EXPECT_EQ(wb.trapBox.notes, "Angled for the corner");

    // The Print button: the print dialog, then one page in the PDF file.
    const ModalWatch printDialog =
        AnswerModal<QPrintDialog>([](QPrintDialog& dialog) { dialog.accept(); });
    const auto buttons = sheet->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == "Print")
            b->click();
    }
    QFile pdf(QDir(home.path()).filePath("Trapezoidal Box Report.pdf"));
    EXPECT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().contains("/Count 1"));
    EXPECT_EQ(printer.printer().docName(), "Trapezoidal Box Report");
    qputenv("HOME", oldHome);
}

class BoxCommandTest : public ActiveAppFixture
{
};

TEST_F(BoxCommandTest, CtrlBOpensTheModalSheetOverTheCurrentProject)
{
    EXPECT_TRUE(app->QueryCommand(cmd::BoxCalculators).enabled);
    bool seen = false;
    const ModalWatch sheet = AnswerModal<ui::CBoxSht>([&seen](ui::CBoxSht& s) {
        seen = s.pageCount() == 4;
        s.reject();
    });
    QApplication::setActiveWindow(frame());
    QTest::keyClick(frame(), Qt::Key_B, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(seen);
}

TEST_F(BoxSheetTest, CutListPageCutsTheBoxPageLastShownAndKeepsItsSettings)
{
    DesignClosedBox();
    Open(true);
    ShowPage(1);
    sheet->tabs()->setCurrentIndex(3);
    QApplication::processEvents();
    ui::CutListPage* cut = sheet->cutListPage();
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->kind(), calc::BoxPageKind::Trapezoidal);
    EXPECT_TRUE(cut->shownText().contains("Slanted side  2")) << cut->shownText().toStdString();
    EXPECT_EQ(cut->field("WallThickness")->text(), "18");

    // A thickness typed in millimetres sets the inch copy too and cuts the box again.
    doc->SetModified(false);
    TypeText(cut->field("WallThickness"), "19");
    EXPECT_EQ(doc->cutList.wallMm, 19);
    EXPECT_EQ(doc->cutList.wallIn, MmToInches(19));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(cut->shownText().contains(" 19 ")) << cut->shownText().toStdString();
    cut->choice("Sides")->setCurrentIndex(0);
    EXPECT_EQ(doc->cutList.sidesBetween, 0);
    // A text that is no number is not stored, and holds the page until it is mended.
    TypeText(cut->field("SawKerf"), "x");
    EXPECT_EQ(doc->cutList.kerfMm, 3);
    EXPECT_FALSE(cut->Leave());
    TypeText(cut->field("SawKerf"), "2.5");
    EXPECT_EQ(doc->cutList.kerfIn, MmToInches(2.5));

    ui::ReportJob job;
    ASSERT_TRUE(sheet->PrintJob(job));
    EXPECT_EQ(job.name, "Trapezoidal Box Cut List");

    // Another box page shown, the cut list follows it; the bandpass page of a closed box design
    // has no front chamber, and the page says so instead of a list.
    ShowPage(2);
    sheet->tabs()->setCurrentIndex(3);
    QApplication::processEvents();
    EXPECT_EQ(cut->kind(), calc::BoxPageKind::Bandpass);
    EXPECT_TRUE(cut->shownText().startsWith("The Bandpass Box page has no box yet"))
        << cut->shownText().toStdString();
}

TEST_F(BoxSheetTest, CutListPageShowsTheInchCopyWithEnglishUnits)
{
    DesignClosedBox();
    Open(false);
    sheet->tabs()->setCurrentIndex(3);
    QApplication::processEvents();
    ui::CutListPage* cut = sheet->cutListPage();
    EXPECT_EQ(cut->field("BaffleThickness")->text(), "0.75");
    EXPECT_EQ(cut->field("SheetLength")->text(), "96");
    EXPECT_EQ(cut->kind(), calc::BoxPageKind::Rectangular);
    EXPECT_TRUE(cut->shownText().contains("0.75")) << cut->shownText().toStdString();
}

} // namespace
} // namespace cw::test
