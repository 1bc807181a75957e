#include "k3_import.h"

#include <fstream>

#include "import_folder.h"
#include "k3_file.h"
#include "walk.h"

namespace drugbase {

int runK3Import(const char* file, Message done, K3Import& import) {
    sqlkit::Db db = openCatalogue();
    if (!db) return kDatabaseFailure;
    std::ifstream in(importFile(file), std::ios::binary);
    if (!in) {
        report(Message::ImportFileOpen);
        return 2;
    }
    // A whole file touches most rows once; a larger page cache keeps them until the commit.
    sqlkit::exec(db.get(), "PRAGMA cache_size = -65536");
    sqlkit::Transaction transaction(db.get());
    if (!transaction.began() || !import.prepare(db.get())) {
        report(Message::RecordsetOpen);
        return kDatabaseFailure;
    }
    k3::RecordReader reader(in);
    std::string_view record;
    while (reader.next(record)) {
        if (!import.apply(record)) {
            report(Message::Update);
            return kDatabaseFailure;
        }
    }
    if (reader.failed()) {
        report(Message::ImportFileOpen);
        return 2;
    }
    if (!transaction.commit()) {
        report(Message::Update);
        return kDatabaseFailure;
    }
    report(done, reader.count());
    return 0;
}

}  // namespace drugbase
