#include "AppFixture.h"
#include "RefusalRecorder.h"
#include "TypeText.h"
#include "app/AppCommandIds.h"
#include "calculators/ui/CXoversht.h"
#include "model/CSpkSysDoc.h"
#include "model/ComponentFormat.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace cw::test
{
namespace
{

class CrossoverSheet : public ::testing::Test
{
protected:
    // A sheet over the document, showing, as the command opens it.
    std::unique_ptr<CXoversht> Open()
    {
        auto sheet = std::make_unique<CXoversht>(*doc, printer, nullptr);
        sheet->show();
        QApplication::processEvents();
        return sheet;
    }

    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    ui::ReportPrinter printer;
    RefusalRecorder refusals;
};

TEST_F(CrossoverSheet, TypingIntoTheButterworthPageStoresAndCalculates)
{
    auto sheet = Open();
    CXoverPage* page = sheet->crossoverPage(0);
    ASSERT_EQ(sheet->currentPage(), page);
    Xover1OBW& g = doc->workbench().xover1OBW;
    QLineEdit* frequency = page->inputs()[2];
    QLineEdit* c1 = page->results()[0];
    QLineEdit* l1 = page->results()[1];
    // A new project's values, calculated as soon as the page opens.
    EXPECT_EQ(page->inputs()[0]->text(), "8");
    EXPECT_EQ(frequency->text(), "1000");
    EXPECT_EQ(c1->text(), "19.89");
    EXPECT_EQ(l1->text(), "1.273");
    EXPECT_TRUE(c1->isReadOnly());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(page->response().has_value());
    EXPECT_EQ(page->response()->curves.size(), 3u);

    TypeText(frequency, "3000");
    EXPECT_EQ(g.frequency, 3000);
    EXPECT_EQ(g.c1, 6.631);
    EXPECT_EQ(c1->text(), "6.631");
    EXPECT_EQ(l1->text(), "0.4244");
    EXPECT_TRUE(doc->IsModified());

    TypeText(frequency, "20000");
    EXPECT_EQ(g.l1, 0.06366);
    EXPECT_EQ(l1->text(), "0.0637");

    // Clearing the field stores nothing; "0" is stored and the results stay.
    frequency->selectAll();
    QTest::keyClick(frequency, Qt::Key_Backspace);
    EXPECT_EQ(g.frequency, 20000);
    QTest::keyClicks(frequency, "0");
    EXPECT_EQ(g.frequency, 0);
    EXPECT_EQ(g.l1, 0.06366);
    EXPECT_EQ(l1->text(), "0.0637");
    // "0." reads as 0 and is not "0": ignored while typing; a mistyped letter is refused.
    QTest::keyClicks(frequency, ".");
    EXPECT_TRUE(refusals.messages.isEmpty());
    TypeText(frequency, "2k");
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(g.frequency, 2); // taken while it read "2"

    // The refused text keeps the user on the page.
    sheet->tabs()->setCurrentIndex(8);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 0);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    QTest::keyClick(frequency, Qt::Key_Backspace);
    QTest::keyClicks(frequency, "500");
    EXPECT_EQ(g.frequency, 2500);
    EXPECT_EQ(c1->text(), "7.958");
    sheet->tabs()->setCurrentIndex(8);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 8);
    EXPECT_EQ(doc->activeCrossoverPage, 8);

    // Cancel keeps what was accepted; the sheet reopens on the last page.
    sheet->reject();
    EXPECT_EQ(g.frequency, 2500);
    EXPECT_EQ(g.c1, 7.958);
    auto again = Open();
    EXPECT_EQ(again->tabs()->currentIndex(), 8);
    EXPECT_EQ(again->currentPage()->caption(), "Tweeter Attenuator");
    EXPECT_EQ(again->crossoverPage(8)->results()[0]->text().toStdString(),
              FormatComponentValue(doc->workbench().tweeterAtten.r1));
    EXPECT_NE(doc->workbench().tweeterAtten.r1, 0);
}

TEST_F(CrossoverSheet, ExponentsAndCommasAreJudgedWhenTheFieldIsFinished)
{
    auto sheet = Open();
    QApplication::setActiveWindow(sheet.get());
    CXoverPage* page = sheet->crossoverPage(0);
    const Xover1OBW& g = doc->workbench().xover1OBW;
    QLineEdit* frequency = page->inputs()[2];
    TypeText(frequency, "2e3");
    EXPECT_EQ(frequency->text(), "2e3");
    EXPECT_EQ(g.frequency, 2000);
    EXPECT_EQ(page->results()[0]->text(), "9.947");

    TypeText(frequency, "2,5");
    EXPECT_EQ(frequency->text(), "2,5");
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(g.frequency, 2);
    // Moving on to another field says why once and brings the focus back; so does Enter, which
    // then does not reach OK.
    page->inputs()[0]->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_EQ(QApplication::focusWidget(), frequency);
    QTest::keyClick(frequency, Qt::Key_Return);
    EXPECT_EQ(refusals.messages.size(), 2);
    EXPECT_TRUE(sheet->isVisible());

    TypeText(frequency, "2.5e3");
    EXPECT_EQ(g.frequency, 2500);
    sheet->accept();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(refusals.messages.size(), 2);
}

TEST_F(CrossoverSheet, OkStoresATextTheTypingRuleLeftAndMarksTheDocument)
{
    doc->activeCrossoverPage = 3;
    auto sheet = Open();
    CXoverPage* page = sheet->crossoverPage(3);
    ASSERT_EQ(sheet->currentPage(), page);
    EXPECT_EQ(page->inputs()[3]->text(), "0.707");
    EXPECT_EQ(page->inputs()[3]->objectName(), "Damping Fact. (Zeta) =");
    // "0.0" pasted whole reads as 0 without being "0": the typing rule leaves it for the page's
    // store.
    page->inputs()[3]->selectAll();
    page->inputs()[3]->insert("0.0");
    EXPECT_EQ(doc->workbench().xover1OS.zeta, 0.707);
    EXPECT_FALSE(doc->IsModified());
    sheet->accept();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(doc->workbench().xover1OS.zeta, 0);
    EXPECT_TRUE(doc->IsModified());
    // A page left with an unreadable input stays open on OK.
    auto other = Open();
    QLineEdit* zeta = other->crossoverPage(3)->inputs()[3];
    TypeText(zeta, "1x");
    other->accept();
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(refusals.messages.back(), "Please enter a number.");
}

TEST_F(CrossoverSheet, TheResonanceCompensatorRefusesAMaxZNotAboveTheDriverImpedance)
{
    doc->activeCrossoverPage = 6;
    auto sheet = Open();
    CXoverPage* page = sheet->crossoverPage(6);
    CSpkSys& s = doc->workbench();
    QLineEdit* maxZ = page->inputs()[3];
    QLineEdit* r1 = page->results()[2];
    ASSERT_EQ(maxZ->objectName(), "Max Z (or 0 if unknown) =");
    const ResonanceComp unknown = s.resonanceComp; // designed for an estimated peak
    EXPECT_EQ(r1->text(), "10.67");
    ASSERT_TRUE(page->response().has_value());
    const std::vector<double> compensated = page->response()->curves[1].magnitude;
    EXPECT_TRUE(page->refusal().isEmpty());

    // Typed key by key, "5" is refused quietly: the record, the results and the graph stay.
    TypeText(maxZ, "5");
    EXPECT_EQ(s.resonanceCompMaxZ, 0);
    EXPECT_EQ(s.resonanceComp, unknown);
    EXPECT_EQ(r1->text(), "10.67");
    ASSERT_TRUE(page->response().has_value());
    EXPECT_EQ(page->response()->curves[1].magnitude, compensated);
    EXPECT_NE(page->refusal().indexOf("must be above the Driver Impedance (8 Ohms)"), -1);
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_FALSE(doc->IsModified());

    // "50" is a peak: the results and the graph show the network designed for it, which holds
    // the modelled driver at its 8 Ohms.
    QTest::keyClicks(maxZ, "0");
    EXPECT_EQ(s.resonanceCompMaxZ, 50);
    EXPECT_TRUE(page->refusal().isEmpty());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(s.resonanceComp.r1, 9.524);
    EXPECT_EQ(r1->text(), "9.524");
    ASSERT_TRUE(page->response().has_value());
    for (double ohms : page->response()->curves[1].magnitude)
        EXPECT_NEAR(ohms, 8, 0.05);
    const ResonanceComp designed = s.resonanceComp;

    // The driver impedance itself: refused too, and leaving the page says why.
    TypeText(maxZ, "8");
    EXPECT_EQ(s.resonanceCompMaxZ, 50);
    EXPECT_EQ(r1->text(), "9.524");
    sheet->tabs()->setCurrentIndex(0);
    EXPECT_EQ(sheet->tabs()->currentIndex(), 6);
    ASSERT_EQ(refusals.messages.size(), 1);
    EXPECT_EQ(refusals.messages[0], page->refusal());
    EXPECT_EQ(s.resonanceCompMaxZ, 50);
    EXPECT_EQ(s.resonanceComp, designed);
    sheet->accept();
    EXPECT_TRUE(sheet->isVisible());
    sheet->reject();
    EXPECT_EQ(s.resonanceCompMaxZ, 50);
    EXPECT_EQ(s.resonanceComp, designed);
}

TEST_F(CrossoverSheet, AStoredMaxZNotAboveTheDriverImpedanceShowsWhyInsteadOfResults)
{
    // As a project can hold it (set from the command line, or saved by an older version).
    CSpkSys& s = doc->workbench();
    s.resonanceCompMaxZ = 5;
    s.resonanceComp.r1 = -13.33;
    doc->activeCrossoverPage = 6;
    auto sheet = Open();
    CXoverPage* page = sheet->crossoverPage(6);
    for (QLineEdit* result : page->results())
        EXPECT_EQ(result->text(), "");
    EXPECT_FALSE(page->response().has_value());
    EXPECT_NE(page->refusal().indexOf("Max Z (5 Ohms)"), -1);
    // Coming back to the page shows the same; mending Max Z designs the network.
    sheet->tabs()->setCurrentIndex(0);
    sheet->tabs()->setCurrentIndex(6);
    EXPECT_EQ(page->results()[2]->text(), "");
    TypeText(page->inputs()[3], "40");
    EXPECT_TRUE(page->refusal().isEmpty());
    EXPECT_EQ(page->results()[2]->text(), "10.00");
    EXPECT_TRUE(page->response().has_value());
    EXPECT_TRUE(refusals.messages.isEmpty());
}

TEST_F(CrossoverSheet, TheInductanceCompensatorStartsFromTheDriversInductance)
{
    CSpkSys& s = doc->workbench();
    s.driver.le = 0.62;
    s.driver.re = 6.1;
    s.inductanceComp.driverLe = 0;
    doc->activeCrossoverPage = 7;
    {
        auto sheet = Open();
        CXoverPage* page = sheet->crossoverPage(7);
        EXPECT_EQ(page->inputs()[1]->text(), "0.62");
        EXPECT_EQ(s.inductanceComp.driverLe, 0.62);
        EXPECT_NE(s.inductanceComp.c1, 0);
        EXPECT_FALSE(page->results()[1]->text().isEmpty());
        sheet->reject();
    }
    s.inductanceComp.driverLe = 0.3;
    auto sheet = Open();
    EXPECT_EQ(sheet->crossoverPage(7)->inputs()[1]->text(), "0.3");
    EXPECT_EQ(s.inductanceComp.driverLe, 0.3);
}

TEST_F(CrossoverSheet, PagesShowTheirGroupsLabelsUnitsAndNotes)
{
    auto sheet = Open();
    EXPECT_EQ(sheet->windowTitle(), "Crossover and Network Calculators");
    const QStringList captions = {
        "1st Order Butterworth", "2nd Order Butterworth",  "3rd Order Butterworth",
        "1st Order Series",      "2nd Order Linkwitz",     "4th Order Linkwitz",
        "Resonance Compensator", "Inductance Compensator", "Tweeter Attenuator"};
    ASSERT_EQ(sheet->pageCount(), 9);
    const QString note = "Note the reverse polarity connection of the tweeter.";
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sheet->tabs()->tabText(i), captions[i]);
        CXoverPage* page = sheet->crossoverPage(i);
        EXPECT_EQ(page->crossoverPage(), i);
        QStringList groups;
        for (auto* box : page->findChildren<QGroupBox*>())
            groups << box->title();
        EXPECT_EQ(groups, (QStringList{"Enter the Following: ", "The Component Values are: "}));
        QStringList texts;
        for (auto* label : page->findChildren<QLabel*>())
            texts << label->text();
        EXPECT_EQ(texts.contains(note), i == 1 || i == 2 || i == 4);
        for (QLineEdit* result : page->results())
            EXPECT_TRUE(result->isReadOnly());
    }
    // The Tweeter Attenuator's labels and units as its page writes them.
    QStringList texts;
    for (auto* label : sheet->crossoverPage(8)->findChildren<QLabel*>())
        texts << label->text();
    for (const char* text : {"Tweeter Impedance =", "Max Tweeter Power =", "Desired Attenuation =",
                             "R1 =", "P1 =", "R2", "P2", "Ohms", "Watts", "dB"})
        EXPECT_TRUE(texts.contains(text)) << text;
    QStringList fifth;
    for (auto* label : sheet->crossoverPage(5)->findChildren<QLabel*>())
        fifth << label->text();
    EXPECT_TRUE(fifth.contains("C4="));
    EXPECT_EQ(sheet->crossoverPage(5)->results().size(), 8u);

    // OK and Cancel, no Apply; Print at the bottom left.
    auto* buttons = sheet->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_NE(buttons->button(QDialogButtonBox::Ok), nullptr);
    EXPECT_NE(buttons->button(QDialogButtonBox::Cancel), nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Apply), nullptr);
    EXPECT_EQ(sheet->printButton()->text(), "Print");
    EXPECT_LT(sheet->printButton()->geometry().right(), buttons->geometry().left());
}

TEST_F(CrossoverSheet, PrintsTheActivePagesReportIntoAPdf)
{
    doc->activeCrossoverPage = 2;
    auto sheet = Open();
    const ui::ReportJob job = sheet->ActiveReport();
    EXPECT_EQ(job.name, "3OBW Xover Report");
    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.filePath("report.pdf"));
    ASSERT_EQ(ui::ReportPrinter::PrintPage(pdf, job), QString());
    QFile file(dir.filePath("report.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
}

class CrossoverCommand : public AppFixture
{
};

TEST_F(CrossoverCommand, OpensTheSheetOverTheCurrentProject)
{
    EXPECT_TRUE(app->QueryCommand(cmd::CrossoverCalculators).enabled);
    QString caption;
    int page = -1;
    const ModalWatch answer = AnswerModal<CXoversht>([&](CXoversht& sheet) {
        caption = sheet.windowTitle();
        sheet.tabs()->setCurrentIndex(5);
        page = app->currentDoc()->activeCrossoverPage;
        sheet.accept();
    });
    EXPECT_TRUE(app->OnCommand(cmd::CrossoverCalculators));
    EXPECT_EQ(caption, "Crossover and Network Calculators");
    EXPECT_EQ(page, 5);
    EXPECT_NE(app->currentDoc()->workbench().xover4OLR.c1, 0);
}

} // namespace
} // namespace cw::test
