#include "project/ProjectFile.h"

#include "model/FileAccess.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace cw
{

namespace
{

// Written in field order so that the file reads like the record; read through the plain
// (sorted) object, where looking a key up does not depend on how many keys a file holds.
using OutJson = nlohmann::ordered_json;
using InJson = nlohmann::json;

constexpr const char* kNotProject = "%1 is not a Conewright project file.";
constexpr const char* kTooLarge = "%1 is too large to be a Conewright project file.";

// ---- writing ----

OutJson ToJson(std::int32_t v)
{
    return v;
}
OutJson ToJson(double v)
{
    return std::isfinite(v) ? OutJson(v) : OutJson(nullptr);
}
OutJson ToJson(const std::string& v)
{
    return v;
}
OutJson ToJson(const CSpkSys& s);
OutJson ToJson(const std::vector<CSpkSys>& systems);
OutJson ToJson(const std::vector<double>& values);
OutJson ToJson(const std::vector<MeasuredCurve>& curves);
template <class T, std::size_t N> OutJson ToJson(const std::array<T, N>& values);
template <class Group> OutJson ToJson(const Group& group);

template <class T> void AddFields(OutJson& j, const T& object)
{
    T::Fields(object, [&](const char* name, const auto& value) { j[name] = ToJson(value); });
}

template <class T, std::size_t N> OutJson ToJson(const std::array<T, N>& values)
{
    OutJson j = OutJson::array();
    for (const auto& v : values)
        j.push_back(ToJson(v));
    return j;
}

template <class Group> OutJson ToJson(const Group& group)
{
    OutJson j = OutJson::object();
    AddFields(j, group);
    return j;
}

OutJson ToJson(const CSpkSys& s)
{
    OutJson j = OutJson::object();
    AddFields(j, s);
    const int n = s.storedPoints();
    CSpkSys::Curves(s, [&](const char* name, const CurveArray& curve, const std::int32_t*) {
        OutJson points = OutJson::array();
        for (int i = 0; i < n; ++i)
            points.push_back(ToJson(curve[i]));
        j[name] = std::move(points);
    });
    return j;
}

OutJson ToJson(const std::vector<CSpkSys>& systems)
{
    OutJson j = OutJson::array();
    for (const auto& s : systems)
        j.push_back(ToJson(s));
    return j;
}

OutJson ToJson(const std::vector<double>& values)
{
    OutJson j = OutJson::array();
    for (double v : values)
        j.push_back(ToJson(v));
    return j;
}

OutJson ToJson(const std::vector<MeasuredCurve>& curves)
{
    OutJson j = OutJson::array();
    for (const auto& c : curves)
        j.push_back(ToJson<MeasuredCurve>(c));
    return j;
}

// ---- reading ----

// A value of the wrong type or an impossible size; what says which value and why.
struct Damaged : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Where a value sits in the file, such as systems[3].driver.fs. Only a message spells it out,
// so reading a long curve builds no text per point.
struct Where {
    const Where* parent = nullptr;
    const char* name = nullptr; // the member's name; null for an element of a list
    std::size_t index = 0;

    Where Member(const char* member) const { return {this, member, 0}; }
    Where Element(std::size_t i) const { return {this, nullptr, i}; }
    std::string Text() const
    {
        if (parent == nullptr)
            return "the project";
        if (parent->parent == nullptr)
            return name;
        return parent->Text() +
               (name ? std::string(".") + name : "[" + std::to_string(index) + "]");
    }
};

[[noreturn]] void Fail(const Where& where, const std::string& why)
{
    throw Damaged(where.Text() + " " + why);
}

void Read(const InJson& j, std::int32_t& v, const Where& where)
{
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    if (j.is_number_unsigned()) {
        const auto u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(hi))
            Fail(where, "is out of range");
        v = static_cast<std::int32_t>(u);
    } else if (j.is_number_integer()) {
        const auto i = j.get<std::int64_t>();
        if (i < lo || i > hi)
            Fail(where, "is out of range");
        v = static_cast<std::int32_t>(i);
    } else if (j.is_number_float()) {
        // Other programs may write whole numbers as 1.0.
        const double d = j.get<double>();
        if (!(d == std::trunc(d) && d >= lo && d <= hi))
            Fail(where, "must be a whole number");
        v = static_cast<std::int32_t>(d);
    } else {
        Fail(where, "must be a whole number");
    }
}

void Read(const InJson& j, double& v, const Where& where)
{
    if (j.is_null())
        v = std::numeric_limits<double>::quiet_NaN(); // how a non-finite value is stored
    else if (j.is_number())
        v = j.get<double>();
    else
        Fail(where, "must be a number");
}

void Read(const InJson& j, std::string& v, const Where& where)
{
    if (!j.is_string())
        Fail(where, "must be a text");
    v = j.get<std::string>();
}

void Read(const InJson& j, CSpkSys& s, const Where& where);
void Read(const InJson& j, std::vector<CSpkSys>& systems, const Where& where);
void Read(const InJson& j, std::vector<double>& values, const Where& where);
void Read(const InJson& j, std::vector<MeasuredCurve>& curves, const Where& where);
template <class T, std::size_t N>
void Read(const InJson& j, std::array<T, N>& values, const Where& where);
template <class Group> void Read(const InJson& j, Group& group, const Where& where);

template <class T> void ReadFields(const InJson& j, T& object, const Where& where)
{
    if (!j.is_object())
        Fail(where, "must be an object");
    T::Fields(object, [&](const char* name, auto& value) {
        const auto it = j.find(name);
        if (it != j.end())
            Read(*it, value, where.Member(name));
    });
}

template <class T, std::size_t N>
void Read(const InJson& j, std::array<T, N>& values, const Where& where)
{
    if (!j.is_array() || j.size() != N)
        Fail(where, "must be a list of " + std::to_string(N) + " values");
    for (std::size_t i = 0; i < N; ++i)
        Read(j[i], values[i], where.Element(i));
}

template <class Group> void Read(const InJson& j, Group& group, const Where& where)
{
    ReadFields(j, group, where);
}

void Read(const InJson& j, CSpkSys& s, const Where& where)
{
    ReadFields(j, s, where);
    if (!(s.pointCount >= 0 && s.pointCount <= kMaxPoints))
        Fail(where.Member("pointCount"), "must lie between 0 and " + std::to_string(kMaxPoints));
    CSpkSys::Curves(s, [&](const char* name, CurveArray& curve, const std::int32_t*) {
        const auto it = j.find(name);
        if (it == j.end())
            return;
        const Where at = where.Member(name);
        if (!it->is_array() || it->size() > kMaxPoints)
            Fail(at, "must be a list of at most " + std::to_string(kMaxPoints) + " numbers");
        for (std::size_t i = 0; i < it->size(); ++i)
            Read((*it)[i], curve[i], at.Element(i));
    });
}

void Read(const InJson& j, std::vector<CSpkSys>& systems, const Where& where)
{
    if (!j.is_array() || j.size() != static_cast<std::size_t>(kSystemCount))
        Fail(where, "must be a list of " + std::to_string(kSystemCount) + " systems");
    for (std::size_t i = 0; i < systems.size(); ++i)
        Read(j[i], systems[i], where.Element(i));
}

void Read(const InJson& j, std::vector<double>& values, const Where& where)
{
    if (!j.is_array() || j.size() > kMaxMeasuredRows)
        Fail(where, "must be a list of at most " + std::to_string(kMaxMeasuredRows) + " numbers");
    values.resize(j.size());
    for (std::size_t i = 0; i < j.size(); ++i)
        Read(j[i], values[i], where.Element(i));
}

void Read(const InJson& j, std::vector<MeasuredCurve>& curves, const Where& where)
{
    if (!j.is_array() || j.size() > kMaxMeasuredCurves)
        Fail(where, "must be a list of at most " + std::to_string(kMaxMeasuredCurves) + " curves");
    curves.resize(j.size());
    for (std::size_t i = 0; i < j.size(); ++i) {
        ReadFields(j[i], curves[i], where.Element(i));
        if (const auto why = CheckMeasuredCurve(curves[i]))
            Fail(where.Element(i), *why);
    }
}

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// The file text of a JSON value. Texts that are not valid UTF-8 cannot come from the program's
// own editors; should one get there anyway, its bad bytes are replaced rather than losing the
// whole save.
std::string Text(const OutJson& j)
{
    return j.dump(1, '\t', false, OutJson::error_handler_t::replace) + "\n";
}

} // namespace

std::string SerializeProject(const ProjectData& data)
{
    OutJson j = OutJson::object();
    j["format"] = kProjectFormatName;
    j["version"] = kProjectFormatVersion;
    AddFields(j, data);
    return Text(j);
}

std::string SerializeSystem(const CSpkSys& s)
{
    return Text(ToJson(s));
}

std::string SerializeDriver(const DriverParams& d)
{
    return Text(ToJson(d));
}

std::optional<std::string> ParseDriver(std::string_view text, DriverParams& out)
{
    const InJson j = InJson::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object())
        return "%1 does not hold a driver in JSON.";
    DriverParams d;
    try {
        ReadFields(j, d, Where{});
    } catch (const Damaged& e) {
        return std::string("%1 does not hold a usable driver: ") + e.what() + ".";
    }
    out = std::move(d);
    return std::nullopt;
}

std::optional<std::string> ParseProject(std::string_view text, ProjectData& out)
{
    const InJson j = InJson::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object())
        return kNotProject;
    const auto format = j.find("format");
    if (format == j.end() || !format->is_string() || *format != kProjectFormatName)
        return kNotProject;

    const std::string damaged = "%1 is damaged and cannot be opened: ";
    const auto version = j.find("version");
    if (version == j.end() || !version->is_number_integer())
        return damaged + "its format version is missing.";
    if (version->is_number_unsigned() && version->get<std::uint64_t>() > kProjectFormatVersion)
        return "%1 was saved by a newer version of Conewright (project format " + version->dump() +
               ") and cannot be opened.";
    if (version->get<std::int64_t>() < 1)
        return damaged + "its format version " + version->dump() + " is unknown.";

    ProjectData data;
    try {
        ReadFields(j, data, Where{});
    } catch (const Damaged& e) {
        return damaged + e.what() + ".";
    }
    out = std::move(data);
    return std::nullopt;
}

bool CSpkSysDoc::SaveProject(const std::string& path)
{
    FileResult result;
    try {
        result = WriteFileAtomically(path, SerializeProject(*this));
    } catch (const std::exception&) {
        result.message = "Failed to save document.";
    }
    if (!result.ok()) {
        windows_->ShowMessage(result.message);
        return false;
    }
    path_ = path;
    title_ = FileName(path);
    SetModified(false);
    return true;
}

bool CSpkSysDoc::OpenProject(const std::string& path)
{
    std::string text;
    std::string message;
    ProjectData data;
    try {
        const FileResult read = ReadWholeFile(path, text, kMaxProjectFileBytes, kTooLarge);
        if (!read.ok())
            message = read.message;
        else if (const auto error = ParseProject(text, data))
            message = WithPath(*error, path);
    } catch (const std::bad_alloc&) {
        message = WithPath("Failed to open document.", path);
    }
    if (!message.empty()) {
        windows_->ShowMessage(message);
        return false;
    }
    AssignProject(std::move(data));
    path_ = path;
    title_ = FileName(path);
    SetModified(false);
    windows_->ReplaceWorkbenchPanel();
    windows_->UpdateAllViews();
    return true;
}

} // namespace cw
