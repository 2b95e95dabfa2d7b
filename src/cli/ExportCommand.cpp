#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "engine/ResponseModels.h"
#include "model/CSpkSysDoc.h"
#include "model/NumberFormat.h"
#include "plot/PlotPainter.h"

#include <cmath>
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

// The text of one exported file, or why it cannot be written.
struct Export {
    std::string text;
    std::string problem;
};

Export NotCalculated(const std::string& curve, const std::string& system)
{
    return {{}, "There is no calculated " + curve + " curve in " + system + "."};
}

// The header, then frequency, magnitude and phase rows, frequencies strictly ascending: a point
// whose frequency does not ascend (a damaged file) is left out. A value that is not a finite
// number refuses the whole curve, and so does a curve with no point, rather than write a file
// with holes in its curve or none at all. Numbers keep every digit they need.
Export Rows(std::string header, const std::string& curve, const std::string& system,
            const CSpkSys& s, const CurveArray& magnitude, const CurveArray* phase,
            double magnitudeOffset)
{
    Export out{std::move(header), {}};
    double last = 0;
    for (int i = 0; i < s.storedPoints(); ++i) {
        const double f = s.frequencies[i];
        const double m = magnitude[i] + magnitudeOffset;
        const double p = phase ? FoldPhase((*phase)[i]) : 0;
        if (!std::isfinite(f) || !std::isfinite(m) || !std::isfinite(p))
            return {{},
                    "The " + curve + " curve of " + system +
                        " holds values that are not finite numbers, so it cannot be exported."};
        if (f <= last)
            continue;
        last = f;
        out.text += FormatPrinted("%.4f", f) + ' ' + FormatPrinted("%.4f", m) + ' ' +
                    FormatPrinted("%.4f", p) + '\n';
    }
    if (last == 0)
        return NotCalculated(curve, system);
    return out;
}

Export Frd(int index, const CSpkSys& s)
{
    const std::string system = SystemLabel(index, s);
    if (!s.hasSpl)
        return NotCalculated("SPL", system);
    std::string header = "* Conewright: SPL of " + system + "\n";
    double offset = 0;
    if (s.driver.spl != 0) {
        offset = plot::PlotPainter::SplOffset(s);
        if (!std::isfinite(offset))
            return {{},
                    "The SPL level of " + system +
                        " does not follow from its sensitivity, input power, SPL distance "
                        "and driver counts, so its SPL curve cannot be exported."};
        header += "* SPL in dB at " + FormatPrinted("%g", s.inputPower) + " W and " +
                  FormatPrinted("%g", s.splDistanceM) + " m: the relative response plus " +
                  FormatPrinted("%.2f", offset) + " dB\n";
    } else {
        header += "* SPL in dB relative to the passband (the driver's sensitivity is not known)\n";
    }
    if (s.hasPhase)
        header += "* Phase in degrees from the response model\n";
    else if (HasPhaseDelayImpedance(s.boxType()))
        header += "* Phase is 0: it was not calculated (the phase response was switched off)\n";
    else
        header += "* Phase is 0: the response model gives none for this box type\n";
    header += "* Frequency (Hz)  SPL (dB)  Phase (degrees)\n";
    return Rows(std::move(header), "SPL", system, s, s.splCurve,
                s.hasPhase ? &s.phaseCurve : nullptr, offset);
}

Export Zma(int index, const CSpkSys& s)
{
    const std::string system = SystemLabel(index, s);
    if (!s.hasImpedance)
        return NotCalculated("impedance", system);
    return Rows("* Conewright: impedance of " + system + "\n" +
                    "* Phase is 0: the response model gives the impedance magnitude only\n" +
                    "* Frequency (Hz)  Impedance (Ohms)  Phase (degrees)\n",
                "impedance", system, s, s.impedanceCurve, nullptr, 0);
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
    const Export frdFile = frd ? Frd(index, s) : Export{};
    const Export zmaFile = zma ? Zma(index, s) : Export{};
    for (const std::string& problem : {frdFile.problem, zmaFile.problem}) {
        if (!problem.empty()) {
            err << problem << '\n';
            return kExitDataError;
        }
    }
    for (const auto& [path, text] : {std::pair{frd, frdFile.text}, std::pair{zma, zmaFile.text}}) {
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
