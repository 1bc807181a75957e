#include "table_copy.h"

#include <vector>

namespace dataserver {
namespace {

enum class Kind { Text, Integer, Blob };

struct FileColumn {
    std::string name;
    Kind kind;
};

long long failed(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return -1;
}

}  // namespace

long long copyTableRows(sqlkit::Connection& from, sqlkit::Connection& to, const std::string& table,
                        std::string* error) {
    sqlkit::Statement info = from.prepare("PRAGMA table_info(" + table + ")");
    std::vector<FileColumn> columns;
    while (info.step()) {
        const std::string_view type = info.text(2);
        columns.push_back({std::string(info.text(1)), type == "INTEGER" ? Kind::Integer
                                                      : type == "BLOB"  ? Kind::Blob
                                                                        : Kind::Text});
    }
    if (info.failed() || !info.ok()) return failed(error, table + ": " + info.error());
    if (columns.empty()) return 0;

    std::string names, placeholders;
    for (const FileColumn& c : columns) {
        names += (names.empty() ? "" : ", ") + c.name;
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    sqlkit::Statement rows = from.prepare("SELECT " + names + " FROM " + table + " ORDER BY rowid");
    sqlkit::Statement insert =
        to.prepare("INSERT INTO " + table + " (" + names + ") VALUES (" + placeholders + ")");
    if (!rows.ok() || !insert.ok())
        return failed(error, table + ": " + rows.error() + insert.error());
    long long copied = 0;
    while (rows.step()) {
        insert.reset();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int column = static_cast<int>(i);
            if (columns[i].kind == Kind::Text) {
                insert.bindText(column + 1, rows.text(column));
            } else if (rows.isNull(column)) {
                insert.bindNull(column + 1);
            } else if (columns[i].kind == Kind::Integer) {
                insert.bindInt(column + 1, rows.integer(column));
            } else {
                insert.bindBlob(column + 1, rows.blob(column));
            }
        }
        insert.step();
        if (insert.failed()) return failed(error, table + ": " + insert.error());
        ++copied;
    }
    if (rows.failed()) return failed(error, table + ": " + rows.error());
    return copied;
}

long long countRows(sqlkit::Connection& db, const std::string& table, std::string* error) {
    sqlkit::Statement count = db.prepare("SELECT count(*) FROM " + table);
    if (count.step()) return count.integer(0);
    return failed(error, table + ": " + count.error());
}

}  // namespace dataserver
