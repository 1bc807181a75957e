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
    const Dialect& dialect() const override;
    void setBusyWait(std::chrono::milliseconds wait) override;
    bool readyForCall(std::string* error) override;

    // Frees a prepared statement on the server, or after the next rollback when the
    // transaction it was used in failed.
    void release(const std::string& name);

  private:
    void noticeClosedSession();

    PgPtr pg_;
    std::string lastError_;
    long long statementCount_ = 0;
    std::chrono::milliseconds busyWait_{0};
    std::vector<std::string> unreleased_;
};

}  // namespace sqlkit::detail
