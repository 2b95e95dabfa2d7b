#pragma once

#include "calculators/BoxCalculatorPage.h"
#include "model/CutListSettings.h"

#include <optional>
#include <string>
#include <vector>

namespace cw
{
class CSpkSys;
}

// From the internal dimensions of a box calculator page to the boards that build the box: the
// outer size, every panel with its blank, thickness and bevel, the driver's cut-out and the vent
// hole. Lengths are in millimetres with metric units and in inches with English units.
namespace cw::calc
{

// A point of a panel's outline seen from above: x across the box, z from the front backwards.
struct PlanPoint {
    double x = 0, z = 0;
};

// One board as it sits in the assembled box: its outline seen from above and the heights it
// spans (y up from the bottom of the box). Every board of these boxes stands upright or lies
// flat, so this describes it whole.
struct Solid {
    std::vector<PlanPoint> plan; // convex, the corners in order
    double bottom = 0, top = 0;  // y
};

struct Panel {
    std::string name;
    double length = 0, width = 0; // the blank to cut, length the longer side
    double thickness = 0;
    double bevel = 0;          // degrees off square at the bevelled edges; 0 square
    std::string note;          // how it is cut beyond the blank, or empty
    std::vector<Solid> solids; // where each copy sits; the count is their number

    int count() const { return static_cast<int>(solids.size()); }
};

// The driver's hole with the panel it is in.
struct DriverHole {
    std::string panel;
    bool rearMount = false;
    double cutout = 0;     // diameter; 0 when the driver gives none
    double boltCircle = 0; // diameter
    int bolts = 0;
    double depth = 0; // the driver's depth from its mounting flange
    double reach = 0; // how far it reaches into the chamber behind the panel
    double room = 0;  // the internal depth of that chamber
};

// The hole the design's vent needs, with the panel it is in.
struct VentHole {
    std::string panel;
    bool slot = false;
    int tubes = 0;
    double diameter = 0;          // a tube's outside diameter
    double height = 0, width = 0; // a slot's opening
};

struct CutList {
    BoxPageKind kind = BoxPageKind::Rectangular;
    bool metric = true;
    double outerWidth = 0; // at the front, the widest place of a trapezoidal box
    double outerBackWidth = 0;
    double outerHeight = 0, outerDepth = 0;
    double wall = 0, baffle = 0;
    std::vector<Panel> panels;
    DriverHole driver;
    std::optional<VentHole> vent;
    // The internal volume the panels enclose: liters or cubic feet.
    double internalVolume = 0;
    std::vector<std::string> warnings;

    const char* unit() const { return metric ? "mm" : "in"; }
};

// The settings' copy of a length for the units.
double CutListLength(const CutListSettings& settings, double CutListSettings::*mm,
                     double CutListSettings::*in, bool metric);

// The cut list of the box a page describes, from the workbench record: its dimensions, its
// driver and its design's vent. Nothing when the page has no box yet or a setting makes no
// sense; why tells which, in one sentence.
std::optional<CutList> MakeCutList(const CSpkSys& record, BoxPageKind kind,
                                   const CutListSettings& settings, bool metric, std::string& why);

// The board area the panels take: square metres or square feet.
double BoardArea(const CutList& list);

// The lines under the table: outer size, driver, vent, board area; then the warnings.
std::vector<std::string> CutListNotes(const CutList& list);

// The table as CSV: panel,count,length,width,thickness,unit.
std::string CutListCsv(const CutList& list);

} // namespace cw::calc
