#pragma once

#include "engine/WorkingValues.h"
#include "model/CSpkSysDoc.h"

#include <optional>
#include <string>
#include <vector>

namespace cw::engine
{

// The question asked when Calculate Response finds no driver.
inline constexpr const char* kNoDriverQuestion =
    "There is no driver loaded. \nWould you like to load a Driver?";

// What one run of Calculate Response did.
enum class RunResult {
    Calculated,  // the workbench curves were calculated and drawn
    FamilyRun,   // the box was not designed: a family of designs ran instead
    NotDesigned, // a run inside a family found the box still undesigned; nothing was calculated
    Stopped,     // no driver, or inputs that allow no calculation; nothing was changed
};

// Messages of one Calculate Response, the runs of its family included; each text once.
struct RunMessages {
    std::vector<std::string> texts; // shown in message boxes
    std::vector<std::string> notes; // for the status bar
    void Add(const std::string& text);
    void Note(const std::string& text);
};

// The logarithmic grid of a run: 50 points per octave over at least 10 Hz to 1 kHz.
struct FrequencyGrid {
    double low = 0;        // Hz
    double pointCount = 0; // as stored in the record: a real, at most kMaxPoints
};
// The grid for the document's limits; nothing when the limits allow none.
std::optional<FrequencyGrid> PlanFrequencyGrid(const PlotSettings& plot);
void FillFrequencyGrid(CSpkSys& s, const FrequencyGrid& grid);

// True when the first volume of the record's box type (liters copy) is not 0.
bool IsDesigned(const CSpkSys& s);

// One run of Calculate Response on the document's workbench. A nested run (one member of a
// family) never starts a family of its own: it answers NotDesigned instead.
RunResult RunCalculation(CSpkSysDoc& doc, bool nested, RunMessages& messages);

// The command: one run, then its messages shown and both panels brought up to date with the
// workbench (a family ends with its base design there). True unless the run stopped.
bool CalculateResponse(CSpkSysDoc& doc);

} // namespace cw::engine
