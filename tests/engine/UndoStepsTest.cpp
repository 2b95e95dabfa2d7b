#include "editors/TypedPanels.h"
#include "model/CSpkSysDoc.h"
#include "model/CommandIds.h"
#include "model/UndoHistory.h"
#include "project/ProjectFile.h"
#include "support/RecordingWindows.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

class UndoStepsTest : public ::testing::Test
{
protected:
    UndoStepsTest() { doc->SetWindows(&windows); }

    // The project as its saved file holds it.
    std::string File() const { return SerializeProject(*doc); }

    // Runs one step, then checks that undo gives back the file before it and redo the file
    // after it, byte for byte, and that the step carries its name.
    void ExpectUndoable(const std::string& name, const std::function<void()>& step)
    {
        SCOPED_TRACE(name);
        doc->EndStep();
        const std::string before = File();
        step();
        doc->EndStep();
        const std::string after = File();
        ASSERT_NE(before, after);
        EXPECT_EQ(doc->history().UndoName(), name);
        ASSERT_TRUE(doc->Undo());
        EXPECT_EQ(File(), before);
        EXPECT_EQ(doc->history().RedoName(), name);
        ASSERT_TRUE(doc->Redo());
        EXPECT_EQ(File(), after);
    }

    void Type(double& field, const char* text)
    {
        const edit::TypedPanels::Place place = panels.Find(&field);
        ASSERT_NE(place.form, nullptr);
        panels.Type(place, text);
    }

    CSpkSys& wb() { return doc->workbench(); }

    test::RecordingWindows windows;
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
    edit::TypedPanels panels{*doc, true};
};

TEST_F(UndoStepsTest, EveryKindOfStepIsUndoneAndRedoneExactly)
{
    // The sample box is not designed yet: Calculate Response designs a family into the memories.
    ExpectUndoable("Family of Designs", [&] { doc->CalculateResponse(); });
    ExpectUndoable("Edit V(B)", [&] { Type(wb().closed2.vbLiters, "30"); });
    // Undoing a calculation brings back the curves before it.
    ExpectUndoable("Calculate Response", [&] { doc->CalculateResponse(); });
    ExpectUndoable("Store in Sys 3", [&] { doc->OnCommand(cmd::StoreSys1 + 2); });
    ExpectUndoable("Hide Sys 3", [&] { doc->OnCommand(cmd::ShowSys1 + 2); });
    ExpectUndoable("Clear Sys 3", [&] { doc->OnCommand(cmd::ClearSys1 + 2); });
    ExpectUndoable("Diffraction Model", [&] { doc->OnCommand(cmd::ModelDiffraction); });
    ExpectUndoable("Phase Response", [&] { doc->OnCommand(cmd::PhaseResponse); });
    ExpectUndoable("Box Type", [&] { doc->SetBoxType(BoxType::Vented4); });
    ExpectUndoable("Load Driver", [&] {
        DriverParams driver = wb().driver;
        driver.fs *= 1.5;
        doc->LoadDriver(driver);
    });
    ExpectUndoable("Clear Display", [&] { doc->ClearDisplay(); });
    ExpectUndoable("Title Block", [&] {
        doc->titleBlock.company = "Another Company";
        doc->Changed("Title Block");
    });
}

TEST_F(UndoStepsTest, WindowsFollowAnUndo)
{
    doc->SetBoxType(BoxType::Bandpass6);
    windows.calls.clear();
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(wb().boxType(), BoxType::Closed2);
    // The workbench panel of the box type restored, then every view.
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"replace panel", "update views"}));

    windows.calls.clear();
    doc->OnCommand(cmd::ModelDiffraction);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(windows.calls.back(), "update views");
    EXPECT_EQ(windows.Count("replace panel"), 0);
}

TEST_F(UndoStepsTest, ModifiedMarkFollowsTheSavedState)
{
    EXPECT_FALSE(doc->IsModified());
    Type(wb().closed2.vbLiters, "30");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->Undo());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(doc->Redo());
    EXPECT_TRUE(doc->IsModified());

    doc->SetModified(false); // saved here
    ASSERT_TRUE(doc->Undo());
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(doc->Redo());
    EXPECT_FALSE(doc->IsModified());

    // A new step after an undo leaves the saved state out of reach of redo.
    ASSERT_TRUE(doc->Undo());
    doc->OnCommand(cmd::ModelDiffraction);
    EXPECT_FALSE(doc->Redo());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(UndoStepsTest, KeystrokesOfOneFieldAreOneStep)
{
    const std::string start = File();
    for (const char* text : {"3", "30", "30.5"})
        Type(wb().closed2.vbLiters, text);
    doc->EndStep();
    Type(wb().closed2.qtc, "0.8");
    doc->EndStep();
    // Back in the first field: a step of its own, since another field came between.
    Type(wb().closed2.vbLiters, "40");
    doc->EndStep();
    EXPECT_EQ(doc->history().undoCount(), 3u);

    ASSERT_TRUE(doc->Undo());
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(wb().closed2.vbLiters, 30.5);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(File(), start);
    EXPECT_FALSE(doc->Undo());
}

TEST_F(UndoStepsTest, AGroupIsOneStepAfterItEnds)
{
    const std::string start = File();
    doc->BeginStepGroup("Edit System");
    wb().systemName = "Renamed";
    doc->SetModified();
    doc->EndStep(); // the windows' end of an action does not split the group
    wb().inputPower = 10;
    doc->SetModified();
    EXPECT_FALSE(doc->Undo()); // not while the sheet is open
    doc->EndStepGroup();

    EXPECT_EQ(doc->history().undoCount(), 1u);
    EXPECT_EQ(doc->history().UndoName(), "Edit System");
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(File(), start);

    // A sheet closed without a change leaves no step.
    doc->BeginStepGroup("Edit System");
    doc->EndStepGroup();
    EXPECT_FALSE(doc->history().CanUndo());
}

TEST_F(UndoStepsTest, HistoryKeepsTheLastHundredSteps)
{
    std::string afterFifth;
    for (int i = 1; i <= 105; ++i) {
        wb().inputPower = i;
        doc->Changed("Edit P(in)");
        doc->EndStep();
        if (i == 5)
            afterFifth = File();
    }
    int undone = 0;
    while (doc->Undo())
        ++undone;
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(File(), afterFifth);
    EXPECT_TRUE(doc->IsModified()); // the saved state fell off the end
}

TEST_F(UndoStepsTest, PageIndicesAndOpeningAFileAreNoSteps)
{
    doc->OnCommand(cmd::ModelDiffraction);
    doc->EndStep();
    // Where the user was in a sheet is no step, and an undo leaves it there.
    doc->editorPage = 3;
    doc->EndStep();
    EXPECT_EQ(doc->history().undoCount(), 1u);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->editorPage, 3);

    // A project read from a file starts a history of its own.
    ProjectData other;
    doc->AssignProject(other);
    EXPECT_FALSE(doc->history().CanUndo());
    EXPECT_FALSE(doc->history().CanRedo());
}

} // namespace
} // namespace cw
