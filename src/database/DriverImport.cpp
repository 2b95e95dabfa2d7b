#include "database/DriverImport.h"

#include "database/ImportFormats.h"
#include "database/ImportText.h"
#include "driver/DriverFile.h"
#include "model/FileAccess.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace cw::database
{

namespace
{

namespace fs = std::filesystem;

constexpr const char* kUnknownFormat = "%1 is not a driver file of a known kind.";
constexpr const char* kIncomplete = "%1 ends before the last field of its driver.";
constexpr const char* kNoDriver = "%1 holds no driver.";
constexpr const char* kTooLarge = "%1 is too large to be a driver file.";
constexpr const char* kTooMany = "%1 was not imported: one import takes at most 100000 drivers.";
constexpr const char* kCannotRead = "%1 cannot be read.";
constexpr const char* kOverlong = ", is longer than the 65536 characters a line of a driver list "
                                  "may have; the file was not imported.";

bool HasDvrExtension(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    return EqualsIgnoringCase(ext, ".dvr");
}

// A driver file has no signature: what is not text must decode as one.
std::string ReadBinaryDriver(std::string_view bytes, const std::string& path,
                             std::vector<ImportedDriver>& out)
{
    ImportedDriver imported;
    const bool named = HasDvrExtension(path);
    if (bytes.empty())
        return WithPath(named ? kNoDriver : kUnknownFormat, path);
    if (!DecodeDriver(bytes, imported.driver))
        return WithPath(named ? kIncomplete : kUnknownFormat, path);
    if (!named && EncodeDriver(imported.driver).size() != bytes.size())
        return WithPath(kUnknownFormat, path);
    imported.sourceFormat = kFormatDriverFile;
    out.push_back(std::move(imported));
    return {};
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

} // namespace

std::string ReadDriverBytes(std::string_view bytes, const std::string& path,
                            std::vector<ImportedDriver>& out)
{
    struct Format {
        bool (*is)(std::string_view);
        std::vector<ImportedDriver> (*read)(std::string_view);
        const char* name;
    };
    static constexpr Format kTextFormats[] = {{IsSpeakerXml, ReadSpeakerXml, kFormatSpeakerXml},
                                              {IsWdr, ReadWdr, kFormatWdr},
                                              {IsDriverTable, ReadDriverTable, kFormatDriverTable}};
    // Text holds no NUL byte, unless it is UTF-16, which says so with its byte-order mark.
    const bool text = bytes.find('\0') == std::string_view::npos || bytes.starts_with("\xFF\xFE") ||
                      bytes.starts_with("\xFE\xFF");
    const std::string decoded = text ? DecodeText(bytes) : std::string();
    const Format* format = nullptr;
    for (const Format& f : kTextFormats) {
        if (text && !format && f.is(decoded))
            format = &f;
    }
    const std::size_t first = out.size();
    std::string reason;
    const std::size_t overlong =
        format ? FirstOverlongLine(decoded, format->read == ReadSpeakerXml) : 0;
    if (!format) {
        reason = ReadBinaryDriver(bytes, path, out);
    } else if (overlong != 0) {
        reason = path + ", line " + std::to_string(overlong) + kOverlong;
    } else if (format->read == ReadDriverTable &&
               SplitLines(decoded).size() > kMaxImportDrivers + 1) {
        // Counted before a row is read: a million rows would take gigabytes as drivers.
        reason = WithPath(kTooMany, path);
    } else {
        for (ImportedDriver& d : format->read(decoded)) {
            // A row or element that gave nothing at all is no driver.
            if (d.driver == DriverParams{} && d.findings.empty())
                continue;
            d.sourceFormat = format->name;
            out.push_back(std::move(d));
        }
        if (out.size() == first)
            reason = WithPath(kNoDriver, path);
    }
    const std::string source = AbsolutePath(path);
    for (std::size_t i = first; i < out.size(); ++i)
        out[i].sourceFile = source;
    return reason;
}

ImportBatch ReadDriverFiles(const std::vector<std::string>& paths,
                            const std::function<bool(std::size_t, std::size_t)>& progress)
{
    ImportBatch batch;
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code ec;
        if (!fs::is_directory(path, ec)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> inside;
        for (auto it = fs::recursive_directory_iterator(
                 path, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_regular_file(ec))
                inside.push_back(it->path().string());
        }
        if (ec)
            batch.skipped.push_back(
                {path, WithPath("%1 cannot be read: " + ec.message() + ".", path)});
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string bytes;
        const FileResult read = ReadWholeFile(files[i], bytes, kMaxImportFileBytes, kTooLarge);
        const std::size_t before = batch.drivers.size();
        // A read failure the system has no words for still names the file.
        std::string reason = read.message.find(files[i]) != std::string::npos || read.ok()
                                 ? read.message
                                 : WithPath(kCannotRead, files[i]);
        if (reason.empty())
            reason = ReadDriverBytes(bytes, files[i], batch.drivers);
        if (batch.drivers.size() > kMaxImportDrivers) {
            batch.drivers.resize(before);
            reason = WithPath(kTooMany, files[i]);
        }
        if (!reason.empty())
            batch.skipped.push_back({files[i], reason});
        batch.filesRead += batch.drivers.size() > before;
        if (progress && !progress(i + 1, files.size()))
            break;
    }
    return batch;
}

std::vector<InstalledDatabase> InstalledDriverDatabases()
{
    // Where the Debian package of qspeakers puts its list.
    static constexpr std::pair<const char*, const char*> kKnown[] = {
        {"qspeakers driver database", "/usr/share/qspeakers/qspeakers_db.xml"}};
    std::vector<InstalledDatabase> present;
    for (const auto& [name, path] : kKnown) {
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            present.push_back({name, path});
    }
    return present;
}

} // namespace cw::database
