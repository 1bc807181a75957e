#include "sqlkit/connection.h"

namespace sqlkit {

Transaction::Transaction(Connection& connection) : connection_(connection) {
    began_ = connection_.exec(connection_.dialect().beginWrite);
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
