#include "name_keys.h"

#include "sjis/sjis.h"
#include "sqlkit/sqlcipher.h"

namespace drugbase {

bool keepsNameKeys(const sqlkit::Connection& db) {
    return &db.dialect() == &sqlkit::sqlcipherDialect();
}

bool ensureNameKeys(sqlkit::Connection& db) {
    if (!keepsNameKeys(db)) return true;
    sqlkit::Statement present =
        db.prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Name_Key'");
    if (present.step()) return true;
    if (present.failed() ||
        !db.exec("CREATE TABLE Name_Key (PRODUCTNAME TEXT PRIMARY KEY, NAMEKEY TEXT NOT NULL);"
                 "CREATE INDEX Name_Key_NAMEKEY ON Name_Key (NAMEKEY)"))
        return false;
    NameKeyInsert keys(db);
    sqlkit::Statement names = db.prepare("SELECT DISTINCT PRODUCTNAME FROM Medicine_Information");
    while (names.step())
        if (!keys.add(names.text(0))) return false;
    return keys.ok() && names.ok() && !names.failed();
}

NameKeyInsert::NameKeyInsert(sqlkit::Connection& db)
    : kept_(keepsNameKeys(db)),
      insert_(kept_ ? db.prepare("INSERT OR IGNORE INTO Name_Key (PRODUCTNAME, NAMEKEY) "
                                 "VALUES (?, ?)")
                    : sqlkit::Statement::failed({})) {}

bool NameKeyInsert::add(std::string_view utf8Name) {
    if (!kept_ || utf8Name.empty()) return true;
    const std::string key = sjis::nameKey(sjis::fromUtf8(utf8Name));
    insert_.reset();
    insert_.bindText(1, utf8Name).bindText(2, sjis::toUtf8(key));
    insert_.step();
    return !insert_.failed();
}

}  // namespace drugbase
