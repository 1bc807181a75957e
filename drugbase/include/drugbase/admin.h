// Maintenance of the catalogue outside the program: creating its file, loading supplied drugs
// and marking supplied photographs. For leafletadmin, samplephotos and the benchmarks; the
// program itself uses drugbase.h only. Texts are UTF-8; paths in the platform's encoding.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "audit/chain.h"
#include "drugbase.h"

namespace drugbase {

// Creates <dataFolder>/薬剤ファイル.mdb holding an empty catalogue. False, with the reason in
// *error (output), when the file exists, the linked SQLite cannot encrypt, or the file cannot
// be written.
DRUGBASE_API bool createCatalogue(const std::filesystem::path& dataFolder, std::string* error);

// Fills `rows` with the audit trail of the catalogue file of `dataFolder` in the order written;
// none when the folder names a data server, whose one trail the register's call reads. False
// with the reason.
DRUGBASE_API bool readAuditTrail(const std::filesystem::path& dataFolder,
                                 std::vector<audit::Row>& rows, std::string* error);

// A supplied drug: column name -> UTF-8 value (numbers as decimal text). Columns not given are
// empty (numbers 0, LISTHYOUJI 1).
using SuppliedDrug = std::map<std::string, std::string>;

// Whether a column may be given for a supplied drug: every column with a DrugRecord field but
// ORIDGINAL; LISTNAME and OPTION1 to OPTION4 are derived.
DRUGBASE_API bool isLoadableColumn(const std::string& name);

// The reason a supplied drug cannot be loaded ("" when it can): a column that may not be
// given, a missing YJ code or product name, a text CP932 cannot hold or longer than its field,
// a number that is not an integer.
DRUGBASE_API std::string checkSuppliedDrug(const SuppliedDrug& drug);

struct LoadResult {
    bool ok = false;
    // The drug the reason is about; the number of drugs when it is about the file (the engine's
    // text then says why).
    std::size_t failedIndex = 0;
    std::string reason;
};

// Adds the drugs to the catalogue of `dataFolder` (its file, or the server its 接続先.conf
// names) in one transaction as supplied data (ORIDGINAL 0, LISTNAME = PRODUCTNAME, OPTION1
// from CODE): all of them or, on any refusal (a check above, a YJ code already in the
// catalogue or given twice) or failure, none.
DRUGBASE_API LoadResult addSuppliedDrugs(const std::filesystem::path& dataFolder,
                                         const std::vector<SuppliedDrug>& drugs);

// Which supplied photographs a drug has, as a supplied photo set marks them.
struct SuppliedPhotos {
    std::array<bool, 6> folders{};  // PHOTO1 ... PHOTO6
    int shown = 0;                  // PHOTO_HYOUJI
};

// Sets PHOTO1 ... PHOTO6 and PHOTO_HYOUJI of the drugs with these YJ codes (UTF-8) in one
// transaction. True when set; codes no drug has are left out. False, with the reason in
// *error (output), when nothing was changed.
DRUGBASE_API bool markSuppliedPhotos(const std::filesystem::path& dataFolder,
                                     const std::map<std::string, SuppliedPhotos>& photos,
                                     std::string* error);

}  // namespace drugbase
