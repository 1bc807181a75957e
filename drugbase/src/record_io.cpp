#include "record_io.h"

#include <cstring>

#include "sjis/sjis.h"

namespace drugbase {
namespace {

char* fieldAt(DrugRecord& record, const Column& c) {
    return reinterpret_cast<char*>(&record) + c.offset;
}

const char* fieldAt(const DrugRecord& record, const Column& c) {
    return reinterpret_cast<const char*>(&record) + c.offset;
}

}  // namespace

const std::string& cp932(std::string_view utf8, std::string& out) {
    sjis::fromUtf8(utf8, out);
    return out;
}

std::string_view fieldText(const DrugRecord& record, const Column& c) {
    return sjis::fieldText(fieldAt(record, c), c.width);
}

void readRecord(const sqlkit::Statement& row, DrugRecord& record) {
    std::string text;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const Column& c = kColumns[i];
        if (c.width == 0) continue;
        const int index = static_cast<int>(i);
        if (c.type == ColumnType::Text) {
            sjis::copyField(fieldAt(record, c), c.width, cp932(row.text(index), text));
        } else {
            const auto value = static_cast<std::int32_t>(row.integer(index));
            std::memcpy(fieldAt(record, c), &value, sizeof value);
        }
    }
}

void bindField(sqlkit::Statement& statement, int index, const DrugRecord& record, const Column& c) {
    if (c.type == ColumnType::Text) {
        statement.bindText(index, sjis::toUtf8(fieldText(record, c)));
    } else {
        std::int32_t value;
        std::memcpy(&value, fieldAt(record, c), sizeof value);
        statement.bindInt(index, value);
    }
}

}  // namespace drugbase
