#include "calculators/BoxCalculatorPage.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>

namespace cw::calc
{
namespace
{

using enum BoxLock;

class BoxLockClicks : public testing::Test
{
protected:
    CSpkSys record;
    BoxLocks locks; // a new document's: only V(B) locked
};

TEST_F(BoxLockClicks, AtMostTwoOfFourOnTheRectangularAndBandpassPages)
{
    for (const BoxPageKind kind : {BoxPageKind::Rectangular, BoxPageKind::Bandpass}) {
        BoxCalculatorPage page(kind, record, locks);
        EXPECT_TRUE(page.ClickLock(Vb).accepted); // off
        EXPECT_TRUE(page.ClickLock(H).accepted);
        EXPECT_TRUE(page.ClickLock(W).accepted);
        EXPECT_TRUE(page.IsLocked(H) && page.IsLocked(W));
        // D refused twice quietly, the third time with the message; the count starts again.
        for (int click = 1; click <= 4; ++click) {
            const LockClick c = page.ClickLock(D);
            EXPECT_FALSE(c.accepted);
            EXPECT_FALSE(page.IsLocked(D));
            EXPECT_EQ(c.message ? std::string(c.message) : "",
                      click == 3 ? "At least two fields must remain unlocked." : "")
                << click;
        }
        // An accepted click ends the run of refusals.
        EXPECT_TRUE(page.ClickLock(W).accepted);
        EXPECT_TRUE(page.ClickLock(W).accepted);
        EXPECT_EQ(page.ClickLock(Vb).message, nullptr);
        EXPECT_EQ(page.ClickLock(Vb).message, nullptr);
        EXPECT_FALSE(page.IsLocked(Vb));
        locks = BoxLocks{};
    }
    EXPECT_EQ(record.rectBox, RectBoxValues{}); // a lock click changes no value
    EXPECT_EQ(record.bandpassBox, BandpassBoxValues{});
}

TEST_F(BoxLockClicks, TrapezoidWidthThenAngleIsRefused)
{
    BoxCalculatorPage page(BoxPageKind::Trapezoidal, record, locks);
    EXPECT_TRUE(page.ClickLock(W1).accepted);
    for (int click = 1; click <= 3; ++click) {
        const LockClick c = page.ClickLock(Angle);
        EXPECT_FALSE(c.accepted);
        EXPECT_EQ(locks.trapAngle, 0);
        EXPECT_EQ(c.message ? std::string(c.message) : "",
                  click == 3 ? "That combination of locks is not allowed." : "");
    }
    EXPECT_EQ(locks.trapW1, 1);
}

// The 25 lock sets of the trapezoidal page, as the page's help lists them.
constexpr std::array<LockSet, 25> kAllowed = {
    0,
    Bit(H),
    Bit(W1),
    Bit(W2),
    Bit(D),
    Bit(Angle),
    Bit(Vb),
    Bit(H) | Bit(W1),
    Bit(H) | Bit(W2),
    Bit(H) | Bit(D),
    Bit(H) | Bit(Angle),
    Bit(H) | Bit(Vb),
    Bit(W1) | Bit(W2),
    Bit(W1) | Bit(D),
    Bit(W1) | Bit(Vb),
    Bit(W2) | Bit(D),
    Bit(W2) | Bit(Vb),
    Bit(D) | Bit(Angle),
    Bit(D) | Bit(Vb),
    Bit(Angle) | Bit(Vb),
    Bit(H) | Bit(W1) | Bit(W2),
    Bit(H) | Bit(D) | Bit(Angle),
    Bit(H) | Bit(Angle) | Bit(Vb),
    Bit(W1) | Bit(W2) | Bit(Vb),
    Bit(D) | Bit(Angle) | Bit(Vb),
};

bool Listed(LockSet set)
{
    return std::find(kAllowed.begin(), kAllowed.end(), set) != kAllowed.end();
}

TEST_F(BoxLockClicks, TrapezoidAllowsExactlyTheListedSets)
{
    constexpr std::array<BoxLock, 6> kLocks = {H, W1, W2, D, Angle, Vb};
    for (LockSet set = 0; set < 64; ++set) {
        LockSet bits = 0;
        for (std::size_t i = 0; i < kLocks.size(); ++i) {
            if (set & (1u << i))
                bits |= Bit(kLocks[i]);
        }
        EXPECT_EQ(TrapLocksAllowed(bits), Listed(bits)) << set;
    }
    // From every allowed set, each click is accepted exactly when it leads to an allowed set.
    for (LockSet start : kAllowed) {
        for (BoxLock lock : kLocks) {
            BoxCalculatorPage page(BoxPageKind::Trapezoidal, record, locks);
            locks.trapH = Has(start, H);
            locks.trapW1 = Has(start, W1);
            locks.trapW2 = Has(start, W2);
            locks.trapD = Has(start, D);
            locks.trapAngle = Has(start, Angle);
            locks.trapVb = Has(start, Vb);
            const LockSet next = start ^ Bit(lock);
            EXPECT_EQ(page.ClickLock(lock).accepted, Listed(next)) << start << " " << int(lock);
            EXPECT_EQ(page.IsLocked(lock), Listed(next) && Has(next, lock));
        }
    }
}

} // namespace
} // namespace cw::calc
