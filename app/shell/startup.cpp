#include "shell/startup.h"

#include <QString>

#include "drugbase.h"
#include "layout/data_folder.h"
#include "patientbase.h"

namespace shell {

bool startUp(AppState& state, const std::filesystem::path& folder) {
    state.programFolder = folder;
    state.databaseFolder = layout::databaseFolder(folder);
    const std::string databaseFolder = state.databaseFolder.string();

    if (RecordOpen(databaseFolder.c_str(), nullptr) != 0) {
        state.prompts.message(nullptr, kEngineMissingText, kEngineMissingTitle, ui::Icon::Warning);
        return false;
    }
    LRecordOpen(databaseFolder.c_str(), nullptr);
    DRecordOpen(databaseFolder.c_str(), nullptr);

    std::error_code ec;
    std::filesystem::create_directories(folder / layout::kConfigFolder, ec);
    state.settingsFile = settingsFilePath(folder);
    if (!std::filesystem::exists(state.settingsFile, ec))
        state.prompts.message(nullptr, kSettingsMissingText, kSettingsMissingTitle,
                              ui::Icon::Warning);
    const SettingsResult loaded = loadSettings(state.settingsFile, state.settings);
    if (!loaded.ok()) {
        state.prompts.message(
            nullptr, QString::fromStdString(loaded.message),
            QString::fromUtf8(kSettingsMessageTitle.data(), kSettingsMessageTitle.size()),
            ui::Icon::Warning);
        return false;
    }
    state.phrases.readAll();
    return true;
}

void shutDown() {
    RecordClose();
    LRecordClose();
}

}  // namespace shell
