#pragma once

#include "model/MeasuredCurve.h"

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

// Impedance curves of drivers made of known parts, for the fit's tests.
namespace cw::test
{

constexpr double kRhoC2 = 1.18 * 344.8 * 344.8;

// A driver by its physical parts, from which its impedance follows as a circuit: the voice coil
// (R(e), L(e), L2 parallel to R2) in series with the motional branch (R(es), L(ces) and C(mes) in
// parallel).
struct Driver {
    double re = 6.1;    // Ohms
    double bl = 7.5;    // N/A
    double mms = 0.025; // kg
    double cms = 7e-4;  // m/N
    double rms = 1.2;   // kg/s
    double sd = 0.0215; // m²
    double le = 0.8e-3; // H
    double l2 = 0;      // H
    double r2 = 0;      // Ohms

    double Fs() const { return 1 / (2 * std::numbers::pi * std::sqrt(mms * cms)); }
    double Qms() const { return 2 * std::numbers::pi * Fs() * mms / rms; }
    double Qes() const { return 2 * std::numbers::pi * Fs() * mms * re / (bl * bl); }
    double VasLiters() const { return kRhoC2 * sd * sd * cms * 1000; }

    std::complex<double> Z(double hz) const
    {
        const std::complex<double> jw(0, 2 * std::numbers::pi * hz);
        std::complex<double> z = re + jw * le;
        if (l2 > 0)
            z += jw * l2 * r2 / (r2 + jw * l2);
        const double b2 = bl * bl;
        return z + 1.0 / (rms / b2 + 1.0 / (jw * b2 * cms) + jw * mms / b2);
    }

    Driver Loaded(double grams) const
    {
        Driver d = *this;
        d.mms += grams / 1000;
        return d;
    }
    Driver Boxed(double liters) const
    {
        Driver d = *this;
        const double box = liters / 1000 / (kRhoC2 * sd * sd); // the box air's compliance
        d.cms = cms * box / (cms + box);
        return d;
    }
};

using Extra = std::complex<double> (*)(double hz);

// 600 points from 10 Hz to 20 kHz, as a ZMA file would hold them, with relative noise of the
// given size (fixed seed) and, when withPhase is false, magnitudes only.
inline MeasuredCurve Zma(const Driver& d, double noise = 0, bool withPhase = true,
                         Extra extra = nullptr)
{
    std::mt19937 random(20261209);
    std::normal_distribution<double> gauss(0, noise / std::sqrt(2.0));
    MeasuredCurve c;
    c.kind = static_cast<std::int32_t>(MeasuredKind::Impedance);
    c.name = "synthesised";
    for (int i = 0; i < 600; ++i) {
        const double hz = 10 * std::pow(2000.0, i / 599.0);
        std::complex<double> z = d.Z(hz) + (extra ? extra(hz) : 0.0);
        if (noise > 0)
            z *= std::complex<double>(1 + gauss(random), gauss(random));
        c.hz.push_back(hz);
        c.value.push_back(std::abs(z));
        if (withPhase)
            c.phase.push_back(std::arg(z) * 180 / std::numbers::pi);
    }
    return c;
}

// The curve as a ZMA file's text.
inline std::string ZmaText(const MeasuredCurve& c)
{
    std::string text = "* synthesised impedance\n";
    char line[96];
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c.phase.empty())
            std::snprintf(line, sizeof line, "%.9g %.9g\n", c.hz[i], c.value[i]);
        else
            std::snprintf(line, sizeof line, "%.9g %.9g %.9g\n", c.hz[i], c.value[i], c.phase[i]);
        text += line;
    }
    return text;
}

} // namespace cw::test
