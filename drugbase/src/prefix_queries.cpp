// Brief reads of drugs (YJ code, name, form, N code) for matching a prescription: by the start
// of their YJ code or product name, read as ranges on the column's index so that a lookup reads
// the few rows it finds, not the catalogue; by the name key of their product name; and by one
// YJ code without the drug's texts.
#include <string>
#include <vector>

#include "columns.h"
#include "name_keys.h"
#include "record_io.h"
#include "session.h"
#include "sinks.h"
#include "sjis/sjis.h"

using namespace drugbase;

namespace {

// The least text above every text that starts with `utf8`: its last character moved on by
// one code point (skipping the surrogates), which stays valid UTF-8 for the server.
std::string pastPrefix(std::string utf8) {
    std::size_t start = utf8.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80) --start;
    const auto byte = [&](std::size_t i) { return char32_t(static_cast<unsigned char>(utf8[i])); };
    const std::size_t length = utf8.size() - start;
    char32_t c = length == 1 ? byte(start) : byte(start) & (0xFF >> (length + 1));
    for (std::size_t i = start + 1; i < utf8.size(); ++i) c = c << 6 | (byte(i) & 0x3F);
    c = c == 0xD7FF ? 0xE000 : c + 1;
    utf8.resize(start);
    if (c < 0x80) {
        utf8 += char(c);
    } else if (c < 0x800) {
        utf8 += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        utf8 += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    } else {
        utf8 += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
                 char(0x80 | (c & 0x3F))};
    }
    return utf8;
}

// Hands the rows of `rows` (YJCODE, PRODUCTNAME, ZAIKEI, CODE) to `drugs` as list-view items.
int listBriefs(const dbcall::Call& call, sqlkit::Statement& rows, const DrugListViewSink* drugs) {
    std::string text;
    int item = 0;
    return outcome(call.walk(rows, [&](const sqlkit::Statement& row) {
        insert(drugs, item, cp932(row.text(0), text));
        for (int c = 1; c < 4; ++c) set(drugs, item, c, cp932(row.text(c), text));
        ++item;
        return true;
    }));
}

// Reads `sql` with its texts bound in order and hands the rows to `drugs`.
int readBriefs(const std::string& sql, const std::vector<std::string>& bounds,
               const DrugListViewSink* drugs) {
    dbcall::Call call(session());
    if (!call.opened()) return DRUGBASE_DB_FAILURE;
    auto rows = call.prepare(sql);
    if (!rows) return DRUGBASE_DB_FAILURE;
    for (std::size_t i = 0; i < bounds.size(); ++i)
        rows->bindMatch(static_cast<int>(i + 1), bounds[i]);
    return listBriefs(call, *rows, drugs);
}

constexpr const char* kBriefColumns = "SELECT YJCODE, PRODUCTNAME, ZAIKEI, CODE FROM ";

}  // namespace

extern "C" {

DRUGBASE_API int RecordStartsWith(int by, const char* const* prefixes, int count,
                                  const DrugListViewSink* drugs) {
    if (by != 0 && by != 1) return DRUGBASE_DB_FAILURE;
    const std::string column = by == 0 ? "YJCODE" : "PRODUCTNAME";
    std::vector<std::string> conditions, bounds;
    for (int i = 0; i < count; ++i) {
        const std::string low = sjis::toUtf8(prefixes[i] ? prefixes[i] : "");
        bounds.push_back(low);
        if (low.empty()) {
            conditions.push_back(column + " >= ?");
        } else {
            conditions.push_back(column + " >= ? AND " + column + " < ?");
            bounds.push_back(pastPrefix(low));
        }
    }
    if (conditions.empty()) return DRUGBASE_OK;
    const char* order = by == 0 ? " ORDER BY YJCODE, PRODUCTNAME, COMPANY, TANNI"
                                : " ORDER BY PRODUCTNAME, COMPANY, TANNI";
    // Several ranges are one range search each, joined by UNION (the row key keeps two equal
    // drugs apart and one drug found by two prefixes once): with the ranges ORed in one WHERE
    // the engine scans the whole name index instead (16 ranges over 40,000 drugs: 60 ms against
    // 1 ms). One range is read as it is.
    std::string sql = kBriefColumns + std::string("Medicine_Information WHERE ") + conditions[0];
    if (conditions.size() > 1) {
        std::string ranges;
        for (const std::string& condition : conditions)
            ranges += (ranges.empty() ? "" : " UNION ") + std::string("SELECT ") +
                      std::string(session().dialect().rowKey) +
                      " AS row_id, YJCODE, PRODUCTNAME, ZAIKEI, CODE, COMPANY, TANNI "
                      "FROM Medicine_Information WHERE " +
                      condition;
        sql = kBriefColumns + ("(" + ranges + ") AS starts");
    }
    return readBriefs(sql + order, bounds, drugs);
}

DRUGBASE_API int RecordBrief(const char* yjcode, const DrugListViewSink* drug) {
    return readBriefs(
        kBriefColumns + std::string("Medicine_Information") + firstWithCode(session().dialect()),
        {sjis::toUtf8(yjcode ? yjcode : "")}, drug);
}

DRUGBASE_API int RecordByNameKey(const char* key, const DrugListViewSink* drugs) {
    if (session().onServer()) return DRUGBASE_CONDITION;
    // A join rather than `IN (SELECT …)`, which would first build a temporary table of names.
    const std::string sql =
        "SELECT m.YJCODE, m.PRODUCTNAME, m.ZAIKEI, m.CODE FROM Name_Key AS k JOIN "
        "Medicine_Information AS m ON m.PRODUCTNAME = k.PRODUCTNAME WHERE k.NAMEKEY = ? "
        "ORDER BY m.PRODUCTNAME, m.COMPANY, m.TANNI";
    dbcall::Call call(session());
    if (!call.opened()) return DRUGBASE_DB_FAILURE;
    sqlkit::Statement rows = call.connection().prepare(sql);
    if (!rows.ok()) {
        // A file made before the name keys gets them once, at its first lookup by name.
        WriteCall build(session());
        if (!build.ok()) return DRUGBASE_DB_FAILURE;
        if (!ensureNameKeys(build.connection())) {
            build.report(Failure::Update, build.connection().lastError());
            return DRUGBASE_DB_FAILURE;
        }
        if (!build.commit()) return DRUGBASE_DB_FAILURE;
        auto again = call.prepare(sql);
        if (!again) return DRUGBASE_DB_FAILURE;
        rows = std::move(*again);
    }
    rows.bindMatch(1, sjis::toUtf8(key ? key : ""));
    return listBriefs(call, rows, drugs);
}

}  // extern "C"
