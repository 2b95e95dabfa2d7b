#pragma once

#include "calculators/VentCalculator.h"
#include "forms/FieldPolicy.h"
#include "model/CSpkSys.h"
#include "model/FieldRow.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The tube and rectangular vent pages apart from their window: the start from the design, the
// recalculation after each accepted edit, the checks of the vent and writing it into the design.
// The Qt pages and the command line both show and type through this model and its field table.
namespace cw::calc
{

enum class VentPageKind { Tubes = 0, Rectangular = 1 };

class VentPageModel;

// One number of a page: its label, its unit in both unit systems, the policy of each copy and
// where each copy is.
struct VentField {
    const char* name; // the command line's name of the field: "diameter" ("diameterM",
                      // "diameterIn"), "count"; empty for a result
    const char* label;
    UnitTexts unit; // empty for a count
    const edit::FieldPolicy<double>* metricPolicy;
    const edit::FieldPolicy<double>* englishPolicy;
    double& (*metric)(VentPageModel& page);
    double& (*english)(VentPageModel& page);

    const edit::FieldPolicy<double>& Policy(bool metricCopy) const
    {
        return metricCopy ? *metricPolicy : *englishPolicy;
    }
    double& Value(VentPageModel& page, bool metricCopy) const
    {
        return (metricCopy ? metric : english)(page);
    }
};

// The texts and fields of a page, from the top.
struct VentPageFields {
    const char* caption;
    const char* resultsTitle;
    std::vector<VentField> dimensions; // the inputs before the count
    const char* countLabel;
    VentField area;
    VentField length;
    const char* resonanceLabel;
    UnitTexts resonanceUnit;
};

const VentPageFields& VentPageTable(VentPageKind kind);

class VentPageModel
{
public:
    explicit VentPageModel(VentPageKind kind) : kind_(kind) {}

    VentPageKind kind() const { return kind_; }
    const VentPageFields& fields() const { return VentPageTable(kind_); }

    // The page start: the design's values for the vent (zeros for a box type without a vented
    // chamber: the page then says the design gives it nothing to work with) and the page's
    // proposal in the copy of the units preference. False for a closed box type, which leaves
    // the page not started.
    bool Start(const CSpkSys& s, bool metric);
    bool started() const { return started_; }

    // What an accepted edit runs: the dimensions of the copy typed into (the one the page shows)
    // into the other copy, then the area and length.
    void Recalculate(bool metricCopy);
    // Types a value into a dimension, in either copy, and recalculates from that copy.
    void EnterDimension(const VentField& field, bool metricCopy, double value);
    // Types a count and recalculates from the copy of the units preference.
    void EnterCount(std::uint32_t count, bool metricUnits);
    // The field a command-line name stands for ("diameterM", "widthIn"), with the copy its
    // ending names; nothing for an unknown name or "count".
    const VentField* FindDimension(std::string_view name, bool& metricCopy) const;

    std::uint32_t& count();
    VentResult& result();
    const VentResult& result() const;
    const VentDesignValues& design() const { return design_; }

    // The first pipe resonance, 0 when the vent has no length.
    double PipeResonanceHz() const;
    // The warning under the resonance, empty when it is high enough or there is none.
    std::string ResonanceWarning() const;
    // Whether the vent reaches the design's minimum recommended area, as a sentence, with the
    // area in the copy of the units preference.
    std::string MinimumAreaSentence(bool metric) const;

    // OK: writes a usable vent into the design (see WriteVentBack).
    bool WriteBack(CSpkSys& s) const;

    TubeVent tube;
    RectVent rect;

private:
    VentPageKind kind_;
    VentDesignValues design_;
    bool started_ = false;
};

} // namespace cw::calc
