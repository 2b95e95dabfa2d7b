#pragma once

#include "model/CSpkSys.h"

#include <cstdint>
#include <string>
#include <vector>

// One row of a panel, a page or a report that shows a field of the system record: its texts, the
// field in either unit system, and what an edit of it sets off. Panels, editor pages, reports
// and the command line build on these rows, so that each of them shows a field the same way.
namespace cw
{

class CSpkSysDoc;

// A design step of the project document (CalcQtc, CalcFc, ...).
using DesignStep = bool (CSpkSysDoc::*)();

// Which pair of unit copies a quantity has. Plain quantities have one copy only.
enum class UnitKind {
    Plain,
    Volume,   // liters | cubic feet
    Area,     // square metres | square inches
    Length,   // metres | inches
    Distance, // metres | feet (the SPL distance)
    Excursion // mm | inches
};

// A unit label in both unit systems; the same text twice for a quantity with one copy.
struct UnitTexts {
    const char* metric = "";
    const char* english = "";

    // The label of the copy the units preference shows.
    const char* Pick(bool metricUnits) const { return metricUnits ? metric : english; }
};

// A driver's nominal diameter.
inline constexpr UnitTexts kDiameterUnits{"mm", "in"};

// "liters" / "cu ft", "sq m" / "sq in", "m" / "in", "m" / "ft", "mm" / "in"; empty for Plain.
UnitTexts UnitLabels(UnitKind kind);
inline const char* UnitLabel(UnitKind kind, bool metric)
{
    return UnitLabels(kind).Pick(metric);
}

// Where a field of a record is. The accessors only locate a field; reading through them does not
// change the record.
using RealAccessor = double& (*)(CSpkSys&);
using IntegerAccessor = std::int32_t& (*)(CSpkSys&);

// The real field `Member` of the record's design block `Block`.
template <auto Block, auto Member> double& At(CSpkSys& s)
{
    return (s.*Block).*Member;
}

struct FieldRow {
    // Which of the two copies the row shows.
    enum class Copy {
        ByUnits,    // the copy of the units preference
        Metric,     // always the metric copy
        EnglishOnly // the English copy, and the row is there with English units only
    };

    const char* title = "";  // descriptive label; empty for a series component of a panel,
                             // which stands under the box picture
    const char* symbol = ""; // "V(B) ="
    const char* unit = "";   // the unit label of a Plain row
    UnitKind unitKind = UnitKind::Plain;
    RealAccessor metric = nullptr;     // the metric copy, or the only one
    RealAccessor english = nullptr;    // the English copy; null for Plain
    IntegerAccessor integer = nullptr; // an integer field instead of a real one
    Copy copy = Copy::ByUnits;
    bool readOnly = false;
    // With metric units the row is loaded in the four-digit short form ("%1.4G"), so that a
    // panel stores it back at four digits.
    bool shortInMetric = false;
    // A panel stores itself again once the program has shown a new value in this row.
    bool storedWhenShown = false;
    std::vector<DesignStep> steps; // what an edit of the row runs, in this order
    const char* unusable = "";     // why the design was kept when those steps had no usable result
    // Steps that follow the edit once `steps` have run, where they can: one that has no usable
    // result leaves its fields as they were, and the edit stands.
    std::vector<DesignStep> follows;
    const char* unfollowed = ""; // why the fields of `follows` were kept
    // The row is one of the values a system's sound level is made of (power, distance, drivers).
    bool setsLevel = false;

    // False for an EnglishOnly row with metric units.
    bool Present(bool metricUnits) const { return !(copy == Copy::EnglishOnly && metricUnits); }
    // The copy of a real row that the units show, and its other copy (null for a Plain row).
    // Both are null for an integer row.
    double* Shown(CSpkSys& s, bool metricUnits) const;
    double* Other(CSpkSys& s, bool metricUnits) const;
    // The shown value, an integer row's as a real.
    double Value(const CSpkSys& s, bool metricUnits) const;
    // The unit labels the row shows with metric and with English units.
    UnitTexts Units() const;
    // The unit label of the copy the row shows.
    std::string Unit(bool metricUnits) const { return Units().Pick(metricUnits); }
    // How a message names the row: its symbol without " =" ("V(B)"), or its title; a distance
    // adds its unit ("SPL @ (ft)").
    std::string Name(bool metricUnits) const;

private:
    bool ShowsMetric(bool metricUnits) const;
};

} // namespace cw
