/*
 * drugbase — the drug catalogue library.
 *
 * One encrypted SQLite file, <data folder>/薬剤ファイル.mdb, holds table Medicine_Information
 * with one row per drug. Every call below except RecordOpen, RecordClose, filefinder and the
 * conversions opens the file, does its work and closes it again before returning, so the file
 * can be copied or shared between calls.
 *
 * Texts are zero-terminated Shift-JIS (code page 932) byte strings; file paths (the data folder,
 * filefinder's pattern) are in the platform's file-name encoding (UTF-8 on Linux).
 *
 * Results: 0 = done; 1 = the asked-for condition (exists / not found / may not be deleted) or,
 * for RecordCreate, a failure; 99 = a database failure. Before returning a failure the library
 * reports it through the installed message handler: "Error:DATABASE.Open" (the file could not be
 * opened or keyed), "Error:Could not RECORDSET.Open" (the query could not be prepared),
 * "Error:RECORDSET.Open" (RecordCreate could not reach the table), "Error:RECORDSET.Find"
 * (reading the rows failed part-way) and "Error:RECORDSET.Update" (an add, edit or delete
 * failed; nothing of it is stored). Lists and buffers handed in are left untouched by a call
 * that fails before its first row.
 */
#ifndef DRUGBASE_H
#define DRUGBASE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define DRUGBASE_API __declspec(dllexport)
#else
#define DRUGBASE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One drug as it crosses the library boundary. A text field holds at most its width minus one
 * bytes and always its terminator; a stored text longer than that is cut at a character
 * boundary. The library never reads or writes callerArea and photoFlag. */
typedef struct DrugRecord {
    char YJCODE[25];
    char PRODUCTNAME[91]; /* on create and full edit also the source of LISTNAME */
    char CODE[25];        /* N code */
    char callerArea[162]; /* the caller's own (the program keeps dosage settings here) */
    char GENERALNAME[90];
    char TANNI[250];
    char YAKUKA[250];
    char COMPANY[250];
    char KOKUJI[250];
    char HONTAICODE[250];
    char HOUSOUCODE[250];
    char COLOR[250];
    char WARISEN[250];
    char TOUYOKEIRO[250];
    char SAIBUNRUI[250];
    char ZAIKEI[250];
    char YOUHOU[250];
    char KUBUN[250];
    char KEIKASOCHI[250];
    char SAYOA[500];
    char SAYOB[500];
    char SAYOC1[500];
    char SAYOC2[500];
    char SAYO_TOROKU[500];
    int32_t SAYO_HYOUJI; /* 1 = print SAYO_TOROKU, else SAYOA */
    char CYUUI[500];
    char CYUUI_TOROKU[500];
    int32_t CYUUI_HYOUJI; /* 1 = print CYUUI_TOROKU, else CYUUI */
    char MEMO[500];
    int32_t photoFlag; /* the caller's own: 1 when the caller drew the drug's photograph */
    int32_t PHOTO1, PHOTO2, PHOTO3, PHOTO4, PHOTO5, PHOTO6; /* 1 = photo in folder PHOTOn */
    char PHOTO_TOROKU[500];                                 /* user photograph path (CP932) */
    int32_t PHOTO_HYOUJI; /* 1-6 = folder PHOTOn, 7 = PHOTO_TOROKU */
    int32_t LISTHYOUJI;   /* 1 = adopted by the pharmacy */
    int32_t ORIDGINAL;    /* 1 = created by the user (only these may be deleted) */
} DrugRecord;

/* Stands for a list box: `add` appends one text. `clear`, when not NULL, empties the list
 * (used only where a call empties the caller's list itself). Texts are valid during the call. */
typedef struct DrugListSink {
    void* context;
    void (*add)(void* context, const char* text);
    void (*clear)(void* context);
} DrugListSink;

/* Stands for a list view: `insert` adds row `item` with the text of column 0, `set` sets the
 * text of another column of that row. */
typedef struct DrugListViewSink {
    void* context;
    void (*insert)(void* context, int item, const char* text);
    void (*set)(void* context, int item, int column, const char* text);
} DrugListViewSink;

/* Receives every message the library shows (CP932 text). */
typedef void (*DrugMessageHandler)(void* context, const char* text);

/* Installs the message handler; NULL restores the default, which writes to stderr. */
DRUGBASE_API void RecordSetMessageHandler(DrugMessageHandler handler, void* context);

/* ---- Connection ------------------------------------------------------------------------- */

/* Remembers the data folder and checks that the database file and an encrypting engine exist.
 * `window` is accepted and not used. Returns 0 when ready, and also 0 when the file is missing
 * (after the message "薬剤ファイルがありません。"; every later record call then fails with
 * "Error:DATABASE.Open"); 1 when the linked SQLite has no encryption (no message). */
DRUGBASE_API int RecordOpen(const char* folder, void* window);

/* Ends the session started by RecordOpen; later record calls fail until it is called again. */
DRUGBASE_API void RecordClose(void);

/* Non-zero when at least one file matches `path`, whose last component may hold the wildcards
 * "*" and "?"; 0 when none. No database access; usable before RecordOpen. */
DRUGBASE_API int filefinder(const char* path);

/* ---- Queries ---------------------------------------------------------------------------- */

/* Fills the main drug list: for row r of the catalogue in name order (order 0: product name,
 * maker, strength) or N-code order (otherwise: OPTION1, CODE, maker) inserts list-view item r
 * with CODE, sets its column 1 to PRODUCTNAME, appends CODE, PRODUCTNAME and YJCODE to the
 * three lists, and adds 1 to *rowCounter (never reset here). Any sink may be NULL. 0 or 99. */
DRUGBASE_API int RecordDisplay(const DrugListViewSink* view, const DrugListSink* codes,
                               const DrugListSink* names, const DrugListSink* yjcodes,
                               int* rowCounter, int order);

/* Writes to *position (output) the zero-based row of the first drug with this YJ code in the
 * order of `order` (the N-code order here also sorts by strength); leaves it untouched when no
 * drug has the code. 0 or 99. */
DRUGBASE_API int RecordPosition(const char* yjcode, int* position, int order);

/* Reads the drug with this YJ code (exact) into *record (output). 0 = found, 1 = no such drug
 * (buffer untouched, no message), 99. */
DRUGBASE_API int RecordDetail(DrugRecord* record, const char* yjcode);

/* Composite search. Each non-empty argument is a substring condition on its column (product
 * name, general name, maker, YJ code, route); a drug must meet all of them and, where dosage
 * forms are given, contain at least one of them in its form. Appends LISTNAME and YJCODE of every
 * match in name order. All arguments empty lists the whole catalogue. 0 or 99. */
DRUGBASE_API int RecordGOKU(const char* productName, const char* generalName, const char* maker,
                            const char* yjcode, const char* route, const char* form1,
                            const char* form2, const char* form3, const DrugListSink* names,
                            const DrugListSink* yjcodes);

/* Same-kind drugs: when the drug with this YJ code exists and is not a "＄" marker row, appends
 * LISTNAME and YJCODE of every drug with its general name (itself included) in name order.
 * Returns 0 also when the drug is unknown or the inner search failed (after its message). 0/99. */
DRUGBASE_API int RecordDohinsyu(const char* yjcode, const DrugListSink* names,
                                const DrugListSink* yjcodes);

/* Appends LISTNAME and YJCODE of every drug whose general name equals `generalName`, in name
 * order. 0 or 99. */
DRUGBASE_API int RecordDohinsyu2(const char* generalName, const DrugListSink* names,
                                 const DrugListSink* yjcodes);

/* Empties `list` and appends the general name of every drug (duplicates and empty names
 * included), ascending for order 1 = descending, ascending for any other order. 0 or 99. */
DRUGBASE_API int RecordSort(int order, const DrugListSink* list);

/* Copies the YJ code of row r in name order into slot r (bytes 25r .. 25r+24) of `slots`
 * (output), stopping after `slotCount` slots. 0 or 99. */
DRUGBASE_API int RecordREYJ(char* slots, int slotCount);

/* As RecordREYJ, and also appends each of those rows' LISTNAME to `list`. 0 or 99. */
DRUGBASE_API int RecordDisplayFU(const DrugListSink* list, char* slots, int slotCount);

/* ---- Changes ---------------------------------------------------------------------------- */

/* Uniqueness checks on the half-width form of the code: 1 = a drug has it, 0 = none, 99. */
DRUGBASE_API int RecordCreate00(const char* yjcode);
DRUGBASE_API int RecordCreate01(const char* code);
/* 1 = a drug has this N code; with mode 0 a drug with YJ code `yjcode` does not count. */
DRUGBASE_API int RecordCreate44(const char* code, const char* yjcode, int mode);

/* Adds the drug as the user's own (ORIDGINAL 1, LISTHYOUJI 1, no supplied photographs, LISTNAME
 * = PRODUCTNAME, OPTION1 from CODE). An empty product name adds nothing. 0 = added or nothing
 * to add, 1 = failure. */
DRUGBASE_API int RecordCreate(const DrugRecord* record);

/* Changes the first drug (in name order) whose YJ code is `key`. Mode 0: every descriptive
 * field, YJ code and N code included (LISTNAME follows PRODUCTNAME unless that is empty); mode 1:
 * PHOTO_HYOUJI only; mode 2: PHOTO_TOROKU and PHOTO_HYOUJI; other modes change nothing.
 * 0 = done or no such drug, 99. */
DRUGBASE_API int RecordEdit(const DrugRecord* record, const char* key, int mode);

/* 1 = the drug exists and is supplied (ORIDGINAL 0), so it must not be deleted; 0 otherwise; 99. */
DRUGBASE_API int RecordDell00(const char* yjcode);

/* Deletes the first drug with this YJ code. 0 = deleted or not found, 99. */
DRUGBASE_API int RecordDell(const char* yjcode);

/* ---- Conversions -------------------------------------------------------------------------
 * Each converts the whole source and returns the bytes written including the terminator, or 0
 * (leaving an empty string) when the result does not fit the room. */

/* Half-width -> full-width into 25 bytes of `dst`. */
DRUGBASE_API int HanToZen(const char* src, char* dst);
/* Full-width -> half-width into 13 bytes of `dst`. */
DRUGBASE_API int ZenToHan(const char* src, char* dst);
/* Katakana -> hiragana into n + 1 bytes of `dst`, for a source of n bytes. */
DRUGBASE_API int KataToHira(const char* src, char* dst, int n);

#ifdef __cplusplus
} /* extern "C" */

static_assert(offsetof(DrugRecord, YJCODE) == 0);
static_assert(offsetof(DrugRecord, PRODUCTNAME) == 25);
static_assert(offsetof(DrugRecord, CODE) == 116);
static_assert(offsetof(DrugRecord, callerArea) == 141);
static_assert(offsetof(DrugRecord, GENERALNAME) == 303);
static_assert(offsetof(DrugRecord, TANNI) == 393);
static_assert(offsetof(DrugRecord, YAKUKA) == 643);
static_assert(offsetof(DrugRecord, COMPANY) == 893);
static_assert(offsetof(DrugRecord, KOKUJI) == 1143);
static_assert(offsetof(DrugRecord, HONTAICODE) == 1393);
static_assert(offsetof(DrugRecord, HOUSOUCODE) == 1643);
static_assert(offsetof(DrugRecord, COLOR) == 1893);
static_assert(offsetof(DrugRecord, WARISEN) == 2143);
static_assert(offsetof(DrugRecord, TOUYOKEIRO) == 2393);
static_assert(offsetof(DrugRecord, SAIBUNRUI) == 2643);
static_assert(offsetof(DrugRecord, ZAIKEI) == 2893);
static_assert(offsetof(DrugRecord, YOUHOU) == 3143);
static_assert(offsetof(DrugRecord, KUBUN) == 3393);
static_assert(offsetof(DrugRecord, KEIKASOCHI) == 3643);
static_assert(offsetof(DrugRecord, SAYOA) == 3893);
static_assert(offsetof(DrugRecord, SAYOB) == 4393);
static_assert(offsetof(DrugRecord, SAYOC1) == 4893);
static_assert(offsetof(DrugRecord, SAYOC2) == 5393);
static_assert(offsetof(DrugRecord, SAYO_TOROKU) == 5893);
/* Numbers keep their natural 4-byte alignment, so three padding bytes precede SAYO_HYOUJI. */
static_assert(offsetof(DrugRecord, SAYO_HYOUJI) == 6396);
static_assert(offsetof(DrugRecord, CYUUI) == 6400);
static_assert(offsetof(DrugRecord, CYUUI_TOROKU) == 6900);
static_assert(offsetof(DrugRecord, CYUUI_HYOUJI) == 7400);
static_assert(offsetof(DrugRecord, MEMO) == 7404);
static_assert(offsetof(DrugRecord, photoFlag) == 7904);
static_assert(offsetof(DrugRecord, PHOTO1) == 7908);
static_assert(offsetof(DrugRecord, PHOTO6) == 7928);
static_assert(offsetof(DrugRecord, PHOTO_TOROKU) == 7932);
static_assert(offsetof(DrugRecord, PHOTO_HYOUJI) == 8432);
static_assert(offsetof(DrugRecord, LISTHYOUJI) == 8436);
static_assert(offsetof(DrugRecord, ORIDGINAL) == 8440);
static_assert(sizeof(DrugRecord) == 8444);
#endif

#endif /* DRUGBASE_H */
