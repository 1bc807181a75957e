#include "data/patient_register.h"

#include <cstdint>
#include <cstdlib>

#include "sjis/sjis.h"

namespace data {
namespace {

constexpr std::size_t kNameBytes = 256;
constexpr std::size_t kHistoryBytes = 4110;
constexpr std::size_t kStampDigits = 14;

DataResult done(int result) {
    return PATIENTBASE_FAILED(result) ? DataResult::kFailed : DataResult::kDone;
}

// The fourteen digits of a list form, or "" when it does not have exactly fourteen.
std::string stampDigits(std::string_view listForm) {
    std::string digits;
    for (const char c : listForm)
        if (c >= '0' && c <= '9') digits += c;
    return digits.size() == kStampDigits ? digits : std::string();
}

}  // namespace

std::string slotTimeText(std::string_view listForm) {
    const std::string d = stampDigits(listForm);
    if (d.empty()) return {};
    return d.substr(0, 4) + "/" + d.substr(4, 2) + "/" + d.substr(6, 2) + " " + d.substr(8, 2) +
           ":" + d.substr(10, 2) + ":" + d.substr(12, 2);
}

void PatientRegister::open(const std::filesystem::path& databaseFolder) const {
    LRecordOpen(databaseFolder.string().c_str(), nullptr);
}

void PatientRegister::close() const {
    LRecordClose();
}

DataResult PatientRegister::nameOf(int id, std::string& name) const {
    char found[kNameBytes] = {};
    const int result = LRecordID_CLIENT(id, found);
    if (PATIENTBASE_FAILED(result)) return DataResult::kFailed;
    // The library leaves the buffer untouched when no patient has the ID.
    if (found[0] == '\0') return DataResult::kNotFound;
    name = std::string(sjis::fieldText(found, sizeof found));
    return DataResult::kDone;
}

DataResult PatientRegister::detail(int id, PatientRecord& record) const {
    // IDs are positive: a record still holding ID 0 afterwards was not found.
    PatientRecord found{};
    const int result = LRecordDetail(&found, "", id, 1);
    if (PATIENTBASE_FAILED(result)) return DataResult::kFailed;
    if (found.ID == 0) return DataResult::kNotFound;
    record = found;
    return DataResult::kDone;
}

DataResult PatientRegister::list(PatientOrder order, std::vector<PatientRow>& rows) const {
    rows.clear();
    const PatientListViewSink view{
        &rows,
        [](void* c, int, const char* id) {
            static_cast<std::vector<PatientRow>*>(c)->push_back({std::atoi(id), {}});
        },
        [](void* c, int, int column, const char* text) {
            auto& rows = *static_cast<std::vector<PatientRow>*>(c);
            if (column == 1 && !rows.empty()) rows.back().name = text;
        }};
    return done(LRecordDisplay(order == PatientOrder::ByName ? 1 : 0, &view));
}

Presence PatientRegister::idInUse(int id) const {
    const int result = LRecordID_cyoufuku(id);
    if (PATIENTBASE_FAILED(result)) return Presence::kFailed;
    return result == PATIENTBASE_ID_TAKEN ? Presence::kPresent : Presence::kAbsent;
}

Presence PatientRegister::idEverUsed(int id) const {
    const int result = LRecordIDUsed(id);
    if (PATIENTBASE_FAILED(result)) return Presence::kFailed;
    return result == 1 ? Presence::kPresent : Presence::kAbsent;
}

DataResult PatientRegister::freeId(int& id) const {
    const int result = LRecordCreateID();
    if (PATIENTBASE_FAILED(result)) return DataResult::kFailed;
    id = result;
    return DataResult::kDone;
}

DataResult PatientRegister::search(const PatientSearch& conditions,
                                   std::vector<PatientRow>& found) const {
    // The library takes its texts as cells of 256 bytes, one after the other.
    constexpr std::size_t kCell = 256;
    const auto cells = [](std::initializer_list<const std::string*> texts) {
        std::string out(texts.size() * kCell, '\0');
        std::size_t at = 0;
        for (const std::string* text : texts) {
            sjis::copyField(out.data() + at, kCell, *text);
            at += kCell;
        }
        return out;
    };
    const std::string texts =
        cells({&conditions.name, &conditions.ward, &conditions.telephone, &conditions.mobile});
    const std::string birth =
        cells({&conditions.birthYear, &conditions.birthMonth, &conditions.birthDay});
    const std::int32_t codes[2] = {conditions.sex, conditions.era};

    found.clear();
    std::vector<std::string> names;
    const PatientListSink ids{
        &found,
        [](void* c, const char* t) {
            static_cast<std::vector<PatientRow>*>(c)->push_back({std::atoi(t), {}});
        },
        nullptr};
    const PatientListSink nameSink{
        &names,
        [](void* c, const char* t) { static_cast<std::vector<std::string>*>(c)->push_back(t); },
        nullptr};
    const int result = LRecordGOKU(texts.data(), codes, birth.data(), &ids, &nameSink);
    for (std::size_t i = 0; i < found.size() && i < names.size(); ++i) found[i].name = names[i];
    return done(result);
}

DataResult PatientRegister::add(const PatientRecord& record) const {
    return LRecordCreate(&record) == PATIENTBASE_OK ? DataResult::kDone : DataResult::kFailed;
}

DataResult PatientRegister::correct(const PatientRecord& record, int oldId) const {
    return done(LRecordEdit(&record, oldId));
}

DataResult PatientRegister::remove(int id) const {
    return done(LRecordDell(id));
}

DataResult PatientRegister::storeHistory(int id, const std::string& text) const {
    return done(LRecordRIREKI(id, text.c_str()));
}

CheckedStore PatientRegister::storeHistoryFor(int id, const std::string& name,
                                              const std::string& text) const {
    switch (LRecordRIREKIChecked(id, name.c_str(), text.c_str())) {
        case PATIENTBASE_OK:
            return CheckedStore::kStored;
        case PATIENTBASE_NO_PATIENT:
            return CheckedStore::kNoPatient;
        case PATIENTBASE_NAME_DIFFERS:
            return CheckedStore::kNameDiffers;
    }
    return CheckedStore::kFailed;
}

DataResult PatientRegister::leafletsUsing(const std::string& yjcode, int& count) const {
    std::int32_t uses = 0;
    const DataResult result = done(LRecordRIREKIUses(yjcode.c_str(), &uses));
    if (result == DataResult::kDone) count = uses;
    return result;
}

DataResult PatientRegister::historyEntries(int id, std::vector<HistoryEntry>& entries) const {
    entries.clear();
    const PatientListViewSink sink{
        &entries,
        [](void* c, int, const char* t) {
            static_cast<std::vector<HistoryEntry>*>(c)->push_back({t, -1});
        },
        [](void* c, int, int column, const char* t) {
            auto& listed = *static_cast<std::vector<HistoryEntry>*>(c);
            if (column == 1 && !listed.empty()) listed.back().slot = std::atoi(t);
        }};
    return done(LRecordRIREKISlots(id, &sink));
}

DataResult PatientRegister::historyText(int id, const HistoryEntry& entry,
                                        std::string& text) const {
    const std::string key = slotTimeText(entry.stamp);
    if (key.empty()) return DataResult::kNotFound;
    std::string out(kHistoryBytes + 1, '\0');
    const int result = LRecordRIREKIDisplaySlot(id, entry.slot, key.c_str(), out.data());
    if (PATIENTBASE_FAILED(result)) return DataResult::kFailed;
    if (result != 1) return DataResult::kNotFound;
    text = out.c_str();
    return DataResult::kDone;
}

DataResult PatientRegister::deleteHistory(int id, const HistoryEntry& entry) const {
    const std::string key = slotTimeText(entry.stamp);
    if (key.empty()) return DataResult::kNotFound;
    const int result = LRecordRIREKIDELLSlot(id, entry.slot, key.c_str());
    if (PATIENTBASE_FAILED(result)) return DataResult::kFailed;
    return result == 1 ? DataResult::kDone : DataResult::kNotFound;
}

}  // namespace data
