// store-leaflet: a leaflet described in a small JSON file stored in a patient's medication
// history, made into print-list entries and stored the way the program stores a printed one.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <chrono>
#include <cmath>
#include <ctime>
#include <fstream>
#include <iterator>
#include <thread>

#include "admin.h"
#include "drugbase.h"
#include "layout/data_folder.h"
#include "leaflet/history_block.h"
#include "leaflet/history_text.h"
#include "leaflet/print_entry.h"
#include "library_messages.h"
#include "patientbase.h"
#include "sjis/sjis.h"

namespace admin {
namespace {

namespace fs = std::filesystem;

// The timing amount byte of a number of units: whole units 0-50 as they are, n and a half as
// kHalfBase + n; -1 for any other number.
int timingAmount(double units) {
    const double whole = std::floor(units);
    if (units < 0 || whole > leaflet::kMaxWholeAmount) return -1;
    if (units == whole) return static_cast<int>(whole);
    return units - whole == 0.5 ? leaflet::kHalfBase + static_cast<int>(whole) : -1;
}

// Puts the JSON text `key` of `drug` into an entry text field of `width` bytes; false after
// saying why when it is not a text or does not fit.
bool putText(const QJsonObject& drug, const char* key, char* field, std::size_t width,
             const std::string& where, std::ostream& err) {
    const QJsonValue value = drug.value(QLatin1String(key));
    if (value.isUndefined()) return true;
    std::string cp932;
    if (!value.isString() || !sjis::fromUtf8(value.toString().toStdString(), cp932)) {
        err << where << ": \"" << key << "\" must be a text that Shift-JIS can hold\n";
        return false;
    }
    if (cp932.size() >= width) {
        err << where << ": \"" << key << "\" is longer than " << width - 1 << " bytes\n";
        return false;
    }
    leaflet::setEntryText(field, width, cp932);
    return true;
}

// The print-list entry that drug `n` of the file describes, read from the catalogue; false
// after saying why.
bool entryOf(const QJsonValue& value, int n, DrugRecord& entry, std::ostream& err) {
    const std::string where = "drug " + std::to_string(n + 1);
    const QJsonObject drug = value.toObject();
    const std::string yjcode = drug.value("yjcode").toString().toStdString();
    if (!value.isObject() || yjcode.empty()) {
        err << where << ": an object with a \"yjcode\" is needed\n";
        return false;
    }
    if (RecordDetail(&entry, yjcode.c_str()) != 0) {
        err << where << ": " << yjcode << " is not in the catalogue\n";
        return false;
    }
    for (const QString& key : drug.keys())
        if (!QStringList{"yjcode", "timings", "amount", "days", "usage"}.contains(key)) {
            // A runaway key is cut, never echoed whole.
            const QString shown = key.size() <= 30 ? key : key.left(30) + "…";
            err << where << ": unknown field \"" << shown.toStdString()
                << "\" (a drug has yjcode, timings, amount, days, usage)\n";
            return false;
        }
    leaflet::DosageSettings dosage = leaflet::dosageOf(entry);
    const QJsonValue timingsValue = drug.value("timings");
    const QJsonArray timings = timingsValue.toArray();
    if ((!timingsValue.isUndefined() && !timingsValue.isArray()) ||
        timings.size() > leaflet::kTimingCount) {
        err << where << ": \"timings\" is a list of at most five amounts\n";
        return false;
    }
    for (int t = 0; t < timings.size(); ++t) {
        const int amount = timings[t].isDouble() ? timingAmount(timings[t].toDouble()) : -1;
        if (amount < 0) {
            err << where << ": a timing amount is 0 to 50 units, in whole or half units\n";
            return false;
        }
        dosage.timings[t] = static_cast<std::uint8_t>(amount);
    }
    if (!putText(drug, "amount", dosage.amountText, sizeof dosage.amountText, where, err) ||
        !putText(drug, "days", dosage.daysText, sizeof dosage.daysText, where, err) ||
        !putText(drug, "usage", dosage.usageText, sizeof dosage.usageText, where, err))
        return false;
    leaflet::setDosage(entry, dosage);
    return true;
}

// The entries the file describes: a JSON array of 1 to 30 drugs. False after saying why.
bool readEntries(const fs::path& file, std::vector<DrugRecord>& entries, std::ostream& err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << file.string() << ": cannot be opened\n";
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &error);
    if (error.error != QJsonParseError::NoError) {
        err << file.string() << ": not JSON at byte " << error.offset << ": "
            << error.errorString().toStdString() << "\n";
        return false;
    }
    const QJsonArray drugs = document.array();
    if (!document.isArray() || drugs.isEmpty() || drugs.size() > leaflet::kHistoryRecords) {
        err << file.string() << ": a list of 1 to 30 drugs is needed\n";
        return false;
    }
    entries.assign(drugs.size(), DrugRecord{});
    for (int n = 0; n < drugs.size(); ++n)
        if (!entryOf(drugs[n], n, entries[n], err)) return false;
    return true;
}

// The digits of a history stamp in either form ("2009年03月07日 09:05:03", "2009/03/07 ...").
std::string stampDigits(std::string_view stamp) {
    std::string digits;
    for (const char c : stamp)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

std::string nowDigits() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}

// A leaflet is stamped to the second: when the patient's newest leaflet was stored in this
// second, waits for the next one so that the two keep stamps of their own.
void awaitFreshStamp(int id) {
    std::string newest;
    const PatientListSink first{&newest,
                                [](void* c, const char* t) {
                                    auto& s = *static_cast<std::string*>(c);
                                    if (s.empty()) s = t;
                                },
                                nullptr};
    if (LRecordRIREKIDate(id, &first) != PATIENTBASE_OK) return;
    while (!newest.empty() && stampDigits(newest) == nowDigits())
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

}  // namespace

int storeLeaflet(const fs::path& folder, const std::string& idText, const fs::path& file,
                 std::ostream& out, std::ostream& err) {
    const int id = patientId(idText);
    if (id == 0) {
        err << idText << ": the patient ID must be a positive whole number\n";
        return kUsage;
    }
    if (!hasDrugDatabase(folder, err)) return kRefused;
    const std::string database = layout::databaseFolder(folder).string();
    LibraryMessages messages(err);
    std::vector<DrugRecord> entries;
    const bool opened = RecordOpen(database.c_str(), nullptr) == 0;
    const bool read = opened && readEntries(file, entries, err);
    RecordClose();
    if (!read) return kRefused;

    if (LRecordOpen(database.c_str(), nullptr) != PATIENTBASE_OK) return kRefused;
    PatientRecord patient{};
    int result = LRecordDetail(&patient, "", id, 1);
    if (result == PATIENTBASE_OK && patient.ID != id) result = PATIENTBASE_NO_PATIENT;
    if (result == PATIENTBASE_OK) {
        awaitFreshStamp(id);
        // Stored only while the patient is still registered with this ID under the name read
        // above: the check and the store are one write.
        result = LRecordRIREKIChecked(
            id, patient.PATIENT, leaflet::historyText(leaflet::buildHistoryBlock(entries)).c_str());
    }
    LRecordClose();
    if (result == PATIENTBASE_NO_PATIENT) err << "patient " << id << " is not registered\n";
    if (result == PATIENTBASE_NAME_DIFFERS)
        err << "patient " << id << " was renamed meanwhile; nothing stored\n";
    if (result != PATIENTBASE_OK) return kRefused;
    out << "stored a leaflet of " << entries.size() << " drug" << (entries.size() > 1 ? "s" : "")
        << " for patient " << id << " "
        << sjis::toUtf8(sjis::fieldText(patient.PATIENT, sizeof patient.PATIENT)) << "\n";
    return kDone;
}

}  // namespace admin
