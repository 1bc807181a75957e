#include "record_io.h"

namespace drugbase {
namespace {

dbcall::FieldPlace place(const Column& c) {
    return {c.offset, c.width, c.type == ColumnType::Text};
}

}  // namespace

std::string_view fieldText(const DrugRecord& record, const Column& c) {
    return dbcall::fieldText(&record, place(c));
}

std::int32_t fieldNumber(const DrugRecord& record, const Column& c) {
    return dbcall::fieldNumber(&record, place(c));
}

void readRecord(const sqlkit::Statement& row, DrugRecord& record) {
    std::string scratch;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (kColumns[i].width != 0)
            dbcall::readField(row, static_cast<int>(i), &record, place(kColumns[i]), scratch);
    }
}

void bindField(sqlkit::Statement& statement, int index, const DrugRecord& record, const Column& c) {
    dbcall::bindField(statement, index, &record, place(c));
}

}  // namespace drugbase
