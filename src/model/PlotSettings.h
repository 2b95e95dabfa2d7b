#pragma once

#include <cstdint>

namespace cw
{

// The plot's frequency limits and the five vertical scales.
struct PlotSettings {
    double lowFreqLimit = 20;    // Hz
    double highFreqLimit = 2000; // Hz
    double dbSpan = 30;          // dB, full height of the SPL plot (15 divisions)
    double excursionSpan = 30;   // mm
    double phaseTop = 450;       // degrees
    double phaseBottom = 0;      // degrees
    double delaySpan = 15;       // msec
    double impedanceSpan = 75;   // Ohms

    template <class Self, class Visit> static void Fields(Self& p, Visit&& visit)
    {
        visit("lowFreqLimit", p.lowFreqLimit);
        visit("highFreqLimit", p.highFreqLimit);
        visit("dbSpan", p.dbSpan);
        visit("excursionSpan", p.excursionSpan);
        visit("phaseTop", p.phaseTop);
        visit("phaseBottom", p.phaseBottom);
        visit("delaySpan", p.delaySpan);
        visit("impedanceSpan", p.impedanceSpan);
    }
    bool operator==(const PlotSettings&) const = default;
};

// Which responses the plot shows, and whether SPL is drawn at its absolute level.
struct DisplaySwitches {
    std::int32_t showSpl = 1;
    std::int32_t showExcursion = 1;
    std::int32_t showPhase = 0;
    std::int32_t showDelay = 0;
    std::int32_t showImpedance = 0;
    std::int32_t splMode = 0;
    std::int32_t extraSwitch1 = 0;
    std::int32_t extraSwitch2 = 0;

    template <class Self, class Visit> static void Fields(Self& d, Visit&& visit)
    {
        visit("showSpl", d.showSpl);
        visit("showExcursion", d.showExcursion);
        visit("showPhase", d.showPhase);
        visit("showDelay", d.showDelay);
        visit("showImpedance", d.showImpedance);
        visit("splMode", d.splMode);
        visit("extraSwitch1", d.extraSwitch1);
        visit("extraSwitch2", d.extraSwitch2);
    }
    bool operator==(const DisplaySwitches&) const = default;
};

// Lock switches of the box calculator's check boxes.
struct BoxLocks {
    std::int32_t rectH = 0, rectW = 0, rectD = 0, rectVb = 1;
    std::int32_t trapH = 0, trapW1 = 0, trapW2 = 0, trapD = 0, trapAngle = 0, trapVb = 1;
    std::int32_t bandpassH = 0, bandpassW = 0, bandpassD = 0, bandpassVb = 1;

    template <class Self, class Visit> static void Fields(Self& l, Visit&& visit)
    {
        visit("rectH", l.rectH);
        visit("rectW", l.rectW);
        visit("rectD", l.rectD);
        visit("rectVb", l.rectVb);
        visit("trapH", l.trapH);
        visit("trapW1", l.trapW1);
        visit("trapW2", l.trapW2);
        visit("trapD", l.trapD);
        visit("trapAngle", l.trapAngle);
        visit("trapVb", l.trapVb);
        visit("bandpassH", l.bandpassH);
        visit("bandpassW", l.bandpassW);
        visit("bandpassD", l.bandpassD);
        visit("bandpassVb", l.bandpassVb);
    }
    bool operator==(const BoxLocks&) const = default;
};

} // namespace cw
