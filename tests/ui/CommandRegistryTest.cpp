#include "app/CommandRegistry.h"

#include "AppFixture.h"
#include "app/AppCommandIds.h"
#include "model/CommandIds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <set>

namespace cw::test
{
namespace
{

const CommandRegistry& Registry()
{
    return CommandRegistry::Instance();
}

TEST(CommandRegistry, KeysAreTheAcceleratorTableAndEachParses)
{
    std::set<int> ids;
    std::set<std::string> keys;
    QStringList table;
    for (const Command& c : Registry().commands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "id twice: " << c.id;
        for (const std::string& k : c.keys) {
            EXPECT_TRUE(keys.insert(k).second) << "key twice: " << k;
            // A misspelt key would parse to nothing, or to another key, and never fire.
            const QKeySequence parsed(QString::fromStdString(k), QKeySequence::PortableText);
            EXPECT_EQ(parsed.count(), 1) << k;
            EXPECT_EQ(parsed.toString(QKeySequence::PortableText).toStdString(), k);
            EXPECT_EQ(Registry().FindByKey(k), &c);
            table << QString("%1=%2").arg(QString::fromStdString(k)).arg(c.id);
        }
    }
    table.sort();
    EXPECT_EQ(table.join(' '),
              "Alt+0=32812 Alt+1=32803 Alt+2=32804 Alt+3=32805 Alt+4=32806 Alt+5=32807 "
              "Alt+6=32808 Alt+7=32809 Alt+8=32810 Alt+9=32811 Alt+Backspace=57643 "
              "Ctrl+0=32802 Ctrl+1=32793 Ctrl+2=32794 Ctrl+3=32795 Ctrl+4=32796 Ctrl+5=32797 "
              "Ctrl+6=32798 Ctrl+7=32799 Ctrl+8=32800 Ctrl+9=32801 Ctrl+;=32787 Ctrl+A=32780 "
              "Ctrl+B=32964 Ctrl+C=57634 Ctrl+D=32774 Ctrl+E=32790 Ctrl+F6=61504 Ctrl+F=32781 "
              "Ctrl+G=32782 Ctrl+H=32783 Ctrl+Ins=57634 Ctrl+J=32786 Ctrl+K=32784 Ctrl+L=32785 "
              "Ctrl+N=57600 Ctrl+O=57601 Ctrl+P=57607 Ctrl+Q=57665 Ctrl+R=32791 Ctrl+S=57603 "
              "Ctrl+Shift+F6=61520 Ctrl+Shift+L=33103 Ctrl+Shift+Z=57644 Ctrl+V=57637 "
              "Ctrl+W=32778 Ctrl+X=57635 Ctrl+Y=57644 Ctrl+Z=57643 F1=57670 F6=57680 Shift+0=32911 "
              "Shift+1=32902 Shift+2=32903 Shift+3=32904 Shift+4=32905 Shift+5=32906 "
              "Shift+6=32907 Shift+7=32908 Shift+8=32909 Shift+9=32910 Shift+Del=57635 "
              "Shift+F1=57669 Shift+F6=57681 Shift+Ins=57637");
    EXPECT_EQ(Registry().FindByKey("Ctrl+T"), nullptr); // a menu label only
}

TEST(CommandRegistry, TheDocumentAnswersExactlyTheCommandsItOwns)
{
    CSpkSysDoc doc;
    for (const Command& c : Registry().commands()) {
        EXPECT_EQ(doc.QueryCommand(c.id).has_value(), c.owner == CommandOwner::Document)
            << c.id << " " << c.menuText;
    }
}

// A menu as one line: entries between bars, "-" for a separator, a popup's entries in braces.
QString Outline(QMenu* menu)
{
    QStringList entries;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            entries << "-";
        else if (a->menu())
            entries << a->text() + "{" + Outline(a->menu()) + "}";
        else
            entries << a->text();
    }
    return entries.join('|');
}

class CommandKeysTest : public ActiveAppFixture
{
protected:
    // Sends a key as the user would, to the widget that has the focus.
    void Press(QWidget* widget, const std::string& key)
    {
        QApplication::setActiveWindow(frame());
        widget->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), widget) << key;
        QTest::keySequence(widget, QKeySequence(QString::fromStdString(key)));
        QApplication::processEvents();
    }
    QLineEdit* FirstField(QWidget* panel) const { return panel->findChild<QLineEdit*>(); }
};

TEST_F(CommandKeysTest, MenusAndToolBarComeOutAsTheTablesSay)
{
    QStringList menus;
    for (QAction* top : frame()->menuBar()->actions())
        menus << top->text() + ": " + Outline(top->menu());
    const QStringList expected = {
        "&File: &New\tCtrl+N|&Open\tCtrl+O|-|&Save\tCtrl+S|Save &As...|-|Open &Driver "
        "Database...\tCtrl+D|Open D&river...|Save Dr&iver...|-|Import &Measured "
        "Curve...|Measured C&urves...|-|Print Pre&view|P&rint "
        "Setup...|&Print...\tCtrl+P|-|Close &Window\tCtrl+W|-|Recent File|Recent File|Recent "
        "File|Recent File|-|E&xit\tCtrl+Q",
        "&Edit: &Undo\tCtrl+Z|&Redo\tCtrl+Y|-|Cu&t\tCtrl+X|&Copy\tCtrl+C|&Paste\tCtrl+V|-|Edit "
        "&System\tCtrl+A|-|Preferences",
        "&Analysis: Calculate &Response	Ctrl+F|Clear && &Calculate Response	Ctrl+G|Show "
        "&Limits	Ctrl+Shift+L|Fi&t Driver from Impedance...|-|Model "
        "&Enclosure Response\tCtrl+E|Model &Diffraction Loss\tCtrl+R|Model &Auto Cabin "
        "Response\tCtrl+T|-|&Frequency Response\tCtrl+H|E&xcursion Response\tCtrl+J|&Phase "
        "Response\tCtrl+K|&Group Delay Response\tCtrl+L|&Impedance Response\tCtrl+;|-|dB &SPL "
        "Mode|-|dB per division ={0.5 dB|1 dB|2 dB|3 dB|5 dB}|Excursion Range ={1.5 mm|3 "
        "mm|7.5 mm|15 mm|30 mm|75 mm}|Phase Range ={     0 to 450 degrees|-180 to 495 "
        "degrees}|Delay Range ={1.5 msec|3 msec|7.5 msec|15 msec|30 msec|75 msec}|Impedance "
        "Range ={15 Ohms|30 Ohms|75 Ohms|150 Ohms|300 Ohms}",
        "&Display: &Clear Display\tCtrl+E|&Redraw\tCtrl+R|-|Store System{Store workbench in "
        "Sys 1\t Alt+1|Store workbench in Sys 2\t Alt+2|Store workbench in Sys 3\t Alt+3|Store "
        "workbench in Sys 4\t Alt+4|Store workbench in Sys 5\t Alt+5|Store workbench in Sys "
        "6\t Alt+6|Store workbench in Sys 7\t Alt+7|Store workbench in Sys 8\t Alt+8|Store "
        "workbench in Sys 9\t Alt+9|Store workbench in Sys 10\t Alt+0}|Show/Hide Systems{Show "
        "Workbench\t Ctrl+B|Show System 1\t Ctrl+1|Show System 2\t Ctrl+2|Show System 3\t "
        "Ctrl+3|Show System 4\t Ctrl+4|Show System 5\t Ctrl+5|Show System 6\t Ctrl+6|Show "
        "System 7\t Ctrl+7|Show System 8\t Ctrl+8|Show System 9\t Ctrl+9|Show System 10\t "
        "Ctrl+0}|Clear System{Clear System 1\t Shift+1|Clear System 2\t Shift+2|Clear System "
        "3\t Shift+3|Clear System 4\t Shift+4|Clear System 5\t Shift+5|Clear System 6\t "
        "Shift+6|Clear System 7\t Shift+7|Clear System 8\t Shift+8|Clear System 9\t "
        "Shift+9|Clear System 10\t Shift+0}|-|C&ompare Systems...|-|High Freq Limit{100 kHz|50 "
        "kHz|20 kHz|10 kHz|5 "
        "kHz|2 kHz|1 kHz|500 Hz|200 Hz|100 Hz|50 Hz|20 Hz|10 Hz}|Low Freq Limit{10 kHz|5 "
        "kHz|2 kHz|1 kHz|500 Hz|200 Hz|100 Hz|50 Hz|20 Hz|10 Hz|5 Hz|2 Hz|1 "
        "Hz}|-|&Toolbar|&Status Bar",
        "&Vent: &Vent Calculators...",
        "&Box: 2nd Order Closed Box|3rd Order Closed Box|4th Order Vented Box|4th Order "
        "Symmetric Bandpass Box|5th Order Asymmetric Bandpass Box|6th Order Symmetric Bandpass "
        "Box|Passive Radiator Box|-|Box Calculators...\tCtrl+B",
        "&Crossover: Crossover Calculators...",
        "&Window: &Arrange Icons|-|&1|&2|&3|&4|&5|&6|&7|&8|&9",
        "&Help: &Help Topics|-|&About Conewright",
    };
    ASSERT_EQ(menus.size(), expected.size());
    for (qsizetype i = 0; i < menus.size(); ++i)
        EXPECT_EQ(menus[i].toStdString(), expected[i].toStdString());

    // Prompts of the generated entries follow their memory; tool tips come after the line feed.
    QStringList tips;
    for (QAction* a : frame()->toolBar()->actions()) {
        if (!a->isSeparator())
            tips << a->toolTip();
    }
    EXPECT_EQ(tips.join('|').toStdString(),
              "Model Enclosure Response|Model Diffraction Loss|Model Auto Cabin Response|Driver "
              "Database|Open system editor|dB SPL Mode|Show Limits|Frequency Response|Excursion "
              "Response|Phase "
              "Response|Group Delay Response|Impedance Response|Show or hide the workbench "
              "system responses|Recall system 1 to the workbench|Recall system 2 to the "
              "workbench|Recall system 3 to the workbench|Recall system 4 to the "
              "workbench|Recall system 5 to the workbench|Recall system 6 to the "
              "workbench|Recall system 7 to the workbench|Recall system 8 to the "
              "workbench|Recall system 9 to the workbench|Recall system 10 to the "
              "workbench|Compare Systems|Vent Calculators|Box Calculators|Crossover Calculators");
    EXPECT_EQ(Registry().Find(cmd::StoreSys1 + 9)->status,
              "Store this speaker system and it's response curves in Memory 10");
    EXPECT_EQ(Registry().Find(cmd::ClearSys1)->status,
              "Clear the contents of system 1 (reduces file size)  ");
    EXPECT_EQ(Registry().Find(cmd::ShowSys1 + 9)->status,
              "Recall the speaker system and response curves from Memory 10");
}

TEST_F(CommandKeysTest, EveryAcceleratorRunsItsCommandWhereverTheFocusIs)
{
    // Record the commands instead of running them: Exit, New, Print and the questions would
    // take the test elsewhere.
    std::vector<int> ran;
    for (QAction* a : frame()->actions()) {
        QObject::disconnect(a, nullptr, frame(), nullptr);
        QObject::connect(a, &QAction::triggered, [&ran, a] { ran.push_back(a->data().toInt()); });
    }
    ProjectWindows* p = app->currentProject();
    const std::pair<const char*, QWidget*> places[] = {
        {"plot", p->plotFrame()->widget()},
        {"driver panel", p->driverPanel()->widget()},
        {"box panel", p->workbenchPanel()->widget()},
        {"driver panel field", FirstField(p->driverPanel())},
        {"box panel field", FirstField(p->workbenchPanel())},
    };
    for (auto [where, widget] : places) {
        ASSERT_NE(widget, nullptr) << where;
        for (const Command& c : Registry().commands()) {
            for (const std::string& key : c.keys) {
                ran.clear();
                Press(widget, key);
                EXPECT_EQ(ran, std::vector<int>{c.id}) << key << " in the " << where;
            }
        }
    }
}

TEST_F(CommandKeysTest, CtrlWClosesTheProjectWhileThePlotHasTheFocus)
{
    Press(app->currentProject()->plotFrame()->widget(), "Ctrl+W");
    Settle();
    EXPECT_TRUE(app->projects().empty());
}

TEST_F(CommandKeysTest, AFieldLeavesTheAcceleratorsToTheMainWindow)
{
    doc().systems[3].hasSpl = 1;
    QLineEdit* field = FirstField(app->currentProject()->workbenchPanel());
    ASSERT_NE(field, nullptr);

    QString question;
    const ModalWatch box = AnswerNextMessageBox(QMessageBox::Cancel, &question);
    Press(field, "Shift+3");
    EXPECT_EQ(question, "Permanently Delete this System from the Project?");

    // The clipboard keys still act on the field, through the Edit commands.
    field->setText("2.5");
    field->selectAll();
    Press(field, "Ctrl+C");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2.5");

    // A key that is no accelerator still reaches the field.
    field->setText(QString());
    Press(field, "7");
    EXPECT_EQ(field->text(), "7");
}

} // namespace
} // namespace cw::test
