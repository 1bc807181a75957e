// The SQLCipher engine: encrypted database files.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sqlkit/connection.h"

namespace sqlkit {

// True when the linked SQLite is SQLCipher with encryption available.
bool cipherAvailable();

const Dialect& sqlcipherDialect();

// What a file is keyed with: a password, from which SQLCipher derives the page key with the
// file's salt, or a 256-bit key used as it is.
class FileKey {
  public:
    using Bytes = std::array<unsigned char, 32>;
    // A password, as the built-in one of folders made before they had keys of their own.
    FileKey(const char* password) : FileKey(std::string(password), false) {}
    static FileKey password(std::string_view text) { return FileKey(std::string(text), false); }
    static FileKey raw(const Bytes& key);

    // The value of "PRAGMA key = ..." for a new file (a password is derived with its salt).
    std::string pragmaValue() const;
    // The raw-key value for the existing `file`: a password's key is derived once per process
    // for the file's salt. Nothing when the file is shorter than a salt or cannot be read.
    std::optional<std::string> rawValueFor(const std::filesystem::path& file) const;

  private:
    FileKey(std::string text, bool raw) : text_(std::move(text)), raw_(raw) {}

    std::string text_;  // the password, or "x'<64 hex digits>'"
    bool raw_;
};

// Opens an existing encrypted database read-write (never creates it). A password's key is
// derived once per process from the password and the file's salt, then passed in raw form, so
// an open costs a fraction of a millisecond. The first statement verifies the key: a wrong key
// or a file that is not a database gives nullptr and the engine's message in `error`. A
// statement waits up to 15 s for another program's lock. The connection may be kept across
// calls: readyForCall() tells when the file at its path was replaced or removed meanwhile.
ConnectionPtr openEncrypted(const std::filesystem::path& file, const FileKey& key,
                            std::string* error);

// Creates a new encrypted database keyed with `key` (fails if the file exists), readable by
// its owner only (layout/file_modes.h), and runs `schemaSql`, written for sqlcipherDialect(),
// in one transaction.
ConnectionPtr createEncrypted(const std::filesystem::path& file, const FileKey& key,
                              std::string_view schemaSql, std::string* error);

// Writes a copy of the encrypted `source` keyed with `to` as the new file `target` (removed
// first when there), flushed to disk, with the file mode of a data file. False with the
// engine's message in `error` when `from` does not open `source` or the copy failed; no
// `target` is left then.
bool exportRekeyed(const std::filesystem::path& source, const FileKey& from,
                   const std::filesystem::path& target, const FileKey& to, std::string* error);

// Opens an existing file with no key and no check, as a tool without the password would; a
// key may then be given in SQL ("PRAGMA key = '...'").
ConnectionPtr openUnkeyed(const std::filesystem::path& file, std::string* error);

}  // namespace sqlkit
