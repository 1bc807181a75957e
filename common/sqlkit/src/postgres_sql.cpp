#include "postgres_sql.h"

namespace sqlkit::detail {

std::string numberedParameters(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 16);
    int next = 1;
    char quote = 0;  // the quote character of the text or name being copied
    for (char c : sql) {
        if (quote) {
            // A doubled quote closes and reopens the text, which copies the same.
            if (c == quote) quote = 0;
            out += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            out += c;
        } else if (c == '?') {
            out += '$' + std::to_string(next++);
        } else {
            out += c;
        }
    }
    return out;
}

std::string engineText(const PGresult* result, const PGconn* connection) {
    std::string text;
    if (result) {
        if (const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY))
            return primary;
        text = PQresultErrorMessage(result);
    }
    if (text.empty() && connection) text = PQerrorMessage(connection);
    if (text.empty()) text = "no answer from the database server";
    const auto end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace sqlkit::detail
