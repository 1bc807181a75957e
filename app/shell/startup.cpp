#include "shell/startup.h"

#include <QString>

#include "data/data_server.h"
#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "data/phrase_store.h"
#include "folderkey/folder_keying.h"
#include "folderkey/key_messages.h"
#include "folderkey/rekey.h"
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

// False, after telling the operator why, when the folder's files cannot be opened with their
// key: the program would otherwise show an empty register and, worse, make new files beside
// the ones it cannot read. A folder still on the built-in password is re-keyed here, once.
bool folderKeyReady(desk::Desk& desk) {
    std::error_code ec;
    if (std::filesystem::exists(desk.databaseFolder / layout::kServerFile, ec)) return true;
    std::string error;
    bool rekeyed = false;
    if (!folderkey::rekeyFolder(desk.databaseFolder, &rekeyed, &error)) {
        desk.prompts.message(
            nullptr,
            QString(folderkey::kRekeyFailedText).replace("%1", QString::fromStdString(error)),
            folderkey::kMissingKeyTitle, ui::Icon::Warning);
        return false;
    }
    const folderkey::FolderKey key = folderkey::keyOf(desk.databaseFolder);
    if (key.state != folderkey::FolderKey::State::Missing) return true;
    desk.prompts.message(
        nullptr,
        QString::fromStdString(folderkey::filledIn(folderkey::kMissingKeyText, key.folderId)),
        folderkey::kMissingKeyTitle, ui::Icon::Warning);
    return false;
}

}  // namespace

bool startUp(desk::Desk& desk, const std::filesystem::path& folder) {
    desk.programFolder = folder;
    desk.databaseFolder = layout::databaseFolder(folder);
    if (!dataServerUsable(desk) || !folderKeyReady(desk)) return false;

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
