#include "columns.h"

#include <stdexcept>

#include "code_map.h"
#include "sjis/sjis.h"
#include "user_photos.h"

namespace drugbase {
namespace {

constexpr auto T = ColumnType::Text;
constexpr auto N = ColumnType::Number;

#define FIELD(name, type)                                                 \
    Column {                                                              \
#name, type, offsetof(DrugRecord, name), sizeof(DrugRecord::name) \
    }
#define DERIVED(name, type) \
    Column {                \
#name, type, 0, 0   \
    }

}  // namespace

const std::array<Column, kColumnCount> kColumns = {
    FIELD(YJCODE, T),       FIELD(PRODUCTNAME, T),  DERIVED(LISTNAME, T), FIELD(CODE, T),
    FIELD(GENERALNAME, T),  FIELD(TANNI, T),        FIELD(YAKUKA, T),     FIELD(COMPANY, T),
    FIELD(KOKUJI, T),       FIELD(HONTAICODE, T),   FIELD(HOUSOUCODE, T), FIELD(COLOR, T),
    FIELD(WARISEN, T),      FIELD(TOUYOKEIRO, T),   FIELD(SAIBUNRUI, T),  FIELD(ZAIKEI, T),
    FIELD(YOUHOU, T),       FIELD(KUBUN, T),        FIELD(KEIKASOCHI, T), FIELD(SAYOA, T),
    FIELD(SAYOB, T),        FIELD(SAYOC1, T),       FIELD(SAYOC2, T),     FIELD(SAYO_TOROKU, T),
    FIELD(CYUUI, T),        FIELD(CYUUI_TOROKU, T), FIELD(MEMO, T),       FIELD(SAYO_HYOUJI, N),
    FIELD(CYUUI_HYOUJI, N), FIELD(PHOTO1, N),       FIELD(PHOTO2, N),     FIELD(PHOTO3, N),
    FIELD(PHOTO4, N),       FIELD(PHOTO5, N),       FIELD(PHOTO6, N),     FIELD(PHOTO_TOROKU, T),
    FIELD(PHOTO_HYOUJI, N), FIELD(LISTHYOUJI, N),   FIELD(ORIDGINAL, N),  DERIVED(OPTION1, N),
    DERIVED(OPTION2, N),    DERIVED(OPTION3, T),    DERIVED(OPTION4, T),
};

#undef FIELD
#undef DERIVED

const Column& column(std::string_view name) {
    for (const Column& c : kColumns)
        if (name == c.name) return c;
    throw std::invalid_argument("no such column");
}

std::string allColumnNames() {
    std::string out;
    for (const Column& c : kColumns) {
        if (!out.empty()) out += ", ";
        out += c.name;
    }
    return out;
}

std::string firstWithCode(const sqlkit::Dialect& dialect) {
    return " WHERE YJCODE = ? ORDER BY " + std::string(dialect.rowKey) + " LIMIT 1";
}

std::string keyOfFirstWithCode(const sqlkit::Dialect& dialect) {
    return "SELECT " + std::string(dialect.rowKey) + " FROM " + kTable + firstWithCode(dialect);
}

std::string schemaSql(const sqlkit::Dialect& dialect) {
    std::string sql = std::string("CREATE TABLE ") + kTable + " (";
    sql += dialect.rowKeyDeclaration;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        sql += i || !dialect.rowKeyDeclaration.empty() ? ", " : "";
        sql += kColumns[i].name;
        sql += " ";
        sql += kColumns[i].type == ColumnType::Text ? dialect.textType : dialect.integerType;
    }
    sql += ");";
    // The name-order index covers every column the lists and the composite search read, so
    // they walk the index instead of decrypting the wide rows with their memo texts.
    sql +=
        "CREATE INDEX Medicine_YJCODE ON Medicine_Information (YJCODE);"
        "CREATE INDEX Medicine_CODE ON Medicine_Information (CODE);"
        "CREATE INDEX Medicine_NameOrder ON Medicine_Information (PRODUCTNAME, COMPANY, TANNI, "
        "CODE, YJCODE, LISTNAME, GENERALNAME, TOUYOKEIRO, ZAIKEI);"
        "CREATE INDEX Medicine_CodeOrder ON Medicine_Information (OPTION1, CODE, COMPANY, TANNI, "
        "PRODUCTNAME, YJCODE);"
        "CREATE INDEX Medicine_GeneralName ON Medicine_Information (GENERALNAME, PRODUCTNAME, "
        "COMPANY, TANNI, LISTNAME, YJCODE);";
    sql += codeMapSchemaSql(dialect) + ";" + masterFactIndexSql() + ";";
    sql += userPhotoSchemaSql(dialect);
    return sql;
}

int codeSortClass(std::string_view cp932Code) {
    return !cp932Code.empty() && sjis::isLeadByte(static_cast<unsigned char>(cp932Code[0])) ? 0
                                                                                            : -1;
}

}  // namespace drugbase
