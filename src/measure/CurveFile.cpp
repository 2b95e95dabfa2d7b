#include "measure/CurveFile.h"

#include "database/ImportText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <numeric>

namespace cw::measure
{

namespace
{

bool IsSeparator(char c, bool semicolons)
{
    return c == ' ' || c == '\t' || c == (semicolons ? ';' : ',');
}

std::vector<std::string> Tokens(std::string_view line)
{
    // A semicolon between values frees the comma to be a decimal comma.
    const bool semicolons = line.find(';') != std::string_view::npos;
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i], semicolons))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i], semicolons))
            ++i;
        if (i > start) {
            std::string token(line.substr(start, i - start));
            if (semicolons)
                std::replace(token.begin(), token.end(), ',', '.');
            tokens.push_back(std::move(token));
        }
    }
    return tokens;
}

// A whole token as a number; "inf", "nan" and numbers too large for a double come back as
// non-finite so that the caller refuses them.
std::optional<double> Number(std::string_view token)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
    if (end != token.data() + token.size() || token.empty())
        return std::nullopt;
    if (ec == std::errc::result_out_of_range)
        return HUGE_VAL;
    if (ec != std::errc())
        return std::nullopt;
    return v;
}

std::string LineMessage(std::size_t lineNo, const std::string& what, std::string_view line)
{
    return "Line " + std::to_string(lineNo) + " of %1 " + what + ": \"" +
           database::Abbreviated(database::Printable(line), database::kQuotedValueBytes) + "\".";
}

struct Row {
    double hz, value, phase;
    bool hasPhase;
};

} // namespace

std::optional<MeasuredKind> KindOfPath(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".frd")
        return MeasuredKind::Response;
    if (ext == ".zma")
        return MeasuredKind::Impedance;
    return std::nullopt;
}

std::optional<std::string> ParseCurve(std::string_view bytes, MeasuredKind kind, MeasuredCurve& out)
{
    const std::string text = database::DecodeText(bytes);
    std::vector<Row> rows;
    std::size_t lineNo = 0, belowZero = 0;
    for (std::string_view line : database::SplitLines(text)) {
        ++lineNo;
        while (!line.empty() && IsSeparator(line.back(), false))
            line.remove_suffix(1);
        while (!line.empty() && IsSeparator(line.front(), false))
            line.remove_prefix(1);
        if (line.empty() || std::string_view("*#;\"").find(line.front()) != std::string_view::npos)
            continue;
        const std::vector<std::string> tokens = Tokens(line);
        std::optional<double> values[3];
        for (std::size_t k = 0; k < 3 && k < tokens.size(); ++k)
            values[k] = Number(tokens[k]);
        if (!values[0])
            continue; // a line of text: a heading or a note
        if (!values[1])
            return LineMessage(lineNo, "does not hold a frequency and a value", line);
        const bool hasPhase = values[2].has_value();
        if (!std::isfinite(*values[0]) || !std::isfinite(*values[1]) ||
            (hasPhase && !std::isfinite(*values[2])))
            return LineMessage(lineNo, "holds a value that is not a finite number", line);
        if (kind == MeasuredKind::Impedance && *values[1] < 0)
            return LineMessage(lineNo, "holds a negative impedance", line);
        if (!(*values[0] > 0)) {
            ++belowZero; // a row at DC or below has no place on a logarithmic axis
            continue;
        }
        if (rows.size() == kMaxMeasuredRows)
            return LineMessage(lineNo,
                               "is one row more than the " + std::to_string(kMaxMeasuredRows) +
                                   " rows a measured curve may have",
                               line);
        rows.push_back({*values[0], *values[1], hasPhase ? *values[2] : 0, hasPhase});
    }
    if (rows.empty() && belowZero > 0)
        return std::string("%1 holds only frequencies of 0 Hz or below.");

    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.hz < b.hz; });
    rows.erase(std::unique(rows.begin(), rows.end(),
                           [](const Row& a, const Row& b) { return a.hz == b.hz; }),
               rows.end());
    if (rows.size() < kMinMeasuredRows)
        return "%1 holds fewer than " + std::to_string(kMinMeasuredRows) +
               " rows of a frequency and a value.";

    // Phase only when every row has one: a column that stops half-way is no phase curve.
    const bool phase =
        std::all_of(rows.begin(), rows.end(), [](const Row& r) { return r.hasPhase; });
    MeasuredCurve c;
    c.name = out.name;
    c.shown = out.shown;
    c.offsetDb = out.offsetDb;
    c.kind = static_cast<std::int32_t>(kind);
    for (const Row& r : rows) {
        c.hz.push_back(r.hz);
        c.value.push_back(r.value);
        if (phase)
            c.phase.push_back(r.phase);
    }
    out = std::move(c);
    return std::nullopt;
}

FileResult ReadCurveFile(const std::string& path, MeasuredKind kind, MeasuredCurve& out)
{
    constexpr const char* kTooLarge = "%1 is too large to be a measurement file.";
    std::string bytes;
    try {
        const FileResult read = ReadWholeFile(path, bytes, kMaxCurveFileBytes, kTooLarge);
        if (!read.ok())
            return read;
        MeasuredCurve c;
        c.name = std::filesystem::path(path).stem().string();
        if (const auto error = ParseCurve(bytes, kind, c))
            return {WithPath(*error, path)};
        out = std::move(c);
    } catch (const std::bad_alloc&) {
        return {WithPath(kTooLarge, path)};
    }
    return {};
}

} // namespace cw::measure
