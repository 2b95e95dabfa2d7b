#include "calculators/ui/CVentPg2.h"

#include "pictures/Pictures.h"

namespace cw::ui
{

CVentPg2::CVentPg2(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : VentPage(calc::VentPageKind::Rectangular, pictures::DrawSlotVentPicture, doc, metric, parent)
{
}

} // namespace cw::ui
