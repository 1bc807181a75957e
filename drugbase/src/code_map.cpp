#include "code_map.h"

namespace drugbase {

std::string codeMapSchemaSql(const sqlkit::Dialect& dialect) {
    const std::string text(dialect.textType);
    std::string sql = "CREATE TABLE IF NOT EXISTS Code_Map (";
    sql += dialect.rowKeyDeclaration;
    sql += dialect.rowKeyDeclaration.empty() ? "" : ", ";
    sql += "RECEIPTCODE " + text + ", YJCODE " + text + ", GENERALNAMECODE " + text +
           ", GENERALNAME " + text + ");";
    sql += "CREATE UNIQUE INDEX IF NOT EXISTS Code_Map_RECEIPTCODE ON Code_Map (RECEIPTCODE)";
    return sql;
}

}  // namespace drugbase
