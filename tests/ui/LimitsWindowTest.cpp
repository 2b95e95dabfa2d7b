#include "AppFixture.h"
#include "RefusalRecorder.h"
#include "app/AppCommandIds.h"
#include "app/CLimitsWnd.h"
#include "app/CPrefsSht.h"
#include "model/CommandIds.h"
#include "plot/ui/CLimitsView.h"
#include "support/SampleDesigns.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>

namespace cw::test
{
namespace
{

class LimitsWindowTest : public AppFixture
{
protected:
    ProjectWindows& project() const { return *app->currentProject(); }
    CLimitsView* OpenLimits()
    {
        frame()->Dispatch(cmd::ShowLimits);
        Settle();
        return project().limitsFrame() ? project().limitsFrame()->view() : nullptr;
    }
    int ShownCount() const
    {
        int n = 0;
        for (const CSpkSys& s : doc().systems)
            n += s.responseShown == 1;
        return n;
    }
    QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(LimitsWindowTest, ShowLimitsOpensOneWindowThatFollowsTheDisplay)
{
    EXPECT_FALSE(app->QueryCommand(cmd::ShowLimits).checked);
    CLimitsView* view = OpenLimits();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame()->mdiArea()->activeSubWindow(), project().limitsFrame());
    EXPECT_TRUE(app->QueryCommand(cmd::ShowLimits).checked);
    EXPECT_EQ(OpenLimits(), view); // the same window, brought to the front

    // A family of designs fills and shows the memories: the window shows every one of them.
    ASSERT_TRUE(doc().CalculateResponse());
    const int shown = ShownCount();
    ASSERT_GT(shown, 1);
    EXPECT_EQ(static_cast<int>(view->painter().shown().size()), shown);
    // Hiding a memory takes it away.
    frame()->Dispatch(cmd::ShowSys1);
    EXPECT_EQ(static_cast<int>(view->painter().shown().size()), ShownCount());
    EXPECT_EQ(ShownCount(), shown - 1);

    // Closed boxes have no vent to scale; a vented workbench has.
    EXPECT_EQ(view->painter().scales().velocitySpan, 0);
    test::DesignVented40Litres(doc().workbench());
    frame()->Dispatch(cmd::CalculateResponse);
    EXPECT_EQ(view->painter().scales().velocitySpan, 30);

    // A preference changed on the sheet: the velocity scale makes room for the new limit.
    const ModalWatch prefs = AnswerModal<CPrefsSht>([](CPrefsSht& sheet) {
        sheet.preferencesPage()->velocityLimit()->setCurrentText("25");
        sheet.accept();
    });
    app->OnCommand(cmd::Preferences);
    EXPECT_EQ(app->settings().ventVelocityLimit, 25);
    EXPECT_EQ(view->painter().scales().velocitySpan, 45);

    // The window closes on its own and leaves its project open.
    project().limitsFrame()->close();
    Settle();
    EXPECT_EQ(project().limitsFrame(), nullptr);
    EXPECT_FALSE(app->QueryCommand(cmd::ShowLimits).checked);
    EXPECT_EQ(app->projects().size(), 1u);
}

TEST_F(LimitsWindowTest, ExportsPngSvgAndTheReportAsPdf)
{
    ASSERT_TRUE(doc().CalculateResponse());
    CLimitsView* view = OpenLimits();
    ASSERT_NE(view, nullptr);
    view->resize(600, 400);
    const std::pair<const char*, QByteArray> kinds[] = {
        {"limits.png", "\x89PNG"}, {"limits.svg", "<?xml"}, {"limits.pdf", "%PDF"}};
    for (const auto& [name, start] : kinds) {
        const QString path = dir.filePath(name);
        EXPECT_EQ(view->ExportTo(path), QString()) << name;
        EXPECT_TRUE(Read(path).startsWith(start)) << name;
    }
    const QString text = dir.filePath("limits.txt");
    EXPECT_TRUE(view->ExportTo(text).contains(".png, .svg or .pdf"));
    EXPECT_FALSE(QFile::exists(text));
}

TEST_F(LimitsWindowTest, TheVelocityLimitIsTypedOrChosenAndRefusedWhenNotPositive)
{
    RefusalRecorder refusals;
    CPrefsSht sheet(*app, frame());
    sheet.show();
    QComboBox* limit = sheet.preferencesPage()->velocityLimit();
    EXPECT_EQ(limit->currentText(), "17");
    for (const char* bad : {"-3", "0", "fast", "400"}) {
        limit->lineEdit()->setText(bad);
        sheet.accept();
        ASSERT_EQ(refusals.messages.size(), 1) << bad;
        EXPECT_TRUE(refusals.messages[0].startsWith("Please enter the vent air velocity limit"));
        EXPECT_EQ(app->settings().ventVelocityLimit, 17) << bad;
        EXPECT_TRUE(sheet.isVisible()); // the sheet stays open on the field
        refusals.messages.clear();
    }
    limit->setCurrentIndex(limit->findText("12"));
    sheet.accept();
    EXPECT_TRUE(refusals.messages.isEmpty());
    EXPECT_EQ(app->settings().ventVelocityLimit, 12);

    CPrefsSht again(*app, frame());
    again.show();
    again.preferencesPage()->velocityLimit()->lineEdit()->setText("22.5");
    again.accept();
    EXPECT_EQ(app->settings().ventVelocityLimit, 22.5);
}

} // namespace
} // namespace cw::test
