#include "calculators/BoxCalculatorPage.h"

#include "calculators/BoxSolvers.h"
#include "calculators/TrapezoidSolver.h"
#include "model/CSpkSysDoc.h"
#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>

namespace cw::calc
{
namespace
{

using Q = BoxQuantity;
constexpr BoxPageKind kRect = BoxPageKind::Rectangular;
constexpr BoxPageKind kTrap = BoxPageKind::Trapezoidal;
constexpr BoxPageKind kBandpass = BoxPageKind::Bandpass;

template <class Group> bool AllFinite(const Group& g)
{
    bool finite = true;
    Group::Fields(g, [&](const char*, const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>)
            finite = finite && std::isfinite(v);
        else if constexpr (!std::is_same_v<T, std::string>)
            finite = finite && AllFinite(v);
    });
    return finite;
}

// The two copies describe one box to the precision of five significant digits.
void ExpectSameBox(double metres, double inches)
{
    EXPECT_NEAR(inches * 0.0254, metres, 2e-4 * metres);
}
void ExpectSameVolume(double liters, double cuFt)
{
    EXPECT_NEAR(cuFt * 28.316847, liters, 2e-4 * liters);
}

class BoxPage : public testing::Test
{
protected:
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();
    BoxLocks& locks = doc.boxLocks; // a new document's: V(B) locked

    void DesignClosedBox()
    {
        wb.closed2.qtc = 0.707;
        ASSERT_TRUE(doc.CalcBoxVolume()); // 83.19 liters, 2.9379 cubic feet
    }
};

TEST_F(BoxPage, RectangularStartFromADesignedClosedBox)
{
    DesignClosedBox();
    BoxCalculatorPage page(kRect, wb, locks);
    ASSERT_TRUE(page.Start());
    for (const bool metric : {true, false}) {
        const RectBoxDims& c = metric ? wb.rectBox.metric : wb.rectBox.english;
        EXPECT_DOUBLE_EQ(c.netVolume, metric ? 83.19 : 2.9379);
        EXPECT_DOUBLE_EQ(c.grossVolume, c.netVolume);
        EXPECT_NEAR(c.height / c.width, kPhi, 1e-4);
        EXPECT_NEAR(c.width / c.depth, kPhi, 1e-4);
        EXPECT_NEAR(c.height * c.width * c.depth / CubeOfGross(c.grossVolume, metric), 1, 2e-4);
    }
    ExpectSameBox(wb.rectBox.metric.height, wb.rectBox.english.height);

    // Opened again, the page shows what is stored, even a box that no longer adds up.
    wb.rectBox.metric.height = 2;
    wb.closed2.vbLiters = 50;
    const RectBoxValues stored = wb.rectBox;
    EXPECT_TRUE(page.Start());
    EXPECT_EQ(wb.rectBox, stored);
}

TEST_F(BoxPage, TrapezoidAndBandpassStartFromTheirDesignVolumes)
{
    DesignClosedBox();
    BoxCalculatorPage trap(kTrap, wb, locks);
    ASSERT_TRUE(trap.Start());
    const TrapBoxDims& t = wb.trapBox.english;
    EXPECT_DOUBLE_EQ(t.netVolume, 2.9379);
    EXPECT_NEAR((t.width2 - t.width1) / (2 * t.depth), std::tan(15 * 6.2831853 / 360), 1e-4);
    EXPECT_NEAR(t.height * t.depth * (t.width1 + t.width2) / 2 / 1728 / t.grossVolume, 1, 2e-4);

    // A closed box leaves the front chamber empty; a bandpass box fills both chambers.
    BoxCalculatorPage bandpass(kBandpass, wb, locks);
    ASSERT_TRUE(bandpass.Start());
    EXPECT_DOUBLE_EQ(wb.bandpassBox.metric.rear.netVolume, 83.19);
    EXPECT_EQ(wb.bandpassBox.metric.frontHeight, 0);
    wb.bandpassBox = BandpassBoxValues{};
    doc.SetBoxType(BoxType::Bandpass5);
    wb.bandpass5.vb1Liters = 40;
    wb.bandpass5.vb1CuFt = 1.4126;
    wb.bandpass5.vb2Liters = 25;
    wb.bandpass5.vb2CuFt = 0.88287;
    ASSERT_TRUE(bandpass.Start());
    for (const bool metric : {true, false}) {
        const BandpassBoxDims& b = metric ? wb.bandpassBox.metric : wb.bandpassBox.english;
        EXPECT_DOUBLE_EQ(b.front.netVolume, metric ? 25 : 0.88287);
        EXPECT_NEAR(b.rearHeight / b.width, kPhi, 1e-4);
        EXPECT_NEAR(b.frontHeight * b.width * b.depth / CubeOfGross(b.front.grossVolume, metric), 1,
                    2e-4);
    }
}

TEST_F(BoxPage, DisplacementsAndFillingInBothDirections)
{
    BoxCalculatorPage page(kRect, wb, locks);
    ASSERT_TRUE(page.Edit({Q::DriverDisplacement}, 0.5));
    ASSERT_TRUE(page.Edit({Q::BracingDisplacement}, 0.3));
    ASSERT_TRUE(page.Edit({Q::OtherDisplacement}, 0.2));
    ASSERT_TRUE(page.Edit({Q::Filling}, 10));
    ASSERT_TRUE(page.Edit({Q::NetVolume}, 10));
    EXPECT_DOUBLE_EQ(wb.rectBox.metric.grossVolume, 10.091);
    ExpectSameVolume(10.091, wb.rectBox.english.grossVolume);

    ASSERT_TRUE(page.ClickLock(BoxLock::Vb).accepted);
    ASSERT_TRUE(page.Edit({Q::GrossVolume}, 10.091));
    EXPECT_DOUBLE_EQ(wb.rectBox.metric.netVolume, 10);
    ExpectSameVolume(10, wb.rectBox.english.netVolume);
    const RectBoxDims& m = wb.rectBox.metric;
    EXPECT_NEAR(m.height * m.width * m.depth * 1000, 10.091, 2e-3);
}

TEST_F(BoxPage, AnEditChangesBothCopiesSoTheOtherUnitsShowTheSameBox)
{
    DesignClosedBox();
    BoxCalculatorPage page(kRect, wb, locks);
    ASSERT_TRUE(page.Start());
    ASSERT_TRUE(page.Edit({Q::Height, true}, 0.6));
    EXPECT_DOUBLE_EQ(wb.rectBox.english.height, 23.622);
    // With English units the user types inches; the metric copy follows.
    ASSERT_TRUE(page.Edit({Q::Depth, false}, 10));
    EXPECT_DOUBLE_EQ(wb.rectBox.metric.depth, 0.254);
    const RectBoxDims& m = wb.rectBox.metric;
    const RectBoxDims& e = wb.rectBox.english;
    ExpectSameBox(m.height, e.height);
    ExpectSameBox(m.width, e.width);
    ExpectSameVolume(m.netVolume, e.netVolume);
    EXPECT_DOUBLE_EQ(m.netVolume, 83.19); // locked
}

TEST_F(BoxPage, EditsKeepWhatIsLocked)
{
    DesignClosedBox();
    BoxCalculatorPage page(kRect, wb, locks);
    ASSERT_TRUE(page.Start());
    ASSERT_TRUE(page.ClickLock(BoxLock::H).accepted);
    const RectBoxValues before = wb.rectBox;
    ASSERT_TRUE(page.Edit({Q::Width}, 0.5)); // V(B) and H locked: D follows
    EXPECT_EQ(wb.rectBox.metric.height, before.metric.height);
    EXPECT_EQ(wb.rectBox.metric.grossVolume, before.metric.grossVolume);
    EXPECT_NEAR(wb.rectBox.metric.depth, 0.08319 / (before.metric.height * 0.5), 1e-4);
    EXPECT_FALSE(page.Edit({Q::GrossVolume}, 70));
    EXPECT_EQ(page.guardMessage(), "V(B) is locked; unlock it to change V(G).");
    EXPECT_EQ(wb.rectBox.metric.grossVolume, before.metric.grossVolume);

    // V(B) unlocked: a dimension gives V(G) and V(B) and moves nothing else.
    ASSERT_TRUE(page.ClickLock(BoxLock::Vb).accepted);
    const RectBoxValues unlocked = wb.rectBox;
    ASSERT_TRUE(page.Edit({Q::Depth}, 0.4));
    EXPECT_EQ(page.guardMessage(), "");
    EXPECT_EQ(wb.rectBox.metric.width, unlocked.metric.width);
    EXPECT_DOUBLE_EQ(wb.rectBox.metric.grossVolume,
                     Round5(unlocked.metric.height * 0.5 * 0.4 * 1000));
    EXPECT_EQ(wb.rectBox.metric.netVolume, wb.rectBox.metric.grossVolume);
}

TEST_F(BoxPage, TrapezoidEditsSolveWithTheTypedDimensionKept)
{
    DesignClosedBox();
    BoxCalculatorPage page(kTrap, wb, locks);
    ASSERT_TRUE(page.Start());
    ASSERT_TRUE(page.ClickLock(BoxLock::W2).accepted); // with V(B): H typed runs S4
    const TrapBoxValues before = wb.trapBox;
    ASSERT_TRUE(page.Edit({Q::Height, false}, 30));
    const TrapBoxDims& e = wb.trapBox.english;
    EXPECT_EQ(e.width2, before.english.width2);
    EXPECT_EQ(e.netVolume, before.english.netVolume);
    EXPECT_NEAR(e.height * e.depth * (e.width1 + e.width2) / 2 / 1728 / e.grossVolume, 1, 2e-4);
    EXPECT_EQ(wb.trapBox.angle, 15);
    ExpectSameBox(wb.trapBox.metric.depth, e.depth);

    // W1 and W2 locked, D typed: S9 finds the angle, from the English copy.
    ASSERT_TRUE(page.ClickLock(BoxLock::W1).accepted);
    ASSERT_TRUE(page.Edit({Q::Depth, false}, 12));
    EXPECT_DOUBLE_EQ(wb.trapBox.angle,
                     Round5(std::atan((e.width2 - e.width1) / 24) * 360 / 6.2831853));

    // H locked and typed: the box follows from H as if H had not been typed.
    ASSERT_TRUE(page.ClickLock(BoxLock::W1).accepted);
    ASSERT_TRUE(page.ClickLock(BoxLock::W2).accepted);
    ASSERT_TRUE(page.ClickLock(BoxLock::H).accepted);
    ASSERT_TRUE(page.Edit({Q::Height, false}, 25));
    EXPECT_NEAR(e.height * e.depth * (e.width1 + e.width2) / 2 / 1728 / e.grossVolume, 1, 2e-4);
    ASSERT_TRUE(page.ClickLock(BoxLock::H).accepted);
    ASSERT_TRUE(page.ClickLock(BoxLock::W2).accepted);

    // Too small a height for W2 at this angle: nothing solved.
    const TrapBoxValues solved = wb.trapBox;
    EXPECT_FALSE(page.Edit({Q::Height, true}, 0.01));
    EXPECT_EQ(page.guardMessage(), kWidth2TooNarrow);
    EXPECT_EQ(wb.trapBox, solved); // the typed value and its twin too
}

TEST_F(BoxPage, ValuesThatAllowNoBoxStoreNothingUnusable)
{
    BoxCalculatorPage rect(kRect, wb, locks);
    EXPECT_FALSE(rect.Start()); // nothing designed: a volume of 0
    EXPECT_EQ(rect.guardMessage(), "The box volume must be above 0.");
    EXPECT_EQ(wb.rectBox, RectBoxValues{});

    DesignClosedBox();
    wb.rectBox = RectBoxValues{};
    ASSERT_TRUE(rect.Start());
    const RectBoxValues good = wb.rectBox;
    EXPECT_FALSE(rect.Edit({Q::Depth}, 1e308)); // no inch copy for that
    EXPECT_EQ(rect.guardMessage(), kTooLarge);
    EXPECT_EQ(wb.rectBox, good);
    EXPECT_FALSE(rect.Edit({Q::Height}, 0));
    EXPECT_EQ(rect.guardMessage(), kHeightAboveZero);
    EXPECT_EQ(wb.rectBox.metric.width, good.metric.width);
    EXPECT_FALSE(rect.Edit({Q::Filling}, -100));
    EXPECT_EQ(rect.guardMessage(), kFillingAboveMinus100);
    EXPECT_TRUE(rect.Edit({Q::Height}, 0.5));
    EXPECT_EQ(rect.guardMessage(), "");

    BoxCalculatorPage trap(kTrap, wb, locks);
    BoxCalculatorPage bandpass(kBandpass, wb, locks);
    ASSERT_TRUE(trap.Start());
    ASSERT_TRUE(bandpass.Start());
    const double hostile[] = {0, -1, 1e300, -1e300, 1e-300, 89.9999, 90};
    for (BoxCalculatorPage* page : {&rect, &trap, &bandpass}) {
        for (int q = 0; q <= static_cast<int>(Q::NetVolume); ++q) {
            for (const Chamber chamber : {Chamber::Rear, Chamber::Front}) {
                for (double v : hostile) {
                    const BoxField field{static_cast<Q>(q), v > 0, chamber};
                    if (page->Value(field) == nullptr)
                        continue;
                    if (!page->Edit(field, v)) {
                        EXPECT_NE(page->guardMessage(), "");
                    }
                    ASSERT_TRUE(AllFinite(wb.rectBox) && AllFinite(wb.trapBox) &&
                                AllFinite(wb.bandpassBox))
                        << int(page->kind()) << " " << q << " " << v;
                }
            }
        }
        page->ClickLock(BoxLock::Vb);
    }
}

TEST_F(BoxPage, ImpossibleValuesAreRefusedAndLeaveThePageAsItWas)
{
    DesignClosedBox();
    BoxCalculatorPage page(kRect, wb, locks);
    ASSERT_TRUE(page.Start());
    ASSERT_TRUE(page.ClickLock(BoxLock::Vb).accepted); // V(B) free: dimensions give the volume
    ASSERT_TRUE(page.Edit({Q::DriverDisplacement}, 10));
    const RectBoxValues good = wb.rectBox;
    const struct {
        BoxField field;
        double value;
        const char* message;
    } cases[] = {
        // The typed value and its twin go too: no H of 0 beside the old W, D and V(G).
        {{Q::Height}, 0, kDisplacementsTooLarge},
        {{Q::NetVolume}, -5, "The net volume V(B) must be above 0."},
        {{Q::DriverDisplacement, false}, -0.7, kDisplacementsNotNegative},
        {{Q::BracingDisplacement}, -20, kDisplacementsNotNegative},
        // Far below what the cubic-feet copy can hold: the real reason, not "above 0".
        {{Q::NetVolume},
         1e-6,
         "This value is too small to be kept in the other units: it rounds to 0 there."},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(page.Edit(c.field, c.value)) << c.value;
        EXPECT_EQ(page.guardMessage(), c.message);
        EXPECT_EQ(wb.rectBox, good) << c.value;
    }
    // A tiny box the other copy can hold is solved in both.
    ASSERT_TRUE(page.ClickLock(BoxLock::Vb).accepted);
    ASSERT_TRUE(page.Edit({Q::DriverDisplacement}, 0));
    ASSERT_TRUE(page.Edit({Q::NetVolume, false}, 1e-6)) << page.guardMessage();
    EXPECT_GT(wb.rectBox.metric.height, 0);
    ExpectSameBox(wb.rectBox.metric.height, wb.rectBox.english.height);
}

TEST_F(BoxPage, FixedFieldsAndFieldAddresses)
{
    DesignClosedBox();
    BoxCalculatorPage page(kBandpass, wb, locks);
    ASSERT_TRUE(page.Start());

    EXPECT_FALSE(page.Edit({Q::FrontHeight}, 0.2)); // follows the front volume while V(B) locked
    EXPECT_EQ(page.guardMessage(), "V(B) is locked; unlock it to change the front chamber height.");

    const BoxField frontFilling{Q::Filling, true, Chamber::Front};
    EXPECT_EQ(page.FieldAt(&wb.bandpassBox.frontFillingPercent), frontFilling);
    const BoxField englishRearNet{Q::NetVolume, false};
    EXPECT_EQ(page.FieldAt(&wb.bandpassBox.english.rear.netVolume), englishRearNet);
    EXPECT_EQ(page.FieldAt(&wb.rectBox.metric.height), std::nullopt);
    EXPECT_EQ(page.Value({Q::Width1}), nullptr);
}

} // namespace
} // namespace cw::calc
