#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "model/CSpkSysDoc.h"
#include "plot/PlotPainter.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>

namespace cw::cli
{

namespace
{

// Phase folded into -180 .. 180 degrees, as crossover tools expect it.
double FoldPhase(double degrees)
{
    double p = std::fmod(degrees + 180, 360);
    if (p < 0)
        p += 360;
    return p - 180;
}

std::string SystemLabel(int index, const CSpkSys& s)
{
    std::string label = index == 0 ? "the workbench" : "Sys " + std::to_string(index);
    if (!s.systemName.empty())
        label += " (" + s.systemName + ")";
    return label;
}

// Frequency, magnitude and phase rows: only finite values, frequencies strictly ascending.
std::string Rows(const CSpkSys& s, const CurveArray& magnitude, const CurveArray* phase,
                 double magnitudeOffset)
{
    std::string text;
    double last = 0;
    char row[96];
    for (int i = 0; i < s.storedPoints(); ++i) {
        const double f = s.frequencies[i];
        const double m = magnitude[i] + magnitudeOffset;
        const double p = phase ? FoldPhase((*phase)[i]) : 0;
        if (!std::isfinite(f) || !std::isfinite(m) || !std::isfinite(p) || f <= last)
            continue;
        last = f;
        std::snprintf(row, sizeof row, "%.4f %.4f %.4f\n", f, m, p);
        text += row;
    }
    return text;
}

std::string FrdText(int index, const CSpkSys& s)
{
    double offset = plot::PlotPainter::SplOffset(s);
    std::string text = "* Conewright: SPL of " + SystemLabel(index, s) + "\n";
    if (std::isfinite(offset) && s.driver.spl != 0) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "* SPL in dB at %g W and %g m: the relative response plus %.2f dB\n",
                      s.inputPower, s.splDistanceM, offset);
        text += line;
    } else {
        offset = 0;
        text += "* SPL in dB relative to the passband (the driver's sensitivity is not known)\n";
    }
    text += s.hasPhase ? "* Phase in degrees from the response model\n"
                       : "* Phase is 0: the response model gives none for this box type\n";
    text += "* Frequency (Hz)  SPL (dB)  Phase (degrees)\n";
    return text + Rows(s, s.splCurve, s.hasPhase ? &s.phaseCurve : nullptr, offset);
}

std::string ZmaText(int index, const CSpkSys& s)
{
    return "* Conewright: impedance of " + SystemLabel(index, s) + "\n" +
           "* Phase is 0: the response model gives the impedance magnitude only\n" +
           "* Frequency (Hz)  Impedance (Ohms)  Phase (degrees)\n" +
           Rows(s, s.impedanceCurve, nullptr, 0);
}

} // namespace

// The SPL with phase as an FRD file and the impedance as a ZMA file, of the workbench (0) or
// of a memory (1..10).
int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    int index = 0;
    Result usage = ParseCommandLine("export", args, {"--system", "--frd", "--zma"}, {}, line);
    if (!usage)
        usage = IntOption(line, "--system", 0, 0, 10, index);
    const auto frd = line.value("--frd");
    const auto zma = line.value("--zma");
    if (!usage && !frd && !zma)
        usage = UsageError("export writes --frd, --zma or both.");
    for (const auto& path : {frd, zma}) {
        if (!usage && path)
            usage = CheckNotInput(*path, line.file);
    }
    if (usage)
        return Fail(*usage, err);

    auto doc = std::make_unique<CSpkSysDoc>();
    if (auto error = LoadProjectFile(line.file, *doc)) {
        err << *error << '\n';
        return kExitDataError;
    }
    const CSpkSys& s = doc->systems[index];
    // Check both curves before writing either file.
    if (frd && (!s.hasSpl || s.storedPoints() == 0)) {
        err << "There is no calculated SPL curve in " << SystemLabel(index, s) << ".\n";
        return kExitDataError;
    }
    if (zma && (!s.hasImpedance || s.storedPoints() == 0)) {
        err << "There is no calculated impedance curve in " << SystemLabel(index, s) << ".\n";
        return kExitDataError;
    }
    for (const auto& [path, text] : {std::pair{frd, frd ? FrdText(index, s) : ""},
                                     std::pair{zma, zma ? ZmaText(index, s) : ""}}) {
        if (!path)
            continue;
        const bool toStandardOutput = IsStandardOutput(*path);
        if (const Result written = WriteOutput(*path, text)) {
            err << written->message << '\n';
            return written->exitCode;
        }
        if (!toStandardOutput)
            out << "Wrote " << *path << '\n';
    }
    return kExitOk;
}

} // namespace cw::cli
