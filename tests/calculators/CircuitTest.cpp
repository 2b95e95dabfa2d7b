#include "calculators/Circuit.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace cw::calc
{
namespace
{

constexpr int kIn = Circuit::kInput;
constexpr int kGnd = Circuit::kGround;

TEST(Circuit, ResistiveDividerAndItsPowers)
{
    // 3 Ohms over 1 Ohm: a quarter of the input, 4 Ohms at the source, 1/4 W in all.
    Circuit c;
    const int mid = c.AddNode();
    const int top = c.AddResistor(kIn, mid, 3);
    const int bottom = c.AddResistor(mid, kGnd, 1);
    const auto s = c.Solve(1000);
    ASSERT_TRUE(s);
    EXPECT_NEAR(std::abs(s->Voltage(mid) - 0.25), 0, 1e-15);
    EXPECT_NEAR(std::abs(s->InputImpedance() - 4.0), 0, 1e-14);
    EXPECT_NEAR(std::abs(s->ElementCurrent(top) - 0.25), 0, 1e-15);
    EXPECT_NEAR(s->ElementPower(top), 3.0 / 16, 1e-15);
    EXPECT_NEAR(s->ElementPower(bottom), 1.0 / 16, 1e-15);
    EXPECT_NEAR(std::abs(s->ElementVoltage(top) - 0.75), 0, 1e-15);
}

TEST(Circuit, RcLowPassAtItsCornerAndTheLcResonance)
{
    // 1 kOhm and 1 µF: corner at 1/(2π RC) = 159.15 Hz, |H| = 1/√2, phase -45°.
    Circuit c;
    const int out = c.AddNode();
    c.AddResistor(kIn, out, 1000);
    c.AddCapacitor(out, kGnd, 1e-6);
    const double corner = 1 / (2 * std::numbers::pi * 1000 * 1e-6);
    const auto s = c.Solve(corner);
    ASSERT_TRUE(s);
    EXPECT_NEAR(std::abs(s->Voltage(out)), 1 / std::numbers::sqrt2, 1e-12);
    EXPECT_NEAR(std::arg(s->Voltage(out)) * 180 / std::numbers::pi, -45, 1e-9);
    // A decade above, the first-order slope: |H| = 1/√(1 + 100).
    EXPECT_NEAR(std::abs(c.Solve(10 * corner)->Voltage(out)), 1 / std::sqrt(101.0), 1e-12);

    // A series L-C between two resistors cancels at 1/(2π√(LC)): the divider is purely
    // resistive there, 1/2 of the input.
    Circuit lc;
    const int a = lc.AddNode(), b = lc.AddNode(), o = lc.AddNode();
    lc.AddResistor(kIn, a, 8);
    lc.AddInductor(a, b, 1e-3);
    lc.AddCapacitor(b, o, 10e-6);
    lc.AddResistor(o, kGnd, 8);
    const auto r = lc.Solve(1 / (2 * std::numbers::pi * std::sqrt(1e-3 * 10e-6)));
    ASSERT_TRUE(r);
    EXPECT_NEAR(std::abs(r->Voltage(o) - 0.5), 0, 1e-12);
    EXPECT_NEAR(std::abs(r->InputImpedance() - 16.0), 0, 1e-10);
}

TEST(Circuit, AGivenImpedanceActsAsTheElementsItStandsFor)
{
    // 6 Ohms + j2π f 1 mH as one given load equals a resistor and an inductor in series.
    const double hz = 2500;
    Circuit elements;
    const int m = elements.AddNode();
    elements.AddResistor(kIn, m, 6);
    elements.AddInductor(m, kGnd, 1e-3);
    Circuit given;
    given.AddImpedance(kIn, kGnd,
                       [](double f) { return Complex(6, 2 * std::numbers::pi * f * 1e-3); });
    const Complex expected(6, 2 * std::numbers::pi * hz * 1e-3);
    EXPECT_NEAR(std::abs(elements.Solve(hz)->InputImpedance() - expected), 0, 1e-12);
    EXPECT_NEAR(std::abs(given.Solve(hz)->InputImpedance() - expected), 0, 1e-12);
}

TEST(Circuit, NetworksThatCannotBeSolvedGiveNothing)
{
    Circuit shorted; // a resistance of 0
    const int n = shorted.AddNode();
    shorted.AddResistor(kIn, n, 0);
    shorted.AddResistor(n, kGnd, 8);
    EXPECT_FALSE(shorted.Solve(1000));

    Circuit floating; // a node that nothing ties down
    floating.AddResistor(kIn, kGnd, 8);
    const int loose = floating.AddNode();
    floating.AddCapacitor(loose, floating.AddNode(), 1e-6);
    EXPECT_FALSE(floating.Solve(1000));

    Circuit coil; // an inductor at 0 Hz, and one of 0 H
    coil.AddInductor(kIn, kGnd, 1e-3);
    EXPECT_FALSE(coil.Solve(0));
    EXPECT_TRUE(coil.Solve(1));
    Circuit noCoil;
    noCoil.AddInductor(kIn, kGnd, 0);
    EXPECT_FALSE(noCoil.Solve(1000));

    Circuit open; // the source sees nothing
    open.AddCapacitor(kIn, kGnd, 0);
    EXPECT_FALSE(open.Solve(1000));
}

} // namespace
} // namespace cw::calc
