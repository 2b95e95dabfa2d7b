#include "project/ProjectFile.h"

#include "model/CommandIds.h"
#include "support/RecordingWindows.h"
#include "support/TestFiles.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <variant>

namespace cw
{
namespace
{

using test::FileSizeLimit;
using test::ReadBytes;
using test::RecordingWindows;
using test::TempDir;
using test::WriteBytes;

template <class T> constexpr bool kIsList = false;
template <class T, std::size_t N> constexpr bool kIsList<std::array<T, N>> = true;
template <class T> constexpr bool kIsList<std::vector<T>> = true;

// Walks every stored value of a project (curves up to pointCount) and hands it to leaf with
// its field name. Independent of the file code, so that it can check it.
template <class Leaf> struct Walk {
    Leaf& leaf;
    template <class T> void operator()(const char* name, T& value)
    {
        using Plain = std::remove_const_t<T>;
        if constexpr (std::is_arithmetic_v<Plain> || std::is_same_v<Plain, std::string>) {
            leaf(name, value);
        } else if constexpr (kIsList<Plain>) {
            for (auto& element : value)
                (*this)(name, element);
        } else if constexpr (std::is_same_v<Plain, CSpkSys>) {
            CSpkSys::Fields(value, *this);
            const int n = value.storedPoints();
            CSpkSys::Curves(value, [&](const char* curve, auto& points, auto*) {
                for (int i = 0; i < n; ++i)
                    leaf(curve, points[i]);
            });
        } else {
            Plain::Fields(value, *this);
        }
    }
};

// Gives every value of a project its own content; curves get between 850 and 50 points.
void FillEverything(ProjectData& data)
{
    int counter = 0;
    auto leaf = [&](const char* name, auto& value) {
        using T = std::remove_cvref_t<decltype(value)>;
        ++counter;
        if constexpr (std::is_same_v<T, std::string>)
            value = "text " + std::to_string(counter) + " \xC3\xA4\xE2\x82\xAC\r\n\"q\"\t\\";
        else if (std::strcmp(name, "pointCount") == 0)
            value = 850 - 80 * (counter % 11);
        else if constexpr (std::is_same_v<T, double>)
            value = counter * 1.0001 - 5000.5;
        else
            value = counter;
    };
    Walk<decltype(leaf)> walk{leaf};
    walk("project", data);
}

using Value = std::variant<std::int32_t, double, std::string>;
std::vector<std::pair<std::string, Value>> Flatten(const ProjectData& data)
{
    std::vector<std::pair<std::string, Value>> out;
    auto leaf = [&](const char* name, const auto& value) { out.emplace_back(name, value); };
    Walk<decltype(leaf)> walk{leaf};
    walk("project", data);
    return out;
}

constexpr const char* kMinimal = R"({"format": "conewright-project", "version": 1})";

TEST(ProjectFile, AFullProjectSavesAndReopensEqual)
{
    TempDir dir;
    RecordingWindows log;
    CSpkSysDoc saved;
    saved.SetWindows(&log);
    ProjectData filled;
    FillEverything(filled);
    saved.AssignProject(filled);
    std::set<int> pointCounts;
    for (const auto& s : saved.systems)
        pointCounts.insert(s.storedPoints());
    ASSERT_GT(pointCounts.size(), 3u);
    ASSERT_TRUE(saved.SaveProject(dir / "full.spk")) << log.messages.at(0);

    CSpkSysDoc reopened;
    reopened.SetWindows(&log);
    ASSERT_TRUE(reopened.OpenProject(dir / "full.spk"));
    EXPECT_TRUE(log.messages.empty());
    const auto before = Flatten(saved);
    const auto after = Flatten(reopened);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(before[i], after[i]) << before[i].first;
    EXPECT_GT(before.size(), 11u * 6 * 50);
    EXPECT_EQ(reopened.systems[10].driver, saved.systems[10].driver);
    EXPECT_EQ(reopened.systems[3].bandpass6, saved.systems[3].bandpass6);
    EXPECT_EQ(reopened.titleBlock, saved.titleBlock);

    // Saving the reopened project gives the same file.
    ASSERT_TRUE(reopened.SaveProject(dir / "again.spk"));
    EXPECT_EQ(ReadBytes(dir / "again.spk"), ReadBytes(dir / "full.spk"));
}

TEST(ProjectFile, TheModifiedFlagFollowsChangesSavesAndOpens)
{
    TempDir dir;
    RecordingWindows log;
    CSpkSysDoc doc;
    doc.SetWindows(&log);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.path(), "");
    doc.OnCommand(cmd::FrequencyResponse);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(doc.SaveProject(dir / "woofer.spk"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.path(), dir / "woofer.spk");
    EXPECT_EQ(doc.title(), "woofer.spk");

    doc.StoreSystem(4);
    EXPECT_TRUE(doc.IsModified());
    // A save that cannot complete keeps the flag, the path and the previous file.
    const std::string before = ReadBytes(dir / "woofer.spk");
    {
        FileSizeLimit limit(before.size() / 2);
        EXPECT_FALSE(doc.SaveProject(dir / "woofer.spk"));
    }
    EXPECT_EQ(log.messages.back(), "Disk full while accessing " + dir / "woofer.spk" + ".");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.path(), dir / "woofer.spk");
    EXPECT_EQ(ReadBytes(dir / "woofer.spk"), before);
    EXPECT_EQ(dir.Entries().size(), 1u);

    CSpkSysDoc other;
    other.OnCommand(cmd::ExcursionResponse);
    ASSERT_TRUE(other.OpenProject(dir / "woofer.spk"));
    EXPECT_FALSE(other.IsModified());
    EXPECT_EQ(other.display.showSpl, 0);
    EXPECT_EQ(other.display.showExcursion, 1);
    EXPECT_EQ(ReadBytes(dir / "woofer.spk"), before);
}

TEST(ProjectFile, FormatDetails)
{
    ProjectData data;
    data.systems[2].driver.fs = std::numeric_limits<double>::quiet_NaN();
    data.systems[2].driver.qts = std::numeric_limits<double>::infinity();
    data.systems[2].pointCount = 3;
    data.systems[2].frequencies = {10, 20, 30, 40};
    data.systems[2].splCurve[1] = -std::numeric_limits<double>::infinity();
    const std::string text = SerializeProject(data);
    for (const char* bad : {": nan", ": inf", ": -inf", ": NaN", ": Infinity"})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad;
    EXPECT_NE(text.find("\"fs\": null"), std::string::npos);
    // No curve element 40 (a list element stands alone on its line).
    EXPECT_FALSE(std::regex_search(text, std::regex("\n\t+40,?\n")))
        << "only pointCount points are written";
    EXPECT_EQ(text.rfind("{\n\t\"format\": \"conewright-project\",\n\t\"version\": 1,", 0), 0u);

    ProjectData back;
    ASSERT_FALSE(ParseProject(text, back));
    EXPECT_TRUE(std::isnan(back.systems[2].driver.fs));
    EXPECT_TRUE(std::isnan(back.systems[2].driver.qts));
    EXPECT_TRUE(std::isnan(back.systems[2].splCurve[1]));
    EXPECT_EQ(back.systems[2].frequencies[2], 30);
    EXPECT_EQ(back.systems[2].frequencies[3], 0);

    // Missing keys keep their defaults, unknown keys are ignored, whole reals are integers.
    ProjectData sparse;
    ASSERT_FALSE(ParseProject(R"({"format": "conewright-project", "version": 1, "future": [1],
        "plot": {"dbSpan": 45, "unknown": "x"}, "editorPage": 3.0})",
                              sparse));
    EXPECT_EQ(sparse.plot.dbSpan, 45);
    EXPECT_EQ(sparse.plot.lowFreqLimit, 20);
    EXPECT_EQ(sparse.editorPage, 3);
    EXPECT_EQ(sparse.systems.size(), 11u);
    EXPECT_EQ(sparse.systems[0].boxTypeName, "2nd Order Closed Box");
    EXPECT_EQ(sparse.titleBlock, SampleTitleBlock());
}

TEST(ProjectFile, AFileFromBeforeThePassiveRadiatorBoxOpensUnchanged)
{
    // A project of the six older box types, memories with curves, as such a file holds it: no
    // radiator block, no radiator curve and no flag for it.
    ProjectData older;
    older.systems[0].boxTypeName = "4th Order Vented Box";
    older.systems[0].vented4.vbLiters = 55;
    older.systems[4].bandpass6.fb2 = 61;
    older.systems[4].pointCount = 3;
    older.systems[4].hasSpl = 1;
    older.systems[4].splCurve = {-3, -1, 0};
    nlohmann::json file = nlohmann::json::parse(SerializeProject(older));
    for (nlohmann::json& system : file["systems"]) {
        ASSERT_EQ(system.erase("radiator"), 1u);
        ASSERT_EQ(system.erase("radiatorCurve"), 1u);
        ASSERT_EQ(system.erase("hasRadiator"), 1u);
    }

    ProjectData opened;
    ASSERT_FALSE(ParseProject(file.dump(), opened));
    EXPECT_EQ(Flatten(opened), Flatten(older));
    EXPECT_EQ(opened.systems[0].radiator, RadiatorBox{});
    EXPECT_EQ(SerializeProject(opened), SerializeProject(older));
}

TEST(ProjectFile, CorruptAndHostileFilesAreRefusedAndChangeNothing)
{
    TempDir dir;
    RecordingWindows log;
    CSpkSysDoc doc;
    doc.SetWindows(&log);
    doc.StoreSystem(2);
    ASSERT_TRUE(doc.SaveProject(dir / "good.spk"));
    doc.OnCommand(cmd::PhaseResponse);
    const std::string state = SerializeProject(doc);

    const std::string prefix = R"({"format": "conewright-project", "version": 1, )";
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    struct Case {
        std::string content;
        std::string message; // after the path
    };
    const std::vector<Case> cases = {
        {"", " is not a Conewright project file."},
        {"\x89PNG\r\n", " is not a Conewright project file."},
        {"[1, 2]", " is not a Conewright project file."},
        {deep, " is not a Conewright project file."},
        {R"({"format": "other", "version": 1})", " is not a Conewright project file."},
        {R"({"format": "conewright-project"})",
         " is damaged and cannot be opened: its format version is missing."},
        {R"({"format": "conewright-project", "version": 2})",
         " was saved by a newer version of Conewright (project format 2) and cannot be opened."},
        {R"({"format": "conewright-project", "version": -1})",
         " is damaged and cannot be opened: its format version -1 is unknown."},
        {prefix + R"("plot": []})", " is damaged and cannot be opened: plot must be an object."},
        {prefix + R"("prefsPage": 3000000000})",
         " is damaged and cannot be opened: prefsPage is out of range."},
        {prefix + R"("editorPage": 1.5})",
         " is damaged and cannot be opened: editorPage must be a whole number."},
        {prefix + R"("shownHistory": [0, 0]})",
         " is damaged and cannot be opened: shownHistory must be a list of 11 values."},
        {prefix + R"("systems": [{}, {}]})",
         " is damaged and cannot be opened: systems must be a list of 11 systems."},
        {prefix + R"("systems": [{}, {}, {}, {"driver": {"fs": "41"}}, {}, {}, {}, {}, {}, {},
            {}]})",
         " is damaged and cannot be opened: systems[3].driver.fs must be a number."},
        {prefix + R"("systems": [{"pointCount": 1e9}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]})",
         " is damaged and cannot be opened: systems[0].pointCount must lie between 0 and 850."},
        {prefix + R"("systems": [{"splCurve": [)" + std::string(851 * 2 - 1, ',') + R"(]}]})",
         " is not a Conewright project file."},
        {prefix + R"("systems": [{"splCurve": [)" +
             [] {
                 std::string points = "0";
                 for (int i = 0; i < 850; ++i)
                     points += ",0";
                 return points;
             }() +
             R"(]}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}]})",
         " is damaged and cannot be opened: systems[0].splCurve must be a list of at most 850 "
         "numbers."},
        {prefix + R"("titleBlock": {"company": "\ud800"}})", " is not a Conewright project file."},
    };
    for (const Case& c : cases) {
        WriteBytes(dir / "bad.spk", c.content);
        log.messages.clear();
        EXPECT_FALSE(doc.OpenProject(dir / "bad.spk")) << c.message;
        ASSERT_EQ(log.messages.size(), 1u) << c.message;
        EXPECT_EQ(log.messages[0], dir / "bad.spk" + c.message);
        EXPECT_EQ(SerializeProject(doc), state) << c.message;
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.path(), dir / "good.spk");
    }

    // A file far too large is refused before it is read.
    WriteBytes(dir / "huge.spk", kMinimal);
    std::filesystem::resize_file(dir / "huge.spk", kMaxProjectFileBytes + 1);
    EXPECT_FALSE(doc.OpenProject(dir / "huge.spk"));
    EXPECT_EQ(log.messages.back(),
              dir / "huge.spk" + " is too large to be a Conewright project file.");
    EXPECT_FALSE(doc.OpenProject(dir / "missing.spk"));
    EXPECT_EQ(log.messages.back(), dir / "missing.spk" + " was not found.");
    EXPECT_EQ(SerializeProject(doc), state);
}

} // namespace
} // namespace cw
