#include "calculators/ui/CVentPg1.h"

#include "pictures/Pictures.h"

namespace cw::ui
{

CVentPg1::CVentPg1(CSpkSysDoc& doc, bool metric, QWidget* parent)
    : VentPage(calc::VentPageKind::Tubes, pictures::DrawTubeVentPicture, doc, metric, parent)
{
}

} // namespace cw::ui
