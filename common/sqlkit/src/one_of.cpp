#include "sqlkit/one_of.h"

#include <limits>

namespace sqlkit {

std::size_t oneOfLimit(const Dialect& dialect) {
    // The files take at most 999 parameters in a statement; a batch leaves room for others.
    return dialect.textArrays ? std::numeric_limits<std::size_t>::max() : 500;
}

std::string oneOf(const Dialect& dialect, std::string_view column, std::size_t count) {
    std::string sql(column);
    if (dialect.textArrays) return sql + " = ANY(?::text[])";
    sql += " IN (";
    for (std::size_t i = 0; i < count; ++i) sql += i ? ", ?" : "?";
    return sql + ")";
}

int bindOneOf(Statement& statement, const Dialect& dialect, int first,
              const std::vector<std::string>& texts) {
    if (!dialect.textArrays) {
        for (const std::string& text : texts) statement.bindMatch(first++, text);
        return first;
    }
    // An array literal with every element quoted, so commas, braces, spaces and the word NULL
    // stay texts.
    std::string array = "{";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        array += i ? ",\"" : "\"";
        for (char c : texts[i]) {
            if (c == '"' || c == '\\') array += '\\';
            array += c;
        }
        array += '"';
    }
    statement.bindMatch(first, array + "}");
    return first + 1;
}

}  // namespace sqlkit
