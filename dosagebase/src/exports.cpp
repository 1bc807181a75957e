// The exported calls: argument checks around the lists and the pharmacy of the remembered
// folder, kept in its files or, when the folder names a data server, on that server.
#include <filesystem>
#include <optional>

#include "dosagebase.h"
#include "list_files.h"
#include "list_messages.h"
#include "list_server.h"
#include "pharmacy_fields.h"
#include "pharmacy_store.h"

namespace {

std::optional<std::filesystem::path> databaseFolder;
bool onServer = false;

bool validCall(const void* table, int index) {
    return table && index >= 0 && index < DOSAGEBASE_LIST_COUNT && databaseFolder;
}

int readList(char* table, int index, dosagebase::ListVersion* version) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    const bool read = onServer ? dosagebase::loadServerList(index, table, version)
                               : dosagebase::loadList(*databaseFolder, index, table, version);
    return read ? DOSAGEBASE_OK : DOSAGEBASE_FILE_FAILURE;
}

int storeList(const char* table, int index, const dosagebase::ListVersion* expected,
              dosagebase::ListVersion* stored) {
    if (!validCall(table, index)) return DOSAGEBASE_BAD_ARGUMENT;
    switch (onServer ? dosagebase::storeServerList(index, table, expected, stored)
                     : dosagebase::storeList(*databaseFolder, index, table, expected, stored)) {
        case dosagebase::Stored::Done:
            return DOSAGEBASE_OK;
        case dosagebase::Stored::Changed:
            return DOSAGEBASE_CHANGED;
        case dosagebase::Stored::Failed:
            break;
    }
    return DOSAGEBASE_FILE_FAILURE;
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

DOSAGEBASE_API int DRecordOnServer(void) {
    return onServer ? 1 : 0;
}

DOSAGEBASE_API int DRecordREAD(char* table, int index) {
    return readList(table, index, nullptr);
}

DOSAGEBASE_API int DRecordDocument(const char* table, int index) {
    return storeList(table, index, nullptr, nullptr);
}

DOSAGEBASE_API int DRecordReadVersion(char* table, int index, unsigned long long* version) {
    return version ? readList(table, index, version) : DOSAGEBASE_BAD_ARGUMENT;
}

DOSAGEBASE_API int DRecordReadAll(char* tables, unsigned long long* versions) {
    if (!tables || !versions || !databaseFolder) return DOSAGEBASE_BAD_ARGUMENT;
    if (onServer)
        return dosagebase::loadServerLists(tables, versions) ? DOSAGEBASE_OK
                                                             : DOSAGEBASE_FILE_FAILURE;
    int result = DOSAGEBASE_OK;
    for (int index = 0; index < DOSAGEBASE_LIST_COUNT; ++index) {
        versions[index] = dosagebase::kNoStoredList;
        if (!dosagebase::loadList(*databaseFolder, index,
                                  tables + std::size_t(index) * DOSAGEBASE_TABLE_SIZE,
                                  &versions[index]))
            result = DOSAGEBASE_FILE_FAILURE;
    }
    return result;
}

DOSAGEBASE_API int DRecordDocumentAt(const char* table, int index, unsigned long long version,
                                     unsigned long long* newVersion) {
    return storeList(table, index, &version, newVersion);
}

DOSAGEBASE_API char* DPharmacyField(DosagePharmacy* pharmacy, int field, unsigned* size) {
    if (!pharmacy || field < 1 || field > dosagebase::kPharmacyFieldCount) return nullptr;
    const dosagebase::FieldBuffer f =
        dosagebase::pharmacyFields(*pharmacy)[static_cast<std::size_t>(field - 1)];
    if (size) *size = static_cast<unsigned>(f.size);
    return f.data;
}

DOSAGEBASE_API int DPharmacyCheck(const DosagePharmacy* pharmacy) {
    return pharmacy ? dosagebase::checkPharmacy(*pharmacy) : -1;
}

DOSAGEBASE_API int DPharmacyRead(DosagePharmacy* pharmacy) {
    if (!pharmacy || !databaseFolder) return DOSAGEBASE_BAD_ARGUMENT;
    const bool read = onServer ? dosagebase::loadServerPharmacy(*pharmacy)
                               : dosagebase::loadPharmacy(*databaseFolder, *pharmacy);
    return read ? DOSAGEBASE_OK : DOSAGEBASE_FILE_FAILURE;
}

DOSAGEBASE_API int DPharmacyWrite(const DosagePharmacy* pharmacy) {
    if (!pharmacy || !databaseFolder || dosagebase::checkPharmacy(*pharmacy) != 0)
        return DOSAGEBASE_BAD_ARGUMENT;
    const bool kept = onServer ? dosagebase::storeServerPharmacy(*pharmacy)
                               : dosagebase::storePharmacy(*databaseFolder, *pharmacy);
    return kept ? DOSAGEBASE_OK : DOSAGEBASE_FILE_FAILURE;
}

}  // extern "C"
