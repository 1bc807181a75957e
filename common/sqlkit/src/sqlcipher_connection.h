// The SQLCipher side of a connection: one open sqlite3 handle.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "sqlcipher_identity.h"
#include "sqlcipher_statement_pool.h"
#include "sqlkit/connection.h"

namespace sqlkit::detail {

// How long a statement waits for another program's lock unless told otherwise: long enough for
// the commit of a large load or import.
inline constexpr std::chrono::milliseconds kBusyWait{15000};

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

class SqlcipherConnection final : public Connection {
  public:
    explicit SqlcipherConnection(Db db) : db_(std::move(db)) { setBusyWait(kBusyWait); }
    ~SqlcipherConnection() override { statements_->close(); }

    Statement prepare(std::string_view sql) override;
    bool exec(std::string_view sql) override;
    std::string lastError() const override { return sqlite3_errmsg(db_.get()); }
    Fault lastFault() const override;
    const Dialect& dialect() const override;
    void setBusyWait(std::chrono::milliseconds wait) override;

    // The file this connection was opened and keyed on, as it was then.
    void openedOn(std::filesystem::path file, const FileIdentity& identity) {
        file_ = std::move(file);
        identity_ = identity;
    }
    // False when the file at the path is gone or is no longer the file opened (see
    // FileIdentity): the caller opens it anew. Otherwise undoes what the last call left: an open
    // transaction, the settings of a long write, another lock wait.
    bool readyForCall(std::string* error) override;

  private:
    static int waitForLock(void* context, int attempts);

    Db db_;
    // Statements still in use when the connection ends are finalized by their owners; the
    // handle closes once the last is (sqlite3_close_v2).
    std::shared_ptr<StatementPool> statements_ = std::make_shared<StatementPool>();
    std::filesystem::path file_;
    FileIdentity identity_;
    bool bulkWrite_ = false;
    std::chrono::milliseconds waitLimit_{0};
    std::chrono::steady_clock::time_point waitStart_;
};

}  // namespace sqlkit::detail
