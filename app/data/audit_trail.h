// The face of the audit trail: who acts, the rows of prints and PDF files, and the trails of a
// database folder for the 監査ログ window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "audit/listing.h"
#include "data/data_result.h"

namespace data {

// The pharmacist (UTF-8) every audit row names from now on, whichever library writes it.
void setAuditPharmacist(const std::string& name);

// Records that the leaflet of patient `id` (0: not a registered patient) was printed or saved
// as a PDF file (`action`), right after it was; `detail` says how much, never what.
DataResult noteLeafletOutput(std::string_view action, int id, const std::string& detail);

// The catalogue's and the register's trails of `databaseFolder` (one trail on a server).
DataResult readAuditTrails(const std::filesystem::path& databaseFolder,
                           std::vector<audit::Chain>& chains, std::string* error);

}  // namespace data
