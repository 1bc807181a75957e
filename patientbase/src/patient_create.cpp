#include "patient_create.h"

#include <string>

#include "register_io.h"
#include "register_messages.h"
#include "stamp_text.h"
#include "used_ids.h"

namespace patientbase {
namespace {

std::string insertSql() {
    std::string placeholders;
    for (std::size_t i = 0; i < kRegisterFieldCount; ++i) placeholders += "?, ";
    return "INSERT INTO Patient_Information (" + registerColumnList() + ", REGIST) VALUES (" +
           placeholders + "?)";
}

}  // namespace

Lookup idTaken(WriteCall& call, int id, dbcall::MessageText onPrepareFailure) {
    auto taken =
        call.prepare("SELECT 1 FROM Patient_Information WHERE ID = ? LIMIT 1", onPrepareFailure);
    if (!taken) return Lookup::Failed;
    taken->bindInt(1, id);
    const Lookup found = call.lookUp(*taken);
    if (found == Lookup::Found) report(Message::DuplicateId);
    return found;
}

int createPatient(const PatientRecord* record) {
    constexpr int kFailure = PATIENTBASE_CREATE_FAILED;
    if (!record) return kFailure;
    WriteCall call(session());
    if (!call.ok()) return kFailure;
    readyUsedIds(call);
    if (idTaken(call, record->ID, Failure::TableOpen) != Lookup::Missing) return kFailure;
    auto insert = call.prepare(insertSql(), Failure::TableOpen);
    if (!insert) return kFailure;
    bindRecord(*insert, 1, *record);
    insert->bindText(kStampIndex, storedForm(now()));
    return call.execute(*insert) && recordUsedId(call, record->ID) &&
                   call.record({audit::Action::PatientRegister, record->ID, {}}) && call.commit()
               ? PATIENTBASE_OK
               : kFailure;
}

}  // namespace patientbase
