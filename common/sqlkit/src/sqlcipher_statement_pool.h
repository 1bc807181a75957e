// The prepared statements a file connection keeps between calls, by their SQL text: a call
// that runs the same statement as an earlier one skips SQLite's parse and plan, most of what a
// short lookup costs. An idle statement is reset, so it holds no lock and no read transaction.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sqlkit::detail {

class StatementPool {
  public:
    StatementPool() = default;
    ~StatementPool() { close(); }
    StatementPool(const StatementPool&) = delete;
    StatementPool& operator=(const StatementPool&) = delete;

    // An idle statement of this text, or nullptr.
    sqlite3_stmt* take(std::string_view sql);
    // Keeps `stmt` (reset, its bindings cleared) for the next user of its text; finalizes it
    // when the pool is closed or full.
    void giveBack(std::string sql, sqlite3_stmt* stmt);
    // Finalizes every idle statement; later ones given back are finalized at once. Called before
    // the connection closes.
    void close();

  private:
    // Enough for every distinct statement a program's calls run, with room for texts that carry
    // a number (slot columns, batch sizes).
    static constexpr std::size_t kMostIdle = 256;

    std::unordered_map<std::string, std::vector<sqlite3_stmt*>> idle_;
    std::size_t count_ = 0;
    bool closed_ = false;
};

}  // namespace sqlkit::detail
