#pragma once

#include "calculators/BoxCalculatorPage.h"
#include "cli/PanelEdit.h"
#include "model/CSpkSysDoc.h"

#include <optional>
#include <string_view>

// The box calculator pages without their window: typing into a field, setting a lock, and the
// page start, with the workbench and the project's locks.
namespace cw::cli
{

// True for a path into the box calculators' values ("rectBox.", "trapBox.", "bandpassBox.").
bool IsBoxCalculatorPath(std::string_view path);

// Types text into the field at path (either unit copy, by its path) and runs what the page runs
// on that edit. Refused with the page's sentence when the values allow no box.
EditOutcome EditBoxCalculatorField(CSpkSysDoc& doc, std::string_view path, std::string_view text);

// Sets the lock at path ("boxLocks.rectH") to 0 or 1 as a click on its check box would, refused
// with the page's message when the page refuses the click.
EditOutcome SetBoxLock(CSpkSysDoc& doc, std::string_view path, std::string_view text);

// The page whose start "RectBoxStart", "TrapBoxStart" or "BandpassBoxStart" names.
std::optional<calc::BoxPageKind> BoxPageStartFromName(std::string_view name);

} // namespace cw::cli
