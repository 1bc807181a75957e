// import: the maintenance imports of the drug library, run from the command line.
#include <string_view>

#include "admin.h"
#include "drugbase.h"
#include "layout/data_folder.h"
#include "library_messages.h"

namespace admin {
namespace {

struct Import {
    const char* kind;
    int (*run)();
};

constexpr Import kImports[] = {{"FUKUYOTEXT", FUKUYOTEXT},
                               {"TOROKU", TOROKU},
                               {"YJSH", YJSH},
                               {"YJSU", YJSU},
                               {"Record00", Record00},
                               {"Record01", Record01},
                               {"Recordcode", Recordcode}};

const char* meaning(int result) {
    switch (result) {
        case 0:
            return "done";
        case 2:
            return "the input file cannot be opened; nothing changed";
        default:
            return "database failure; nothing changed";
    }
}

}  // namespace

int importData(const std::filesystem::path& k3Folder, const std::string& kind,
               const std::filesystem::path& folder, std::ostream& out, std::ostream& err) {
    const Import* import = nullptr;
    for (const Import& i : kImports)
        if (kind == i.kind) import = &i;
    if (!import) {
        err << kind << ": no such import; KIND is one of";
        for (const Import& i : kImports) err << " " << i.kind;
        err << "\n";
        return kUsage;
    }
    const std::filesystem::path database = layout::databaseFolder(folder);
    if (!hasDrugDatabase(folder, err)) return kRefused;
    LibraryMessages messages(out);
    if (RecordOpen(database.string().c_str(), nullptr) != 0) {
        err << "the linked SQLite cannot encrypt\n";
        return kRefused;
    }
    RecordSetImportFolder(k3Folder.string().c_str());
    const int result = import->run();
    RecordSetImportFolder(nullptr);
    RecordClose();
    out << kind << ": " << result << " (" << meaning(result) << ")\n";
    return result == 0 ? kDone : kRefused;
}

}  // namespace admin
