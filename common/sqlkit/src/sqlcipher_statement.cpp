#include "sqlcipher_statement.h"

namespace sqlkit::detail {

SqlcipherStatement::~SqlcipherStatement() {
    if (outdated_ || !pool_) {
        sqlite3_finalize(stmt_);
        return;
    }
    pool_->giveBack(std::move(sql_), stmt_);
}

void SqlcipherStatement::bindText(int index, std::string_view utf8) {
    // A null data pointer would bind NULL instead of the empty text.
    const char* data = utf8.data() ? utf8.data() : "";
    sqlite3_bind_text(stmt_, index, data, static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void SqlcipherStatement::bindBlob(int index, std::string_view bytes) {
    const char* data = bytes.data() ? bytes.data() : "";
    sqlite3_bind_blob(stmt_, index, data, static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void SqlcipherStatement::bindInt(int index, long long value) {
    sqlite3_bind_int64(stmt_, index, value);
}

void SqlcipherStatement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
}

StepResult SqlcipherStatement::step() {
    switch (sqlite3_step(stmt_)) {
        case SQLITE_ROW:
            return StepResult::Row;
        case SQLITE_DONE:
            return StepResult::Done;
        case SQLITE_ERROR:
            outdated_ = reused_;
            return StepResult::Error;
        default:
            return StepResult::Error;
    }
}

void SqlcipherStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string_view SqlcipherStatement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string_view(p, sqlite3_column_bytes(stmt_, column)) : std::string_view();
}

std::string_view SqlcipherStatement::blob(int column) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return p ? std::string_view(p, sqlite3_column_bytes(stmt_, column)) : std::string_view();
}

}  // namespace sqlkit::detail
