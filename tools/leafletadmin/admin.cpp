#include "admin.h"

namespace admin {
namespace {

constexpr const char* kUsageText =
    "usage: leafletadmin COMMAND ARGUMENTS\n"
    "  init FOLDER                     create the data folders and empty databases\n"
    "  load-catalogue FOLDER FILE.csv  add the supplied drugs of a UTF-8 CSV file\n"
    "  list FOLDER                     print the drug catalogue in name order\n"
    "FOLDER is the program folder that holds データベース, コンフィグ and 薬剤写真.\n";

int usage(std::ostream& err) {
    err << kUsageText;
    return kUsage;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usage(err);
    const std::string& command = args[0];
    if (command == "init" && args.size() == 2) return initFolder(args[1], out, err);
    if (command == "load-catalogue" && args.size() == 3)
        return loadCatalogue(args[1], args[2], out, err);
    if (command == "list" && args.size() == 2) return listCatalogue(args[1], out, err);
    return usage(err);
}

}  // namespace admin
