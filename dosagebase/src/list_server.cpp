#include "list_server.h"

#include <array>
#include <cstring>
#include <optional>
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
constexpr std::string_view kSelectSql = "SELECT PHRASES FROM Phrase_List WHERE LISTNO = ?";

bool insertRow(dbcall::WriteCall& call, int index, const std::string& text) {
    std::optional<sqlkit::Statement> insert = call.prepare(kInsertSql);
    if (!insert) return false;
    insert->bindInt(1, index).bindText(2, text);
    return call.execute(*insert);
}

// The version of the row of list `index` as the write call sees it; nothing after a failure
// the call reported.
std::optional<ListVersion> rowVersion(dbcall::WriteCall& call, int index) {
    std::optional<sqlkit::Statement> row = call.prepare(kSelectSql);
    if (!row) return std::nullopt;
    row->bindInt(1, index);
    switch (call.lookUp(*row)) {
        case dbcall::Lookup::Found:
            return versionOf(row->text(0));
        case dbcall::Lookup::Missing:
            return kNoStoredList;
        case dbcall::Lookup::Failed:
            break;
    }
    return std::nullopt;
}

}  // namespace

dbcall::Session& serverSession() {
    // Only the server side of the session is used: the lists have no database file.
    static dbcall::Session s("", "", messages);
    return s;
}

namespace {

// Fills `table` with the stored text of a list, or with list `index`'s default content while
// it has no row (`stored` empty), and `version` (may be NULL) with its version.
void fillList(int index, const std::optional<std::string_view>& stored, char* table,
              ListVersion* version) {
    if (stored) {
        std::istringstream in{std::string(*stored)};
        readTable(in, table);
    } else {
        fillDefaults(index, table);
    }
    if (version) *version = stored ? versionOf(*stored) : kNoStoredList;
}

}  // namespace

bool loadServerList(int index, char* table, ListVersion* version) {
    std::memset(table, 0, DOSAGEBASE_TABLE_SIZE);
    dbcall::Recordset row(serverSession(), kSelectSql);
    if (!row) return false;
    row->bindInt(1, index);
    switch (row.lookUp()) {
        case dbcall::Lookup::Found:
            fillList(index, row->text(0), table, version);
            return true;
        case dbcall::Lookup::Missing:
            fillList(index, std::nullopt, table, version);
            return true;
        case dbcall::Lookup::Failed:
            break;
    }
    return false;
}

bool loadServerLists(char* tables, ListVersion* versions) {
    std::memset(tables, 0, std::size_t{DOSAGEBASE_LIST_COUNT} * DOSAGEBASE_TABLE_SIZE);
    dbcall::Recordset rows(serverSession(), "SELECT LISTNO, PHRASES FROM Phrase_List");
    if (!rows) return false;
    std::array<std::optional<std::string>, DOSAGEBASE_LIST_COUNT> stored;
    const bool walked = rows.walk([&](sqlkit::Statement& row) {
        const auto index = row.integer(0);
        if (index >= 0 && index < DOSAGEBASE_LIST_COUNT)
            stored[static_cast<std::size_t>(index)] = std::string(row.text(1));
        return true;
    });
    if (!walked) return false;
    for (int index = 0; index < DOSAGEBASE_LIST_COUNT; ++index) {
        const std::optional<std::string>& text = stored[static_cast<std::size_t>(index)];
        fillList(index, text ? std::optional<std::string_view>(*text) : std::nullopt,
                 tables + std::size_t(index) * DOSAGEBASE_TABLE_SIZE, &versions[index]);
    }
    return true;
}

Stored storeServerList(int index, const char* table, const ListVersion* expected,
                       ListVersion* stored) {
    // The write call holds the write lock from its start, so the row compared here is the row
    // replaced: no other terminal's save can come in between.
    dbcall::WriteCall call(serverSession());
    if (!call.ok()) return Stored::Failed;
    if (expected) {
        const std::optional<ListVersion> now = rowVersion(call, index);
        if (!now) return Stored::Failed;
        if (*now != *expected) return Stored::Changed;  // the call rolls back, storing nothing
    }
    std::optional<sqlkit::Statement> remove =
        call.prepare("DELETE FROM Phrase_List WHERE LISTNO = ?");
    if (!remove) return Stored::Failed;
    remove->bindInt(1, index);
    const std::string text = formatTable(table);
    const audit::Entry entry{audit::Action::PhrasesSave, 0, "list " + std::to_string(index)};
    if (!call.execute(*remove) || !insertRow(call, index, text) || !call.record(entry) ||
        !call.commit())
        return Stored::Failed;
    if (stored) *stored = versionOf(text);
    return Stored::Done;
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
