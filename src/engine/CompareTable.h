#pragma once

#include "engine/Limits.h"
#include "model/CSpkSysDoc.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

// The numbers that decide between designs, one row per system that holds a design, read from
// the stored curves and the limits. A value that does not apply or cannot be read is NaN.
namespace cw::engine
{

// The frequencies of the maximum SPL columns.
inline constexpr std::array<double, 4> kCompareMaxSplHz = {20, 30, 40, 50};

struct CompareRow {
    int system = 0; // 0 the workbench, 1..10 the memories
    std::string name;
    BoxType boxType = BoxType::None;
    double volume = NAN;      // V(B), or V(B1) of a bandpass box: liters or cubic feet
    double frontVolume = NAN; // V(B2) of a bandpass box
    double tuning = NAN;      // Hz: F(B), F(B2) of a bandpass box, f(c) of a closed box
    double qtc = NAN;
    double f3 = NAN, f6 = NAN, f10 = NAN;             // Hz
    double peakDb = NAN, peakHz = NAN;                // SPL above the passband level
    double excursionMm = NAN, excursionHz = NAN;      // peak at P(in)
    double delayMs = NAN;                             // peak group delay
    std::array<double, 4> maxSpl{NAN, NAN, NAN, NAN}; // dB SPL at kCompareMaxSplHz
    std::array<Limit, 4> maxSplLimit{};               // the limit that binds there
    double ventVelocity = NAN;                        // m/s, peak at P(in)
};

// The frequency from which the SPL curve stays within drop dB of its passband level up to the
// passband, interpolated on the logarithmic grid; NaN when the curve is within it on the whole
// grid or has no passband. The passband level is 0 dB for closed and vented boxes, whose
// relative responses approach it, and the curve's maximum for bandpass boxes.
double CornerFrequency(const CSpkSys& s, double drop);

// A row per system that holds a design (the workbench always, a memory with a box volume or a
// curve), volumes in the units given.
std::vector<CompareRow> CompareSystems(const CSpkSysDoc& doc, bool metric,
                                       double ventVelocityLimit);

// One column of the table: its key (the CSV header, the JSON key), its title on the screen and
// on paper, and the decimals the screen shows (-1 for a text column).
struct CompareColumn {
    std::string key;
    std::string title;
    int decimals = -1;
};

// A cell: a text, or a number (NaN for none). The system column is a number (0 the workbench,
// 1..10 the memories) that the screen shows as its text ("Workbench", "Sys 3").
struct CompareCell {
    std::string text;
    double number = NAN;
    bool isText = false;
};

std::vector<CompareColumn> CompareColumns(bool metric);
// A row's cells in the order of the columns.
std::vector<CompareCell> CompareCells(const CompareRow& row);

// A cell as the screen and paper show it: its text, or its number with the column's decimals;
// empty for none.
std::string CompareText(const CompareCell& cell, const CompareColumn& column);

// The table as CSV: the column keys, then a line per row; numbers in their shortest form that
// reads back exactly, an empty cell for a value that does not apply, texts quoted where needed.
std::string CompareAsCsv(const std::vector<CompareRow>& rows, bool metric);

} // namespace cw::engine
