// The columns of Medicine_Information in table order, and where each lives in a DrugRecord.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "drugbase.h"
#include "folderkey/file_key.h"
#include "sqlkit/dialect.h"

namespace drugbase {

inline constexpr const char* kTable = "Medicine_Information";
inline constexpr const char* kFileName = "薬剤ファイル.mdb";
inline constexpr const char* kPassword = folderkey::kBuiltInPassword;

enum class ColumnType { Text, Number };

struct Column {
    const char* name;
    ColumnType type;
    std::size_t offset;  // position in DrugRecord
    std::size_t width;   // field width in DrugRecord; 0 = the column has no field
};

inline constexpr std::size_t kColumnCount = 43;
extern const std::array<Column, kColumnCount> kColumns;

const Column& column(std::string_view name);

// CREATE TABLE and the indexes that keep every lookup and list order on an index.
std::string schemaSql(const sqlkit::Dialect& dialect);

// " WHERE YJCODE = ? ORDER BY <row key> LIMIT 1": the first drug with a YJ code in table
// order, the row a find on the table meets.
std::string firstWithCode(const sqlkit::Dialect& dialect);
// "SELECT <row key> FROM Medicine_Information" and the same condition.
std::string keyOfFirstWithCode(const sqlkit::Dialect& dialect);

// "c1, c2, ..." for every column in table order.
std::string allColumnNames();

// OPTION1 of an N code: 0 when it begins with a double-byte character, else -1.
int codeSortClass(std::string_view cp932Code);

}  // namespace drugbase
