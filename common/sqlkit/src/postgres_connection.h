// The PostgreSQL side of a connection: one libpq connection, kept across calls.
#pragma once

#include <libpq-fe.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "sqlkit/connection.h"

namespace sqlkit::detail {

struct PgCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
using PgPtr = std::unique_ptr<PGconn, PgCloser>;

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

    // Sets the limits the server keeps for this session (see the definition).
    void limitSession();

    // Frees a prepared statement on the server, or after the next rollback when the
    // transaction it was used in failed.
    void release(const std::string& name);
    // Keeps the engine's text and the kind of a failed result (or of the connection's state).
    void noteFailure(const PGresult* result);

  private:
    void noticeClosedSession();

    PgPtr pg_;
    std::string lastError_;
    Fault lastFault_ = Fault::Other;
    long long statementCount_ = 0;
    std::chrono::milliseconds busyWait_{0};
    std::vector<std::string> unreleased_;
};

}  // namespace sqlkit::detail
