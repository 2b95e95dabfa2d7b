// The driver database at its limits: a table of a million rows offered for import (refused by
// its row cap) and the largest table one import takes, with the peak memory of the process; and
// each key of a search typed into a store of 220,000 drivers. Run one benchmark at a time
// (--benchmark_filter) for a peak memory of its own.
#include "database/DriverImport.h"
#include "database/DriverStore.h"
#include "driver/DriverFile.h"
#include "project/ProjectFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

using namespace cw;
using namespace cw::database;
namespace fs = std::filesystem;

fs::path BenchFolder()
{
    return fs::temp_directory_path() / ("conewright-limits-" + std::to_string(getpid()));
}

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

const char* const kMakers[] = {"Acme",   "Bolt & Sons", "Cone Works", "Dynamo", "Excursion",
                               "Flux",   "Gap Audio",   "Horn Co",    "Iris",   "Jupiter Drivers",
                               "Kestrel"};

std::string Table(int rows)
{
    std::string text = "Manufacturer\tModel\tRe [ohm]\tfs [Hz]\tQms\tQes\tVas [l]\tSd [cm2]\t"
                       "Xmax [mm]\n";
    char row[160];
    for (int i = 0; i < rows; ++i) {
        std::snprintf(row, sizeof row, "%s\tW%d-%d\t%.2f\t%.1f\t%.2f\t%.3f\t%.1f\t%d\t%.1f\n",
                      kMakers[i % 11], 4 + i % 12, i, 3 + i % 4 * 0.5, 20 + i % 70 * 1.0,
                      2 + i % 6 * 1.0, 0.3 + i % 5 * 0.1, 5 + i % 300 * 1.0, 50 + i % 900,
                      2 + i % 18 * 1.0);
        text += row;
    }
    return text;
}

// Reading a table and storing what it gives in a new store, as db import does.
void ImportTable(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    fs::create_directories(BenchFolder());
    const std::string table = (BenchFolder() / "table.txt").string();
    const std::string db = (BenchFolder() / "import.sqlite").string();
    std::ofstream(table, std::ios::binary) << Table(rows);
    std::size_t added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(db);
        DriverStore store;
        if (!store.Open(db).ok())
            state.SkipWithError("no store");
        state.ResumeTiming();
        const ImportBatch batch = ReadDriverFiles({table});
        AddReport report;
        if (!store.Add(batch.drivers, report).ok())
            state.SkipWithError("import failed");
        added = report.added.size();
    }
    state.counters["rows"] = rows;
    state.counters["added"] = static_cast<double>(added);
    state.counters["fileMiB"] = static_cast<double>(fs::file_size(table)) / (1 << 20);
    state.counters["peakMiB"] = PeakMiB();
    fs::remove_all(BenchFolder());
}
BENCHMARK(ImportTable)->Arg(1000000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

constexpr int kStored = 220000;

// Each key of "acme w10-1" as the window's search runs it, on a store of 220,000 drivers.
void SearchKeystroke(benchmark::State& state)
{
    fs::create_directories(BenchFolder());
    const std::string db = (BenchFolder() / "search.sqlite").string();
    DriverStore store;
    {
        std::vector<ImportedDriver> drivers(kStored);
        for (int i = 0; i < kStored; ++i) {
            drivers[i].driver.manufacturer = kMakers[i % 11];
            drivers[i].driver.model = "W" + std::to_string(4 + i % 12) + "-" + std::to_string(i);
            drivers[i].driver.fs = 20 + i % 70;
            drivers[i].driver.qts = 0.3 + i % 5 * 0.05;
        }
        AddReport report;
        if (!store.Open(db).ok() || !store.Add(drivers, report).ok())
            state.SkipWithError("no store");
    }
    const std::string typed = "acme w10-1";
    std::vector<DriverSummary> found;
    std::size_t keys = 0;
    for (auto _ : state) {
        DriverFilter filter;
        filter.search = typed.substr(0, keys % typed.size() + 1);
        if (!store.Find(filter, found).ok())
            state.SkipWithError("find failed");
        ++keys;
    }
    state.counters["drivers"] = kStored;
    state.counters["peakMiB"] = PeakMiB();
    store.Close();
    fs::remove_all(BenchFolder());
}
BENCHMARK(SearchKeystroke)->Unit(benchmark::kMillisecond);

// A file with one value of megabytes, as a hostile or broken list has: each is refused whole
// (or read) in time that grows with the file, not with its square. Arguments: the kind, the
// size of the value in MiB.
void HostileValue(benchmark::State& state)
{
    static const char* const kKinds[][4] = {
        // file name, text before the value, one unit of the value, text after it
        {"amp.xml", "<speakers>\n<speaker model=\"x\" vendor=\"", "&", "\"/>\n</speakers>\n"},
        {"named.xml", "<speakers>\n<speaker model=\"x\" vendor=\"", "&amp;", "\"/>\n</speakers>\n"},
        {"numeric.xml", "<speakers>\n<speaker model=\"x\" vendor=\"", "&#38;",
         "\"/>\n</speakers>\n"},
        {"text.xml", "<speakers>", "&", "<speaker vendor=\"A\" model=\"B\" fs=\"40\"/></speakers>"},
        {"value.wdr", "[Driver]\r\nfs=40\r\nBrand=", "&", "\r\n"},
        {"line.wdr", "[Driver]\nfs=40\n", "x", ""},
        {"value.txt", "Manufacturer\tModel\tfs [Hz]\nAcme\t", "&#38;", "\t40\n"},
        {"line.txt", "Manufacturer\tModel\tfs [Hz]\nAcme\tW8\t40\n", "x", ""},
    };
    const auto& kind = kKinds[state.range(0)];
    const std::size_t size = static_cast<std::size_t>(state.range(1)) << 20;
    std::string text = kind[1];
    while (text.size() < size)
        text += kind[2];
    text += kind[3];
    for (auto _ : state) {
        std::vector<ImportedDriver> out;
        benchmark::DoNotOptimize(ReadDriverBytes(text, kind[0], out));
    }
    state.SetLabel(kind[0]);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(HostileValue)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {4, 8}})
    ->Unit(benchmark::kMillisecond);

// The project file and the driver file with a text of megabytes of '&' (the notes, the
// description): read in time that grows with the file. Arguments: 0 project, 1 driver file; MiB.
void LongTextInAFile(benchmark::State& state)
{
    const std::string text(static_cast<std::size_t>(state.range(1)) << 20, '&');
    std::string bytes;
    if (state.range(0) == 0) {
        ProjectData data;
        data.systems[0].notes = text;
        bytes = SerializeProject(data);
    } else {
        DriverParams d;
        d.description = text;
        bytes = EncodeDriver(d);
    }
    for (auto _ : state) {
        if (state.range(0) == 0) {
            ProjectData data;
            benchmark::DoNotOptimize(ParseProject(bytes, data));
        } else {
            DriverParams d;
            benchmark::DoNotOptimize(DecodeDriver(bytes, d));
        }
    }
    state.SetLabel(state.range(0) == 0 ? "project notes" : "driver description");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LongTextInAFile)->ArgsProduct({{0, 1}, {4, 8}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
