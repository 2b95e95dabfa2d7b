#include "AppFixture.h"
#include "RefusalRecorder.h"
#include "TypeText.h"
#include "app/AppCommandIds.h"
#include "app/CBoxWnd.h"
#include "app/CDrvrWnd.h"
#include "app/CPlotWnd.h"
#include "editors/ui/BoxPanelView.h"
#include "editors/ui/CDrvrView.h"
#include "editors/ui/CModelPg1.h"
#include "editors/ui/CSysEdPrpSht.h"
#include "editors/ui/SystemDetailsPage.h"
#include "editors/ui/SystemNotesPage.h"
#include "model/CommandIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>

namespace cw::test
{
namespace
{

using ui::CSysEdPrpSht;

class SystemEditorTest : public AppFixture
{
protected:
    // Runs Edit System as the user does; drive works in the sheet while it is up and closes it.
    void EditSystem(const std::function<void(CSysEdPrpSht&)>& drive)
    {
        const ModalWatch sheet = AnswerModal<CSysEdPrpSht>([&](CSysEdPrpSht& shown) {
            drive(shown);
            if (shown.isVisible()) {
                ADD_FAILURE() << "the sheet was left open";
                shown.reject();
            }
        });
        frame()->Dispatch(cmd::EditSystem);
    }
    // Replaces a field's text key by key, the way a user does after selecting it.
    static void Type(QLineEdit* edit, const QString& text)
    {
        ASSERT_NE(edit, nullptr);
        TypeText(edit, text);
    }
    static void ClickTab(CSysEdPrpSht& sheet, int i)
    {
        QTabBar* bar = sheet.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }
    static void Press(CSysEdPrpSht& sheet, QDialogButtonBox::StandardButton which)
    {
        QPushButton* button = sheet.findChild<QDialogButtonBox*>()->button(which);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static QLineEdit* Details(CSysEdPrpSht& sheet, const char* symbol)
    {
        return sheet.detailsPage()->field(symbol);
    }
    static QString UnitOf(CSysEdPrpSht& sheet, const char* symbol)
    {
        return sheet.detailsPage()->unitLabel(symbol)->text();
    }

    CSpkSys& wb() const { return doc().workbench(); }
    RefusalRecorder refusals;
};

TEST_F(SystemEditorTest, OpensOnThePageLastShownAndRecordsEachPageShown)
{
    EXPECT_TRUE(app->QueryCommand(cmd::EditSystem).enabled);
    doc().editorPage = 2;
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "System Editor");
        EXPECT_EQ(sheet.page(0)->caption(), "System:  Details");
        EXPECT_EQ(sheet.page(1)->caption(), "System:  Notes");
        EXPECT_EQ(sheet.page(2)->caption(), "System:  Model");
        EXPECT_EQ(sheet.currentPage(), sheet.modelPage());
        EXPECT_EQ(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply), nullptr);
        ClickTab(sheet, 1);
        EXPECT_EQ(doc().editorPage, 1);
        Press(sheet, QDialogButtonBox::Cancel);
    });
    // The page showing last reopens, also after Cancel; a position past the last page opens
    // the first.
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.currentPage(), sheet.notesPage());
        Press(sheet, QDialogButtonBox::Cancel);
    });
    doc().editorPage = 9;
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.currentPage(), sheet.detailsPage());
        EXPECT_EQ(doc().editorPage, 0);
        Press(sheet, QDialogButtonBox::Cancel);
    });
}

TEST_F(SystemEditorTest, APageLeftBeforeCancelKeepsWhatItStored)
{
    doc().SetModified(false);
    const std::string notes = wb().notes;
    EditSystem([&](CSysEdPrpSht& sheet) {
        // 1/3 shows in fifteen significant digits.
        wb().closed2.qb = 1.0 / 3;
        sheet.detailsPage()->binder()->Load();
        EXPECT_EQ(Details(sheet, "Q(B) =")->text(), "0.333333333333333");
        Type(Details(sheet, "Q(B) ="), "9.5");
        Type(Details(sheet, "P(in) ="), "0.5");
        EXPECT_EQ(wb().closed2.qb, 1.0 / 3); // nothing is stored while typing
        ClickTab(sheet, 1);
        EXPECT_EQ(wb().closed2.qb, 9.5);
        EXPECT_EQ(wb().inputPower, 0.5);
        sheet.notesPage()->notes()->setFocus();
        QTest::keyClicks(sheet.notesPage()->notes(), "typed, never stored");
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(wb().closed2.qb, 9.5);
    EXPECT_EQ(wb().notes, notes);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(SystemEditorTest, AFieldThatBreaksItsRuleKeepsThePageAndTheSheet)
{
    doc().editorPage = 0;
    EditSystem([&](CSysEdPrpSht& sheet) {
        QLineEdit* n = Details(sheet, "N =");
        Type(n, "2.5");
        ClickTab(sheet, 1);
        EXPECT_EQ(refusals.messages, QStringList{"Please enter an integer."});
        EXPECT_EQ(sheet.currentPage(), sheet.detailsPage());
        EXPECT_EQ(sheet.focusWidget(), n);
        EXPECT_EQ(doc().editorPage, 0);

        // A blank number cannot be left either, and OK does not close over it.
        Type(n, "0");
        Type(Details(sheet, "d ="), "");
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(refusals.messages.last(), "Please enter a number.");
        EXPECT_EQ(sheet.focusWidget(), Details(sheet, "d ="));

        Type(Details(sheet, "d ="), "2");
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_FALSE(sheet.isVisible());
    });
    // No range is checked: N = 0 is taken as typed.
    EXPECT_EQ(wb().driverCount, 0);
    EXPECT_EQ(wb().splDistanceM, 2);
}

TEST_F(SystemEditorTest, VentedDetailsShowTheComputedValuesInTheCopyOfTheUnits)
{
    frame()->Dispatch(cmd::Box4OVB);
    VentedBox4& b = wb().vented4;
    b.vbLiters = 56.634;
    b.vbCuFt = 2;
    b.svSqM = 0.01;
    b.svSqIn = 15.5;
    b.lvM = 0.1;
    b.lvIn = 3.937;
    doc().editorPage = 0;
    auto look = [&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.detailsPage()->boxType(), BoxType::Vented4);
        for (const char* symbol :
             {"V(B) =", "F(B) =", "S(vMin) =", "S(v) =", "L(v) =", "Q(tc) =", "alpha ="})
            EXPECT_TRUE(Details(sheet, symbol)->isReadOnly()) << symbol;
        for (const char* symbol : {"Q(B) =", "P(in) =", "d =", "W(B) =", "R(s) =", "N =", "I ="})
            EXPECT_FALSE(Details(sheet, symbol)->isReadOnly()) << symbol;
        EXPECT_EQ(Details(sheet, "C1 ="), nullptr);
        EXPECT_EQ(UnitOf(sheet, "d ="), "m");
        EXPECT_EQ(UnitOf(sheet, "W(B) ="), "m");
        EXPECT_EQ(sheet.detailsPage()->side()->findChild<QLabel*>("boxVariables")->text(),
                  "V(B), F(B)");
        EXPECT_FALSE(sheet.detailsPage()->side()->picture()->icon().isNull());
    };
    EditSystem([&](CSysEdPrpSht& sheet) {
        look(sheet);
        EXPECT_EQ(Details(sheet, "V(B) =")->text(), "2");
        EXPECT_EQ(UnitOf(sheet, "V(B) ="), "cu ft");
        EXPECT_EQ(Details(sheet, "S(v) =")->text(), "15.5");
        EXPECT_EQ(UnitOf(sheet, "S(v) ="), "sq in");
        EXPECT_EQ(Details(sheet, "L(v) =")->text(), "3.937");
        EXPECT_EQ(UnitOf(sheet, "L(v) ="), "in");
        Press(sheet, QDialogButtonBox::Ok);
    });
    app->settings().units = UnitsPreference::Metric;
    EditSystem([&](CSysEdPrpSht& sheet) {
        look(sheet);
        EXPECT_EQ(Details(sheet, "V(B) =")->text(), "56.634");
        EXPECT_EQ(UnitOf(sheet, "V(B) ="), "liters");
        EXPECT_EQ(Details(sheet, "S(v) =")->text(), "0.01");
        EXPECT_EQ(UnitOf(sheet, "S(v) ="), "sq m");
        EXPECT_EQ(Details(sheet, "L(v) =")->text(), "0.1");
        EXPECT_EQ(UnitOf(sheet, "L(v) ="), "m");
        Type(Details(sheet, "Q(B) ="), "5");
        Press(sheet, QDialogButtonBox::Ok);
    });
    // Storing the page leaves both copies of the values it only shows as they were.
    EXPECT_EQ(b.qb, 5);
    EXPECT_EQ(b.svSqIn, 15.5);
    EXPECT_EQ(b.lvIn, 3.937);
    EXPECT_EQ(b.vbCuFt, 2);
}

TEST_F(SystemEditorTest, EachBoxTypeHasItsOwnDetailsRows)
{
    doc().editorPage = 0;
    frame()->Dispatch(cmd::Box6OSBP);
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.detailsPage()->boxType(), BoxType::Bandpass6);
        Type(Details(sheet, "C1 ="), "47");
        Type(Details(sheet, "L1 ="), "2.2");
        Type(Details(sheet, "Q(B2) ="), "12");
        Type(Details(sheet, "W(B) ="), "0.3");
        EXPECT_TRUE(Details(sheet, "V(B2) =")->isReadOnly());
        Press(sheet, QDialogButtonBox::Ok);
    });
    const BandpassBox6& b = wb().bandpass6;
    EXPECT_EQ(b.c1, 47);
    EXPECT_EQ(b.l1, 2.2);
    EXPECT_EQ(b.qb2, 12);
    EXPECT_EQ(b.wb, 0.3);
    EXPECT_EQ(wb().closed2.wb, 0.5);
}

// The radiator is typed on the Details page: the other unit's copy follows what was typed, and
// closing the editor tunes the box for it.
TEST_F(SystemEditorTest, ARadiatorTypedInTheEditorTunesTheBox)
{
    doc().editorPage = 0;
    app->settings().units = UnitsPreference::Metric;
    frame()->Dispatch(cmd::BoxPRB);
    RadiatorBox& b = wb().radiator;
    b.vbLiters = 30;
    b.vbCuFt = 1.0594;
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.detailsPage()->boxType(), BoxType::Radiator);
        EXPECT_TRUE(Details(sheet, "V(B) =")->isReadOnly());
        EXPECT_TRUE(Details(sheet, "F(P) =")->isReadOnly());
        Type(Details(sheet, "V(AS) ="), "30");
        Type(Details(sheet, "X(max) ="), "10");
        Type(Details(sheet, "M(add) ="), "0");
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(b.prVasLiters, 30);
    EXPECT_EQ(b.prVasCuFt, 1.0594);
    EXPECT_EQ(b.prXmaxIn, 0.3937);
    // 28 Hz x sqrt(1 + 30 / 30), without added mass.
    EXPECT_EQ(b.fp, 39.6);
}

TEST_F(SystemEditorTest, ABoxTypeOfNoAlignmentHasNoDetailsPage)
{
    wb().boxTypeName = "Transmission Line";
    doc().editorPage = 5;
    EditSystem([&](CSysEdPrpSht& sheet) {
        EXPECT_EQ(sheet.detailsPage(), nullptr);
        EXPECT_EQ(sheet.page(0), sheet.notesPage());
        EXPECT_EQ(sheet.page(1), sheet.modelPage());
        EXPECT_EQ(sheet.currentPage(), sheet.notesPage());
        EXPECT_EQ(sheet.notesPage()->side()->field("boxTypeName")->text(), "Transmission Line");
        ClickTab(sheet, 1);
        EXPECT_EQ(doc().editorPage, 1);
        // No block is chosen, so there is no baffle width to edit.
        EXPECT_FALSE(sheet.modelPage()->baffleWidth()->isEnabled());
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(wb().boxTypeName, "Transmission Line");
}

TEST_F(SystemEditorTest, ModelPageSwitchesActAtOnceAndItsFieldsBindTheCurrentBlock)
{
    frame()->Dispatch(cmd::Box3OCB);
    wb().modelEnclosure = 2; // anything but 1 shows unchecked, and a click makes it 1
    wb().modelDiffraction = 0;
    wb().modelAutoCabin = 1;
    doc().editorPage = 2;
    doc().SetModified(false);
    EditSystem([&](CSysEdPrpSht& sheet) {
        ui::CModelPg1* page = sheet.modelPage();
        EXPECT_FALSE(page->enclosure()->isChecked());
        EXPECT_FALSE(page->diffraction()->isChecked());
        EXPECT_TRUE(page->autoCabin()->isChecked());
        EXPECT_EQ(page->baffleWidth()->text(), "0.5");
        EXPECT_EQ(page->cabinF3()->text(), "66");
        EXPECT_EQ(page->cabinQ()->text(), "0.707");
        QTest::mouseClick(page->enclosure(), Qt::LeftButton);
        QTest::mouseClick(page->diffraction(), Qt::LeftButton);
        EXPECT_EQ(wb().modelEnclosure, 1);
        EXPECT_EQ(wb().modelDiffraction, 1);
        EXPECT_TRUE(doc().IsModified());

        // A toggle from elsewhere shows only once the page opens again.
        doc().OnCommand(cmd::ModelAutoCabin);
        EXPECT_EQ(wb().modelAutoCabin, 0);
        EXPECT_TRUE(page->autoCabin()->isChecked());
        Type(page->baffleWidth(), "0.75");
        Type(page->cabinF3(), "87");
        Type(page->cabinQ(), "0.5");
        ClickTab(sheet, 1);
        ClickTab(sheet, 2);
        EXPECT_FALSE(page->autoCabin()->isChecked());
        page->autoCabin()->click();
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(wb().modelAutoCabin, 1);
    EXPECT_EQ(wb().closed3.wb, 0.75);
    EXPECT_EQ(wb().closed2.wb, 0.5);
    EXPECT_EQ(wb().autoCabinF3, 87);
    EXPECT_EQ(wb().autoCabinQ, 0.5);
}

TEST_F(SystemEditorTest, AfterOkThePanelsShowTheNewSystemAndTheCurvesStay)
{
    wb().closed2.vbCuFt = 1;
    wb().closed2.vbLiters = 28.317;
    ASSERT_TRUE(doc().CalcQtc());
    ASSERT_TRUE(doc().CalculateResponse());
    const CurveArray spl = wb().splCurve;
    const double points = wb().pointCount;
    const double qtc = wb().closed2.qtc;
    doc().editorPage = 0;
    EditSystem([&](CSysEdPrpSht& sheet) {
        Type(Details(sheet, "N ="), "2");
        ui::SystemSidePanel* side = sheet.detailsPage()->side();
        Type(side->field("systemName"), "Twin Woofers");
        Type(side->field("manufacturer"), "Own Make");
        Type(side->field("company"), "Garage Audio");
        Type(side->field("nominalDiameterMm"), "210");
        ClickTab(sheet, 1);
        // The Notes page shows what the Details page stored.
        EXPECT_EQ(sheet.notesPage()->side()->field("systemName")->text(), "Twin Woofers");
        EXPECT_EQ(sheet.notesPage()->side()->field("boxTypeName")->text(), "2nd Order Closed Box");
        EXPECT_TRUE(sheet.notesPage()->side()->field("boxTypeName")->isReadOnly());
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(wb().driverCount, 2);
    EXPECT_EQ(wb().driver.manufacturer, "Own Make");
    EXPECT_EQ(doc().titleBlock.company, "Garage Audio");
    EXPECT_EQ(wb().driver.nominalDiameterMm, 210);
    // Two drivers double the compliance: the closing steps designed Q(tc) anew.
    EXPECT_GT(wb().closed2.qtc, qtc);
    ProjectWindows* project = app->currentProject();
    EXPECT_NEAR(project->workbenchPanel()->view()->field("Q(tc) =")->text().toDouble(),
                wb().closed2.qtc, 1e-12);
    EXPECT_EQ(project->driverPanel()->view()->driversField()->text(), "2");
    EXPECT_TRUE(project->plotFrame()->windowTitle().endsWith(" {Twin Woofers}[*]"));
    EXPECT_EQ(wb().splCurve, spl);
    EXPECT_EQ(wb().pointCount, points);
}

} // namespace
} // namespace cw::test
