#include "catalogue_admin.h"

#include <charconv>
#include <cstdint>
#include <set>

#include "columns.h"
#include "dbcall/session.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlkit.h"
#include "user_photos.h"

namespace drugbase {
namespace {

std::string valueOf(const SuppliedDrug& drug, const char* name) {
    const auto it = drug.find(name);
    return it == drug.end() ? std::string() : it->second;
}

bool parseInt(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end && value >= INT32_MIN && value <= INT32_MAX;
}

// The value stored for column `c` of a supplied drug.
void bindSupplied(sqlkit::Statement& s, int index, const Column& c, const SuppliedDrug& drug) {
    const std::string_view name = c.name;
    if (name == "LISTNAME") {
        s.bindText(index, valueOf(drug, "PRODUCTNAME"));
    } else if (name == "OPTION1") {
        s.bindInt(index, codeSortClass(sjis::fromUtf8(valueOf(drug, "CODE"))));
    } else if (name == "ORIDGINAL") {
        s.bindInt(index, 0);
    } else if (c.width == 0) {
        s.bindNull(index);
    } else if (c.type == ColumnType::Text) {
        s.bindText(index, valueOf(drug, c.name));
    } else {
        long long value = name == "LISTHYOUJI" ? 1 : 0;
        const std::string text = valueOf(drug, c.name);
        if (!text.empty()) parseInt(text, value);
        s.bindInt(index, value);
    }
}

std::string insertSql() {
    std::string placeholders;
    for (std::size_t i = 0; i < kColumns.size(); ++i) placeholders += i ? ", ?" : "?";
    return "INSERT INTO Medicine_Information (" + allColumnNames() + ") VALUES (" + placeholders +
           ")";
}

}  // namespace

SuppliedInsert::SuppliedInsert(sqlkit::Connection& db) : insert_(db.prepare(insertSql())) {
    if (ensureNameKeys(db))
        keys_.emplace(db);
    else
        keysError_ = db.lastError();
}

const std::string& SuppliedInsert::error() const {
    if (!insert_.ok() || insert_.failed()) return insert_.error();
    return keys_ ? keys_->error() : keysError_;
}

bool SuppliedInsert::add(const SuppliedDrug& drug) {
    insert_.reset();
    for (std::size_t k = 0; k < kColumns.size(); ++k)
        bindSupplied(insert_, static_cast<int>(k + 1), kColumns[k], drug);
    insert_.step();
    return !insert_.failed() && keys_ && keys_->add(valueOf(drug, "PRODUCTNAME"));
}

bool createCatalogue(const std::filesystem::path& dataFolder, std::string* error) {
    const auto key = folderkey::fileKeyIn(dataFolder, error);
    return key && sqlkit::createEncrypted(dataFolder / kFileName, *key,
                                          schemaSql(sqlkit::sqlcipherDialect()), error) != nullptr;
}

sqlkit::ConnectionPtr openCatalogueFile(const std::filesystem::path& dataFolder,
                                        std::string* error) {
    const auto key = folderkey::fileKeyIn(dataFolder, error);
    return key ? sqlkit::openEncrypted(dataFolder / kFileName, *key, error) : nullptr;
}

std::shared_ptr<sqlkit::Connection> openCatalogue(const std::filesystem::path& dataFolder,
                                                  std::string* error) {
    return dbcall::openDataFolder(dataFolder, kFileName, kPassword, error);
}

bool createCatalogueTables(sqlkit::Connection& db, std::string* error) {
    if (db.exec(schemaSql(db.dialect()))) return true;
    if (error) *error = db.lastError();
    return false;
}

bool createUserPhotoTable(sqlkit::Connection& db, std::string* error) {
    if (db.exec(userPhotoSchemaSql(db.dialect()))) return true;
    if (error) *error = db.lastError();
    return false;
}

bool isLoadableColumn(const std::string& name) {
    for (const Column& c : kColumns)
        if (name == c.name) return c.width != 0 && name != "ORIDGINAL";
    return false;
}

std::string checkSuppliedDrug(const SuppliedDrug& drug) {
    for (const auto& [name, value] : drug) {
        if (!isLoadableColumn(name)) return "column " + name + " cannot be loaded";
        const Column& c = column(name);
        if (c.type == ColumnType::Number) {
            long long n;
            if (!value.empty() && !parseInt(value, n))
                return name + " is not a whole number: " + value;
            continue;
        }
        std::string bytes;
        if (!sjis::fromUtf8(value, bytes)) return name + " holds a character Shift-JIS lacks";
        if (bytes.size() >= c.width)
            return name + " is longer than " + std::to_string(c.width - 1) + " bytes";
    }
    if (valueOf(drug, "YJCODE").empty()) return "YJCODE is empty";
    if (valueOf(drug, "PRODUCTNAME").empty()) return "PRODUCTNAME is empty";
    return {};
}

LoadResult addSuppliedDrugs(const std::filesystem::path& dataFolder,
                            const std::vector<SuppliedDrug>& drugs) {
    LoadResult result;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < drugs.size(); ++i) {
        result.failedIndex = i;
        result.reason = checkSuppliedDrug(drugs[i]);
        if (result.reason.empty() && !seen.insert(valueOf(drugs[i], "YJCODE")).second)
            result.reason = "YJ code " + valueOf(drugs[i], "YJCODE") + " is given twice";
        if (!result.reason.empty()) return result;
    }
    std::string error;
    const std::shared_ptr<sqlkit::Connection> db = openCatalogue(dataFolder, &error);
    if (!db) {
        result.failedIndex = drugs.size();
        result.reason = "cannot open the catalogue: " + error;
        return result;
    }
    // A failure of the engine is about the file, not about a drug.
    const auto engineFailure = [&](const char* what, const std::string& engineText) {
        result.failedIndex = drugs.size();
        result.reason = std::string(what) + engineText;
        return result;
    };
    // A damaged file is refused before anything is written to it.
    if (std::string problem; !db->checkIntegrity(&problem))
        return engineFailure("the catalogue file is damaged: ", problem);
    // The whole load stays in memory until the commit, so a program reading the catalogue
    // meanwhile waits at most for the commit.
    db->exec(db->dialect().bulkWrite);
    db->setBusyWait(dbcall::kWriteWait);
    sqlkit::Transaction transaction(*db);
    if (!transaction.began()) return engineFailure("cannot write the catalogue: ", db->lastError());
    sqlkit::Statement exists = db->prepare("SELECT 1 FROM Medicine_Information WHERE YJCODE = ?");
    SuppliedInsert insert(*db);
    if (!exists.ok() || !insert.ok())
        return engineFailure("cannot write the catalogue: ", exists.error() + insert.error());
    for (std::size_t i = 0; i < drugs.size(); ++i) {
        exists.reset();
        exists.bindMatch(1, valueOf(drugs[i], "YJCODE"));
        if (exists.step()) {
            result.failedIndex = i;
            result.reason =
                "YJ code " + valueOf(drugs[i], "YJCODE") + " is already in the catalogue";
            return result;
        }
        if (exists.failed()) return engineFailure("cannot read the catalogue: ", exists.error());
        if (!insert.add(drugs[i]))
            return engineFailure("cannot write the catalogue: ", insert.error());
    }
    const audit::Entry entry{audit::Action::CatalogueLoad, 0,
                             std::to_string(drugs.size()) + " drugs"};
    if (std::string error; !audit::append(*db, entry, &error))
        return engineFailure("cannot write the audit trail: ", error);
    if (!transaction.commit())
        return engineFailure("cannot commit the catalogue: ", db->lastError());
    result.ok = true;
    return result;
}

bool readAuditTrail(const std::filesystem::path& dataFolder, std::vector<audit::Row>& rows,
                    std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(dataFolder / dbcall::kServerFileName, ec)) return true;
    return dbcall::readFolderAudit(dataFolder, kFileName, kPassword, rows, error);
}

}  // namespace drugbase
