// Maintenance of the patient file outside the program: creating it and printing the register.
// Used by leafletadmin, the tests and the benchmarks.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "patientbase.h"
#include "sqlkit/connection.h"

namespace patientbase {

// Creates <dataFolder>/患者ファイル.mdb (dataFolder is the データベース folder itself) with an
// empty register; false with the reason when the file exists, the linked SQLite cannot
// encrypt, or the file cannot be written.
bool createPatientDatabase(const std::filesystem::path& dataFolder, std::string* error);

// Opens <dataFolder>/患者ファイル.mdb for a tool; nullptr with the reason.
sqlkit::ConnectionPtr openPatientFile(const std::filesystem::path& dataFolder, std::string* error);

// Creates the register's table and indexes on `db` in the SQL of its engine (on a server,
// inside the caller's transaction); false with the engine's text.
bool createPatientTables(sqlkit::Connection& db, std::string* error);

// Registers the patient in <dataFolder>/患者ファイル.mdb as LRecordCreate does. "" when
// registered, else the cause: no file, the ID in use, or the library's message with the
// engine's words for the failure.
std::string addPatient(const std::filesystem::path& dataFolder, const PatientRecord& patient);

// Prints the register of <dataFolder>/患者ファイル.mdb in ID order as UTF-8 lines of
// tab-separated fields under a heading line, with each patient's number of stored leaflets and
// the newest stamp, then a count line. 0 when listed; 1 after a message on `err`.
int listPatients(const std::filesystem::path& dataFolder, std::ostream& out, std::ostream& err);

}  // namespace patientbase
