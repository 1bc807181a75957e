#include "sqlkit/server_lock.h"

namespace sqlkit {

bool createServerLock(Connection& server, std::string* error) {
    // The CHECK keeps the row what it is: a role allowed to lock it (which takes the right to
    // update its column) can change nothing by updating it.
    if (server.exec("CREATE TABLE Server_Lock (LOCK_ROW INTEGER PRIMARY KEY CHECK (LOCK_ROW = 1)); "
                    "INSERT INTO Server_Lock VALUES (1)"))
        return true;
    if (error) *error = server.lastError();
    return false;
}

}  // namespace sqlkit
