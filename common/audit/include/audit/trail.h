// The audit table of a database: Audit_Log in each file, one table on a data server. Rows are
// appended inside the transaction of the change they record, so a change without its row
// cannot be committed; on a server the write lock that transaction holds keeps the one chain
// in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "audit/chain.h"
#include "sqlkit/connection.h"

namespace audit {

inline constexpr const char* kAuditTable = "Audit_Log";

// CREATE TABLE for the audit table in `dialect`.
std::string schemaSql(const sqlkit::Dialect& dialect);

// What happened, for one row.
struct Entry {
    std::string_view action;
    int patientId = 0;  // 0: no patient
    std::string detail;
};

// Appends the row of `entry`, stamped with the data's clock and the current actor, inside the
// caller's writing transaction; a file gets its table on the first row. False with the
// engine's text.
bool append(sqlkit::Connection& db, const Entry& entry, std::string* error);

// Every row in the order written; a file without the table has none. False with the reason.
bool readRows(sqlkit::Connection& db, std::vector<Row>& rows, std::string* error);

}  // namespace audit

namespace audit::Action {
inline constexpr std::string_view PatientRegister = "patient.register";
inline constexpr std::string_view PatientCorrect = "patient.correct";
inline constexpr std::string_view PatientDelete = "patient.delete";
inline constexpr std::string_view LeafletStore = "leaflet.store";
inline constexpr std::string_view LeafletDelete = "leaflet.delete";
inline constexpr std::string_view LeafletPrint = "leaflet.print";
inline constexpr std::string_view LeafletPdf = "leaflet.pdf";
inline constexpr std::string_view DrugRegister = "drug.register";
inline constexpr std::string_view DrugCorrect = "drug.correct";
inline constexpr std::string_view DrugDelete = "drug.delete";
inline constexpr std::string_view CatalogueImport = "catalogue.import";
inline constexpr std::string_view CatalogueLoad = "catalogue.load";
inline constexpr std::string_view MasterLoad = "master.load";
inline constexpr std::string_view PhrasesSave = "phrases.save";
}  // namespace audit::Action
