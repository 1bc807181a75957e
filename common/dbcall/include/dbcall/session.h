// The data-call layer the libraries share. A library keeps one connection to its file, or to the
// data server, for the process, and makes it ready again at the start of each call: a file
// replaced meanwhile is opened anew, and nothing a call did is left holding a lock after it. A
// session says where the data is; a Recordset is a reading call with one prepared statement; a
// WriteCall is a writing call inside one transaction. Failures are reported through the library's
// message channel with the texts its callers know.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audit/trail.h"
#include "dbcall/message_channel.h"
#include "layout/data_folder.h"
#include "sqlkit/connection.h"

namespace dbcall {

// The failures of the data calls, with the texts the libraries' callers know.
namespace Failure {
inline constexpr MessageText DatabaseOpen{"Error:DATABASE.Open"};  // not opened or not keyed
inline constexpr MessageText RecordsetOpen{"Error:Could not RECORDSET.Open"};  // not prepared
inline constexpr MessageText TableOpen{"Error:RECORDSET.Open"};
inline constexpr MessageText Find{"Error:RECORDSET.Find"};      // a read that failed
inline constexpr MessageText Update{"Error:RECORDSET.Update"};  // a write that failed
// Any call that met another program's write lock past the wait.
inline constexpr MessageText OtherTerminalWriting{
    "ほかの端末がデータを書き込んでいるため、処理できませんでした。\n"
    "しばらく待ってから、もう一度お試しください。"};
// Any call, whichever step met it, when the data server cannot be reached; "%1" is where the
// connection string points.
inline constexpr MessageText ServerUnreachable{
    "データベースサーバーに接続できません。\n接続先：%1\n"
    "サーバーが動いているか、ネットワークを確かめてください。"};
// Any call on a folder whose key is not in this OS user's key store, or whose key does not
// open its file; "%1" is the folder's id.
inline constexpr MessageText KeyMissing{
    "このデータフォルダーの暗号鍵がありません。\nフォルダーID：%1\n"
    "管理者が leafletadmin key import で回復用シートの鍵を取り込んでください。"};
inline constexpr MessageText KeyWrong{
    "このデータフォルダーの暗号鍵でデータファイルを開けません。\nフォルダーID：%1\n"
    "回復用シートの鍵を leafletadmin key import で取り込み直してください。"};
}  // namespace Failure

enum class Lookup { Found, Missing, Failed };

// How long a writing call waits for another program's lock. A store takes milliseconds, so
// writers queue behind each other well within it; a lock held longer belongs to a stalled
// terminal, and the person at the counter is told so after a few seconds rather than left
// looking at a program that seems to hang.
inline constexpr std::chrono::seconds kWriteWait{10};

// A library's own numbers for a call that completed and for a database failure.
struct ResultCodes {
    int ok;
    int failure;

    // The result of a call whose walk or write completed, or did not.
    constexpr int operator()(bool completed) const { return completed ? ok : failure; }
    // The result of a call that looked one row up: `ifFound`, `ifMissing`, or the failure.
    constexpr int operator()(Lookup found, int ifFound, int ifMissing) const {
        if (found == Lookup::Found) return ifFound;
        return found == Lookup::Missing ? ifMissing : failure;
    }
};

inline constexpr const char* kServerFileName = layout::kServerFile;

// The connection string of <dataFolder>/接続先.conf: its first line that is neither empty nor
// a "#" comment; "" without one.
std::string serverAddressIn(const std::filesystem::path& dataFolder);

// The connection of a call: its own file, or the library's server connection it shares.
using CallConnection = std::shared_ptr<sqlkit::Connection>;

// A connection for a tool working on a database folder outside the library calls: the server
// the folder's 接続先.conf names, or else its file `fileName`, opened with the folder's key
// (`password` for a folder that has no key of its own). nullptr with the reason.
CallConnection openDataFolder(const std::filesystem::path& dataFolder, const char* fileName,
                              const char* password, std::string* error);

// The audit rows of a folder's file `fileName`, or of the server its 接続先.conf names, in the
// order written. False with the reason.
bool readFolderAudit(const std::filesystem::path& dataFolder, const char* fileName,
                     const char* password, std::vector<audit::Row>& rows, std::string* error);

class Session {
  public:
    enum class Attach { Ready, FileMissing, NoEncryption, BadServerFile };

    Session(const char* fileName, const char* password, const MessageChannel& messages)
        : fileName_(fileName), password_(password), messages_(messages) {}

    // Points the session at the server <folder>/接続先.conf names, or else at <folder>/<fileName>;
    // ready only when the file is there and the engine can encrypt, or the server file holds a
    // connection string without a password (the server itself is reached at the first call).
    // Reports nothing: what each library says about a missing file is its own.
    // A session pointed at another file or folder lets its kept connection go.
    Attach attach(const char* folder);
    // Closes the file; a server connection is kept for the next attach to the same server.
    void detach();
    bool ready() const { return ready_; }
    bool onServer() const { return !serverAddress_.empty(); }

    // The dialect of the connections this session opens, for SQL built before the open.
    const sqlkit::Dialect& dialect() const;
    // The kept connection ready for a call, or nullptr after "Error:DATABASE.Open" (or the
    // message of a missing key, or of a key that does not open the file). A file is opened with
    // its folder's key, or with the session's password when the folder has none. A call made
    // while another is still open shares its connection as it is.
    CallConnection connect() const;

    // Reports a failure; `engineText`, the engine's own words for it, is kept for tools that
    // show it (the library's callers see only the failure's text). A lock held past the wait
    // and a server out of reach are reported as such whatever the step's own failure.
    void report(MessageText failure, std::string_view engineText = {},
                sqlkit::Fault fault = sqlkit::Fault::Other) const;
    // The engine's text of the last failure reported.
    const std::string& lastEngineText() const { return lastEngineText_; }

    // How long this session's writing calls wait for another program's lock (kWriteWait).
    void setWriteWait(std::chrono::milliseconds wait) { writeWait_ = wait; }
    std::chrono::milliseconds writeWait() const { return writeWait_; }

  private:
    Attach attachServer(const std::filesystem::path& dataFolder);
    CallConnection openFile(std::string* error) const;

    const char* fileName_;
    const char* password_;
    const MessageChannel& messages_;
    std::filesystem::path file_;
    bool ready_ = false;
    std::string serverAddress_;
    std::string notReady_;         // why the session is not ready, as the engine's text of a call
    mutable CallConnection kept_;  // to file_ or to serverAddress_
    mutable std::string lastEngineText_;
    std::chrono::milliseconds writeWait_ = kWriteWait;
};

// A call on the session's connection. Every failure it meets is reported once.
class Call {
  public:
    explicit Call(const Session& session) : session_(session), connection_(session.connect()) {}

    bool opened() const { return connection_ != nullptr; }
    sqlkit::Connection& connection() { return *connection_; }
    const sqlkit::Dialect& dialect() const { return connection_->dialect(); }

    // Prepares `sql`; on failure reports `onFailure` and gives nothing.
    std::optional<sqlkit::Statement> prepare(std::string_view sql,
                                             MessageText onFailure = Failure::RecordsetOpen);
    // Steps to the first row; a failed step reports "Error:RECORDSET.Find".
    Lookup lookUp(sqlkit::Statement& statement) const;
    // Calls `onRow` for every row; `onRow` may return false to stop. False only when the walk
    // ended in an engine error, after "Error:RECORDSET.Find".
    template <class OnRow>
    bool walk(sqlkit::Statement& statement, OnRow&& onRow) const {
        while (statement.step())
            if (!onRow(statement)) return true;
        if (!statement.failed()) return true;
        report(statement.outdated() ? Failure::RecordsetOpen : Failure::Find, statement.error());
        return false;
    }
    // Reports a failure of this call's connection, of the kind its last failure was.
    void report(MessageText failure, std::string_view engineText = {}) const;

    // Readies the file for a long write (a load, an import, a pass over the catalogue): checks
    // it first, so a damaged file is refused ("Error:DATABASE.Open") before anything is
    // written to it, and keeps the changes in memory until the commit, so a program reading
    // the file meanwhile waits at most for the commit.
    bool startBulkWrite();

  private:
    const Session& session_;
    CallConnection connection_;
};

// The reading idiom: the open file with one prepared statement. Empty after
// "Error:DATABASE.Open" or "Error:Could not RECORDSET.Open".
class Recordset {
  public:
    Recordset(const Session& session, std::string_view sql);

    explicit operator bool() const { return statement_.has_value(); }
    sqlkit::Statement& operator*() { return *statement_; }
    sqlkit::Statement* operator->() { return &*statement_; }

    Lookup lookUp() { return call_.lookUp(*statement_); }
    template <class OnRow>
    bool walk(OnRow&& onRow) {
        return call_.walk(*statement_, std::forward<OnRow>(onRow));
    }

  private:
    Call call_;
    std::optional<sqlkit::Statement> statement_;
};

// The writing idiom: the open file inside one transaction that holds the write lock from the
// start, so what the call reads to decide stays true until it commits, also against another
// program on the same file. Nothing is stored unless commit() succeeds.
class WriteCall : public Call {
  public:
    // Reports "Error:DATABASE.Open", or `onLockFailure` when the transaction cannot begin (the
    // message of another terminal writing when its lock was not had in time).
    explicit WriteCall(const Session& session, MessageText onLockFailure = Failure::Update);
    bool ok() const { return transaction_.has_value() && transaction_->began(); }

    // Runs a prepared change; a failure reports "Error:RECORDSET.Update".
    bool execute(sqlkit::Statement& change);
    // Appends the audit row of this call's change inside its transaction, so the change
    // commits only with it; a failure reports "Error:RECORDSET.Update".
    bool record(const audit::Entry& entry);
    // Commits; a failure reports "Error:RECORDSET.Update".
    bool commit();

  private:
    std::optional<sqlkit::Transaction> transaction_;
};

}  // namespace dbcall
