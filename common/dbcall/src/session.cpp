#include "dbcall/session.h"

#include <fstream>

#include "folderkey/file_key.h"
#include "folderkey/key_messages.h"
#include "sqlkit/postgres.h"
#include "sqlkit/sqlcipher.h"

namespace dbcall {

std::string serverAddressIn(const std::filesystem::path& dataFolder) {
    std::ifstream in(dataFolder / kServerFileName);
    std::string line;
    while (std::getline(in, line)) {
        const auto begin = line.find_first_not_of(" \t\r");
        if (begin == std::string::npos || line[begin] == '#') continue;
        return line.substr(begin, line.find_last_not_of(" \t\r") + 1 - begin);
    }
    return {};
}

CallConnection openDataFolder(const std::filesystem::path& dataFolder, const char* fileName,
                              const char* password, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(dataFolder / kServerFileName, ec)) {
        const std::string address = serverAddressIn(dataFolder);
        if (!address.empty()) return sqlkit::openServer(address, error);
        if (error) *error = std::string(kServerFileName) + ": no connection string";
        return nullptr;
    }
    const folderkey::FolderKey key = folderkey::keyOf(dataFolder);
    if (key.state == folderkey::FolderKey::State::Missing) {
        if (error) *error = "the key of folder " + key.folderId + " is not in the key store";
        return nullptr;
    }
    const bool own = key.state == folderkey::FolderKey::State::Ready;
    return sqlkit::openEncrypted(
        dataFolder / fileName, own ? folderkey::fileKeyOf(key) : sqlkit::FileKey(password), error);
}

bool readFolderAudit(const std::filesystem::path& dataFolder, const char* fileName,
                     const char* password, std::vector<audit::Row>& rows, std::string* error) {
    const CallConnection db = openDataFolder(dataFolder, fileName, password, error);
    return db && audit::readRows(*db, rows, error);
}

Session::Attach Session::attach(const char* folder) {
    ready_ = false;
    notReady_ = "the file is not open";
    const std::filesystem::path dataFolder(folder ? folder : "");
    const std::filesystem::path file = dataFolder / fileName_;
    std::error_code ec;
    const std::filesystem::path serverFile = dataFolder / kServerFileName;
    if (std::filesystem::is_regular_file(serverFile, ec)) return attachServer(dataFolder);
    if (onServer() || file != file_) kept_.reset();
    serverAddress_.clear();
    file_ = file;
    if (!std::filesystem::is_regular_file(file_, ec)) return Attach::FileMissing;
    // Without encryption the data would be read and written in clear: refuse to work.
    if (!sqlkit::cipherAvailable()) return Attach::NoEncryption;
    ready_ = true;
    return Attach::Ready;
}

Session::Attach Session::attachServer(const std::filesystem::path& dataFolder) {
    const std::string address = serverAddressIn(dataFolder);
    std::string problem = "no connection string";
    if (address.empty() || !sqlkit::checkServerAddress(address, &problem)) {
        notReady_ = std::string(kServerFileName) + ": " + problem;
        return Attach::BadServerFile;
    }
    // The connection is kept while the folder names the same server.
    if (address != serverAddress_) kept_.reset();
    serverAddress_ = address;
    ready_ = true;
    return Attach::Ready;
}

const sqlkit::Dialect& Session::dialect() const {
    return onServer() ? sqlkit::postgresDialect() : sqlkit::sqlcipherDialect();
}

void Session::detach() {
    ready_ = false;
    if (!onServer()) kept_.reset();
}

CallConnection Session::connect() const {
    std::string error = notReady_;
    CallConnection c;
    if (!ready_) {
    } else if (kept_.use_count() > 1) {
        // A call inside another: readying the connection would end the outer call's transaction.
        c = kept_;
    } else if (kept_ && kept_->readyForCall(&error)) {
        c = kept_;
    } else if (!kept_ || !onServer()) {
        // A file replaced or removed since the last call is opened anew (a missing one fails as
        // it always did); a lost server is tried again by readyForCall at the next call.
        kept_ = onServer() ? sqlkit::openServer(serverAddress_, &error) : openFile(&error);
        c = kept_;
        if (!c && !onServer() && error.empty()) return nullptr;  // reported by openFile
    }
    if (!c)
        report(Failure::DatabaseOpen, error,
               onServer() && ready_ ? sqlkit::Fault::Lost : sqlkit::Fault::Other);
    return c;
}

CallConnection Session::openFile(std::string* error) const {
    const folderkey::FolderKey key = folderkey::keyOf(file_.parent_path());
    using State = folderkey::FolderKey::State;
    if (key.state == State::BuiltIn)
        return sqlkit::openEncrypted(file_, sqlkit::FileKey(password_), error);
    CallConnection c;
    if (key.state == State::Ready)
        c = sqlkit::openEncrypted(file_, folderkey::fileKeyOf(key), error);
    // A file that is there but does not open with the folder's key is not the folder's.
    std::error_code ec;
    if (c || !std::filesystem::is_regular_file(file_, ec)) return c;
    const std::string text = folderkey::filledIn(
        (key.state == State::Ready ? Failure::KeyWrong : Failure::KeyMissing).utf8, key.folderId);
    lastEngineText_ = key.state == State::Ready ? *error : "no key for folder " + key.folderId;
    messages_.send(text);
    error->clear();
    return nullptr;
}

void Session::report(MessageText failure, std::string_view engineText, sqlkit::Fault fault) const {
    lastEngineText_ = engineText;
    switch (fault) {
        case sqlkit::Fault::Busy:
            messages_.send(Failure::OtherTerminalWriting);
            return;
        case sqlkit::Fault::Lost: {
            std::string text = Failure::ServerUnreachable.utf8;
            const std::string place = sqlkit::serverPlace(serverAddress_);
            text.replace(text.find("%1"), 2, place.empty() ? "（既定の接続先）" : place);
            messages_.send(text);
            return;
        }
        case sqlkit::Fault::Other:
            break;
    }
    messages_.send(failure);
}

void Call::report(MessageText failure, std::string_view engineText) const {
    session_.report(failure, engineText,
                    connection_ ? connection_->lastFault() : sqlkit::Fault::Other);
}

std::optional<sqlkit::Statement> Call::prepare(std::string_view sql, MessageText onFailure) {
    sqlkit::Statement statement = connection_->prepare(sql);
    if (statement.ok()) return statement;
    report(onFailure, statement.error());
    return std::nullopt;
}

Lookup Call::lookUp(sqlkit::Statement& statement) const {
    if (statement.step()) return Lookup::Found;
    if (!statement.failed()) return Lookup::Missing;
    report(statement.outdated() ? Failure::RecordsetOpen : Failure::Find, statement.error());
    return Lookup::Failed;
}

bool Call::startBulkWrite() {
    std::string problem;
    if (!connection_->checkIntegrity(&problem)) {
        report(Failure::DatabaseOpen, problem);
        return false;
    }
    connection_->setBusyWait(session_.writeWait());
    return connection_->exec(connection_->dialect().bulkWrite);
}

Recordset::Recordset(const Session& session, std::string_view sql) : call_(session) {
    if (call_.opened()) statement_ = call_.prepare(sql);
}

WriteCall::WriteCall(const Session& session, MessageText onLockFailure) : Call(session) {
    if (!opened()) return;
    connection().setBusyWait(session.writeWait());
    transaction_.emplace(connection());
    if (!transaction_->began()) report(onLockFailure, connection().lastError());
}

bool WriteCall::execute(sqlkit::Statement& change) {
    change.step();
    if (!change.failed()) return true;
    report(change.outdated() ? Failure::RecordsetOpen : Failure::Update, change.error());
    return false;
}

bool WriteCall::record(const audit::Entry& entry) {
    std::string error;
    if (audit::append(connection(), entry, &error)) return true;
    report(Failure::Update, error);
    return false;
}

bool WriteCall::commit() {
    if (transaction_ && transaction_->commit()) return true;
    report(Failure::Update, opened() ? connection().lastError() : std::string());
    return false;
}

}  // namespace dbcall
