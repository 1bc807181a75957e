// Where the pharmacy is kept: 薬局情報.txt in the database folder, or the one row of table
// Pharmacy_Information on the data server the folder names.
#pragma once

#include <filesystem>
#include <string>

#include "dosagebase.h"
#include "sqlkit/connection.h"

namespace dosagebase {

inline constexpr const char* kPharmacyTable = "Pharmacy_Information";
inline constexpr const char* kPharmacyFileName = "薬局情報.txt";

// Fills `pharmacy` from the folder's file, or zeroes it while there is none. False (zeroed,
// message shown) when the file exists but cannot be read.
bool loadPharmacy(const std::filesystem::path& folder, DosagePharmacy& pharmacy);
// Replaces the folder's file. False (file unchanged, message shown) when it cannot be written.
bool storePharmacy(const std::filesystem::path& folder, const DosagePharmacy& pharmacy);

// The same on the server of serverSession(); a server without the row has nothing set.
bool loadServerPharmacy(DosagePharmacy& pharmacy);
bool storeServerPharmacy(const DosagePharmacy& pharmacy);

// Creates the pharmacy table on `db` (on a server, inside the caller's transaction); false with
// the engine's text.
bool createPharmacyTable(sqlkit::Connection& db, std::string* error);

// Copies the pharmacy of `dataFolder`'s file, when it has one, into the empty table of `db`
// inside the caller's transaction: 1 copied, 0 without a file, -1 with the reason in `error`.
int copyPharmacyToServer(const std::filesystem::path& dataFolder, sqlkit::Connection& db,
                         std::string* error);

}  // namespace dosagebase
