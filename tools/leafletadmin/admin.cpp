#include "admin.h"

#include "dataserver/admin.h"
#include "layout/data_folder.h"

namespace admin {
namespace {

constexpr const char* kUsageText =
    "usage: leafletadmin COMMAND ARGUMENTS\n"
    "  init FOLDER                     create the data folders and empty databases, with a\n"
    "                                  key of the folder's own (kept in the user's\n"
    "                                  configuration, or LEAFLET_KEY_DIR)\n"
    "  rekey FOLDER                    re-key a folder made before with its own key, once\n"
    "  key FOLDER                      print the folder id and the folder's key\n"
    "  key export FOLDER OUT.pdf       write the key's recovery sheet (keep it in the safe)\n"
    "  key import FOLDER KEY | --from-picture FILE\n"
    "                                  keep the key of a folder from the recovery sheet: typed,\n"
    "                                  or read from a photograph or scan of its QR code\n"
    "  load-catalogue FOLDER FILE.csv  add the supplied drugs of a UTF-8 CSV file\n"
    "  list FOLDER                     print the drug catalogue in name order\n"
    "  patients FOLDER                 print the patient register in ID order\n"
    "  import K3FOLDER KIND FOLDER     run one maintenance import on the catalogue; KIND is\n"
    "                                  FUKUYOTEXT, TOROKU, YJSH, YJSU, Record00, Record01 or\n"
    "                                  Recordcode; K3FOLDER holds the supplied data folders\n"
    "                                  (7服薬指導CDテキストデータ, 2識別コードデータ, "
    "4処理用データ)\n"
    "  import-master FOLDER y_ALL.csv [--add-drugs]\n"
    "                                  fill the code map from the public drug master; with\n"
    "                                  --add-drugs also add the drugs the catalogue lacks\n"
    "  read-prescription FOLDER FILE   print as JSON what a prescription code would put into\n"
    "                                  the print list; FILE is its text, or a PNG or JPEG\n"
    "                                  picture or a PDF file (first page) of its QR symbols\n"
    "  server-init CONNINFO            create the tables on an empty database of a server;\n"
    "                                  CONNINFO is a libpq connection string, or a FOLDER\n"
    "                                  whose データベース/接続先.conf holds one\n"
    "  server-upgrade CONNINFO         move the server's tables to the next version\n"
    "  grant-server CONNINFO ROLE [counter|owner]\n"
    "                                  let ROLE work as a counter terminal (the default):\n"
    "                                  read the catalogue, write patients, histories and\n"
    "                                  phrase lists; or as the tables' owner: imports,\n"
    "                                  catalogue changes, upgrades\n"
    "  server-backup CONNINFO FILE     back the server up with pg_dump into FILE, with the\n"
    "                                  rows of every table in FILE.counts\n"
    "  server-restore CONNINFO FILE    restore FILE with pg_restore into an empty database\n"
    "                                  and check the rows against FILE.counts\n"
    "  terminal FOLDER CONNINFO [FROM]  make a terminal's program folder for the server: init,\n"
    "                                  the history on, the help page and the photographs\n"
    "                                  (copied from the program folder FROM), 接続先.conf;\n"
    "                                  then check the server\n"
    "  copy-to-server FOLDER CONNINFO  copy the catalogue, the patients with their history\n"
    "                                  and the phrase lists from FOLDER's files to the server\n"
    "  add-patient FOLDER ID NAME [KEY=VALUE ...]\n"
    "                                  register a patient; details: reading=, sex=男|女,\n"
    "                                  birth=昭和40.5.3, phone=, mobile=, address=, ward=,\n"
    "                                  allergy=, effect=\n"
    "  history FOLDER on|off           save printed leaflets in the medication history\n"
    "  handbook-qr FOLDER on|off       print the e-medication-handbook QR codes on leaflets\n"
    "  pictograms FOLDER on|off        print usage pictograms beside each drug's usage\n"
    "  generic-info FOLDER on|off      print generic-drug information under drug names\n"
    "  large-print FOLDER on|off       print leaflets about 1.4 times larger\n"
    "  pharmacy FOLDER [KEY=VALUE ...]  print the pharmacy the e-medication-handbook codes\n"
    "                                  name; or set name=, prefecture=NN, code=NNNNNNN,\n"
    "                                  postal=NNN-NNNN, address=, phone=\n"
    "  store-leaflet FOLDER ID FILE.json\n"
    "                                  store a leaflet in the patient's medication history, as\n"
    "                                  printing it would; FILE.json lists 1 to 30 drugs, e.g.\n"
    "                                  [{\"yjcode\": \"2171901F2S93\", \"timings\": [0, 1, 0, 0, "
    "0],\n"
    "                                    \"amount\": \"１回１錠\", \"days\": \"２８日分\",\n"
    "                                    \"usage\": \"１日１回朝食後に服用\"}]\n"
    "                                  (timings: 起床, 朝, 昼, 夕, 寝前 in units, halves allowed)\n"
    "  print-history FOLDER ID OUT.pdf [DATE]\n"
    "                                  write the patient's newest stored leaflet (or the one\n"
    "                                  stored at DATE, \"YYYY/MM/DD HH:MM:SS\") as a PDF file\n"
    "                                  (exit status 3 when drugs no longer in the drug database\n"
    "                                  were left out; their codes are named)\n"
    "  print-sticker FOLDER ID OUT.pdf [DATE]\n"
    "                                  write the お薬手帳 sticker of that stored leaflet\n"
    "  sticker FOLDER width=58|62|80   the sticker roll's width in millimetres\n"
    "  audit FOLDER [--patient ID] [--since YYYY-MM-DD]\n"
    "                                  list the audit trail: every change and print, by time\n"
    "  audit FOLDER --verify           check every audit chain; names the first row that was\n"
    "                                  changed, inserted or follows a deleted one (exit 1)\n"
    "FOLDER is the program folder that holds データベース, コンフィグ and 薬剤写真.\n";

int usage(std::ostream& err) {
    err << kUsageText;
    return kUsage;
}

// Where the FOLDER argument of a command that reads or writes the data stands.
int dataFolderArgument(const std::string& command) {
    if (command == "import") return 3;
    for (const char* name :
         {"list", "patients", "load-catalogue", "import-master", "read-prescription", "add-patient",
          "store-leaflet", "print-history", "print-sticker", "pharmacy", "audit"})
        if (command == name) return 1;
    return 0;
}

}  // namespace

// A folder that names a data server is checked once before a data command: a server that
// cannot be reached or lacks its tables is told in its own words, not as a bare failed call.
bool serverUsable(const std::filesystem::path& folder, std::ostream& err) {
    const dataserver::ServerCheck check = dataserver::checkServer(layout::databaseFolder(folder));
    using State = dataserver::ServerCheck::State;
    if (!check.unverifiedMode.empty())
        err << "warning: the data server " << check.place
            << " is reached with sslmode=" << check.unverifiedMode
            << ", which does not verify its certificate\n";
    if (check.state == State::Files || check.state == State::Ready) return true;
    err << "the data server " << (check.place.empty() ? "(libpq's default)" : check.place)
        << (check.state == State::Unreachable    ? " cannot be reached"
            : check.state == State::NoTables     ? " lacks the tables or may not read them"
            : check.state == State::OtherVersion ? " has tables of another version"
                                                 : " is not named usably in 接続先.conf")
        << ": " << check.detail << "\n";
    return false;
}

namespace {

// A folder of files must have its key: without it a command would fail at every call, or make
// a new file beside the ones it cannot read.
bool filesUsable(const std::filesystem::path& folder, std::ostream& err) {
    const std::filesystem::path databaseFolder = layout::databaseFolder(folder);
    std::error_code ec;
    return std::filesystem::exists(databaseFolder / layout::kServerFile, ec) ||
           keyUsable(databaseFolder, err);
}

int keyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 2) return showKey(args[1], out, err);
    if (args.size() == 4 && args[1] == "export") return exportKey(args[2], args[3], out, err);
    if (args.size() == 4 && args[1] == "import") return importKey(args[2], args[3], out, err);
    if (args.size() == 5 && args[1] == "import" && args[3] == "--from-picture")
        return importKeyFromPicture(args[2], args[4], out, err);
    return usage(err);
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    if (args.empty()) return usage(err);
    const std::string& command = args[0];
    if (const int at = dataFolderArgument(command);
        at != 0 && args.size() > static_cast<std::size_t>(at) &&
        (!serverUsable(args[at], err) || !filesUsable(args[at], err)))
        return kRefused;
    if (command == "init" && args.size() == 2) return initFolder(args[1], out, err);
    if (command == "rekey" && args.size() == 2)
        return rekeyFolder(layout::databaseFolder(args[1]), out, err);
    if (command == "key") return keyCommand(args, out, err);
    if (command == "load-catalogue" && args.size() == 3)
        return loadCatalogue(args[1], args[2], out, err);
    if (command == "list" && args.size() == 2) return listCatalogue(args[1], out, err);
    if (command == "patients" && args.size() == 2) return listPatients(args[1], out, err);
    if (command == "import" && args.size() == 4)
        return importData(args[1], args[2], args[3], out, err);
    if (command == "import-master" && (args.size() == 3 || args.size() == 4)) {
        const bool addDrugs = args.size() == 4;
        if (addDrugs && args[3] != "--add-drugs") return usage(err);
        return importMaster(args[1], args[2], addDrugs, terminal, out, err);
    }
    if (command == "read-prescription" && args.size() == 3)
        return readPrescriptionFile(args[1], args[2], out, err);
    // init-server is the command's earlier name.
    if ((command == "server-init" || command == "init-server") && args.size() == 2)
        return initServer(args[1], out, err);
    if (command == "copy-to-server" && args.size() == 3)
        return copyToServer(args[1], args[2], out, err);
    if (command == "server-upgrade" && args.size() == 2) return upgradeServer(args[1], out, err);
    if (command == "server-backup" && args.size() == 3)
        return backupServer(args[1], args[2], out, err);
    if (command == "server-restore" && args.size() == 3)
        return restoreServer(args[1], args[2], out, err);
    if (command == "terminal" && (args.size() == 3 || args.size() == 4))
        return makeTerminal(args[1], args[2], args.size() == 4 ? args[3] : "", out, err);
    if (command == "grant-server" && (args.size() == 3 || args.size() == 4))
        return grantServer(args[1], args[2], args.size() == 4 ? args[3] : "counter", out, err);
    if (command == "audit" && args.size() >= 2)
        return auditTrail(args[1], {args.begin() + 2, args.end()}, out, err);
    if (command == "add-patient" && args.size() >= 4)
        return addPatient(args[1], args[2], args[3], {args.begin() + 4, args.end()}, out, err);
    if (command == "history" && args.size() == 3 && (args[2] == "on" || args[2] == "off"))
        return setHistorySwitch(args[1], args[2] == "on", out, err);
    if (command == "handbook-qr" && args.size() == 3 && (args[2] == "on" || args[2] == "off"))
        return setHandbookCodesSwitch(args[1], args[2] == "on", out, err);
    if (isPageSwitch(command) && args.size() == 3 && (args[2] == "on" || args[2] == "off"))
        return setPageSwitch(command, args[1], args[2] == "on", out, err);
    if (command == "pharmacy" && args.size() >= 2)
        return pharmacy(args[1], {args.begin() + 2, args.end()}, out, err);
    if (command == "store-leaflet" && args.size() == 4)
        return storeLeaflet(args[1], args[2], args[3], out, err);
    if (command == "print-history" && (args.size() == 4 || args.size() == 5))
        return printHistory(args[1], args[2], args.size() == 5 ? args[4] : "", args[3], out, err);
    if (command == "print-sticker" && (args.size() == 4 || args.size() == 5))
        return printSticker(args[1], args[2], args.size() == 5 ? args[4] : "", args[3], out, err);
    if (command == "sticker" && args.size() == 3)
        return setStickerWidth(args[1], args[2], out, err);
    return usage(err);
}

}  // namespace admin
