#include "calculators/TrapezoidSolver.h"

#include "calculators/BoxSolvers.h"
#include "model/Units.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace cw::calc
{
namespace
{

using enum BoxLock;
using enum TrapRoutine;

double Tan(double degrees)
{
    return std::tan(degrees * 6.2831853 / 360);
}

// A known box, consistent in both relations, and its volume in the cube of its length unit.
struct KnownBox {
    TrapShape shape;
    double vc;
};

KnownBox MakeBox(double h, double w1, double d, double angle)
{
    const double w2 = Round5(w1 + 2 * d * Tan(angle));
    return {{h, w1, w2, d, angle}, h * d * (w1 + w2) / 2};
}

// Both relations hold to the precision of five significant digits.
void ExpectRelations(const TrapShape& s, double vc)
{
    EXPECT_NEAR(s.height * s.depth * (s.width1 + s.width2) / 2 / vc, 1, 3e-4);
    EXPECT_NEAR((s.width2 - s.width1) / (2 * s.depth * Tan(s.angle)), 1, 3e-4);
}

class TrapRoutines : public testing::TestWithParam<std::tuple<KnownBox, TrapRoutine>>
{
};

// Each routine is given the known values of its given dimensions and nonsense elsewhere; it
// finds the box back, or (S0, S2, S11, with free proportions) another box of the same volume
// and angle.
TEST_P(TrapRoutines, SolveTheKnownBox)
{
    const auto& [box, routine] = GetParam();
    const TrapShape& k = box.shape;
    TrapShape s{3 * k.height, 3 * k.width1, 3 * k.width2, 3 * k.depth, k.angle};
    // The dimensions each routine is given, as in the routine table.
    static constexpr LockSet kGiven[] = {
        0,
        Bit(W1) | Bit(W2) | Bit(D),
        Bit(H),
        Bit(H) | Bit(W1),
        Bit(H) | Bit(W2),
        Bit(H) | Bit(D),
        Bit(H) | Bit(W1) | Bit(W2),
        Bit(W1) | Bit(D),
        Bit(W2) | Bit(D),
        Bit(W1) | Bit(W2) | Bit(D),
        Bit(H) | Bit(W1) | Bit(W2),
        Bit(D),
    };
    const LockSet given = kGiven[static_cast<int>(routine)];
    if (Has(given, H))
        s.height = k.height;
    if (Has(given, W1))
        s.width1 = k.width1;
    if (Has(given, W2))
        s.width2 = k.width2;
    if (Has(given, D))
        s.depth = k.depth;
    if (routine == S6 || routine == S9)
        s.angle = 40;
    SolveGuard guard;
    RunTrapRoutine(routine, s, box.vc, guard);
    ASSERT_TRUE(guard.ok()) << guard.message();
    ExpectRelations(s, box.vc);
    if (routine != S0 && routine != S2 && routine != S11) {
        EXPECT_NEAR(s.height / k.height, 1, 2e-4);
        EXPECT_NEAR(s.width1 / k.width1, 1, 2e-4);
        EXPECT_NEAR(s.width2 / k.width2, 1, 2e-4);
        EXPECT_NEAR(s.depth / k.depth, 1, 2e-4);
        EXPECT_NEAR(s.angle, k.angle, 0.01);
    }
    for (double v : {s.height, s.width1, s.width2, s.depth, s.angle})
        EXPECT_DOUBLE_EQ(v, Round5(v));
}

INSTANTIATE_TEST_SUITE_P(
    MetresAndInches, TrapRoutines,
    testing::Combine(testing::Values(MakeBox(0.5, 0.2, 0.3, 15), MakeBox(20, 8, 12, 22)),
                     testing::Values(S0, S1, S2, S3, S4, S5, S6, S7, S8, S9, S10, S11)));

TEST(TrapRoutineChoice, LocksAndForcedDimensions)
{
    using V = std::vector<TrapRoutine>;
    EXPECT_EQ(SelectTrapRoutines(0, 0), V{S0});
    EXPECT_EQ(SelectTrapRoutines(Bit(Vb), Bit(W1)), V{S3});
    EXPECT_EQ(SelectTrapRoutines(Bit(Angle) | Bit(Vb), Bit(Angle)), V{S5});
    EXPECT_EQ(SelectTrapRoutines(Bit(W2), Bit(W1)), V{S6});
    EXPECT_EQ(SelectTrapRoutines(Bit(W1) | Bit(W2), Bit(Angle)), V{S10});
    EXPECT_EQ(SelectTrapRoutines(Bit(D) | Bit(Angle), 0), V{S11});
    EXPECT_EQ(SelectTrapRoutines(Bit(H) | Bit(W1) | Bit(W2), 0), V{S6});
    // Several forced dimensions: one routine each, in the order H, W1, W2, D, angle.
    EXPECT_EQ(SelectTrapRoutines(0, Bit(Angle) | Bit(W2) | Bit(H)), (V{S2, S4, S5}));
    // A locked dimension typed anew is solved as a forced one under the other locks: W1 typed
    // with W1 and W2 locked gives the depth and the angle for the new W1 (S6), not a height
    // that leaves the old angle standing on the new widths.
    EXPECT_EQ(SelectTrapRoutines(Bit(H) | Bit(Vb), Bit(H)), V{S2});
    EXPECT_EQ(SelectTrapRoutines(Bit(W1) | Bit(W2) | Bit(Vb), Bit(W1)), V{S6});
    EXPECT_EQ(SelectTrapRoutines(Bit(D) | Bit(Angle) | Bit(Vb), Bit(Angle)), V{S5});
    // Rows that need the angle unlocked; then nothing solves.
    EXPECT_EQ(SelectTrapRoutines(Bit(W1) | Bit(Angle), 0), V{});
    EXPECT_EQ(SelectTrapRoutines(Bit(H) | Bit(W1) | Bit(D), 0), V{});
}

TEST(TrapRoutineChoice, ALockARoutineWouldBreakRefusesInsteadOfBendingTheBox)
{
    // S6 solves D and the angle, but D is locked: keeping D with S6's angle is no trapezoid, so
    // nothing is stored.
    TrapBoxDims d;
    d.height = 0.5;
    d.width1 = 0.2;
    d.width2 = 0.36;
    d.depth = 0.3;
    d.grossVolume = 50;
    const TrapBoxDims before = d;
    double angle = 15;
    SolveGuard guard;
    SolveTrapDimensions(d, angle, true, Bit(W1) | Bit(D), Bit(H), guard);
    EXPECT_EQ(guard.message(), kLocksLeaveNoBox);
    EXPECT_EQ(d, before);
    EXPECT_EQ(angle, 15);
}

TEST(TrapRoutines, AngleZeroIsARectangle)
{
    const KnownBox box = MakeBox(0.5, 0.3, 0.2, 0);
    for (TrapRoutine routine : {S3, S4, S10}) {
        TrapShape s = box.shape;
        if (routine == S3)
            s.width2 = 9;
        if (routine == S4)
            s.width1 = 9;
        s.depth = 9;
        SolveGuard guard;
        RunTrapRoutine(routine, s, box.vc, guard);
        ASSERT_TRUE(guard.ok());
        EXPECT_DOUBLE_EQ(s.depth, 0.2);
        EXPECT_DOUBLE_EQ(s.width1, s.width2);
    }
}

TEST(TrapRoutines, ValuesThatAllowNoBoxLeaveTheShapeAsItWas)
{
    const KnownBox box = MakeBox(0.5, 0.2, 0.3, 15);
    const struct {
        TrapRoutine routine;
        TrapShape shape;
        double vc;
        const char* message;
    } cases[] = {
        {S4, {0.01, 0.2, 0.36, 0.3, 15}, box.vc, kWidth2TooNarrow},
        {S5,
         {0.5, 0.2, 0.36, 3, 15},
         box.vc,
         "No box fits these values: width 1 would not be above 0."},
        {S6, {0.5, 0.36, 0.2, 0.3, 15}, box.vc, kWidth1Wider},
        {S3, {0.5, 0.2, 0.36, 0.3, 90}, box.vc, kAngleRange},
        {S3, {0.5, 0.2, 0.36, 0.3, -5}, box.vc, kAngleRange},
        {S1, {0.5, 0.2, 0.36, 0, 15}, box.vc, kDepthAboveZero},
        {S7, {0.5, -0.2, 0.36, 0.3, 15}, box.vc, kWidth1AboveZero},
        {S0, box.shape, 0, kVolumeAboveZero},
        {S11, box.shape, std::nan(""), kVolumeAboveZero},
    };
    for (const auto& c : cases) {
        TrapShape s = c.shape;
        SolveGuard guard;
        RunTrapRoutine(c.routine, s, c.vc, guard);
        EXPECT_EQ(guard.message(), c.message) << static_cast<int>(c.routine);
        EXPECT_EQ(s.height, c.shape.height);
        EXPECT_EQ(s.width1, c.shape.width1);
        EXPECT_EQ(s.depth, c.shape.depth);
        EXPECT_EQ(s.angle, c.shape.angle);
    }
}

} // namespace
} // namespace cw::calc
