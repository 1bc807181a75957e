// The PostgreSQL side of a prepared statement: a statement prepared on the server, executed at
// its first step with the values bound (one round trip), its rows read from the result as text.
#pragma once

#include <libpq-fe.h>

#include <optional>
#include <string>
#include <vector>

#include "postgres_connection.h"
#include "sqlkit/statement.h"

namespace sqlkit::detail {

class PostgresStatement final : public StatementEngine {
  public:
    PostgresStatement(PostgresConnection& owner, PGconn* pg, PreparedName prepared);
    ~PostgresStatement() override;
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;

    void bindText(int index, std::string_view utf8) override;
    void bindBlob(int index, std::string_view bytes) override;
    void bindInt(int index, long long value) override;
    void bindNull(int index) override;
    StepResult step() override;
    void reset() override;
    int columnCount() const override;
    std::string_view text(int column) const override;
    std::string_view blob(int column) const override;
    long long integer(int column) const override;
    bool isNull(int column) const override;
    std::string errorText() const override { return error_; }
    bool outdated() const override { return outdated_; }

  private:
    struct Parameter {
        std::optional<std::string> value;  // none for NULL
        bool binary = false;
    };
    void bind(int index, std::optional<std::string> value, bool binary);
    void clearResult();

    PostgresConnection& owner_;
    PGconn* pg_;
    PreparedName prepared_;
    std::vector<Parameter> parameters_;
    PGresult* result_ = nullptr;
    int row_ = -1;
    std::string error_;
    bool outdated_ = false;
    // Bytes of the blobs read from the current row, decoded from the server's hex form.
    mutable std::vector<std::optional<std::string>> blobs_;
};

}  // namespace sqlkit::detail
