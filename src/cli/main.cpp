// conewright-cli: the design and response engine without a screen.
#include "cli/CalcCommand.h"
#include "cli/CliResult.h"
#include "cli/DatabaseCommand.h"
#include "cli/DriverCommand.h"
#include "cli/OutputCommands.h"

#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace
{

constexpr const char* kUsage =
    "Usage:\n"
    "  conewright-cli calc [--project FILE.spk] [--driver FILE.dvr] [--box TYPE]\n"
    "                      [--db FILE] [--db-driver \"MANUFACTURER MODEL\"]\n"
    "                      [--units metric|english] [--set PATH=VALUE]... [--edit PATH=VALUE]...\n"
    "                      [--run STEP]... [--low HZ] [--high HZ] [--show LIST]\n"
    "                      [--undo N] [--redo N]\n"
    "                      [--overlay FILE.frd|FILE.zma]...\n"
    "                      [--limits] [--csv OUT|-] [--json OUT|-] [--save FILE.spk]\n"
    "  conewright-cli driver FILE.dvr\n"
    "  conewright-cli driver --from-json IN.json --out OUT.dvr\n"
    "  conewright-cli plot FILE.spk --png OUT.png | --svg OUT.svg [--width W --height H]\n"
    "                      [--background 0..4] [--colour-each-system] [--legend] [--limits]\n"
    "  conewright-cli report FILE.spk --pdf OUT.pdf | --png OUT.png [--landscape]\n"
    "                      [--units metric|english] [--print-icons] [--color]\n"
    "                      [--colour-each-system] [--legend]\n"
    "                      [--crossover 0..8 | --box-page 0..2 | --limits]\n"
    "  conewright-cli network FILE.spk --crossover 0..8 --csv OUT|-\n"
    "  conewright-cli export FILE.spk [--system 0..10] [--frd OUT.frd] [--zma OUT.zma]\n"
    "  conewright-cli cutlist FILE.spk --box-page 0..2 [--units metric|english]\n"
    "                      [--csv OUT|-] [--svg OUT.svg] [--pdf OUT.pdf [--landscape]]\n"
    "  conewright-cli fit FREE.zma [--re OHMS] [--sd M2] [--low HZ] [--high HZ]\n"
    "                      [--added-mass G --loaded LOADED.zma |\n"
    "                       --box-liters L --boxed BOXED.zma] [--json OUT|-] [--out FILE.dvr]\n"
    "  conewright-cli compare FILE.spk [--csv OUT|-] [--json OUT|-] [--units metric|english]\n"
    "  conewright-cli db [--db FILE] list [--search TEXT] [--json]\n"
    "  conewright-cli db [--db FILE] import FILES...\n"
    "  conewright-cli db [--db FILE] export --id N --out FILE.dvr\n"
    "  conewright-cli db [--db FILE] check [--id N] [--fix-units]\n"
    "  conewright-cli --help | --version\n"
    "\n"
    "Every output named - goes to the standard output.\n"
    "calc starts from a new project (or --project), applies the options in their order,\n"
    "runs Calculate Response once (a family of designs when the box is not designed) and\n"
    "writes the curves (--csv), the workbench record (--json) or the project (--save).\n"
    "  --box      2OCB, 3OCB, 4OVB, 4OSBP, 5OABP, 6OSBP, PRB or the full box type name\n"
    "  --units    the units the panels show, for --edit (default english)\n"
    "  --set      writes a field by its project-file path, e.g. vented4.fb=40, driver.qts=0.4;\n"
    "             boxLocks.rectH=1 clicks a box calculator lock on as its page would\n"
    "  --edit     types a value into a panel field and runs the design steps it runs, or\n"
    "             into a box calculator field (rectBox.metric.netVolume=50, trapBox.angle=10,\n"
    "             either unit copy) and solves the box as its page does, or into a vent\n"
    "             page (tubeVent.diameterIn=3, tubeVent.count=2, rectVent.heightM=0.05,\n"
    "             rectVent.widthIn, either unit copy) and writes its vent back as OK does\n"
    "  --run      CalcQtc, CalcFc, CalcAlpha, CalcBoxVolume, EstimateDriverAndVent,\n"
    "             CalcVentLength, CalcVentArea, CalcRadiatorTuning or CalcAddedMass; or a\n"
    "             calculator page's calculation:\n"
    "             Xover1OBW, Xover2OBW, Xover3OBW, Xover1OS, Xover2OLR, Xover4OLR,\n"
    "             ResonanceComp, InductanceComp or TweeterAtten; or a box calculator\n"
    "             page's start: RectBoxStart, TrapBoxStart or BandpassBoxStart; or a vent\n"
    "             page's start, written back as OK writes it: TubeVentStart or RectVentStart\n"
    "  --show     the curves to calculate, a list of spl,exc,phase,delay,imp\n"
    "  --undo     takes back the last N steps of the options before it, as Edit > Undo\n"
    "             does (successive --edit of one field are one step); --redo makes them again\n"
    "  --limits   --csv and --json write the workbench's limits instead: per point the\n"
    "             maximum SPL and power, the excursion and vent velocity at P(in) and the\n"
    "             limit that binds (thermal, excursion or vent; 17 m/s in the vent); the\n"
    "             JSON adds the sentence that names the bands, and the bands\n"
    "  --db-driver  loads a driver from the driver database as Open Driver loads a file\n"
    "  --overlay  adds a measured response (.frd) or impedance (.zma) to the project\n"
    "driver prints a driver file as JSON, or writes one from JSON.\n"
    "plot draws the plot as the screen shows it (default 1200 x 800, background 0), or\n"
    "with --limits the Limits window: how loud each shown system can play, and what stops it;\n"
    "report draws the one-page system report (a PNG at 150 dpi), or with --crossover the\n"
    "report of a crossover calculator page (0 1st Order Butterworth ... 8 Tweeter Attenuator),\n"
    "or with --box-page that of the rectangular (0), trapezoidal (1) or bandpass (2) box page,\n"
    "or with --limits the one-page Limits report;\n"
    "network writes that page's network response over 20 Hz to 20 kHz; export writes the\n"
    "workbench's (0) or a memory's SPL with phase as FRD and its impedance as ZMA.\n"
    "cutlist writes the panels of a box calculator page's box as CSV (to the standard output\n"
    "when no file is named), the panels laid out on sheets as SVG, and the cut list page as PDF;\n"
    "the project keeps the wall and baffle thickness, kerf, assembly style and sheet size.\n"
    "fit finds R(e), f(s), Q(ms), Q(es), Q(ts) and L(e) from a driver's impedance measured in\n"
    "free air (--re keeps a measured R(e); --low and --high limit the range); with S(D) and a\n"
    "second measurement with an added mass or in a closed box also V(as), M(ms), C(ms) and BL.\n"
    "It prints them with the fit's RMS error and judgement, or writes them as JSON or as a\n"
    "driver file.\n"
    "compare writes the compare table of the workbench and the memories that hold a design\n"
    "(CSV to the standard output without --csv or --json): F3, F6 and F10, the SPL peak,\n"
    "the peak excursion and group delay, volumes (cubic feet, or liters with --units\n"
    "metric), tuning, Q(tc), the maximum SPL at 20, 30, 40 and 50 Hz with the limit that\n"
    "binds and the peak vent air velocity.\n"
    "db keeps a library of drivers, by default in $XDG_DATA_HOME/conewright/drivers.sqlite:\n"
    "import reads driver files (.dvr), WinISD driver files (.wdr), the qspeakers XML list and\n"
    "tab-separated drivers tables, from files or whole folders; check prints the findings of\n"
    "the consistency check, and with --fix-units sets each value given in the wrong unit to\n"
    "what it probably meant, printing each change.\n"
    "Exit codes: 0 success, 1 file or data error, 2 usage error.\n";

int Dispatch(const std::vector<std::string>& words)
{
    if (!words.empty() && words[0] == "calc")
        return cw::cli::RunCalc({words.begin() + 1, words.end()}, std::cerr);
    if (!words.empty() && words[0] == "driver")
        return cw::cli::RunDriver({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "plot")
        return cw::cli::PlotCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "report")
        return cw::cli::ReportCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "db")
        return cw::cli::RunDatabase({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "network")
        return cw::cli::NetworkCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "fit")
        return cw::cli::FitCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "export")
        return cw::cli::ExportCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "cutlist")
        return cw::cli::CutListCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    if (!words.empty() && words[0] == "compare")
        return cw::cli::CompareCommand({words.begin() + 1, words.end()}, std::cout, std::cerr);
    return cw::cli::kExitUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    // Over a file-size limit a write then fails as on a full disk, so the message is shown and
    // no half-written temporary file stays behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> words(argv + 1, argv + argc);
    int code = cw::cli::kExitUsage;
    if (words.size() == 1 && (words[0] == "--help" || words[0] == "-h")) {
        std::cout << kUsage;
        code = cw::cli::kExitOk;
    } else if (words.size() == 1 && (words[0] == "--version" || words[0] == "-v")) {
        std::cout << "conewright-cli " << CW_VERSION << '\n';
        code = cw::cli::kExitOk;
    } else {
        try {
            code = Dispatch(words);
        } catch (const std::bad_alloc&) {
            // Files are replaced whole or not at all and the database in one transaction, so
            // what was being written is as it was.
            std::cerr << "There is not enough memory to finish the command.\n";
            return cw::cli::kExitDataError;
        }
    }
    if (code == cw::cli::kExitUsage)
        std::cerr << kUsage;
    // What went to the standard output counts only once it has left the buffer.
    if (code == cw::cli::kExitOk) {
        if (const cw::cli::Result flushed = cw::cli::FlushStandardOutput()) {
            std::cerr << flushed->message << '\n';
            code = flushed->exitCode;
        }
    }
    return code;
}
