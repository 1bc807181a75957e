// Maintenance of the catalogue file outside the program: creating it and loading supplied
// drugs. Used by leafletadmin and the benchmarks.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sqlkit/connection.h"

namespace drugbase {

// Creates <dataFolder>/薬剤ファイル.mdb holding an empty catalogue; false with the reason.
bool createCatalogue(const std::filesystem::path& dataFolder, std::string* error);

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

// A supplied drug: column name -> UTF-8 value (numbers as decimal text). Columns not given are
// empty (numbers 0, LISTHYOUJI 1).
using SuppliedDrug = std::map<std::string, std::string>;

// Whether a column may be given for a supplied drug: every column with a DrugRecord field but
// ORIDGINAL; LISTNAME and OPTION1 to OPTION4 are derived.
bool isLoadableColumn(const std::string& name);

// The reason a supplied drug cannot be loaded ("" when it can): a column that may not be
// given, a missing YJ code or product name, a text CP932 cannot hold or longer than its field,
// a number that is not an integer.
std::string checkSuppliedDrug(const SuppliedDrug& drug);

// Inserts supplied drugs on an open connection, inside the caller's transaction: ORIDGINAL 0,
// LISTNAME = PRODUCTNAME, OPTION1 from CODE. The drugs are not checked here.
class SuppliedInsert {
  public:
    explicit SuppliedInsert(sqlkit::Connection& db);
    bool ok() const { return insert_.ok(); }
    const std::string& error() const { return insert_.error(); }

    // False when the engine failed.
    bool add(const SuppliedDrug& drug);

  private:
    sqlkit::Statement insert_;
};

struct LoadResult {
    bool ok = false;
    // The drug the reason is about; the number of drugs when it is about the file (the engine's
    // text then says why).
    std::size_t failedIndex = 0;
    std::string reason;
};

// Adds the drugs in one transaction as supplied data (ORIDGINAL 0, LISTNAME = PRODUCTNAME,
// OPTION1 from CODE): all of them or, on any refusal (a check above, a YJ code already in the
// catalogue or given twice) or failure, none.
LoadResult addSuppliedDrugs(const std::filesystem::path& dataFolder,
                            const std::vector<SuppliedDrug>& drugs);

}  // namespace drugbase
