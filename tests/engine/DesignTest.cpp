#include "engine/Design.h"

#include "model/CSpkSysDoc.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace cw
{
namespace
{

// A new project: the sample driver (fs 41, Qts 0.49, V(as) 90 liters) in a 2nd order closed box.
struct DesignSteps : ::testing::Test {
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();

    void DesignClosedFor(double qtc)
    {
        wb.closed2.qtc = qtc;
        ASSERT_TRUE(doc.CalcBoxVolume());
        ASSERT_TRUE(doc.CalcFc());
        ASSERT_TRUE(doc.CalcAlpha());
    }
};

TEST_F(DesignSteps, ClosedBoxFromQtcAndBack)
{
    DesignClosedFor(0.707);
    EXPECT_DOUBLE_EQ(wb.closed2.vbLiters, 83.19);
    EXPECT_DOUBLE_EQ(wb.closed2.vbCuFt, 2.9379);
    EXPECT_DOUBLE_EQ(wb.closed2.fc, 59.16);
    EXPECT_DOUBLE_EQ(wb.closed2.alpha, 1.082);

    wb.closed2.qtc = 0;
    ASSERT_TRUE(doc.CalcQtc());
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, 0.707);
    // The other blocks are left alone.
    EXPECT_EQ(wb.closed3, ClosedBox3{});
    EXPECT_EQ(wb.vented4, VentedBox4{});
}

TEST_F(DesignSteps, IsobaricHalvesAndDriverCountDoublesTheVolume)
{
    wb.isobaricFactor = 2;
    DesignClosedFor(0.707);
    EXPECT_DOUBLE_EQ(wb.closed2.vbLiters, 41.6);

    wb.isobaricFactor = 1;
    wb.driverCount = 2;
    DesignClosedFor(0.707);
    EXPECT_DOUBLE_EQ(wb.closed2.vbLiters, 166.4);
    EXPECT_DOUBLE_EQ(wb.closed2.fc, 59.16);
    EXPECT_DOUBLE_EQ(wb.closed2.alpha, 1.082);
    ASSERT_TRUE(doc.CalcQtc());
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, 0.707);
}

TEST_F(DesignSteps, VasGivenInCubicFeetOnlyIsFilledBeforeDesigning)
{
    wb.driver.vasLiters = 0; // vasCuFt 3.18 stays
    wb.closed2.qtc = 0.707;
    ASSERT_TRUE(doc.CalcBoxVolume());
    EXPECT_DOUBLE_EQ(wb.driver.vasLiters, 90.048);
    EXPECT_NEAR(wb.closed2.vbLiters, 83.2, 0.1);

    wb.driver.vasLiters = 0;
    ASSERT_TRUE(doc.CalcQtc());
    EXPECT_NEAR(wb.closed2.qtc, 0.707, 0.001);
}

TEST_F(DesignSteps, UnusableInputsLeaveTheDesignAlone)
{
    DesignClosedFor(0.707);
    const ClosedBox2 designed = wb.closed2;

    for (double qtc : {0.49, 0.3}) { // at and below Qts there is no volume
        wb.closed2.qtc = qtc;
        EXPECT_FALSE(doc.CalcBoxVolume()) << qtc;
        EXPECT_DOUBLE_EQ(wb.closed2.vbLiters, designed.vbLiters);
        EXPECT_DOUBLE_EQ(wb.closed2.vbCuFt, designed.vbCuFt);
    }
    wb.closed2 = designed;
    for (double volume : {0.0, -10.0}) {
        wb.closed2.vbLiters = volume;
        EXPECT_FALSE(doc.CalcQtc());
        EXPECT_FALSE(doc.CalcFc());
        EXPECT_FALSE(doc.CalcAlpha());
        EXPECT_DOUBLE_EQ(wb.closed2.qtc, designed.qtc);
        EXPECT_DOUBLE_EQ(wb.closed2.fc, designed.fc);
        EXPECT_DOUBLE_EQ(wb.closed2.alpha, designed.alpha);
    }
    wb.closed2 = designed;
    wb.driverCount = 0;
    EXPECT_FALSE(doc.CalcQtc());
    EXPECT_FALSE(doc.CalcBoxVolume());
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, designed.qtc);
    EXPECT_DOUBLE_EQ(wb.closed2.vbLiters, designed.vbLiters);
}

// A driver of negative or non-finite f(s), Q(ts) or V(as) (a damaged file, a typing slip) and a
// volume that overflowed design nothing, and the value is named for the message.
TEST_F(DesignSteps, UnusableDriverValuesAndInfiniteVolumesDesignNothing)
{
    DesignClosedFor(0.707);
    const CSpkSys designed = wb;
    EXPECT_EQ(engine::UnusableDesignValue(wb), std::nullopt);
    for (const char* name : {"f(s)", "Q(ts)", "V(as)"}) {
        const std::string field = name;
        for (double bad : {-1.0, std::numeric_limits<double>::infinity(), std::nan("")}) {
            wb = designed;
            DriverParams& d = wb.driver;
            (field == "f(s)" ? d.fs : field == "Q(ts)" ? d.qts : d.vasLiters) = bad;
            if (field == "V(as)")
                d.vasCuFt = bad; // else a NaN in liters counts as not given and is filled
            // The steps that read the value refuse it; none writes anything.
            EXPECT_EQ(doc.CalcQtc(), field == "f(s)") << name << " " << bad;
            EXPECT_EQ(doc.CalcFc(), field == "Q(ts)") << name << " " << bad;
            EXPECT_EQ(doc.CalcBoxVolume(), field == "f(s)") << name << " " << bad;
            EXPECT_EQ(wb.closed2, designed.closed2) << name << " " << bad;
            EXPECT_EQ(engine::UnusableDesignValue(wb),
                      "The driver's " + field + " is negative, too large or not a number")
                << bad;
        }
    }

    // 1e308 cubic feet is beyond what a number of liters holds.
    wb = designed;
    wb.closed2.vbLiters = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(doc.CalcQtc());
    EXPECT_FALSE(doc.CalcFc());
    EXPECT_FALSE(doc.CalcAlpha());
    EXPECT_DOUBLE_EQ(wb.closed2.qtc, designed.closed2.qtc);
    EXPECT_EQ(engine::UnusableDesignValue(wb), "V(B) is too large or not a number");
    // Values only the steps derive are theirs to mend.
    wb = designed;
    wb.closed2.alpha = std::nan("");
    EXPECT_EQ(engine::UnusableDesignValue(wb), std::nullopt);
    EXPECT_TRUE(doc.CalcAlpha());

    // A vent tuned beyond any number would leave a negative vent length.
    wb.boxTypeName = "4th Order Vented Box";
    wb.vented4.vbCuFt = 2;
    wb.vented4.fb = 1e300;
    wb.vented4.svSqIn = 7;
    EXPECT_FALSE(doc.CalcVentLength());
    EXPECT_EQ(wb.vented4.lvIn, 0);
}

TEST_F(DesignSteps, VentLengthAndAreaAreInverses)
{
    doc.SetBoxType(BoxType::Vented4);
    wb.vented4.vbCuFt = 2;
    wb.vented4.fb = 40;
    wb.vented4.svSqIn = 7;
    ASSERT_TRUE(doc.CalcVentLength());
    EXPECT_DOUBLE_EQ(wb.vented4.lvIn, 3.738);
    EXPECT_DOUBLE_EQ(wb.vented4.lvM, 0.094957);

    ASSERT_TRUE(doc.CalcVentArea());
    EXPECT_DOUBLE_EQ(wb.vented4.svSqIn, 6.999);
    EXPECT_NEAR(wb.vented4.svSqM, 6.999 * 0.00064516, 1e-6);

    // Without a tuning frequency there is no vent length.
    wb.vented4.fb = 0;
    EXPECT_FALSE(doc.CalcVentLength());
    EXPECT_DOUBLE_EQ(wb.vented4.lvIn, 3.738);
}

TEST_F(DesignSteps, MinimumVentAreaFromTheDriversDisplacement)
{
    doc.SetBoxType(BoxType::Vented4);
    wb.vented4.fb = 40;
    ASSERT_TRUE(doc.EstimateDriverAndVent());
    EXPECT_DOUBLE_EQ(wb.vented4.svMinSqM, 0.0048);
    EXPECT_DOUBLE_EQ(wb.vented4.svMinSqIn, 7.44);
    EXPECT_DOUBLE_EQ(wb.driver.vd, 0);

    // A bandpass box uses its front chamber's tuning and V(D) when given.
    doc.SetBoxType(BoxType::Bandpass5);
    wb.bandpass5.fb2 = 50;
    wb.driver.vd = 0.2;
    ASSERT_TRUE(doc.EstimateDriverAndVent());
    EXPECT_DOUBLE_EQ(wb.bandpass5.svMinSqM, 0.008);
    EXPECT_DOUBLE_EQ(wb.vented4.svMinSqM, 0.0048);
}

TEST_F(DesignSteps, BandpassDesignsOnTheRearChamberAndVentsTheFrontOne)
{
    doc.SetBoxType(BoxType::Bandpass4);
    wb.bandpass4.qtc = 0.707;
    ASSERT_TRUE(doc.CalcBoxVolume());
    EXPECT_DOUBLE_EQ(wb.bandpass4.vb1Liters, 83.19);
    ASSERT_TRUE(doc.CalcFc()); // no f(c) for a bandpass box: nothing to do
    ASSERT_TRUE(doc.CalcAlpha());
    EXPECT_DOUBLE_EQ(wb.bandpass4.alpha, 1.082);

    wb.bandpass4.vb2CuFt = 2;
    wb.bandpass4.fb2 = 40;
    wb.bandpass4.svSqIn = 7;
    ASSERT_TRUE(doc.CalcVentLength());
    EXPECT_DOUBLE_EQ(wb.bandpass4.lvIn, 3.738);
}

TEST_F(DesignSteps, UnknownBoxTypeSelectsNothing)
{
    wb.boxTypeName = "2nd order closed box";
    const CSpkSys before = wb;
    EXPECT_TRUE(doc.CalcQtc());
    EXPECT_TRUE(doc.CalcBoxVolume());
    EXPECT_TRUE(doc.CalcVentLength());
    EXPECT_EQ(wb.closed2, before.closed2);
}

} // namespace
} // namespace cw
