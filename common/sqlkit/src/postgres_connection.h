// The PostgreSQL side of a connection: one libpq connection, kept across calls, with the
// statements it prepared kept on the server for the next use of the same text.
#pragma once

#include <libpq-fe.h>

#include <chrono>
#include <memory>
#include <string>
#include <unordered_map>

#include "sqlkit/connection.h"

namespace sqlkit::detail {

struct PgCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
using PgPtr = std::unique_ptr<PGconn, PgCloser>;

// A statement prepared on the server under its own name. `session` tells which generation of
// kept statements it belongs to: a reconnect (the server forgets them) or changed tables end one.
struct PreparedName {
    std::string text;  // the SQL as sent, the key it is kept under
    std::string name;
    int parameters = 0;
    long long session = 0;
    bool reused = false;  // taken from the kept ones rather than prepared by this prepare
};

class PostgresConnection final : public Connection {
  public:
    explicit PostgresConnection(PgPtr pg) : pg_(std::move(pg)) {}

    Statement prepare(std::string_view sql) override;
    bool exec(std::string_view sql) override;
    std::string lastError() const override { return lastError_; }
    Fault lastFault() const override { return lastFault_; }
    const Dialect& dialect() const override;
    void setBusyWait(std::chrono::milliseconds wait) override;
    bool readyForCall(std::string* error) override;

    // Sets the limits the server keeps for this session (see the definition) and the lock
    // wait, in one round trip.
    void limitSession(std::chrono::milliseconds wait);

    // Takes back a statement no longer used, for the next prepare of the same text.
    void giveBack(PreparedName prepared);
    // Forgets the kept statements (the server's tables changed); those in use are not kept.
    void forgetPrepared();
    // Keeps the engine's text and the kind of a failed result (or of the connection's state).
    void noteFailure(const PGresult* result);

  private:
    void noticeClosedSession();

    PgPtr pg_;
    std::string lastError_;
    Fault lastFault_ = Fault::Other;
    // Names are never reused on a connection, across reconnects too, so no two clash.
    long long statementCount_ = 0;
    long long session_ = 0;
    std::chrono::milliseconds busyWait_{0};  // as the server session has it; 0 before it is set
    static std::string lockTimeout(std::chrono::milliseconds wait);
    // Prepared statements not in use, by text; a text used twice at once has two.
    std::unordered_multimap<std::string, PreparedName> idle_;
};

}  // namespace sqlkit::detail
