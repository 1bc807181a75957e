// Table Code_Map: what each レセ電 code of the public drug master stands for, with the master's
// unit, price and generic flag. It lives beside Medicine_Information in the drug file and
// leaves that table as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sqlkit/dialect.h"

namespace sqlkit {
class Connection;
}

namespace drugbase {

inline constexpr const char* kCodeMapColumns = "RECEIPTCODE, YJCODE, GENERALNAMECODE, GENERALNAME";
// The master's facts kept beside the code: TANNI the unit, PRICE the price per unit in
// hundredths of a yen (NULL when the master's text is not a price), GENERIC 1 for a generic,
// GENERICGROUP what a brand and its generics share (the first nine characters of the general-
// name code, or of the YJ code without one).
inline constexpr const char* kMasterFactColumns = "TANNI, PRICE, GENERIC, GENERICGROUP";

// Creates the table and its index unless the file has them: part of a new file's schema and
// run again before the first use of an older file.
std::string codeMapSchemaSql(const sqlkit::Dialect& dialect);

// The indexes of the master's facts: of a brand's generics and of a YJ code.
std::string masterFactIndexSql();

// Whether Code_Map is there with the master's fact columns. A failed probe breaks a server's
// transaction: ask outside one.
bool hasMasterFacts(sqlkit::Connection& db);

// Adds the master's fact columns and their indexes to a Code_Map made before they were kept;
// nothing when it has them. Outside a transaction. False with the engine's text.
bool addMasterFactColumns(sqlkit::Connection& db, std::string* error);

// A price as the master writes it ("9.50", "12", "1234.5") in hundredths of a yen; nothing
// for a text that is not a price with at most two decimals.
std::optional<long long> priceHundredths(std::string_view text);

// The group a brand shares with its generics, from the general-name code or the YJ code.
std::string genericGroup(std::string_view generalNameCode, std::string_view yjcode);

}  // namespace drugbase
