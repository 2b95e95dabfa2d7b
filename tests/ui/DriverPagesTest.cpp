#include "RefusalRecorder.h"
#include "TypeText.h"
#include "editors/ui/DriverGeneralPage.h"
#include "editors/ui/DriverParametersPage.h"
#include "editors/ui/DriverPhysicalPage.h"
#include "forms/ui/FitWidthValidator.h"
#include "forms/ui/PropertySheet.h"
#include "model/Units.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace cw::test
{
namespace
{

// The three driver pages in a sheet of their own, over a project's workbench.
class DriverPagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sheet.AddPage(general = new ui::DriverGeneralPage(*doc, settings));
        sheet.AddPage(parameters = new ui::DriverParametersPage(*doc, settings));
        sheet.AddPage(physical = new ui::DriverPhysicalPage(*doc, settings));
    }
    void Open(int page = 0)
    {
        sheet.tabs()->setCurrentIndex(page);
        sheet.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    }
    void ClickTab(int i)
    {
        QTabBar* bar = sheet.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }
    template <class W = QLineEdit> W* Field(ui::PropertyPage* page, const char* name)
    {
        auto* field = page->findChild<W*>(name);
        EXPECT_NE(field, nullptr) << name;
        return field;
    }
    // Replaces a field's text the way a user does, key by key.
    void Type(ui::PropertyPage* page, const char* name, const QString& text)
    {
        TypeText(Field(page, name), text);
    }
    // The names of the fields the Tab key visits from the first field of the page.
    static QStringList TabOrder(ui::PropertyPage* page)
    {
        QStringList names;
        QWidget* first = page->findChild<QLineEdit*>("manufacturer");
        QWidget* w = first;
        do {
            if (w->parentWidget() == page && (w->focusPolicy() & Qt::TabFocus))
                names << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first);
        return names;
    }
    DriverParams& driver() { return doc->workbench().driver; }

    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    AppSettings settings;
    ui::PropertySheet sheet{"System Editor", nullptr};
    ui::DriverGeneralPage* general = nullptr;
    ui::DriverParametersPage* parameters = nullptr;
    ui::DriverPhysicalPage* physical = nullptr;
    RefusalRecorder refusals;
};

TEST_F(DriverPagesTest, ADriverTypedOnEveryPageIsStoredAsEachPageIsLeft)
{
    Open();
    EXPECT_EQ(general->caption(), "Driver:  General Information");
    EXPECT_EQ(parameters->caption(), "Driver:  Parameters");
    EXPECT_EQ(physical->caption(), "Driver:  Physical and Mounting Information");

    Type(general, "manufacturer", "Acme Audio");
    Type(general, "nominalDiameterMm", "254");
    Type(general, "nominalImpedance", "4");
    Type(general, "nominalPower", " 2.5e2 ");
    Type(general, "highestXover", "800");
    Type(general, "keyword", "woofer");
    QPlainTextEdit* description = Field<QPlainTextEdit>(general, "description");
    description->setFocus();
    description->selectAll();
    QTest::keyClicks(description, "Long throw.");
    QTest::keyClick(description, Qt::Key_Return); // a new line, not the sheet's OK
    QTest::keyClicks(description, "Vented pole.");
    ASSERT_TRUE(sheet.isVisible());

    ClickTab(1);
    ASSERT_EQ(sheet.currentPage(), parameters);
    const DriverParams& d = driver();
    EXPECT_EQ(d.manufacturer, "Acme Audio");
    EXPECT_EQ(d.nominalDiameterMm, 254);
    EXPECT_EQ(d.nominalDiameterIn, 8); // the inch copy is typed on its own
    EXPECT_EQ(d.nominalImpedance, 4);
    EXPECT_EQ(d.nominalPower, 250);
    EXPECT_EQ(d.highestXover, "800");
    EXPECT_EQ(d.keyword, "woofer");
    EXPECT_EQ(d.description, "Long throw.\r\nVented pole.");
    EXPECT_TRUE(doc->IsModified());
    // The header shows what the page before stored.
    EXPECT_EQ(Field(parameters, "manufacturer")->text(), "Acme Audio");
    EXPECT_EQ(Field(parameters, "nominalDiameterMm")->text(), "254");

    Type(parameters, "fs", "28.5");
    Type(parameters, "qts", "0.5");
    Type(parameters, "cms", "1.25E-3");
    Type(parameters, "le", "0.0");
    Type(parameters, "sdSqM", "3.3e-2");
    Type(parameters, "dvcIn", "1.5");
    Type(parameters, "dmg", "6");
    Type(parameters, "coilMaterial", "aluminium");
    ClickTab(2);
    ASSERT_EQ(sheet.currentPage(), physical);
    EXPECT_EQ(d.fs, 28.5);
    EXPECT_EQ(d.qts, 0.5);
    EXPECT_EQ(d.cms, 1.25e-3);
    EXPECT_EQ(d.le, 0);
    EXPECT_EQ(d.sdSqM, 0.033);
    EXPECT_EQ(d.sdSqIn, 0); // no field on any page
    EXPECT_EQ(d.dvcMm, 25);
    EXPECT_EQ(d.dvcIn, 1.5);
    EXPECT_EQ(d.dmg, 6);
    EXPECT_EQ(d.coilMaterial, "aluminium");

    Type(physical, "outsideDiameterIn", "10.25");
    Type(physical, "physicalVolumeLiters", "1.1");
    Type(physical, "retailPrice", "$129");
    sheet.accept(); // OK stores the page showing
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(d.outsideDiameterIn, 10.25);
    EXPECT_EQ(d.outsideDiameterMm, 213);
    EXPECT_EQ(d.physicalVolumeLiters, 1.1);
    EXPECT_EQ(d.physicalVolumeCuFt, 0.00597);
    EXPECT_EQ(d.retailPrice, "$129");
    EXPECT_TRUE(refusals.messages.isEmpty());
}

TEST_F(DriverPagesTest, CancelKeepsWhatALeftPageStoredAndDropsThePageShowing)
{
    Open(1);
    Type(parameters, "qts", "0.5");
    ClickTab(2);
    EXPECT_EQ(driver().qts, 0.5);
    Type(physical, "magnetWeight", "0.9");
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(driver().qts, 0.5);
    EXPECT_EQ(driver().magnetWeight, 0.38);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DriverPagesTest, ARefusedTextKeepsThePageAndItsFocusAndStopsTheStoreThere)
{
    Open(1);
    // The voice-coil texts are stored before D(mg), V(as) after everything.
    Type(parameters, "fs", "30");
    Type(parameters, "vas", "5");
    Type(parameters, "coilVent", "none");
    Type(parameters, "dmg", "6,5");
    ClickTab(2);
    EXPECT_EQ(sheet.currentPage(), parameters);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_EQ(sheet.focusWidget(), Field(parameters, "dmg"));
    EXPECT_EQ(driver().fs, 30);
    EXPECT_EQ(driver().coilVent, "none");
    EXPECT_EQ(driver().dmg, 5);
    EXPECT_EQ(driver().vasCuFt, 3.18);
    EXPECT_FALSE(physical->started());

    // A blank f(s) cannot be left either, not even with OK.
    Type(parameters, "dmg", "6.5");
    Type(parameters, "fs", "");
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(refusals.messages.size(), 2);
    EXPECT_EQ(sheet.focusWidget(), Field(parameters, "fs"));
    EXPECT_EQ(driver().fs, 30);

    Type(parameters, "fs", "31");
    ClickTab(2);
    EXPECT_EQ(sheet.currentPage(), physical);
    EXPECT_EQ(driver().dmg, 6.5);
    EXPECT_EQ(driver().vasCuFt, 5);
}

TEST_F(DriverPagesTest, VasShowsTheCopyOfTheUnitsPreferenceAndBringsTheOtherIntoStep)
{
    Open(1);
    QLineEdit* vas = Field(parameters, "vas");
    auto unitLabel = [&] {
        for (QLabel* l : parameters->findChildren<QLabel*>()) {
            if (l->text() == "cu ft" || l->text() == "liters")
                return l->text();
        }
        return QString();
    };
    EXPECT_EQ(unitLabel(), "cu ft");
    EXPECT_EQ(vas->text(), "3.18");

    // Stored without an edit, the two copies stay as they were.
    ClickTab(0);
    EXPECT_EQ(driver().vasCuFt, 3.18);
    EXPECT_EQ(driver().vasLiters, 90);

    settings.units = UnitsPreference::Metric;
    ClickTab(1);
    EXPECT_EQ(unitLabel(), "liters");
    EXPECT_EQ(vas->text(), "90");
    Type(parameters, "vas", "100");
    EXPECT_FALSE(parameters->isModified()); // V(as) does not mark the page
    ClickTab(2);
    EXPECT_EQ(driver().vasLiters, 100);
    EXPECT_EQ(driver().vasCuFt, LitersToCuFt(100));

    settings.units = UnitsPreference::English;
    ClickTab(1);
    EXPECT_EQ(unitLabel(), "cu ft");
    EXPECT_EQ(vas->text(), "3.5315");
    // A volume whose liters copy would overflow is refused.
    Type(parameters, "vas", "1e307");
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_EQ(sheet.focusWidget(), vas);
    EXPECT_EQ(driver().vasCuFt, LitersToCuFt(100));
    EXPECT_EQ(driver().vasLiters, 100);

    Type(parameters, "vas", "4");
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(driver().vasCuFt, 4);
    EXPECT_EQ(driver().vasLiters, CuFtToLiters(4));
}

TEST_F(DriverPagesTest, FieldsThatDoNotScrollTakeOnlyWhatFitsTheirWidth)
{
    driver().fs = 1.0 / 3;
    Open(1);
    QLineEdit* fs = Field(parameters, "fs");
    EXPECT_EQ(fs->text(), "0.333333333333333");
    EXPECT_EQ(fs->cursorPosition(), 0); // shown from its start

    // A longer text the program wrote can still be shortened, but not lengthened.
    QTest::keyClick(fs, Qt::Key_End);
    QTest::keyClicks(fs, "3");
    EXPECT_EQ(fs->text(), "0.333333333333333");
    QTest::keyClick(fs, Qt::Key_Backspace);
    EXPECT_EQ(fs->text(), "0.33333333333333");

    const QString digits(40, u'7');
    auto fits = [](QLineEdit* edit) {
        return QFontMetricsF(edit->font()).horizontalAdvance(edit->text()) <
               ui::FitWidthValidator::Room(edit);
    };
    for (const char* name : {"fs", "qts", "dvcIn", "dmg"}) {
        Type(parameters, name, digits);
        QLineEdit* edit = Field(parameters, name);
        EXPECT_TRUE(fits(edit)) << name;
        EXPECT_GT(edit->text().size(), 4) << name;
        EXPECT_TRUE(digits.startsWith(edit->text())) << name;
    }
    for (const char* name : {"fsb", "sdSqM", "coilFormer", "manufacturer"}) {
        Type(parameters, name, digits);
        EXPECT_EQ(Field(parameters, name)->text(), digits) << name;
    }
    ClickTab(0);
    Type(general, "makerPhone", digits);
    Type(general, "lowestXover", digits);
    Type(general, "makerAddress1", digits);
    EXPECT_TRUE(fits(Field(general, "makerPhone")));
    EXPECT_TRUE(fits(Field(general, "lowestXover")));
    EXPECT_EQ(Field(general, "makerAddress1")->text(), digits);
}

TEST_F(DriverPagesTest, FieldsAreVisitedInTheOrderOfThePageAndMarkItWhenEdited)
{
    Open();
    auto names = [](const char* list) { return QString(list).split(u' '); };
    const QStringList header = names("manufacturer model nominalDiameterMm nominalDiameterIn");
    const QStringList generalOrder =
        names("nominalImpedance nominalPower frequencyRange application highestXover lowestXover "
              "suggestedBoxVolume coneMaterial surroundType makerAddress1 makerAddress2 "
              "makerPhone description keyword");
    const QStringList parametersOrder =
        names("fs fsb qts qes qms vas cms rms re zMax zMin pt rt xMax xPeak sdSqM vd eta0 spl le "
              "fluxDensity wireLength bl mms dvcMm dvcIn dcd dmg coilMaterial coilFormer "
              "coilLayers coilWireGauge coilVent");
    const QStringList physicalOrder =
        names("outsideDiameterMm outsideDiameterIn boltCircleMm boltCircleIn boltCount "
              "frontCutoutMm frontCutoutIn rearCutoutMm rearCutoutIn depthMm depthIn "
              "physicalVolumeLiters physicalVolumeCuFt magnetHeight magnetDiameter magnetWeight "
              "magnetAssemblyWeight netWeight infoDate retailPrice");
    EXPECT_EQ(TabOrder(general), header + generalOrder);
    EXPECT_EQ(TabOrder(parameters), header + parametersOrder);
    EXPECT_EQ(TabOrder(physical), header + physicalOrder);

    // The fields and labels stand on the button face.
    const QColor face = general->palette().color(QPalette::Button);
    EXPECT_EQ(Field(general, "model")->palette().color(QPalette::Base), face);
    EXPECT_EQ(general->palette().color(QPalette::Window), face);

    Type(general, "keyword", "sub");
    EXPECT_FALSE(general->isModified());
    Type(general, "coneMaterial", "kevlar");
    EXPECT_TRUE(general->isModified());
    ClickTab(1);
    EXPECT_FALSE(general->isModified());

    // Shown again, a page shows what was stored elsewhere meanwhile.
    driver().coneMaterial = "paper";
    ClickTab(0);
    EXPECT_EQ(Field(general, "coneMaterial")->text(), "paper");
    EXPECT_FALSE(general->isModified());
}

TEST_F(DriverPagesTest, FieldsAValueInTheWrongUnitIsFoundInAreMarkedWithTheFinding)
{
    settings.units = UnitsPreference::Metric;
    driver().vasLiters *= 1000; // typed in liters where cubic metres were read
    driver().vasCuFt = 0;
    driver().xMax = 5000;
    Open(1);
    QLineEdit* vas = Field(parameters, "vas");
    QLineEdit* xMax = Field(parameters, "xMax");
    const QColor plain = Field(parameters, "fs")->palette().color(QPalette::Base);
    EXPECT_TRUE(vas->toolTip().contains("was 90 liters meant?")) << vas->toolTip().toStdString();
    EXPECT_TRUE(xMax->toolTip().contains("was 5 mm meant?")) << xMax->toolTip().toStdString();
    EXPECT_NE(vas->palette().color(QPalette::Base), plain);
    EXPECT_TRUE(Field(parameters, "fs")->toolTip().isEmpty());

    // An edited field loses its mark at once; stored, the check judges it anew.
    const QString finding = xMax->toolTip();
    Type(parameters, "vas", "90");
    Type(parameters, "xMax", "5000");
    EXPECT_TRUE(vas->toolTip().isEmpty());
    EXPECT_TRUE(xMax->toolTip().isEmpty());
    EXPECT_EQ(vas->palette().color(QPalette::Base), plain);
    ClickTab(2);
    ClickTab(1);
    EXPECT_TRUE(vas->toolTip().isEmpty());
    EXPECT_EQ(xMax->toolTip(), finding);
    EXPECT_NE(xMax->palette().color(QPalette::Base), plain);
}

} // namespace
} // namespace cw::test
