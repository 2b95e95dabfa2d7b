#include "AppFixture.h"
#include "app/AppCommandIds.h"
#include "app/CChildFrame.h"
#include "app/ChildLayout.h"
#include "app/StatusTexts.h"
#include "editors/ui/BoxPanelView.h"
#include "editors/ui/CDrvrView.h"
#include "model/CommandIds.h"
#include "model/NumberFormat.h"
#include "plot/ui/CPlotView.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace cw::test
{
namespace
{

std::tm At(int hour, int minute)
{
    std::tm t{};
    t.tm_year = 126; // 2026
    t.tm_mon = 11;   // December
    t.tm_mday = 7;
    t.tm_wday = 1; // Monday
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

TEST(StatusTexts, TimeHasTwelveHoursTwoBlanksAndTheHalfOfDay)
{
    EXPECT_EQ(FormatStatusTime(At(14, 5)), "2:05  PM ");
    EXPECT_EQ(FormatStatusTime(At(9, 30)), "9:30  AM ");
    EXPECT_EQ(FormatStatusTime(At(0, 1)), "12:01  AM ");
    EXPECT_EQ(FormatStatusTime(At(12, 0)), "12:00  PM ");
    EXPECT_EQ(FormatStatusDate(At(9, 30)), "Mon, 7Dec26 ");
    std::tm broken = At(25, 0);
    EXPECT_FALSE(FormatStatusTime(broken));
    broken = At(9, 0);
    broken.tm_mon = 12;
    EXPECT_FALSE(FormatStatusDate(broken));
}

TEST(ChildLayout, TilesA1024By768ClientAreaWithoutOverlap)
{
    const ChildLayout l = ArrangeChildren(1024, 768, 26, 20, 13, 18);
    // P = floor(6.85 x 13) + 18 = 89 + 18; H = 768 - 20 - 26 - 4 = 718
    EXPECT_EQ(l.plot, (PixelRect{0, 0, 1020, 718 - 107}));
    EXPECT_EQ(l.driverPanel, (PixelRect{0, 611, 510, 107}));
    EXPECT_EQ(l.workbenchPanel, (PixelRect{510, 611, 510, 107}));
    // Each panel is half the width less 2 pixels; together they fill the band.
    EXPECT_EQ(l.driverPanel.width, 1024 / 2 - 2);
    EXPECT_EQ(l.driverPanel.left + l.driverPanel.width, l.workbenchPanel.left);
    EXPECT_EQ(l.plot.top + l.plot.height, l.driverPanel.top);
    // Without a tool bar the plot grows by its height.
    EXPECT_EQ(ArrangeChildren(1024, 768, 0, 20, 13, 18).plot.height, l.plot.height + 26);
}

class MainFrameTest : public ActiveAppFixture
{
protected:
    void Key(int key, Qt::KeyboardModifiers mods)
    {
        // A message box that just closed may have taken the activation with it.
        QApplication::setActiveWindow(frame());
        QTest::keyClick(frame(), static_cast<Qt::Key>(key), mods);
        QApplication::processEvents();
    }
    QAction* MenuAction(int id)
    {
        frame()->UpdateMenus();
        for (QAction* top : frame()->menuBar()->actions()) {
            if (QAction* a = Find(top->menu(), id))
                return a;
        }
        return nullptr;
    }
    static QAction* Find(QMenu* menu, int id)
    {
        if (!menu)
            return nullptr;
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                if (QAction* inner = Find(a->menu(), id))
                    return inner;
            } else if (a->data().toInt() == id) {
                return a;
            }
        }
        return nullptr;
    }
};

TEST_F(MainFrameTest, MemoryKeysStoreShowAndClear)
{
    CSpkSys& wb = doc().workbench();
    wb.hasSpl = 1;
    wb.systemName = "Stored";

    Key(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(doc().systems[3].systemName, "Stored");
    EXPECT_EQ(doc().systems[3].hasSpl, 1);

    wb.systemName = "Changed";
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(doc().systems[3].responseShown, 1);
    EXPECT_EQ(doc().workbench().systemName, "Stored"); // recalled into the workbench
    EXPECT_EQ(MenuAction(cmd::ShowSys1 + 2)->text(), "Hide System 3   Ctrl+3");
    EXPECT_TRUE(MenuAction(cmd::ShowSys1 + 2)->isChecked());

    // Cancel keeps the memory, OK clears it.
    QString question;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel, &question);
    Key(Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(question, "Permanently Delete this System from the Project?");
    EXPECT_EQ(doc().systems[3].hasSpl, 1);
    const ModalWatch box2 = AnswerNextMessageBox(QMessageBox::Ok);
    Key(Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(doc().systems[3].hasSpl, 0);
    EXPECT_FALSE(MenuAction(cmd::ClearSys1 + 2)->isEnabled());
}

TEST_F(MainFrameTest, KeysActAsTheTableNotAsTheMenuLabels)
{
    CSpkSys& wb = doc().workbench();
    const auto before = std::tuple(wb.modelEnclosure, wb.modelDiffraction, wb.modelAutoCabin);
    wb.responseShown = 1;
    doc().SetModified(false);

    Key(Qt::Key_T, Qt::ControlModifier); // a label only: nothing happens
    EXPECT_FALSE(doc().IsModified());
    Key(Qt::Key_R, Qt::ControlModifier); // Redraw, not Model Diffraction Loss
    EXPECT_EQ(std::tuple(wb.modelEnclosure, wb.modelDiffraction, wb.modelAutoCabin), before);
    Key(Qt::Key_E, Qt::ControlModifier); // Clear Display, not Model Enclosure Response
    EXPECT_EQ(std::tuple(wb.modelEnclosure, wb.modelDiffraction, wb.modelAutoCabin), before);
    EXPECT_EQ(wb.responseShown, 0);

    Key(Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(doc().display.showExcursion, 0);
    Key(Qt::Key_Semicolon, Qt::ControlModifier);
    EXPECT_EQ(doc().display.showImpedance, 1);
}

TEST_F(MainFrameTest, CtrlFCalculatesAndAsksForADriverWhenThereIsNone)
{
    // The sample box is not designed yet: a family of designs fills the memories.
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(doc().workbench().hasSpl, 1);
    EXPECT_EQ(doc().systems[1].hasSpl, 1);
    EXPECT_TRUE(MenuAction(cmd::ShowSys1)->isEnabled());

    doc().workbench().driver.fs = 0;
    QString question;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel, &question);
    Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(question.startsWith("There is no driver loaded."));
}

TEST_F(MainFrameTest, MenuStatesComeFromTheDocument)
{
    EXPECT_TRUE(MenuAction(cmd::FrequencyResponse)->isChecked());
    EXPECT_TRUE(MenuAction(cmd::Box2OCB)->isChecked());
    EXPECT_TRUE(MenuAction(cmd::PhaseResponse)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::ShowSys1)->isEnabled()); // nothing stored yet
    EXPECT_EQ(MenuAction(cmd::ShowSys1 + 9)->text(), "Show System 10 Ctrl+0");

    frame()->Dispatch(cmd::Box4OSBP);
    EXPECT_FALSE(MenuAction(cmd::PhaseResponse)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::PhaseResponse)->isChecked());
    EXPECT_TRUE(MenuAction(cmd::Box4OSBP)->isChecked());
    EXPECT_EQ(app->currentProject()->workbenchPanel()->windowTitle(),
              "4th Order Symmetric Bandpass Box");

    // The System Editor opens whenever there is a project; the recent list starts empty.
    EXPECT_TRUE(MenuAction(cmd::EditSystem)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::RecentFile1)->isEnabled());
    EXPECT_TRUE(MenuAction(cmd::ViewToolbar)->isChecked());

    // Without a project only the application's own commands stay.
    doc().SetModified(false);
    app->CloseProject(*app->currentProject());
    Settle();
    EXPECT_EQ(app->currentProject(), nullptr);
    EXPECT_TRUE(MenuAction(cmd::FileNew)->isEnabled());
    EXPECT_TRUE(MenuAction(cmd::PrintSetup)->isEnabled());
    EXPECT_TRUE(MenuAction(cmd::About)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::Preferences)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::EditSystem)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::OpenDriver)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::FrequencyResponse)->isEnabled());
}

TEST_F(MainFrameTest, ToolBarHasTheButtonsInOrderWithTipsAndStates)
{
    const QList<QAction*> actions = frame()->toolBar()->actions();
    ASSERT_EQ(actions.size(), 32); // 27 buttons, 5 separators
    QStringList layout;
    for (QAction* a : actions)
        layout << (a->isSeparator() ? "|" : QString::number(a->data().toInt()));
    EXPECT_EQ(layout.join(' '), "32973 32976 32975 | 32774 | 32780 32789 | 33103 32783 32786 32784 "
                                "32785 32787 | 32966 32793 32794 32795 32796 32797 32798 "
                                "32799 32800 32801 32802 32990 | 32834 32964 32963");
    EXPECT_EQ(actions[0]->toolTip(), "Model Enclosure Response");
    EXPECT_TRUE(actions[0]->isChecked()); // modelEnclosure starts on
    EXPECT_TRUE(actions[4]->isEnabled()); // the driver database, also without a project
    EXPECT_EQ(actions[4]->toolTip(), "Driver Database");
    for (QAction* a : actions)
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull());
}

TEST_F(MainFrameTest, StatusBarHasSixPanesAndTheClockFormats)
{
    ASSERT_EQ(frame()->indicatorPanes().size(), 5u);
    frame()->SetClock([] { return std::optional<std::tm>(At(14, 5)); });
    EXPECT_EQ(frame()->timePane()->text(), "2:05  PM ");
    EXPECT_EQ(frame()->datePane()->text(), "Mon, 7Dec26 ");
    frame()->SetClock([] { return std::optional<std::tm>(At(9, 30)); });
    EXPECT_EQ(frame()->timePane()->text(), "9:30  AM ");

    // A clock outside the representable range: one message, the panes keep their texts.
    QString message;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Ok, &message);
    frame()->SetClock([] { return std::optional<std::tm>(); });
    EXPECT_EQ(message, "Please set your computer's clock.");
    EXPECT_EQ(frame()->timePane()->text(), "9:30  AM ");
}

TEST_F(MainFrameTest, ProjectWindowsTileTheClientArea)
{
    ProjectWindows* p = app->currentProject();
    // Make the area between tool bar and status bar 1024 x 768 exactly.
    const QSize now = frame()->mdiArea()->viewport()->size();
    frame()->resize(frame()->size() + QSize(1024, 768) - now);
    QApplication::processEvents();
    const QSize area = frame()->mdiArea()->viewport()->size();
    ASSERT_EQ(area, QSize(1024, 768));
    EXPECT_EQ(p->plotFrame()->width(), 1020);
    EXPECT_EQ(p->driverPanel()->width(), 510);
    EXPECT_EQ(p->workbenchPanel()->geometry().left(), 510);
    const QRect plot = p->plotFrame()->geometry();
    const QRect driver = p->driverPanel()->geometry();
    const QRect box = p->workbenchPanel()->geometry();
    EXPECT_EQ(plot.topLeft(), QPoint(0, 0));
    EXPECT_EQ(plot.width(), area.width() - 4);
    EXPECT_EQ(driver.top(), plot.bottom() + 1);
    EXPECT_EQ(box.left(), driver.right() + 1);
    EXPECT_EQ(driver.width(), (area.width() - 4) / 2);
    EXPECT_EQ(driver.bottom(), area.height() - 4 - 1);
    EXPECT_FALSE(plot.intersects(driver) || plot.intersects(box) || driver.intersects(box));

    // Hiding the tool bar lets the plot grow by its height.
    const int toolbarHeight = frame()->toolBar()->height();
    frame()->Dispatch(cmd::ViewToolbar);
    QApplication::processEvents();
    EXPECT_EQ(p->plotFrame()->height(), plot.height() + toolbarHeight);

    // Minimising the plot hides the panels; restoring brings them back in place.
    p->plotFrame()->showMinimized();
    EXPECT_FALSE(p->driverPanel()->isVisible());
    p->plotFrame()->showNormal();
    EXPECT_TRUE(p->driverPanel()->isVisible());
    EXPECT_EQ(p->driverPanel()->geometry().top(), p->plotFrame()->geometry().bottom() + 1);
}

TEST_F(MainFrameTest, SeveralProjectsAndActivation)
{
    ProjectWindows* first = app->currentProject();
    Key(Qt::Key_N, Qt::ControlModifier);
    ProjectWindows* second = app->currentProject();
    ASSERT_NE(first, second);
    EXPECT_EQ(app->projects().size(), 2u);
    frame()->mdiArea()->setActiveSubWindow(first->driverPanel());
    EXPECT_EQ(app->currentProject(), first);
    EXPECT_EQ(frame()->mdiArea()->subWindowList().size(), 6);
}

// After a family, a recall or a driver file the panels show what the workbench holds, as the
// report prints it.
TEST_F(MainFrameTest, PanelsShowTheWorkbenchAfterCalculateRecallAndOpenDriver)
{
    ProjectWindows* p = app->currentProject();
    ui::BoxPanelView* box = p->workbenchPanel()->view();
    ui::CDrvrView* driver = p->driverPanel()->view();
    Key(Qt::Key_F, Qt::ControlModifier); // a family: the base design ends in the workbench
    const CSpkSys& wb = doc().workbench();
    ASSERT_GT(wb.closed2.vbLiters, 0);
    EXPECT_EQ(box->field("V(B) =")->text().toStdString(), FormatNumber(wb.closed2.vbCuFt));
    EXPECT_EQ(box->field("Q(tc) =")->text(), "0.5");
    EXPECT_EQ(box->field("F(sc) =")->text().toStdString(), FormatNumber(wb.closed2.fc));
    EXPECT_EQ(driver->inputPowerField()->text(), "75");

    // The members are shown: the first Ctrl+3 hides Sys 3, the second recalls it.
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(box->field("Q(tc) =")->text().toStdString(), FormatNumber(wb.closed2.qtc));
    Key(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(box->field("Q(tc) =")->text(), "0.6");

    ASSERT_TRUE(doc().SaveDriver(dir.filePath("d.dvr").toStdString()));
    doc().workbench().driver.fs = 30;
    doc().OpenDriver(dir.filePath("d.dvr").toStdString());
    EXPECT_EQ(driver->shownField(0)->text(), "41");
}

// Hiding a memory takes its curves off the plot at the next paint, as Redraw would.
TEST_F(MainFrameTest, HidingAMemoryTakesItsCurvesOffThePlot)
{
    ProjectWindows* p = app->currentProject();
    QLineEdit* vb = p->workbenchPanel()->view()->field("V(B) =");
    CPlotView* plot = p->plotFrame()->view();
    auto designAndStore = [&](const char* volume, Qt::Key memory) {
        vb->selectAll();
        QTest::keyClicks(vb, volume);
        Key(Qt::Key_F, Qt::ControlModifier);
        Key(memory, Qt::AltModifier);
    };
    designAndStore("2", Qt::Key_1);
    designAndStore("0.5", Qt::Key_2);
    Key(Qt::Key_2, Qt::ControlModifier); // hide Sys 2
    QApplication::processEvents();
    plot->PrepareDrawing(); // what the next paint shows
    const QImage afterHide = plot->image().copy();
    Key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(doc().workbench().closed2.vbCuFt, 2);
    EXPECT_TRUE(afterHide == plot->image()) << "the hidden 0.5 cu ft curve is still drawn";
}

TEST_F(MainFrameTest, TheWindowMenuListsAndCyclesTheProjects)
{
    ProjectWindows* first = app->currentProject();
    Key(Qt::Key_N, Qt::ControlModifier);
    ProjectWindows* second = app->currentProject();
    EXPECT_EQ(first->doc().title(), "Untitled Speaker Project");
    EXPECT_EQ(second->doc().title(), "Untitled Speaker Project 2");

    QAction* one = MenuAction(cmd::ProjectList1);
    QAction* two = MenuAction(cmd::ProjectList1 + 1);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(one->text(), "&1 Untitled Speaker Project");
    EXPECT_EQ(two->text(), "&2 Untitled Speaker Project 2");
    EXPECT_TRUE(two->isChecked());
    EXPECT_FALSE(one->isChecked());
    EXPECT_TRUE(one->isVisible());
    EXPECT_FALSE(MenuAction(cmd::ProjectList1 + 2)->isVisible());
    one->trigger();
    EXPECT_EQ(app->currentProject(), first);

    Key(Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(app->currentProject(), second);
    Key(Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(app->currentProject(), first);
    Key(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(app->currentProject(), second);

    // A minimised project's icon stays clear of the other project's panels.
    first->plotFrame()->showMinimized();
    Key(Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    frame()->mdiArea()->setActiveSubWindow(second->plotFrame());
    QApplication::processEvents();
    const QRect icon = first->plotFrame()->geometry();
    EXPECT_FALSE(icon.intersects(second->driverPanel()->geometry()));
    EXPECT_FALSE(icon.intersects(second->workbenchPanel()->geometry()));
    EXPECT_EQ(icon.bottom() + 1, second->driverPanel()->geometry().top());
    // Chosen from the menu, it comes back as it was.
    MenuAction(cmd::ProjectList1)->trigger();
    EXPECT_FALSE(first->plotFrame()->isMinimized());
    EXPECT_EQ(app->currentProject(), first);

    // A third project takes the first free number.
    first->doc().SetModified(false);
    app->CloseProject(*first);
    Settle();
    app->NewProject();
    EXPECT_EQ(doc().title(), "Untitled Speaker Project");
}

// Replacing the workbench panel of the project in front keeps that project's windows in front,
// never a mix of two projects' windows.
TEST_F(MainFrameTest, ANewBoxTypeKeepsTheProjectInFront)
{
    ProjectWindows* first = app->currentProject();
    Key(Qt::Key_N, Qt::ControlModifier);
    ProjectWindows* second = app->currentProject();
    frame()->mdiArea()->setActiveSubWindow(second->workbenchPanel());
    frame()->Dispatch(cmd::Box5OABP);
    Settle();
    EXPECT_EQ(app->currentProject(), second);
    EXPECT_EQ(second->workbenchPanel()->windowTitle(), "5th Order Asymmetric Bandpass Box");
    EXPECT_EQ(first->doc().workbench().boxTypeName, "2nd Order Closed Box");
    const QList<QMdiSubWindow*> stack = frame()->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_GE(stack.size(), 3);
    for (QMdiSubWindow* w : stack.mid(stack.size() - 3))
        EXPECT_EQ(&static_cast<CChildFrame*>(w)->project(), second)
            << w->windowTitle().toStdString();
}

TEST_F(MainFrameTest, TheFileMenuShowsOnlyRealRecentFiles)
{
    // None yet: one disabled line says where they will be.
    EXPECT_TRUE(MenuAction(cmd::RecentFile1)->isVisible());
    EXPECT_FALSE(MenuAction(cmd::RecentFile1)->isEnabled());
    EXPECT_FALSE(MenuAction(cmd::RecentFile1 + 1)->isVisible());

    ASSERT_TRUE(doc().SaveProject(dir.filePath("x.spk").toStdString()));
    app->CloseProject(*app->currentProject());
    Settle();
    ASSERT_NE(app->OpenProject(dir.filePath("x.spk")), nullptr);
    QAction* recent = MenuAction(cmd::RecentFile1);
    EXPECT_TRUE(recent->isEnabled());
    EXPECT_EQ(recent->text(), "&1 x.spk");
    for (int k = 1; k < cmd::RecentFileCount; ++k)
        EXPECT_FALSE(MenuAction(cmd::RecentFile1 + k)->isVisible()) << k;
}

TEST_F(MainFrameTest, MinimumSizeIs640By480)
{
    frame()->resize(100, 100);
    EXPECT_GE(frame()->width(), 640);
    EXPECT_GE(frame()->height(), 480);
}

} // namespace
} // namespace cw::test
