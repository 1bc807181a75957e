#include "k3_import.h"

#include <fstream>

#include "import_folder.h"
#include "k3_file.h"
#include "session.h"

namespace drugbase {

int runK3Import(const char* file, dbcall::MessageText done, K3Import& import) {
    dbcall::Call call(session());
    if (!call.opened()) return DRUGBASE_DB_FAILURE;
    sqlkit::Connection& catalogue = call.connection();
    std::ifstream in(importFile(file), std::ios::binary);
    if (!in) {
        report(Message::ImportFileOpen);
        return DRUGBASE_FILE_MISSING;
    }
    if (!call.startBulkWrite()) return DRUGBASE_DB_FAILURE;
    sqlkit::Transaction transaction(catalogue);
    if (!transaction.began() || !import.prepare(catalogue)) {
        call.report(Failure::RecordsetOpen, catalogue.lastError());
        return DRUGBASE_DB_FAILURE;
    }
    k3::RecordReader reader(in);
    std::string_view record;
    while (reader.next(record)) {
        if (!import.apply(record)) {
            call.report(Failure::Update, catalogue.lastError());
            return DRUGBASE_DB_FAILURE;
        }
    }
    if (reader.failed()) {
        report(Message::ImportFileOpen);
        return DRUGBASE_FILE_MISSING;
    }
    const audit::Entry entry{
        audit::Action::CatalogueImport, 0,
        std::string(file) + ", " + std::to_string(reader.count()) + " records"};
    if (std::string error; !audit::append(catalogue, entry, &error)) {
        call.report(Failure::Update, error);
        return DRUGBASE_DB_FAILURE;
    }
    if (!transaction.commit()) {
        call.report(Failure::Update, catalogue.lastError());
        return DRUGBASE_DB_FAILURE;
    }
    report(done, reader.count());
    return DRUGBASE_OK;
}

}  // namespace drugbase
