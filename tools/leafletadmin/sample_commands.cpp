// Commands that prepare a program folder for trying the program out: registering a patient,
// and switching the medication history and the e-medication-handbook codes on or off in the
// user settings.
#include <charconv>
#include <functional>

#include "admin.h"
#include "layout/data_folder.h"
#include "patient_admin.h"
#include "patientbase.h"
#include "shell/settings.h"
#include "sjis/sjis.h"

namespace admin {

int patientId(std::string_view text) {
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() && id > 0 ? id : 0;
}

int addPatient(const std::filesystem::path& folder, const std::string& idText,
               const std::string& name, std::ostream& out, std::ostream& err) {
    const int id = patientId(idText);
    if (id == 0) {
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

namespace {

// Loads the folder's user settings, applies `change` and writes them back; a failure is told
// on `err`.
bool changeSettings(const std::filesystem::path& folder,
                    const std::function<void(shell::SettingsBlock&)>& change, std::ostream& err) {
    const std::filesystem::path file = shell::settingsFilePath(folder);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    shell::SettingsBlock settings{};
    shell::SettingsResult result = shell::loadSettings(file, settings);
    if (result.ok()) {
        change(settings);
        result = shell::saveSettings(file, settings);
    }
    if (!result.ok()) err << result.message << "\n";
    return result.ok();
}

}  // namespace

int setHistorySwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                     std::ostream& err) {
    if (!changeSettings(
            folder, [on](shell::SettingsBlock& s) { s.saveHistory = on ? 1 : 0; }, err))
        return kRefused;
    out << "medication history " << (on ? "on" : "off") << "\n";
    return kDone;
}

int setHandbookCodesSwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                           std::ostream& err) {
    if (!changeSettings(
            folder, [on](shell::SettingsBlock& s) { shell::setHandbookCodes(s, on); }, err))
        return kRefused;
    out << "e-medication-handbook codes " << (on ? "on" : "off") << "\n";
    return kDone;
}

}  // namespace admin
