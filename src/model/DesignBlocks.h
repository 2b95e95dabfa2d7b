#pragma once

// The design values of each enclosure alignment. Every box type keeps its own block, so that
// switching the box type keeps the values of the others. Paired fields hold one quantity in
// both unit systems.

namespace cw
{

// 2nd order closed box.
struct ClosedBox2 {
    double vbLiters = 0; // liters, box volume
    double vbCuFt = 0;   // cubic feet
    double qtc = 0;      // closed-box Q
    double fc = 0;       // Hz, closed-box resonance
    double alpha = 0;    // compliance ratio
    double qb = 7;       // box loss
    double wb = 0.5;     // m, baffle width

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        visit("vbLiters", b.vbLiters);
        visit("vbCuFt", b.vbCuFt);
        visit("qtc", b.qtc);
        visit("fc", b.fc);
        visit("alpha", b.alpha);
        visit("qb", b.qb);
        visit("wb", b.wb);
    }
    bool operator==(const ClosedBox2&) const = default;
};

// 3rd order closed box: the closed box with a series capacitor.
struct ClosedBox3 {
    double vbLiters = 0;
    double vbCuFt = 0;
    double qtc = 0;
    double fc = 0; // Hz
    double alpha = 0;
    double qb = 7;
    double wb = 0.5;    // m
    double c1 = 100000; // microfarads, series capacitor

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        visit("vbLiters", b.vbLiters);
        visit("vbCuFt", b.vbCuFt);
        visit("qtc", b.qtc);
        visit("fc", b.fc);
        visit("alpha", b.alpha);
        visit("qb", b.qb);
        visit("wb", b.wb);
        visit("c1", b.c1);
    }
    bool operator==(const ClosedBox3&) const = default;
};

// 4th order vented box.
struct VentedBox4 {
    double vbLiters = 0;  // liters
    double vbCuFt = 0;    // cubic feet
    double fb = 0;        // Hz, box tuning
    double svMinSqM = 0;  // square metres, minimum recommended vent area
    double svMinSqIn = 0; // square inches
    double svSqM = 0;     // square metres, vent area
    double svSqIn = 0;    // square inches
    double lvM = 0;       // metres, vent length
    double lvIn = 0;      // inches
    double qtc = 0;
    double alpha = 0;
    double qb = 7;   // box loss
    double wb = 0.5; // m

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        visit("vbLiters", b.vbLiters);
        visit("vbCuFt", b.vbCuFt);
        visit("fb", b.fb);
        visit("svMinSqM", b.svMinSqM);
        visit("svMinSqIn", b.svMinSqIn);
        visit("svSqM", b.svSqM);
        visit("svSqIn", b.svSqIn);
        visit("lvM", b.lvM);
        visit("lvIn", b.lvIn);
        visit("qtc", b.qtc);
        visit("alpha", b.alpha);
        visit("qb", b.qb);
        visit("wb", b.wb);
    }
    bool operator==(const VentedBox4&) const = default;
};

// The fields every bandpass block shares: a closed rear chamber V(B1) that sets Q(tc) and alpha
// with the driver, and a vented front chamber V(B2) tuned to F(B2) through the vent.
struct BandpassCommon {
    double vb1Liters = 0; // liters, rear chamber
    double vb1CuFt = 0;
    double vb2Liters = 0; // liters, front chamber
    double vb2CuFt = 0;
    double fb2 = 0;       // Hz, front chamber tuning
    double svMinSqM = 0;  // square metres
    double svMinSqIn = 0; // square inches
    double svSqM = 0;
    double svSqIn = 0;
    double lvM = 0;  // metres
    double lvIn = 0; // inches
    double qtc = 0;
    double alpha = 0;

    template <class Self, class Visit> static void CommonFields(Self& b, Visit&& visit)
    {
        visit("vb1Liters", b.vb1Liters);
        visit("vb1CuFt", b.vb1CuFt);
        visit("vb2Liters", b.vb2Liters);
        visit("vb2CuFt", b.vb2CuFt);
        visit("fb2", b.fb2);
        visit("svMinSqM", b.svMinSqM);
        visit("svMinSqIn", b.svMinSqIn);
        visit("svSqM", b.svSqM);
        visit("svSqIn", b.svSqIn);
        visit("lvM", b.lvM);
        visit("lvIn", b.lvIn);
        visit("qtc", b.qtc);
        visit("alpha", b.alpha);
    }
    bool operator==(const BandpassCommon&) const = default;
};

// 4th order symmetric bandpass box.
struct BandpassBox4 : BandpassCommon {
    double ql2 = 1000; // leakage loss
    double qa2 = 1000; // absorption loss
    double wb = 0.5;   // m

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        CommonFields(b, visit);
        visit("ql2", b.ql2);
        visit("qa2", b.qa2);
        visit("wb", b.wb);
    }
    bool operator==(const BandpassBox4&) const = default;
};

// 5th order asymmetric bandpass box: with a series inductor.
struct BandpassBox5 : BandpassCommon {
    double qb2 = 1000;    // enclosure loss
    double wb = 0.5;      // m
    double l1 = 0.000001; // millihenrys, series inductor

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        CommonFields(b, visit);
        visit("qb2", b.qb2);
        visit("wb", b.wb);
        visit("l1", b.l1);
    }
    bool operator==(const BandpassBox5&) const = default;
};

// 6th order symmetric bandpass box: with a series capacitor and a series inductor.
struct BandpassBox6 : BandpassCommon {
    double qb2 = 1000;
    double wb = 0.5;      // m
    double c1 = 100000;   // microfarads
    double l1 = 0.000001; // millihenrys

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        CommonFields(b, visit);
        visit("qb2", b.qb2);
        visit("wb", b.wb);
        visit("c1", b.c1);
        visit("l1", b.l1);
    }
    bool operator==(const BandpassBox6&) const = default;
};

} // namespace cw
