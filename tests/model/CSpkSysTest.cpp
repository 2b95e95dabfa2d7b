#include "model/CSpkSys.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace cw
{
namespace
{

TEST(CSpkSys, NewRecordDefaults)
{
    auto s = std::make_unique<CSpkSys>();
    EXPECT_EQ(s->boxTypeName, "2nd Order Closed Box");
    EXPECT_EQ(s->boxType(), BoxType::Closed2);
    EXPECT_EQ(s->driverCount, 1);
    EXPECT_EQ(s->isobaricFactor, 1);
    EXPECT_EQ(s->inputPower, 1);
    EXPECT_EQ(s->splDistanceM, 1);
    EXPECT_EQ(s->splDistanceFt, 3.281);
    EXPECT_EQ(s->closed2.qb, 7);
    EXPECT_EQ(s->closed3.qb, 7);
    EXPECT_EQ(s->vented4.qb, 7);
    EXPECT_EQ(s->closed3.c1, 100000);
    EXPECT_EQ(s->bandpass4.ql2, 1000);
    EXPECT_EQ(s->bandpass4.qa2, 1000);
    EXPECT_EQ(s->bandpass5.qb2, 1000);
    EXPECT_EQ(s->bandpass6.qb2, 1000);
    EXPECT_EQ(s->bandpass5.l1, 0.000001);
    EXPECT_EQ(s->bandpass6.c1, 100000);
    for (double wb : {s->closed2.wb, s->closed3.wb, s->vented4.wb, s->bandpass4.wb, s->bandpass5.wb,
                      s->bandpass6.wb})
        EXPECT_EQ(wb, 0.5);
    EXPECT_EQ(s->modelEnclosure, 1);
    EXPECT_EQ(s->modelDiffraction, 0);
    EXPECT_EQ(s->autoCabinF3, 66);
    EXPECT_EQ(s->autoCabinQ, 0.707);
    EXPECT_EQ(s->xover1OBW.frequency, 1000);
    EXPECT_EQ(s->xover1OS.zeta, 0.707);
    EXPECT_EQ(s->resonanceComp.driverQt, 0.707);
    EXPECT_EQ(s->tweeterAtten.maxTweeterPower, 20);
    EXPECT_EQ(s->tweeterAtten.attenuation, 3);
    EXPECT_EQ(s->trapBox.angle, 15);
    EXPECT_EQ(s->driver, DriverParams{});
    EXPECT_EQ(s->pointCount, 0);
    EXPECT_FALSE(s->hasAnyCurve());
}

TEST(BoxType, LookupIsByExactDisplayText)
{
    EXPECT_EQ(BoxTypeFromName("4th Order Vented Box"), BoxType::Vented4);
    EXPECT_EQ(BoxTypeFromName("6th Order Symmetric Bandpass Box"), BoxType::Bandpass6);
    EXPECT_EQ(BoxTypeFromName("4th order vented box"), BoxType::None);
    EXPECT_EQ(BoxTypeFromName(""), BoxType::None);
    EXPECT_EQ(BoxTypeFromName("4th Order Vented Box "), BoxType::None);
    EXPECT_EQ(BoxTypeFromAbbreviation("5OABP"), BoxType::Bandpass5);
    EXPECT_EQ(BoxTypeName(BoxType::Closed3), "3rd Order Closed Box");
    for (BoxType t : kAllBoxTypes)
        EXPECT_EQ(BoxTypeFromName(BoxTypeName(t)), t);
}

class StoreRecall : public ::testing::Test
{
protected:
    std::unique_ptr<CSpkSys> workbench = std::make_unique<CSpkSys>();
    std::unique_ptr<CSpkSys> memory = std::make_unique<CSpkSys>();
};

TEST_F(StoreRecall, StoreCopiesOnlyCalculatedPointsOfFlaggedCurves)
{
    memory->excursionCurve.fill(-1);
    memory->splCurve.fill(-1);
    memory->frequencies.fill(-1);
    for (int i = 0; i < kMaxPoints; ++i) {
        workbench->frequencies[i] = 10 + i;
        workbench->splCurve[i] = i;
        workbench->excursionCurve[i] = 2 * i;
        workbench->radiatorCurve[i] = 3 * i;
    }
    workbench->pointCount = 400;
    workbench->hasSpl = 1;
    workbench->hasRadiator = 1;
    workbench->radiator.prAddedMassG = 120;
    workbench->systemName = "Stored";
    workbench->vented4.fb = 37;
    workbench->driver = SampleDriver();
    workbench->trailerText = "workbench trailer";
    memory->trailerText = "memory trailer";

    memory->StoreFromWorkbench(*workbench);

    EXPECT_EQ(memory->frequencies[399], 409);
    EXPECT_EQ(memory->splCurve[399], 399);
    EXPECT_EQ(memory->frequencies[400], -1);
    EXPECT_EQ(memory->splCurve[400], -1);
    EXPECT_EQ(memory->excursionCurve[0], -1); // its flag is 0
    EXPECT_EQ(memory->radiatorCurve[399], 3 * 399);
    EXPECT_EQ(memory->radiatorCurve[400], 0);
    EXPECT_EQ(memory->radiator.prAddedMassG, 120);
    EXPECT_EQ(memory->systemName, "Stored");
    EXPECT_EQ(memory->vented4.fb, 37);
    EXPECT_EQ(memory->driver, SampleDriver());
    EXPECT_EQ(memory->pointCount, 400);
    EXPECT_EQ(memory->trailerText, "memory trailer");
}

TEST_F(StoreRecall, ResponseShownGoesWithStoreButNotWithRecall)
{
    workbench->responseShown = 1;
    memory->StoreFromWorkbench(*workbench);
    EXPECT_EQ(memory->responseShown, 1);

    workbench->responseShown = 0;
    memory->systemName = "Memory";
    memory->RecallIntoWorkbench(*workbench);
    EXPECT_EQ(workbench->responseShown, 0);
    EXPECT_EQ(workbench->systemName, "Memory");
}

TEST_F(StoreRecall, AbsurdPointCountsAreClamped)
{
    workbench->pointCount = 1e9;
    workbench->hasSpl = 1;
    workbench->splCurve.fill(5);
    memory->StoreFromWorkbench(*workbench);
    EXPECT_EQ(memory->splCurve[kMaxPoints - 1], 5);

    workbench->pointCount = -3;
    EXPECT_EQ(workbench->storedPoints(), 0);
    workbench->pointCount = std::nan("");
    EXPECT_EQ(workbench->storedPoints(), 0);
}

} // namespace
} // namespace cw
