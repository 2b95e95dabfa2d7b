#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin layer over the SQLite C interface: a connection and prepared statements that release
// themselves, and reals stored so that every bit pattern comes back.
namespace cw::database
{

// One open database file.
class Connection
{
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Close(); }

    // The SQLite result code of the open; the connection stays closed on failure. A lock held
    // by another program is waited for up to busyTimeoutMs, and that in all for statements run
    // one after the other while it is held.
    int Open(const std::string& path, bool readOnly, int busyTimeoutMs);
    void Close();
    sqlite3* get() const { return db_; }
    bool isOpen() const { return db_ != nullptr; }
    // True when SQLite could only open the file for reading, or was asked to.
    bool readOnly() const;

    // Runs statements without results; the SQLite result code.
    int Execute(const char* sql);
    std::string LastError() const;
    std::int64_t LastInsertId() const;

private:
    static int WaitForLock(void* self, int attempts);

    sqlite3* db_ = nullptr;
    std::chrono::steady_clock::duration busyTimeout_{};
    std::chrono::steady_clock::time_point waitStart_;
    std::optional<std::chrono::steady_clock::time_point> gaveUp_; // when a wait last ran out
};

// One prepared statement. Parameters and columns count from 0.
class Statement
{
public:
    Statement(const Connection& c, std::string_view sql);
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement();

    // The result code of the preparation.
    int prepared() const { return prepared_; }

    void Bind(int index, std::int64_t value);
    // Finite reals other than -0 go in as reals, so that ranges can be compared in SQL; a NaN
    // or -0 (which SQLite would turn into NULL or +0) goes in as its eight bytes.
    void Bind(int index, double value);
    void Bind(int index, std::string_view text);
    // Steps once: SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // Ready for the next set of parameters.
    void Reset();

    std::int64_t Integer(int column) const;
    double Real(int column) const; // NULL reads as 0
    std::string Text(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepared_ = 0;
};

// Runs one statement and returns its first column of the first row as an integer (0 when there
// is none); result gets the SQLite result code.
std::int64_t QueryInteger(const Connection& c, const char* sql, int& result);

} // namespace cw::database
