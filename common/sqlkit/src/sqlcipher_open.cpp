// Opening and creating SQLCipher files.
#include <fcntl.h>
#include <unistd.h>

#include <system_error>

#include "layout/file_modes.h"

#include "cipher_key.h"
#include "sqlcipher_connection.h"
#include "sqlkit/sqlcipher.h"

namespace sqlkit {
namespace {

constexpr const char* kPageSize = "PRAGMA cipher_page_size = 4096";

std::string sqlQuoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

ConnectionPtr fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return nullptr;
}

// Runs each statement in turn; false with the engine's message in `error` at the first failure.
bool execAll(Connection& c, std::initializer_list<std::string_view> statements,
             std::string* error) {
    for (std::string_view sql : statements) {
        if (c.exec(sql)) continue;
        if (error) *error = c.lastError();
        return false;
    }
    return true;
}

std::unique_ptr<detail::SqlcipherConnection> openRaw(const std::filesystem::path& file, int flags,
                                                     std::string* error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.string().c_str(), &raw, flags, nullptr);
    detail::Db db(raw);
    if (rc != SQLITE_OK) {
        fail(error, raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        return nullptr;
    }
    return std::make_unique<detail::SqlcipherConnection>(std::move(db));
}

}  // namespace

bool cipherAvailable() {
    ConnectionPtr c = openRaw(":memory:", SQLITE_OPEN_READWRITE, nullptr);
    if (!c) return false;
    Statement version = c->prepare("PRAGMA cipher_version");
    return version.ok() && version.step() && !version.text(0).empty();
}

FileKey FileKey::raw(const Bytes& key) {
    static const char* digits = "0123456789ABCDEF";
    std::string text = "x'";
    for (unsigned char byte : key) {
        text += digits[byte >> 4];
        text += digits[byte & 0xF];
    }
    return FileKey(text + "'", true);
}

std::string FileKey::pragmaValue() const {
    return raw_ ? '"' + text_ + '"' : sqlQuoted(text_);
}

std::optional<std::string> FileKey::rawValueFor(const std::filesystem::path& file) const {
    if (!raw_) return detail::rawKeyFor(file, text_);
    if (!detail::identityOf(file)) return std::nullopt;
    return '"' + text_ + '"';
}

ConnectionPtr openEncrypted(const std::filesystem::path& file, const FileKey& fileKey,
                            std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return fail(error, "unable to open database file");
    // Taken before the open, so a file replaced meanwhile is noticed at the next call.
    const auto identity = detail::identityOf(file);
    const auto key = fileKey.rawValueFor(file);
    if (!identity || !key) return fail(error, "file is encrypted or is not a database");
    auto c = openRaw(file, SQLITE_OPEN_READWRITE, error);
    if (!c) return nullptr;
    const std::string keyPragma = "PRAGMA key = " + *key;
    // The key is verified once per open, by the first read of the schema.
    if (!execAll(*c, {keyPragma, kPageSize, "SELECT count(*) FROM sqlite_master"}, error))
        return nullptr;
    c->openedOn(file, *identity);
    return c;
}

ConnectionPtr createEncrypted(const std::filesystem::path& file, const FileKey& key,
                              std::string_view schemaSql, std::string* error) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) return fail(error, "the file already exists");
    // Built under a temporary name and renamed when complete, so no half-made file remains.
    const std::filesystem::path partial = file.string() + ".partial";
    std::filesystem::remove(partial, ec);
    {
        auto c = openRaw(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        if (!c) return nullptr;
        // Restricted before the first page is written; SQLite gives its journals the same mode.
        layout::restrict(partial);
        const std::string keyPragma = "PRAGMA key = " + key.pragmaValue();
        const std::string schema = "BEGIN;" + std::string(schemaSql) + ";COMMIT;";
        if (!execAll(*c, {keyPragma, kPageSize, "PRAGMA journal_mode = DELETE", schema}, error)) {
            c.reset();
            std::filesystem::remove(partial, ec);
            return nullptr;
        }
    }
    std::filesystem::rename(partial, file, ec);
    if (ec) {
        std::filesystem::remove(partial, ec);
        return fail(error, "could not rename the new database file");
    }
    return openEncrypted(file, key, error);
}

bool exportRekeyed(const std::filesystem::path& source, const FileKey& from,
                   const std::filesystem::path& target, const FileKey& to, std::string* error) {
    std::error_code ec;
    std::filesystem::remove(target, ec);
    // Made empty here (an empty file is an empty database): the connection may not create files.
    const int made = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (made < 0) return fail(error, "cannot create " + target.string()) != nullptr;
    ::close(made);
    layout::restrict(target);
    bool copied = false;
    {
        ConnectionPtr c = openEncrypted(source, from, error);
        if (!c) {
            std::filesystem::remove(target, ec);
            return false;
        }
        const std::string attach =
            "ATTACH DATABASE " + sqlQuoted(target.string()) + " AS rekeyed KEY " + to.pragmaValue();
        copied = execAll(*c,
                         {attach, "PRAGMA rekeyed.cipher_page_size = 4096",
                          "SELECT sqlcipher_export('rekeyed')", "DETACH DATABASE rekeyed"},
                         error);
    }
    // The copy must be whole on the disk before anything counts on it.
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    copied = copied && fd >= 0 && ::fsync(fd) == 0 && layout::restrict(target);
    if (fd >= 0) ::close(fd);
    if (!copied) {
        if (error && error->empty()) *error = "could not write the re-keyed copy";
        std::filesystem::remove(target, ec);
    }
    return copied;
}

ConnectionPtr openUnkeyed(const std::filesystem::path& file, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return fail(error, "unable to open database file");
    return openRaw(file, SQLITE_OPEN_READWRITE, error);
}

}  // namespace sqlkit
