#include "AppFixture.h"
#include "DarkPixels.h"
#include "RefusalRecorder.h"
#include "TypeText.h"
#include "app/AppCommandIds.h"
#include "app/CBoxWnd.h"
#include "calculators/ui/CVentSht.h"
#include "editors/ui/BoxPanelView.h"
#include "engine/Design.h"
#include "model/CommandIds.h"
#include "model/Units.h"
#include "pictures/ui/CanvasWidget.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <functional>
#include <numbers>

namespace cw::test
{
namespace
{

using ui::CVentSht;
using ui::VentPage;

// The tuning of a chamber of vbCuFt with a vent of total area sqM and length m, as a Helmholtz
// resonator with the vent's end correction: c / 2 pi x sqrt(S / (V x (L + 0.824 sqrt S))).
double TuningHz(double vbCuFt, double sqM, double m)
{
    const double volume = vbCuFt * 0.028316846592; // cubic metres
    return 344.8 / (2 * std::numbers::pi) *
           std::sqrt(sqM / (volume * (m + 0.824 * std::sqrt(sqM))));
}

class VentSheetTest : public AppFixture
{
protected:
    static void Type(QLineEdit* edit, const QString& text) { TypeText(edit, text); }
    static void Press(CVentSht& sheet, QDialogButtonBox::StandardButton which)
    {
        QPushButton* button = sheet.findChild<QDialogButtonBox*>()->button(which);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void ClickTab(CVentSht& sheet, int i)
    {
        QTabBar* bar = sheet.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }

    // Opens the sheet through its command and runs steps on it while it is up; the steps end
    // with OK or Cancel. A sheet still up afterwards is cancelled, so a failing test never hangs.
    void WithSheet(const std::function<void(CVentSht&)>& steps)
    {
        const ModalWatch sheet = AnswerModal<CVentSht>([&](CVentSht& shown) {
            steps(shown);
            if (shown.isVisible()) {
                ADD_FAILURE() << "the sheet is still up";
                shown.reject();
            }
        });
        app->OnCommand(cmd::VentCalculators);
    }

    // A vented box of 1 cu ft tuned to 40 Hz, with a minimum vent area of 10 sq in.
    void DesignVentedBox()
    {
        doc().OnCommand(cmd::Box4OVB);
        VentedBox4& b = doc().workbench().vented4;
        b.vbCuFt = 1;
        b.vbLiters = 28.317;
        b.fb = 40;
        b.svMinSqIn = 10;
        b.svMinSqM = SqInToSqM(10);
        doc().SetModified(false);
    }

    QLineEdit* PanelField(const QString& symbol) const
    {
        return app->currentProject()->workbenchPanel()->view()->field(symbol);
    }

    // The page's area and length tune the chamber, in the copies the page shows.
    static void ExpectTunes(const VentPage& page, double vbCuFt, double fb)
    {
        const double area = page.areaField()->text().toDouble();
        const double length = page.lengthField()->text().toDouble();
        const double sqM = page.metric() ? area : SqInToSqM(area);
        const double m = page.metric() ? length : length * 0.0254;
        EXPECT_NEAR(TuningHz(vbCuFt, sqM, m) / fb, 1, 0.01);
    }

    RefusalRecorder refusals;
};

TEST_F(VentSheetTest, ClosedBoxShowsTheMessageInsteadOfTheSheet)
{
    for (const int box : {cmd::Box2OCB, cmd::Box3OCB}) {
        doc().OnCommand(box);
        QString text;
        const ModalWatch message = AnswerNextMessageBox(QMessageBox::Ok, &text);
        // Should a sheet open instead, it is closed again and the test fails.
        ModalOptions options;
        options.required = false;
        const ModalWatch sheet =
            AnswerModal<CVentSht>([](CVentSht& opened) { opened.reject(); }, options);
        app->OnCommand(cmd::VentCalculators);
        EXPECT_FALSE(sheet.answered());
        EXPECT_EQ(text, "You have a closed box selected.  \n\nPlease select a vented box type for "
                        "vent calculations.");
    }
    EXPECT_TRUE(app->QueryCommand(cmd::VentCalculators).enabled);
}

TEST_F(VentSheetTest, TubesTypedKeyByKeyAreWrittenIntoTheDesignOnOK)
{
    DesignVentedBox();
    double shownArea = 0, shownLength = 0;
    WithSheet([&](CVentSht& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Vent Calculators");
        ASSERT_EQ(sheet.pageCount(), 2);
        EXPECT_EQ(sheet.tabs()->tabText(0), "Tube Vents");
        EXPECT_EQ(sheet.tabs()->tabText(1), "Rectangular Vents");
        ui::CVentPg1& page = *sheet.tubePage();
        ASSERT_EQ(sheet.currentPage(), &page);

        // Two 3-inch tubes for 10 sq in, long enough already in this box.
        EXPECT_EQ(page.diameterField()->text(), "3.000");
        EXPECT_EQ(page.countField()->text(), "2");
        EXPECT_EQ(page.areaField()->text(), "14.140");
        EXPECT_TRUE(page.areaField()->isReadOnly());
        EXPECT_EQ(page.unitLabel(page.diameterField()), "In");
        EXPECT_EQ(page.unitLabel(page.areaField()), "Sq In");
        EXPECT_EQ(page.unitLabel(page.lengthField()), "In");
        EXPECT_EQ(page.problemLabel()->text(), "");
        ExpectTunes(page, 1, 40);
        // 20.8 in long: the pipe resonance falls near 300 Hz.
        EXPECT_NEAR(page.resonanceField()->text().toDouble(), 295, 5);
        EXPECT_FALSE(page.resonanceWarning()->text().isEmpty());
        EXPECT_TRUE(page.minimumAreaLabel()->text().contains("reaches"));
        EXPECT_TRUE(doc().IsModified());

        // A slip of the finger: the letter is refused at Enter, the number before it stays in
        // use.
        Type(page.diameterField(), "2.5x");
        EXPECT_TRUE(refusals.messages.isEmpty());
        EXPECT_EQ(page.areaField()->text(), "9.817");
        QTest::keyClick(page.diameterField(), Qt::Key_Return);
        EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
        EXPECT_TRUE(sheet.isVisible());
        QTest::keyClick(page.diameterField(), Qt::Key_End); // the refused text is selected
        QTest::keyClick(page.diameterField(), Qt::Key_Backspace);
        Type(page.countField(), "3");
        EXPECT_EQ(page.areaField()->text(), "14.730"); // 3 x pi x 1.25 squared
        EXPECT_DOUBLE_EQ(page.vent().diameterM, 0.0635);
        ExpectTunes(page, 1, 40);
        shownArea = page.areaField()->text().toDouble();
        shownLength = page.lengthField()->text().toDouble();
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(refusals.messages.size(), 1);

    const VentedBox4& b = doc().workbench().vented4;
    EXPECT_DOUBLE_EQ(b.svSqIn, 14.73);
    EXPECT_NEAR(b.lvIn, shownLength, 0.0005);
    EXPECT_DOUBLE_EQ(b.svSqM, 0.009501); // from the 63.5 mm copy of the diameter
    EXPECT_NEAR(b.lvM, b.lvIn * 0.0254, 0.0003);
    // The workbench panel shows the new vent, and its own area calculation agrees with it.
    EXPECT_NEAR(PanelField("S(v) =")->text().toDouble(), shownArea, 1e-9);
    EXPECT_NEAR(PanelField("L(v) =")->text().toDouble(), shownLength, 0.0005);
    CSpkSys check = doc().workbench();
    ASSERT_TRUE(engine::CalcVentArea(check));
    EXPECT_NEAR(check.vented4.svSqIn / shownArea, 1, 0.001);
}

TEST_F(VentSheetTest, CancelWritesNothingAndClearingIsIgnored)
{
    DesignVentedBox();
    doc().workbench().vented4.svSqIn = 5;
    doc().workbench().vented4.lvIn = 1;
    WithSheet([&](CVentSht& sheet) {
        ui::CVentPg1& page = *sheet.tubePage();
        Type(page.diameterField(), "");
        EXPECT_EQ(page.areaField()->text(), "14.140");
        // 0 is taken: no area, and the sentence instead of a length.
        Type(page.diameterField(), "0");
        EXPECT_EQ(page.areaField()->text(), "0.000");
        EXPECT_EQ(page.lengthField()->text(), "");
        EXPECT_EQ(page.problemLabel()->text(), "Enter vent sizes and a count larger than zero.");
        EXPECT_EQ(page.resonanceField()->text(), "");
        Type(page.diameterField(), "4");
        EXPECT_EQ(page.problemLabel()->text(), "");
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(doc().workbench().vented4.svSqIn, 5);
    EXPECT_EQ(doc().workbench().vented4.lvIn, 1);

    // A minus typed into the count reaches the field and is refused once, at OK.
    WithSheet([&](CVentSht& sheet) {
        ui::CVentPg1& page = *sheet.tubePage();
        Type(page.countField(), "-4");
        EXPECT_EQ(page.countField()->text(), "-4");
        EXPECT_TRUE(page.countField()->property("refused").toBool()); // no count has a sign
        EXPECT_TRUE(refusals.messages.isEmpty());
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(refusals.messages, QStringList{"Please enter a positive integer."});
        Press(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(refusals.messages.size(), 1);
    refusals.messages.clear();

    // An emptied field keeps the sheet open on OK; a vent without area writes nothing.
    WithSheet([&](CVentSht& sheet) {
        ui::CVentPg1& page = *sheet.tubePage();
        Type(page.countField(), "");
        Press(sheet, QDialogButtonBox::Ok);
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(refusals.messages, QStringList{"Please enter a positive integer."});
        Type(page.countField(), "0");
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(doc().workbench().vented4.svSqIn, 5);
}

TEST_F(VentSheetTest, MetricSlotVentsForTheFrontChamberOfABandpassBox)
{
    app->settings().units = UnitsPreference::Metric;
    doc().OnCommand(cmd::Box5OABP);
    BandpassBox5& b = doc().workbench().bandpass5;
    b.vb2CuFt = 2.5;
    b.vb2Liters = 70.792;
    b.fb2 = 32;
    b.svMinSqIn = 18;
    b.svMinSqM = SqInToSqM(18);
    doc().activeVentPage = 1;
    double shownArea = 0, shownLength = 0;
    WithSheet([&](CVentSht& sheet) {
        ui::CVentPg2& page = *sheet.rectPage();
        ASSERT_EQ(sheet.currentPage(), &page);
        EXPECT_FALSE(sheet.tubePage()->started());
        EXPECT_EQ(page.unitLabel(page.heightField()), "m");
        EXPECT_EQ(page.unitLabel(page.widthField()), "m");
        EXPECT_EQ(page.unitLabel(page.countField()), "");
        EXPECT_EQ(page.unitLabel(page.areaField()), "Sq m");
        EXPECT_EQ(page.unitLabel(page.lengthField()), "m");
        EXPECT_EQ(page.heightField()->text(), "0.025");
        ExpectTunes(page, 2.5, 32);

        // On the way to 0.05 the field reads 0 and then 0.: the first is taken, the second
        // waits for more.
        Type(page.heightField(), "0");
        EXPECT_EQ(page.areaField()->text(), "0.00000");
        EXPECT_FALSE(page.problemLabel()->text().isEmpty());
        QTest::keyClicks(page.heightField(), ".05");
        EXPECT_EQ(page.problemLabel()->text(), "");
        Type(page.widthField(), "0.1");
        Type(page.countField(), "2.");
        EXPECT_TRUE(refusals.messages.isEmpty());
        QTest::keyClick(page.countField(), Qt::Key_Return);
        EXPECT_EQ(refusals.messages, QStringList{"Please enter a positive integer."});
        QTest::keyClick(page.countField(), Qt::Key_End);
        QTest::keyClick(page.countField(), Qt::Key_Backspace);
        EXPECT_EQ(page.countField()->text(), "2");
        EXPECT_EQ(page.areaField()->text(), "0.01000");
        EXPECT_DOUBLE_EQ(page.vent().heightIn, 1.9685);
        ExpectTunes(page, 2.5, 32);
        EXPECT_TRUE(page.minimumAreaLabel()->text().contains("is below")); // 15.5 of 18 sq in
        shownArea = page.areaField()->text().toDouble();
        shownLength = page.lengthField()->text().toDouble();
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_DOUBLE_EQ(b.svSqM, 0.01);
    EXPECT_NEAR(b.lvM, shownLength, 0.0005);
    EXPECT_DOUBLE_EQ(b.svSqIn, 15.5); // 2 x 3.937 x 1.9685, four digits
    EXPECT_NEAR(PanelField("S(v) =")->text().toDouble(), shownArea, 1e-9);
    EXPECT_NEAR(PanelField("L(v) =")->text().toDouble(), shownLength, 0.0005);
    EXPECT_EQ(doc().workbench().vented4.svSqM, 0); // only the vented chamber's vent
}

TEST_F(VentSheetTest, BothPagesShownLeaveTheRectangularVentAndTheLastPage)
{
    DesignVentedBox();
    WithSheet([&](CVentSht& sheet) {
        Type(sheet.tubePage()->countField(), "3");
        ClickTab(sheet, 1);
        EXPECT_EQ(sheet.currentPage(), sheet.rectPage());
        EXPECT_EQ(doc().activeVentPage, 1);
        // 50 sq in in English units starts at 2 x 24 inches; here 10 sq in: 1 x 12.
        EXPECT_EQ(sheet.rectPage()->heightField()->text(), "1.000");
        EXPECT_EQ(sheet.rectPage()->widthField()->text(), "12.000");
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_DOUBLE_EQ(doc().workbench().vented4.svSqIn, 12);

    // The sheet opens on the page last shown. Both pages shown again: the rectangular one is
    // written last, whichever was on top.
    WithSheet([&](CVentSht& sheet) {
        EXPECT_EQ(sheet.currentPage(), sheet.rectPage());
        ClickTab(sheet, 0);
        EXPECT_EQ(doc().activeVentPage, 0);
        Type(sheet.tubePage()->countField(), "4");
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_DOUBLE_EQ(doc().workbench().vented4.svSqIn, 12);

    // The tube page alone.
    WithSheet([&](CVentSht& sheet) {
        EXPECT_EQ(sheet.currentPage(), sheet.tubePage());
        Type(sheet.tubePage()->countField(), "4");
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_DOUBLE_EQ(doc().workbench().vented4.svSqIn, 28.27); // 4 x pi x 1.5 squared
}

TEST_F(VentSheetTest, AnUnusableDesignSaysWhyAndWritesNothing)
{
    DesignVentedBox();
    doc().workbench().vented4.fb = 0;
    doc().workbench().vented4.svSqIn = 5;
    WithSheet([&](CVentSht& sheet) {
        for (VentPage* page :
             {static_cast<VentPage*>(sheet.tubePage()), static_cast<VentPage*>(sheet.rectPage())}) {
            sheet.tabs()->setCurrentWidget(page);
            EXPECT_EQ(page->problemLabel()->text(),
                      "The design has no usable tuning frequency or box volume for a vent.");
            EXPECT_EQ(page->lengthField()->text(), "");
            EXPECT_FALSE(page->areaField()->text().contains("nan"));
        }
        Press(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(doc().workbench().vented4.svSqIn, 5);
    EXPECT_EQ(doc().workbench().vented4.lvIn, 0);
}

TEST_F(VentSheetTest, EachPageShowsItsOwnVentDrawing)
{
    DesignVentedBox();
    WithSheet([&](CVentSht& sheet) {
        for (int i = 0; i < 2; ++i) {
            sheet.tabs()->setCurrentIndex(i);
            auto* picture = sheet.page(i)->findChild<ui::CanvasWidget*>();
            ASSERT_NE(picture, nullptr);
            const QImage image = picture->grab().toImage();
            EXPECT_GT(DarkPixels(image, image.rect()), 100) << i;
        }
        Press(sheet, QDialogButtonBox::Cancel);
    });
}

} // namespace
} // namespace cw::test
