/*
 * drugbase — the drug catalogue library.
 *
 * One encrypted SQLite file, <data folder>/薬剤ファイル.mdb, holds table Medicine_Information
 * with one row per drug. Every call below except RecordOpen, RecordClose, filefinder, the
 * conversions, RecordSetImportFolder and those marked "No database access" opens the file, does
 * its work and closes it again before returning, so the file can be copied or shared between
 * calls.
 *
 * Texts are zero-terminated Shift-JIS (code page 932) byte strings; file paths (the data folder,
 * filefinder's pattern, the program folder and JPEG path of the photograph calls, the import
 * folder) are in the platform's file-name encoding (UTF-8 on Linux).
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

/* The library's version: major * 10000 + minor * 100 + patch. */
#define DRUGBASE_VERSION_NUMBER 100
#define DRUGBASE_VERSION "0.1.0"

/* Exported when the library itself is built (DRUGBASE_BUILDING), imported by its users. */
#if defined(_WIN32)
#if defined(DRUGBASE_BUILDING)
#define DRUGBASE_API __declspec(dllexport)
#else
#define DRUGBASE_API __declspec(dllimport)
#endif
#else
#define DRUGBASE_API __attribute__((visibility("default")))
#endif

/* Results (see above). DRUGBASE_FAILED tells a database failure from a result of 1 that has a
 * meaning of its own. */
#define DRUGBASE_OK 0
#define DRUGBASE_CONDITION 1    /* exists / not found / may not be deleted; RecordCreate: failed */
#define DRUGBASE_FILE_MISSING 2 /* an import file could not be opened */
#define DRUGBASE_DB_FAILURE 99
/* The largest user photograph file kept in the catalogue (8 MB). */
#define DRUGBASE_USER_PHOTO_MAX_BYTES (8u << 20)
#define DRUGBASE_FAILED(result) ((result) > 89)

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

/* The drugs whose YJCODE (by 0) or PRODUCTNAME (by 1) starts with one of the `count` texts of
 * `prefixes` (CP932; an empty one matches every drug with the column filled), each read as a
 * range on the column's index. By 0 they come in YJ code order and in name order among drugs of
 * one code, by 1 in name order. For drug r inserts list-view item r with YJCODE and sets its
 * columns 1, 2 and 3 to PRODUCTNAME, ZAIKEI and CODE. 0, or 99 (also for another `by`). */
DRUGBASE_API int RecordStartsWith(int by, const char* const* prefixes, int count,
                                  const DrugListViewSink* drugs);

/* The drugs whose product name made half-width without spaces (its name key) is `key` (CP932),
 * found through the name keys the catalogue file keeps (a file made before them gets them at
 * the first call), handed to `drugs` in name order as RecordStartsWith hands them. 0; 1 on a
 * data server, which keeps no name keys (search with RecordStartsWith and compare); or 99. */
DRUGBASE_API int RecordByNameKey(const char* key, const DrugListViewSink* drugs);

/* The drug RecordDetail reads for this YJ code (exact; of several, the first stored), as
 * list-view item 0 of `drug` with YJCODE and columns 1, 2 and 3 set to PRODUCTNAME, ZAIKEI and
 * CODE, without reading the drug's texts. Nothing is inserted when there is no such drug.
 * 0, or 99. */
DRUGBASE_API int RecordBrief(const char* yjcode, const DrugListViewSink* drug);

/* Reads the drugs with these `count` YJ codes (exact), as RecordDetail reads each, in one
 * statement (on the files one per 500 codes). For each i: records[i] (output) gets the drug with
 * codes[i] and found[i] (output) is 1; without such a drug found[i] is 0 and records[i] is left
 * untouched, with no message. A code may be given more than once. 0 (also when some or all are
 * missing; also for count 0) or 99 (found[] and records[] then as far as read). */
DRUGBASE_API int RecordReadMany(const char* const* codes, int count, DrugRecord* records,
                                int* found);

/* Composite search. Each non-empty argument is a substring condition on its column (product
 * name, general name, maker, YJ code, route); a drug must meet all of them and, where dosage
 * forms are given, contain at least one of them in its form. Appends LISTNAME and YJCODE of every
 * match in name order. All arguments empty lists the whole catalogue. Each text is read as a
 * field of the search dialog: up to 249 bytes, cut at a character boundary. 0 or 99. */
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
 * = PRODUCTNAME, OPTION1 from CODE), keeping the PHOTO_TOROKU file's picture in the catalogue
 * (see the photographs below). An empty product name adds nothing. 0 = added or nothing to
 * add, 1 = failure (also for a PHOTO_TOROKU file over DRUGBASE_USER_PHOTO_MAX_BYTES). */
DRUGBASE_API int RecordCreate(const DrugRecord* record);

/* Changes the first drug (in name order) whose YJ code is `key`. Mode 0: every descriptive
 * field, YJ code and N code included (LISTNAME follows PRODUCTNAME unless that is empty); mode 1:
 * PHOTO_HYOUJI only; mode 2: PHOTO_TOROKU and PHOTO_HYOUJI, and the picture kept in the
 * catalogue is replaced by the PHOTO_TOROKU file's bytes (removed when PHOTO_TOROKU is empty or
 * names no readable file); other modes change nothing. A kept picture follows a changed YJ code.
 * 0 = done or no such drug, 99 (a PHOTO_TOROKU file over DRUGBASE_USER_PHOTO_MAX_BYTES reports
 * "写真のファイルが大きすぎます。8MB以下のJPEGファイルを選んで下さい。" and changes nothing). */
DRUGBASE_API int RecordEdit(const DrugRecord* record, const char* key, int mode);

/* 1 = the drug exists and is supplied (ORIDGINAL 0), so it must not be deleted; 0 otherwise; 99. */
DRUGBASE_API int RecordDell00(const char* yjcode);

/* Deletes the first drug with this YJ code, and its kept user photograph when no other drug has
 * the code. 0 = deleted or not found, 99. */
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

/* ---- Photographs ------------------------------------------------------------------------
 * A drug's supplied photographs are <base>/薬剤写真/PHOTOn/<YJ code in half-width form>.jpg for
 * n = 1 ... 6, where <base> is the program folder the caller passes (UTF-8); a drug may also
 * have a photograph the user chose anywhere (PHOTO_TOROKU). Slots 1-6 are the supplied folders,
 * slot 7 the user photograph. PHOTOn = 1 says folder n has one; PHOTO_HYOUJI picks the one shown.
 * The user photograph's bytes are kept in the catalogue itself (table User_Photo) when it is
 * chosen, so every terminal sharing the catalogue draws it, also after the file is gone; slot 7
 * draws that kept picture, and the PHOTO_TOROKU file only for a drug without one (a catalogue
 * made before the table existed has none until its first photograph change).
 *
 * Every picture is drawn upright (the EXIF orientation of a phone photograph is honoured),
 * stretched whole to exactly 140 x 105 pixels with area averaging, with its top-left corner at
 * (x, y) of the surface; the parts outside the surface are clipped. Baseline, progressive,
 * greyscale and CMYK JPEG files are read.
 *
 * A missing file draws nothing and says nothing. A file that cannot be read or decoded draws
 * nothing and reports one message: "File seems to be empty" (its size cannot be told), "Could
 * not allocate memory for image" (too large to hold), "Could not lock memory for image" (a
 * zero-byte file), "写真を読み込むことが出来ません。正しいJPEG形式のファイルか確認して下さい。"
 * (reading it failed), "Could not load image (hr failure)" (not a JPEG file), "Could not load
 * image (pgpPicture failure)" (a JPEG whose picture cannot be decoded: cut short, corrupt, or
 * larger than 134 million pixels). Photograph problems never change a call's result; the
 * caller learns what was drawn from the drawn flags, which a call only ever sets to 1. */

/* A 32-bit pixel surface owned by the caller: `height` rows of `width` pixels, row r starting
 * at byte r * bytesPerLine of `pixels`; each pixel is 0xFFRRGGBB in the machine's byte order
 * (the layout of a Qt image in Format_RGB32). */
typedef struct DrugSurface {
    int32_t width;
    int32_t height;
    int32_t bytesPerLine;
    uint32_t* pixels;
} DrugSurface;

/* Draws the photograph PHOTO_HYOUJI chooses for the drug with this YJ code (exact) into
 * `surface` at (x, y) and sets *drawn (output) to 1 when it drew it: 1-6 = folder PHOTOn when
 * PHOTOn is 1, 7 = the PHOTO_TOROKU file when it is not empty, anything else nothing. Nothing
 * is drawn for an unknown code, or when `surface` or `window` (a window handle, otherwise not
 * used) is NULL. 0, or 99 on a database failure. */
DRUGBASE_API int PictureImage(DrugSurface* surface, int* drawn, void* window, const char* yjcode,
                              const char* baseFolder, int x, int y);

/* Draws the photograph PictureImage would draw for the drug `record` holds, as RecordDetail or
 * RecordReadMany read it, without reading the catalogue again (only a user photograph kept in
 * the catalogue is read). Nothing is drawn when `surface` or `record` is NULL. Returns 0. */
DRUGBASE_API int PictureImageOf(DrugSurface* surface, int* drawn, const DrugRecord* record,
                                const char* baseFolder, int x, int y);

/* Draws every photograph of the drug: slot n = 1 ... 6 from folder PHOTOn when PHOTOn is 1, and
 * slot 7 from PHOTO_TOROKU when it is not empty, each into surfaces[n - 1] at (x, y), setting
 * *drawn[n - 1] (output) when it drew it. A slot whose file is missing or unreadable is left
 * as it is and the others are still drawn; so is a slot whose surface or flag pointer is NULL.
 * Nothing is drawn when surfaces[0] or `window` is NULL. 0, or 99 on a database failure. */
DRUGBASE_API int DrawImage(DrugSurface* const surfaces[7], int* const drawn[7], void* window,
                           const char* yjcode, const char* baseFolder, int x, int y);

/* Draws the JPEG file at `path` (UTF-8) into `surface` at (x, y) and sets *drawn (output) to 1
 * when it drew it. `window` is not used. No database access. Always 0. */
DRUGBASE_API int OridginalImage(DrugSurface* surface, int* drawn, const char* path, void* window,
                                int x, int y);

/* 1 when the photograph file of this YJ code (as given, not converted) exists in folder PHOTOn
 * of the base folder (for an n outside 1-6: <base>/<code>.jpg), 0 when not. A code holding a
 * path separator names no file. No database access. */
DRUGBASE_API int FINDFILE(int n, const char* yjcode, const char* baseFolder);

/* ---- Maintenance imports ---------------------------------------------------------------
 * Refresh the supplied catalogue from the supplied text data files (*.K3, Shift-JIS, one
 * record per line, fields in double quotes separated by commas, CR LF or LF line ends). The
 * files are read from the import folder set with RecordSetImportFolder, under the same
 * relative paths as on the supplied data disc:
 *   7服薬指導CDテキストデータ/YJHA0601.K3   FUKUYOTEXT
 *   2識別コードデータ/YJSH0410.K3           YJSH
 *   4処理用データ/YJSU0601.K3               YJSU
 *   4処理用データ/Saibun.K3                 YJSU (therapeutic class names)
 * A file is read up to its first line that does not begin with a double quote, at most 40001
 * records. Each call runs in one transaction: it lands whole or, on a database failure, not
 * at all ("Error:RECORDSET.Update", result 99). No call adds or deletes drugs. Every text
 * stored is cut at a character boundary to fit its DrugRecord field (LISTNAME to 249 bytes).
 * A field that the end of its line cuts off before its closing quote is not stored. */

/* Sets the folder (UTF-8) the K3 files are read from; NULL or "" unsets it. */
DRUGBASE_API void RecordSetImportFolder(const char* folder);

/* Medication-guidance texts. Each YJHA0601.K3 record is "<YJ code, 12 bytes>","<SAYOA>",
 * "<SAYOB>","<SAYOC1>","<SAYOC2>","<CYUUI>"; the first drug with that YJ code gets each
 * non-empty field (an empty one keeps the column's text; an unknown code changes nothing).
 * A record whose code is not followed by "," and a quote reports "Error:服薬指導CDテキスト
 * データ…読み込み失敗" and is read anyway. On success reports "服薬指導CDテキストデータ…
 * レコード総数 N件…読み込み完了" with the records read. 0; 2 when the file cannot be opened
 * ("Error:fopenエラー", nothing changed); 99. */
DRUGBASE_API int FUKUYOTEXT(void);

/* Runs FUKUYOTEXT and returns 0 whatever it returned. */
DRUGBASE_API int TOROKU(void);

/* Identification data. Each YJSH0410.K3 record is "<key, 24 bytes>", then HONTAICODE,
 * HOUSOUCODE and COLOR, each ended by a comma outside double quotes (quotes are dropped, a
 * quoted comma is kept), then optionally "<WARISEN, one character>". The key is compared whole
 * with YJCODE; the first drug with it gets each non-empty field, and WARISEN whenever that
 * field is there. Messages and results as FUKUYOTEXT ("Error:識別コードデータ…読み込み失敗",
 * "識別コードデータ…レコード総数 N件…読み込み完了"). */
DRUGBASE_API int YJSH(void);

/* Processing data, by position: record k of YJSU0601.K3 belongs to row k of the table in its
 * own (insertion) order. A record is "<24 bytes, not used>", then seven fields ended by commas
 * (quotes dropped): a marker, one not used, TOUYOKEIRO, SAIBUNRUI, ZAIKEI, YOUHOU, KUBUN. A
 * record marked "＄" changes nothing and uses up no row. Otherwise each non-empty field is
 * stored in the row, SAIBUNRUI as the name Saibun.K3 ("<code>","<name>" records) gives its
 * half-width code, or as that code when Saibun.K3 has none (or cannot be opened: one
 * "Error:fopenエラー"); records beyond the last row change nothing. Messages and results as
 * FUKUYOTEXT ("Error:処理用データ…読み込み失敗", "処理用データ…レコード総数 N件…読み込み完了"). */
DRUGBASE_API int YJSU(void);

/* Maker markers. In name order (product name, maker, strength), within a run of rows of one
 * product name, from the first row whose maker differs from the row before it, that row before
 * and every later row of the name get LISTNAME = PRODUCTNAME + "　★" + COMPANY; rows of the
 * name before that keep their LISTNAME. Every row named "注射用水" gets the marker, whatever
 * its neighbours. 0 or 99. */
DRUGBASE_API int Record00(void);

/* Strength markers: the same walk with the strength (TANNI) in place of the maker, appending
 * "　☆" + TANNI to the row's current LISTNAME (so run after Record00 a row may read
 * name　★maker　☆strength). Running it again appends again. 0 or 99. */
DRUGBASE_API int Record01(void);

/* N codes. In name order, every row whose product name is not "＄" gets CODE = the first six
 * bytes of its product name (cut at a character boundary) with katakana turned into hiragana,
 * followed, for the second and later rows with the same prefix in a row, by their number in
 * that run in full-width digits (あむろ, あむろ２, あむろ３); OPTION1 follows the new CODE.
 * 0 or 99. */
DRUGBASE_API int Recordcode(void);

/* ---- Code map from the public drug master ------------------------------------------------
 * Table Code_Map of the drug file tells what each 9-digit レセ電 code of the claims-processing
 * fund's drug master stands for; prescription codes name drugs by it. The table is created
 * with a new file and added to an older file on its first use; Medicine_Information is never
 * changed by it. */

/* One code map row (CP932 texts). */
typedef struct DrugCodeMapEntry {
    char receiptCode[10]; /* the 9-digit レセ電 code */
    char YJCODE[25];      /* 薬価基準収載医薬品コード, 12 characters; may be empty */
    char generalNameCode[25]; /* 一般名コード, 12 characters; may be empty */
    char generalName[250]; /* 一般名処方の標準的な記載, e.g. "【般】ファモチジン散２％" */
} DrugCodeMapEntry;

/* One row of the drug master: its code map entry and what a catalogue row is made of. */
typedef struct DrugMasterRow {
    DrugCodeMapEntry code;
    char PRODUCTNAME[91]; /* kanji name with strength */
    char TANNI[250];      /* unit name (錠, ｇ, ...) */
    char YAKUKA[250];     /* price per unit as written, e.g. "9.50" */
    int generic;          /* 1 for a generic drug (後発品), else 0 */
} DrugMasterRow;

/* Told after every few hundred rows and after the last: rows written so far, rows in all. */
typedef void (*DrugMasterProgress)(void* context, int done, int total);

/* Replaces the whole code map with the `count` rows. With `addDrugs` non-zero, also adds a
 * supplied drug (ORIDGINAL 0, LISTHYOUJI 1) for each YJ code that no drug of the catalogue has:
 * PRODUCTNAME, TANNI, YAKUKA from the row, GENERALNAME the general-name text without its
 * "【般】" mark, ZAIKEI the dosage-form word of the product name (錠, カプセル, 散, ...; empty
 * when it names none), CODE built as Recordcode builds N codes (first six bytes of the name in
 * hiragana), numbered from ２ on when a drug already has it. Rows without a YJ code add no drug.
 * One transaction: everything or, on any failure, nothing. *added (output, may be NULL) gets
 * the drugs added; `progress` may be NULL. 0; 1 when `rows` is NULL with a count, or a レセ電
 * code is empty or given twice (message "医薬品コード…が重複しています。", nothing written); 99. */
DRUGBASE_API int MasterImport(const DrugMasterRow* rows, int count, int addDrugs,
                              DrugMasterProgress progress, void* context, int* added);

/* Gives the next master row into *row: 1 when it gave one, 0 after the last, -1 when the rows
 * cannot be given on (the source has told why itself). */
typedef int (*DrugMasterSource)(void* source, DrugMasterRow* row);

/* MasterImport with the rows taken one at a time from `next`, so that a master of any size is
 * never held whole: `count` is the rows the source will give, for the progress only. Each row
 * is checked as it comes; a refused row, or a source answering -1, returns 1 and the
 * transaction is rolled back, so nothing is written. */
DRUGBASE_API int MasterImportStream(DrugMasterSource next, void* source, int count, int addDrugs,
                                    DrugMasterProgress progress, void* context, int* added);

/* Reads the code map row of this レセ電 code into *entry (output). 0 = found, 1 = no such code
 * (entry untouched, no message), 99. */
DRUGBASE_API int MasterCode(const char* receiptCode, DrugCodeMapEntry* entry);

/* What the drug master says of a drug about generics (prices in hundredths of a yen, exact). */
typedef struct DrugGenericFacts {
    int found;                    /* 1 when the master has a row with the drug's YJ code */
    int generic;                  /* 1 for a generic drug (後発品) */
    char unit[25];                /* the master's unit (錠, ｇ, ...), CP932 */
    long long price;              /* price per unit; -1 when the master gives none */
    long long lowestGenericPrice; /* for a drug that is not a generic: the lowest price per unit
                                   * among the generics sharing its general-name code (its YJ
                                   * code's first nine characters); -1 when it has none */
} DrugGenericFacts;

/* The generic facts of the drugs with these YJ codes (CP932), facts[i] for codes[i], read in
 * one statement per batch of codes through the code map's indexes. The first master row of a
 * YJ code answers for it. A drug without a master row, or a catalogue into which the master
 * was never loaded, gets found = 0 and no message. 0; 1 when codes or facts is NULL with a
 * count; 99. */
DRUGBASE_API int MasterGenericFacts(const char* const* codes, int count, DrugGenericFacts* facts);

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
