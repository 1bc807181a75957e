// read-prescription: what the intake would put into the print list for a prescription code
// text, matched against the catalogue of a program folder, as JSON.
#include <fstream>
#include <iterator>

#include "admin.h"
#include "data/drug_catalogue.h"
#include "layout/data_folder.h"
#include "library_messages.h"
#include "prescription/catalogue_source.h"
#include "prescription/intake.h"
#include "prescription/prescription_reader.h"
#include "prescription_json.h"

namespace admin {

int readPrescriptionFile(const std::filesystem::path& folder, const std::filesystem::path& file,
                         std::ostream& out, std::ostream& err) {
    const std::filesystem::path database = layout::databaseFolder(folder);
    std::error_code ec;
    if (!std::filesystem::exists(database / "薬剤ファイル.mdb", ec)) {
        err << (database / "薬剤ファイル.mdb").string() << ": no drug database\n";
        return kRefused;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << file.string() << ": cannot be opened\n";
        return kRefused;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const prescription::ReadResult read = prescription::readPrescription(bytes);
    if (!read.prescription) {
        err << file.string() << ": " << read.error << "\nnothing goes into the print list\n";
        return kRefused;
    }

    LibraryMessages messages(err);
    const data::DrugCatalogue catalogue;
    if (!catalogue.open(database)) {
        err << "the linked SQLite cannot encrypt\n";
        return kRefused;
    }
    const prescription::CatalogueSource source(catalogue);
    const prescription::Intake intake =
        prescription::intakeOf(*read.prescription, prescription::DrugMatcher(source, source));
    catalogue.close();
    out << intakeJson(*read.prescription, intake);
    if (intake.leftOutForRoom > 0) {
        err << "一度に印刷できる薬剤の数は30迄です。" << intake.leftOutForRoom
            << " drugs are left out\n";
    }
    return kDone;
}

}  // namespace admin
