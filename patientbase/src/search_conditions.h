// The WHERE clause of the combined patient search, with every typed value as a bound parameter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sqlkit/dialect.h"
#include "sqlkit/statement.h"

namespace patientbase {

// The search arguments as they cross the boundary; any pointer may be NULL.
struct SearchArguments {
    const char* texts = nullptr;          // 4 cells of 256 bytes: name, ward, home, mobile
    const std::int32_t* codes = nullptr;  // sex, era
    const char* birth = nullptr;          // 3 cells of 256 bytes: year, month, day
};

class SearchConditions {
  public:
    // `dialect` is that of the engine the clause is sent to.
    SearchConditions(const SearchArguments& arguments, const sqlkit::Dialect& dialect);

    // "" or " WHERE c1 AND c2 ...", in the fixed order name, ward, home telephone, mobile
    // telephone, sex, era, year, month, day.
    const std::string& whereClause() const { return where_; }
    // Binds the values of the clause from parameter 1 on.
    void bind(sqlkit::Statement& statement) const;

  private:
    struct Value {
        enum class Kind { Pattern, Number, Nothing } kind;
        std::string pattern;
        long long number = 0;
    };
    // "column LIKE '%' || ? || '%'" in the engine's any-case form.
    std::string contains(const char* column) const;
    static Value pattern(std::string_view cp932);
    void addSubstring(const char* column, std::string_view text);
    // The name substring; kana also match the reading in MEMO in any of its three scripts.
    void addName(std::string_view text);
    void addCode(const char* column, std::int32_t code);
    void addBirthPart(const char* column, std::string_view text);
    void addClause(const std::string& clause, std::vector<Value> values);

    const sqlkit::Dialect& dialect_;
    std::string where_;
    std::vector<Value> values_;
};

// A typed decimal integer: optional blanks around an optional sign and digits; nothing else.
bool parseDecimal(std::string_view text, long long& value);

}  // namespace patientbase
