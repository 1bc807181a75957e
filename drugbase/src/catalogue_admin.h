// The inside of the catalogue's maintenance calls (drugbase/admin.h): opening the file and
// creating the tables on a connection, and the insert of supplied drugs. Used by the library,
// the data-server setup and the benchmarks.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "drugbase/admin.h"
#include "name_keys.h"
#include "sqlkit/connection.h"

namespace drugbase {

// Opens <dataFolder>/薬剤ファイル.mdb for a tool; nullptr with the reason.
sqlkit::ConnectionPtr openCatalogueFile(const std::filesystem::path& dataFolder,
                                        std::string* error);
// Opens the catalogue of a database folder for a tool: on the server its 接続先.conf names, or
// in its file; nullptr with the reason.
std::shared_ptr<sqlkit::Connection> openCatalogue(const std::filesystem::path& dataFolder,
                                                  std::string* error);

// Creates the catalogue's table and indexes on `db` in the SQL of its engine (on a server,
// inside the caller's transaction); false with the engine's text.
bool createCatalogueTables(sqlkit::Connection& db, std::string* error);

// Creates the table of the user photographs kept in the catalogue (User_Photo) on `db` when it
// is not there, as an upgrade of a catalogue made before it; false with the engine's text.
// createCatalogueTables makes it too.
bool createUserPhotoTable(sqlkit::Connection& db, std::string* error);

// Inserts supplied drugs on an open connection, inside the caller's transaction: ORIDGINAL 0,
// LISTNAME = PRODUCTNAME, OPTION1 from CODE, with the name keys of a file. The drugs are not
// checked here.
class SuppliedInsert {
  public:
    explicit SuppliedInsert(sqlkit::Connection& db);
    bool ok() const { return insert_.ok() && keys_ && keys_->ok(); }
    const std::string& error() const;

    // False when the engine failed.
    bool add(const SuppliedDrug& drug);

  private:
    sqlkit::Statement insert_;
    std::optional<NameKeyInsert> keys_;  // none when the file's table could not be made
    std::string keysError_;
};

}  // namespace drugbase
