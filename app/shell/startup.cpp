#include "shell/startup.h"

#include <QString>

#include "data/data_server.h"
#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "data/phrase_store.h"
#include "layout/data_folder.h"
#include "settings/settings.h"

namespace shell {
namespace {

// False, after telling the operator why, when the folder names a data server that cannot be
// worked on: the program would otherwise open on empty lists and fail at every call.
bool dataServerUsable(desk::Desk& desk) {
    const data::ServerCheck check = data::checkServer(desk.databaseFolder);
    const QString place =
        check.place.empty() ? QString("（既定の接続先）") : QString::fromStdString(check.place);
    // Said before anything else: the connection goes on, but the operator should know.
    if (!check.unverifiedMode.empty())
        desk.prompts.message(nullptr,
                             QString(kServerUnverifiedText)
                                 .replace("%1", place)
                                 .replace("%2", QString::fromStdString(check.unverifiedMode)),
                             kServerProblemTitle, ui::Icon::Warning);
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
        case data::ServerCheck::State::OtherVersion:
            text = kServerVersionText;
            break;
    }
    desk.prompts.message(nullptr,
                         QString(text)
                             .replace("%1", place)
                             .replace("%2", QString::fromStdString(check.detail).trimmed())
                             .replace("%3", QString::number(check.serverVersion))
                             .replace("%4", QString::number(data::kSchemaVersion)),
                         kServerProblemTitle, ui::Icon::Warning);
    return false;
}

}  // namespace

bool startUp(desk::Desk& desk, const std::filesystem::path& folder) {
    desk.programFolder = folder;
    desk.databaseFolder = layout::databaseFolder(folder);
    if (!dataServerUsable(desk)) return false;

    if (!data::DrugCatalogue().open(desk.databaseFolder)) {
        desk.prompts.message(nullptr, kEngineMissingText, kEngineMissingTitle, ui::Icon::Warning);
        return false;
    }
    data::PatientRegister().open(desk.databaseFolder);
    data::PhraseStore().open(desk.databaseFolder);

    std::error_code ec;
    std::filesystem::create_directories(folder / layout::kConfigFolder, ec);
    desk.settingsFile = settings::settingsFilePath(folder);
    if (!std::filesystem::exists(desk.settingsFile, ec))
        desk.prompts.message(nullptr, kSettingsMissingText, kSettingsMissingTitle,
                             ui::Icon::Warning);
    const settings::SettingsResult loaded =
        settings::loadSettings(desk.settingsFile, desk.settings);
    if (!loaded.ok()) {
        desk.prompts.message(nullptr, QString::fromStdString(loaded.message),
                             QString::fromUtf8(settings::kSettingsMessageTitle.data(),
                                               settings::kSettingsMessageTitle.size()),
                             ui::Icon::Warning);
        return false;
    }
    desk.phrases.readAll();
    return true;
}

void shutDown() {
    data::DrugCatalogue().close();
    data::PatientRegister().close();
}

}  // namespace shell
