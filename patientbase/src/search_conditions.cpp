#include "search_conditions.h"

#include <charconv>

#include "sjis/sjis.h"
#include "sqlkit/dialect.h"

namespace patientbase {
namespace {

constexpr std::size_t kCellWidth = 256;

std::string_view cell(const char* cells, int n) {
    return cells ? sjis::fieldText(cells + n * kCellWidth, kCellWidth) : std::string_view();
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool parseDecimal(std::string_view text, long long& value) {
    text = trimBlanks(text);
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

SearchConditions::SearchConditions(const SearchArguments& a, const sqlkit::Dialect& dialect)
    : dialect_(dialect) {
    addSubstring("PATIENT", cell(a.texts, 0));
    addSubstring("BYOUTO", cell(a.texts, 1));
    addSubstring("TELEPHONE", cell(a.texts, 2));
    addSubstring("TELEPHONE2", cell(a.texts, 3));
    addCode("SEX", a.codes ? a.codes[0] : 0);
    addCode("NENGO", a.codes ? a.codes[1] : 0);
    addBirthPart("YEAR", cell(a.birth, 0));
    addBirthPart("MONTH", cell(a.birth, 1));
    addBirthPart("DAY", cell(a.birth, 2));
}

void SearchConditions::addClause(const std::string& clause, Value value) {
    where_ += where_.empty() ? " WHERE " : " AND ";
    where_ += clause;
    values_.push_back(std::move(value));
}

void SearchConditions::addSubstring(const char* column, std::string_view text) {
    if (text.empty()) return;
    // A literal substring: quotes, "%", "_" and "*" in the text match themselves.
    addClause(std::string(column) + " " + std::string(dialect_.likeAnyCase) +
                  " '%' || ? || '%' ESCAPE '\\'",
              {Value::Kind::Pattern, sqlkit::likeLiteral(sjis::toUtf8(text))});
}

void SearchConditions::addCode(const char* column, std::int32_t code) {
    if (code > 0) addClause(std::string(column) + " = ?", {Value::Kind::Number, {}, code});
}

void SearchConditions::addBirthPart(const char* column, std::string_view text) {
    if (text.empty()) return;
    long long number = 0;
    // A text that is not a number keeps its condition, which then matches nothing.
    const bool isNumber = parseDecimal(text, number);
    addClause(std::string(column) + " = ?",
              {isNumber ? Value::Kind::Number : Value::Kind::Nothing, {}, number});
}

void SearchConditions::bind(sqlkit::Statement& statement) const {
    int index = 1;
    for (const Value& v : values_) {
        if (v.kind == Value::Kind::Pattern)
            statement.bindMatch(index, v.pattern);
        else if (v.kind == Value::Kind::Number)
            statement.bindInt(index, v.number);
        else
            statement.bindNull(index);
        ++index;
    }
}

}  // namespace patientbase
