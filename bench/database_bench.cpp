// Times of the driver database: importing 20,000 drivers (as one exported table and as 20,000
// driver files in a folder) into a new store, and searching and filtering a store of 20,000.
#include "database/DriverImport.h"
#include "database/DriverStore.h"
#include "driver/DriverFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

using namespace cw;
using namespace cw::database;
namespace fs = std::filesystem;

constexpr int kDrivers = 20000;

// Drivers spread over the ranges real ones have, the same each run.
class Generator
{
public:
    double Next(double low, double high)
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return low + (high - low) * static_cast<double>(state_ >> 11) / 9007199254740992.0;
    }

    DriverParams Driver(int i)
    {
        static const char* const kMakers[] = {"Acme",      "Bolt & Sons",    "Cone Works",
                                              "Dynamo",    "Excursion Labs", "Flux",
                                              "Gap Audio", "Horn Co"};
        DriverParams d;
        d.manufacturer = kMakers[i % 8];
        const double inches = 4 + 2 * (i % 7);
        d.model = "W" + std::to_string(static_cast<int>(inches)) + "-" + std::to_string(i);
        d.nominalDiameterIn = inches;
        d.nominalDiameterMm = inches * 25.4;
        d.fs = Next(18, 90);
        d.qms = Next(2, 8);
        d.qes = Next(0.25, 0.8);
        d.qts = d.qes * d.qms / (d.qes + d.qms);
        d.vasLiters = Next(5, 300);
        d.re = Next(3, 7);
        d.sdSqM = 0.0005 * inches * inches;
        d.xMax = Next(2, 20);
        d.mms = Next(5, 200);
        d.bl = Next(3, 25);
        d.spl = Next(82, 96);
        return d;
    }

private:
    std::uint64_t state_ = 12345;
};

std::string TableOfDrivers()
{
    Generator g;
    std::string text = "Manufacturer\tModel\tRe [ohm]\tfs [Hz]\tQms\tQes\tQts\tMms [g]\tVas [l]\t"
                       "Sd [cm2]\tBL [Tm]\tXmax [mm]\tUSPL [dB]\n";
    char row[256];
    for (int i = 0; i < kDrivers; ++i) {
        const DriverParams d = g.Driver(i);
        std::snprintf(row, sizeof row,
                      "%s\t%s\t%.2f\t%.1f\t%.2f\t%.3f\t%.3f\t%.1f\t%.1f\t%.0f\t%.2f\t%.1f\t%.1f\n",
                      d.manufacturer.c_str(), d.model.c_str(), d.re, d.fs, d.qms, d.qes, d.qts,
                      d.mms, d.vasLiters, d.sdSqM * 1e4, d.bl, d.xMax, d.spl);
        text += row;
    }
    return text;
}

fs::path BenchFolder()
{
    return fs::temp_directory_path() / ("conewright-bench-" + std::to_string(getpid()));
}

// Reading the drivers and adding them to a new store in one transaction, as an import does.
void Import(benchmark::State& state, const std::vector<std::string>& paths)
{
    const std::string db = (BenchFolder() / "import.sqlite").string();
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(db);
        DriverStore store;
        if (!store.Open(db).ok())
            state.SkipWithError("no store");
        state.ResumeTiming();
        const ImportBatch batch = ReadDriverFiles(paths);
        AddReport report;
        if (!store.Add(batch.drivers, report).ok() || report.added.size() != kDrivers)
            state.SkipWithError("import failed");
    }
    state.counters["drivers"] = kDrivers;
    fs::remove(db);
}

void ImportTable(benchmark::State& state)
{
    fs::create_directories(BenchFolder());
    const std::string table = (BenchFolder() / "drivers.txt").string();
    std::ofstream(table, std::ios::binary) << TableOfDrivers();
    Import(state, {table});
    fs::remove(table);
}
BENCHMARK(ImportTable)->Unit(benchmark::kMillisecond);

void ImportFolderOfDriverFiles(benchmark::State& state)
{
    const fs::path folder = BenchFolder() / "dvr";
    fs::create_directories(folder);
    Generator g;
    for (int i = 0; i < kDrivers; ++i)
        std::ofstream(folder / (std::to_string(i) + ".dvr"), std::ios::binary)
            << EncodeDriver(g.Driver(i));
    Import(state, {folder.string()});
    fs::remove_all(folder);
}
BENCHMARK(ImportFolderOfDriverFiles)->Unit(benchmark::kMillisecond);

// A store of 20,000 drivers, made once for every search.
DriverStore& Store()
{
    static DriverStore store;
    if (store.isOpen())
        return store;
    fs::create_directories(BenchFolder());
    const std::string db = (BenchFolder() / "search.sqlite").string();
    fs::remove(db);
    Generator g;
    std::vector<ImportedDriver> drivers(kDrivers);
    for (int i = 0; i < kDrivers; ++i)
        drivers[i].driver = g.Driver(i);
    AddReport report;
    if (!store.Open(db).ok() || !store.Add(drivers, report).ok())
        std::abort();
    return store;
}

void Find(benchmark::State& state, DriverFilter filter)
{
    DriverStore& store = Store();
    std::vector<DriverSummary> found;
    for (auto _ : state) {
        if (!store.Find(filter, found).ok())
            state.SkipWithError("find failed");
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["found"] = static_cast<double>(found.size());
}

DriverFilter Search(const char* text)
{
    DriverFilter f;
    f.search = text;
    return f;
}

DriverFilter Ranges()
{
    DriverFilter f;
    f.nominalDiameterMm = {150, 310};
    f.fs = {25, 45};
    f.qts = {0.3, 0.5};
    f.vasLiters.min = 50;
    f.xMax.min = 6;
    return f;
}

DriverFilter SearchAndRanges()
{
    DriverFilter f = Ranges();
    f.search = "acme w1";
    return f;
}

BENCHMARK_CAPTURE(Find, AllDrivers, DriverFilter{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, SearchOneWord, Search("flux"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, SearchAsTyped, Search("acme w10-1"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, FiveRanges, Ranges())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Find, SearchAndFiveRanges, SearchAndRanges())->Unit(benchmark::kMillisecond);

void FindByName(benchmark::State& state)
{
    DriverStore& store = Store();
    std::vector<DriverSummary> found;
    for (auto _ : state) {
        if (!store.FindByName("Gap Audio W16-19998", found).ok() || found.size() != 1)
            state.SkipWithError("not found");
    }
}
BENCHMARK(FindByName)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Store().Close();
    fs::remove_all(BenchFolder());
    return 0;
}
