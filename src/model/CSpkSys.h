#pragma once

#include "model/BoxType.h"
#include "model/CalculatorValues.h"
#include "model/DesignBlocks.h"
#include "model/DriverParams.h"

#include <array>
#include <cstdint>
#include <string>

namespace cw
{

// Number of points each curve array holds.
inline constexpr int kMaxPoints = 850;
using CurveArray = std::array<double, kMaxPoints>;
// The frequency grid and the curves of a record.
inline constexpr int kCurveArrays = 7;

// The curve points that a real-valued point count covers: the i with 0 <= i < count, so 382.2
// means 383 points; clamped to 0..kMaxPoints, and 0 for a count that is not a number.
int CurvePoints(double count);

// One complete loudspeaker system: the workbench and each of the ten memories is one of these.
// A fixed-size plain record; only its texts are allocated separately.
class CSpkSys
{
public:
    // Identity
    std::string systemName;
    std::string boxTypeName = "2nd Order Closed Box"; // display text; compared exactly
    std::string notes;
    std::string revDate;
    std::string revision;
    std::array<std::string, 5> extraTexts{};

    // System parameters
    double seriesResistance = 0;     // Ohms, R(s) in series with the driver
    double inputPower = 1;           // Watts, P(in)
    double splDistanceM = 1;         // metres, d
    double splDistanceFt = 3.281;    // feet
    std::int32_t driverCount = 1;    // N
    std::int32_t isobaricFactor = 1; // I: 1 normal, 2 isobaric; V(as) is divided by it

    // Response state
    std::int32_t responseShown = 0; // 1 while the curves are on the plot
    std::int32_t hasSpl = 0;
    std::int32_t hasExcursion = 0;
    std::int32_t hasPhase = 0;
    std::int32_t hasDelay = 0;
    std::int32_t hasImpedance = 0;
    std::int32_t extraFlag = 0;
    double pointCount = 0;       // points of the stored curves, at most kMaxPoints
    CurveArray frequencies{};    // Hz
    CurveArray splCurve{};       // dB
    CurveArray excursionCurve{}; // mm
    CurveArray phaseCurve{};     // degrees
    CurveArray delayCurve{};     // milliseconds
    CurveArray impedanceCurve{}; // Ohms
    // mm peak, the passive radiators' excursion; drawn on the excursion scale with the cone's
    std::int32_t hasRadiator = 0;
    CurveArray radiatorCurve{};

    // Design blocks, one per box type
    ClosedBox2 closed2;
    ClosedBox3 closed3;
    VentedBox4 vented4;
    BandpassBox4 bandpass4;
    BandpassBox5 bandpass5;
    BandpassBox6 bandpass6;
    RadiatorBox radiator;

    // Calculator inputs and results
    RectBoxValues rectBox;
    TrapBoxValues trapBox;
    BandpassBoxValues bandpassBox;
    Xover1OBW xover1OBW;
    Xover2OBW xover2OBW;
    Xover3OBW xover3OBW;
    Xover1OS xover1OS;
    Xover2OLR xover2OLR;
    Xover4OLR xover4OLR;
    InductanceComp inductanceComp;
    ResonanceComp resonanceComp;
    TweeterAtten tweeterAtten;
    double resonanceCompMaxZ = 0; // Ohms, "Max Z (or 0 if unknown)"

    // Environment model
    double autoCabinF3 = 66;   // Hz, cabin f(3)
    double autoCabinQ = 0.707; // cabin Q
    std::array<double, 47> spareReals{};
    std::int32_t modelEnclosure = 1;
    std::int32_t modelDiffraction = 0;
    std::int32_t modelAutoCabin = 0;
    std::int32_t responseRunFlag = 0; // reset by every response calculation
    std::array<std::int32_t, 6> spareInts{};

    DriverParams driver;

    std::string trailerText; // neither read nor copied by store and recall

    // The alignment named by boxTypeName, or None.
    BoxType boxType() const { return BoxTypeFromName(boxTypeName); }

    // Number of stored curve points that may be read: CurvePoints(pointCount).
    int storedPoints() const { return CurvePoints(pointCount); }

    // True when at least one of the five curve flags is set.
    bool hasAnyCurve() const;

    // Called on a memory: copies the workbench into it, responseShown included.
    void StoreFromWorkbench(const CSpkSys& workbench);
    // Called on a memory: copies it into the workbench, which keeps its own responseShown.
    void RecallIntoWorkbench(CSpkSys& workbench) const;

    // Every persistent field in record order (trailer excluded, curves included);
    // the curves are visited as whole arrays and only their first storedPoints() matter.
    template <class Self, class Visit> static void Fields(Self& s, Visit&& visit)
    {
        visit("systemName", s.systemName);
        visit("boxTypeName", s.boxTypeName);
        visit("notes", s.notes);
        visit("revDate", s.revDate);
        visit("revision", s.revision);
        visit("extraTexts", s.extraTexts);
        visit("seriesResistance", s.seriesResistance);
        visit("inputPower", s.inputPower);
        visit("splDistanceM", s.splDistanceM);
        visit("splDistanceFt", s.splDistanceFt);
        visit("driverCount", s.driverCount);
        visit("isobaricFactor", s.isobaricFactor);
        visit("responseShown", s.responseShown);
        visit("hasSpl", s.hasSpl);
        visit("hasExcursion", s.hasExcursion);
        visit("hasPhase", s.hasPhase);
        visit("hasDelay", s.hasDelay);
        visit("hasImpedance", s.hasImpedance);
        visit("extraFlag", s.extraFlag);
        visit("pointCount", s.pointCount);
        visit("hasRadiator", s.hasRadiator);
        visit("closed2", s.closed2);
        visit("closed3", s.closed3);
        visit("vented4", s.vented4);
        visit("bandpass4", s.bandpass4);
        visit("bandpass5", s.bandpass5);
        visit("bandpass6", s.bandpass6);
        visit("radiator", s.radiator);
        visit("rectBox", s.rectBox);
        visit("trapBox", s.trapBox);
        visit("bandpassBox", s.bandpassBox);
        visit("xover1OBW", s.xover1OBW);
        visit("xover2OBW", s.xover2OBW);
        visit("xover3OBW", s.xover3OBW);
        visit("xover1OS", s.xover1OS);
        visit("xover2OLR", s.xover2OLR);
        visit("xover4OLR", s.xover4OLR);
        visit("inductanceComp", s.inductanceComp);
        visit("resonanceComp", s.resonanceComp);
        visit("tweeterAtten", s.tweeterAtten);
        visit("resonanceCompMaxZ", s.resonanceCompMaxZ);
        visit("autoCabinF3", s.autoCabinF3);
        visit("autoCabinQ", s.autoCabinQ);
        visit("spareReals", s.spareReals);
        visit("modelEnclosure", s.modelEnclosure);
        visit("modelDiffraction", s.modelDiffraction);
        visit("modelAutoCabin", s.modelAutoCabin);
        visit("responseRunFlag", s.responseRunFlag);
        visit("spareInts", s.spareInts);
        visit("driver", s.driver);
    }

    // Every member alike, the trailer and the curve points past storedPoints() included.
    bool operator==(const CSpkSys&) const = default;

    // The curve arrays with their names, the flag that marks each one valid (null for
    // the frequency grid, which is always valid up to storedPoints()).
    template <class Self, class Visit> static void Curves(Self& s, Visit&& visit)
    {
        visit("frequencies", s.frequencies, static_cast<decltype(&s.hasSpl)>(nullptr));
        visit("splCurve", s.splCurve, &s.hasSpl);
        visit("excursionCurve", s.excursionCurve, &s.hasExcursion);
        visit("phaseCurve", s.phaseCurve, &s.hasPhase);
        visit("delayCurve", s.delayCurve, &s.hasDelay);
        visit("impedanceCurve", s.impedanceCurve, &s.hasImpedance);
        visit("radiatorCurve", s.radiatorCurve, &s.hasRadiator);
    }

private:
    void CopySystem(const CSpkSys& from, bool takeShown);
};

} // namespace cw
