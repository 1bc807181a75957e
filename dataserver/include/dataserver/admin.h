// The data server that several terminals share: checking that a database folder's server can
// be worked on, and setting one up (its tables, a role's rights, a folder's data copied over).
// For the program's start-up and leafletadmin. Texts are UTF-8; paths in the platform's
// encoding. A `target` is a libpq connection string, or a program folder whose
// データベース/接続先.conf holds one.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#if defined(_WIN32)
#if defined(DATASERVER_BUILDING)
#define DATASERVER_API __declspec(dllexport)
#else
#define DATASERVER_API __declspec(dllimport)
#endif
#else
#define DATASERVER_API __attribute__((visibility("default")))
#endif

namespace dataserver {

// The version of the server's tables this program works with. Version 1: the tables of servers
// set up before the version was kept; 2: the version, the write lock and the database's
// timeouts; 3: the audit trail.
inline constexpr int kSchemaVersion = 4;

struct ServerCheck {
    enum class State {
        Files,         // the folder names no server: the data is in its files
        Ready,         // reached, with every table
        BadFile,       // 接続先.conf holds no usable connection string
        Unreachable,   // the server did not answer or refused the connection
        NoTables,      // reached, but a table is missing or may not be read
        OtherVersion,  // reached, with tables of another version than kSchemaVersion
    };
    State state = State::Files;
    std::string place;      // where the connection string points: host, port and database
    std::string detail;     // the reason, in the engine's words
    int serverVersion = 0;  // the version of the server's tables, once read
    // The sslmode written for a server on another machine that does not verify its
    // certificate (require, prefer, allow, disable); empty otherwise. Warned about at start.
    std::string unverifiedMode;
};

// True when `conninfo` may name a server in 接続先.conf: libpq reads it and it holds no
// password (that belongs in the user's ~/.pgpass); else false with the reason in `problem`.
DATASERVER_API bool isUsableAddress(const std::string& conninfo, std::string* problem);

// Checks the server <dataFolder>/接続先.conf names, connecting once and disconnecting: reached,
// its tables of this program's version, and holding the tables of the catalogue, the register,
// the phrase lists and the pharmacy. Checked
// once at start, so a terminal that cannot work on the server says so instead of opening on empty
// lists. Never fails itself: every problem is a state.
DATASERVER_API ServerCheck checkServer(const std::filesystem::path& dataFolder);

// Where the server <dataFolder>/接続先.conf names is ("host H port P database D", or empty for
// libpq's defaults), without connecting; nothing when the folder names no server.
DATASERVER_API std::optional<std::string> serverNamedIn(const std::filesystem::path& dataFolder);

// Creates the tables of the catalogue, the register, the phrase lists and the pharmacy on the
// empty database `target` names, with the version, the write lock and the database's timeouts,
// in one transaction. True when created; false after a message on `err` (no connection string,
// no connection, tables already there): nothing created then.
DATASERVER_API bool createServerTables(const std::string& target, std::ostream& out,
                                       std::ostream& err);

// Moves the server's tables from their version to the next in one transaction, holding off
// every writer meanwhile. True when moved, or when they are at this program's version already
// (said on `out`); false after a message on `err`, nothing changed.
DATASERVER_API bool upgradeServerTables(const std::string& target, std::ostream& out,
                                        std::ostream& err);

// What a terminal role may do. Counter: read the catalogue and the code map, read and write the
// patients with their histories and used IDs, the phrase lists and the pharmacy, and take the
// write lock. Owner: everything the owner of the tables may (imports, catalogue changes,
// upgrades), by membership of that role.
enum class Role { Counter, Owner };

// Gives `role` (an existing role; lower-case letters, digits and "_", checked by the caller)
// the rights of `kind` on the server's tables. False after a message on `err`.
DATASERVER_API bool grantServerRows(const std::string& target, const std::string& role, Role kind,
                                    std::ostream& out, std::ostream& err);

// Copies the catalogue (with its code map), the register with every stored leaflet and the
// phrase lists from the files of `dataFolder` to the server `target` names, in one
// transaction, creating the tables on an empty database. Prints the rows copied per table on
// `out` after checking them against the files. False after a message on `err`, nothing
// copied: a server that holds data or only some of the tables, a file that cannot be read.
DATASERVER_API bool copyFolderToServer(const std::filesystem::path& dataFolder,
                                       const std::string& target, std::ostream& out,
                                       std::ostream& err);

// Writes a backup of the server to `file` with pg_dump's custom format from one snapshot, and
// beside it `file`.counts with the rows of every table in that snapshot (printed on `out`).
// `file` appears only when the dump is whole. False after a message on `err`.
DATASERVER_API bool backupServer(const std::string& target, const std::filesystem::path& file,
                                 std::ostream& out, std::ostream& err);

// Restores the backup `file` with pg_restore into the empty database `target` names, in one
// transaction, then compares every table's rows with `file`.counts. False after a message on
// `err`: a database that is not empty (left untouched), a failed restore, or counts that
// differ.
DATASERVER_API bool restoreServer(const std::string& target, const std::filesystem::path& file,
                                  std::ostream& out, std::ostream& err);

}  // namespace dataserver
