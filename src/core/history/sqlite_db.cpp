#include "core/history/sqlite_db.h"

#include <sqlite3.h>

#include <utility>

namespace tessaray {

void CSqliteStatement::SFinalize::operator()(sqlite3_stmt* pStmt) const {
    sqlite3_finalize(pStmt);
}

void CSqliteStatement::BindInt(int nIndex, std::int64_t nValue) {
    sqlite3_bind_int64(m_pStmt.get(), nIndex, nValue);
}

void CSqliteStatement::BindBytes(int nIndex, std::string_view bytes) {
    // SQLITE_TRANSIENT: SQLite copies the bytes, so the caller's buffer may go at once.
    sqlite3_bind_blob64(m_pStmt.get(), nIndex, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void CSqliteStatement::BindText(int nIndex, std::string_view text) {
    sqlite3_bind_text64(m_pStmt.get(), nIndex, text.data(), text.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

bool CSqliteStatement::Step() {
    const int result = sqlite3_step(m_pStmt.get());
    m_bFailed = result != SQLITE_ROW && result != SQLITE_DONE;
    return result == SQLITE_ROW;
}

void CSqliteStatement::Reset() {
    sqlite3_reset(m_pStmt.get());
    sqlite3_clear_bindings(m_pStmt.get());
    m_bFailed = false;
}

std::int64_t CSqliteStatement::ColumnInt(int nColumn) const {
    return sqlite3_column_int64(m_pStmt.get(), nColumn);
}

std::string CSqliteStatement::ColumnBytes(int nColumn) const {
    const void* pData = sqlite3_column_blob(m_pStmt.get(), nColumn);
    const int nSize = sqlite3_column_bytes(m_pStmt.get(), nColumn);
    if (pData == nullptr || nSize <= 0) {
        return {};
    }
    return {static_cast<const char*>(pData), static_cast<std::size_t>(nSize)};
}

void CSqliteDb::SClose::operator()(sqlite3* pDb) const {
    sqlite3_close_v2(pDb);
}

CSqliteResult CSqliteDb::Open(const std::string& strPath, EOpen eMode) {
    m_pDb.reset();
    // A symbolic link anywhere in the path is refused.
    int flags = SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
    switch (eMode) {
    case EOpen::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case EOpen::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case EOpen::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    sqlite3* pDb = nullptr;
    const int result = sqlite3_open_v2(strPath.c_str(), &pDb, flags, nullptr);
    if (result != SQLITE_OK) {
        std::string message = pDb != nullptr ? sqlite3_errmsg(pDb) : sqlite3_errstr(result);
        sqlite3_close_v2(pDb);
        return CSqliteResult::Error{result, std::move(message)};
    }
    m_pDb.reset(pDb);
    sqlite3_extended_result_codes(pDb, 1);
    return {};
}

void CSqliteDb::SetBusyTimeout(int nMilliseconds) {
    sqlite3_busy_timeout(m_pDb.get(), nMilliseconds);
}

bool CSqliteDb::Exec(const char* pszSql) {
    return sqlite3_exec(m_pDb.get(), pszSql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

CSqliteStatement CSqliteDb::Prepare(std::string_view sql) {
    CSqliteStatement statement;
    sqlite3_stmt* pStmt = nullptr;
    if (sqlite3_prepare_v2(m_pDb.get(), sql.data(), static_cast<int>(sql.size()), &pStmt,
                           nullptr) == SQLITE_OK) {
        statement.m_pStmt.reset(pStmt);
    }
    return statement;
}

std::string CSqliteDb::QueryText(const char* pszSql) {
    CSqliteStatement statement = Prepare(pszSql);
    if (!statement.IsValid() || !statement.Step()) {
        return {};
    }
    return statement.ColumnBytes(0);
}

std::int64_t CSqliteDb::LastInsertId() const {
    return sqlite3_last_insert_rowid(m_pDb.get());
}

std::string CSqliteDb::LastError() const {
    if (!m_pDb) {
        return "not open";
    }
    return sqlite3_errmsg(m_pDb.get());
}

} // namespace tessaray
