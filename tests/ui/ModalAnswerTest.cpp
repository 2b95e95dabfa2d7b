#include "ModalAnswer.h"

#include <QMessageBox>
#include <QTest>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace cw::test
{
namespace
{

// A box shown application-modal without a nested event loop, as a test can wait beside it.
void ShowModal(QMessageBox& box)
{
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
}

TEST(ModalAnswer, AnswersTheBoxThatComesUp)
{
    QMessageBox box(QMessageBox::Warning, "Conewright", "Please enter a number.");
    QString text;
    const ModalWatch watch = AnswerModal<QMessageBox>([&text](QMessageBox& shown) {
        text = shown.text();
        shown.close();
    });
    ShowModal(box);
    QTest::qWait(50);
    EXPECT_TRUE(watch.answered());
    EXPECT_EQ(text, "Please enter a number.");
    EXPECT_FALSE(box.isVisible());
}

TEST(ModalAnswer, ABoxThatNeverComesUpFailsAtTheDeadlineAndIsNotAnsweredLater)
{
    bool answered = false;
    ::testing::TestPartResultArray failures;
    {
        const ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        ModalOptions options;
        options.deadlineMs = 30;
        const ModalWatch watch =
            AnswerModal<QMessageBox>([&answered](QMessageBox&) { answered = true; }, options);
        QTest::qWait(100);
    }
    ASSERT_EQ(failures.size(), 1);
    EXPECT_NE(std::string(failures.GetTestPartResult(0).message()).find("within 30 ms"),
              std::string::npos);

    // A watch that has ended leaves a later box alone, also one that ended at its scope's end.
    {
        ModalOptions options;
        options.required = false;
        const ModalWatch watch =
            AnswerModal<QMessageBox>([&answered](QMessageBox&) { answered = true; }, options);
    }
    QMessageBox box(QMessageBox::Warning, "Conewright", "Later");
    ShowModal(box);
    QTest::qWait(50);
    EXPECT_FALSE(answered);
    EXPECT_TRUE(box.isVisible());
    box.close();
}

} // namespace
} // namespace cw::test
