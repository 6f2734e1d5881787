#pragma once

#include "core/util/result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tessaray {

// A prepared SQLite statement; finalised when it goes. Bind numbers start at 1, column numbers at
// 0. Errors of Step are told by the connection's LastError.
class CSqliteStatement {
public:
    CSqliteStatement() = default;

    bool IsValid() const { return m_pStmt != nullptr; }
    void BindInt(int nIndex, std::int64_t nValue);
    // The bytes as they are (a blob), so texts that are no valid UTF-8 come back unchanged.
    void BindBytes(int nIndex, std::string_view bytes);
    void BindText(int nIndex, std::string_view text);
    // Runs the statement one step: true while it yields a row. Done or failed: false, and
    // Failed() tells which.
    bool Step();
    bool Failed() const { return m_bFailed; }
    // Ready to run again with new bindings.
    void Reset();
    std::int64_t ColumnInt(int nColumn) const;
    std::string ColumnBytes(int nColumn) const;

private:
    friend class CSqliteDb;
    struct SFinalize {
        void operator()(sqlite3_stmt* pStmt) const;
    };
    std::unique_ptr<sqlite3_stmt, SFinalize> m_pStmt;
    bool m_bFailed = false;
};

// Success, or SQLite's result code (SQLITE_CANTOPEN, ...) with its message.
using CSqliteResult = CResult<void, int>;

// One connection to a SQLite database file, closed when it goes.
class CSqliteDb {
public:
    enum class EOpen { ReadOnly, ReadWrite, Create };

    // Fails when the file cannot be opened; a path through a symbolic link is refused.
    CSqliteResult Open(const std::string& strPath, EOpen eMode);
    bool IsOpen() const { return m_pDb != nullptr; }
    void Close() { m_pDb.reset(); }
    // How long a statement waits for another connection's lock before it fails.
    void SetBusyTimeout(int nMilliseconds);

    // Runs statements that return nothing of interest. False on the first failure.
    bool Exec(const char* pszSql);
    // A statement; invalid (LastError tells why) when the text does not compile.
    CSqliteStatement Prepare(std::string_view sql);
    // The text of the first row's first column of a query, empty when none or on failure.
    std::string QueryText(const char* pszSql);
    std::int64_t LastInsertId() const;

    // The message of the connection's last failure ("file is not a database", ...).
    std::string LastError() const;

private:
    struct SClose {
        void operator()(sqlite3* pDb) const;
    };
    std::unique_ptr<sqlite3, SClose> m_pDb;
};

} // namespace tessaray
