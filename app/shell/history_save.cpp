#include "shell/history_save.h"

#include <charconv>

#include "data/patient_register.h"
#include "leaflet/history_text.h"

namespace shell {

namespace {

// The positive ID the ID box holds (surrounding spaces allowed); else 0.
int typedId(const std::string& idText) {
    const auto first = idText.find_first_not_of(' ');
    const auto last = idText.find_last_not_of(' ');
    if (first == std::string::npos) return 0;
    int id = 0;
    const char* begin = idText.data() + first;
    const char* end = idText.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, id);
    return error == std::errc() && stop == end && id > 0 ? id : 0;
}

}  // namespace

int registeredPatientId(const std::string& idText, const std::string& name) {
    const int id = typedId(idText);
    if (id == 0) return 0;
    std::string registered;
    if (data::PatientRegister().nameOf(id, registered) != data::DataResult::kDone) return 0;
    return registered == name ? id : 0;
}

HistorySave saveToHistory(bool historySwitch, const std::string& idText, const std::string& name,
                          std::span<const DrugRecord> entries) {
    if (!historySwitch) return HistorySave::kSwitchedOff;
    const int id = typedId(idText);
    if (id == 0) return HistorySave::kNoMatch;
    // Checked and stored in one write: a patient deleted or renumbered on another terminal
    // since it was looked up gets nothing.
    const std::string stored = leaflet::historyText(leaflet::buildHistoryBlock(entries));
    switch (data::PatientRegister().storeHistoryFor(id, name, stored)) {
        case data::CheckedStore::kStored:
            return HistorySave::kStored;
        case data::CheckedStore::kNoPatient:
        case data::CheckedStore::kNameDiffers:
            return HistorySave::kNoMatch;
        case data::CheckedStore::kFailed:
            break;
    }
    return HistorySave::kFailed;
}

}  // namespace shell
