#include "forms/ui/FieldBinder.h"

#include "RefusalRecorder.h"
#include "TypeText.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace cw::test
{
namespace
{

using edit::ReadOnly;

// A shown window holding the fields, since focus is what a refusal moves.
class FieldBinderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.setLayout(new QVBoxLayout);
        host.show();
    }
    template <class Field> Field* Add()
    {
        auto* field = new Field(&host);
        host.layout()->addWidget(field);
        field->show();
        return field;
    }

    QWidget host;
    ui::FieldBinder* binder = new ui::FieldBinder(&host);
    RefusalRecorder refusals;
};

TEST_F(FieldBinderTest, StoresInBindingOrderUntilARefusedFieldWhichTakesTheFocus)
{
    double qts = 0.49;
    std::int32_t drivers = 1;
    std::uint32_t tubes = 2;
    auto* qtsEdit = Add<QLineEdit>();
    auto* driversEdit = Add<QLineEdit>();
    auto* tubesEdit = Add<QLineEdit>();
    binder->Bind(qtsEdit, edit::kRealField, [&]() -> double& { return qts; });
    binder->Bind(driversEdit, edit::kIntegerField, [&]() -> std::int32_t& { return drivers; });
    binder->Bind(tubesEdit, edit::kCountField, [&]() -> std::uint32_t& { return tubes; });
    binder->Load();
    EXPECT_EQ(qtsEdit->text(), "0.49");

    qtsEdit->setText("0.5");
    driversEdit->setText("2.5");
    tubesEdit->setText("three");
    EXPECT_FALSE(binder->Store());
    EXPECT_EQ(qts, 0.5); // stored before the refused field
    EXPECT_EQ(drivers, 1);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter an integer."});
    EXPECT_EQ(host.focusWidget(), driversEdit);

    driversEdit->setText("2");
    EXPECT_FALSE(binder->Store());
    EXPECT_EQ(refusals.messages.value(1), "Please enter a positive integer.");
    EXPECT_EQ(host.focusWidget(), tubesEdit);
}

TEST_F(FieldBinderTest, MultiLineFieldsGiveBackTheModelsTextUnchanged)
{
    // CR LF line ends and a no-break space (a Windows-1252 byte of driver files).
    std::string description = "Long throw woofer.\r\nNOTE: SPL from n(0)\xC2\xA0%";
    auto* edit = Add<QPlainTextEdit>();
    binder->Bind(edit, edit::kMultiLineTextField, [&]() -> std::string& { return description; });
    binder->Load();
    EXPECT_EQ(edit->document()->blockCount(), 2);
    const std::string before = description;
    EXPECT_TRUE(binder->Store());
    EXPECT_EQ(description, before);

    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return); // Enter starts a new line
    QTest::keyClicks(edit, "x");
    EXPECT_TRUE(binder->Store());
    EXPECT_EQ(description, before + "\r\nx");
}

TEST_F(FieldBinderTest, ReadOnlyFieldsAreNeverStoredAndARefusedTextKeepsTheValue)
{
    double l1 = 0.06366, areaSqM = 0.00912;
    auto* l1Edit = Add<QLineEdit>();
    auto* area = Add<QLineEdit>();
    binder->Bind(l1Edit, ReadOnly(edit::kComponentField), [&]() -> double& { return l1; });
    binder->Bind(area, edit::kFixed5Field, [&]() -> double& { return areaSqM; });
    binder->Load();
    EXPECT_TRUE(l1Edit->isReadOnly());
    EXPECT_EQ(l1Edit->text(), "0.0637");
    EXPECT_EQ(area->text(), "0.00912");
    EXPECT_TRUE(binder->Store());
    EXPECT_EQ(l1, 0.06366); // not re-read from its four decimals

    area->setText("x");
    EXPECT_FALSE(binder->Store());
    EXPECT_EQ(areaSqM, 0.00912);
    EXPECT_EQ(host.focusWidget(), area);
}

TEST_F(FieldBinderTest, AcceptedEditsStoreEveryFieldAndRunOnWhatTheModelHolds)
{
    double frequency = 1000, impedance = 8;
    auto* frequencyEdit = Add<QLineEdit>();
    auto* impedanceEdit = Add<QLineEdit>();
    binder->Bind(frequencyEdit, edit::kRealField, [&]() -> double& { return frequency; });
    binder->Bind(impedanceEdit, edit::kRealField, [&]() -> double& { return impedance; });
    std::vector<double> calculatedWith;
    binder->OnAcceptedEdit(frequencyEdit, [&] { calculatedWith.push_back(frequency); });
    binder->Load();
    EXPECT_TRUE(calculatedWith.empty()); // the program's own writes are no edits

    frequencyEdit->clear(); // empty: still being typed
    QTest::keyClicks(frequencyEdit, "-");
    EXPECT_TRUE(calculatedWith.empty());
    frequencyEdit->setText("0");
    EXPECT_EQ(calculatedWith, std::vector<double>{0});

    // Another field's text that its rule refuses keeps its value, quietly; the page still
    // calculates.
    impedanceEdit->setText("8 ohms");
    impedanceEdit->setText("16 ohms");
    frequencyEdit->setText("3000");
    EXPECT_EQ(frequency, 3000);
    EXPECT_EQ(impedance, 8);
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(calculatedWith.back(), 3000);
}

// Typed key by key, a text is judged when the user finishes the field, never halfway.
TEST_F(FieldBinderTest, TypingIsJudgedWhenTheFieldIsFinished)
{
    double frequency = 1000, impedance = 8;
    auto* frequencyEdit = Add<QLineEdit>();
    auto* impedanceEdit = Add<QLineEdit>();
    binder->Bind(frequencyEdit, edit::kRealField, [&]() -> double& { return frequency; });
    binder->Bind(impedanceEdit, edit::kRealField, [&]() -> double& { return impedance; });
    std::vector<double> calculatedWith;
    binder->OnAcceptedEdit(frequencyEdit, [&] { calculatedWith.push_back(frequency); });
    binder->OnAcceptedEdit(impedanceEdit, [&] { calculatedWith.push_back(impedance); });
    binder->Load();
    QApplication::setActiveWindow(&host);

    // An exponent and a sign on their way are no mistakes.
    TypeText(frequencyEdit, "1e3");
    TypeText(impedanceEdit, "-4");
    QApplication::processEvents();
    EXPECT_EQ(frequencyEdit->text(), "1e3");
    EXPECT_EQ(impedanceEdit->text(), "-4");
    EXPECT_EQ(calculatedWith, (std::vector<double>{1, 1000, -4}));
    EXPECT_TRUE(refusals.messages.isEmpty());

    // A decimal comma reaches the field, marked, and is refused once at Enter.
    TypeText(frequencyEdit, "2,5");
    EXPECT_EQ(frequencyEdit->text(), "2,5");
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_TRUE(frequencyEdit->property("refused").toBool());
    EXPECT_EQ(frequencyEdit->toolTip(), "Please enter a number.");
    EXPECT_EQ(frequency, 2);
    QTest::keyClick(frequencyEdit, Qt::Key_Return);
    EXPECT_EQ(refusals.messages, QStringList{"Please enter a number."});

    // Moving on to another field judges it the same way, and the focus comes back.
    impedanceEdit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(refusals.messages.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), frequencyEdit);
    QTest::keyClick(frequencyEdit, Qt::Key_Backspace);
    QTest::keyClick(frequencyEdit, Qt::Key_Backspace);
    EXPECT_FALSE(frequencyEdit->property("refused").toBool());

    // A finished zero the guard held back is taken when the field is left.
    TypeText(frequencyEdit, "0.5");
    QTest::keyClick(frequencyEdit, Qt::Key_Backspace);
    QTest::keyClicks(frequencyEdit, "0");
    EXPECT_EQ(frequencyEdit->text(), "0.0");
    EXPECT_EQ(frequency, 0.5);
    impedanceEdit->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(frequency, 0);
    EXPECT_EQ(calculatedWith.back(), 0);
}

} // namespace
} // namespace cw::test
