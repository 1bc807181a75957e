#include "search_conditions.h"

#include <charconv>

#include "reading_key.h"
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
    addName(cell(a.texts, 0));
    addSubstring("BYOUTO", cell(a.texts, 1));
    addSubstring("TELEPHONE", cell(a.texts, 2));
    addSubstring("TELEPHONE2", cell(a.texts, 3));
    addCode("SEX", a.codes ? a.codes[0] : 0);
    addCode("NENGO", a.codes ? a.codes[1] : 0);
    addBirthPart("YEAR", cell(a.birth, 0));
    addBirthPart("MONTH", cell(a.birth, 1));
    addBirthPart("DAY", cell(a.birth, 2));
}

void SearchConditions::addClause(const std::string& clause, std::vector<Value> values) {
    where_ += where_.empty() ? " WHERE " : " AND ";
    where_ += clause;
    for (Value& v : values) values_.push_back(std::move(v));
}

std::string SearchConditions::contains(const char* column) const {
    // A literal substring: quotes, "%", "_" and "*" in the text match themselves.
    return std::string(column) + " " + std::string(dialect_.likeAnyCase) +
           " '%' || ? || '%' ESCAPE '\\'";
}

SearchConditions::Value SearchConditions::pattern(std::string_view cp932) {
    return {Value::Kind::Pattern, sqlkit::likeLiteral(sjis::toUtf8(cp932))};
}

void SearchConditions::addSubstring(const char* column, std::string_view text) {
    if (!text.empty()) addClause(contains(column), {pattern(text)});
}

void SearchConditions::addName(std::string_view text) {
    if (!isKanaOnly(readingKey(text))) {
        addSubstring("PATIENT", text);
        return;
    }
    // Kana may be the reading kept in MEMO, stored in hiragana, katakana or half-width katakana;
    // a blank typed matches a blank of the same width as the script (full, or half in ｶﾅ).
    const std::string hiragana = sjis::kataToHira(sjis::toFullWidth(text));
    const std::string katakana = sjis::hiraToKata(hiragana);
    addClause("(" + contains("PATIENT") + " OR " + contains("MEMO") + " OR " + contains("MEMO") +
                  " OR " + contains("MEMO") + ")",
              {pattern(text), pattern(hiragana), pattern(katakana),
               pattern(sjis::toHalfWidth(katakana))});
}

void SearchConditions::addCode(const char* column, std::int32_t code) {
    if (code > 0) addClause(std::string(column) + " = ?", {{Value::Kind::Number, {}, code}});
}

void SearchConditions::addBirthPart(const char* column, std::string_view text) {
    if (text.empty()) return;
    long long number = 0;
    // A text that is not a number keeps its condition, which then matches nothing.
    const bool isNumber = parseDecimal(text, number);
    addClause(std::string(column) + " = ?",
              {{isNumber ? Value::Kind::Number : Value::Kind::Nothing, {}, number}});
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
