// Commands that prepare a program folder for trying the program out: registering a patient,
// and switching the medication history and the e-medication-handbook codes on or off in the
// user settings.
#include <charconv>
#include <functional>
#include <utility>
#include <vector>

#include "admin.h"
#include "era/era.h"
#include "layout/data_folder.h"
#include "patientbase.h"
#include "patientbase/admin.h"
#include "settings/settings.h"
#include "sjis/sjis.h"

namespace admin {

int patientId(std::string_view text) {
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() && id > 0 ? id : 0;
}

namespace {

// The text field of the detail `key`, with its width; nullptr for an unknown key.
char* textField(PatientRecord& patient, std::string_view key, std::size_t& width) {
    const std::pair<std::string_view, std::pair<char*, std::size_t>> fields[] = {
        {"reading", {patient.MEMO, sizeof patient.MEMO}},
        {"phone", {patient.TELEPHONE, sizeof patient.TELEPHONE}},
        {"mobile", {patient.TELEPHONE2, sizeof patient.TELEPHONE2}},
        {"address", {patient.ADDRESS, sizeof patient.ADDRESS}},
        {"ward", {patient.BYOUTO, sizeof patient.BYOUTO}},
        {"allergy", {patient.ALLERGY, sizeof patient.ALLERGY}},
        {"effect", {patient.EFFECT, sizeof patient.EFFECT}}};
    for (const auto& [name, place] : fields)
        if (name == key) {
            width = place.second;
            return place.first;
        }
    return nullptr;
}

// Puts `text` into a fixed field of `width` bytes; false when Shift-JIS cannot hold it or it
// does not fit (a cut text would register a wrong detail without saying so).
bool putText(char* field, std::size_t width, const std::string& text) {
    std::string cp932;
    if (!sjis::fromUtf8(text, cp932) || cp932.size() >= width) return false;
    sjis::copyField(field, width, cp932);
    return true;
}

// "昭和40.5.3": an era name and the year, month and day within it.
bool putBirth(PatientRecord& patient, const std::string& text) {
    const int code = era::codeAtStart(text);
    if (code == 0) return false;
    int parts[3] = {};
    const char* at = text.data() + std::string_view(era::name(code)).size();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || (i < 2 ? next == end || *next != '.' : next != end))
            return false;
        at = next + 1;
    }
    if (parts[0] < 1 || parts[0] > 99 || parts[1] < 1 || parts[1] > 12 || parts[2] < 1 ||
        parts[2] > 31)
        return false;
    patient.NENGO = code;
    patient.YEAR = parts[0];
    patient.MONTH = parts[1];
    patient.DAY = parts[2];
    return true;
}

// Applies one KEY=VALUE detail; false with the reason on `err`.
bool putDetail(PatientRecord& patient, const std::string& detail, std::ostream& err) {
    const std::size_t equals = detail.find('=');
    const std::string key = detail.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : detail.substr(equals + 1);
    if (equals == std::string::npos) {
        err << detail << ": a detail is given as KEY=VALUE\n";
        return false;
    }
    if (key == "sex") {
        patient.SEX = value == "男" ? 1 : value == "女" ? 2 : -1;
        if (patient.SEX < 0) err << detail << ": sex is 男 or 女\n";
        return patient.SEX >= 0;
    }
    if (key == "birth") {
        const bool put = putBirth(patient, value);
        if (!put)
            err << detail << ": the birth date is an era and year.month.day, e.g. 昭和40.5.3\n";
        return put;
    }
    std::size_t width = 0;
    char* const field = textField(patient, key, width);
    if (!field) {
        err << detail
            << ": unknown detail (reading, sex, birth, phone, mobile, address, ward, "
               "allergy, effect)\n";
        return false;
    }
    if (!putText(field, width, value)) {
        err << detail << ": not a Shift-JIS text of at most " << width - 1 << " bytes\n";
        return false;
    }
    return true;
}

}  // namespace

int addPatient(const std::filesystem::path& folder, const std::string& idText,
               const std::string& name, const std::vector<std::string>& details, std::ostream& out,
               std::ostream& err) {
    const int id = patientId(idText);
    if (id == 0) {
        err << idText << ": the patient ID must be a positive whole number\n";
        return kUsage;
    }
    PatientRecord patient{};
    patient.ID = id;
    if (name.empty() || !putText(patient.PATIENT, sizeof patient.PATIENT, name)) {
        err << "the name must be a text that Shift-JIS can hold, at most 99 bytes\n";
        return kUsage;
    }
    for (const std::string& detail : details)
        if (!putDetail(patient, detail, err)) return kUsage;
    const std::string cause = patientbase::addPatient(layout::databaseFolder(folder), patient);
    if (!cause.empty()) {
        err << "patient " << id << " was not registered: " << cause << "\n";
        return kRefused;
    }
    out << "registered patient " << id << " " << name << "\n";
    return kDone;
}

bool changeSettings(const std::filesystem::path& folder,
                    const std::function<void(settings::SettingsBlock&)>& change,
                    std::ostream& err) {
    const std::filesystem::path file = settings::settingsFilePath(folder);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    settings::SettingsBlock settings{};
    settings::SettingsResult result = settings::loadSettings(file, settings);
    if (result.ok()) {
        change(settings);
        result = settings::saveSettings(file, settings);
    }
    if (!result.ok()) err << result.message << "\n";
    return result.ok();
}

int setHistorySwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                     std::ostream& err) {
    if (!changeSettings(
            folder, [on](settings::SettingsBlock& s) { s.saveHistory = on ? 1 : 0; }, err))
        return kRefused;
    out << "medication history " << (on ? "on" : "off") << "\n";
    return kDone;
}

int setHandbookCodesSwitch(const std::filesystem::path& folder, bool on, std::ostream& out,
                           std::ostream& err) {
    if (!changeSettings(
            folder, [on](settings::SettingsBlock& s) { settings::setHandbookCodes(s, on); }, err))
        return kRefused;
    out << "e-medication-handbook codes " << (on ? "on" : "off") << "\n";
    return kDone;
}

}  // namespace admin
