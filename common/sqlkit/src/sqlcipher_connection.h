// The SQLCipher side of a connection: one open sqlite3 handle.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <memory>

#include "sqlkit/connection.h"

namespace sqlkit::detail {

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

class SqlcipherConnection final : public Connection {
  public:
    explicit SqlcipherConnection(Db db) : db_(std::move(db)) {}

    Statement prepare(std::string_view sql) override;
    bool exec(std::string_view sql) override;
    std::string lastError() const override { return sqlite3_errmsg(db_.get()); }
    Fault lastFault() const override;
    const Dialect& dialect() const override;
    void setBusyWait(std::chrono::milliseconds wait) override;

  private:
    static int waitForLock(void* context, int attempts);

    Db db_;
    std::chrono::milliseconds waitLimit_{0};
    std::chrono::steady_clock::time_point waitStart_;
};

}  // namespace sqlkit::detail
