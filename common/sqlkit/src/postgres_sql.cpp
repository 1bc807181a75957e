#include "postgres_sql.h"

namespace sqlkit::detail {

std::string numberedParameters(std::string_view sql, int* count) {
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
    if (count) *count = next - 1;
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

std::optional<Keywords> keywordsOf(std::string_view conninfo, std::string* problem) {
    const std::string text(conninfo);
    char* parseError = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.c_str(), &parseError);
    if (!options) {
        std::string reason = parseError ? parseError : "the connection string cannot be read";
        PQfreemem(parseError);
        if (const auto end = reason.find('\n'); end != std::string::npos) reason.resize(end);
        if (problem) *problem = reason;
        return std::nullopt;
    }
    Keywords given;
    for (const PQconninfoOption* o = options; o->keyword; ++o)
        if (o->val && *o->val) given.emplace(o->keyword, o->val);
    PQconninfoFree(options);
    return given;
}

Fault faultOf(const PGresult* result, const PGconn* connection) {
    if (!connection || PQstatus(connection) != CONNECTION_OK) return Fault::Lost;
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const std::string_view code = state ? state : "";
    // lock_not_available (lock_timeout), query_canceled (a timeout that cancelled the wait).
    if (code == "55P03" || code == "57014") return Fault::Busy;
    // connection_exception, and the server shutting down or not yet accepting sessions.
    if (code.starts_with("08") || code.starts_with("57P0")) return Fault::Lost;
    return Fault::Other;
}

}  // namespace sqlkit::detail
