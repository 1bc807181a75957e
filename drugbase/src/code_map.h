// Table Code_Map: what each レセ電 code of the public drug master stands for. It lives beside
// Medicine_Information in the drug file and leaves that table as it is.
#pragma once

#include <string>

#include "sqlkit/dialect.h"

namespace drugbase {

inline constexpr const char* kCodeMapColumns = "RECEIPTCODE, YJCODE, GENERALNAMECODE, GENERALNAME";

// Creates the table and its index unless the file has them: part of a new file's schema and
// run again before the first use of an older file.
std::string codeMapSchemaSql(const sqlkit::Dialect& dialect);

}  // namespace drugbase
