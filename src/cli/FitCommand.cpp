#include "cli/CliResult.h"
#include "cli/OutputCommands.h"
#include "driver/DriverFile.h"
#include "measure/CurveFile.h"
#include "measure/ImpedanceFit.h"
#include "model/EditRules.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

namespace cw::cli
{

namespace
{

// A number above 0 that an option gives, read by the fields' number rule; 0 when it is not given.
Result PositiveOption(const CommandLine& line, const std::string& name, double& value)
{
    value = 0;
    const auto text = line.value(name);
    if (!text)
        return std::nullopt;
    const std::optional<double> number = edit::ParseNumber(*text);
    if (!number || !(*number > 0))
        return UsageError("The option " + name + " takes a number above 0, not \"" + *text + "\".");
    value = *number;
    return std::nullopt;
}

Result ReadImpedance(const std::string& path, MeasuredCurve& curve)
{
    const FileResult read = measure::ReadCurveFile(path, MeasuredKind::Impedance, curve);
    return read.ok() ? Result{} : DataError(read.message);
}

// The request the options describe, with its curves read.
Result Request(const CommandLine& line, measure::DriverFitRequest& request)
{
    double mass = 0, liters = 0;
    for (const auto& [name, value] :
         {std::pair{"--re", &request.range.re}, std::pair{"--sd", &request.sdSqM},
          std::pair{"--added-mass", &mass}, std::pair{"--box-liters", &liters},
          std::pair{"--low", &request.range.loHz}, std::pair{"--high", &request.range.hiHz}}) {
        if (const Result r = PositiveOption(line, name, *value))
            return r;
    }
    const auto loaded = line.value("--loaded"), boxed = line.value("--boxed");
    if ((mass > 0) != loaded.has_value() || (liters > 0) != boxed.has_value() || (loaded && boxed))
        return UsageError("fit takes either --added-mass G --loaded LOADED.zma or --box-liters L "
                          "--boxed BOXED.zma, or neither.");
    if (request.range.hiHz > 0 && request.range.hiHz <= request.range.loHz)
        return UsageError("The option --high must lie above --low.");
    request.method = loaded  ? measure::SecondMeasurement::AddedMass
                     : boxed ? measure::SecondMeasurement::ClosedBox
                             : measure::SecondMeasurement::None;
    request.addedMassGrams = mass;
    request.boxLiters = liters;
    if (const Result r = ReadImpedance(line.file, request.freeAir))
        return r;
    if (loaded || boxed)
        return ReadImpedance(loaded ? *loaded : *boxed, request.second);
    return std::nullopt;
}

nlohmann::ordered_json Json(const measure::DriverFit& fit)
{
    const measure::ImpedanceModel& m = fit.freeAir.model;
    nlohmann::ordered_json j;
    j["re"] = m.re;
    j["fs"] = m.fs;
    j["qms"] = m.qms;
    j["qes"] = m.qes;
    j["qts"] = m.Qts();
    j["le"] = m.le * 1000;
    if (m.l2 > 0) {
        j["l2"] = m.l2 * 1000;
        j["r2"] = m.r2;
    }
    j["rmsErrorPercent"] = fit.freeAir.rmsErrorPercent;
    j["judgement"] = fit.freeAir.judgement;
    for (const auto& [name, value] :
         {std::pair{"vasLiters", fit.vasLiters}, std::pair{"mms", fit.mmsGrams},
          std::pair{"cms", fit.cmsMmPerN}, std::pair{"bl", fit.bl}, std::pair{"rms", fit.rms},
          std::pair{"eta0", fit.eta0}}) {
        if (value > 0)
            j[name] = value;
    }
    if (fit.second) {
        j["second"] = {{"fs", fit.second->model.fs},
                       {"qms", fit.second->model.qms},
                       {"qes", fit.second->model.qes},
                       {"rmsErrorPercent", fit.second->rmsErrorPercent},
                       {"judgement", fit.second->judgement}};
    }
    return j;
}

std::string Summary(const measure::DriverFit& fit)
{
    const measure::ImpedanceModel& m = fit.freeAir.model;
    std::string text;
    char line[160];
    const auto add = [&](const char* label, double value, const char* unit) {
        if (value > 0) {
            std::snprintf(line, sizeof line, "%-8s %.4g%s%s\n", label, value, *unit ? " " : "",
                          unit);
            text += line;
        }
    };
    add("R(e)", m.re, "Ohms");
    add("f(s)", m.fs, "Hz");
    add("Q(ms)", m.qms, "");
    add("Q(es)", m.qes, "");
    add("Q(ts)", m.Qts(), "");
    add("L(e)", m.le * 1000, "mH");
    add("V(as)", fit.vasLiters, "liters");
    add("M(ms)", fit.mmsGrams, "g");
    add("C(ms)", fit.cmsMmPerN, "mm/N");
    add("BL", fit.bl, "N/A");
    std::snprintf(line, sizeof line, "RMS error %.2g %%\n", fit.freeAir.rmsErrorPercent);
    text += line + fit.freeAir.judgement + "\n";
    if (fit.second)
        text += "Second measurement: " + fit.second->judgement + "\n";
    return text;
}

} // namespace

// Fits a driver's parameters from its free-air impedance and, with a second measurement, its
// mechanical ones; prints them, or writes them as JSON and as a driver file.
int FitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line;
    Result result = ParseCommandLine("fit", args,
                                     {"--re", "--sd", "--added-mass", "--loaded", "--box-liters",
                                      "--boxed", "--json", "--out", "--low", "--high"},
                                     {}, line, "a free-air impedance file");
    measure::DriverFitRequest request;
    if (!result)
        result = Request(line, request);
    std::vector<std::string> outputs, inputs = {line.file};
    for (const char* name : {"--json", "--out"})
        if (const auto path = line.value(name))
            outputs.push_back(*path);
    for (const char* name : {"--loaded", "--boxed"})
        if (const auto path = line.value(name))
            inputs.push_back(*path);
    if (!result)
        result = CheckNotInputs(outputs, inputs);
    measure::DriverFit fit;
    if (!result) {
        if (const auto error = measure::FitDriver(request, fit))
            result = DataError(*error);
    }
    if (!result && line.value("--out")) {
        DriverParams driver;
        driver.model = request.freeAir.name;
        measure::ApplyDriverFit(request, fit, driver);
        result = WriteOutput(*line.value("--out"), EncodeDriver(driver));
    }
    if (!result && line.value("--json"))
        result = WriteOutput(*line.value("--json"), Json(fit).dump(1, '\t') + "\n");
    if (result)
        return Fail(*result, err);
    if (!line.value("--json") || !IsStandardOutput(*line.value("--json")))
        out << Summary(fit);
    return kExitOk;
}

} // namespace cw::cli
