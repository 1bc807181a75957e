// print-history: a leaflet stored in a patient's medication history, written to a PDF file
// through the program's page painter without its windows.
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "admin.h"
#include "dosagebase.h"
#include "drugbase.h"
#include "layout/data_folder.h"
#include "leaflet/history_block.h"
#include "leaflet/history_text.h"
#include "leaflet/leaflet_messages.h"
#include "library_messages.h"
#include "page/leaflet_handbook.h"
#include "page/leaflet_job.h"
#include "page/leaflet_pdf.h"
#include "page/page_fonts.h"
#include "page_application.h"
#include "patientbase.h"
#include "phrases/phrase_tables.h"
#include "settings/settings.h"
#include "sjis/sjis.h"
#include "stored_leaflet.h"

namespace admin {

namespace fs = std::filesystem;

namespace {

// "YYYY/MM/DD HH:MM:SS" with digits where digits belong.
bool isSlotTime(std::string_view text) {
    constexpr std::string_view kShape = "0000/00/00 00:00:00";
    if (text.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    return true;
}

// The slot time text of a stamp in the history list's form ("2009年03月07日 09:05:03"): its
// six numbers in the shape of isSlotTime.
std::string slotTime(std::string_view listForm) {
    std::string digits;
    for (const char c : listForm)
        if (c >= '0' && c <= '9') digits += c;
    if (digits.size() != 14) return {};
    return digits.substr(0, 4) + "/" + digits.substr(4, 2) + "/" + digits.substr(6, 2) + " " +
           digits.substr(8, 2) + ":" + digits.substr(10, 2) + ":" + digits.substr(12, 2);
}

// Reads the patient `id` and the history text stored at `wanted` (the newest for an empty one).
bool readStoredLeaflet(const fs::path& folder, int id, const std::string& wanted,
                       StoredLeaflet& found, std::ostream& err) {
    if (LRecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr) != 0) return false;
    std::vector<std::string> stamps;
    const PatientListSink list{
        &stamps,
        [](void* c, const char* t) {
            static_cast<std::vector<std::string>*>(c)->push_back(slotTime(t));
        },
        nullptr};
    bool read = LRecordDetail(&found.patient, "", id, 1) == PATIENTBASE_OK &&
                LRecordRIREKIDate(id, &list) == PATIENTBASE_OK;
    if (read && found.patient.ID != id) {
        err << "patient " << id << " is not registered\n";
        read = false;
    } else if (read && stamps.empty()) {
        err << "patient " << id << " has no leaflet in the medication history\n";
        read = false;
    } else if (read) {
        found.stamp = wanted.empty() ? stamps.front() : wanted;
        if (std::find(stamps.begin(), stamps.end(), found.stamp) == stamps.end()) {
            err << "patient " << id << " has no leaflet stored at " << wanted << "\n";
            read = false;
        }
    }
    if (read) {
        std::string text(leaflet::kStoredHistoryLength + 1, '\0');
        read = LRecordRIREKIDisplay(id, found.stamp.c_str(), text.data()) == 1;
        found.text = std::string(sjis::fieldText(text.data(), text.size()));
    }
    LRecordClose();
    return read;
}

// Item `index` of a phrase table as the main window shows it; empty when there is none.
std::string phraseAt(const dosage::PhraseTable& table, int index) {
    const std::vector<std::string> items = dosage::phraseItems(table);
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string();
}

}  // namespace

leaflet::LeafletHeader headerFor(const fs::path& folder, const settings::SettingsBlock& settings,
                                 const PatientRecord& patient) {
    leaflet::LeafletHeader header;
    header.patientName = sjis::fieldText(patient.PATIENT, sizeof patient.PATIENT);
    header.patientId = std::to_string(patient.ID);
    DRecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr);
    // Both lists in one read (one statement on a server); a list that cannot be read is empty.
    const auto phrases = std::make_unique<dosage::PhraseTables>();
    phrases->readAll();
    header.prescriber = phraseAt((*phrases)[dosage::kPrescribers], settings.prescriberIndex);
    header.pharmacist = phraseAt((*phrases)[dosage::kPharmacists], settings.pharmacistIndex);
    header.pharmacyName = sjis::fieldText(settings.pharmacyName, sizeof settings.pharmacyName);
    header.comment = sjis::fieldText(settings.comment, sizeof settings.comment);
    header.dispensingPharmacy = settings.businessType == 1;
    header.colour = settings.options[settings::kOptionPrintColour] == 1;
    header.handbookCodes = settings::handbookCodesOn(settings);
    header.pictograms = settings::pictogramsOn(settings);
    header.largePrint = settings::largePrintOn(settings);
    header.genericInfo = settings::genericInfoOn(settings);
    header.registered = ehandbook::registeredPatient(patient);
    return header;
}

namespace {

// Fills `list` with the stored drugs as the catalogue has them now, with their photographs;
// the codes of drugs gone from the catalogue go to `missing`. False when the catalogue cannot
// be read.
bool recallDrugs(const fs::path& folder, const std::string& stored, leaflet::PrintList& list,
                 std::vector<std::string>& missing) {
    if (RecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr) != 0) return false;
    leaflet::HistoryBlock block = leaflet::historyBlockFromText(stored);
    // The leaflet's drugs in one read, both to leave out the gone ones and to fill the list.
    std::vector<std::string> yjcodes;
    for (const leaflet::HistoryRecord& r : block)
        if (r.yjcode[0]) yjcodes.emplace_back(r.yjcode, strnlen(r.yjcode, sizeof r.yjcode));
    std::vector<const char*> codes;
    for (const std::string& code : yjcodes) codes.push_back(code.c_str());
    std::vector<DrugRecord> records(codes.size());
    std::vector<int> found(codes.size());
    const bool readable = RecordReadMany(codes.data(), static_cast<int>(codes.size()),
                                         records.data(), found.data()) == 0;
    std::map<std::string, const DrugRecord*> drugs;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (found[i]) drugs.emplace(yjcodes[i], &records[i]);
    const auto gone = leaflet::dropGoneDrugs(block, [&](const std::string& yjcode) {
        if (!readable) return leaflet::DrugPresence::kUnreadable;
        return drugs.contains(yjcode) ? leaflet::DrugPresence::kPresent
                                      : leaflet::DrugPresence::kGone;
    });
    const std::string base = folder.string();
    const bool filled = gone && list.fillFromHistory(block, [&](const char* yjcode,
                                                                DrugRecord& record, QImage& photo) {
        const auto drug = drugs.find(yjcode);
        if (drug == drugs.end()) return false;
        record = *drug->second;
        DrugSurface surface{photo.width(), photo.height(),
                            static_cast<int32_t>(photo.bytesPerLine()),
                            reinterpret_cast<uint32_t*>(photo.bits())};
        int drawn = 0;
        PictureImageOf(&surface, &drawn, &record, base.c_str(), 0, 0);
        record.photoFlag = drawn == 1 ? 1 : 0;
        return true;
    });
    RecordClose();
    if (gone) missing = *gone;
    return filled;
}

}  // namespace

int recallStoredLeaflet(const fs::path& folder, const std::string& idText, const std::string& stamp,
                        RecalledLeaflet& found, std::ostream& err) {
    found.id = patientId(idText);
    if (found.id == 0) {
        err << idText << ": the patient ID must be a positive whole number\n";
        return kUsage;
    }
    if (!stamp.empty() && !isSlotTime(stamp)) {
        err << stamp << ": the date must be written YYYY/MM/DD HH:MM:SS\n";
        return kUsage;
    }
    if (!readStoredLeaflet(folder, found.id, stamp, found.stored, err)) return kRefused;
    const settings::SettingsResult loaded =
        settings::loadSettings(settings::settingsFilePath(folder), found.settings);
    if (!loaded.ok()) {
        err << loaded.message << "\n";
        return kRefused;
    }
    if (!recallDrugs(folder, found.stored.text, found.list, found.missing)) {
        err << "the stored drugs cannot be read from the drug database\n";
        return kRefused;
    }
    if (!found.missing.empty()) {
        err << "left out, no longer in the drug database:";
        for (const std::string& code : found.missing) err << " " << code;
        err << "\n";
    }
    found.date =
        QDate::fromString(QString::fromStdString(found.stored.stamp.substr(0, 10)), "yyyy/MM/dd");
    return kDone;
}

int printHistory(const fs::path& folder, const std::string& idText, const std::string& stamp,
                 const fs::path& pdf, std::ostream& out, std::ostream& err) {
    LibraryMessages messages(err);
    PageApplication application;
    const auto found = std::make_unique<RecalledLeaflet>();
    if (const int status = recallStoredLeaflet(folder, idText, stamp, *found, err); status != kDone)
        return status;
    const StoredLeaflet& stored = found->stored;
    const leaflet::PrintList& list = found->list;
    const int id = found->id;
    leaflet::LeafletHeader header = headerFor(folder, found->settings, stored.patient);
    if (header.genericInfo) {
        std::vector<const char*> codes;
        for (const DrugRecord& entry : list.entries()) codes.push_back(entry.YJCODE);
        header.genericFacts.assign(codes.size(), DrugGenericFacts{});
        // The recall closed the catalogue; the facts are read on a connection of their own.
        const bool read =
            RecordOpen(layout::databaseFolder(folder).string().c_str(), nullptr) == 0 &&
            MasterGenericFacts(codes.data(), static_cast<int>(codes.size()),
                               header.genericFacts.data()) == 0;
        RecordClose();
        if (!read) {
            err << "the generic-drug information cannot be read from the drug database\n";
            return kRefused;
        }
    }
    leaflet::LeafletJob job(header, list, found->date);
    const leaflet::Message refusal = leaflet::paginationMessage(job.paginate());
    if (!refusal.text.empty()) {
        err << refusal.text << "\n";
        return kRefused;
    }
    if (!leaflet::writeLeafletPdf(QString::fromStdString(pdf.string()), job.composer())) {
        err << pdf.string() << ": cannot write the PDF file\n";
        return kRefused;
    }
    out << pdf.string() << ": the leaflet of patient " << id << " stored at " << stored.stamp
        << ", " << list.count() << " drugs on " << job.composer().pageTotal() << " page(s), "
        << job.codes().size() << " e-medication-handbook code(s)\n";
    return found->missing.empty() ? kDone : kPartial;
}

}  // namespace admin
