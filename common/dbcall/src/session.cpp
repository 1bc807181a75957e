#include "dbcall/session.h"

#include "sqlkit/sqlcipher.h"

namespace dbcall {
Session::Attach Session::attach(const char* folder) {
    ready_ = false;
    file_ = std::filesystem::path(folder ? folder : "") / fileName_;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file_, ec)) return Attach::FileMissing;
    // Without encryption the data would be read and written in clear: refuse to work.
    if (!sqlkit::cipherAvailable()) return Attach::NoEncryption;
    ready_ = true;
    return Attach::Ready;
}

const sqlkit::Dialect& Session::dialect() const {
    return sqlkit::sqlcipherDialect();
}

sqlkit::ConnectionPtr Session::connect() const {
    sqlkit::ConnectionPtr c;
    std::string error = "the file is not open";
    if (ready_) c = sqlkit::openEncrypted(file_, password_, &error);
    if (!c) report(Failure::DatabaseOpen, error);
    return c;
}

void Session::report(MessageText failure, std::string_view engineText) const {
    lastEngineText_ = engineText;
    messages_.send(failure);
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
    report(Failure::Find, statement.error());
    return Lookup::Failed;
}

bool Call::startBulkWrite() {
    std::string problem;
    if (!connection_->checkIntegrity(&problem)) {
        report(Failure::DatabaseOpen, problem);
        return false;
    }
    connection_->setBusyWait(kWriteWait);
    return connection_->exec(connection_->dialect().bulkWrite);
}

Recordset::Recordset(const Session& session, std::string_view sql) : call_(session) {
    if (call_.opened()) statement_ = call_.prepare(sql);
}

WriteCall::WriteCall(const Session& session, MessageText onLockFailure) : Call(session) {
    if (!opened()) return;
    connection().setBusyWait(kWriteWait);
    transaction_.emplace(connection());
    if (!transaction_->began()) report(onLockFailure, connection().lastError());
}

bool WriteCall::execute(sqlkit::Statement& change) {
    change.step();
    if (!change.failed()) return true;
    report(Failure::Update, change.error());
    return false;
}

bool WriteCall::commit() {
    if (transaction_ && transaction_->commit()) return true;
    report(Failure::Update, opened() ? connection().lastError() : std::string());
    return false;
}

}  // namespace dbcall
