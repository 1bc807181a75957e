// The process-wide state of the program: its folders, the settings block, the phrase tables,
// the prompts, and the patient leaflets are saved under. Windows receive it by reference.
#pragma once

#include <filesystem>

#include "dosage/phrase_tables.h"
#include "page/print_list.h"
#include "shell/settings.h"
#include "ui/prompts.h"

class QWidget;

namespace shell {

struct AppState {
    explicit AppState(ui::Prompts& p) : prompts(p) {}

    std::filesystem::path programFolder;   // the start directory
    std::filesystem::path databaseFolder;  // programFolder / データベース
    std::filesystem::path settingsFile;    // programFolder / コンフィグ / Userfile.e
    SettingsBlock settings{};
    dosage::PhraseTables phrases;
    ui::Prompts& prompts;
    int currentPatientId = 0;      // the patient leaflets are saved under; 0 = none
    leaflet::PrintList printList;  // the drugs of the next leaflet; not kept between runs

    // Writes the settings file; a failure is shown to the operator and changes nothing here.
    void saveSettings(QWidget* owner);
};

}  // namespace shell
