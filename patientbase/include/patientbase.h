/*
 * patientbase — the patient register and medication history library.
 *
 * One encrypted SQLite file, <data folder>/患者ファイル.mdb, holds table Patient_Information
 * with one row per patient: the register columns and twenty history slots (N0/INFO0 ...
 * N19/INFO19). Every call below except LRecordOpen, LRecordClose and the message-handler setter
 * opens the file, does its work and closes it again before returning, so the file can be copied
 * or shared between calls. Every call that writes does so in one transaction.
 *
 * Texts are zero-terminated Shift-JIS (code page 932) byte strings; the data folder handed to
 * LRecordOpen is in the platform's file-name encoding (UTF-8 on Linux).
 *
 * Results: 0 = done (not found is not a failure); 99 = a database failure (LRecordCreate: 1).
 * Before returning a failure the library reports it through the installed message handler:
 * "Error:DATABASE.Open" (the file could not be opened or keyed), "Error:Could not RECORDSET.Open"
 * (the query could not be prepared, e.g. the table is missing), "Error:RECORDSET.Open"
 * (LRecordCreate could not reach the table), "Error:RECORDSET.Find" (reading rows failed
 * part-way), "Error:RECORDSET.Update" (a write failed; nothing of it is stored),
 * "Error:ID.Duplicate" (another patient already has the ID to be written) and
 * "Error:RIREKI.Length" (a history text that is not 4110 bytes long). Where a call returns a
 * count, a position or an ID, 99 can also be a genuine value; the message tells them apart.
 */
#ifndef PATIENTBASE_H
#define PATIENTBASE_H

#include <stddef.h>
#include <stdint.h>

/* The library's version: major * 10000 + minor * 100 + patch. */
#define PATIENTBASE_VERSION_NUMBER 100
#define PATIENTBASE_VERSION "0.1.0"

/* Exported when the library itself is built (PATIENTBASE_BUILDING), imported by its users. */
#if defined(_WIN32)
#if defined(PATIENTBASE_BUILDING)
#define PATIENTBASE_API __declspec(dllexport)
#else
#define PATIENTBASE_API __declspec(dllimport)
#endif
#else
#define PATIENTBASE_API __attribute__((visibility("default")))
#endif

/* Results (see above). PATIENTBASE_FAILED is the callers' test for a database failure. */
#define PATIENTBASE_OK 0
#define PATIENTBASE_CREATE_FAILED 1 /* LRecordCreate only */
#define PATIENTBASE_ID_TAKEN (-1)   /* LRecordID_cyoufuku only */
#define PATIENTBASE_NO_PATIENT 1    /* LRecordRIREKIChecked only */
#define PATIENTBASE_NAME_DIFFERS 2  /* LRecordRIREKIChecked only */
#define PATIENTBASE_DB_FAILURE 99
#define PATIENTBASE_FAILED(result) ((result) > 89)

#ifdef __cplusplus
extern "C" {
#endif

/* One patient's register data as it crosses the library boundary. A text field holds at most
 * its width minus one bytes and always its terminator; a stored text longer than that is cut at
 * a character boundary. The library reads and writes only these fields (never the padding after
 * MEMO), so a caller may embed the record at the start of a larger area of its own. */
typedef struct PatientRecord {
    int32_t ID;          /* patient ID, positive and unique in the register */
    char PATIENT[100];   /* name */
    int32_t SEX;         /* 0 not specified, 1 male, 2 female */
    char TELEPHONE[50];  /* home telephone */
    char TELEPHONE2[50]; /* mobile telephone */
    int32_t NENGO;       /* birth era: 0 none, 1 明治, 2 大正, 3 昭和, 4 平成, 5 令和 */
    int32_t YEAR;        /* birth year within the era; 0 = not given */
    int32_t MONTH;       /* 0 = not given */
    int32_t DAY;         /* 0 = not given */
    char ADDRESS[250];
    char BYOUTO[250];  /* ward name */
    char ALLERGY[250]; /* allergy history */
    char EFFECT[250];  /* side-effect history */
    char MEMO[250];    /* memo; the patient screens keep the reading of the name here */
} PatientRecord;

/* Stands for a list box: `add` appends one text. `clear` is never called by this library and
 * may be NULL. Texts are valid during the call only. */
typedef struct PatientListSink {
    void* context;
    void (*add)(void* context, const char* text);
    void (*clear)(void* context);
} PatientListSink;

/* Stands for a list view: `insert` adds row `item` with the text of column 0, `set` sets the
 * text of another column of that row. */
typedef struct PatientListViewSink {
    void* context;
    void (*insert)(void* context, int item, const char* text);
    void (*set)(void* context, int item, int column, const char* text);
} PatientListViewSink;

/* Receives every message the library shows (CP932 text). */
typedef void (*PatientMessageHandler)(void* context, const char* text);

/* Installs the message handler; NULL restores the default, which writes to stderr. */
PATIENTBASE_API void LRecordSetMessageHandler(PatientMessageHandler handler, void* context);

/* ---- Connection ------------------------------------------------------------------------- */

/* Remembers the data folder (replacing an earlier one) and checks that the patient file exists;
 * when it does not, shows "患者ファイルがありません。" and every later call fails with
 * "Error:DATABASE.Open". A linked SQLite without encryption also makes every call fail there.
 * `window` is accepted and not used. Always returns 0. */
PATIENTBASE_API int LRecordOpen(const char* folder, void* window);

/* Ends the session started by LRecordOpen; later calls fail until it is called again. */
PATIENTBASE_API void LRecordClose(void);

/* ---- Register --------------------------------------------------------------------------- */

/* Adds the patient with empty history; REGIST becomes now. Refuses (after "Error:ID.Duplicate")
 * when a patient with that ID exists. Empty texts are stored as NULL. 0 = added, 1 = failure. */
PATIENTBASE_API int LRecordCreate(const PatientRecord* record);

/* Corrects the first patient with `oldId`: every register field from *record, the ID included,
 * REGIST becomes now, the history stays. Refuses (after "Error:ID.Duplicate", result 99) a
 * change of ID to one another patient has. 0 = done or no patient with `oldId`, 99. */
PATIENTBASE_API int LRecordEdit(const PatientRecord* record, int oldId);

/* Deletes the first patient with this ID together with the history. 0 = done or not found, 99. */
PATIENTBASE_API int LRecordDell(int id);

/* Reads a patient into *record (output): the first with `id` when `byId` is non-zero, else the
 * first whose name equals `name` exactly. Not found leaves *record untouched. 0 or 99. */
PATIENTBASE_API int LRecordDetail(PatientRecord* record, const char* name, int id, int byId);

/* For row k of the register in name order (`byName` non-zero) or ID order inserts list-view
 * item k with the ID in decimal and sets its column 1 to the name. Name order is 五十音 order of
 * the reading (MEMO) compared as hiragana without blanks, whether it was typed in hiragana,
 * katakana or half-width katakana; then the name, then the ID. Patients without a reading
 * follow all those with one, by name, then ID. The view is not cleared first. 0 or 99. */
PATIENTBASE_API int LRecordDisplay(int byName, const PatientListViewSink* view);

/* Combined search. `searchTexts`: 4 cells of 256 bytes (name, ward, home telephone, mobile
 * telephone), each a literal substring condition when non-empty; a name made only of kana (in
 * any script or width) also matches patients whose reading (MEMO) holds it in hiragana, katakana
 * or half-width katakana. `searchCodes`: 2 int32 (sex, era), each an equality condition when
 * greater than 0. `birthTexts`: 3 cells of 256 bytes (year, month, day), each an equality
 * condition when non-empty; a text that is not a decimal integer matches nothing. Any of the three
 * may be NULL (no conditions). Appends the ID in decimal to `ids` and the name to `names` for every
 * patient meeting all conditions, in ID order. 0 or 99. */
PATIENTBASE_API int LRecordGOKU(const char* searchTexts, const int32_t* searchCodes,
                                const char* birthTexts, const PatientListSink* ids,
                                const PatientListSink* names);

/* The ID to propose for a new patient: one above every ID the register has ever given out,
 * those of deleted patients and the former IDs of renumbered ones included (1 for a register
 * that never had a patient), so an old printout never points at a new person. 99 on failure. */
PATIENTBASE_API int LRecordCreateID(void);

/* Whether a patient of the register has ever had this ID (a patient now, a deleted patient, or
 * a renumbered patient's former ID): 1 = used, 0 = never, 99. */
PATIENTBASE_API int LRecordIDUsed(int id);

/* -1 = a patient with this ID exists, 0 = none, 99. */
PATIENTBASE_API int LRecordID_cyoufuku(int id);

/* Copies the name of the first patient with this ID into `name` (output, 256 bytes); leaves it
 * untouched when there is none. 0 (found or not) or 99. */
PATIENTBASE_API int LRecordID_CLIENT(int id, char* name);

/* 1-based position of the first patient with this ID in ascending ID order; 0 = not found; 99. */
PATIENTBASE_API int LRecordNo(int id);

/* ---- Medication history ------------------------------------------------------------------
 * A slot's time stamp is local time to the second. Its three text forms: the list form
 * "2009年03月07日 09:05:03", the slot time text "2009/03/07 09:05:03" and the slot key text
 * "2009/03/07 9:05:03" (hour without a leading zero). */

/* Stores the history text `block` (exactly 4110 bytes, no zero byte inside, then a terminator)
 * with the stamp now: into the lowest empty slot, else over the oldest stamp (the lowest slot
 * among equal oldest ones). The stamp is taken under the write lock from the data's clock (a
 * server's own clock); when the patient's newest stamp is that second or later, the stamp is one
 * second after it, so a patient's stamps are unique and in the order of the stores. A text of
 * another length is refused ("Error:RIREKI.Length"). 0 = stored or no patient with `id`, 99. */
PATIENTBASE_API int LRecordRIREKI(int id, const char* block);

/* Stores `block` as LRecordRIREKI does, but only for the patient registered with `id` under
 * exactly the name `name` (CP932, compared as LRecordID_CLIENT hands the name out). The check
 * and the store are one transaction under the write lock, so a patient deleted or renumbered by
 * another program in between never receives the leaflet. 0 = stored, PATIENTBASE_NO_PATIENT
 * (no patient has `id`), PATIENTBASE_NAME_DIFFERS (the patient with `id` has another name);
 * neither stores anything. 99 = failure ("Error:RIREKI.Length" for a block of another
 * length). */
PATIENTBASE_API int LRecordRIREKIChecked(int id, const char* name, const char* block);

/* Copies the history text of the slot whose stamp has this slot time text into `out` (output,
 * at least 4111 bytes: at most 4110 bytes of text and the terminator); among slots with equal
 * stamps the highest slot wins. 1 = copied, 0 = no such slot or patient (`out` untouched), 99. */
PATIENTBASE_API int LRecordRIREKIDisplay(int id, const char* slotTimeText, char* out);

/* Appends the list form of every stamp of the patient, newest first. 0 (also for an unknown
 * patient) or 99. */
PATIENTBASE_API int LRecordRIREKIDate(int id, const PatientListSink* list);

/* Lists the used history slots newest first (equal stamps: the lower slot first, the order of
 * LRecordRIREKIDate): row k gets the list form of the slot's stamp in column 0 and the slot's
 * number (0 .. 19, decimal) in column 1. Unlike the stamp alone, the slot tells apart leaflets
 * that share a stamp (stored before stamps were made unique). 0 (also for an unknown patient)
 * or 99. */
PATIENTBASE_API int LRecordRIREKISlots(int id, const PatientListViewSink* view);

/* Copies the history text of slot `slot` into `out` (output, at least 4111 bytes) as
 * LRecordRIREKIDisplay does, but only while that slot holds the stamp whose slot time text is
 * `slotTimeText` (so a slot stored over or emptied since it was listed is never read as the
 * listed one). 1 = copied, 0 = the slot holds another stamp or none, or no such patient (`out`
 * untouched), 99. */
PATIENTBASE_API int LRecordRIREKIDisplaySlot(int id, int slot, const char* slotTimeText, char* out);

/* Counts into *count (output) the stored history texts, over every patient, with a record for
 * the drug `yjcode`: a history text is 30 records of 137 bytes, each beginning with the drug's
 * YJ code in a field of 25 bytes. 0 or 99. */
PATIENTBASE_API int LRecordRIREKIUses(const char* yjcode, int32_t* count);

/* Empties the lowest slot whose stamp has this slot key text; the other slots keep their
 * numbers and contents. 0 (whether a slot matched or not) or 99. */
PATIENTBASE_API int LRecordRIREKIDELL(int id, const char* slotKeyText);

/* Empties history slot `slot` (stamp and text) of the patient, but only while it holds the stamp
 * whose slot time text is `slotTimeText`; every other slot keeps its number and contents.
 * 1 = emptied, 0 = the slot holds another stamp or none, or no such patient, 99. */
PATIENTBASE_API int LRecordRIREKIDELLSlot(int id, int slot, const char* slotTimeText);

/* Writes one row of the audit trail for something done outside the data, at once after it
 * was done: `action` (ASCII, e.g. "leaflet.print", "leaflet.pdf", "phrases.save"), the
 * patient `id` (0 for none) and a short ASCII `detail` (NULL for none), with the time, the
 * operating-system user, the terminal and the pharmacist set for the process. In the patient
 * file, or on the data server. 0 or 99. */
PATIENTBASE_API int LRecordAuditNote(const char* action, int id, const char* detail);

#ifdef __cplusplus
} /* extern "C" */

static_assert(offsetof(PatientRecord, ID) == 0);
static_assert(offsetof(PatientRecord, PATIENT) == 4);
static_assert(offsetof(PatientRecord, SEX) == 104);
static_assert(offsetof(PatientRecord, TELEPHONE) == 108);
static_assert(offsetof(PatientRecord, TELEPHONE2) == 158);
static_assert(offsetof(PatientRecord, NENGO) == 208);
static_assert(offsetof(PatientRecord, YEAR) == 212);
static_assert(offsetof(PatientRecord, MONTH) == 216);
static_assert(offsetof(PatientRecord, DAY) == 220);
static_assert(offsetof(PatientRecord, ADDRESS) == 224);
static_assert(offsetof(PatientRecord, BYOUTO) == 474);
static_assert(offsetof(PatientRecord, ALLERGY) == 724);
static_assert(offsetof(PatientRecord, EFFECT) == 974);
static_assert(offsetof(PatientRecord, MEMO) == 1224);
/* The fields end at 1474; the 4-byte alignment of the numbers adds two padding bytes. */
static_assert(sizeof(PatientRecord) == 1476);
#endif

#endif /* PATIENTBASE_H */
