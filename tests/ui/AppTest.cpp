#include "AppFixture.h"
#include "app/AppCommandIds.h"
#include "app/CHelpWnd.h"
#include "app/CPrefsSht.h"
#include "app/CSplashWnd.h"
#include "database/ui/DriverBrowser.h"
#include "editors/ui/CDrvrView.h"
#include "model/CommandIds.h"
#include "reports/ui/ReportPrinter.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

namespace cw::test
{
namespace
{

class AppTest : public AppFixture
{
protected:
    QString Path(const char* name) const { return dir.filePath(name); }
    int WindowCount() const { return frame()->mdiArea()->subWindowList().size(); }
};

TEST_F(AppTest, CloseAsksBeforeAModifiedProjectGoes)
{
    ProjectWindows* p = app->currentProject();
    ASSERT_TRUE(doc().SaveProject(Path("keep.spk").toStdString()));
    doc().workbench().systemName = "Changed";
    doc().SetModified();

    QString question;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel, &question);
    app->OnCommand(cmd::CloseWindow);
    EXPECT_EQ(question, "Save changes to keep.spk?");
    EXPECT_EQ(app->currentProject(), p);
    EXPECT_TRUE(doc().IsModified());

    const ModalWatch box2 = AnswerNextMessageBox(QMessageBox::Save);
    app->OnCommand(cmd::CloseWindow);
    Settle();
    EXPECT_EQ(app->currentProject(), nullptr);
    EXPECT_EQ(WindowCount(), 0);
    QFile saved(Path("keep.spk"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("Changed"));

    // Discard closes without writing; an unmodified project closes without a question.
    app->NewProject();
    doc().SetModified();
    const ModalWatch box3 = AnswerNextMessageBox(QMessageBox::Discard);
    app->OnCommand(cmd::CloseWindow);
    app->NewProject();
    app->OnCommand(cmd::CloseWindow);
    Settle();
    EXPECT_TRUE(app->projects().empty());
}

TEST_F(AppTest, ClosingThePlotWindowClosesTheProjectAndPanelsStay)
{
    ProjectWindows* p = app->currentProject();
    p->driverPanel()->close(); // panels go only with their project
    EXPECT_EQ(WindowCount(), 3);
    p->plotFrame()->close();
    Settle();
    EXPECT_TRUE(app->projects().empty());
    EXPECT_EQ(WindowCount(), 0);
    // The closing document handed its display settings over.
    EXPECT_TRUE(app->settings().lastClosedDocument.has_value());
}

TEST_F(AppTest, ACorruptProjectLeavesEverythingAsItWas)
{
    QFile bad(Path("bad.spk"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("{\"format\": \"conewright-project\", \"version\": 1, \"systems\": [");
    bad.close();
    ProjectWindows* before = app->currentProject();
    doc().workbench().systemName = "Mine";

    QString message;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Ok, &message);
    EXPECT_EQ(app->OpenProject(Path("bad.spk")), nullptr);
    Settle();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(app->currentProject(), before);
    EXPECT_EQ(app->projects().size(), 1u);
    EXPECT_EQ(WindowCount(), 3);
    EXPECT_EQ(doc().workbench().systemName, "Mine");
    EXPECT_TRUE(app->storedState().recentFiles.isEmpty());
}

TEST_F(AppTest, OpenShowsTheProjectAndKeepsItInTheRecentList)
{
    doc().workbench().systemName = "Reopened";
    doc().workbench().boxTypeName = "4th Order Vented Box";
    ASSERT_TRUE(doc().SaveProject(Path("a.spk").toStdString()));
    app->CloseProject(*app->currentProject());
    app->NewProject();

    ProjectWindows* opened = app->OpenProject(Path("a.spk"));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(app->currentProject(), opened);
    // "[*]" is where the title shows the mark of unsaved changes.
    EXPECT_EQ(opened->plotFrame()->windowTitle(), "a.spk {Reopened}[*]");
    EXPECT_FALSE(opened->plotFrame()->isWindowModified());
    opened->doc().OnCommand(cmd::ModelDiffraction);
    EXPECT_TRUE(opened->plotFrame()->isWindowModified());
    opened->doc().OnCommand(cmd::ModelDiffraction);
    ASSERT_TRUE(opened->doc().SaveProject(Path("a.spk").toStdString()));
    EXPECT_FALSE(opened->plotFrame()->isWindowModified());
    EXPECT_EQ(opened->workbenchPanel()->windowTitle(), "4th Order Vented Box");
    EXPECT_EQ(app->storedState().recentFiles.value(0), QFileInfo(Path("a.spk")).absoluteFilePath());
    EXPECT_EQ(app->QueryCommand(cmd::RecentFile1).text, "&1 a.spk");
    // Opening it again brings the open one forward.
    EXPECT_EQ(app->OpenProject(Path("a.spk")), opened);
    EXPECT_EQ(app->projects().size(), 2u);
}

TEST_F(AppTest, PreferencesTakeEffectAtOnceAndCancelKeepsThem)
{
    {
        CPrefsSht sheet(*app, frame());
        auto buttons = sheet.preferencesPage()->findChildren<QRadioButton*>();
        auto metric = std::find_if(buttons.begin(), buttons.end(),
                                   [](QRadioButton* b) { return b->text() == "metric"; });
        ASSERT_NE(metric, buttons.end());
        (*metric)->click();
        sheet.reject();
    }
    EXPECT_TRUE(app->settings().metric());

    {
        // Colours per system bring their legend along; the legend can then be switched off.
        CPrefsSht sheet(*app, frame());
        CPrefsPg3* page = sheet.preferencesPage();
        page->colourEachSystem()->click();
        EXPECT_TRUE(app->settings().colourEachSystem);
        EXPECT_TRUE(app->settings().showLegend);
        EXPECT_TRUE(page->showLegend()->isChecked());
        page->showLegend()->click();
        EXPECT_FALSE(app->settings().showLegend);
        EXPECT_TRUE(app->settings().colourEachSystem);
        sheet.reject();
    }
    EXPECT_TRUE(app->settings().colourEachSystem);

    {
        CPrefsSht sheet(*app, frame());
        sheet.tabs()->setCurrentIndex(1);
        EXPECT_EQ(doc().prefsPage, 1);
        auto fields = sheet.userPage()->findChildren<QLineEdit*>();
        fields[0]->setText("Acme Audio");
        sheet.accept();
    }
    EXPECT_EQ(app->settings().titleBlock.company, "Acme Audio");
    EXPECT_EQ(doc().titleBlock.company, "Acme Audio");
    // The next sheet opens on the page last shown.
    CPrefsSht again(*app, frame());
    EXPECT_EQ(again.tabs()->currentIndex(), 1);
}

TEST_F(AppTest, RevisionFieldsShowTheSystemsRevisionReadOnly)
{
    doc().workbench().revDate = "3 May";
    doc().workbench().revision = "B";
    CPrefsSht sheet(*app, frame());
    sheet.tabs()->setCurrentIndex(1);
    sheet.show();
    QStringList shown;
    for (QLineEdit* field : sheet.userPage()->findChildren<QLineEdit*>()) {
        if (!field->isReadOnly())
            continue;
        shown << field->text();
        EXPECT_EQ(field->toolTip(), "Each system's revision is set in the System Editor.");
    }
    EXPECT_EQ(shown, (QStringList{"3 May", "B"}));
}

TEST_F(AppTest, UserInformationIsStoredWhenLeftAndCancelKeepsIt)
{
    CPrefsSht sheet(*app, frame());
    sheet.tabs()->setCurrentIndex(1);
    sheet.show();
    sheet.userPage()->findChildren<QLineEdit*>().value(5)->setText("J. Smith");
    sheet.tabs()->setCurrentIndex(0);
    EXPECT_EQ(doc().prefsPage, 0);
    sheet.reject();
    EXPECT_EQ(app->settings().titleBlock.designer, "J. Smith");
    EXPECT_EQ(doc().titleBlock.designer, "J. Smith");
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(AppTest, UnitsChosenRelabelTheOpenPanelsOnOkAndOnCancel)
{
    ui::CDrvrView* panel = app->currentProject()->driverPanel()->view();
    EXPECT_EQ(panel->shownUnit(2), "cu ft"); // a first start shows English units
    // Edit > Preferences, a click on the units button, then OK or Cancel.
    auto chooseUnits = [this](const QString& units, bool ok) {
        const ModalWatch prefs = AnswerModal<CPrefsSht>([&](CPrefsSht& sheet) {
            for (QRadioButton* b : sheet.preferencesPage()->findChildren<QRadioButton*>()) {
                if (b->text() == units)
                    b->click();
            }
            ok ? sheet.accept() : sheet.reject();
        });
        app->OnCommand(cmd::Preferences);
    };
    chooseUnits("metric", true);
    EXPECT_EQ(panel->shownUnit(2), "liters");
    // Cancel keeps what was clicked, so the panels follow it too.
    chooseUnits("English (feet/inches)", false);
    EXPECT_FALSE(app->settings().metric());
    EXPECT_EQ(panel->shownUnit(2), "cu ft");
}

TEST_F(AppTest, SettingsPersistAndDamagedValuesReadAsDefaults)
{
    app->settings().units = UnitsPreference::Metric;
    app->settings().plotBackground = 3;
    app->settings().openWith = OpenWith::None;
    app->settings().titleBlock.designer = "J. Smith";
    app->settings().ventVelocityLimit = 20;
    app->settings().colourEachSystem = true;
    app->settings().showLegend = true;
    app->SaveSettings();

    StoredState read = SettingsStore(dir.filePath("settings.ini")).Load();
    EXPECT_TRUE(read.settings.metric());
    EXPECT_EQ(read.settings.plotBackground, 3);
    EXPECT_EQ(read.settings.openWith, OpenWith::None);
    EXPECT_EQ(read.settings.titleBlock.designer, "J. Smith");
    EXPECT_EQ(read.settings.ventVelocityLimit, 20);
    EXPECT_TRUE(read.settings.colourEachSystem);
    EXPECT_TRUE(read.settings.showLegend);

    QSettings raw(dir.filePath("settings.ini"), QSettings::IniFormat);
    raw.setValue("Preferences/plotBackground", 9);
    raw.setValue("Preferences/openWith", "many");
    raw.setValue("Preferences/ventVelocityLimit", -5);
    raw.setValue("Preferences/colourEachSystem", 7);
    raw.sync();
    read = SettingsStore(dir.filePath("settings.ini")).Load();
    EXPECT_EQ(read.settings.plotBackground, 0);
    EXPECT_EQ(read.settings.openWith, OpenWith::NewUntitledProject);
    EXPECT_EQ(read.settings.ventVelocityLimit, kDefaultVentVelocityLimit);
    EXPECT_FALSE(read.settings.colourEachSystem);
}

TEST_F(AppTest, StartUpFollowsOpenWithUnlessAFileIsNamed)
{
    ASSERT_TRUE(doc().SaveProject(Path("last.spk").toStdString()));
    app->settings().openWith = OpenWith::None;
    app->SaveSettings();
    Stop();
    Start();
    EXPECT_TRUE(app->projects().empty());
    EXPECT_FALSE(app->QueryCommand(cmd::Preferences).enabled);

    StartOptions withFile = NoSplash();
    withFile.projectFile = Path("last.spk");
    Stop();
    Start(withFile);
    ASSERT_EQ(app->projects().size(), 1u);
    EXPECT_EQ(doc().title(), "last.spk");
}

TEST_F(AppTest, LastProjectSavedReopensIt)
{
    app->settings().openWith = OpenWith::LastProjectSaved;
    doc().workbench().systemName = "Saved last";
    ASSERT_TRUE(doc().SaveProject(Path("b.spk").toStdString()));
    // The application remembers a save made through its own command.
    doc().SetModified();
    ASSERT_TRUE(app->SaveProject(*app->currentProject(), false));
    Stop();
    Start();
    ASSERT_EQ(app->projects().size(), 1u);
    EXPECT_EQ(doc().workbench().systemName, "Saved last");
}

TEST_F(AppTest, DroppedFilesOpenAsProjectOrDriver)
{
    doc().workbench().driver.model = "Dropped";
    ASSERT_TRUE(doc().SaveDriver(Path("d.dvr").toStdString()));
    ASSERT_TRUE(doc().SaveProject(Path("p.spk").toStdString()));
    doc().workbench().driver.model = "Other";

    app->OpenDroppedFile(Path("d.dvr"));
    EXPECT_EQ(doc().workbench().driver.model, "Dropped");
    EXPECT_TRUE(doc().IsModified());
    doc().SetModified(false);
    app->CloseProject(*app->currentProject());
    Settle();
    app->OpenDroppedFile(Path("p.spk"));
    ASSERT_EQ(app->projects().size(), 1u);
    EXPECT_EQ(doc().title(), "p.spk");
}

TEST_F(AppTest, NoDriverLoadedOpensTheDriverDatabaseOnOk)
{
    doc().workbench().driver.fs = 0;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel);
    app->OnCommand(cmd::CalculateResponse);
    EXPECT_EQ(app->driverBrowser(), nullptr);

    QString question;
    const ModalWatch box2 = AnswerNextMessageBox(QMessageBox::Ok, &question);
    app->OnCommand(cmd::CalculateResponse);
    EXPECT_EQ(question, "There is no driver loaded. \nWould you like to load a Driver?");
    ASSERT_NE(app->driverBrowser(), nullptr);
    EXPECT_TRUE(app->driverBrowser()->isVisible());
    EXPECT_EQ(doc().workbench().hasSpl, 0);
}

TEST_F(AppTest, PrintingWritesTheOneReportPage)
{
    QPrinter& printer = frame()->reportPrinter().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("report.pdf"));
    EXPECT_EQ(printer.fromPage(), 1);
    EXPECT_EQ(printer.toPage(), 1);
    EXPECT_EQ(
        ui::ReportPrinter::PrintPage(printer, frame()->SystemReportJob(*app->currentProject())),
        QString());
    QFile pdf(Path("report.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 1"));
}

TEST_F(AppTest, EndingWithProjectsStillOpenTearsDownCleanly)
{
    app->NewProject();
    app->ShowSplash();
    app->ShowHelp();
    app.reset();
    Settle();
}

TEST_F(AppTest, SplashIsSingleAndGoesAtAKey)
{
    app->ShowSplash();
    CSplashWnd* first = app->splash();
    ASSERT_NE(first, nullptr);
    app->OnCommand(cmd::About);
    EXPECT_EQ(app->splash(), first);
    QTest::keyClick(frame(), Qt::Key_Space);
    Settle();
    EXPECT_EQ(app->splash(), nullptr);
}

TEST_F(AppTest, HelpShowsTheManualAndEveryPageLoads)
{
    app->OnCommand(cmd::HelpTopics);
    CHelpWnd* help = app->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Conewright user manual"));
    for (const char* page : {"getting-started.md", "windows.md", "menus.md", "preferences.md",
                             "files.md", "keyboard.md", "driver-database.md", "measurements.md"}) {
        help->ShowPage(page);
        EXPECT_GT(help->browser()->toPlainText().size(), 500) << page;
    }
    // The excursion curve and its limit lines are peak values.
    help->ShowPage("windows.md");
    const QString windows = help->browser()->toPlainText();
    EXPECT_TRUE(windows.contains("peak excursion")) << windows.toStdString();
    EXPECT_TRUE(windows.contains("Linear Exc Limit"));
    // A second F1 raises the same window, and the window ends with the application.
    app->OnCommand(cmd::HelpTopics);
    EXPECT_EQ(app->helpWindow(), help);
    const QPointer<CHelpWnd> watch = help;
    Stop();
    EXPECT_TRUE(watch.isNull());
}

} // namespace
} // namespace cw::test
