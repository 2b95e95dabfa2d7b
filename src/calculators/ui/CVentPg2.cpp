#include "calculators/ui/CVentPg2.h"

#include "forms/FieldPolicy.h"
#include "pictures/Pictures.h"

namespace cw::ui
{

CVentPg2::CVentPg2(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : VentPage("Rectangular Vents", pictures::DrawSlotVentPicture,
               "The Vent Area and Required Vent Length", "Length of the Vent =", doc, metric,
               parent),
      height_(AddInput("Vent Height =", LengthUnit())),
      width_(AddInput("Vent Width =", LengthUnit())),
      count_(AddInput("Number of Vents =", QString()))
{
    binder()->Bind(height_, edit::kFixed3Field,
                   [this]() -> double& { return this->metric() ? vent_.heightM : vent_.heightIn; });
    binder()->Bind(width_, edit::kFixed3Field,
                   [this]() -> double& { return this->metric() ? vent_.widthM : vent_.widthIn; });
    binder()->Bind(count_, edit::kCountField, [this]() -> std::uint32_t& { return vent_.count; });
}

void CVentPg2::Propose()
{
    vent_ = calc::StartRectVent(design(), metric());
}

void CVentPg2::Recalculate()
{
    calc::RecalculateRectVent(vent_, design(), metric());
}

} // namespace cw::ui
