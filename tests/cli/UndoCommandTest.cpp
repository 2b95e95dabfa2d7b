#include "CliRunner.h"

#include <nlohmann/json.hpp>

namespace cw
{
namespace
{

using test::CliTest;

TEST_F(CliTest, UndoAndRedoTakeBackAndMakeAgainWholeOptions)
{
    auto boxOf = [this](const std::string& options) {
        const auto run = Run("calc " + options + " --json -");
        EXPECT_EQ(run.exitCode, 0) << options << ": " << run.err;
        return run.exitCode == 0 ? nlohmann::json::parse(run.out).value("boxTypeName", "")
                                 : std::string();
    };
    EXPECT_EQ(boxOf("--box 4OVB --box 3OCB --undo 1"), "4th Order Vented Box");
    EXPECT_EQ(boxOf("--box 4OVB --box 3OCB --undo 2"), "2nd Order Closed Box");
    EXPECT_EQ(boxOf("--box 4OVB --box 3OCB --undo 2 --redo 1"), "4th Order Vented Box");
    // An option after an undo is a new step: nothing is left to redo.
    const auto run = Run("calc --box 4OVB --undo 1 --box 3OCB --redo 1 --json -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "There is nothing to redo.\n");
}

TEST_F(CliTest, UndoTellsHowManyStepsThereWere)
{
    auto run = Run("calc --box 4OVB --set closed2.qb=5 --undo 3 --json -");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Only 2 of the 3 steps could be undone.\n");
    run = Run("calc --box 4OVB --undo 0");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--undo takes a number of steps, not \"0\"."), std::string::npos);
}

} // namespace
} // namespace cw
