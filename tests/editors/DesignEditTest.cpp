#include "editors/DesignEdit.h"

#include "model/CommandIds.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace cw::edit
{
namespace
{

class DesignEditTest : public ::testing::Test
{
protected:
    CSpkSys& wb() { return doc->workbench(); }
    std::unique_ptr<CSpkSysDoc> doc = std::make_unique<CSpkSysDoc>();
};

TEST_F(DesignEditTest, TwinsFollowTheTypedCopy)
{
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Volume, false, 2), 56.634);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Volume, true, 56.634), 2);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Area, false, 31), 0.02);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Length, false, 3.738), 0.094945);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Length, true, 0.0254), 1);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Distance, true, 3), 9.8424);
    EXPECT_DOUBLE_EQ(TwinValue(Twin::Distance, false, 6.5616), 2);
}

TEST_F(DesignEditTest, AWorkingDesignBrokenByAnEditIsRestored)
{
    wb().closed2.qtc = 0.707;
    ASSERT_TRUE(doc->CalcBoxVolume());
    const CSpkSys before = wb();
    wb().closed2.vbLiters = 0; // typed
    const StepsOutcome outcome = RunDesignSteps(*doc, before, VolumeSteps(true));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.restored);
    EXPECT_EQ(wb().closed2, before.closed2);
}

TEST_F(DesignEditTest, AnEditBeforeTheBoxIsDesignedIsKeptWithoutUnusableResults)
{
    const CSpkSys before = wb();
    wb().driverCount = 2; // typed while V(B) is still 0
    const StepsOutcome outcome = RunDesignSteps(*doc, before, DriverCountSteps());
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.restored);
    EXPECT_EQ(wb().driverCount, 2);
    EXPECT_TRUE(std::isfinite(wb().closed2.qtc));
    EXPECT_TRUE(std::isfinite(wb().closed2.alpha));
}

// 1e308 cubic feet typed into V(B): its liters copy overflows. The edit is refused, whether the
// box was designed or not, and the message names the field.
TEST_F(DesignEditTest, AnEditWhoseUnitCopyOverflowsIsRefused)
{
    wb().boxTypeName = "4th Order Vented Box";
    for (double designedVolume : {0.0, 56.634}) {
        wb().vented4.vbLiters = designedVolume;
        wb().vented4.vbCuFt = designedVolume / 28.317;
        ASSERT_TRUE(designedVolume == 0 || doc->CalcQtc());
        const CSpkSys before = wb();
        wb().vented4.vbCuFt = 1e308; // typed
        wb().vented4.vbLiters = TwinValue(Twin::Volume, false, 1e308);
        const StepsOutcome outcome = RunDesignSteps(*doc, before, VolumeSteps(false));
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.restored);
        EXPECT_EQ(outcome.reason,
                  "V(B) is too large or not a number; the previous values were kept.");
        EXPECT_EQ(wb().vented4, before.vented4) << designedVolume;
    }
}

// A driver value that no box can be designed for breaks a working design: refused and named.
TEST_F(DesignEditTest, ANegativeDriverValueIsRefusedWithItsName)
{
    wb().closed2.qtc = 0.707;
    ASSERT_TRUE(doc->CalcBoxVolume());
    const CSpkSys before = wb();
    wb().driver.qts = -0.49; // typed
    const StepsOutcome outcome = RunDesignSteps(*doc, before, DriverCountSteps());
    EXPECT_TRUE(outcome.restored);
    EXPECT_EQ(outcome.reason, "The driver's Q(ts) is negative, too large or not a number; the "
                              "previous values were kept.");
    EXPECT_EQ(wb().driver.qts, 0.49);
}

TEST_F(DesignEditTest, UsableStepsChangeTheDesign)
{
    const CSpkSys before = wb();
    wb().closed2.qtc = 0.707;
    EXPECT_TRUE(RunDesignSteps(*doc, before, QtcSteps(true)).ok);
    EXPECT_DOUBLE_EQ(wb().closed2.vbLiters, 83.19);
    EXPECT_DOUBLE_EQ(wb().closed2.fc, 59.16);
    EXPECT_FALSE(QtcUsable(0.49, 0.49));
    EXPECT_FALSE(QtcUsable(-1, 0.49));
    EXPECT_EQ(QtcTooLowMessage(0.49),
              "Q(tc) must be greater than the driver's Q(ts) of 0.49; the box volume was kept.");
}

} // namespace
} // namespace cw::edit
