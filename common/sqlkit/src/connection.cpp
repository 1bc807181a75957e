#include "sqlkit/connection.h"

namespace sqlkit {

bool Connection::checkIntegrity(std::string* problem) {
    Statement check = prepare(dialect().integrityCheck);
    std::string found;
    if (check.step())
        found = check.text(0);
    else
        found = check.failed() ? check.error() : "no answer from the integrity check";
    if (found == "ok") return true;
    if (problem) *problem = found;
    return false;
}

Transaction::Transaction(Connection& connection, std::string_view begin) : connection_(connection) {
    began_ = connection_.exec(begin.empty() ? connection_.dialect().beginWrite : begin);
}

Transaction::~Transaction() {
    if (began_ && !done_) connection_.exec("ROLLBACK");
}

bool Transaction::commit() {
    if (!began_ || done_) return false;
    done_ = connection_.exec("COMMIT");
    return done_;
}

}  // namespace sqlkit
