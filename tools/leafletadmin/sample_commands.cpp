// Commands that prepare a program folder for trying the program out: registering a patient,
// and switching the medication history on or off in the user settings.
#include <charconv>

#include "admin.h"
#include "layout/data_folder.h"
#include "patient_admin.h"
#include "patientbase.h"
#include "shell/settings.h"
#include "sjis/sjis.h"

namespace admin {

int addPatient(const std::filesystem::path& folder, const std::string& idText,
               const std::string& name, std::ostream& out, std::ostream& err) {
    int id = 0;
    const auto [end, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (error != std::errc() || end != idText.data() + idText.size() || id <= 0) {
        err << idText << ": the patient ID must be a positive whole number\n";
        return kUsage;
    }
    PatientRecord patient{};
    patient.ID = id;
    std::string cp932;
    if (name.empty() || !sjis::fromUtf8(name, cp932)) {
        err << "the name must be a text that Shift-JIS can hold\n";
        return kUsage;
    }
    sjis::copyField(patient.PATIENT, sizeof patient.PATIENT, cp932);
    const std::string cause = patientbase::addPatient(layout::databaseFolder(folder), patient);
    if (!cause.empty()) {
        err << "patient " << id << " was not registered: " << cause << "\n";
        return kRefused;
    }
    out << "registered patient " << id << " " << name << "\n";
    return kDone;
}

int setHistorySwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                     std::ostream& err) {
    const std::filesystem::path file = shell::settingsFilePath(folder);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    shell::SettingsBlock settings{};
    shell::SettingsResult result = shell::loadSettings(file, settings);
    if (result.ok()) {
        settings.saveHistory = on ? 1 : 0;
        result = shell::saveSettings(file, settings);
    }
    if (!result.ok()) {
        err << result.message << "\n";
        return kRefused;
    }
    out << "medication history " << (on ? "on" : "off") << "\n";
    return kDone;
}

}  // namespace admin
