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

// Passive radiator box: a closed box tuned by N radiators, each an unpowered cone whose moving
// mass (its own and the mass added to it) resonates with the box and its own suspension. The
// radiator values are per radiator; the moving mass, compliance and notch follow from them.
struct RadiatorBox {
    double vbLiters = 0;      // liters, box volume
    double vbCuFt = 0;        // cubic feet
    double fp = 0;            // Hz, box tuning
    double prFs = 28;         // Hz, the radiator's free-air resonance without added mass
    double prQms = 6;         // the radiator's mechanical Q
    double prVasLiters = 60;  // liters, the radiator's equivalent compliance volume
    double prVasCuFt = 2.119; // cubic feet
    double prSdSqM = 0.0330;  // square metres, the radiator's effective area
    double prSdSqIn = 51.15;  // square inches
    double prXmaxMm = 12;     // mm, the radiator's linear excursion, peak
    double prXmaxIn = 0.4724; // inches
    double prCount = 1;       // number of radiators in the box
    double prAddedMassG = 0;  // grams, added to each radiator
    double qb = 7;            // box loss
    double prMmsG = 0;        // grams, the radiator's own moving mass
    double prCmsMmPerN = 0;   // mm per newton, the radiator's suspension compliance
    double fn = 0;            // Hz, the notch: the radiator's resonance with its added mass
    double wb = 0.5;          // m, baffle width

    template <class Self, class Visit> static void Fields(Self& b, Visit&& visit)
    {
        visit("vbLiters", b.vbLiters);
        visit("vbCuFt", b.vbCuFt);
        visit("fp", b.fp);
        visit("prFs", b.prFs);
        visit("prQms", b.prQms);
        visit("prVasLiters", b.prVasLiters);
        visit("prVasCuFt", b.prVasCuFt);
        visit("prSdSqM", b.prSdSqM);
        visit("prSdSqIn", b.prSdSqIn);
        visit("prXmaxMm", b.prXmaxMm);
        visit("prXmaxIn", b.prXmaxIn);
        visit("prCount", b.prCount);
        visit("prAddedMassG", b.prAddedMassG);
        visit("qb", b.qb);
        visit("prMmsG", b.prMmsG);
        visit("prCmsMmPerN", b.prCmsMmPerN);
        visit("fn", b.fn);
        visit("wb", b.wb);
    }
    bool operator==(const RadiatorBox&) const = default;
};

} // namespace cw
