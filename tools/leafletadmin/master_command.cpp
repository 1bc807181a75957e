// import-master: the code map (and, on request, missing drugs) from the public drug master.
#include <fstream>

#include "admin.h"
#include "drugbase.h"
#include "layout/data_folder.h"
#include "library_messages.h"
#include "prescription/drug_master.h"
#include "sjis/sjis.h"

namespace admin {
namespace {

DrugMasterRow rowOf(const prescription::MasterRow& master) {
    DrugMasterRow row{};
    const auto copy = [](auto& field, const std::string& text) {
        sjis::copyField(field, sizeof field, text);
    };
    copy(row.code.receiptCode, master.receiptCode);
    copy(row.code.YJCODE, master.yjCode);
    copy(row.code.generalNameCode, master.generalNameCode);
    copy(row.code.generalName, master.standardGeneralName);
    copy(row.PRODUCTNAME, master.productName);
    copy(row.TANNI, master.unit);
    copy(row.YAKUKA, master.price);
    return row;
}

// A name a drug cannot be added under: empty, or only question marks (what a conversion that
// lost every character leaves).
bool isUnusableName(const std::string& name) {
    return name.find_first_not_of("? ") == std::string::npos;
}

// Reads every row of the file; false after telling why on `err`. With `addDrugs`, rows that
// would add a drug without a usable name are refused, all their lines named.
bool readMaster(const std::filesystem::path& csv, bool addDrugs, std::vector<DrugMasterRow>& rows,
                std::ostream& err) {
    std::ifstream in(csv, std::ios::binary);
    if (!in) {
        err << csv.string() << ": cannot be opened\n";
        return false;
    }
    prescription::MasterReader reader(in);
    prescription::MasterRow row;
    std::string unnamed;
    while (reader.next(row)) {
        if (addDrugs && !row.yjCode.empty() && isUnusableName(row.productName))
            unnamed += (unnamed.empty() ? "" : ", ") + std::to_string(row.line);
        rows.push_back(rowOf(row));
    }
    if (!reader.error().empty()) {
        err << csv.string() << ": " << reader.error() << "\n";
        return false;
    }
    if (unnamed.empty()) return true;
    err << csv.string() << ": line " << unnamed
        << ": no product name (empty or \"??\") for a drug to be added\n";
    return false;
}

// Rewrites one line on the terminal while the rows are written.
void showProgress(void* context, int done, int total) {
    auto& err = *static_cast<std::ostream*>(context);
    err << "\r" << done << " / " << total << (done == total ? "\n" : "") << std::flush;
}

}  // namespace

int importMaster(const std::filesystem::path& folder, const std::filesystem::path& csv,
                 bool addDrugs, bool terminal, std::ostream& out, std::ostream& err) {
    const std::filesystem::path database = layout::databaseFolder(folder);
    if (!hasDrugDatabase(folder, err)) return kRefused;
    std::vector<DrugMasterRow> rows;
    if (!readMaster(csv, addDrugs, rows, err)) {
        err << "nothing changed\n";
        return kRefused;
    }
    LibraryMessages messages(err);
    if (RecordOpen(database.string().c_str(), nullptr) != DRUGBASE_OK) {
        err << "the linked SQLite cannot encrypt\n";
        return kRefused;
    }
    int added = 0;
    const int result = MasterImport(rows.data(), static_cast<int>(rows.size()), addDrugs ? 1 : 0,
                                    terminal ? showProgress : nullptr, &err, &added);
    RecordClose();
    if (result != DRUGBASE_OK) {
        err << "nothing changed\n";
        return kRefused;
    }
    out << rows.size() << " codes mapped";
    if (addDrugs) out << ", " << added << " drugs added";
    out << "\n";
    return kDone;
}

}  // namespace admin
