#include "calculators/BoxCalculatorPage.h"
#include "calculators/BoxSolvers.h"
#include "calculators/TrapezoidSolver.h"
#include "model/CSpkSysDoc.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

// Every lock pattern of the trapezoidal and bandpass pages against every field a designer can
// type: each edit either gives a box that can be built, with every locked value kept, or is
// refused with a sentence and changes nothing.
namespace cw::calc
{
namespace
{

using Q = BoxQuantity;
using enum BoxLock;

class LockWalk : public testing::Test
{
protected:
    CSpkSysDoc doc;
    CSpkSys& wb = doc.workbench();

    void SetUp() override
    {
        wb.closed2.qtc = 0.707;
        ASSERT_TRUE(doc.CalcBoxVolume()); // 83.19 liters
        doc.boxLocks = BoxLocks{};
        doc.boxLocks.trapVb = 0;
        doc.boxLocks.rectVb = 0;
        doc.boxLocks.bandpassVb = 0;
    }
};

// A new value for a field that a designer might type: a tenth more, the angle 5 degrees more.
// The field a lock holds.
Q Locked(BoxLock lock)
{
    switch (lock) {
    case H:
        return Q::Height;
    case W:
        return Q::Width;
    case W1:
        return Q::Width1;
    case W2:
        return Q::Width2;
    case D:
        return Q::Depth;
    case Angle:
        return Q::Angle;
    case Vb:
        break;
    }
    return Q::NetVolume;
}

double Typed(Q q, double now)
{
    if (q == Q::Angle)
        return now + 5;
    if (q == Q::Filling)
        return now + 10;
    if (now == 0)
        return q == Q::FrontHeight ? 0.2 : 1; // the displacements start at 0
    return now * 1.1;
}

std::string Describe(LockSet locks, BoxField f)
{
    std::string s = "locks";
    const char* names[] = {"H", "W", "W1", "W2", "D", "Angle", "Vb"};
    for (int i = 0; i < 7; ++i) {
        if (Has(locks, static_cast<BoxLock>(i)))
            s += std::string(" ") + names[i];
    }
    return s + ", field " + std::to_string(static_cast<int>(f.quantity)) +
           (f.metric ? " metric" : " English") + (f.chamber == Chamber::Front ? " front" : "");
}

void ExpectNetFollowsGross(double net, double gross, double displacements, double filling,
                           const std::string& where)
{
    EXPECT_NEAR(net, (filling + 100) * (gross - displacements) / 100, 2e-4 * gross) << where;
}

TEST_F(LockWalk, TrapezoidHoldsThePrismAndTheLocksOnEveryPath)
{
    const BoxLock all[] = {H, W1, W2, D, Angle, Vb};
    const Q fields[] = {Q::Height, Q::Width1,      Q::Width2,    Q::Depth,
                        Q::Angle,  Q::GrossVolume, Q::NetVolume, Q::DriverDisplacement,
                        Q::Filling};
    int patterns = 0, accepted = 0;
    for (LockSet locks = 0; locks < 64; ++locks) {
        LockSet set = 0;
        for (int i = 0; i < 6; ++i) {
            if (locks & (1u << i))
                set |= Bit(all[i]);
        }
        if (!TrapLocksAllowed(set))
            continue;
        ++patterns;
        for (const Q q : fields) {
            for (const bool metric : {true, false}) {
                // Every walk starts from the same box at 15 degrees.
                wb.trapBox = TrapBoxValues{};
                doc.boxLocks = BoxLocks{};
                doc.boxLocks.trapVb = 0;
                BoxCalculatorPage page(BoxPageKind::Trapezoidal, wb, doc.boxLocks);
                ASSERT_TRUE(page.Start());
                for (BoxLock lock : page.Locks()) {
                    if (Has(set, lock)) {
                        ASSERT_TRUE(page.ClickLock(lock).accepted) << Describe(set, {q, metric});
                    }
                }
                const TrapBoxValues before = wb.trapBox;
                const BoxField field{q, metric};
                const std::string where = Describe(set, field);
                const double typed = Typed(q, *page.Value(field));
                if (!page.Edit(field, typed)) {
                    EXPECT_NE(page.guardMessage(), "") << where;
                    EXPECT_EQ(wb.trapBox, before) << where;
                    // Only V(G) with V(B) locked has nothing left to solve.
                    EXPECT_TRUE(q == Q::GrossVolume && Has(set, Vb))
                        << where << ": " << page.guardMessage();
                    continue;
                }
                ++accepted;
                const TrapBoxValues& v = wb.trapBox;
                for (const bool copy : {true, false}) {
                    const TrapBoxDims& c = copy ? v.metric : v.english;
                    const TrapBoxDims& b = copy ? before.metric : before.english;
                    const TrapShape shape{c.height, c.width1, c.width2, c.depth, v.angle};
                    EXPECT_TRUE(IsTrapPrism(shape, CubeOfGross(c.grossVolume, copy)))
                        << where << (copy ? " (metric copy)" : " (English copy)") << ": H "
                        << c.height << " W1 " << c.width1 << " W2 " << c.width2 << " D " << c.depth
                        << " angle " << v.angle << " V(G) " << c.grossVolume;
                    EXPECT_LT(c.width1, c.width2) << where;
                    ExpectNetFollowsGross(c.netVolume, c.grossVolume,
                                          c.driverDisplacement + c.bracingDisplacement +
                                              c.otherDisplacement,
                                          v.fillingPercent, where);
                    const auto kept = [&](BoxLock lock, double now, double was) {
                        if (Has(set, lock) && q != Locked(lock)) {
                            EXPECT_EQ(now, was) << where;
                        }
                    };
                    kept(H, c.height, b.height);
                    kept(W1, c.width1, b.width1);
                    kept(W2, c.width2, b.width2);
                    kept(D, c.depth, b.depth);
                    kept(Angle, v.angle, before.angle);
                    kept(Vb, c.netVolume, b.netVolume);
                }
                EXPECT_EQ(*page.Value(field), typed) << where;
            }
        }
    }
    EXPECT_EQ(patterns, 25);
    EXPECT_GT(accepted, 400);
}

TEST_F(LockWalk, BandpassChambersAddUpOnEveryPath)
{
    const BoxLock all[] = {H, W, D, Vb};
    const BoxField fields[] = {{Q::Height},
                               {Q::FrontHeight},
                               {Q::Width},
                               {Q::Depth},
                               {Q::GrossVolume},
                               {Q::GrossVolume, true, Chamber::Front},
                               {Q::NetVolume},
                               {Q::NetVolume, true, Chamber::Front},
                               {Q::DriverDisplacement, true, Chamber::Front},
                               {Q::Filling}};
    wb.closed2 = {};
    wb.boxTypeName = "4th Order Symmetric Bandpass Box";
    wb.bandpass4.vb1Liters = 40;
    wb.bandpass4.vb1CuFt = 1.4126;
    wb.bandpass4.vb2Liters = 20;
    wb.bandpass4.vb2CuFt = 0.70629;
    int accepted = 0;
    for (LockSet locks = 0; locks < 16; ++locks) {
        LockSet set = 0;
        for (int i = 0; i < 4; ++i) {
            if (locks & (1u << i))
                set |= Bit(all[i]);
        }
        if (std::popcount(locks) > 2)
            continue; // at most two of the four
        for (BoxField field : fields) {
            for (const bool metric : {true, false}) {
                field.metric = metric;
                wb.bandpassBox = BandpassBoxValues{};
                doc.boxLocks = BoxLocks{};
                doc.boxLocks.bandpassVb = 0;
                BoxCalculatorPage page(BoxPageKind::Bandpass, wb, doc.boxLocks);
                ASSERT_TRUE(page.Start());
                for (BoxLock lock : page.Locks()) {
                    if (Has(set, lock)) {
                        ASSERT_TRUE(page.ClickLock(lock).accepted);
                    }
                }
                const BandpassBoxValues before = wb.bandpassBox;
                const std::string where = Describe(set, field);
                const double typed = Typed(field.quantity, *page.Value(field));
                if (!page.Edit(field, typed)) {
                    EXPECT_NE(page.guardMessage(), "") << where;
                    EXPECT_EQ(wb.bandpassBox, before) << where;
                    const bool grossOrFront =
                        field.quantity == Q::GrossVolume || field.quantity == Q::FrontHeight;
                    EXPECT_TRUE(grossOrFront && Has(set, Vb))
                        << where << ": " << page.guardMessage();
                    continue;
                }
                ++accepted;
                EXPECT_EQ(*page.Value(field), typed) << where;
                for (const bool copy : {true, false}) {
                    const BandpassBoxDims& b =
                        copy ? wb.bandpassBox.metric : wb.bandpassBox.english;
                    const BandpassBoxDims& was = copy ? before.metric : before.english;
                    const double unit = copy ? 1000 : 1.0 / 1728; // liters or cubic feet
                    EXPECT_NEAR(b.rearHeight * b.width * b.depth * unit, b.rear.grossVolume,
                                3e-4 * b.rear.grossVolume)
                        << where << (copy ? " metric" : " English") << " rear";
                    EXPECT_NEAR(b.frontHeight * b.width * b.depth * unit, b.front.grossVolume,
                                3e-4 * b.front.grossVolume)
                        << where << (copy ? " metric" : " English") << " front";
                    if (Has(set, H) && field.quantity != Q::Height) {
                        EXPECT_EQ(b.rearHeight, was.rearHeight) << where;
                    }
                    if (Has(set, W) && field.quantity != Q::Width) {
                        EXPECT_EQ(b.width, was.width) << where;
                    }
                    if (Has(set, D) && field.quantity != Q::Depth) {
                        EXPECT_EQ(b.depth, was.depth) << where;
                    }
                    if (Has(set, Vb) && field.quantity != Q::NetVolume) {
                        EXPECT_EQ(b.rear.netVolume, was.rear.netVolume) << where;
                        EXPECT_EQ(b.front.netVolume, was.front.netVolume) << where;
                    }
                }
            }
        }
    }
    EXPECT_GT(accepted, 150);
}

} // namespace
} // namespace cw::calc
