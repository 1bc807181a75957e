#include "shell/startup.h"

#include <QString>

#include "data/data_server.h"
#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "data/phrase_store.h"
#include "layout/data_folder.h"

namespace shell {
namespace {

// False, after telling the operator why, when the folder names a data server that cannot be
// worked on: the program would otherwise open on empty lists and fail at every call.
bool dataServerUsable(AppState& state) {
    const data::ServerCheck check = data::checkServer(state.databaseFolder);
    const char* text = nullptr;
    switch (check.state) {
        case data::ServerCheck::State::Files:
        case data::ServerCheck::State::Ready:
            return true;
        case data::ServerCheck::State::BadFile:
            text = kServerFileText;
            break;
        case data::ServerCheck::State::Unreachable:
            text = kServerUnreachableText;
            break;
        case data::ServerCheck::State::NoTables:
            text = kServerNoTablesText;
            break;
    }
    const QString place =
        check.place.empty() ? QString("（既定の接続先）") : QString::fromStdString(check.place);
    state.prompts.message(nullptr,
                          QString(text)
                              .replace("%1", place)
                              .replace("%2", QString::fromStdString(check.detail).trimmed()),
                          kServerProblemTitle, ui::Icon::Warning);
    return false;
}

}  // namespace

bool startUp(AppState& state, const std::filesystem::path& folder) {
    state.programFolder = folder;
    state.databaseFolder = layout::databaseFolder(folder);
    if (!dataServerUsable(state)) return false;

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
