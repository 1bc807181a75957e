// leafletadmin audit: the audit trails of a folder listed by time, or every chain checked.
#include <regex>

#include "admin.h"
#include "data/audit_trail.h"
#include "layout/data_folder.h"

namespace admin {

int auditTrail(const std::filesystem::path& folder, const std::vector<std::string>& options,
               std::ostream& out, std::ostream& err) {
    bool verify = false;
    audit::Filter filter;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const bool hasValue = i + 1 < options.size();
        if (options[i] == "--verify") {
            verify = true;
        } else if (options[i] == "--patient" && hasValue && patientId(options[i + 1]) > 0) {
            filter.patientId = std::to_string(patientId(options[++i]));
        } else if (options[i] == "--since" && hasValue &&
                   std::regex_match(options[i + 1], std::regex("\\d{4}-\\d{2}-\\d{2}"))) {
            filter.since = options[++i];
        } else {
            err << "usage: leafletadmin audit FOLDER [--verify] [--patient ID] "
                   "[--since YYYY-MM-DD]\n";
            return kUsage;
        }
    }
    std::vector<audit::Chain> chains;
    if (std::string error; data::readAuditTrails(layout::databaseFolder(folder), chains, &error) !=
                           data::DataResult::kDone) {
        err << "cannot read the audit trail: " << error << "\n";
        return kRefused;
    }
    if (verify) {
        const std::string broken = audit::firstBreak(chains);
        if (!broken.empty()) {
            err << broken << "\n";
            return kRefused;
        }
        for (const audit::Chain& chain : chains)
            out << chain.name << ": " << chain.rows.size() << " rows, chain intact\n";
        return kDone;
    }
    out << "time\tuser\tterminal\tpharmacist\taction\tpatient\tdetail\n";
    for (const audit::Row& row : audit::listed(chains, filter))
        out << row.stamp << '\t' << row.osUser << '\t' << row.terminal << '\t' << row.pharmacist
            << '\t' << row.action << '\t' << row.patientId << '\t' << row.detail << '\n';
    return kDone;
}

}  // namespace admin
