// The project document's engine operations: thin members over the engine's functions of the
// workbench record.
#include "engine/CalculateResponse.h"
#include "engine/Design.h"
#include "model/CSpkSysDoc.h"

namespace cw
{

bool CSpkSysDoc::CalcQtc()
{
    return engine::CalcQtc(workbench());
}
bool CSpkSysDoc::CalcFc()
{
    return engine::CalcFc(workbench());
}
bool CSpkSysDoc::CalcAlpha()
{
    return engine::CalcAlpha(workbench());
}
bool CSpkSysDoc::CalcBoxVolume()
{
    return engine::CalcBoxVolume(workbench());
}
bool CSpkSysDoc::EstimateDriverAndVent()
{
    return engine::EstimateDriverAndVent(workbench());
}
bool CSpkSysDoc::CalcVentLength()
{
    return engine::CalcVentLength(workbench());
}
bool CSpkSysDoc::CalcVentArea()
{
    return engine::CalcVentArea(workbench());
}
bool CSpkSysDoc::CalcRadiatorTuning()
{
    return engine::CalcRadiatorTuning(workbench());
}
bool CSpkSysDoc::CalcAddedMass()
{
    return engine::CalcAddedMass(workbench());
}

bool CSpkSysDoc::CalculateResponse()
{
    return engine::CalculateResponse(*this);
}

bool CSpkSysDoc::ClearAndCalculate()
{
    ClearDisplay();
    return CalculateResponse();
}

} // namespace cw
