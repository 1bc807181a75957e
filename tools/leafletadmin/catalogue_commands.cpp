// init, load-catalogue and list.
#include <fstream>
#include <set>
#include <sstream>

#include "admin.h"
#include "csv.h"
#include "drugbase.h"
#include "drugbase/admin.h"
#include "layout/data_folder.h"
#include "layout/file_modes.h"
#include "library_messages.h"
#include "patientbase/admin.h"
#include "sjis/sjis.h"

namespace admin {
namespace {

namespace fs = std::filesystem;

fs::path catalogueFile(const fs::path& folder) {
    return layout::databaseFolder(folder) / "薬剤ファイル.mdb";
}

bool readWholeFile(const fs::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

}  // namespace

int initFolder(const fs::path& folder, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    std::vector<fs::path> folders = {layout::databaseFolder(folder), folder / layout::kConfigFolder,
                                     folder / layout::kUserPhotoFolder};
    for (int n = 1; n <= layout::kPhotoFolderCount; ++n)
        folders.push_back(layout::photoFolder(folder, n));
    for (const fs::path& f : folders) {
        const bool made = fs::create_directories(f, ec);
        if (ec) {
            err << f.string() << ": cannot create the folder: " << ec.message() << "\n";
            return kRefused;
        }
        if (made) layout::restrict(f);
    }
    // A new folder gets a key of its own; one made before keeps its files and is re-keyed.
    if (const int keyed = keyFolder(layout::databaseFolder(folder), out, err); keyed != kDone)
        return keyed;
    if (fs::exists(catalogueFile(folder), ec)) {
        out << catalogueFile(folder).string() << ": kept the existing drug database\n";
    } else {
        std::string error;
        if (!drugbase::createCatalogue(layout::databaseFolder(folder), &error)) {
            err << catalogueFile(folder).string() << ": cannot create: " << error << "\n";
            return kRefused;
        }
        out << catalogueFile(folder).string() << ": created an empty drug database\n";
    }
    const fs::path patientFile = layout::databaseFolder(folder) / "患者ファイル.mdb";
    if (fs::exists(patientFile, ec)) {
        out << patientFile.string() << ": kept the existing patient database\n";
    } else {
        std::string error;
        if (!patientbase::createPatientDatabase(layout::databaseFolder(folder), &error)) {
            err << patientFile.string() << ": cannot create: " << error << "\n";
            return kRefused;
        }
        out << patientFile.string() << ": created an empty patient database\n";
    }
    return kDone;
}

int loadCatalogue(const fs::path& folder, const fs::path& csv, std::ostream& out,
                  std::ostream& err) {
    const std::string where = csv.string();
    std::string text;
    if (!readWholeFile(csv, text)) {
        err << where << ": cannot read the file\n";
        return kRefused;
    }
    const CsvParse parsed = parseCsv(text);
    if (!parsed.error.empty()) {
        err << where << ":" << parsed.errorLine << ": " << parsed.error << "; nothing loaded\n";
        return kRefused;
    }
    if (parsed.records.empty()) {
        err << where << ": the file has no header line; nothing loaded\n";
        return kRefused;
    }
    const CsvRecord& header = parsed.records.front();
    std::set<std::string> seen;
    for (const std::string& name : header.fields) {
        std::string reason;
        if (!drugbase::isLoadableColumn(name)) reason = "unknown or derived column " + name;
        if (!seen.insert(name).second) reason = "column " + name + " is named twice";
        if (!reason.empty()) {
            err << where << ":" << header.line << ": " << reason << "; nothing loaded\n";
            return kRefused;
        }
    }
    std::vector<drugbase::SuppliedDrug> drugs;
    for (std::size_t r = 1; r < parsed.records.size(); ++r) {
        const CsvRecord& record = parsed.records[r];
        if (record.fields.size() != header.fields.size()) {
            err << where << ":" << record.line << ": " << record.fields.size() << " fields where "
                << header.fields.size() << " columns are named; nothing loaded\n";
            return kRefused;
        }
        drugbase::SuppliedDrug drug;
        for (std::size_t f = 0; f < record.fields.size(); ++f)
            if (!record.fields[f].empty()) drug[header.fields[f]] = record.fields[f];
        drugs.push_back(std::move(drug));
    }
    const drugbase::LoadResult result =
        drugbase::addSuppliedDrugs(layout::databaseFolder(folder), drugs);
    if (!result.ok) {
        err << where;
        if (result.failedIndex < drugs.size())
            err << ":" << parsed.records[result.failedIndex + 1].line;
        err << ": " << result.reason << "; nothing loaded\n";
        return kRefused;
    }
    out << where << ": loaded " << drugs.size() << " drugs\n";
    return kDone;
}

bool hasDrugDatabase(const fs::path& folder, std::ostream& err) {
    std::error_code ec;
    // A folder that names a data server has its catalogue there.
    if (fs::exists(catalogueFile(folder), ec) ||
        fs::is_regular_file(layout::databaseFolder(folder) / layout::kServerFile, ec))
        return true;
    err << catalogueFile(folder).string() << ": no drug database\n";
    return false;
}

int listCatalogue(const fs::path& folder, std::ostream& out, std::ostream& err) {
    LibraryMessages messages(err);
    if (!hasDrugDatabase(folder, err)) return kRefused;
    if (RecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr) != 0) {
        err << "the catalogue cannot be opened: the linked SQLite cannot encrypt, or "
            << layout::kServerFile << " holds no usable connection string\n";
        return kRefused;
    }
    struct Columns {
        std::vector<std::string> codes, names, yjcodes;
    } rows;
    const auto sinkFor = [](std::vector<std::string>& v) {
        return DrugListSink{
            &v,
            [](void* c, const char* t) {
                static_cast<std::vector<std::string>*>(c)->push_back(sjis::toUtf8(t));
            },
            nullptr};
    };
    const DrugListSink codes = sinkFor(rows.codes), names = sinkFor(rows.names),
                       yjcodes = sinkFor(rows.yjcodes);
    int count = 0;
    const int result = RecordDisplay(nullptr, &codes, &names, &yjcodes, &count, 0);
    RecordClose();
    if (result != 0) return kRefused;
    out << "YJコード\tＮコード\t薬剤名\n";
    for (int i = 0; i < count; ++i)
        out << rows.yjcodes[i] << "\t" << rows.codes[i] << "\t" << rows.names[i] << "\n";
    out << count << " drugs\n";
    return kDone;
}

int listPatients(const fs::path& folder, std::ostream& out, std::ostream& err) {
    return patientbase::listPatients(layout::databaseFolder(folder), out, err);
}

}  // namespace admin
