#include "calculators/VentPageModel.h"

namespace cw::calc
{

namespace
{

constexpr UnitTexts kLength{"m", "In"};
constexpr UnitTexts kAreaUnit{"Sq m", "Sq In"};

template <auto Member> double& Tube(VentPageModel& page)
{
    return page.tube.*Member;
}
template <auto Member> double& Rect(VentPageModel& page)
{
    return page.rect.*Member;
}
template <auto Member> double& Result(VentPageModel& page)
{
    return page.result().*Member;
}

const VentField kArea{"",
                      "Vent Surface Area =",
                      kAreaUnit,
                      &edit::kFixed5Field,
                      &edit::kFixed3Field,
                      Result<&VentResult::areaSqM>,
                      Result<&VentResult::areaSqIn>};

VentField Length(const char* label)
{
    return {"",
            label,
            kLength,
            &edit::kFixed3Field,
            &edit::kFixed3Field,
            Result<&VentResult::lengthM>,
            Result<&VentResult::lengthIn>};
}

VentField Dimension(const char* name, const char* label, double& (*metric)(VentPageModel&),
                    double& (*english)(VentPageModel&))
{
    return {name, label, kLength, &edit::kFixed3Field, &edit::kFixed3Field, metric, english};
}

} // namespace

const VentPageFields& VentPageTable(VentPageKind kind)
{
    static const VentPageFields kTubes{
        "Tube Vents",
        "The Vent Area and Required Tube Length",
        {Dimension("diameter", "Inside Tube Diameter =", Tube<&TubeVent::diameterM>,
                   Tube<&TubeVent::diameterIn>)},
        "Number of Tubes =",
        kArea,
        Length("Length of Each Tube ="),
        "First Pipe Resonance =",
        {"Hz", "Hz"}};
    static const VentPageFields kRectangular{
        "Rectangular Vents",
        "The Vent Area and Required Vent Length",
        {Dimension("height", "Vent Height =", Rect<&RectVent::heightM>, Rect<&RectVent::heightIn>),
         Dimension("width", "Vent Width =", Rect<&RectVent::widthM>, Rect<&RectVent::widthIn>)},
        "Number of Vents =",
        kArea,
        Length("Length of the Vent ="),
        "First Pipe Resonance =",
        {"Hz", "Hz"}};
    return kind == VentPageKind::Tubes ? kTubes : kRectangular;
}

bool VentPageModel::Start(const CSpkSys& s, bool metric)
{
    design_ = DesignValuesForVent(s).value_or(VentDesignValues{});
    if (kind_ == VentPageKind::Tubes)
        tube = StartTubeVent(design_, metric);
    else
        rect = StartRectVent(design_, metric);
    started_ = !HasClosedBox(s);
    return started_;
}

void VentPageModel::Recalculate(bool metricCopy)
{
    if (kind_ == VentPageKind::Tubes)
        RecalculateTubeVent(tube, design_, metricCopy);
    else
        RecalculateRectVent(rect, design_, metricCopy);
}

void VentPageModel::EnterDimension(const VentField& field, bool metricCopy, double value)
{
    field.Value(*this, metricCopy) = value;
    Recalculate(metricCopy);
}

void VentPageModel::EnterCount(std::uint32_t value, bool metricUnits)
{
    count() = value;
    Recalculate(metricUnits);
}

const VentField* VentPageModel::FindDimension(std::string_view name, bool& metricCopy) const
{
    for (const VentField& field : fields().dimensions) {
        const std::string_view base = field.name;
        if (!name.starts_with(base))
            continue;
        const std::string_view copy = name.substr(base.size());
        if (copy == "M" || copy == "In") {
            metricCopy = copy == "M";
            return &field;
        }
    }
    return nullptr;
}

std::uint32_t& VentPageModel::count()
{
    return kind_ == VentPageKind::Tubes ? tube.count : rect.count;
}

VentResult& VentPageModel::result()
{
    return kind_ == VentPageKind::Tubes ? tube.result : rect.result;
}

const VentResult& VentPageModel::result() const
{
    return kind_ == VentPageKind::Tubes ? tube.result : rect.result;
}

double VentPageModel::PipeResonanceHz() const
{
    return calc::PipeResonanceHz(result(), kind_ == VentPageKind::Tubes ? tube.count : rect.count);
}

std::string VentPageModel::ResonanceWarning() const
{
    const double hz = PipeResonanceHz();
    if (hz > 0 && hz < kPipeResonanceWarningHz)
        return "Warning: the vent's pipe resonance is below 500 Hz and may be heard through the "
               "vent.";
    return {};
}

std::string VentPageModel::MinimumAreaSentence(bool metric) const
{
    if (!(design_.svMinSqIn > 0))
        return "The design gives no minimum recommended vent area.";
    std::string shown =
        fields().area.Policy(metric).format(metric ? design_.svMinSqM : design_.svMinSqIn);
    shown.erase(0, shown.find_first_not_of(' '));
    const std::string area = shown + " " + fields().area.unit.Pick(metric);
    if (ReachesMinimumArea(result(), design_))
        return "The vent area reaches the design's minimum recommended vent area of " + area + ".";
    return "The vent area is below the design's minimum recommended vent area of " + area +
           ": the vent may be noisy at high levels.";
}

bool VentPageModel::WriteBack(CSpkSys& s) const
{
    return WriteVentBack(s, result());
}

} // namespace cw::calc
