#include "cli/CalcCommand.h"

#include "calculators/CrossoverPages.h"
#include "cli/BoxCalcEdit.h"
#include "cli/CliResult.h"
#include "cli/CliWindows.h"
#include "cli/CurveCsv.h"
#include "cli/DatabaseCommand.h"
#include "cli/FieldPath.h"
#include "cli/LimitsJson.h"
#include "cli/PanelEdit.h"
#include "cli/VentCalcEdit.h"
#include "database/DriverCheck.h"
#include "database/DriverStore.h"
#include "database/ImportText.h"
#include "engine/Design.h"
#include "engine/Limits.h"
#include "measure/CurveFile.h"
#include "measure/MeasuredCurves.h"
#include "model/CSpkSysDoc.h"
#include "model/EditRules.h"
#include "project/ProjectFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <utility>

namespace cw::cli
{

namespace
{

struct Option {
    std::string name; // without the leading dashes
    std::string value;
};

constexpr std::array<const char*, 19> kOptionNames = {
    "project", "driver", "db",  "db-driver", "box",  "units",  "set",  "edit", "run",    "low",
    "high",    "show",   "csv", "json",      "save", "limits", "undo", "redo", "overlay"};

using Step = bool (CSpkSysDoc::*)();
constexpr std::array<std::pair<const char*, Step>, 9> kSteps = {{
    {"CalcQtc", &CSpkSysDoc::CalcQtc},
    {"CalcFc", &CSpkSysDoc::CalcFc},
    {"CalcAlpha", &CSpkSysDoc::CalcAlpha},
    {"CalcBoxVolume", &CSpkSysDoc::CalcBoxVolume},
    {"EstimateDriverAndVent", &CSpkSysDoc::EstimateDriverAndVent},
    {"CalcVentLength", &CSpkSysDoc::CalcVentLength},
    {"CalcVentArea", &CSpkSysDoc::CalcVentArea},
    {"CalcRadiatorTuning", &CSpkSysDoc::CalcRadiatorTuning},
    {"CalcAddedMass", &CSpkSysDoc::CalcAddedMass},
}};

// "--name value" or "--name=value", every option with a value but the switch --limits.
Result ParseOptions(const std::vector<std::string>& args, std::vector<Option>& out)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!word.starts_with("--"))
            return UsageError("Unexpected argument \"" + word + "\".");
        Option o;
        const std::size_t eq = word.find('=');
        o.name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        bool known = false;
        for (const char* name : kOptionNames)
            known = known || o.name == name;
        if (!known)
            return UsageError("Unknown option \"" + word + "\".");
        if (o.name == "limits") {
            if (eq != std::string::npos)
                return UsageError("--limits takes no value.");
        } else if (eq != std::string::npos) {
            o.value = word.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            o.value = args[++i];
        } else {
            return UsageError("The option --" + o.name + " needs a value.");
        }
        out.push_back(std::move(o));
    }
    const auto given = [&out](const char* name) {
        return std::any_of(out.begin(), out.end(),
                           [name](const Option& o) { return o.name == name; });
    };
    if (given("limits") && !given("csv") && !given("json"))
        return UsageError("--limits is written with --csv or --json.");
    return std::nullopt;
}

// PATH=VALUE of --set and --edit.
Result SplitAssignment(const Option& o, std::string& path, std::string& value)
{
    const std::size_t eq = o.value.find('=');
    if (eq == std::string::npos || eq == 0)
        return UsageError("--" + o.name + " takes PATH=VALUE, not \"" + o.value + "\".");
    path = o.value.substr(0, eq);
    value = o.value.substr(eq + 1);
    return std::nullopt;
}

// No output may replace a file the command reads; saving the project that was opened is an
// ordinary save.
Result CheckOutputs(const std::vector<Option>& options)
{
    std::vector<std::string> projects, others, outputs, saves;
    std::string db;
    bool fromDatabase = false;
    for (const Option& o : options) {
        if (o.name == "project")
            projects.push_back(o.value);
        else if (o.name == "driver" || o.name == "overlay")
            others.push_back(o.value);
        else if (o.name == "db")
            db = o.value;
        else if (o.name == "db-driver")
            fromDatabase = true;
        else if (o.name == "csv" || o.name == "json")
            outputs.push_back(o.value);
        else if (o.name == "save")
            saves.push_back(o.value);
    }
    if (fromDatabase)
        others.push_back(db.empty() ? database::DefaultDatabasePath() : db);
    if (Result r = CheckNotInputs(saves, others))
        return r;
    others.insert(others.end(), projects.begin(), projects.end());
    return CheckNotInputs(outputs, others);
}

class Calc
{
public:
    Calc(std::vector<Option> options, std::ostream& err) : options_(std::move(options)), err_(err)
    {
        doc_.SetWindows(&windows_);
    }

    Result Run()
    {
        bool limitsSet = false;
        for (const Option& o : options_) {
            if (o.name == "csv" || o.name == "json" || o.name == "save" || o.name == "limits")
                continue;
            if (o.name == "low" || o.name == "high") {
                if (limitsSet)
                    continue;
                limitsSet = true;
            }
            if (Result r = Apply(o))
                return r;
            // Each option is one action of the user: one step of the undo history.
            doc_.EndStep();
        }
        const bool calculated = doc_.CalculateResponse();
        if (Result r = Messages())
            return r;
        if (!calculated)
            return DataError("No response was calculated.");
        for (const Option& o : options_) {
            if (o.name == "csv" || o.name == "json" || o.name == "save") {
                if (Result r = Write(o))
                    return r;
            }
        }
        return std::nullopt;
    }

private:
    // What the windows were told, as an error; failure names what failed when they were told
    // nothing.
    Result Messages(const char* failure = nullptr)
    {
        if (windows_.messages.empty())
            return failure ? DataError(failure) : std::nullopt;
        std::string text;
        for (const std::string& m : windows_.messages)
            text += (text.empty() ? "" : "\n") + m;
        windows_.messages.clear();
        return DataError(text);
    }

    Result Apply(const Option& o)
    {
        // Whatever else changes the workbench, the panels show it afresh, as after the system
        // editor; the vent pages start afresh after anything but typing into them.
        if (o.name != "edit")
            editor_.Forget();
        if (o.name != "edit" || !VentPages::IsVentPath(o.value))
            vents_.Forget();
        if (o.name == "project")
            return doc_.OpenProject(o.value) ? Result{} : Messages("Failed to open document.");
        if (o.name == "driver")
            return doc_.OpenDriver(o.value) ? Result{} : Messages("Failed to open document.");
        if (o.name == "db")
            return std::nullopt; // read by --db-driver, wherever it stands
        if (o.name == "db-driver")
            return LoadFromDatabase(o.value);
        if (o.name == "box")
            return SetBox(o.value);
        if (o.name == "units")
            return SetUnits(o.value);
        if (o.name == "set")
            return Set(o);
        if (o.name == "edit")
            return Edit(o);
        if (o.name == "run")
            return RunStep(o.value);
        if (o.name == "low" || o.name == "high")
            return SetLimits();
        if (o.name == "show")
            return SetShown(o.value);
        if (o.name == "undo" || o.name == "redo")
            return UndoSteps(o);
        if (o.name == "overlay")
            return AddOverlay(o.value);
        return UsageError("The option --" + o.name + " is not available.");
    }

    // Takes back (makes again) the given number of steps, as Edit > Undo (Redo) does.
    Result UndoSteps(const Option& o)
    {
        const std::optional<std::int32_t> count = edit::ParseInteger(o.value);
        if (!count || *count < 1)
            return UsageError("--" + o.name + " takes a number of steps, not \"" + o.value + "\".");
        const bool undo = o.name == "undo";
        for (std::int32_t i = 0; i < *count; ++i) {
            if (undo ? doc_.Undo() : doc_.Redo())
                continue;
            if (i == 0)
                return DataError("There is nothing to " + o.name + ".");
            return DataError("Only " + std::to_string(i) + " of the " + o.value +
                             " steps could be " + (undo ? "undone." : "redone."));
        }
        return std::nullopt;
    }

    Result LoadFromDatabase(const std::string& name)
    {
        std::string db;
        for (const Option& o : options_) {
            if (o.name == "db")
                db = o.value;
        }
        DriverParams driver;
        if (Result r = DriverFromDatabase(db, name, driver))
            return r;
        // The design goes on, but a value in the wrong unit gives a box of the wrong size.
        for (const database::UnitFix& fix : database::LikelyUnitFixes(driver))
            err_ << "Note: " << database::Printable(name)
                 << " looks to have a value in the wrong unit; db check --fix-units would set "
                 << database::DescribeFix(fix) << ".\n";
        doc_.LoadDriver(std::move(driver));
        return Messages();
    }

    Result AddOverlay(const std::string& path)
    {
        const std::optional<MeasuredKind> kind = measure::KindOfPath(path);
        if (!kind)
            return UsageError("--overlay takes a .frd or a .zma file, not \"" + path + "\".");
        return measure::ImportMeasuredCurve(doc_, path, *kind)
                   ? Messages()
                   : Messages("Failed to open document.");
    }

    Result SetBox(const std::string& text)
    {
        BoxType type = BoxTypeFromAbbreviation(text);
        if (type == BoxType::None)
            type = BoxTypeFromName(text);
        if (type == BoxType::None)
            return UsageError("Unknown box type \"" + text +
                              "\"; use 2OCB, 3OCB, 4OVB, 4OSBP, 5OABP, 6OSBP, PRB or a full name.");
        doc_.SetBoxType(type);
        return std::nullopt;
    }

    Result SetUnits(const std::string& text)
    {
        if (text != "metric" && text != "english")
            return UsageError("--units takes metric or english, not \"" + text + "\".");
        metric_ = text == "metric";
        return std::nullopt;
    }

    Result Set(const Option& o)
    {
        std::string path, value;
        if (Result r = SplitAssignment(o, path, value))
            return r;
        if (path.starts_with("boxLocks."))
            return Outcome(path, SetBoxLock(doc_, path, value));
        const std::optional<FieldRef> field = FindField(doc_.workbench(), path);
        if (!field)
            return UsageError("\"" + path + "\" is not a field of the system.");
        if (std::optional<std::string> refused = AssignText(*field, value))
            return UsageError(path + ": " + *refused);
        doc_.SetModified();
        return std::nullopt;
    }

    Result Edit(const Option& o)
    {
        std::string path, value;
        if (Result r = SplitAssignment(o, path, value))
            return r;
        if (VentPages::IsVentPath(path))
            return Outcome(path, vents_.Edit(metric_, path, value));
        return Outcome(path, IsBoxCalculatorPath(path)
                                 ? EditBoxCalculatorField(doc_, path, value)
                                 : editor_.EditPanelField(metric_, path, value));
    }

    static Result Outcome(const std::string& path, const EditOutcome& outcome)
    {
        switch (outcome.kind) {
        case EditOutcome::Kind::Done:
            return std::nullopt;
        case EditOutcome::Kind::NotAField:
            return UsageError(outcome.message);
        case EditOutcome::Kind::Refused:
            break;
        }
        return DataError(path + ": " + outcome.message);
    }

    // A design step, the calculation of a crossover or network calculator page, or the start of
    // a box or vent calculator page.
    Result RunStep(const std::string& name)
    {
        if (name == "TubeVentStart" || name == "RectVentStart")
            return StartVentPage(name == "TubeVentStart");
        if (const std::optional<calc::BoxPageKind> kind = BoxPageStartFromName(name)) {
            calc::BoxCalculatorPage page(*kind, doc_.workbench(), doc_.boxLocks);
            if (!page.Start())
                return DataError(name + ": " + page.guardMessage());
            doc_.SetModified();
            return std::nullopt;
        }
        for (const auto& [stepName, step] : kSteps) {
            if (name == stepName) {
                if (!(doc_.*step)()) {
                    if (const auto problem = engine::UnusableDesignValue(doc_.workbench()))
                        return DataError(*problem + ", so " + name +
                                         " gives no result; the design was kept.");
                    return DataError(name + " gives no usable result with these values; the "
                                            "design was kept.");
                }
                doc_.SetModified();
                return std::nullopt;
            }
        }
        const int page = calc::CrossoverPageFromName(name);
        if (page < 0)
            return UsageError("Unknown design step or calculator \"" + name + "\".");
        if (const auto why = calc::CrossoverPageRefusal(doc_.workbench(), page))
            return DataError(name + ": " + *why + " The results were kept.");
        if (!calc::CalculateCrossoverPage(doc_.workbench(), page))
            return DataError(name + " gives no usable result with these values; the results were "
                                    "kept.");
        doc_.SetModified();
        return std::nullopt;
    }

    // A vent page's start with its results written back, as OK on the page writes them.
    Result StartVentPage(bool tubes)
    {
        const EditOutcome outcome = vents_.Start(tubes, metric_);
        if (outcome.kind != EditOutcome::Kind::Done)
            return DataError(outcome.message);
        return std::nullopt;
    }

    // Both limits at once, at the place of the first of them: the last value given for each.
    Result SetLimits()
    {
        double low = doc_.plot.lowFreqLimit;
        double high = doc_.plot.highFreqLimit;
        for (const Option& o : options_) {
            if (o.name != "low" && o.name != "high")
                continue;
            const std::optional<double> v = edit::ParseNumber(o.value);
            if (!v)
                return UsageError("--" + o.name + " takes a frequency in Hz, not \"" + o.value +
                                  "\".");
            (o.name == "low" ? low : high) = *v;
        }
        if (!(low < high))
            return UsageError("The low frequency limit must be below the high one.");
        doc_.plot.lowFreqLimit = low;
        doc_.plot.highFreqLimit = high;
        doc_.SetModified();
        return std::nullopt;
    }

    Result SetShown(const std::string& list)
    {
        DisplaySwitches& d = doc_.display;
        std::array<std::pair<std::string_view, std::int32_t*>, 5> kinds = {
            {{"spl", &d.showSpl},
             {"exc", &d.showExcursion},
             {"phase", &d.showPhase},
             {"delay", &d.showDelay},
             {"imp", &d.showImpedance}}};
        std::array<std::int32_t, 5> shown{};
        std::string_view rest = list;
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const std::string_view name = rest.substr(0, comma);
            bool known = false;
            for (std::size_t k = 0; k < kinds.size(); ++k) {
                if (kinds[k].first == name) {
                    shown[k] = 1;
                    known = true;
                }
            }
            if (!known)
                return UsageError("--show takes a list of spl, exc, phase, delay and imp, not \"" +
                                  list + "\".");
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        }
        for (std::size_t k = 0; k < kinds.size(); ++k)
            *kinds[k].second = shown[k];
        doc_.SetModified();
        return std::nullopt;
    }

    Result Write(const Option& o)
    {
        if (o.name == "csv" || o.name == "json") {
            if (const std::optional<engine::Limits>& l = Limits())
                return WriteOutput(o.value, o.name == "csv" ? LimitsAsCsv(*l) : LimitsAsJson(*l));
        }
        if (o.name == "csv")
            return WriteOutput(o.value, CurvesAsCsv(doc_.workbench()));
        if (o.name == "json")
            return WriteOutput(o.value, SerializeSystem(doc_.workbench()));
        return WriteOutput(o.value, SerializeProject(doc_));
    }

    // The workbench's limits when --limits asks for them instead of the curves and the record.
    const std::optional<engine::Limits>& Limits()
    {
        const bool asked = std::any_of(options_.begin(), options_.end(),
                                       [](const Option& o) { return o.name == "limits"; });
        if (asked && !limits_)
            limits_ = engine::CalculateLimits(doc_.workbench(), kDefaultVentVelocityLimit);
        return limits_;
    }

    std::vector<Option> options_;
    std::optional<engine::Limits> limits_;
    std::ostream& err_;
    CliWindows windows_;
    CSpkSysDoc doc_;
    PanelEditor editor_{doc_};
    VentPages vents_{doc_};
    bool metric_ = false;
};

} // namespace

int RunCalc(const std::vector<std::string>& args, std::ostream& err)
{
    std::vector<Option> options;
    Result result = ParseOptions(args, options);
    if (!result)
        result = CheckOutputs(options);
    if (!result)
        result = Calc(std::move(options), err).Run();
    if (!result)
        return kExitOk;
    err << result->message << '\n';
    return result->exitCode;
}

} // namespace cw::cli
