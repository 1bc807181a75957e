// The exported calls: argument checks around the list files of the remembered folder.
#include <filesystem>
#include <optional>

#include "dosagebase.h"
#include "list_files.h"
#include "messages.h"

namespace {

std::optional<std::filesystem::path> databaseFolder;

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
    return DOSAGEBASE_OK;
}

DOSAGEBASE_API int DRecordREAD(char* table, int index) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    return dosagebase::loadList(*databaseFolder, index, table) ? DOSAGEBASE_OK
                                                               : DOSAGEBASE_FILE_FAILURE;
}

DOSAGEBASE_API int DRecordDocument(const char* table, int index) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    return dosagebase::storeList(*databaseFolder, index, table) ? DOSAGEBASE_OK
                                                                : DOSAGEBASE_FILE_FAILURE;
}

}  // extern "C"
