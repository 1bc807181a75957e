// Maintenance of the patient file outside the program: creating it, registering patients and
// printing the register. For leafletadmin and the benchmarks; the program itself uses
// patientbase.h only. Texts are UTF-8 unless a PatientRecord field; paths in the platform's
// encoding.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "audit/chain.h"
#include "patientbase.h"

namespace patientbase {

// Creates <dataFolder>/患者ファイル.mdb (dataFolder is the データベース folder itself) with an
// empty register. False, with the reason in *error (output), when the file exists, the linked
// SQLite cannot encrypt, or the file cannot be written.
PATIENTBASE_API bool createPatientDatabase(const std::filesystem::path& dataFolder,
                                           std::string* error);

// Registers the patient (CP932 fields, as LRecordCreate takes them) in the register of
// `dataFolder`. "" when registered, else the cause: no file, the ID in use, or the library's
// message with the engine's words for the failure.
PATIENTBASE_API std::string addPatient(const std::filesystem::path& dataFolder,
                                       const PatientRecord& patient);

// Prints the register of `dataFolder` in ID order on `out` as UTF-8 lines of tab-separated
// fields under a heading line, with each patient's number of stored leaflets and the newest
// stamp, then a count line. 0 when listed; 1 after a message on `err`.
PATIENTBASE_API int listPatients(const std::filesystem::path& dataFolder, std::ostream& out,
                                 std::ostream& err);

// Fills `rows` with the audit trail of the patient file of `dataFolder` in the order written, or
// with the data server's one trail when the folder names a server. False with the reason.
PATIENTBASE_API bool readAuditTrail(const std::filesystem::path& dataFolder,
                                    std::vector<audit::Row>& rows, std::string* error);

}  // namespace patientbase
