#pragma once

#include "model/BoxType.h"
#include "model/CSpkSys.h"

#include <string>

namespace cw::test
{

// The sample driver in a 40 l vented box tuned to 35 Hz with a 30 cm² vent, both unit copies set:
// a design whose vent limits the maximum SPL somewhere.
inline void DesignVented40Litres(CSpkSys& wb)
{
    wb.boxTypeName = std::string(BoxTypeName(BoxType::Vented4));
    wb.vented4.vbLiters = 40;
    wb.vented4.vbCuFt = 40 / 28.317;
    wb.vented4.fb = 35;
    wb.vented4.qb = 7;
    wb.vented4.svSqM = 0.003;
    wb.vented4.svSqIn = 0.003 / 0.00064516;
}

} // namespace cw::test
