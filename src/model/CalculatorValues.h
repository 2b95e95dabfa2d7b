#pragma once

#include <string>

// The inputs and results of the side calculators, kept in every system record so that each
// stored system keeps its own calculator state. Result fields start at 0.

namespace cw
{

// 1st order Butterworth crossover.
struct Xover1OBW {
    double c1 = 0;               // microfarads
    double frequency = 1000;     // Hz, crossover frequency
    double l1 = 0;               // millihenrys
    double tweeterImpedance = 8; // Ohms
    double wooferImpedance = 8;  // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("frequency", g.frequency);
        visit("l1", g.l1);
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("wooferImpedance", g.wooferImpedance);
    }
    bool operator==(const Xover1OBW&) const = default;
};

// 2nd order Butterworth crossover (also the layout of the 2nd order Linkwitz-Riley group).
struct Xover2OBW {
    double c1 = 0, c2 = 0;       // microfarads
    double frequency = 1000;     // Hz
    double l1 = 0, l2 = 0;       // millihenrys
    double tweeterImpedance = 8; // Ohms
    double wooferImpedance = 8;  // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("c2", g.c2);
        visit("frequency", g.frequency);
        visit("l1", g.l1);
        visit("l2", g.l2);
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("wooferImpedance", g.wooferImpedance);
    }
    bool operator==(const Xover2OBW&) const = default;
};
using Xover2OLR = Xover2OBW;

// 3rd order Butterworth crossover.
struct Xover3OBW {
    double c1 = 0, c2 = 0, c3 = 0; // microfarads
    double frequency = 1000;       // Hz
    double l1 = 0, l2 = 0, l3 = 0; // millihenrys
    double tweeterImpedance = 8;   // Ohms
    double wooferImpedance = 8;    // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("c2", g.c2);
        visit("c3", g.c3);
        visit("frequency", g.frequency);
        visit("l1", g.l1);
        visit("l2", g.l2);
        visit("l3", g.l3);
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("wooferImpedance", g.wooferImpedance);
    }
    bool operator==(const Xover3OBW&) const = default;
};

// 1st order series crossover.
struct Xover1OS {
    double c1 = 0;               // microfarads
    double zeta = 0.707;         // damping factor
    double frequency = 1000;     // Hz
    double l1 = 0;               // millihenrys
    double tweeterImpedance = 8; // Ohms
    double wooferImpedance = 8;  // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("zeta", g.zeta);
        visit("frequency", g.frequency);
        visit("l1", g.l1);
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("wooferImpedance", g.wooferImpedance);
    }
    bool operator==(const Xover1OS&) const = default;
};

// 4th order Linkwitz-Riley crossover.
struct Xover4OLR {
    double c1 = 0, c2 = 0, c3 = 0, c4 = 0; // microfarads
    double frequency = 1000;               // Hz
    double l1 = 0, l2 = 0, l3 = 0, l4 = 0; // millihenrys
    double tweeterImpedance = 8;           // Ohms
    double wooferImpedance = 8;            // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("c2", g.c2);
        visit("c3", g.c3);
        visit("c4", g.c4);
        visit("frequency", g.frequency);
        visit("l1", g.l1);
        visit("l2", g.l2);
        visit("l3", g.l3);
        visit("l4", g.l4);
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("wooferImpedance", g.wooferImpedance);
    }
    bool operator==(const Xover4OLR&) const = default;
};

// Inductance (Zobel) compensator for one driver.
struct InductanceComp {
    double c1 = 0;              // microfarads
    double driverLe = 0;        // mH
    double r1 = 0;              // Ohms
    double driverImpedance = 8; // Ohms

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("c1", g.c1);
        visit("driverLe", g.driverLe);
        visit("r1", g.r1);
        visit("driverImpedance", g.driverImpedance);
    }
    bool operator==(const InductanceComp&) const = default;
};

// Resonance compensator for one driver. Its Max Z value is kept after the attenuator group.
struct ResonanceComp {
    double driverImpedance = 8; // Ohms
    double driverFs = 1000;     // Hz
    double driverQt = 0.707;
    double r1 = 0; // Ohms
    double l1 = 0; // millihenrys
    double c1 = 0; // microfarads

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("driverImpedance", g.driverImpedance);
        visit("driverFs", g.driverFs);
        visit("driverQt", g.driverQt);
        visit("r1", g.r1);
        visit("l1", g.l1);
        visit("c1", g.c1);
    }
    bool operator==(const ResonanceComp&) const = default;
};

// Resistive tweeter attenuator (L-pad).
struct TweeterAtten {
    double tweeterImpedance = 8; // Ohms
    double maxTweeterPower = 20; // Watts
    double attenuation = 3;      // dB
    double r1 = 0;               // Ohms
    double p1 = 0;               // Watts
    double r2 = 0;               // Ohms
    double p2 = 0;               // Watts

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("tweeterImpedance", g.tweeterImpedance);
        visit("maxTweeterPower", g.maxTweeterPower);
        visit("attenuation", g.attenuation);
        visit("r1", g.r1);
        visit("p1", g.p1);
        visit("r2", g.r2);
        visit("p2", g.p2);
    }
    bool operator==(const TweeterAtten&) const = default;
};

// Rectangular box dimensions in one unit system (lengths in m or in, volumes in liters or cu ft).
struct RectBoxDims {
    double height = 0, width = 0, depth = 0;
    double grossVolume = 0;
    double driverDisplacement = 0, bracingDisplacement = 0, otherDisplacement = 0;
    double netVolume = 0;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("height", g.height);
        visit("width", g.width);
        visit("depth", g.depth);
        visit("grossVolume", g.grossVolume);
        visit("driverDisplacement", g.driverDisplacement);
        visit("bracingDisplacement", g.bracingDisplacement);
        visit("otherDisplacement", g.otherDisplacement);
        visit("netVolume", g.netVolume);
    }
    bool operator==(const RectBoxDims&) const = default;
};

// The rectangular box calculator: a metric and an English copy, each solved from its own inputs.
struct RectBoxValues {
    RectBoxDims metric;
    RectBoxDims english;
    double fillingPercent = 0; // V(B) increase due to filling, percent
    std::string notes;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("metric", g.metric);
        visit("english", g.english);
        visit("fillingPercent", g.fillingPercent);
        visit("notes", g.notes);
    }
    bool operator==(const RectBoxValues&) const = default;
};

// Trapezoidal box dimensions in one unit system; width1 is the narrower parallel wall.
struct TrapBoxDims {
    double height = 0, width1 = 0, width2 = 0, depth = 0;
    double grossVolume = 0;
    double driverDisplacement = 0, bracingDisplacement = 0, otherDisplacement = 0;
    double netVolume = 0;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("height", g.height);
        visit("width1", g.width1);
        visit("width2", g.width2);
        visit("depth", g.depth);
        visit("grossVolume", g.grossVolume);
        visit("driverDisplacement", g.driverDisplacement);
        visit("bracingDisplacement", g.bracingDisplacement);
        visit("otherDisplacement", g.otherDisplacement);
        visit("netVolume", g.netVolume);
    }
    bool operator==(const TrapBoxDims&) const = default;
};

struct TrapBoxValues {
    TrapBoxDims metric;
    TrapBoxDims english;
    double angle = 15; // degrees, between a side wall and the depth direction
    double fillingPercent = 0;
    std::string notes;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("metric", g.metric);
        visit("english", g.english);
        visit("angle", g.angle);
        visit("fillingPercent", g.fillingPercent);
        visit("notes", g.notes);
    }
    bool operator==(const TrapBoxValues&) const = default;
};

// One chamber of the bandpass box calculator, in one unit system.
struct BandpassChamber {
    double grossVolume = 0;
    double driverDisplacement = 0, bracingDisplacement = 0, otherDisplacement = 0;
    double netVolume = 0;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("grossVolume", g.grossVolume);
        visit("driverDisplacement", g.driverDisplacement);
        visit("bracingDisplacement", g.bracingDisplacement);
        visit("otherDisplacement", g.otherDisplacement);
        visit("netVolume", g.netVolume);
    }
    bool operator==(const BandpassChamber&) const = default;
};

// Bandpass box: two chambers one above the other sharing width and depth, in one unit system.
struct BandpassBoxDims {
    double rearHeight = 0, frontHeight = 0, width = 0, depth = 0;
    BandpassChamber rear;
    BandpassChamber front;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("rearHeight", g.rearHeight);
        visit("frontHeight", g.frontHeight);
        visit("width", g.width);
        visit("depth", g.depth);
        visit("rear", g.rear);
        visit("front", g.front);
    }
    bool operator==(const BandpassBoxDims&) const = default;
};

struct BandpassBoxValues {
    BandpassBoxDims metric;
    BandpassBoxDims english;
    double rearFillingPercent = 0;
    double frontFillingPercent = 0;
    std::string notes;

    template <class Self, class Visit> static void Fields(Self& g, Visit&& visit)
    {
        visit("metric", g.metric);
        visit("english", g.english);
        visit("rearFillingPercent", g.rearFillingPercent);
        visit("frontFillingPercent", g.frontFillingPercent);
        visit("notes", g.notes);
    }
    bool operator==(const BandpassBoxValues&) const = default;
};

} // namespace cw
