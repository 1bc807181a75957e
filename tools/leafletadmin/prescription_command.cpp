// read-prescription: what the intake would put into the print list for a prescription code
// text, matched against the catalogue of a program folder, as JSON.
#include <fstream>
#include <iterator>

#include "admin.h"
#include "data/drug_catalogue.h"
#include "layout/data_folder.h"
#include "library_messages.h"
#include "prescription/prescription_reader.h"
#include "prescription_json.h"
#include "prescriptionfill/catalogue_source.h"
#include "prescriptionfill/intake.h"
#include "prescriptionimage/code_file.h"
#include "prescriptionimage/pdf_page.h"

namespace admin {
namespace {

// Why a picture or PDF file gave no text, in the words of the other commands; the reader's own
// message where no English one is kept.
std::string refusalOf(const prescription::SymbolText& read) {
    switch (read.trouble) {
        case prescription::FileTrouble::kEncryptedPdf:
            return "the PDF file is encrypted (locked by a password)";
        case prescription::FileTrouble::kPageTooLarge:
            return "the PDF page is larger than any prescription (at most " +
                   std::to_string(int(prescription::kLargestPagePoints)) + " points either way)";
        case prescription::FileTrouble::kPictureTooLarge:
            return "the picture has too many pixels to be read";
        case prescription::FileTrouble::kNone:
        case prescription::FileTrouble::kOther:
            break;
    }
    return read.error;
}

// The prescription code text of a file: the file itself, or what the QR symbols of a PNG or
// JPEG picture or of the first page of a PDF file hold. False after saying why on `err`.
bool codeText(const std::filesystem::path& file, std::string& text, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << file.string() << ": cannot be opened\n";
        return false;
    }
    prescription::SymbolText read = prescription::codeTextOfFile(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    if (!read.error.empty()) {
        err << file.string() << ": " << refusalOf(read) << "\n";
        return false;
    }
    text = std::move(read.bytes);
    return true;
}

}  // namespace

int readPrescriptionFile(const std::filesystem::path& folder, const std::filesystem::path& file,
                         std::ostream& out, std::ostream& err) {
    const std::filesystem::path database = layout::databaseFolder(folder);
    if (!hasDrugDatabase(folder, err)) return kRefused;
    std::string bytes;
    if (!codeText(file, bytes, err)) return kRefused;
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
