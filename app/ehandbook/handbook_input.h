// What one e-medication-handbook output holds: the patient and one dispensing with its drugs.
// Texts are CP932, as everywhere in the system; the writer escapes and cuts them.
#pragma once

#include <string>
#include <vector>

namespace ehandbook {

enum class Sex { kUnknown = 0, kMale = 1, kFemale = 2 };

// Kinds of a patient note (record 2).
enum class NoteKind { kAllergy = 1, kSideEffect = 2, kPastIllness = 3, kOther = 9 };

struct PatientNote {
    NoteKind kind = NoteKind::kOther;
    std::string text;
};

struct Patient {
    std::string name;
    Sex sex = Sex::kUnknown;
    std::string birthDate;  // YYYYMMDD; empty when not known
    std::vector<PatientNote> notes;
};

// Dispensing form codes of the usage record.
enum class FormCode {
    kInternal = 1,
    kInternalDrops = 2,
    kAsNeeded = 3,
    kInjection = 4,
    kExternal = 5,
    kDecoction = 6,
    kKampo = 7,
    kMaterial = 9,
    kOther = 10,
};

struct Drug {
    std::string name;
    std::string amount;  // half-width number: per day when taken regularly; may be empty
    std::string unit;
    std::string yjcode;  // empty when the drug has none
    std::string note;    // the amount text as the leaflet prints it, e.g. "１回１錠"
    // Drugs with equal usage, days and form share one RP.
    std::string usage;
    std::string days;  // e.g. "１４日分", "５回分", "２８枚"
    FormCode form = FormCode::kInternal;
};

// Where the dispensing pharmacy is and how it is registered (record 11); empty when not set.
struct PharmacyDetails {
    std::string prefecture;  // two digits
    std::string code;        // institution code, seven digits
    std::string postalCode;  // NNN-NNNN
    std::string address;
    std::string telephone;
};

// The institution and doctor a prescription code named (records 51 and 55).
struct Prescribing {
    std::string institution;  // empty when the prescriber was typed
    std::string prefecture;
    int feeTable = 0;  // 1 medical, 3 dental; 0 when not known
    std::string code;
    std::string doctor;
    std::string department;
};

struct Dispensing {
    std::string date;  // YYYYMMDD
    std::string pharmacy;
    bool dispensingPharmacy = true;  // else a hospital or clinic dispensed
    PharmacyDetails pharmacyDetails;
    std::string pharmacist;
    std::string prescriber;  // a typed prescriber: the doctor's name, unless `prescribing` knows
    Prescribing prescribing;
    std::vector<Drug> drugs;
};

struct HandbookInput {
    Patient patient;
    Dispensing dispensing;
};

}  // namespace ehandbook
