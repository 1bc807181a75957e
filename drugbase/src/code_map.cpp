#include "code_map.h"

#include "sqlkit/sqlkit.h"

namespace drugbase {

namespace {

constexpr std::size_t kGroupLength = 9;

}  // namespace

std::string masterFactIndexSql() {
    return "CREATE INDEX IF NOT EXISTS Code_Map_GENERICGROUP ON Code_Map (GENERICGROUP, "
           "GENERIC, PRICE);"
           "CREATE INDEX IF NOT EXISTS Code_Map_YJCODE ON Code_Map (YJCODE)";
}

std::string codeMapSchemaSql(const sqlkit::Dialect& dialect) {
    const std::string text(dialect.textType);
    const std::string integer(dialect.integerType);
    std::string sql = "CREATE TABLE IF NOT EXISTS Code_Map (";
    sql += dialect.rowKeyDeclaration;
    sql += dialect.rowKeyDeclaration.empty() ? "" : ", ";
    sql += "RECEIPTCODE " + text + ", YJCODE " + text + ", GENERALNAMECODE " + text +
           ", GENERALNAME " + text + ", TANNI " + text + ", PRICE " + integer + ", GENERIC " +
           integer + ", GENERICGROUP " + text + ");";
    sql += "CREATE UNIQUE INDEX IF NOT EXISTS Code_Map_RECEIPTCODE ON Code_Map (RECEIPTCODE)";
    return sql;
}

bool hasMasterFacts(sqlkit::Connection& db) {
    sqlkit::Statement probe = db.prepare("SELECT GENERICGROUP FROM Code_Map WHERE 1 = 0");
    probe.step();
    return probe.ok() && !probe.failed();
}

bool addMasterFactColumns(sqlkit::Connection& db, std::string* error) {
    if (hasMasterFacts(db)) return true;
    const sqlkit::Dialect& dialect = db.dialect();
    const std::string text(dialect.textType);
    const std::string integer(dialect.integerType);
    const std::string sql = "ALTER TABLE Code_Map ADD COLUMN TANNI " + text +
                            ";ALTER TABLE Code_Map ADD COLUMN PRICE " + integer +
                            ";ALTER TABLE Code_Map ADD COLUMN GENERIC " + integer +
                            ";ALTER TABLE Code_Map ADD COLUMN GENERICGROUP " + text + ";" +
                            masterFactIndexSql();
    if (db.exec(sql)) return true;
    if (error) *error = db.lastError();
    return false;
}

std::optional<long long> priceHundredths(std::string_view text) {
    long long whole = 0;
    long long cents = 0;
    int decimals = -1;  // -1 before the point
    bool digits = false;
    for (char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
        } else if (c >= '0' && c <= '9' && decimals < 2 && whole < 1'000'000'000'000LL) {
            digits = true;
            if (decimals < 0) {
                whole = whole * 10 + (c - '0');
            } else {
                cents = cents * 10 + (c - '0');
                ++decimals;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    if (decimals == 1) cents *= 10;
    return whole * 100 + cents;
}

std::string genericGroup(std::string_view generalNameCode, std::string_view yjcode) {
    const std::string_view code = generalNameCode.empty() ? yjcode : generalNameCode;
    return std::string(code.substr(0, kGroupLength));
}

}  // namespace drugbase
