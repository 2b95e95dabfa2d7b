#pragma once

#include "engine/CalculateResponse.h"

// "Responses for this Driver": a family of up to ten designs of the workbench's box type for its
// driver, each calculated, drawn and stored in memory k when that memory is empty; the workbench
// ends as the family's base design and the plot takes the family's title.
namespace cw::engine
{

// Base Q(tc) of the closed-box and 4th order bandpass families for a driver's Q(ts).
double LadderQtc(double qts);

void Family2OCB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
void Family3OCB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
void Family4OVB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
void Family4OSBP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
void Family5OABP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
void Family6OSBP(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);
// The vented box family's volume and tunings, each realised with the workbench's radiators by
// the mass added to them; a tuning that would need a negative mass is left out. Answers how many
// were left out.
int FamilyPRB(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);

// The family of the workbench's box type; its note for the status bar says how many members
// were stored and how many memories that held systems were left alone.
void RunFamily(CSpkSysDoc& doc, const WorkingValues& w, RunMessages& messages);

// Shown when a member's box could not be designed and the family ends early.
inline constexpr const char* kFamilyStopped =
    "A design of the \"Responses for this Driver\" family has no box volume for this driver, so "
    "the family was stopped.";

} // namespace cw::engine
