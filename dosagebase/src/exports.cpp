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
    dosagebase::setMessageHandler(handler, context);
}

DOSAGEBASE_API int DRecordOpen(const char* folder, void* /*owner*/) {
    if (!folder || !*folder) return 1;
    databaseFolder = std::filesystem::path(folder);
    return 0;
}

DOSAGEBASE_API int DRecordREAD(char* table, int index) {
    if (!validCall(table, index)) return 1;
    return dosagebase::loadList(*databaseFolder, index, table) ? 0 : 99;
}

DOSAGEBASE_API int DRecordDocument(const char* table, int index) {
    if (!validCall(table, index)) return 1;
    return dosagebase::storeList(*databaseFolder, index, table) ? 0 : 99;
}

}  // extern "C"
