// The lists on a data server that several terminals share: table Phrase_List, one row per list
// that was ever kept, holding the list in the text form of its file (see list_format.h), so a
// list reads back exactly as from its file and a list without a row has its default content.
#pragma once

#include <filesystem>
#include <string>

#include "dbcall/session.h"
#include "list_version.h"
#include "sqlkit/connection.h"

namespace dosagebase {

inline constexpr const char* kListTable = "Phrase_List";

// The session of the server the database folder's 接続先.conf names.
dbcall::Session& serverSession();

// Fills `table` with list `index` from the server, or with its default content while the
// server has no row for it; `version` (output, may be NULL) gets the row's version. False
// (table zero, failure reported) when the server cannot answer.
bool loadServerList(int index, char* table, ListVersion* version = nullptr);

// Fills `tables` (DOSAGEBASE_LIST_COUNT tables, list after list) and `versions` with every
// list, as loadServerList does for each, in one statement. False (every table zero, failure
// reported once) when the server cannot answer.
bool loadServerLists(char* tables, ListVersion* versions);

// Replaces the server's row of list `index` in one transaction; with `expected`, only while the
// row is still at that version (else Changed, nothing stored, no message). `stored` (output,
// may be NULL) gets the new version. Failed (row unchanged, failure reported) when the server
// cannot store it.
Stored storeServerList(int index, const char* table, const ListVersion* expected = nullptr,
                       ListVersion* stored = nullptr);

// Creates the list table on `db` (on a server, inside the caller's transaction); false with
// the engine's text.
bool createListTable(sqlkit::Connection& db, std::string* error);

// Copies every list that has a file in `dataFolder` into the empty list table of `db`, inside
// the caller's transaction. The number of lists copied, or -1 with the reason in `error`.
int copyListsToServer(const std::filesystem::path& dataFolder, sqlkit::Connection& db,
                      std::string* error);

}  // namespace dosagebase
