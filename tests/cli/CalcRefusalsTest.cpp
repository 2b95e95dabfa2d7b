#include "CliRunner.h"

#include <filesystem>

namespace cw
{
namespace
{

using test::CliTest;

// Values no box can be designed with are refused with the field's name, and nothing is saved.
TEST_F(CliTest, OverflowingAndNegativeValuesAreRefusedByName)
{
    const std::string saved = "'" + (dir / "p.spk").string() + "'";
    const struct {
        std::string options;
        std::string message;
    } cases[] = {
        // 1e308 cubic feet has no liters copy.
        {"--box 4OVB --edit vented4.vbCuFt=1e308",
         "vented4.vbCuFt: V(B) is too large or not a number; the previous values were kept."},
        {"--units metric --edit splDistanceM=1e308",
         "splDistanceM: The SPL distance is too large or not a number; the previous values were "
         "kept."},
        // A family would design a box of negative volume.
        {"--box 4OVB --set driver.vasLiters=-33.3 --set driver.vasCuFt=-1.176",
         "The driver's V(as) is negative, too large or not a number, so no response was "
         "calculated."},
        {"--box 2OCB --set closed2.vbLiters=50 --set driver.qts=-0.49 --run CalcQtc",
         "The driver's Q(ts) is negative, too large or not a number, so CalcQtc gives no result; "
         "the design was kept."},
    };
    for (const auto& [options, message] : cases) {
        const test::CliRun run = Run("calc " + options + " --save " + saved);
        EXPECT_EQ(run.exitCode, 1) << options;
        EXPECT_EQ(run.err, message + "\n") << options;
        EXPECT_FALSE(std::filesystem::exists(dir / "p.spk")) << options;
    }
}

} // namespace
} // namespace cw
