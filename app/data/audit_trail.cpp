#include "data/audit_trail.h"

#include "audit/actor.h"
#include "drugbase/admin.h"
#include "layout/data_folder.h"
#include "patientbase.h"
#include "patientbase/admin.h"

namespace data {

void setAuditPharmacist(const std::string& name) {
    audit::setPharmacist(name);
}

DataResult noteLeafletOutput(std::string_view action, int id, const std::string& detail) {
    const std::string actionText(action);
    return LRecordAuditNote(actionText.c_str(), id, detail.c_str()) == PATIENTBASE_OK
               ? DataResult::kDone
               : DataResult::kFailed;
}

DataResult readAuditTrails(const std::filesystem::path& databaseFolder,
                           std::vector<audit::Chain>& chains, std::string* error) {
    audit::Chain drugs{"薬剤ファイル.mdb", {}}, patients{"患者ファイル.mdb", {}};
    std::error_code ec;
    if (std::filesystem::is_regular_file(databaseFolder / layout::kServerFile, ec))
        patients.name = "server";
    if (!drugbase::readAuditTrail(databaseFolder, drugs.rows, error) ||
        !patientbase::readAuditTrail(databaseFolder, patients.rows, error))
        return DataResult::kFailed;
    chains = {std::move(drugs), std::move(patients)};
    return DataResult::kDone;
}

}  // namespace data
