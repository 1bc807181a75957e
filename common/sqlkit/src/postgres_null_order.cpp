// The files sort NULL before every value; PostgreSQL sorts it after. Empty texts are stored as
// NULL, so without this an empty code or name would move from the top of a list to its end.
#include <cctype>
#include <vector>

#include "postgres_sql.h"

namespace sqlkit::detail {
namespace {

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether the word `word` (upper case) starts at `at`, as a whole word.
bool wordAt(std::string_view sql, std::size_t at, std::string_view word) {
    if (at >= sql.size() || word.size() > sql.size() - at || (at > 0 && isWordChar(sql[at - 1])))
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(sql[at + i])) != word[i]) return false;
    return at + word.size() == sql.size() || !isWordChar(sql[at + word.size()]);
}

// Whether the words from `at` on are "INDEX" or "UNIQUE INDEX".
bool createsIndex(std::string_view sql, std::size_t at) {
    at = sql.find_first_not_of(" \t\r\n", at);
    if (wordAt(sql, at, "UNIQUE")) at = sql.find_first_not_of(" \t\r\n", at + 6);
    return wordAt(sql, at, "INDEX");
}

// The last word of an ordering term, upper case.
std::string lastWord(std::string_view term) {
    std::size_t end = term.size();
    while (end > 0 && !isWordChar(term[end - 1])) --end;
    std::size_t begin = end;
    while (begin > 0 && isWordChar(term[begin - 1])) --begin;
    std::string word(term.substr(begin, end - begin));
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// Where a sort list open at some depth is: the depth and where its current term began.
struct SortList {
    int depth;
    std::size_t termStart;  // in the output
};

void closeTerm(std::string& out, const SortList& list) {
    const std::string_view term = std::string_view(out).substr(list.termStart);
    if (term.find_first_not_of(" \t\r\n") == std::string_view::npos) return;
    const std::string last = lastWord(term);
    if (last == "FIRST" || last == "LAST") return;  // says where NULL goes itself
    std::size_t end = out.find_last_not_of(" \t\r\n");
    out.insert(end + 1, last == "DESC" ? " NULLS LAST" : " NULLS FIRST");
}

}  // namespace

std::string nullsFirst(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 32);
    std::vector<SortList> open;
    int depth = 0;
    char quote = 0;
    bool indexStatement = false, indexColumnsDone = false;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            if (c == quote) quote = 0;
            out += c;
            continue;
        }
        const bool listHere = !open.empty() && open.back().depth == depth;
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (wordAt(sql, i, "CREATE") && createsIndex(sql, i + 6)) {
            indexStatement = true;
            indexColumnsDone = false;
        } else if (wordAt(sql, i, "ORDER")) {
            const std::size_t by = sql.find_first_not_of(" \t\r\n", i + 5);
            if (by != std::string_view::npos && wordAt(sql, by, "BY")) {
                out.append(sql.substr(i, by + 2 - i));
                i = by + 1;
                open.push_back({depth, out.size()});
                continue;
            }
        } else if (listHere && (c == ',' || c == ';')) {
            closeTerm(out, open.back());
            if (c == ';') open.pop_back();
            out += c;
            if (c == ',') open.back().termStart = out.size();
            if (c == ';') indexStatement = false;
            continue;
        } else if (listHere && (wordAt(sql, i, "LIMIT") || wordAt(sql, i, "OFFSET") ||
                                wordAt(sql, i, "UNION") || wordAt(sql, i, "EXCEPT") ||
                                wordAt(sql, i, "INTERSECT") || wordAt(sql, i, "FOR"))) {
            closeTerm(out, open.back());
            open.pop_back();
        } else if (c == '(') {
            ++depth;
            out += c;
            // The column list of an index sorts like the list it serves.
            if (indexStatement && !indexColumnsDone) open.push_back({depth, out.size()});
            continue;
        } else if (c == ')') {
            if (listHere) {
                closeTerm(out, open.back());
                open.pop_back();
                if (indexStatement) indexColumnsDone = true;
            }
            --depth;
        } else if (c == ';') {
            indexStatement = false;
        }
        out += c;
    }
    while (!open.empty()) {
        closeTerm(out, open.back());
        open.pop_back();
    }
    return out;
}

}  // namespace sqlkit::detail
