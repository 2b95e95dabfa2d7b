#include "model/CSpkSysDoc.h"

#include "model/CommandIds.h"
#include "support/RecordingWindows.h"

#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

class DocTest : public ::testing::Test
{
protected:
    void SetUp() override { doc->SetWindows(&windows); }

    // Gives system n a calculated SPL curve and a name, as a stored calculation would.
    void GiveCurve(int n, const std::string& name, const std::string& boxType)
    {
        CSpkSys& s = doc->systems[n];
        s.systemName = name;
        s.boxTypeName = boxType;
        s.hasSpl = 1;
        s.pointCount = 3;
    }
    std::string Text(int id) const { return doc->QueryCommand(id)->text; }
    bool Enabled(int id) const { return doc->QueryCommand(id)->enabled; }
    bool Checked(int id) const { return doc->QueryCommand(id)->checked; }

    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    test::RecordingWindows windows;
};

TEST_F(DocTest, NewDocumentHoldsTheSampleProject)
{
    EXPECT_EQ(doc->systems.size(), 11u);
    EXPECT_EQ(doc->workbench().systemName, "High Output Woofer Project");
    EXPECT_EQ(doc->workbench().boxTypeName, "2nd Order Closed Box");
    EXPECT_EQ(doc->workbench().driver, SampleDriver());
    EXPECT_EQ(doc->systems[5].driver, DriverParams{});
    EXPECT_EQ(doc->plot.lowFreqLimit, 20);
    EXPECT_EQ(doc->plot.highFreqLimit, 2000);
    EXPECT_EQ(doc->plot.dbSpan, 30);
    EXPECT_EQ(doc->display.showSpl, 1);
    EXPECT_EQ(doc->display.showExcursion, 1);
    EXPECT_EQ(doc->display.showPhase, 0);
    EXPECT_EQ(doc->titleBlock.designerTitle, "Speaker Designer");
    EXPECT_EQ(doc->titleBlock.address3, "USA");
    EXPECT_EQ(doc->boxLocks.rectVb, 1);
    EXPECT_EQ(doc->boxLocks.trapAngle, 0);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocTest, StoreOverwritesWithoutAskingAndTakesResponseShown)
{
    doc->workbench().systemName = "First";
    EXPECT_TRUE(doc->OnCommand(cmd::StoreSys1 + 2));
    doc->workbench().systemName = "Second";
    doc->workbench().responseShown = 1;
    doc->OnCommand(cmd::StoreSys1 + 2);
    EXPECT_EQ(doc->systems[3].systemName, "Second");
    EXPECT_EQ(doc->systems[3].responseShown, 1);
    EXPECT_EQ(windows.Count("ask"), 0);
    EXPECT_EQ(doc->shownHistory[0], 3);
    EXPECT_EQ(doc->shownHistory[1], 3);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocTest, ShowTwoSystemsThenHideTheSecond)
{
    GiveCurve(1, "Sys one", "2nd Order Closed Box");
    GiveCurve(2, "Sys two", "2nd Order Closed Box");

    doc->OnCommand(cmd::ShowSys1);
    doc->OnCommand(cmd::ShowSys1 + 1);
    EXPECT_EQ(doc->workbench().systemName, "Sys two");
    doc->OnCommand(cmd::ShowSys1 + 1); // hide

    EXPECT_EQ(doc->workbench().systemName, "Sys one");
    EXPECT_EQ(doc->systems[1].responseShown, 1);
    EXPECT_EQ(doc->systems[2].responseShown, 0);
    EXPECT_EQ(doc->shownHistory[0], 1);
    EXPECT_EQ(windows.drawnSystems, (std::vector<int>{1, 2, 1}));
    // The workbench keeps its own responseShown through every recall.
    EXPECT_EQ(doc->workbench().responseShown, 0);
}

// Hiding draws the system shown before at once, on a plot prepared while the workbench still
// held the hidden curves: the plot must be drawn anew after that, and after a recall into a
// shown workbench.
TEST_F(DocTest, ShowAndHideLeaveThePlotToBeDrawnAnew)
{
    GiveCurve(1, "Sys one", "2nd Order Closed Box");
    GiveCurve(2, "Sys two", "2nd Order Closed Box");
    doc->workbench().hasSpl = 1;
    doc->OnCommand(cmd::ShowWorkbench);
    doc->OnCommand(cmd::ShowSys1);
    doc->OnCommand(cmd::ShowSys1 + 1);
    const auto lastPlotCall = [this] {
        for (auto c = windows.calls.rbegin(); c != windows.calls.rend(); ++c) {
            if (*c == "invalidate" || *c == "prepare" || c->starts_with("draw"))
                return *c;
        }
        return std::string();
    };
    EXPECT_EQ(lastPlotCall(), "invalidate") << "the recall replaced the workbench's curves";

    windows.calls.clear();
    doc->OnCommand(cmd::ShowSys1 + 1); // hide: Sys 1 is recalled and drawn again
    EXPECT_EQ(windows.drawnSystems.back(), 1);
    EXPECT_EQ(lastPlotCall(), "invalidate");

    windows.calls.clear();
    doc->OnCommand(cmd::ShowWorkbench); // hide the workbench
    EXPECT_EQ(lastPlotCall(), "invalidate");
}

TEST_F(DocTest, HidingTheOnlyShownSystemRestoresNothing)
{
    GiveCurve(4, "Sys four", "2nd Order Closed Box");
    doc->shownHistory = {7, 6, 5, 4, 3, 2, 1, 8, 8, 8, 2};
    doc->OnCommand(cmd::ShowSys1 + 3);
    EXPECT_EQ(doc->shownHistory[0], 4);
    doc->OnCommand(cmd::ShowSys1 + 3);

    // 4 was pushed (the oldest entry fell off), then two entries were dropped; each drop
    // leaves the oldest place with its value.
    EXPECT_EQ(doc->shownHistory, (std::array<std::int32_t, 11>{6, 5, 4, 3, 2, 1, 8, 8, 8, 8, 8}));
    EXPECT_EQ(doc->workbench().systemName, "Sys four");
    EXPECT_EQ(windows.drawnSystems, (std::vector<int>{4}));
}

TEST_F(DocTest, HidingFallsBackToTheHighestShownSystem)
{
    GiveCurve(3, "Sys three", "2nd Order Closed Box");
    GiveCurve(8, "Sys eight", "2nd Order Closed Box");
    GiveCurve(5, "Sys five", "2nd Order Closed Box");
    doc->OnCommand(cmd::ShowSys1 + 2);
    doc->OnCommand(cmd::ShowSys1 + 7);
    doc->OnCommand(cmd::ShowSys1 + 4);
    // Forget the order: the newest entry left after hiding Sys 5 names nothing shown.
    doc->shownHistory = {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    doc->OnCommand(cmd::ShowSys1 + 4);
    EXPECT_EQ(doc->workbench().systemName, "Sys eight");
    EXPECT_EQ(doc->systems[8].responseShown, 1);
    EXPECT_EQ(doc->systems[3].responseShown, 1);
}

TEST_F(DocTest, ShowingASystemOfAnotherBoxTypeReplacesThePanel)
{
    GiveCurve(2, "Vented", "4th Order Vented Box");
    GiveCurve(3, "Closed", "2nd Order Closed Box");
    doc->OnCommand(cmd::ShowSys1 + 2); // same type as the workbench
    EXPECT_EQ(windows.Count("replace panel"), 0);
    EXPECT_EQ(windows.Count("refresh panel"), 1);
    EXPECT_EQ(windows.Count("driver panel"), 1);
    doc->OnCommand(cmd::ShowSys1 + 1);
    EXPECT_EQ(windows.Count("replace panel"), 1);
    EXPECT_EQ(doc->workbench().boxTypeName, "4th Order Vented Box");
}

TEST_F(DocTest, ShowWorkbenchTogglesAndDrawsIndexEleven)
{
    doc->workbench().hasSpl = 1;
    EXPECT_EQ(Text(cmd::ShowWorkbench), "Show Workbench");
    doc->OnCommand(cmd::ShowWorkbench);
    EXPECT_EQ(doc->workbench().responseShown, 1);
    EXPECT_EQ(windows.drawnSystems, (std::vector<int>{11}));
    EXPECT_EQ(doc->shownHistory[0], 0);
    EXPECT_EQ(Text(cmd::ShowWorkbench), "Hide Workbench");
    EXPECT_TRUE(Checked(cmd::ShowWorkbench));
    doc->OnCommand(cmd::ShowWorkbench);
    EXPECT_EQ(doc->workbench().responseShown, 0);
}

TEST_F(DocTest, ClearAsksFirst)
{
    GiveCurve(6, "Six", "2nd Order Closed Box");
    doc->systems[6].responseShown = 1;
    windows.answerOk = false;
    doc->OnCommand(cmd::ClearSys1 + 5);
    EXPECT_EQ(doc->systems[6].hasSpl, 1);
    EXPECT_EQ(windows.messages.back(), "Permanently Delete this System from the Project?");

    windows.answerOk = true;
    doc->OnCommand(cmd::ClearSys1 + 5);
    EXPECT_EQ(doc->systems[6].hasSpl, 0);
    EXPECT_EQ(doc->systems[6].responseShown, 0);
    EXPECT_EQ(doc->systems[6].systemName, "Six"); // the rest stays until the next store
    EXPECT_FALSE(Enabled(cmd::ClearSys1 + 5));
}

TEST_F(DocTest, MemoryMenuTexts)
{
    EXPECT_EQ(Text(cmd::StoreSys1), "Store workbench in Sys 1\t Alt+1");
    EXPECT_EQ(Text(cmd::StoreSys1 + 9), "Store workbench in Sys 10\t Alt+0");
    EXPECT_EQ(Text(cmd::ClearSys1 + 9), "Clear System 10\t Shift+0");
    EXPECT_EQ(Text(cmd::ShowSys1), "Show System 1   Ctrl+1");
    EXPECT_EQ(Text(cmd::ShowSys1 + 9), "Show System 10 Ctrl+0");
    EXPECT_FALSE(Enabled(cmd::ShowSys1));
    EXPECT_FALSE(Enabled(cmd::ClearSys1));

    GiveCurve(1, "One", "2nd Order Closed Box");
    GiveCurve(10, "Ten", "2nd Order Closed Box");
    doc->OnCommand(cmd::ShowSys1);
    doc->OnCommand(cmd::ShowSys1 + 9);
    EXPECT_EQ(Text(cmd::ShowSys1), "Hide System 1   Ctrl+1");
    EXPECT_EQ(Text(cmd::ShowSys1 + 9), "Hide System 10 Ctrl+0");
    EXPECT_TRUE(Checked(cmd::ShowSys1));
    EXPECT_TRUE(Enabled(cmd::ClearSys1 + 9));
    EXPECT_FALSE(doc->QueryCommand(57600).has_value()); // not a document command
}

TEST_F(DocTest, FrequencyLimitsKeepLowBelowHigh)
{
    doc->OnCommand(32816); // low 20 Hz
    EXPECT_EQ(doc->plot.lowFreqLimit, 20);
    windows.calls.clear();
    doc->SetModified(false);
    doc->OnCommand(32879); // high 20 Hz
    doc->OnCommand(32878); // high 10 Hz
    EXPECT_EQ(doc->plot.highFreqLimit, 2000);
    EXPECT_TRUE(windows.calls.empty());
    EXPECT_FALSE(doc->IsModified());
    doc->OnCommand(32877); // high 50 Hz
    EXPECT_EQ(doc->plot.highFreqLimit, 50);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(Checked(32877));
    doc->OnCommand(32814); // low 100 Hz: not below 50
    EXPECT_EQ(doc->plot.lowFreqLimit, 20);
}

TEST_F(DocTest, BoxTypeSwitchClearsCurvesTheNewTypeCannotHave)
{
    CSpkSys& wb = doc->workbench();
    doc->OnCommand(cmd::Box4OVB);
    EXPECT_EQ(windows.Count("replace panel"), 1);
    wb.hasPhase = wb.hasDelay = wb.hasImpedance = wb.hasSpl = 1;
    doc->OnCommand(cmd::Box2OCB);
    EXPECT_EQ(wb.hasPhase, 1);
    EXPECT_EQ(wb.hasImpedance, 1);
    doc->OnCommand(cmd::Box4OVB);
    doc->OnCommand(cmd::Box4OSBP);
    EXPECT_EQ(wb.boxTypeName, "4th Order Symmetric Bandpass Box");
    EXPECT_EQ(wb.hasPhase + wb.hasDelay + wb.hasImpedance, 0);
    EXPECT_EQ(wb.hasSpl, 1);
    EXPECT_TRUE(Checked(cmd::Box4OSBP));
    EXPECT_FALSE(Checked(cmd::Box4OVB));
    // Choosing the current type again does nothing.
    const int replaced = windows.Count("replace panel");
    doc->OnCommand(cmd::Box4OSBP);
    EXPECT_EQ(windows.Count("replace panel"), replaced);
}

TEST_F(DocTest, ResponseSwitchesAndTheirMenuStates)
{
    doc->OnCommand(cmd::PhaseResponse);
    EXPECT_EQ(doc->display.showPhase, 1);
    EXPECT_TRUE(Checked(cmd::PhaseResponse));
    doc->OnCommand(cmd::Box5OABP);
    EXPECT_FALSE(Enabled(cmd::PhaseResponse));
    EXPECT_FALSE(Checked(cmd::PhaseResponse));
    EXPECT_FALSE(Enabled(cmd::ImpedanceResponse));
    EXPECT_TRUE(Enabled(cmd::FrequencyResponse));

    // A toggle sets 1 from anything that is not 1.
    doc->display.splMode = 7;
    doc->OnCommand(cmd::DbSplMode);
    EXPECT_EQ(doc->display.splMode, 1);
    doc->OnCommand(cmd::ModelDiffraction);
    EXPECT_EQ(doc->workbench().modelDiffraction, 1);
    EXPECT_TRUE(Checked(cmd::ModelDiffraction));
    doc->OnCommand(cmd::ModelEnclosure);
    EXPECT_EQ(doc->workbench().modelEnclosure, 0);
}

TEST_F(DocTest, ScalesStoreTheirValuesAndRedrawOnlyWhenShown)
{
    doc->OnCommand(cmd::Db05);
    EXPECT_EQ(doc->plot.dbSpan, 7.5);
    EXPECT_EQ(windows.Count("invalidate"), 1);
    doc->OnCommand(cmd::Delay75ms); // delay is not shown
    EXPECT_EQ(doc->plot.delaySpan, 75);
    EXPECT_EQ(windows.Count("invalidate"), 1);
    doc->OnCommand(cmd::PhaseMinus180To495);
    EXPECT_EQ(doc->plot.phaseTop, 495);
    EXPECT_EQ(doc->plot.phaseBottom, -180);
    EXPECT_TRUE(Checked(cmd::PhaseMinus180To495));
    doc->plot.phaseBottom = 12; // the check mark looks at the top only
    EXPECT_TRUE(Checked(cmd::PhaseMinus180To495));
    EXPECT_TRUE(Checked(cmd::Imp75));
    EXPECT_TRUE(Checked(cmd::Exc30));
}

TEST_F(DocTest, ClearDisplayHidesEverySystemAndRepaints)
{
    for (auto& s : doc->systems)
        s.responseShown = 1;
    doc->OnCommand(cmd::ClearDisplay);
    for (const auto& s : doc->systems)
        EXPECT_EQ(s.responseShown, 0);
    EXPECT_EQ(windows.Count("repaint"), 1);
    doc->OnCommand(cmd::Redraw);
    EXPECT_EQ(windows.Count("repaint"), 2);
}

TEST_F(DocTest, ClosingHandsTheDisplaySettingsToTheApplication)
{
    AppSettings settings;
    doc->OnCommand(cmd::Imp300);
    doc->OnCommand(cmd::ModelAutoCabin);
    doc->editorPage = 4;
    doc->OnCloseDocument(settings);
    ASSERT_TRUE(settings.lastClosedDocument.has_value());
    EXPECT_EQ(settings.lastClosedDocument->plot.impedanceSpan, 300);
    EXPECT_EQ(settings.lastClosedDocument->modelAutoCabin, 1);
    EXPECT_EQ(settings.lastClosedDocument->editorPage, 4);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocTest, WithoutWindowsQuestionsAreAnsweredCancel)
{
    doc->SetWindows(nullptr);
    GiveCurve(1, "One", "2nd Order Closed Box");
    doc->OnCommand(cmd::ClearSys1);
    EXPECT_EQ(doc->systems[1].hasSpl, 1);
}

} // namespace
} // namespace cw
