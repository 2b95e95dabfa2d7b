#include "database/DriverStore.h"

#include "database/DriverCheck.h"
#include "database/DriverColumns.h"
#include "database/ImportText.h"
#include "driver/DriverFile.h"
#include "model/Units.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sqlite3.h>
#include <stdexcept>
#include <type_traits>

namespace cw::database
{

namespace
{

namespace fs = std::filesystem;

// "CWDB" in the file's header tells our databases from every other SQLite file.
constexpr std::int32_t kApplicationId = 0x43574442;

constexpr const char* kNotADatabase = "%1 is not a Conewright driver database.";
constexpr const char* kDamaged = "The driver database %1 is damaged and cannot be used.";
constexpr const char* kNewer = "The driver database %1 was made by a newer version of Conewright "
                               "(database format %2) and cannot be opened.";
constexpr const char* kInUse =
    "The driver database %1 is in use by another program. Try again when it is done.";
constexpr const char* kReadOnly = "The driver database %1 is read-only; nothing was changed.";
constexpr const char* kOldReadOnly = "The driver database %1 is of an older format and read-only, "
                                     "so it cannot be brought up to date.";
constexpr const char* kChanged = "The driver database %1 was changed by another program (%2), so "
                                 "Conewright does not use it.";
constexpr const char* kUnfinished =
    "The driver database %1 was left unfinished by an interrupted import and can only be mended "
    "with permission to write to it; nothing was changed.";
constexpr const char* kNoFileName = "\"%1\" is no file name for a driver database.";

// The columns after the driver's own, as format 2 has them.
constexpr const char* kSourceColumns = "sourceFile TEXT NOT NULL DEFAULT '', "
                                       "sourceFormat TEXT NOT NULL DEFAULT '', "
                                       "addedAt TEXT NOT NULL DEFAULT ''";
constexpr const char* kDerivedColumns[] = {"importFindings TEXT NOT NULL DEFAULT ''",
                                           "checkFindings TEXT NOT NULL DEFAULT ''",
                                           "fingerprint INTEGER NOT NULL DEFAULT 0"};
// The fingerprint finds a driver already stored.
constexpr const char* kIndexes =
    "CREATE INDEX IF NOT EXISTS drivers_fingerprint ON drivers (fingerprint)";
constexpr const char* kIndexAsStored = "CREATE INDEX drivers_fingerprint ON drivers (fingerprint)";

// A search longer than this is no manufacturer and model anyone types.
constexpr std::size_t kMaxSearchLength = 200;
constexpr std::size_t kMaxSearchWords = 20;

std::string ColumnDefinition(const DriverColumn& c)
{
    const bool text = std::string_view(c.sqlType) == "TEXT";
    return "\"" + c.name + "\" " + c.sqlType + (text ? " NOT NULL DEFAULT ''" : " DEFAULT 0");
}

// A column as the program makes it: its declared type, NOT NULL and default.
struct ColumnShape {
    std::string type;
    bool notNull;
    std::string defaultValue;
    bool operator==(const ColumnShape&) const = default;
};

ColumnShape ShapeOf(std::string_view definition)
{
    // "name TYPE [NOT NULL] DEFAULT value", as the definitions above are written.
    const std::size_t type = definition.find(' ') + 1;
    const std::size_t typeEnd = definition.find(' ', type);
    const std::size_t value = definition.rfind(' ') + 1;
    return {std::string(definition.substr(type, typeEnd - type)),
            definition.find(" NOT NULL ") != std::string_view::npos,
            std::string(definition.substr(value))};
}

// Every column but id, with its shape.
std::vector<std::pair<std::string, ColumnShape>> ExpectedColumns()
{
    std::vector<std::pair<std::string, ColumnShape>> columns;
    for (const DriverColumn& c : DriverColumns())
        columns.emplace_back(c.name, ShapeOf(ColumnDefinition(c)));
    std::string_view source = kSourceColumns;
    while (!source.empty()) {
        const std::size_t comma = source.find(", ");
        const std::string_view one = source.substr(0, comma);
        columns.emplace_back(std::string(one.substr(0, one.find(' '))), ShapeOf(one));
        source = comma == std::string_view::npos ? "" : source.substr(comma + 2);
    }
    for (const std::string_view one : kDerivedColumns)
        columns.emplace_back(std::string(one.substr(0, one.find(' '))), ShapeOf(one));
    return columns;
}

bool IsDerivedColumn(const std::string& name)
{
    for (const std::string_view one : kDerivedColumns) {
        if (one.substr(0, one.find(' ')) == name)
            return true;
    }
    return false;
}

std::string RecordColumnList()
{
    std::string list;
    for (const DriverColumn& c : DriverColumns())
        list += (list.empty() ? "\"" : ", \"") + c.name + "\"";
    return list;
}

// One BEGIN IMMEDIATE … COMMIT; rolled back unless committed.
class Transaction
{
public:
    explicit Transaction(Connection& db) : db_(db), begun_(db.Execute("BEGIN IMMEDIATE")) {}
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction()
    {
        if (begun_ == SQLITE_OK && !committed_)
            db_.Execute("ROLLBACK");
    }
    int begun() const { return begun_; }
    int Commit()
    {
        const int result = db_.Execute("COMMIT");
        committed_ = result == SQLITE_OK;
        return result;
    }

private:
    Connection& db_;
    int begun_;
    bool committed_ = false;
};

template <class T> void BindField(Statement& s, int index, const T& value)
{
    if constexpr (std::is_same_v<T, std::int32_t>)
        s.Bind(index, static_cast<std::int64_t>(value));
    else
        s.Bind(index, value);
}

template <class T> void ReadField(const Statement& s, int index, T& value)
{
    if constexpr (std::is_same_v<T, std::int32_t>)
        value = static_cast<std::int32_t>(s.Integer(index));
    else if constexpr (std::is_same_v<T, double>)
        value = s.Real(index);
    else
        value = s.Text(index);
}

// Binds every field of d from parameter 0 on; returns the next parameter.
int BindDriver(Statement& s, const DriverParams& d)
{
    int i = 0;
    VisitColumns(d, [&](const auto& value) { BindField(s, i++, value); });
    return i;
}

int ReadDriver(const Statement& s, int first, DriverParams& d)
{
    int i = first;
    VisitColumns(d, [&](auto& value) { ReadField(s, i++, value); });
    return i;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

void AppendLines(const std::string& text, std::vector<std::string>& out)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// FNV-1a over the driver file's bytes: equal drivers, equal fingerprints.
std::int64_t Fingerprint(const std::string& bytes)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes) {
        h ^= static_cast<std::uint8_t>(c);
        h *= 1099511628211ull;
    }
    return static_cast<std::int64_t>(h);
}

std::string NowUtc()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The order of SQLite's NOCASE: ASCII letters folded, every other byte as it is.
unsigned char FoldCase(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

int CompareIgnoringCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = FoldCase(a[i]);
        const int y = FoldCase(b[i]);
        if (x != y)
            return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Lower-case ASCII words separated by single blanks.
std::string NormalName(std::string_view name)
{
    std::string out;
    bool blank = false;
    for (const char c : name) {
        if (c == ' ' || c == '\t') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += static_cast<char>(FoldCase(c));
    }
    return out;
}

// A search word as a LIKE pattern: anywhere in the text, its own % and _ taken literally.
std::string LikePattern(std::string_view word)
{
    std::string pattern = "%";
    for (const char c : word) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

// Whether the file at path begins as every SQLite database does; an empty file counts as none
// at all, as SQLite itself makes a new database that way.
bool LooksLikeDatabase(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char header[16] = {};
    in.read(header, sizeof header);
    return in.gcount() == 0 || std::string_view(header, static_cast<std::size_t>(in.gcount())) ==
                                   std::string_view("SQLite format 3\0", 16);
}

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while ((i = text.find_first_not_of(" \t", i)) != std::string_view::npos) {
        const std::size_t end = text.find_first_of(" \t", i);
        words.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return words;
}

} // namespace

std::string DefaultDatabasePath()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path folder;
    if (data && *data == '/')
        folder = data;
    else if (home && *home)
        folder = fs::path(home) / ".local" / "share";
    else
        return {};
    return (folder / "conewright" / "drivers.sqlite").string();
}

FileResult CheckNotDatabase(const std::string& output, const std::string& databasePath)
{
    const std::string db = databasePath.empty() ? DefaultDatabasePath() : databasePath;
    if (!db.empty() && SameFile(output, db))
        return {WithPath("%1 is the driver database; it was not replaced.", output)};
    return {};
}

FileResult OpenDatabase(DriverStore& store, const std::string& path, DriverStore::Access access)
{
    std::string where = path;
    if (where.empty()) {
        where = DefaultDatabasePath();
        if (where.empty())
            return {"There is no place for the driver database: neither XDG_DATA_HOME nor HOME "
                    "is set."};
        std::error_code ec;
        if (access == DriverStore::Access::ReadWrite)
            fs::create_directories(fs::path(where).parent_path(), ec);
    }
    return store.Open(where, access);
}

FileResult DriverStore::Refusal(int code) const
{
    // Over a file-size limit the write fails as on a full disk, and the transaction is undone.
    if (code == SQLITE_IOERR_WRITE)
        return {WithPath("Writing to the driver database %1 failed, perhaps on a full disk; "
                         "nothing was changed.",
                         path_)};
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {WithPath(kInUse, path_)};
    case SQLITE_READONLY:
        return {WithPath(kReadOnly, path_)};
    case SQLITE_CORRUPT:
        return {WithPath(kDamaged, path_)};
    case SQLITE_NOTADB:
        return {WithPath(kNotADatabase, path_)};
    case SQLITE_FULL:
        return {WithPath("Disk full while accessing %1.", path_)};
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return {WithPath("Access to %1 was denied.", path_)};
    default:
        break;
    }
    const std::string detail = db_.isOpen() ? db_.LastError() : sqlite3_errstr(code);
    return {WithPath("The driver database %1 cannot be used: ", path_) + detail + "."};
}

FileResult DriverStore::Open(const std::string& path, Access access, int busyTimeoutMs)
{
    Close();
    path_ = path;
    busyTimeoutMs_ = busyTimeoutMs;
    wholeChecked_ = false;
    // SQLite gives these names a database that lives in memory or is picked from a URI: an
    // import into one would vanish or land elsewhere.
    if (path.empty() || path.starts_with(':') || path.starts_with("file:"))
        return {WithPath(kNoFileName, path)};
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return {WithPath("Access to %1 was denied.", path)};
    if (!fs::exists(status) && access == Access::ReadOnly)
        return {WithPath("%1 was not found.", path)};
    // A database is made only where there is no file; any other file stays as it is.
    if (fs::exists(status) && !LooksLikeDatabase(path))
        return {WithPath(kNotADatabase, path)};
    if (FileResult r = Recover(busyTimeoutMs); !r.ok())
        return r;
    if (const int result = db_.Open(path, access == Access::ReadOnly, busyTimeoutMs);
        result != SQLITE_OK)
        return Refusal(result);
    // Room for a store of tens of thousands of drivers, so that a search as the user types
    // reads no page twice.
    db_.Execute("PRAGMA cache_size = -32768");
    FileResult result = Prepare(!fs::exists(status));
    if (!result.ok())
        Close();
    return result;
}

// An import that was killed or ran out of disk leaves its journal beside the file. SQLite puts
// the old pages back (and the file at its old size) the next time the file is opened for
// writing; a connection that may only read cannot, and would refuse every query.
FileResult DriverStore::Recover(int busyTimeoutMs) const
{
    std::error_code ec;
    if (!fs::exists(path_ + "-journal", ec))
        return {};
    Connection writer;
    int result = writer.Open(path_, false, busyTimeoutMs);
    if (result == SQLITE_OK)
        QueryInteger(writer, "SELECT count(*) FROM sqlite_schema", result);
    if ((result & 0xFF) == SQLITE_READONLY || (result & 0xFF) == SQLITE_CANTOPEN ||
        (result & 0xFF) == SQLITE_PERM)
        return {WithPath(kUnfinished, path_)};
    // The journal of another program's change in progress: its lock was waited for once.
    if ((result & 0xFF) == SQLITE_BUSY)
        return {WithPath(kInUse, path_)};
    return {};
}

// Nothing is written before the file is known to be ours, whole and of a format we know.
FileResult DriverStore::Prepare(bool created)
{
    int result = SQLITE_OK;
    std::int64_t header[3] = {};
    const char* const queries[] = {"PRAGMA application_id", "PRAGMA user_version",
                                   "SELECT count(*) FROM sqlite_schema"};
    for (int i = 0; i < 3; ++i) {
        header[i] = QueryInteger(db_, queries[i], result);
        if (result != SQLITE_OK)
            return Refusal(result);
    }
    const auto [id, format, objects] = header;

    if (id == 0 && format == 0 && objects == 0) {
        // A new file, or an empty one, which SQLite takes for an empty database too.
        if (readOnly())
            return {WithPath(created ? kReadOnly : kNotADatabase, path_)};
        std::string create = "CREATE TABLE drivers (id INTEGER PRIMARY KEY";
        for (const DriverColumn& c : DriverColumns())
            create += ", " + ColumnDefinition(c);
        create += std::string(", ") + kSourceColumns;
        for (const char* column : kDerivedColumns)
            create += std::string(", ") + column;
        create += ")";
        return ChangeSchema({create, kIndexes,
                             "PRAGMA application_id = " + std::to_string(kApplicationId),
                             "PRAGMA user_version = " + std::to_string(kDatabaseFormat)},
                            false);
    }
    if (id != kApplicationId)
        return {WithPath(kNotADatabase, path_)};
    if (format > kDatabaseFormat) {
        std::string text = WithPath(kNewer, path_);
        return {text.replace(text.find("%2"), 2, std::to_string(format))};
    }
    if (format < 1)
        return {WithPath(kDamaged, path_)};

    if (FileResult r = CheckIntegrity("PRAGMA quick_check"); !r.ok())
        return r;
    std::vector<std::string> existing;
    if (FileResult r = CheckSchema(format, existing); !r.ok())
        return r;

    std::vector<std::string> steps;
    // Fields the record gained since the file was made start as "not given".
    for (const DriverColumn& c : DriverColumns()) {
        if (std::find(existing.begin(), existing.end(), c.name) == existing.end())
            steps.push_back("ALTER TABLE drivers ADD COLUMN " + ColumnDefinition(c));
    }
    if (format < 2) {
        for (const char* column : kDerivedColumns)
            steps.push_back(std::string("ALTER TABLE drivers ADD COLUMN ") + column);
        steps.push_back(kIndexes);
    }
    if (steps.empty())
        return {};
    if (readOnly())
        return {WithPath(kOldReadOnly, path_)};
    if (FileResult r = CheckWhole(); !r.ok())
        return r;
    steps.push_back("PRAGMA user_version = " + std::to_string(kDatabaseFormat));
    return ChangeSchema(steps, format < 2);
}

FileResult DriverStore::CheckIntegrity(const char* pragma) const
{
    Statement check(db_, pragma);
    if (check.prepared() != SQLITE_OK)
        return Refusal(check.prepared());
    const int step = check.Step();
    if (step != SQLITE_ROW)
        return Refusal(step);
    if (check.Text(0) != "ok")
        return {WithPath(kDamaged, path_)};
    return {};
}

// The quick check on opening misses an index that lost entries, which would let a driver in
// twice; the full check reads every page, so it runs once, before the first change.
FileResult DriverStore::CheckWhole()
{
    if (wholeChecked_)
        return {};
    FileResult r = CheckIntegrity("PRAGMA integrity_check(1)");
    wholeChecked_ = r.ok();
    return r;
}

// The file holds the drivers table and its index as this program makes them, and nothing
// else: a trigger, a view or a column of another program's would act on what is stored.
FileResult DriverStore::CheckSchema(std::int64_t format, std::vector<std::string>& columns) const
{
    const auto changed = [&](const std::string& what) {
        const std::string_view pattern = kChanged;
        const std::size_t at = pattern.find("%2");
        return FileResult{WithPath(pattern.substr(0, at), path_) + what +
                          std::string(pattern.substr(at + 2))};
    };
    Statement objects(db_, "SELECT type, name, tbl_name, coalesce(sql, '') FROM sqlite_schema");
    if (objects.prepared() != SQLITE_OK)
        return Refusal(objects.prepared());
    bool table = false;
    int step = SQLITE_ROW;
    while ((step = objects.Step()) == SQLITE_ROW) {
        const std::string type = objects.Text(0), name = objects.Text(1);
        if (type == "table" && name == "drivers") {
            table = true;
            continue;
        }
        if (type == "index" && name == "drivers_fingerprint" && objects.Text(2) == "drivers" &&
            objects.Text(3) == kIndexAsStored)
            continue;
        return changed("a " + type + " \"" + Printable(name) + "\"");
    }
    if (step != SQLITE_DONE)
        return Refusal(step);
    if (!table)
        return changed("no table of drivers");

    const std::vector<std::pair<std::string, ColumnShape>> expected = ExpectedColumns();
    Statement info(db_, "SELECT name, type, \"notnull\", coalesce(dflt_value, ''), pk, hidden "
                        "FROM pragma_table_xinfo('drivers')");
    if (info.prepared() != SQLITE_OK)
        return Refusal(info.prepared());
    std::vector<std::string> found;
    while ((step = info.Step()) == SQLITE_ROW) {
        const std::string name = info.Text(0);
        const ColumnShape shape{info.Text(1), info.Integer(2) != 0, info.Text(3)};
        const bool id = name == "id" && shape.type == "INTEGER" && info.Integer(4) == 1;
        const auto known = std::find_if(expected.begin(), expected.end(),
                                        [&](const auto& e) { return e.first == name; });
        const bool ours = id || (known != expected.end() && known->second == shape &&
                                 info.Integer(4) == 0 && (format >= 2 || !IsDerivedColumn(name)));
        if (!ours || info.Integer(5) != 0 ||
            std::find(found.begin(), found.end(), name) != found.end())
            return changed("the column \"" + Printable(name) + "\"");
        found.push_back(name);
    }
    if (step != SQLITE_DONE)
        return Refusal(step);
    // A record field the file lacks is added; every other column must be there.
    for (const std::string& name :
         std::vector<std::string>{"id", "sourceFile", "sourceFormat", "addedAt"}) {
        if (std::find(found.begin(), found.end(), name) == found.end())
            return changed("no column \"" + name + "\"");
    }
    for (const std::string_view one : kDerivedColumns) {
        const std::string name(one.substr(0, one.find(' ')));
        if (format >= 2 && std::find(found.begin(), found.end(), name) == found.end())
            return changed("no column \"" + name + "\"");
    }
    columns = std::move(found);
    return {};
}

FileResult DriverStore::ChangeSchema(const std::vector<std::string>& steps, bool derive)
{
    Transaction t(db_);
    if (t.begun() != SQLITE_OK)
        return Refusal(t.begun());
    for (const std::string& sql : steps) {
        if (const int r = db_.Execute(sql.c_str()); r != SQLITE_OK)
            return Refusal(r);
    }
    if (derive) {
        if (FileResult r = StoreDerived(); !r.ok())
            return r;
    }
    const int committed = t.Commit();
    return committed == SQLITE_OK ? FileResult{} : Refusal(committed);
}

FileResult DriverStore::StoreDerived()
{
    struct Derived {
        std::int64_t id;
        std::string findings;
        std::int64_t fingerprint;
    };
    std::vector<Derived> rows;
    {
        Statement s(db_, "SELECT id, " + RecordColumnList() + " FROM drivers");
        int step = s.prepared();
        while (step == SQLITE_OK || step == SQLITE_ROW) {
            step = s.Step();
            if (step != SQLITE_ROW)
                break;
            DriverParams d;
            ReadDriver(s, 1, d);
            rows.push_back({s.Integer(0), Join(CheckDriver(d)), Fingerprint(EncodeDriver(d))});
        }
        if (step != SQLITE_DONE)
            return Refusal(step);
    }
    Statement update(db_, "UPDATE drivers SET checkFindings = ?, fingerprint = ? WHERE id = ?");
    if (update.prepared() != SQLITE_OK)
        return Refusal(update.prepared());
    for (const Derived& row : rows) {
        update.Bind(0, row.findings);
        update.Bind(1, row.fingerprint);
        update.Bind(2, row.id);
        if (const int r = update.Step(); r != SQLITE_DONE)
            return Refusal(r);
        update.Reset();
    }
    return {};
}

FileResult DriverStore::Add(std::span<const ImportedDriver> drivers, AddReport& report)
{
    if (readOnly())
        return {WithPath(kReadOnly, path_)};
    if (FileResult r = CheckWhole(); !r.ok())
        return r;
    const FileResult r = AddAll(drivers, report);
    // A write that failed halfway (a full disk) leaves the journal and a grown file behind: the
    // old state is put back now rather than at the next open.
    if (!r.ok())
        Recover(busyTimeoutMs_);
    return r;
}

FileResult DriverStore::AddAll(std::span<const ImportedDriver> drivers, AddReport& report)
{
    Transaction t(db_);
    if (t.begun() != SQLITE_OK)
        return Refusal(t.begun());
    Statement same(db_, "SELECT id FROM drivers WHERE fingerprint = ?");
    std::string values = "?";
    for (std::size_t i = 1; i < DriverColumns().size() + 6; ++i)
        values += ", ?";
    Statement insert(db_, "INSERT INTO drivers (" + RecordColumnList() +
                              ", sourceFile, sourceFormat, addedAt, importFindings, "
                              "checkFindings, fingerprint) VALUES (" +
                              values + ")");
    if (same.prepared() != SQLITE_OK || insert.prepared() != SQLITE_OK)
        return Refusal(same.prepared() != SQLITE_OK ? same.prepared() : insert.prepared());
    AddReport done;
    const std::string now = NowUtc();
    for (const ImportedDriver& imported : drivers) {
        std::string bytes;
        try {
            bytes = EncodeDriver(imported.driver);
        } catch (const std::length_error&) {
            return {WithPath("A driver is too large for the driver database %1.", path_)};
        }
        const std::int64_t fingerprint = Fingerprint(bytes);
        bool stored = false;
        same.Bind(0, fingerprint);
        while (!stored && same.Step() == SQLITE_ROW) {
            std::optional<StoredDriver> other;
            if (Get(same.Integer(0), other).ok() && other && EncodeDriver(other->driver) == bytes)
                stored = true;
        }
        same.Reset();
        if (stored) {
            done.duplicates.push_back(imported.driver.manufacturer + " " + imported.driver.model);
            continue;
        }
        int i = BindDriver(insert, imported.driver);
        insert.Bind(i++, imported.sourceFile);
        insert.Bind(i++, imported.sourceFormat);
        insert.Bind(i++, now);
        const std::string importFindings = Join(imported.findings);
        const std::string checkFindings = Join(CheckDriver(imported.driver));
        insert.Bind(i++, importFindings);
        insert.Bind(i++, checkFindings);
        insert.Bind(i++, fingerprint);
        if (const int r = insert.Step(); r != SQLITE_DONE)
            return Refusal(r);
        insert.Reset();
        done.added.push_back(db_.LastInsertId());
    }
    if (const int r = t.Commit(); r != SQLITE_OK)
        return Refusal(r);
    report = std::move(done);
    return {};
}

FileResult DriverStore::Update(std::int64_t id, const DriverParams& d)
{
    if (readOnly())
        return {WithPath(kReadOnly, path_)};
    if (FileResult r = CheckWhole(); !r.ok())
        return r;
    std::string bytes;
    try {
        bytes = EncodeDriver(d);
    } catch (const std::length_error&) {
        return {WithPath("A driver is too large for the driver database %1.", path_)};
    }
    std::string sql = "UPDATE drivers SET ";
    for (const DriverColumn& c : DriverColumns())
        sql += "\"" + c.name + "\" = ?, ";
    sql += "checkFindings = ?, fingerprint = ? WHERE id = ?";
    Transaction t(db_);
    if (t.begun() != SQLITE_OK)
        return Refusal(t.begun());
    Statement update(db_, sql);
    if (update.prepared() != SQLITE_OK)
        return Refusal(update.prepared());
    int i = BindDriver(update, d);
    update.Bind(i++, Join(CheckDriver(d)));
    update.Bind(i++, Fingerprint(bytes));
    update.Bind(i++, id);
    if (const int r = update.Step(); r != SQLITE_DONE)
        return Refusal(r);
    const int committed = t.Commit();
    return committed == SQLITE_OK ? FileResult{} : Refusal(committed);
}

FileResult DriverStore::Remove(std::span<const std::int64_t> ids)
{
    if (readOnly())
        return {WithPath(kReadOnly, path_)};
    if (FileResult r = CheckWhole(); !r.ok())
        return r;
    Transaction t(db_);
    if (t.begun() != SQLITE_OK)
        return Refusal(t.begun());
    Statement remove(db_, "DELETE FROM drivers WHERE id = ?");
    if (remove.prepared() != SQLITE_OK)
        return Refusal(remove.prepared());
    for (const std::int64_t id : ids) {
        remove.Bind(0, id);
        if (const int r = remove.Step(); r != SQLITE_DONE)
            return Refusal(r);
        remove.Reset();
    }
    const int committed = t.Commit();
    return committed == SQLITE_OK ? FileResult{} : Refusal(committed);
}

FileResult DriverStore::Find(const DriverFilter& filter, std::vector<DriverSummary>& out) const
{
    // A value the record keeps twice is taken from its metric copy, else from the other one.
    struct Bounded {
        const Range& range;
        const char* value;
    };
    const Bounded bounded[] = {
        {filter.nominalDiameterMm,
         "coalesce(nullif(nominalDiameterMm, 0), nominalDiameterIn * 25.4)"},
        {filter.fs, "fs"},
        {filter.qts, "qts"},
        {filter.vasLiters, "coalesce(nullif(vasLiters, 0), vasCuFt * 28.316847)"},
        {filter.xMax, "xMax"},
    };
    const std::vector<std::string> words = Words(filter.search);
    if (filter.search.size() > kMaxSearchLength || words.size() > kMaxSearchWords)
        return {"The search is too long: it takes up to " + std::to_string(kMaxSearchWords) +
                " words of " + std::to_string(kMaxSearchLength) + " characters in all."};
    std::string sql = "SELECT id, manufacturer, model, nominalDiameterMm, nominalDiameterIn, fs, "
                      "qts, vasLiters, vasCuFt, xMax, importFindings, checkFindings "
                      "FROM drivers WHERE 1";
    for (std::size_t i = 0; i < words.size(); ++i)
        sql += " AND (manufacturer || ' ' || model) LIKE ? ESCAPE '\\'";
    // Both ends are always bound, so that a NaN (kept as bytes) is never within a range; nor is
    // a value the driver does not give (0), which a bound says nothing about.
    for (const Bounded& b : bounded) {
        if (b.range.active())
            sql += std::string(" AND ") + b.value + " != 0 AND " + b.value + " BETWEEN ? AND ?";
    }
    Statement s(db_, sql);
    if (s.prepared() != SQLITE_OK)
        return Refusal(s.prepared());
    int p = 0;
    for (const std::string& word : words)
        s.Bind(p++, LikePattern(word));
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (const Bounded& b : bounded) {
        if (b.range.active()) {
            s.Bind(p++, b.range.min.value_or(-kInfinity));
            s.Bind(p++, b.range.max.value_or(kInfinity));
        }
    }
    std::vector<DriverSummary> found;
    int step = SQLITE_ROW;
    while ((step = s.Step()) == SQLITE_ROW) {
        DriverSummary d;
        d.id = s.Integer(0);
        d.manufacturer = s.Text(1);
        d.model = s.Text(2);
        d.nominalDiameterMm = s.Real(3);
        d.nominalDiameterIn = s.Real(4);
        d.fs = s.Real(5);
        d.qts = s.Real(6);
        d.vasLiters = s.Real(7);
        d.vasCuFt = s.Real(8);
        d.xMax = s.Real(9);
        AppendLines(s.Text(10), d.findings);
        AppendLines(s.Text(11), d.findings);
        // A table in either unit system shows the copy the driver left empty as converted.
        if (d.nominalDiameterMm == 0)
            d.nominalDiameterMm = InchesToMm(d.nominalDiameterIn);
        if (d.nominalDiameterIn == 0)
            d.nominalDiameterIn = MmToInches(d.nominalDiameterMm);
        if (d.vasLiters == 0)
            d.vasLiters = CuFtToLiters(d.vasCuFt);
        if (d.vasCuFt == 0)
            d.vasCuFt = LitersToCuFt(d.vasLiters);
        found.push_back(std::move(d));
    }
    if (step != SQLITE_DONE)
        return Refusal(step);
    // Sorted here rather than by SQL, which would sort every row the scan passes or walk an
    // index in name order and look each row up.
    std::sort(found.begin(), found.end(), [](const DriverSummary& a, const DriverSummary& b) {
        if (const int c = CompareIgnoringCase(a.manufacturer, b.manufacturer))
            return c < 0;
        if (const int c = CompareIgnoringCase(a.model, b.model))
            return c < 0;
        return a.id < b.id;
    });
    out = std::move(found);
    return {};
}

FileResult DriverStore::FindByName(const std::string& name, std::vector<DriverSummary>& out) const
{
    DriverFilter filter;
    filter.search = name;
    std::vector<DriverSummary> candidates;
    if (FileResult r = Find(filter, candidates); !r.ok())
        return r;
    const std::string wanted = NormalName(name);
    std::erase_if(candidates, [&](const DriverSummary& d) {
        return NormalName(d.manufacturer + " " + d.model) != wanted;
    });
    out = std::move(candidates);
    return {};
}

FileResult DriverStore::Get(std::int64_t id, std::optional<StoredDriver>& out) const
{
    Statement s(db_, "SELECT " + RecordColumnList() +
                         ", sourceFile, sourceFormat, addedAt, importFindings, checkFindings "
                         "FROM drivers WHERE id = ?");
    if (s.prepared() != SQLITE_OK)
        return Refusal(s.prepared());
    s.Bind(0, id);
    const int step = s.Step();
    if (step == SQLITE_DONE) {
        out.reset();
        return {};
    }
    if (step != SQLITE_ROW)
        return Refusal(step);
    StoredDriver d;
    d.id = id;
    int i = ReadDriver(s, 0, d.driver);
    d.sourceFile = s.Text(i++);
    d.sourceFormat = s.Text(i++);
    d.addedAt = s.Text(i++);
    AppendLines(s.Text(i++), d.importFindings);
    AppendLines(s.Text(i++), d.checkFindings);
    out = std::move(d);
    return {};
}

FileResult DriverStore::Count(std::int64_t& count) const
{
    int result = SQLITE_OK;
    const std::int64_t n = QueryInteger(db_, "SELECT count(*) FROM drivers", result);
    if (result != SQLITE_OK)
        return Refusal(result);
    count = n;
    return {};
}

} // namespace cw::database
