#include "calculators/ui/CVentPg1.h"

#include "forms/FieldPolicy.h"
#include "pictures/Pictures.h"

namespace cw::ui
{

CVentPg1::CVentPg1(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : VentPage("Tube Vents", pictures::DrawTubeVentPicture,
               "The Vent Area and Required Tube Length", "Length of Each Tube =", doc, metric,
               parent),
      diameter_(AddInput("Inside Tube Diameter =", LengthUnit())),
      count_(AddInput("Number of Tubes =", QString()))
{
    binder()->Bind(diameter_, edit::kFixed3Field, [this]() -> double& {
        return this->metric() ? vent_.diameterM : vent_.diameterIn;
    });
    binder()->Bind(count_, edit::kCountField, [this]() -> std::uint32_t& { return vent_.count; });
}

void CVentPg1::Propose()
{
    vent_ = calc::StartTubeVent(design(), metric());
}

void CVentPg1::Recalculate()
{
    calc::RecalculateTubeVent(vent_, design(), metric());
}

} // namespace cw::ui
