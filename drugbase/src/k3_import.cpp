#include "k3_import.h"

#include <fstream>

#include "import_folder.h"
#include "k3_file.h"
#include "session.h"

namespace drugbase {

int runK3Import(const char* file, dbcall::MessageText done, K3Import& import) {
    sqlkit::ConnectionPtr catalogue = session().connect();
    if (!catalogue) return DRUGBASE_DB_FAILURE;
    std::ifstream in(importFile(file), std::ios::binary);
    if (!in) {
        report(Message::ImportFileOpen);
        return DRUGBASE_FILE_MISSING;
    }
    // A whole file touches most rows once; they stay in memory until the commit.
    catalogue->exec(catalogue->dialect().bulkWrite);
    sqlkit::Transaction transaction(*catalogue);
    if (!transaction.began() || !import.prepare(*catalogue)) {
        session().report(Failure::RecordsetOpen, catalogue->lastError());
        return DRUGBASE_DB_FAILURE;
    }
    k3::RecordReader reader(in);
    std::string_view record;
    while (reader.next(record)) {
        if (!import.apply(record)) {
            session().report(Failure::Update, catalogue->lastError());
            return DRUGBASE_DB_FAILURE;
        }
    }
    if (reader.failed()) {
        report(Message::ImportFileOpen);
        return DRUGBASE_FILE_MISSING;
    }
    if (!transaction.commit()) {
        session().report(Failure::Update, catalogue->lastError());
        return DRUGBASE_DB_FAILURE;
    }
    report(done, reader.count());
    return DRUGBASE_OK;
}

}  // namespace drugbase
