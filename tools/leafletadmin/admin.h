// The commands of leafletadmin, callable from tests with their own output streams.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_block.h"

namespace admin {

// Exit codes of a command.
inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;
inline constexpr int kPartial = 3;  // done in part: what was left out is named on `err`

// Runs the command named by args[0] with its arguments; messages go to `out` and `err`.
// `terminal` says that `err` is a terminal, where long commands show their progress.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool terminal = false);

// True when the program folder has its drug database; false after saying so on `err`.
bool hasDrugDatabase(const std::filesystem::path& folder, std::ostream& err);

// The folder's key. keyFolder gives a new database folder an id and a key of its own, or
// re-keys one whose files are on the built-in password. keyUsable finishes an interrupted
// re-key and is false, after saying in Japanese how to import the key, when the folder's key
// is missing. rekeyFolder re-keys once, all or nothing (done when re-keyed before).
int keyFolder(const std::filesystem::path& databaseFolder, std::ostream& out, std::ostream& err);
bool keyUsable(const std::filesystem::path& databaseFolder, std::ostream& err);
int rekeyFolder(const std::filesystem::path& databaseFolder, std::ostream& out, std::ostream& err);
// Prints the folder id and the key (grouped hex) of the program folder `folder`.
int showKey(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
// Writes the recovery sheet of the folder's key to the PDF file `pdf`.
int exportKey(const std::filesystem::path& folder, const std::filesystem::path& pdf,
              std::ostream& out, std::ostream& err);
// Keeps `keyText` (hex) as the folder's key once it opens the folder's files.
int importKey(const std::filesystem::path& folder, const std::string& keyText, std::ostream& out,
              std::ostream& err);
// The same with the key read from the QR code in a photograph or scan of the recovery sheet.
int importKeyFromPicture(const std::filesystem::path& folder, const std::filesystem::path& picture,
                         std::ostream& out, std::ostream& err);

// The commands. `folder` is a program folder: the start directory holding データベース etc.
int initFolder(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
int loadCatalogue(const std::filesystem::path& folder, const std::filesystem::path& csv,
                  std::ostream& out, std::ostream& err);
int listCatalogue(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
int listPatients(const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
// Runs the maintenance import `kind` on the catalogue of `folder`, reading K3 files from
// `k3Folder`; prints the library's messages and the result. kUsage for an unknown kind.
int importData(const std::filesystem::path& k3Folder, const std::string& kind,
               const std::filesystem::path& folder, std::ostream& out, std::ostream& err);
// Replaces the code map of the catalogue of `folder` with the public drug master `csv` and,
// with `addDrugs`, adds the drugs it has that the catalogue lacks. All or nothing; prints the
// count, and the progress on `err` when it is a terminal.
int importMaster(const std::filesystem::path& folder, const std::filesystem::path& csv,
                 bool addDrugs, bool terminal, std::ostream& out, std::ostream& err);
// Prints as JSON what reading the prescription code text in `file` would put into the print
// list, matched against the catalogue of `folder`. kRefused, with the reader's message naming
// the line, for a text that cannot be read.
int readPrescriptionFile(const std::filesystem::path& folder, const std::filesystem::path& file,
                         std::ostream& out, std::ostream& err);

// Creates the tables of the catalogue, the register, the phrase lists and the pharmacy, with
// the version, in one transaction on the empty database `target` names: a libpq connection
// string, or a program folder whose データベース/接続先.conf holds one.
int initServer(const std::string& target, std::ostream& out, std::ostream& err);

// Moves that server's tables to the next version in one transaction; done when they are at
// this program's version already.
int upgradeServer(const std::string& target, std::ostream& out, std::ostream& err);

// Gives ROLE on that server the rights of `kind`: "counter" (what a terminal needs: reading
// the catalogue, writing patients, histories and phrase lists, taking the write lock) or
// "owner" (imports, catalogue changes, upgrades). ROLE must exist; its name is lower-case
// letters, digits and "_". kUsage for another name or kind.
int grantServer(const std::string& target, const std::string& role, const std::string& kind,
                std::ostream& out, std::ostream& err);

// Writes a backup of that server to FILE (pg_dump's custom format, one snapshot) and the rows
// of each table in that snapshot to FILE.counts, printing them; FILE appears only when whole.
int backupServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                 std::ostream& err);

// Restores FILE with pg_restore into the empty database `target` names, in one transaction,
// and checks every table's rows against FILE.counts. kRefused for a database that is not
// empty (nothing changed), a failed restore or rows that differ.
int restoreServer(const std::string& target, const std::filesystem::path& file, std::ostream& out,
                  std::ostream& err);

// Makes a terminal's program folder: what `init` makes, the history switch on, the help page
// and the drug photographs (from the program folder `from` when given, else the help page the
// program came with), and データベース/接続先.conf holding `conninfo`; then checks the server
// and says what it found. kUsage for a string holding a password (nothing made), kPartial when
// the folder was made but the server cannot be worked on yet.
int makeTerminal(const std::filesystem::path& folder, const std::string& conninfo,
                 const std::filesystem::path& from, std::ostream& out, std::ostream& err);

// True when the server a folder names (if any) can be worked on; false after saying why.
bool serverUsable(const std::filesystem::path& folder, std::ostream& err);

// Copies the catalogue (with its code map), the patient register with every stored leaflet
// and the phrase lists from the files of `folder` to the server `conninfo` names, in one
// transaction, creating the tables on an empty database. Refuses a server that holds data;
// prints the rows copied per table after checking them against the files.
int copyToServer(const std::filesystem::path& folder, const std::string& conninfo,
                 std::ostream& out, std::ostream& err);

// Registers a patient with this ID and name (UTF-8) and the KEY=VALUE `details` (reading, sex,
// birth, phone, mobile, address, ward, allergy, effect); a detail that cannot be stored whole
// refuses the registration.
int addPatient(const std::filesystem::path& folder, const std::string& idText,
               const std::string& name, const std::vector<std::string>& details, std::ostream& out,
               std::ostream& err);
// Loads the folder's user settings, applies `change` and writes them back; a failure is told
// on `err`.
bool changeSettings(const std::filesystem::path& folder,
                    const std::function<void(settings::SettingsBlock&)>& change, std::ostream& err);

// Switches the saving of printed leaflets into the medication history on or off.
int setHistorySwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                     std::ostream& err);
// Whether `command` names a switch of the leaflet page (pictograms, large-print).
bool isPageSwitch(std::string_view command);
// Switches the leaflet page's element that `command` names on or off; kUsage for no such
// switch.
int setPageSwitch(std::string_view command, const std::filesystem::path& folder, bool on,
                  std::ostream& out, std::ostream& err);
// Switches the e-medication-handbook codes on the leaflets on or off.
int setHandbookCodesSwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                           std::ostream& err);

// Prints the pharmacy the e-medication-handbook codes name, one KEY=VALUE a line; with
// `settings` (KEY=VALUE: name, prefecture, code, postal, address, phone; an empty value clears
// the field) it first stores them over the stored ones. kUsage for an unknown key or a value
// too long, kRefused for a value not of its field's shape: nothing stored then.
int pharmacy(const std::filesystem::path& folder, const std::vector<std::string>& settings,
             std::ostream& out, std::ostream& err);

// Stores the leaflet that the JSON file `file` describes (a list of 1 to 30 drugs: YJ code,
// timing amounts, amount, days and usage texts) in the medication history of patient `idText`,
// as the program stores a printed leaflet; a leaflet stored earlier in the same second is
// waited past, so each keeps a stamp of its own. kRefused with a message naming the drug for
// an unknown patient or drug or a text that does not fit; nothing is stored then.
int storeLeaflet(const std::filesystem::path& folder, const std::string& idText,
                 const std::filesystem::path& file, std::ostream& out, std::ostream& err);

// Writes the patient's newest stored leaflet, or the one stored at `stamp` ("YYYY/MM/DD
// HH:MM:SS", empty for the newest), to the PDF file `pdf`: the patient's name from the register,
// the business data of the user settings, the drugs' photographs, and the e-medication-handbook
// codes when they are switched on. kRefused with a message for an unknown patient or stamp;
// kPartial, naming their codes, when drugs of the leaflet are no longer in the catalogue and the
// others were written.
int printHistory(const std::filesystem::path& folder, const std::string& idText,
                 const std::string& stamp, const std::filesystem::path& pdf, std::ostream& out,
                 std::ostream& err);

// Writes the お薬手帳 sticker of the patient's newest stored leaflet, or of the one stored at
// `stamp`, to the PDF file `pdf` at the roll width of the user settings; the exit codes are
// those of printHistory.
int printSticker(const std::filesystem::path& folder, const std::string& idText,
                 const std::string& stamp, const std::filesystem::path& pdf, std::ostream& out,
                 std::ostream& err);
// Sets the sticker roll's width from "width=58", "width=62" or "width=80"; kUsage otherwise.
int setStickerWidth(const std::filesystem::path& folder, const std::string& setting,
                    std::ostream& out, std::ostream& err);
// Lists the audit trails of `folder` merged by time (tab-separated, under a heading line), only
// the rows of patient ID and from the day `--since` when given; with `--verify` checks every
// chain instead and names the first row that breaks it (kRefused). kUsage for other options.
int auditTrail(const std::filesystem::path& folder, const std::vector<std::string>& options,
               std::ostream& out, std::ostream& err);

// The patient ID a text gives: a positive whole number, else 0.
int patientId(std::string_view text);

}  // namespace admin
