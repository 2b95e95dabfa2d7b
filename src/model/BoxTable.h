#pragma once

#include "model/BoxType.h"
#include "model/FieldRow.h"

#include <vector>

// What each box type has, described once: its design block and the quantities in it, the rows of
// its workbench panel with the design steps each edit runs, the rows of its page in the system
// editor, and the box rows of the system report. The engine, the panels, the command line and the
// reports read it.
namespace cw
{

// The quantities of the design blocks; each block has those its alignment uses.
enum class BoxQuantity {
    Volume,      // V(B), or the closed rear chamber V(B1) of a bandpass box
    FrontVolume, // V(B2), the vented front chamber of a bandpass box
    Tuning,      // F(B), or F(B2) of a bandpass box
    MinVentArea, // S(vMin)
    VentArea,    // S(v)
    VentLength,  // L(v)
    Qtc,
    Fc, // closed boxes only
    Alpha,
    Qb,  // box loss
    Ql2, // leakage loss
    Qa2, // absorption loss
    Qb2, // enclosure loss
    Wb,  // baffle width
    C1,  // series capacitor
    L1,  // series inductor
    // The passive radiator box
    RadiatorTuning, // F(P), the box tuning
    PrFs,           // the radiator's free-air resonance
    PrQms,          // the radiator's mechanical Q
    PrVas,          // the radiator's compliance volume
    PrSd,           // the radiator's area
    PrXmax,         // the radiator's linear excursion
    PrCount,        // number of radiators
    PrAddedMass,    // mass added to each radiator
    PrMms,          // the radiator's own moving mass
    PrCms,          // the radiator's suspension compliance
    Notch           // F(N), the radiator's resonance with its added mass
};

// One quantity of a design block, in both unit copies where it has two.
struct BoxField {
    BoxQuantity quantity;
    UnitKind unitKind = UnitKind::Plain;
    RealAccessor metric = nullptr;  // liters, square metres, metres; or the only copy
    RealAccessor english = nullptr; // cubic feet, square inches, inches; null for Plain

    // The metric (or only) copy, and the English copy (the only one for Plain).
    double Value(const CSpkSys& s) const;
    double EnglishValue(const CSpkSys& s) const;
};

struct BoxDescription {
    BoxType type = BoxType::None;
    const char* block = "";     // the record's design block, by its project-file name: "closed2"
    const char* variables = ""; // what the user designs, as the system editor lists it
    // The model gives phase, group delay and impedance, and the series resistor R(s) shapes it.
    bool fullResponse = false;
    std::vector<BoxField> fields;     // every quantity of the block, in the block's order
    std::vector<FieldRow> panelRows;  // the workbench panel, top to bottom
    std::vector<FieldRow> reportRows; // the system report's box rows, from row 5 down
    // The system editor's Details page: the block's rows with the system parameters among them.
    std::vector<FieldRow> editorRows;

    // The block's field of a quantity; null when the block has none.
    const BoxField* Find(BoxQuantity quantity) const;
    // The chamber the vent tunes: the front chamber of a bandpass box, the box itself for the
    // vented box; null for the closed boxes, which have no vent.
    const BoxField* VentedChamber() const;
};

// The description of a box type; null for None.
const BoxDescription* DescribeBox(BoxType type);

// The quantities a design step designs (CalcQtc: Q(tc), CalcBoxVolume: the box volume, ...).
std::vector<BoxQuantity> DesignedQuantities(DesignStep step);

// The design steps that typing a box volume (V(B) or V(B1)) or a Q(tc) runs. Closed boxes also
// recompute their resonance.
std::vector<DesignStep> VolumeSteps(bool closedBox);
std::vector<DesignStep> QtcSteps(bool closedBox);

} // namespace cw
