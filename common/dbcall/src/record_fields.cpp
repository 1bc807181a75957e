#include "dbcall/record_fields.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sjis/sjis.h"

namespace dbcall {
namespace {

char* at(void* record, const FieldPlace& f) {
    return static_cast<char*>(record) + f.offset;
}

const char* at(const void* record, const FieldPlace& f) {
    return static_cast<const char*>(record) + f.offset;
}

}  // namespace

std::int32_t int32Of(long long value) {
    return static_cast<std::int32_t>(std::clamp<long long>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

const std::string& cp932(std::string_view utf8, std::string& out) {
    sjis::fromUtf8(utf8, out);
    return out;
}

std::string_view fieldText(const void* record, const FieldPlace& f) {
    return sjis::fieldText(at(record, f), f.width);
}

std::int32_t fieldNumber(const void* record, const FieldPlace& f) {
    std::int32_t value;
    std::memcpy(&value, at(record, f), sizeof value);
    return value;
}

void readField(const sqlkit::Statement& row, int column, void* record, const FieldPlace& f,
               std::string& scratch) {
    if (f.isText) {
        sjis::copyField(at(record, f), f.width, cp932(row.text(column), scratch));
    } else {
        const std::int32_t value = int32Of(row.integer(column));
        std::memcpy(at(record, f), &value, sizeof value);
    }
}

void bindField(sqlkit::Statement& statement, int index, const void* record, const FieldPlace& f) {
    if (f.isText) {
        const std::string_view text = fieldText(record, f);
        statement.bindText(index, sjis::toUtf8(text.substr(0, sjis::cutLength(text, f.width - 1))));
    } else {
        statement.bindInt(index, fieldNumber(record, f));
    }
}

bool sameField(const void* a, const void* b, const FieldPlace& field) {
    if (field.isText) return fieldText(a, field) == fieldText(b, field);
    return fieldNumber(a, field) == fieldNumber(b, field);
}

}  // namespace dbcall
