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
    row.generic = master.genericFlag == "1" ? 1 : 0;
    return row;
}

// A name a drug cannot be added under: empty, or only question marks (what a conversion that
// lost every character leaves).
bool isUnusableName(const std::string& name) {
    return name.find_first_not_of("? ") == std::string::npos;
}

// The first pass: reads every row of the file without keeping it and counts the rows; false
// after telling why on `err`. With `addDrugs`, rows that would add a drug without a usable name
// are refused, all their lines named.
bool checkMaster(const std::filesystem::path& csv, bool addDrugs, int& rows, std::ostream& err) {
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
    }
    rows = reader.rowsRead();
    if (!reader.error().empty()) {
        err << csv.string() << ": " << reader.error() << "\n";
        return false;
    }
    if (unnamed.empty()) return true;
    err << csv.string() << ": line " << unnamed
        << ": no product name (empty or \"??\") for a drug to be added\n";
    return false;
}

// The second pass: the file read again, a row at a time, as the import writes. A file changed
// since the first pass stops the import (nothing is written).
struct MasterSource {
    const std::filesystem::path& csv;
    std::ostream& err;
    std::ifstream in{csv, std::ios::binary};
    prescription::MasterReader reader{in};

    static int next(void* self, DrugMasterRow* out) {
        auto& source = *static_cast<MasterSource*>(self);
        prescription::MasterRow row;
        if (source.reader.next(row)) {
            *out = rowOf(row);
            return 1;
        }
        if (source.in.is_open() && source.reader.error().empty()) return 0;
        source.err << source.csv.string()
                   << ": changed while it was imported: " << source.reader.error() << "\n";
        return -1;
    }
};

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
    int rows = 0;
    if (!checkMaster(csv, addDrugs, rows, err)) {
        err << "nothing changed\n";
        return kRefused;
    }
    LibraryMessages messages(err);
    if (RecordOpen(database.string().c_str(), nullptr) != DRUGBASE_OK) {
        err << "the linked SQLite cannot encrypt\n";
        return kRefused;
    }
    int added = 0;
    MasterSource source{csv, err};
    const int result = MasterImportStream(MasterSource::next, &source, rows, addDrugs ? 1 : 0,
                                          terminal ? showProgress : nullptr, &err, &added);
    RecordClose();
    if (result != DRUGBASE_OK) {
        err << "nothing changed\n";
        return kRefused;
    }
    out << rows << " codes mapped";
    if (addDrugs) out << ", " << added << " drugs added";
    out << "\n";
    return kDone;
}

}  // namespace admin
