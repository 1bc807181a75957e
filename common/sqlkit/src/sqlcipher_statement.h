// The SQLCipher side of a prepared statement.
#pragma once

#include <sqlite3.h>

#include "sqlkit/statement.h"

namespace sqlkit::detail {

class SqlcipherStatement final : public StatementEngine {
  public:
    explicit SqlcipherStatement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~SqlcipherStatement() override { sqlite3_finalize(stmt_); }
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

  private:
    sqlite3_stmt* stmt_;
};

}  // namespace sqlkit::detail
