#include "patients/patient_entry.h"

#include "patients/patient_form.h"

namespace patients {

PatientEntry::PatientEntry(const data::PatientRegister& patients, EntryMode mode, int oldId)
    : patients_(patients), mode_(mode), oldId_(oldId) {}

bool PatientEntry::movesRow(const PatientRecord& stored) const {
    return mode_ == EntryMode::Register || stored.ID != oldId_;
}

const Notice* PatientEntry::check(const QString& idText, PatientRecord& record) const {
    if (idText.isEmpty()) return &kIdRequired;
    record.ID = leadingNumber(idText);
    if (record.ID <= 0) return &kIdNotPositive;
    if (record.PATIENT[0] == '\0') return &kNameRequired;
    // A failed check (already reported by the library) does not stop the write, which then
    // refuses a taken ID itself.
    if (movesRow(record) && patients_.idInUse(record.ID) == data::Presence::kPresent)
        return &kIdTaken;
    return nullptr;
}

bool PatientEntry::takesFormerId(const PatientRecord& record) const {
    return movesRow(record) && patients_.idEverUsed(record.ID) == data::Presence::kPresent;
}

const Notice* PatientEntry::write(const PatientRecord& record) const {
    const data::DataResult stored =
        mode_ == EntryMode::Register ? patients_.add(record) : patients_.correct(record, oldId_);
    return stored == data::DataResult::kDone ? nullptr : &kRegisterFault;
}

}  // namespace patients
