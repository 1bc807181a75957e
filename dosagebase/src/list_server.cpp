#include "list_server.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "default_lists.h"
#include "dosagebase.h"
#include "list_files.h"
#include "list_format.h"
#include "list_messages.h"

namespace dosagebase {
namespace {

constexpr std::string_view kInsertSql = "INSERT INTO Phrase_List (LISTNO, PHRASES) VALUES (?, ?)";

bool insertRow(dbcall::WriteCall& call, int index, const char* table) {
    std::optional<sqlkit::Statement> insert = call.prepare(kInsertSql);
    if (!insert) return false;
    insert->bindInt(1, index).bindText(2, formatTable(table));
    return call.execute(*insert);
}

}  // namespace

dbcall::Session& serverSession() {
    // Only the server side of the session is used: the lists have no database file.
    static dbcall::Session s("", "", messages);
    return s;
}

bool loadServerList(int index, char* table) {
    std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
    dbcall::Recordset row(serverSession(), "SELECT PHRASES FROM Phrase_List WHERE LISTNO = ?");
    if (!row) return false;
    row->bindInt(1, index);
    switch (row.lookUp()) {
        case dbcall::Lookup::Found: {
            std::istringstream in{std::string(row->text(0))};
            readTable(in, table);
            return true;
        }
        case dbcall::Lookup::Missing:
            fillDefaults(index, table);
            return true;
        case dbcall::Lookup::Failed:
            break;
    }
    return false;
}

bool storeServerList(int index, const char* table) {
    dbcall::WriteCall call(serverSession());
    if (!call.ok()) return false;
    std::optional<sqlkit::Statement> remove =
        call.prepare("DELETE FROM Phrase_List WHERE LISTNO = ?");
    if (!remove) return false;
    remove->bindInt(1, index);
    return call.execute(*remove) && insertRow(call, index, table) && call.commit();
}

bool createListTable(sqlkit::Connection& db, std::string* error) {
    const sqlkit::Dialect& d = db.dialect();
    const std::string sql = "CREATE TABLE Phrase_List (LISTNO " + std::string(d.integerType) +
                            " PRIMARY KEY, PHRASES " + std::string(d.textType) + ")";
    if (db.exec(sql)) return true;
    if (error) *error = db.lastError();
    return false;
}

int copyListsToServer(const std::filesystem::path& dataFolder, sqlkit::Connection& db,
                      std::string* error) {
    sqlkit::Statement insert = db.prepare(kInsertSql);
    if (!insert.ok()) {
        if (error) *error = insert.error();
        return -1;
    }
    int copied = 0;
    std::vector<char> table(DOSAGEBASE_TABLE_SIZE);
    for (int index = 0; index < DOSAGEBASE_LIST_COUNT; ++index) {
        std::error_code ec;
        const std::filesystem::path file = listFile(dataFolder, index);
        if (!std::filesystem::exists(file, ec)) continue;
        if (!loadList(dataFolder, index, table.data())) {
            if (error) *error = file.string() + ": cannot read the list file";
            return -1;
        }
        insert.reset();
        insert.bindInt(1, index).bindText(2, formatTable(table.data()));
        insert.step();
        if (insert.failed()) {
            if (error) *error = insert.error();
            return -1;
        }
        ++copied;
    }
    return copied;
}

}  // namespace dosagebase
