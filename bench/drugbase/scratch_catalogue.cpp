#include "scratch_catalogue.h"

#include "drugbase.h"
#include "layout/data_folder.h"
#include "synthetic_catalogue.h"

namespace bench {

const Scratch& scratchCatalogue(int count) {
    static const Scratch scratch = [count] {
        namespace fs = std::filesystem;
        const fs::path cache = fs::temp_directory_path() / "leafletdesk-bench";
        const fs::path source = syntheticCatalogueFolder(cache, count) / "薬剤ファイル.mdb";
        Scratch s;
        s.program = cache / ("maintenance-" + std::to_string(count));
        fs::remove_all(s.program);
        s.database = layout::databaseFolder(s.program);
        s.imports = s.program / "取込データ";
        fs::create_directories(s.database);
        fs::copy_file(source, s.database / "薬剤ファイル.mdb");
        RecordOpen(s.database.string().c_str(), nullptr);
        RecordSetImportFolder(s.imports.string().c_str());
        RecordSetMessageHandler([](void*, const char*) {}, nullptr);
        return s;
    }();
    return scratch;
}

}  // namespace bench
