#include "shell/history_save.h"

#include <charconv>

#include "data/patient_register.h"
#include "leaflet/history_text.h"

namespace shell {

int registeredPatientId(const std::string& idText, const std::string& name) {
    const auto first = idText.find_first_not_of(' ');
    const auto last = idText.find_last_not_of(' ');
    if (first == std::string::npos) return 0;
    int id = 0;
    const char* begin = idText.data() + first;
    const char* end = idText.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, id);
    if (error != std::errc() || stop != end || id <= 0) return 0;
    std::string registered;
    if (data::PatientRegister().nameOf(id, registered) != data::DataResult::kDone) return 0;
    return registered == name ? id : 0;
}

HistorySave saveToHistory(bool historySwitch, const std::string& idText, const std::string& name,
                          std::span<const DrugRecord> entries) {
    if (!historySwitch) return HistorySave::kSwitchedOff;
    const int id = registeredPatientId(idText, name);
    if (id == 0) return HistorySave::kNoMatch;
    const std::string stored = leaflet::historyText(leaflet::buildHistoryBlock(entries));
    return data::PatientRegister().storeHistory(id, stored) == data::DataResult::kDone
               ? HistorySave::kStored
               : HistorySave::kFailed;
}

}  // namespace shell
