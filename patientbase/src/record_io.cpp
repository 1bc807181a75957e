#include "record_io.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "sjis/sjis.h"

namespace patientbase {
namespace {

char* fieldAt(PatientRecord& record, const RegisterField& f) {
    return reinterpret_cast<char*>(&record) + f.offset;
}

const char* fieldAt(const PatientRecord& record, const RegisterField& f) {
    return reinterpret_cast<const char*>(&record) + f.offset;
}

}  // namespace

std::int32_t int32Of(long long value) {
    return static_cast<std::int32_t>(std::clamp<long long>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string storedText(const char* text) {
    return sjis::toUtf8(text ? text : "");
}

const std::string& cp932(std::string_view utf8, std::string& out) {
    sjis::fromUtf8(utf8, out);
    return out;
}

void readRecord(const sqlkit::Statement& row, int firstColumn, PatientRecord& record) {
    std::string text;
    int column = firstColumn;
    for (const RegisterField& f : kRegisterFields) {
        if (f.isText()) {
            sjis::copyField(fieldAt(record, f), f.width, cp932(row.text(column), text));
        } else {
            const std::int32_t value = int32Of(row.integer(column));
            std::memcpy(fieldAt(record, f), &value, sizeof value);
        }
        ++column;
    }
}

void bindRecord(sqlkit::Statement& statement, int firstIndex, const PatientRecord& record) {
    int index = firstIndex;
    for (const RegisterField& f : kRegisterFields) {
        if (f.isText()) {
            // At most width - 1 bytes, so the stored text fits the field again when read back.
            const std::string_view text = sjis::fieldText(fieldAt(record, f), f.width);
            statement.bindText(index,
                               sjis::toUtf8(text.substr(0, sjis::cutLength(text, f.width - 1))));
        } else {
            std::int32_t value;
            std::memcpy(&value, fieldAt(record, f), sizeof value);
            statement.bindInt(index, value);
        }
        ++index;
    }
}

}  // namespace patientbase
