#include "pharmacy_store.h"

#include <cstring>
#include <fstream>

#include "atomic_file/atomic_file.h"
#include "list_messages.h"
#include "list_server.h"
#include "pharmacy_fields.h"
#include "sjis/sjis.h"

namespace dosagebase {
namespace {

// "NAME, PREFECTURE, …" in field order.
std::string columnList() {
    std::string names;
    for (const std::string_view column : kPharmacyColumns)
        names += (names.empty() ? "" : ", ") + std::string(column);
    return names;
}

std::string insertSql() {
    return "INSERT INTO " + std::string(kPharmacyTable) + " (" + columnList() +
           ") VALUES (?, ?, ?, ?, ?, ?)";
}

void bindFields(sqlkit::Statement& insert, const DosagePharmacy& pharmacy) {
    const auto fields = pharmacyFields(const_cast<DosagePharmacy&>(pharmacy));
    for (int i = 0; i < kPharmacyFieldCount; ++i) {
        const FieldBuffer& f = fields[static_cast<std::size_t>(i)];
        insert.bindText(i + 1, sjis::toUtf8(sjis::fieldText(f.data, f.size)));
    }
}

}  // namespace

bool loadPharmacy(const std::filesystem::path& folder, DosagePharmacy& pharmacy) {
    std::memset(&pharmacy, 0, sizeof pharmacy);
    const std::filesystem::path file = folder / kPharmacyFileName;
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (status.type() == std::filesystem::file_type::not_found) return true;
    std::ifstream in;
    if (status.type() == std::filesystem::file_type::regular) in.open(file, std::ios::binary);
    if (!in.is_open()) {
        report(Message::PharmacyReadFailed, kPharmacyFileName);
        return false;
    }
    readPharmacy(in, pharmacy);
    return true;
}

bool storePharmacy(const std::filesystem::path& folder, const DosagePharmacy& pharmacy) {
    if (atomic_file::replaceFile(folder / kPharmacyFileName, formatPharmacy(pharmacy))) return true;
    report(Message::PharmacyWriteFailed, kPharmacyFileName);
    return false;
}

bool loadServerPharmacy(DosagePharmacy& pharmacy) {
    std::memset(&pharmacy, 0, sizeof pharmacy);
    dbcall::Recordset row(serverSession(),
                          "SELECT " + columnList() + " FROM " + std::string(kPharmacyTable));
    if (!row) return false;
    switch (row.lookUp()) {
        case dbcall::Lookup::Found:
            for (int i = 0; i < kPharmacyFieldCount; ++i)
                setPharmacyField(pharmacy, i, row->text(i));
            return true;
        case dbcall::Lookup::Missing:
            return true;
        case dbcall::Lookup::Failed:
            break;
    }
    return false;
}

bool storeServerPharmacy(const DosagePharmacy& pharmacy) {
    dbcall::WriteCall call(serverSession());
    if (!call.ok()) return false;
    std::optional<sqlkit::Statement> remove =
        call.prepare("DELETE FROM " + std::string(kPharmacyTable));
    std::optional<sqlkit::Statement> insert = remove ? call.prepare(insertSql()) : std::nullopt;
    if (!insert) return false;
    bindFields(*insert, pharmacy);
    return call.execute(*remove) && call.execute(*insert) && call.commit();
}

bool createPharmacyTable(sqlkit::Connection& db, std::string* error) {
    std::string columns;
    for (const std::string_view column : kPharmacyColumns)
        columns += ", " + std::string(column) + " " + std::string(db.dialect().textType);
    const std::string sql =
        "CREATE TABLE " + std::string(kPharmacyTable) + " (" + columns.substr(2) + ")";
    if (db.exec(sql)) return true;
    if (error) *error = db.lastError();
    return false;
}

int copyPharmacyToServer(const std::filesystem::path& dataFolder, sqlkit::Connection& db,
                         std::string* error) {
    std::error_code ec;
    if (!std::filesystem::exists(dataFolder / kPharmacyFileName, ec)) return 0;
    DosagePharmacy pharmacy;
    if (!loadPharmacy(dataFolder, pharmacy)) {
        if (error) *error = (dataFolder / kPharmacyFileName).string() + ": cannot read the file";
        return -1;
    }
    sqlkit::Statement insert = db.prepare(insertSql());
    if (insert.ok()) {
        bindFields(insert, pharmacy);
        insert.step();
    }
    if (!insert.ok() || insert.failed()) {
        if (error) *error = insert.error();
        return -1;
    }
    return 1;
}

}  // namespace dosagebase
