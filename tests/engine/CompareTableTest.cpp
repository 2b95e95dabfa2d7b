#include "engine/CompareTable.h"

#include "support/RecordingWindows.h"

#include <cmath>
#include <gtest/gtest.h>

namespace cw
{
namespace
{

using engine::CompareRow;
using engine::CompareSystems;

struct CompareTableTest : ::testing::Test {
    CSpkSysDoc doc;
    test::RecordingWindows windows;
    CSpkSys& wb = doc.workbench();

    CompareTableTest() { doc.SetWindows(&windows); }
    ~CompareTableTest() override { doc.SetWindows(nullptr); }

    // The sample driver in a closed box of the given Q(tc), designed and calculated.
    const CompareRow ClosedBox(double qtc)
    {
        wb.boxTypeName = std::string(BoxTypeName(BoxType::Closed2));
        wb.closed2.qtc = qtc;
        EXPECT_TRUE(doc.CalcBoxVolume());
        EXPECT_TRUE(doc.CalcFc());
        EXPECT_TRUE(doc.CalculateResponse());
        return CompareSystems(doc, true, kDefaultVentVelocityLimit).at(0);
    }
};

TEST_F(CompareTableTest, ClosedBoxCornersAreThoseOfItsSecondOrderHighPass)
{
    // |H|^2 = x^4 / (1 + x^4) with x = f / f(c) at Q(tc) 0.707: -3 dB at f(c), -6 dB at
    // x^4 = 0.2512 / 0.7488 and -10 dB at x^4 = 0.1 / 0.9, and no peak above the passband.
    const CompareRow row = ClosedBox(0.707);
    const double fc = wb.closed2.fc;
    ASSERT_GT(fc, 10);
    EXPECT_NEAR(row.f3, fc, 0.003 * fc);
    EXPECT_NEAR(row.f6, 0.7610 * fc, 0.003 * fc);
    EXPECT_NEAR(row.f10, 0.5774 * fc, 0.003 * fc);
    EXPECT_LT(row.peakDb, 0.01);
    EXPECT_NEAR(row.tuning, fc, 1e-9);
    EXPECT_NEAR(row.qtc, 0.707, 1e-9);
    EXPECT_NEAR(row.volume, wb.closed2.vbLiters, 1e-9);
    EXPECT_TRUE(std::isnan(row.frontVolume));
}

TEST_F(CompareTableTest, PeakOfAnUnderdampedClosedBox)
{
    // At Q(tc) 1 the high-pass peaks at x = 1 / sqrt(1 - 1 / (2 Q^2)) = sqrt 2, by
    // 10 log10(Q^4 / (Q^2 - 1/4)) = 1.249 dB; it is 3 dB down where x^4 + x^2 = 1, x = 0.7862.
    doc.display.showDelay = 1;
    const CompareRow row = ClosedBox(1.0);
    const double fc = wb.closed2.fc;
    EXPECT_NEAR(row.peakDb, 1.249, 0.01);
    EXPECT_NEAR(row.peakHz, std::sqrt(2.0) * fc, 0.02 * fc);
    EXPECT_NEAR(row.f3, 0.7862 * fc, 0.003 * fc);
    // The largest excursion and group delay of the stored curves.
    double excursion = 0, delay = 0;
    for (int i = 0; i < wb.storedPoints(); ++i) {
        excursion = std::max(excursion, wb.excursionCurve[i]);
        delay = std::max(delay, wb.delayCurve[i]);
    }
    EXPECT_EQ(row.excursionMm, excursion);
    EXPECT_EQ(row.delayMs, delay);
}

TEST_F(CompareTableTest, AnOverdampedBoxPeaksAtZeroNotMinusZero)
{
    // Below Q(tc) 0.707 the curve only approaches the passband from below: its largest value is
    // a hair under 0 dB at the top of the range, shown as 0.00 dB.
    const CompareRow row = ClosedBox(0.5);
    EXPECT_LT(row.peakDb, 0);
    EXPECT_GT(row.peakDb, -0.005);
    const engine::CompareColumn peak{"peak_db", "Peak (dB)", 2};
    EXPECT_EQ(engine::CompareText({{}, row.peakDb, false}, peak), "0.00");
    EXPECT_EQ(engine::CompareText({{}, -0.25, false}, peak), "-0.25");
}

TEST_F(CompareTableTest, RowsForTheWorkbenchAndEveryMemoryWithADesign)
{
    ClosedBox(0.707);
    doc.StoreSystem(3);
    wb.systemName = "changed";
    doc.StoreSystem(7);
    std::vector<CompareRow> rows = CompareSystems(doc, false, kDefaultVentVelocityLimit);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].system, 0);
    EXPECT_EQ(rows[1].system, 3);
    EXPECT_EQ(rows[2].system, 7);
    EXPECT_EQ(rows[2].name, "changed");
    // English units: cubic feet.
    EXPECT_NEAR(rows[0].volume, wb.closed2.vbCuFt, 1e-12);

    // Columns and cells agree in number, the header starts as the command line's does.
    const auto columns = engine::CompareColumns(false);
    EXPECT_EQ(engine::CompareCells(rows[1]).size(), columns.size());
    EXPECT_EQ(columns[3].key, "f3_hz");
    EXPECT_EQ(engine::CompareCells(rows[1])[0].text, "Sys 3");
}

TEST_F(CompareTableTest, LimitColumnsReadTheLimitsAtTheirFrequencies)
{
    wb.boxTypeName = std::string(BoxTypeName(BoxType::Vented4));
    wb.vented4.vbLiters = 40;
    wb.vented4.vbCuFt = 40 / 28.317;
    wb.vented4.fb = 35;
    wb.vented4.svSqM = 0.004;
    wb.inputPower = 20;
    ASSERT_TRUE(doc.CalculateResponse());
    const CompareRow row = CompareSystems(doc, true, 17).at(0);
    const engine::Limits limits = engine::CalculateLimits(wb, 17);
    for (std::size_t k = 0; k < engine::kCompareMaxSplHz.size(); ++k) {
        const double f = engine::kCompareMaxSplHz[k];
        std::size_t i = 1;
        while (limits.frequencies[i] < f)
            ++i;
        const double f0 = limits.frequencies[i - 1], f1 = limits.frequencies[i];
        const double low = std::min(limits.maxSpl[i - 1], limits.maxSpl[i]);
        const double high = std::max(limits.maxSpl[i - 1], limits.maxSpl[i]);
        EXPECT_GE(row.maxSpl[k], low - 1e-9) << f;
        EXPECT_LE(row.maxSpl[k], high + 1e-9) << f;
        const std::size_t nearer = f * f < f0 * f1 ? i - 1 : i;
        EXPECT_EQ(row.maxSplLimit[k], limits.binding[nearer]) << f;
    }
    double peak = 0;
    for (double v : limits.ventVelocity)
        peak = std::max(peak, v);
    EXPECT_EQ(row.ventVelocity, peak);
    EXPECT_NEAR(row.tuning, 35, 1e-12);

    // A closed box has no vent to measure.
    EXPECT_TRUE(std::isnan(ClosedBox(0.707).ventVelocity));
}

TEST_F(CompareTableTest, APassiveRadiatorBoxIsTunedByItsRadiators)
{
    doc.SetBoxType(BoxType::Radiator);
    wb.radiator.vbLiters = 40;
    wb.radiator.vbCuFt = 40 / 28.317;
    wb.radiator.prAddedMassG = 60;
    ASSERT_TRUE(doc.CalcRadiatorTuning());
    ASSERT_TRUE(doc.CalculateResponse());
    const CompareRow row = CompareSystems(doc, true, 17).at(0);
    EXPECT_EQ(row.tuning, wb.radiator.fp);
    EXPECT_EQ(row.volume, 40);
    EXPECT_FALSE(std::isnan(row.f3));
}

TEST_F(CompareTableTest, NoCurveNoCorners)
{
    const CompareRow row = CompareSystems(doc, true, 17).at(0);
    EXPECT_TRUE(std::isnan(row.f3));
    EXPECT_TRUE(std::isnan(row.peakDb));
    EXPECT_TRUE(std::isnan(row.excursionMm));
    EXPECT_TRUE(std::isnan(row.maxSpl[0]));
}

} // namespace
} // namespace cw
