#include "data/phrase_store.h"

#include "audit/trail.h"
#include "patientbase.h"
#include "sjis/sjis.h"

namespace data {
namespace {

DataResult done(int result) {
    return result == DOSAGEBASE_OK ? DataResult::kDone : DataResult::kFailed;
}

// `fields` in the library's record; false when one does not fit its buffer.
bool pharmacyOf(const PharmacyFields& fields, DosagePharmacy& pharmacy, int* tooLong) {
    pharmacy = {};
    for (int i = 0; i < kPharmacyFields; ++i) {
        unsigned size = 0;
        char* field = DPharmacyField(&pharmacy, i + 1, &size);
        const std::string& text = fields[static_cast<std::size_t>(i)];
        if (text.size() >= size) {
            *tooLong = i;
            return false;
        }
        sjis::copyField(field, size, text);
    }
    return true;
}

}  // namespace

void PhraseStore::open(const std::filesystem::path& databaseFolder) const {
    DRecordOpen(databaseFolder.string().c_str(), nullptr);
}

DataResult PhraseStore::read(int list, PhraseTable& table, PhraseVersion& version) const {
    return done(DRecordReadVersion(table.data(), list, &version));
}

DataResult PhraseStore::readAll(std::array<PhraseTable, DOSAGEBASE_LIST_COUNT>& tables,
                                std::array<PhraseVersion, DOSAGEBASE_LIST_COUNT>& versions) const {
    // The tables are contiguous arrays of bytes, list after list, as the library fills them.
    static_assert(sizeof(tables) == std::size_t{DOSAGEBASE_LIST_COUNT} * DOSAGEBASE_TABLE_SIZE);
    return done(DRecordReadAll(tables.front().data(), versions.data()));
}

PhraseKeep PhraseStore::keep(int list, const PhraseTable& table, PhraseVersion& version) const {
    switch (DRecordDocumentAt(table.data(), list, version, &version)) {
        case DOSAGEBASE_OK:
            // A list file is no database: its audit row goes to the patient file right after.
            // A server keeps it in the transaction of the save.
            if (!DRecordOnServer())
                LRecordAuditNote(audit::Action::PhrasesSave.data(), 0,
                                 ("list " + std::to_string(list)).c_str());
            return PhraseKeep::kDone;
        case DOSAGEBASE_CHANGED:
            return PhraseKeep::kChanged;
        default:
            return PhraseKeep::kFailed;
    }
}

DataResult PhraseStore::readPharmacy(PharmacyFields& fields) const {
    DosagePharmacy pharmacy;
    const int result = DPharmacyRead(&pharmacy);
    for (int i = 0; i < kPharmacyFields; ++i) {
        unsigned size = 0;
        const char* field = DPharmacyField(&pharmacy, i + 1, &size);
        fields[static_cast<std::size_t>(i)] =
            result == DOSAGEBASE_OK ? std::string(sjis::fieldText(field, size)) : std::string();
    }
    return done(result);
}

int PhraseStore::refusedPharmacyField(const PharmacyFields& fields) const {
    DosagePharmacy pharmacy;
    int tooLong = -1;
    if (!pharmacyOf(fields, pharmacy, &tooLong)) return tooLong;
    return DPharmacyCheck(&pharmacy) - 1;
}

DataResult PhraseStore::keepPharmacy(const PharmacyFields& fields) const {
    DosagePharmacy pharmacy;
    int tooLong = -1;
    if (!pharmacyOf(fields, pharmacy, &tooLong)) return DataResult::kFailed;
    return done(DPharmacyWrite(&pharmacy));
}

}  // namespace data
