#include "AppFixture.h"
#include "TypeText.h"
#include "app/AppCommandIds.h"
#include "app/CBoxWnd.h"
#include "calculators/ui/CXoversht.h"
#include "editors/ui/BoxPanelView.h"
#include "editors/ui/CSysEdPrpSht.h"
#include "editors/ui/SystemDetailsPage.h"
#include "editors/ui/SystemSidePanel.h"
#include "model/CommandIds.h"
#include "model/UndoHistory.h"
#include "project/ProjectFile.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace cw::test
{
namespace
{

class UndoTest : public ActiveAppFixture
{
protected:
    std::string File() const { return SerializeProject(doc()); }
    // Lets the action that made a change finish, which closes its undo step.
    static void Finish()
    {
        for (int i = 0; i < 3; ++i)
            Settle();
    }
    void Key(QWidget* target, int key, Qt::KeyboardModifiers mods)
    {
        // A sheet that just closed may have taken the activation with it.
        QApplication::setActiveWindow(frame());
        QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
        Finish();
    }
    // No field has the focus, so that Ctrl+Z goes to the project (a field typed into last
    // would take it back first).
    static void OutOfFields()
    {
        if (QWidget* focus = QApplication::focusWidget())
            focus->clearFocus();
    }
    QLineEdit* PanelField(const char* symbol) const
    {
        auto* view =
            qobject_cast<ui::BoxPanelView*>(app->currentProject()->workbenchPanel()->view());
        return view ? view->field(symbol) : nullptr;
    }
    // Equal files; otherwise where they first differ, for a message of readable length.
    static ::testing::AssertionResult Same(const std::string& a, const std::string& b)
    {
        if (a == b)
            return ::testing::AssertionSuccess();
        std::size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at])
            ++at;
        const std::size_t from = at < 60 ? 0 : at - 60;
        return ::testing::AssertionFailure() << "the files differ at " << at << ":\n"
                                             << a.substr(from, 120) << "\n---\n"
                                             << b.substr(from, 120);
    }
    std::string UndoText() const { return app->QueryCommand(cmd::Undo).text; }
};

TEST_F(UndoTest, CtrlZTakesBackTheFieldsTypingFirstThenTheProjectsStep)
{
    const std::string start = File();
    QLineEdit* volume = PanelField("V(B) =");
    ASSERT_NE(volume, nullptr);
    TypeText(volume, "30");
    Finish();
    EXPECT_EQ(doc().workbench().closed2.vbCuFt, 30);
    // The keystrokes of the field are one step.
    EXPECT_EQ(doc().history().undoCount(), 1u);

    // The field has typing of its own to take back: Ctrl+Z goes there, not to the project.
    ASSERT_TRUE(volume->isUndoAvailable());
    EXPECT_EQ(UndoText(), "&Undo Typing\tCtrl+Z");
    for (int i = 0; i < 5 && volume->isUndoAvailable(); ++i)
        Key(volume, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(volume->isUndoAvailable());
    EXPECT_FALSE(doc().history().CanRedo());
    EXPECT_EQ(UndoText(), "&Undo Edit V(B)\tCtrl+Z");

    // Then the project's step: back to the project as it was, the panel showing it.
    Key(volume, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(File(), start);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(PanelField("V(B) =")->text().toStdString(), "0");
    // Out of the field, whose own redo would come first.
    volume->clearFocus();
    EXPECT_EQ(app->QueryCommand(cmd::Redo).text, "&Redo Edit V(B)\tCtrl+Y");

    // Both redo keys make it again.
    QWidget* plot = app->currentProject()->plotFrame();
    Key(plot, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().workbench().closed2.vbCuFt, 30);
    doc().Undo();
    Key(plot, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc().workbench().closed2.vbCuFt, 30);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(UndoTest, StepsOfEveryWindowAreUndoneInTurn)
{
    std::vector<std::string> files{File()};
    auto step = [&](const std::string& name, const std::function<void()>& act) {
        act();
        Finish();
        EXPECT_EQ(doc().history().UndoName(), name);
        files.push_back(File());
    };
    step("Box Type", [&] { frame()->Dispatch(cmd::Box4OVB); });
    step("Edit V(B)", [&] { TypeText(PanelField("V(B) ="), "40"); });
    step("Calculate Response", [&] { frame()->Dispatch(cmd::CalculateResponse); });
    step("Store in Sys 2", [&] { frame()->Dispatch(cmd::StoreSys1 + 1); });
    step("Crossover Calculators", [&] {
        const ModalWatch sheet = AnswerModal<CXoversht>([](CXoversht& shown) {
            TypeText(shown.crossoverPage(0)->inputs()[2], "3000");
            QTest::mouseClick(shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        frame()->Dispatch(cmd::CrossoverCalculators);
    });
    EXPECT_EQ(doc().workbench().xover1OBW.frequency, 3000);
    step("Edit System", [&] {
        const ModalWatch sheet = AnswerModal<ui::CSysEdPrpSht>([](ui::CSysEdPrpSht& shown) {
            TypeText(shown.detailsPage()->field("P(in) ="), "20");
            // The title block is edited here too.
            TypeText(shown.detailsPage()->side()->field("company"), "Garage Audio");
            QTest::mouseClick(shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        frame()->Dispatch(cmd::EditSystem);
    });
    EXPECT_EQ(doc().workbench().inputPower, 20);
    EXPECT_EQ(doc().titleBlock.company, "Garage Audio");

    // Back through every step, each to the file before it, the panel following the box type.
    for (std::size_t i = files.size() - 1; i > 0; --i) {
        OutOfFields();
        frame()->Dispatch(cmd::Undo);
        Finish();
        EXPECT_TRUE(Same(File(), files[i - 1])) << "undo to step " << i - 1;
    }
    EXPECT_EQ(app->currentProject()->workbenchPanel()->windowTitle(), "2nd Order Closed Box");
    EXPECT_FALSE(doc().IsModified());
    for (std::size_t i = 1; i < files.size(); ++i) {
        OutOfFields();
        frame()->Dispatch(cmd::Redo);
        Finish();
        EXPECT_TRUE(Same(File(), files[i])) << "redo to step " << i;
    }
    EXPECT_EQ(app->currentProject()->workbenchPanel()->windowTitle(), "4th Order Vented Box");
}

} // namespace
} // namespace cw::test
