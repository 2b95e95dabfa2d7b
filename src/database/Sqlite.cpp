#include "database/Sqlite.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sqlite3.h>
#include <thread>

namespace cw::database
{

int Connection::Open(const std::string& path, bool readOnly, int busyTimeoutMs)
{
    Close();
    // One thread uses a connection, so SQLite need not lock around each call.
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_NOMUTEX;
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (result != SQLITE_OK) {
        Close();
        return result;
    }
    // Whatever a file holds, it runs nothing of its own: no trigger fires, no view stands in for
    // a table, no function is called from its schema and no extension is loaded.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_extended_result_codes(db_, 1);
    busyTimeout_ = std::chrono::milliseconds(busyTimeoutMs);
    gaveUp_.reset();
    sqlite3_busy_handler(db_, &Connection::WaitForLock, this);
    return SQLITE_OK;
}

// SQLite's own timeout counts each statement afresh, so a search and the details after it would
// wait twice as long. Here a wait that ran out makes the next one, within the same span, give
// up at once.
int Connection::WaitForLock(void* self, int attempts)
{
    auto& c = *static_cast<Connection*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (attempts == 0) {
        if (c.gaveUp_ && now - *c.gaveUp_ < c.busyTimeout_)
            return 0;
        c.waitStart_ = now;
    }
    const auto left = c.waitStart_ + c.busyTimeout_ - now;
    if (left <= std::chrono::steady_clock::duration::zero()) {
        c.gaveUp_ = now;
        return 0;
    }
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(10)));
    return 1;
}

void Connection::Close()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool Connection::readOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

int Connection::Execute(const char* sql)
{
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

std::string Connection::LastError() const
{
    return db_ ? sqlite3_errmsg(db_) : "out of memory";
}

std::int64_t Connection::LastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

Statement::Statement(const Connection& c, std::string_view sql)
{
    prepared_ =
        sqlite3_prepare_v2(c.get(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

void Statement::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_, index + 1, value);
}

void Statement::Bind(int index, double value)
{
    if (std::isnan(value) || (value == 0 && std::signbit(value))) {
        char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        sqlite3_bind_blob(stmt_, index + 1, bytes, sizeof bytes, SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_double(stmt_, index + 1, value);
    }
}

void Statement::Bind(int index, std::string_view text)
{
    sqlite3_bind_text64(stmt_, index + 1, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

int Statement::Step()
{
    return sqlite3_step(stmt_);
}

void Statement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::Integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const
{
    if (sqlite3_column_type(stmt_, column) == SQLITE_BLOB &&
        sqlite3_column_bytes(stmt_, column) == sizeof(double)) {
        double value = 0;
        std::memcpy(&value, sqlite3_column_blob(stmt_, column), sizeof value);
        return value;
    }
    return sqlite3_column_double(stmt_, column);
}

std::string Statement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

std::int64_t QueryInteger(const Connection& c, const char* sql, int& result)
{
    Statement s(c, sql);
    result = s.prepared();
    if (result != SQLITE_OK)
        return 0;
    result = s.Step();
    const std::int64_t value = result == SQLITE_ROW ? s.Integer(0) : 0;
    if (result == SQLITE_ROW || result == SQLITE_DONE)
        result = SQLITE_OK;
    return value;
}

} // namespace cw::database
