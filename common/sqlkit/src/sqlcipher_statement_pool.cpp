#include "sqlcipher_statement_pool.h"

namespace sqlkit::detail {

sqlite3_stmt* StatementPool::take(std::string_view sql) {
    const auto it = idle_.find(std::string(sql));
    if (it == idle_.end() || it->second.empty()) return nullptr;
    sqlite3_stmt* stmt = it->second.back();
    it->second.pop_back();
    --count_;
    return stmt;
}

void StatementPool::giveBack(std::string sql, sqlite3_stmt* stmt) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (closed_ || count_ >= kMostIdle) {
        sqlite3_finalize(stmt);
        return;
    }
    idle_[std::move(sql)].push_back(stmt);
    ++count_;
}

void StatementPool::close() {
    for (auto& [sql, statements] : idle_)
        for (sqlite3_stmt* stmt : statements) sqlite3_finalize(stmt);
    idle_.clear();
    count_ = 0;
    closed_ = true;
}

}  // namespace sqlkit::detail
