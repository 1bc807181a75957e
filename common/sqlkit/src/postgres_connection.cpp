#include "postgres_connection.h"

#include <poll.h>

#include "postgres_sql.h"
#include "postgres_statement.h"
#include "sqlkit/postgres.h"

namespace sqlkit {
namespace detail {

Statement PostgresConnection::prepare(std::string_view sql) {
    PreparedName prepared;
    prepared.text = nullsFirst(numberedParameters(sql, &prepared.parameters));
    if (auto kept = idle_.find(prepared.text); kept != idle_.end()) {
        // Prepared before on this session: no round trip until it runs.
        prepared = std::move(kept->second);
        prepared.reused = true;
        idle_.erase(kept);
    } else {
        prepared.name = "leaflet_" + std::to_string(++statementCount_);
        prepared.session = session_;
        PGresult* made =
            PQprepare(pg_.get(), prepared.name.c_str(), prepared.text.c_str(), 0, nullptr);
        const bool ok = PQresultStatus(made) == PGRES_COMMAND_OK;
        if (!ok) noteFailure(made);
        PQclear(made);
        if (!ok) return Statement::failed(lastError_);
    }
    return Statement(std::make_unique<PostgresStatement>(*this, pg_.get(), std::move(prepared)));
}

void PostgresConnection::forgetPrepared() {
    idle_.clear();
    ++session_;
}

void PostgresConnection::giveBack(PreparedName prepared) {
    // Not kept when forgotten since it was prepared (a new server session, changed tables).
    if (prepared.session != session_) return;
    std::string text = prepared.text;
    idle_.emplace(std::move(text), std::move(prepared));
}

bool PostgresConnection::exec(std::string_view sql) {
    // Several statements in one text run in one round trip; the last result tells.
    const std::string text = nullsFirst(sql);
    PGresult* result = PQexec(pg_.get(), text.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const bool ok =
        status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_EMPTY_QUERY;
    if (!ok) noteFailure(result);
    PQclear(result);
    return ok;
}

void PostgresConnection::noteFailure(const PGresult* result) {
    lastError_ = engineText(result, pg_.get());
    lastFault_ = faultOf(result, pg_.get());
}

void PostgresConnection::setBusyWait(std::chrono::milliseconds wait) {
    // A writing call sets its wait every time; the server is told only of a change.
    if (wait == busyWait_) return;
    // A waiting row or advisory lock gives up after this long.
    if (exec(lockTimeout(wait))) busyWait_ = wait;
}

std::string PostgresConnection::lockTimeout(std::chrono::milliseconds wait) {
    return "SET lock_timeout = " + std::to_string(wait.count());
}

void PostgresConnection::limitSession(std::chrono::milliseconds wait) {
    // A writing call holds the write lock for milliseconds and never waits for the user inside
    // its transaction. A terminal that stalls there anyway (frozen, or cut off mid-call) would
    // hold every other terminal's stores: the server ends such a session after 30 s, and the
    // others, waiting up to their write wait, get the lock back within about half a minute.
    // A terminal that vanished from the network is found by the server's keepalives after
    // about 50 s (20 s of silence, then 3 probes 10 s apart), so its session goes within a
    // minute. (Both are settings any role may make for its own session.) The lock wait goes
    // in the same text: one round trip for the whole session set-up.
    if (exec("SET idle_in_transaction_session_timeout = '30s'; SET tcp_keepalives_idle = 20; "
             "SET tcp_keepalives_interval = 10; SET tcp_keepalives_count = 3; " +
             lockTimeout(wait)))
        busyWait_ = wait;
}

void PostgresConnection::noticeClosedSession() {
    // Between calls the server sends nothing unless it ends the session (a shutdown, an
    // administrator): reading what arrived, up to the closed socket, finds that out without a
    // round trip.
    for (int reads = 0; reads < 4 && PQstatus(pg_.get()) == CONNECTION_OK; ++reads) {
        pollfd socket{PQsocket(pg_.get()), POLLIN, 0};
        if (poll(&socket, 1, 0) <= 0) return;
        if (!PQconsumeInput(pg_.get())) return;
    }
}

bool PostgresConnection::readyForCall(std::string* error) {
    noticeClosedSession();
    if (PQstatus(pg_.get()) != CONNECTION_OK) {
        // The server's session is gone, and with it every prepared statement and setting.
        forgetPrepared();
        PQreset(pg_.get());
        if (PQstatus(pg_.get()) != CONNECTION_OK) {
            noteFailure(nullptr);
            if (error) *error = lastError_;
            return false;
        }
        // The new server session has none of the old one's settings.
        const std::chrono::milliseconds wait = busyWait_;
        busyWait_ = std::chrono::milliseconds{0};
        limitSession(wait);
    }
    // A call that failed inside its transaction (or while taking its lock) leaves it open.
    if (PQtransactionStatus(pg_.get()) != PQTRANS_IDLE) exec("ROLLBACK");
    return true;
}

const Dialect& PostgresConnection::dialect() const {
    return postgresDialect();
}

}  // namespace detail

const Dialect& postgresDialect() {
    static const Dialect d{
        .rowKey = "row_key",
        .rowKeyDeclaration = "row_key BIGSERIAL PRIMARY KEY",
        // Byte order, as the files sort texts, whatever the server's locale.
        .textType = "TEXT COLLATE \"C\"",
        .integerType = "BIGINT",
        .blobType = "BYTEA",
        // LIKE tells case apart; ILIKE under the columns' "C" collation folds ASCII letters only.
        .likeAnyCase = "ILIKE",
        // One writer at a time, as on a file: a writing call holds this lock until it commits,
        // so what it reads to decide (a free history slot, an unused ID, a unique code) stays
        // true, also against a program on another terminal, and rows it inserts cannot race
        // another's. Readers never wait for it. The lock is the one row of a table that only
        // roles given the program's rights may lock (sqlkit/server_lock.h).
        .beginWrite = "BEGIN; SELECT 1 FROM Server_Lock FOR UPDATE",
        // The server keeps its own storage sound.
        .integrityCheck = "SELECT 'ok'",
        // A transaction's changes stay with the server until the commit anyway.
        .bulkWrite = "",
        // clock_timestamp(), not localtimestamp: the moment after the write lock was had.
        .clockNow = "SELECT to_char(clock_timestamp(), 'YYYY-MM-DD HH24:MI:SS')",
        .tableExists =
            "SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() AND "
            "table_name = lower(?)",
        // A leaflet's drugs in one statement with one parameter, whatever their number.
        .textArrays = true,
    };
    return d;
}

}  // namespace sqlkit
