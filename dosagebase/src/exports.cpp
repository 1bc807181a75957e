// The exported calls: argument checks around the lists of the remembered folder, kept in its
// files or, when the folder names a data server, on that server.
#include <filesystem>
#include <optional>

#include "dosagebase.h"
#include "list_files.h"
#include "list_messages.h"
#include "list_server.h"

namespace {

std::optional<std::filesystem::path> databaseFolder;
bool onServer = false;

bool validCall(const void* table, int index) {
    return table && index >= 0 && index < DOSAGEBASE_LIST_COUNT && databaseFolder;
}

}  // namespace

extern "C" {

DOSAGEBASE_API void DRecordSetMessageHandler(DosageMessageHandler handler, void* context) {
    dosagebase::messages.install(handler, context);
}

DOSAGEBASE_API int DRecordOpen(const char* folder, void* /*owner*/) {
    if (!folder || !*folder) return DOSAGEBASE_BAD_ARGUMENT;
    databaseFolder = std::filesystem::path(folder);
    std::error_code ec;
    onServer = std::filesystem::is_regular_file(*databaseFolder / dbcall::kServerFileName, ec);
    // A server file that cannot be used makes every call fail with "Error:DATABASE.Open".
    if (onServer) dosagebase::serverSession().attach(folder);
    return DOSAGEBASE_OK;
}

DOSAGEBASE_API int DRecordREAD(char* table, int index) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    const bool read = onServer ? dosagebase::loadServerList(index, table)
                               : dosagebase::loadList(*databaseFolder, index, table);
    return read ? DOSAGEBASE_OK : DOSAGEBASE_FILE_FAILURE;
}

DOSAGEBASE_API int DRecordDocument(const char* table, int index) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    const bool kept = onServer ? dosagebase::storeServerList(index, table)
                               : dosagebase::storeList(*databaseFolder, index, table);
    return kept ? DOSAGEBASE_OK : DOSAGEBASE_FILE_FAILURE;
}

}  // extern "C"
