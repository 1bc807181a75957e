// Making a terminal's program folder for a shared data server in one go.
#include <fstream>

#include "admin.h"
#include "dataserver/admin.h"
#include "layout/data_folder.h"

namespace admin {
namespace {

namespace fs = std::filesystem;

// The help page the program's 操作方法 button shows, and the one the program came with.
constexpr const char* kHelpPageName = "操作方法.html";
constexpr const char* kSampleHelpPage = LEAFLET_HELP_PAGE;

// Copies what `from` has of the help page and the drug photographs into `folder`, keeping
// what `folder` has already. False after a message.
bool copyFromFolder(const fs::path& from, const fs::path& folder, std::ostream& out,
                    std::ostream& err) {
    std::error_code ec;
    const fs::path photos = from / layout::kPhotoFolder;
    if (!fs::is_directory(photos, ec) || !fs::exists(from / kHelpPageName, ec)) {
        err << from.string() << ": not a program folder with " << kHelpPageName << " and "
            << layout::kPhotoFolder << "\n";
        return false;
    }
    fs::copy(photos, folder / layout::kPhotoFolder,
             fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (!ec)
        fs::copy(from / kHelpPageName, folder / kHelpPageName, fs::copy_options::skip_existing, ec);
    if (ec) {
        err << "cannot copy from " << from.string() << ": " << ec.message() << "\n";
        return false;
    }
    out << "copied the help page and the drug photographs from " << from.string() << "\n";
    return true;
}

}  // namespace

int makeTerminal(const fs::path& folder, const std::string& conninfo, const fs::path& from,
                 std::ostream& out, std::ostream& err) {
    std::string problem;
    if (!dataserver::isUsableAddress(conninfo, &problem)) {
        err << problem << "; nothing made\n";
        return kUsage;
    }
    if (const int made = initFolder(folder, out, err); made != kDone) return made;
    if (const int history = setHistorySwitch(folder, true, out, err); history != kDone)
        return history;
    std::error_code ec;
    if (!from.empty()) {
        if (!copyFromFolder(from, folder, out, err)) return kRefused;
    } else if (fs::copy(kSampleHelpPage, folder / kHelpPageName, fs::copy_options::skip_existing,
                        ec);
               ec) {
        err << "cannot copy the help page: " << ec.message() << "\n";
        return kRefused;
    } else {
        out << "copied the help page the program came with; the drug photographs come from the "
               "pharmacy's program folder (terminal FOLDER CONNINFO FROM, or copy 薬剤写真)\n";
    }
    const fs::path conf = layout::databaseFolder(folder) / layout::kServerFile;
    if (!(std::ofstream(conf, std::ios::trunc) << conninfo << "\n")) {
        err << conf.string() << ": cannot be written\n";
        return kRefused;
    }
    out << conf.string() << ": names the server\n";
    if (!serverUsable(folder, err)) return kPartial;
    out << "the server answers with the tables of version " << dataserver::kSchemaVersion
        << ": this terminal is ready\n";
    return kDone;
}

}  // namespace admin
