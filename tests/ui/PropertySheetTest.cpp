#include "forms/ui/PropertySheet.h"

#include "RefusalRecorder.h"
#include "forms/ui/PropertyPage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <gtest/gtest.h>

namespace cw::test
{
namespace
{

// A page of two number fields that counts what the sheet asks of it.
class CountingPage : public ui::PropertyPage
{
public:
    CountingPage(const QString& caption, double& value, double& note)
        : PropertyPage(caption), edit(new QLineEdit(this)), noteEdit(new QLineEdit(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(edit);
        layout->addWidget(noteEdit);
        binder()->Bind(edit, edit::kRealField, [&value]() -> double& { return value; });
        binder()->Bind(noteEdit, edit::kRealField, [&note]() -> double& { return note; });
        ExcludeFromModifiedMark(noteEdit);
    }

    QLineEdit* edit;
    QLineEdit* noteEdit;
    int starts = 0, activations = 0, oks = 0, cancels = 0;

protected:
    void OnStart() override
    {
        ++starts;
        PropertyPage::OnStart();
    }
    void OnActivate(bool first) override
    {
        ++activations;
        PropertyPage::OnActivate(first);
    }
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
};

class PropertySheetTest : public ::testing::Test
{
protected:
    // A sheet of three pages opened on the recorded page.
    void Open(std::int32_t recorded)
    {
        index = recorded;
        for (int i = 0; i < 3; ++i) {
            pages[i] = new CountingPage(QString("Page %1").arg(i), values[i], notes[i]);
            sheet.AddPage(pages[i]);
        }
        sheet.RecordPageIndex(&index);
        sheet.show();
    }
    // Switches pages the way the user does, with a click on the tab.
    void ClickTab(int i)
    {
        QTabBar* bar = sheet.tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }

    ui::PropertySheet sheet{"Test Sheet", nullptr};
    std::array<CountingPage*, 3> pages{};
    std::array<double, 3> values{1, 2, 3};
    std::array<double, 3> notes{};
    std::int32_t index = 0;
    RefusalRecorder refusals;
};

TEST_F(PropertySheetTest, OpensOnTheRecordedPageAndRecordsEachPageShown)
{
    Open(1);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
    EXPECT_EQ(pages[1]->edit->text(), "2");
    EXPECT_FALSE(pages[0]->started()); // a page never shown is not started
    ClickTab(2);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 2);
    EXPECT_EQ(index, 2);
}

TEST_F(PropertySheetTest, ARecordedIndexPastTheLastPageOpensTheFirst)
{
    Open(7);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(index, 0);
}

TEST_F(PropertySheetTest, ARefusedFieldKeepsItsPageAndItsFocus)
{
    Open(0);
    pages[0]->edit->setText("0.5");
    pages[0]->noteEdit->setText("abc");
    // The page is asked before the switch: its message shows over it.
    QWidget* showingAtRefusal = nullptr;
    ui::FieldBinder::RefusalSink recorder;
    recorder = ui::FieldBinder::SetRefusalSink([&](QWidget* parent, const QString& message) {
        showingAtRefusal = sheet.tabs()->currentWidget();
        recorder(parent, message);
    });
    ClickTab(1);
    ui::FieldBinder::SetRefusalSink(recorder);
    EXPECT_EQ(showingAtRefusal, pages[0]);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(sheet.currentPage(), pages[0]);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_EQ(sheet.focusWidget(), pages[0]->noteEdit);
    EXPECT_FALSE(pages[1]->started());
    EXPECT_EQ(index, 0);
    EXPECT_EQ(values[0], 0.5); // stored before the refused field

    // Going there in code is asked the same way.
    sheet.tabs()->setCurrentIndex(2);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(refusals.messages.size(), 2);

    pages[0]->noteEdit->setText("4");
    ClickTab(1);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
    EXPECT_EQ(notes[0], 4);
    EXPECT_EQ(index, 1);
}

TEST_F(PropertySheetTest, OkStoresThePageShowingAndRefusesToCloseWhileAFieldBreaksItsRule)
{
    Open(0);
    for (QPushButton* b : sheet.findChildren<QPushButton*>())
        EXPECT_NE(b->text(), "Apply");
    ClickTab(1);
    pages[1]->edit->clear();
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});
    EXPECT_EQ(sheet.focusWidget(), pages[1]->edit);
    EXPECT_EQ(pages[1]->oks, 0);

    pages[1]->edit->setText("20");
    sheet.accept();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(values[1], 20);
    // Every page that was shown hears of OK, the others not.
    EXPECT_EQ(pages[0]->oks, 1);
    EXPECT_EQ(pages[1]->oks, 1);
    EXPECT_EQ(pages[2]->oks, 0);
}

TEST_F(PropertySheetTest, CancelKeepsWhatLeftPagesStoredAndDropsThePageShowing)
{
    Open(0);
    pages[0]->edit->setText("0.5");
    ClickTab(1);
    pages[1]->edit->setText("9");
    pages[1]->noteEdit->setText("not stored, never asked");
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.result(), QDialog::Rejected);
    EXPECT_EQ(values[0], 0.5);
    EXPECT_EQ(values[1], 2);
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(pages[0]->cancels, 1);
    EXPECT_EQ(pages[1]->cancels, 1);
    EXPECT_EQ(pages[2]->cancels, 0);
}

TEST_F(PropertySheetTest, APageShownAgainReloadsAndItsMarkFollowsTheUsersEdits)
{
    Open(0);
    EXPECT_FALSE(pages[0]->isModified());
    QTest::keyClicks(pages[0]->noteEdit, "5");
    EXPECT_FALSE(pages[0]->isModified()); // a field that does not mark the page
    QTest::keyClicks(pages[0]->edit, "5");
    EXPECT_TRUE(pages[0]->isModified());
    ClickTab(1);
    EXPECT_EQ(values[0], 15);
    EXPECT_FALSE(pages[0]->isModified()); // stored

    values[0] = 1.0 / 3; // a calculation while the page was not showing
    ClickTab(0);
    EXPECT_EQ(pages[0]->edit->text(), "0.333333333333333");
    EXPECT_FALSE(pages[0]->isModified()); // the program's own writes do not mark it
    EXPECT_EQ(pages[0]->starts, 1);
    EXPECT_EQ(pages[0]->activations, 2);
}

} // namespace
} // namespace cw::test
