#include "sqlcipher_connection.h"

#include <string>
#include <thread>

#include "sqlcipher_statement.h"
#include "sqlkit/sqlcipher.h"

namespace sqlkit {
namespace detail {

Statement SqlcipherConnection::prepare(std::string_view sql) {
    if (sqlite3_stmt* kept = statements_->take(sql))
        return Statement(
            std::make_unique<SqlcipherStatement>(kept, statements_, std::string(sql), true));
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(stmt);
        return Statement::failed(sqlite3_errmsg(db_.get()));
    }
    return Statement(
        std::make_unique<SqlcipherStatement>(stmt, statements_, std::string(sql), false));
}

bool SqlcipherConnection::exec(std::string_view sql) {
    if (sql == dialect().bulkWrite) bulkWrite_ = true;
    // sqlite3_exec wants a terminated text.
    const std::string text(sql);
    return sqlite3_exec(db_.get(), text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SqlcipherConnection::readyForCall(std::string* error) {
    if (!file_.empty() && !stillOpenedFile(db_.get(), file_, identity_)) {
        if (error) {
            std::error_code ec;
            *error = std::filesystem::exists(file_, ec) ? "the database file was replaced"
                                                        : "unable to open database file";
        }
        return false;
    }
    // A call that failed part-way may have left its transaction, and with it a lock, open.
    if (!sqlite3_get_autocommit(db_.get())) exec("ROLLBACK");
    if (bulkWrite_) {
        // SQLite's own defaults, so a long write's cache is not kept for the rest of the run.
        bulkWrite_ = !exec("PRAGMA cache_spill = ON; PRAGMA cache_size = -2000");
    }
    if (waitLimit_ != kBusyWait) setBusyWait(kBusyWait);
    return true;
}

void SqlcipherConnection::setBusyWait(std::chrono::milliseconds wait) {
    waitLimit_ = wait;
    sqlite3_busy_handler(db_.get(), &SqlcipherConnection::waitForLock, this);
}

// SQLite's own busy wait sleeps up to 100 ms at a time, so a program that writes again at once
// takes the lock in each short moment it is free while the others sleep, and one of them can
// wait out any limit. Polling every millisecond gives every waiting writer its turn.
int SqlcipherConnection::waitForLock(void* context, int attempts) {
    auto* self = static_cast<SqlcipherConnection*>(context);
    const auto now = std::chrono::steady_clock::now();
    if (attempts == 0) self->waitStart_ = now;
    if (now - self->waitStart_ >= self->waitLimit_) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

Fault SqlcipherConnection::lastFault() const {
    // BUSY: another program's write lock outlasted the wait; LOCKED: a lock inside this one.
    const int code = sqlite3_errcode(db_.get());
    return code == SQLITE_BUSY || code == SQLITE_LOCKED ? Fault::Busy : Fault::Other;
}

const Dialect& SqlcipherConnection::dialect() const {
    return sqlcipherDialect();
}

}  // namespace detail

const Dialect& sqlcipherDialect() {
    static const Dialect d{
        .rowKey = "rowid",
        .rowKeyDeclaration = "",
        .textType = "TEXT",
        .integerType = "INTEGER",
        .blobType = "BLOB",
        .likeAnyCase = "LIKE",  // folds ASCII letters only
        // Takes the write lock at once, so what a call reads to decide stays true until it
        // commits, also against another program on the same file.
        .beginWrite = "BEGIN IMMEDIATE",
        .integrityCheck = "PRAGMA quick_check",
        // Dirty pages are never written to the file before the commit, so the exclusive lock
        // that keeps readers out is taken only for the commit; the larger cache keeps the
        // pages a long write reads again.
        .bulkWrite = "PRAGMA cache_spill = OFF; PRAGMA cache_size = -65536",
        .clockNow = "SELECT datetime('now', 'localtime')",
        .tableExists = "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?",
    };
    return d;
}

}  // namespace sqlkit
