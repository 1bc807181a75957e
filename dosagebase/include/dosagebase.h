/*
 * dosagebase — the store of the five editable phrase lists.
 *
 * The lists are the usage phrases (用法), amounts (用量), days or pieces (日数（個数）),
 * prescribers (処方医) and pharmacist names (薬剤師名). The program reads each list into a
 * phrase table and hands the whole table of the one list it edited back after an edit.
 *
 * Phrase table: DOSAGEBASE_SLOT_COUNT slots of DOSAGEBASE_SLOT_SIZE bytes, slot after slot in
 * display order. A slot holds a zero-terminated Shift-JIS (code page 932) text of at most 200
 * bytes. A slot whose first two bytes are "\r\n" is a separator (shown as an empty item); a slot
 * whose first byte is 0 is empty and skipped wherever the table is listed.
 *
 * Files. Each list is one UTF-8 text file in the folder given to DRecordOpen:
 *     用法.txt  用量.txt  日数.txt  処方医.txt  薬剤師名.txt
 * Line n holds slot n, lines end in "\n" (a "\r" before it is dropped, and so is a UTF-8 byte
 * order mark at the start of the file):
 *     ---          a separator slot;
 *     (empty)      an empty slot;
 *     \text        the phrase "text": a leading backslash is removed, so a phrase that is
 *                  "---" or begins with a backslash is written with one more in front;
 *     text         the phrase "text".
 * Reading never overruns a slot: a phrase longer than 200 bytes in Shift-JIS is cut at a
 * character boundary, characters Shift-JIS cannot hold become "?", and lines after the 250th
 * are ignored. Writing leaves out the empty slots at the end of the table and writes a line
 * break inside a phrase as a space. A file is replaced through a temporary file in the same
 * folder that is renamed over it, so a failed or interrupted write leaves the previous list
 * whole. While a list has no file yet, reading it delivers its default content (common usage
 * phrases, amounts and days; empty prescriber and pharmacist lists).
 *
 * Data server. When the folder holds 接続先.conf (a libpq connection string, as for the drug
 * and patient libraries), the lists are kept on that server instead, so every terminal sees
 * the same lists: table Phrase_List, one row per list (LISTNO 0-4, PHRASES the text its file
 * would hold), with the same limits and defaults; a list is replaced in one transaction. The
 * files in the folder are then neither read nor written.
 *
 * Versions. Several terminals may edit one list. DRecordReadVersion gives the version of the
 * list it read, and DRecordDocumentAt stores a list only while it is still at that version, so
 * a save never silently replaces a change another terminal made in between. The version is a
 * hash of the list's stored text (0 while the list has no file or row): it needs nothing new
 * in the folders or on the servers. On a server the compare and the store are one transaction
 * under the write lock; in a folder they happen under a lock on the folder, and where the file
 * system does not carry that lock between machines, the compare is made right before the new
 * file is renamed into place.
 *
 * Results: 0 = done; 1 = a bad argument (NULL pointer, list index outside 0-4, or no folder
 * given to DRecordOpen yet), nothing done and no message; 2 = the list was changed elsewhere
 * since it was read (DRecordDocumentAt only), nothing stored and no message; 99 = the list could
 * not be read or written, after a message to the installed handler:
 *     "フレーズファイルを読み込めませんでした。（<file>）"
 *     "フレーズファイルを保存できませんでした。（<file>）"
 *     "薬局情報を読み込めませんでした。（薬局情報.txt）", "薬局情報を保存できませんでした。（…）"
 * or, on a server, the data-call failures the drug and patient libraries report:
 *     "Error:DATABASE.Open"  (server not reached, or a bad 接続先.conf)
 *     "Error:Could not RECORDSET.Open", "Error:RECORDSET.Find", "Error:RECORDSET.Update"
 *
 * The calls keep one process-wide folder and are meant to be called from one thread.
 */
#ifndef DOSAGEBASE_H
#define DOSAGEBASE_H

/* The library's version: major * 10000 + minor * 100 + patch. */
#define DOSAGEBASE_VERSION_NUMBER 100
#define DOSAGEBASE_VERSION "0.1.0"

/* Exported when the library itself is built (DOSAGEBASE_BUILDING), imported by its users. */
#if defined(_WIN32)
#if defined(DOSAGEBASE_BUILDING)
#define DOSAGEBASE_API __declspec(dllexport)
#else
#define DOSAGEBASE_API __declspec(dllimport)
#endif
#else
#define DOSAGEBASE_API __attribute__((visibility("default")))
#endif

/* Results (see above). */
#define DOSAGEBASE_OK 0
#define DOSAGEBASE_BAD_ARGUMENT 1
#define DOSAGEBASE_CHANGED 2
#define DOSAGEBASE_FILE_FAILURE 99
#define DOSAGEBASE_FAILED(result) ((result) > 89)

#ifdef __cplusplus
extern "C" {
#endif

#define DOSAGEBASE_SLOT_COUNT 250
#define DOSAGEBASE_SLOT_SIZE 201
#define DOSAGEBASE_TABLE_SIZE (DOSAGEBASE_SLOT_COUNT * DOSAGEBASE_SLOT_SIZE) /* 50,250 */

/* List indexes. */
#define DOSAGEBASE_LIST_USAGE 0
#define DOSAGEBASE_LIST_AMOUNT 1
#define DOSAGEBASE_LIST_DAYS 2
#define DOSAGEBASE_LIST_PRESCRIBER 3
#define DOSAGEBASE_LIST_PHARMACIST 4
#define DOSAGEBASE_LIST_COUNT 5

/* Receives every message the library shows (Shift-JIS text, valid during the call). */
typedef void (*DosageMessageHandler)(void* context, const char* text);

/* Installs the message handler; NULL restores the default, which writes to stderr. */
DOSAGEBASE_API void DRecordSetMessageHandler(DosageMessageHandler handler, void* context);

/* Remembers `folder` (UTF-8 path of the database folder, "…/データベース") as the place of
 * the list files, or of 接続先.conf, for every later call; it is neither created nor checked
 * here, and the server is reached at the first call. `owner` is
 * accepted and not used. May be called again to switch folders. 0, or 1 when folder is NULL or
 * empty (the previous folder is then kept). */
DOSAGEBASE_API int DRecordOpen(const char* folder, void* owner);

/* 1 when the folder given to DRecordOpen names a data server, which then keeps the lists and
 * the audit row of each save in the save's transaction; 0 for list files, whose saves the
 * caller records itself. */
DOSAGEBASE_API int DRecordOnServer(void);

/* Fills `table` (output, DOSAGEBASE_TABLE_SIZE bytes) with list `index`: zeroes it, then copies
 * the list's phrases into its slots in order. Without a file the list's default content is
 * delivered. 0; 1 (table untouched); 99 when the file exists but cannot be read (the table is
 * then all zero). */
DOSAGEBASE_API int DRecordREAD(char* table, int index);

/* Keeps `table` (DOSAGEBASE_TABLE_SIZE bytes) as the new content of list `index`, returned by
 * every later DRecordREAD. The table is not changed. 0; 1; 99 when the file could not be
 * replaced (the previous file stays as it was). */
DOSAGEBASE_API int DRecordDocument(const char* table, int index);

/* As DRecordREAD, and sets `version` (output) to the version of the list read: 0 while the
 * list has no file (row) and its default content was delivered. 1 when `version` is NULL. */
DOSAGEBASE_API int DRecordReadVersion(char* table, int index, unsigned long long* version);

/* Every list at once, as DRecordReadVersion gives each: fills `tables` (output,
 * DOSAGEBASE_LIST_COUNT * DOSAGEBASE_TABLE_SIZE bytes, list 0 to 4 one after another) and
 * `versions` (output, DOSAGEBASE_LIST_COUNT entries). On a server the five are read in one
 * statement, which is what a program's start wants over a slow network. 0; 1 for a NULL
 * argument or no folder (nothing touched); 99 when a list could not be read: from files, that
 * list's table is all zero, its version 0 and its message shown while the others are read; on a
 * server every table is all zero after one message. */
DOSAGEBASE_API int DRecordReadAll(char* tables, unsigned long long* versions);

/* As DRecordDocument, but only while the stored list is still at `version` (as a
 * DRecordReadVersion or an earlier DRecordDocumentAt gave it); `newVersion` (output, may be
 * NULL) gets the version of the list now stored. 0; 1; 2 (DOSAGEBASE_CHANGED) when another
 * program changed the list since: nothing stored, no message, read the list again; 99 when it
 * could not be stored (the previous list stays). */
DOSAGEBASE_API int DRecordDocumentAt(const char* table, int index, unsigned long long version,
                                     unsigned long long* newVersion);

/* The pharmacy: the name, prefecture, institution code, postal code, address and telephone
 * that the e-medication-handbook codes give for the pharmacy that dispensed. Kept beside the
 * lists, so every terminal of a data server sees the same pharmacy: in the file 薬局情報.txt
 * (UTF-8 lines "name=…", "prefecture=…", "code=…", "postal=…", "address=…", "phone=…"; other
 * lines are ignored), or on the server in table Pharmacy_Information (one row, columns NAME,
 * PREFECTURE, CODE, POSTAL, ADDRESS, PHONE). Without the file or the row nothing is set: every
 * field is empty. Each field is a zero-terminated Shift-JIS text; an empty field is not set. */
typedef struct DosagePharmacy {
    char name[121];     /* the name written in the codes, at most 120 bytes */
    char prefecture[3]; /* two digits, 01-47 */
    char code[8];       /* the institution code: seven digits */
    char postalCode[9]; /* NNN-NNNN, half-width digits */
    char address[201];  /* at most 200 bytes */
    char telephone[14]; /* half-width digits and "-", at most 13 bytes */
} DosagePharmacy;

/* The fields DPharmacyCheck names. */
#define DOSAGEBASE_PHARMACY_NAME 1
#define DOSAGEBASE_PHARMACY_PREFECTURE 2
#define DOSAGEBASE_PHARMACY_CODE 3
#define DOSAGEBASE_PHARMACY_POSTAL_CODE 4
#define DOSAGEBASE_PHARMACY_ADDRESS 5
#define DOSAGEBASE_PHARMACY_TELEPHONE 6

/* The buffer of field `field` (DOSAGEBASE_PHARMACY_NAME … _TELEPHONE) of `pharmacy`, with its
 * size in bytes in `size` (output, may be NULL), so a caller can walk the fields in order.
 * NULL for NULL or another number. */
DOSAGEBASE_API char* DPharmacyField(DosagePharmacy* pharmacy, int field, unsigned* size);

/* 0 when every field of `pharmacy` is empty or of its shape (above), else the first field that
 * is not (DOSAGEBASE_PHARMACY_…); a field without its terminating zero, or a name or address
 * holding a control character, is not. -1 for NULL. */
DOSAGEBASE_API int DPharmacyCheck(const DosagePharmacy* pharmacy);

/* Fills `pharmacy` (output) with the stored pharmacy: zeroes it, then copies the stored fields,
 * each cut at a character boundary to its size. 0; 1 (untouched); 99 when the file exists but
 * cannot be read, or the server cannot answer (all zero then). */
DOSAGEBASE_API int DPharmacyRead(DosagePharmacy* pharmacy);

/* Keeps `pharmacy` as the stored pharmacy, replacing the one before in one step. 0; 1 (NULL, no
 * folder, or DPharmacyCheck refuses it: nothing stored); 99 when it could not be stored (the
 * previous one stays). */
DOSAGEBASE_API int DPharmacyWrite(const DosagePharmacy* pharmacy);

#ifdef __cplusplus
}
#endif

#endif /* DOSAGEBASE_H */
