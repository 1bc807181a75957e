#include "patient_admin.h"

#include <vector>

#include "dbcall/session.h"
#include "era/era.h"
#include "history_slots.h"
#include "patient_create.h"
#include "register_columns.h"
#include "register_messages.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "used_ids.h"

namespace patientbase {
namespace {

std::string sexText(long long code) {
    switch (code) {
        case 0:
            return "指定なし";
        case 1:
            return "男性";
        case 2:
            return "女性";
    }
    return std::to_string(code);
}

// "昭和45年3月7日"; the parts not given are left out.
std::string birthText(long long era, long long year, long long month, long long day) {
    const char* const name = era::name(static_cast<int>(era));
    std::string text = era == 0 ? "" : name ? name : "(" + std::to_string(era) + ")";
    if (year) text += std::to_string(year) + "年";
    if (month) text += std::to_string(month) + "月";
    if (day) text += std::to_string(day) + "日";
    return text;
}

std::string historyText(const SlotStamps& slots) {
    const auto stamps = newestFirst(slots);
    if (stamps.empty()) return "0";
    return std::to_string(stamps.size()) + " (" + sjis::toUtf8(listForm(stamps.front())) + ")";
}

}  // namespace

bool createPatientDatabase(const std::filesystem::path& dataFolder, std::string* error) {
    if (!sqlkit::cipherAvailable()) {
        if (error) *error = "the linked SQLite cannot encrypt";
        return false;
    }
    const auto key = folderkey::fileKeyIn(dataFolder, error);
    const sqlkit::Dialect& dialect = sqlkit::sqlcipherDialect();
    return key && sqlkit::createEncrypted(dataFolder / kFileName, *key,
                                          schemaSql(dialect) + ";" + usedIdSchemaSql(dialect),
                                          error) != nullptr;
}

sqlkit::ConnectionPtr openPatientFile(const std::filesystem::path& dataFolder, std::string* error) {
    const auto key = folderkey::fileKeyIn(dataFolder, error);
    return key ? sqlkit::openEncrypted(dataFolder / kFileName, *key, error) : nullptr;
}

bool createPatientTables(sqlkit::Connection& db, std::string* error) {
    if (db.exec(schemaSql(db.dialect()) + ";" + usedIdSchemaSql(db.dialect()))) return true;
    if (error) *error = db.lastError();
    return false;
}

std::string addPatient(const std::filesystem::path& dataFolder, const PatientRecord& patient) {
    dbcall::Session& s = session();
    if (s.attach(dataFolder.string().c_str()) == dbcall::Session::Attach::FileMissing)
        return (dataFolder / kFileName).string() + ": no patient database";
    std::vector<std::string> said;
    messages.install(
        [](void* c, const char* t) {
            static_cast<std::vector<std::string>*>(c)->push_back(sjis::toUtf8(t));
        },
        &said);
    const int result = createPatient(&patient);
    messages.install(nullptr, nullptr);
    s.detach();
    if (result == PATIENTBASE_OK) return {};
    const std::string message = said.empty() ? "" : said.back();
    if (message == Message::DuplicateId.utf8) return "the ID is in use";
    if (s.lastEngineText().empty()) return message;
    return message + " (" + s.lastEngineText() + ")";
}

int listPatients(const std::filesystem::path& dataFolder, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    const bool onServer =
        std::filesystem::is_regular_file(dataFolder / dbcall::kServerFileName, ec);
    const std::filesystem::path file =
        dataFolder / (onServer ? dbcall::kServerFileName : kFileName);
    if (!onServer && !std::filesystem::is_regular_file(file, ec)) {
        err << file.string() << ": no patient database\n";
        return 1;
    }
    std::string error;
    const dbcall::CallConnection db =
        dbcall::openDataFolder(dataFolder, kFileName, kPassword, &error);
    if (!db) {
        err << file.string() << ": cannot open: " << error << "\n";
        return 1;
    }
    std::string sql =
        "SELECT ID, PATIENT, MEMO, SEX, NENGO, YEAR, MONTH, DAY, TELEPHONE, TELEPHONE2, BYOUTO, "
        "REGIST";
    for (int slot = 0; slot < kSlotCount; ++slot) sql += ", " + stampColumn(slot);
    sqlkit::Statement rows = db->prepare(sql + " FROM Patient_Information ORDER BY ID");
    if (!rows.ok()) {
        err << file.string() << ": cannot read the register: " << rows.error() << "\n";
        return 1;
    }
    out << "ID\t氏名\tふりがな\t性別\t生年月日\t自宅電話\t携帯電話\t病棟\t登録日時\t薬歴\n";
    int count = 0;
    while (rows.step()) {
        SlotStamps slots;
        for (int slot = 0; slot < kSlotCount; ++slot)
            slots[slot] = parseStored(rows.text(12 + slot));
        out << rows.integer(0) << "\t" << rows.text(1) << "\t" << rows.text(2) << "\t"
            << sexText(rows.integer(3)) << "\t"
            << birthText(rows.integer(4), rows.integer(5), rows.integer(6), rows.integer(7)) << "\t"
            << rows.text(8) << "\t" << rows.text(9) << "\t" << rows.text(10) << "\t"
            << rows.text(11) << "\t" << historyText(slots) << "\n";
        ++count;
    }
    if (rows.failed()) {
        err << file.string() << ": reading the register failed: " << rows.error() << "\n";
        return 1;
    }
    out << count << " patients\n";
    return 0;
}

bool readAuditTrail(const std::filesystem::path& dataFolder, std::vector<audit::Row>& rows,
                    std::string* error) {
    return dbcall::readFolderAudit(dataFolder, kFileName, kPassword, rows, error);
}

}  // namespace patientbase
