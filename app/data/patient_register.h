// The patient register and the medication history as the program sees them: names and records
// read into C++ values, lists collected into vectors, history stamps taken in the form the
// patient screens list them, and every result mapped to DataResult.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_result.h"
#include "patientbase.h"

namespace data {

// One row of the patient list: the ID and the name (CP932).
struct PatientRow {
    int id = 0;
    std::string name;
};

// One line of a patient's history list: the stamp's list form (CP932) and the slot holding it,
// which tells apart leaflets stored with equal stamps by older programs.
struct HistoryEntry {
    std::string stamp;
    int slot = -1;
    bool operator==(const HistoryEntry&) const = default;
};

enum class PatientOrder { ById = 0, ByName = 1 };

// What became of a history store checked against the register.
enum class CheckedStore {
    kStored,
    kNoPatient,    // no patient has the ID (any longer): nothing stored
    kNameDiffers,  // the patient with the ID has another name (now): nothing stored
    kFailed,       // the library failed and has said why
};

// The conditions of a combined patient search (CP932). Empty texts and codes of 0 are ignored;
// a birth text that is not a decimal number matches nobody.
struct PatientSearch {
    std::string name, ward, telephone, mobile;
    int sex = 0;  // 1 male, 2 female
    int era = 0;  // era code of the birth date
    std::string birthYear, birthMonth, birthDay;
};

class PatientRegister {
  public:
    // Starts the session on the database folder (a missing file is reported by the library).
    void open(const std::filesystem::path& databaseFolder) const;
    void close() const;

    // The registered name of the patient with this ID; kNotFound when there is none.
    DataResult nameOf(int id, std::string& name) const;
    // Reads the patient with this ID; kNotFound leaves `record` untouched.
    DataResult detail(int id, PatientRecord& record) const;
    // Replaces `rows` with the register in `order`.
    DataResult list(PatientOrder order, std::vector<PatientRow>& rows) const;
    Presence idInUse(int id) const;
    // Whether any patient, now or earlier (deleted or renumbered), had this ID.
    Presence idEverUsed(int id) const;
    // The ID to propose for a new patient, above every ID ever used in the register, into `id`.
    DataResult freeId(int& id) const;
    // Replaces `found` with the patients meeting every condition, in ID order.
    DataResult search(const PatientSearch& conditions, std::vector<PatientRow>& found) const;

    // Adds a patient (refused when the ID is taken), corrects the patient registered as
    // `oldId`, deletes a patient with the history.
    DataResult add(const PatientRecord& record) const;
    DataResult correct(const PatientRecord& record, int oldId) const;
    DataResult remove(int id) const;

    // Stores a history text (exactly 4110 bytes) for the patient, stamped now. An unknown
    // patient stores nothing and is not a failure.
    DataResult storeHistory(int id, const std::string& text) const;
    // Stores a history text only for the patient registered with this ID under exactly this
    // name (CP932), checked and stored in one write of the library.
    CheckedStore storeHistoryFor(int id, const std::string& name, const std::string& text) const;
    // The number of stored leaflets, over every patient, with a record for the drug `yjcode`.
    DataResult leafletsUsing(const std::string& yjcode, int& count) const;
    // Replaces `entries` with the patient's history lines, newest first.
    DataResult historyEntries(int id, std::vector<HistoryEntry>& entries) const;
    // The history text of the listed line; kNotFound when its slot holds it no longer.
    DataResult historyText(int id, const HistoryEntry& entry, std::string& text) const;
    // Empties the slot of the listed line while it still holds that stamp.
    DataResult deleteHistory(int id, const HistoryEntry& entry) const;
};

// The slot time text "2009/03/07 09:05:03" of a stamp whose list form (CP932) is
// "2009年03月07日 09:05:03". Empty for a text that does not hold the stamp's fourteen digits.
std::string slotTimeText(std::string_view listForm);

}  // namespace data
