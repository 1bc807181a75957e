// The SQLCipher side of a prepared statement.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

#include "sqlcipher_statement_pool.h"
#include "sqlkit/statement.h"

namespace sqlkit::detail {

class SqlcipherStatement final : public StatementEngine {
  public:
    // `pool` takes the statement back at the end, keyed by `sql`; `reused` says it came from
    // there.
    SqlcipherStatement(sqlite3_stmt* stmt, std::shared_ptr<StatementPool> pool, std::string sql,
                       bool reused)
        : stmt_(stmt), pool_(std::move(pool)), sql_(std::move(sql)), reused_(reused) {}
    ~SqlcipherStatement() override;
    SqlcipherStatement(const SqlcipherStatement&) = delete;
    SqlcipherStatement& operator=(const SqlcipherStatement&) = delete;

    void bindText(int index, std::string_view utf8) override;
    void bindBlob(int index, std::string_view bytes) override;
    void bindInt(int index, long long value) override;
    void bindNull(int index) override;
    StepResult step() override;
    void reset() override;
    int columnCount() const override { return sqlite3_column_count(stmt_); }
    std::string_view text(int column) const override;
    std::string_view blob(int column) const override;
    long long integer(int column) const override { return sqlite3_column_int64(stmt_, column); }
    bool isNull(int column) const override {
        return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
    }
    std::string errorText() const override { return sqlite3_errmsg(sqlite3_db_handle(stmt_)); }
    bool outdated() const override { return outdated_; }

  private:
    sqlite3_stmt* stmt_;
    std::shared_ptr<StatementPool> pool_;
    std::string sql_;
    bool reused_;
    // A kept statement that SQLite could not prepare again (its table or column went away):
    // reported as the failure to prepare it that it would have been, and never kept again.
    bool outdated_ = false;
};

}  // namespace sqlkit::detail
