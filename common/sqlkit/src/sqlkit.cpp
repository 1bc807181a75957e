#include "sqlkit/sqlkit.h"

#include <system_error>

#include "cipher_key.h"

namespace sqlkit {
namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr const char* kPageSize = "PRAGMA cipher_page_size = 4096";

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

Db fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return nullptr;
}

Db openRaw(const std::filesystem::path& file, int flags, std::string* error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.string().c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) return fail(error, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    return db;
}

}  // namespace

bool exec(sqlite3* db, const char* sql, std::string* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    if (error) *error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

bool cipherAvailable() {
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(raw);
        return false;
    }
    Db db(raw);
    Statement version(raw, "PRAGMA cipher_version");
    return version.ok() && version.step() && !version.text(0).empty();
}

Db openEncrypted(const std::filesystem::path& file, std::string_view password, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return fail(error, "unable to open database file");
    const auto key = detail::rawKeyFor(file, password);
    if (!key) return fail(error, "file is encrypted or is not a database");
    Db db = openRaw(file, SQLITE_OPEN_READWRITE, error);
    if (!db) return nullptr;
    const std::string keyPragma = "PRAGMA key = " + *key;
    if (!exec(db.get(), keyPragma.c_str(), error) || !exec(db.get(), kPageSize, error) ||
        !exec(db.get(), "SELECT count(*) FROM sqlite_master", error))
        return nullptr;
    return db;
}

Db createEncrypted(const std::filesystem::path& file, std::string_view password,
                   std::string_view schemaSql, std::string* error) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) return fail(error, "the file already exists");
    // Built under a temporary name and renamed when complete, so no half-made file remains.
    const std::filesystem::path partial = file.string() + ".partial";
    std::filesystem::remove(partial, ec);
    {
        Db db = openRaw(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        if (!db) return nullptr;
        const std::string keyPragma = "PRAGMA key = " + quoted(password);
        const std::string schema = "BEGIN;" + std::string(schemaSql) + ";COMMIT;";
        if (!exec(db.get(), keyPragma.c_str(), error) || !exec(db.get(), kPageSize, error) ||
            !exec(db.get(), "PRAGMA journal_mode = DELETE", error) ||
            !exec(db.get(), schema.c_str(), error)) {
            db.reset();
            std::filesystem::remove(partial, ec);
            return nullptr;
        }
    }
    std::filesystem::rename(partial, file, ec);
    if (ec) {
        std::filesystem::remove(partial, ec);
        return fail(error, "could not rename the new database file");
    }
    return openEncrypted(file, password, error);
}

Statement::Statement(sqlite3* db, std::string_view sql) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK) {
        error_ = sqlite3_errmsg(db);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

Statement& Statement::bindText(int index, std::string_view utf8) {
    if (utf8.empty()) return bindNull(index);
    sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindMatch(int index, std::string_view utf8) {
    // A null data pointer would bind NULL instead of the empty text.
    const char* data = utf8.data() ? utf8.data() : "";
    sqlite3_bind_text(stmt_, index, data, static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    if (bytes.empty()) return bindNull(index);
    sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindInt(int index, long long value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
    return *this;
}

bool Statement::step() {
    if (!stmt_) {
        failed_ = true;
        return false;
    }
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) {
        failed_ = true;
        error_ = sqlite3_errmsg(sqlite3_db_handle(stmt_));
    }
    return false;
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    failed_ = false;
}

std::string_view Statement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return p ? std::string_view(p, sqlite3_column_bytes(stmt_, column)) : std::string_view();
}

std::string_view Statement::blob(int column) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return p ? std::string_view(p, sqlite3_column_bytes(stmt_, column)) : std::string_view();
}

Transaction::Transaction(sqlite3* db) : db_(db) {
    began_ = exec(db_, "BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (began_ && !done_) exec(db_, "ROLLBACK");
}

bool Transaction::commit() {
    if (!began_ || done_) return false;
    done_ = exec(db_, "COMMIT");
    return done_;
}

std::string likeLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace sqlkit
