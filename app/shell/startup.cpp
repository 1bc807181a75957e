#include "shell/startup.h"

#include <QString>

#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "data/phrase_store.h"
#include "layout/data_folder.h"

namespace shell {

bool startUp(AppState& state, const std::filesystem::path& folder) {
    state.programFolder = folder;
    state.databaseFolder = layout::databaseFolder(folder);

    if (!data::DrugCatalogue().open(state.databaseFolder)) {
        state.prompts.message(nullptr, kEngineMissingText, kEngineMissingTitle, ui::Icon::Warning);
        return false;
    }
    data::PatientRegister().open(state.databaseFolder);
    data::PhraseStore().open(state.databaseFolder);

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
    data::DrugCatalogue().close();
    data::PatientRegister().close();
}

}  // namespace shell
