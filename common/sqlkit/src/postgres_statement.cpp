#include "postgres_statement.h"

#include <charconv>

#include "postgres_connection.h"
#include "postgres_sql.h"

namespace sqlkit::detail {
namespace {

constexpr Oid kBoolType = 16;
constexpr Oid kByteaType = 17;

// A failure that preparing the statement now would have had: a table, column, function or
// type gone, the statement itself gone, or a result shape changed under a kept plan.
bool outdatedBy(const PGresult* result) {
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const std::string_view code = state ? state : "";
    return code == "42P01" || code == "42703" || code == "42883" || code == "42704" ||
           code == "26000" || code == "0A000";
}

}  // namespace

PostgresStatement::PostgresStatement(PostgresConnection& owner, PGconn* pg, PreparedName prepared)
    : owner_(owner), pg_(pg), prepared_(std::move(prepared)), parameters_(prepared_.parameters) {}

PostgresStatement::~PostgresStatement() {
    clearResult();
    owner_.giveBack(std::move(prepared_));
}

int PostgresStatement::columnCount() const {
    if (result_) return PQnfields(result_);
    // Asked before the first step: the server describes the statement (one round trip, which
    // the calls never pay, as they read columns after a step).
    PGresult* described = PQdescribePrepared(pg_, prepared_.name.c_str());
    const int columns = PQnfields(described);
    PQclear(described);
    return columns;
}

void PostgresStatement::bind(int index, std::optional<std::string> value, bool binary) {
    // Like the file engine, a parameter the statement does not have is ignored.
    if (index < 1 || index > static_cast<int>(parameters_.size())) return;
    parameters_[index - 1] = {std::move(value), binary};
}

void PostgresStatement::bindText(int index, std::string_view utf8) {
    bind(index, std::string(utf8), false);
}

void PostgresStatement::bindBlob(int index, std::string_view bytes) {
    bind(index, std::string(bytes), true);
}

void PostgresStatement::bindInt(int index, long long value) {
    bind(index, std::to_string(value), false);
}

void PostgresStatement::bindNull(int index) {
    bind(index, std::nullopt, false);
}

StepResult PostgresStatement::step() {
    if (!result_) {
        std::vector<const char*> values;
        std::vector<int> lengths, formats;
        for (const Parameter& p : parameters_) {
            values.push_back(p.value ? p.value->c_str() : nullptr);
            lengths.push_back(p.value ? static_cast<int>(p.value->size()) : 0);
            formats.push_back(p.binary ? 1 : 0);
        }
        result_ = PQexecPrepared(pg_, prepared_.name.c_str(), static_cast<int>(values.size()),
                                 values.data(), lengths.data(), formats.data(), 0);
        const ExecStatusType status = PQresultStatus(result_);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            error_ = engineText(result_, pg_);
            outdated_ = prepared_.reused && outdatedBy(result_);
            // The server's schema changed under the kept statements: they are prepared afresh.
            if (outdated_) owner_.forgetPrepared();
            owner_.noteFailure(result_);
            clearResult();
            return StepResult::Error;
        }
        row_ = -1;
    }
    blobs_.assign(PQnfields(result_), std::nullopt);
    if (++row_ < PQntuples(result_)) return StepResult::Row;
    row_ = PQntuples(result_);
    return StepResult::Done;
}

void PostgresStatement::reset() {
    clearResult();
    for (Parameter& p : parameters_) p = {};
}

void PostgresStatement::clearResult() {
    PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    blobs_.clear();
}

bool PostgresStatement::isNull(int column) const {
    if (!result_ || row_ < 0 || row_ >= PQntuples(result_) || column < 0 ||
        column >= PQnfields(result_))
        return true;
    return PQgetisnull(result_, row_, column);
}

std::string_view PostgresStatement::text(int column) const {
    if (isNull(column)) return {};
    return {PQgetvalue(result_, row_, column),
            static_cast<std::size_t>(PQgetlength(result_, row_, column))};
}

std::string_view PostgresStatement::blob(int column) const {
    if (isNull(column)) return {};
    if (PQftype(result_, column) != kByteaType) return text(column);
    std::optional<std::string>& bytes = blobs_[column];
    if (!bytes) {
        // The text form of a bytea is "\x" and two hex digits a byte.
        std::size_t length = 0;
        unsigned char* decoded = PQunescapeBytea(
            reinterpret_cast<const unsigned char*>(PQgetvalue(result_, row_, column)), &length);
        bytes.emplace();
        if (decoded) bytes->assign(reinterpret_cast<const char*>(decoded), length);
        PQfreemem(decoded);
    }
    return *bytes;
}

long long PostgresStatement::integer(int column) const {
    const std::string_view value = text(column);
    if (PQftype(result_, column) == kBoolType) return value == "t";
    long long n = 0;
    std::from_chars(value.data(), value.data() + value.size(), n);
    return n;
}

}  // namespace sqlkit::detail
