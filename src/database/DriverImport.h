#pragma once

#include "model/DriverParams.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reading drivers from the files designers already have: our driver files, WinISD driver files,
// the qspeakers driver database and the drivers tables that crossover tools export. The format
// is told by the content, not by the file name alone.
namespace cw::database
{

// The formats as the store records them.
inline constexpr const char* kFormatDriverFile = "dvr";
inline constexpr const char* kFormatWdr = "wdr";
inline constexpr const char* kFormatSpeakerXml = "qspeakers-xml";
inline constexpr const char* kFormatDriverTable = "driver-table";
// A driver added from a project's workbench; its source is the project file, if it has one.
inline constexpr const char* kFormatWorkbench = "workbench";

// A file larger than this holds no driver list anyone typed or exported.
inline constexpr std::size_t kMaxImportFileBytes = 64u << 20;
// One import takes at most this many drivers, from all its files together: a file that would
// bring it beyond is refused whole, and so is a table of more rows. It bounds the memory an
// import holds before the drivers are stored.
inline constexpr std::size_t kMaxImportDrivers = 100000;

// One driver as a file gave it, in the record's units.
struct ImportedDriver {
    DriverParams driver;
    std::string sourceFile;            // the file's absolute path
    std::string sourceFormat;          // one of the kFormat names
    std::vector<std::string> findings; // what the import had to guess
};

struct SkippedFile {
    std::string path;
    std::string reason; // a sentence with the path
};

struct ImportBatch {
    std::vector<ImportedDriver> drivers;
    std::vector<SkippedFile> skipped;
    std::size_t filesRead = 0; // files that gave at least one driver
};

// The drivers in the bytes of one file, or the reason it gives none (a sentence with the path).
// A file of none of the text formats is a driver file when it decodes completely: with the
// extension .dvr as the driver file reader takes it, otherwise only when no byte is left over.
std::string ReadDriverBytes(std::string_view bytes, const std::string& path,
                            std::vector<ImportedDriver>& out);

// Every file named and every file under each folder named, in name order, up to
// kMaxImportDrivers drivers. progress(done, total) is told after each file and stops the import
// when it returns false.
ImportBatch ReadDriverFiles(const std::vector<std::string>& paths,
                            const std::function<bool(std::size_t, std::size_t)>& progress = {});

// A driver list another program installed on this system, offered for import by name.
struct InstalledDatabase {
    std::string name;
    std::string path;
};

// Those of the known lists that are present.
std::vector<InstalledDatabase> InstalledDriverDatabases();

} // namespace cw::database
