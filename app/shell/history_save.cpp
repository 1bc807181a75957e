#include "shell/history_save.h"

#include <charconv>

#include "leaflet/history_text.h"
#include "patientbase.h"
#include "sjis/sjis.h"

namespace shell {
namespace {

// The registered patient ID the box holds (surrounding spaces allowed), or 0.
int registeredId(const std::string& idText, const std::string& name) {
    const auto first = idText.find_first_not_of(' ');
    const auto last = idText.find_last_not_of(' ');
    if (first == std::string::npos) return 0;
    int id = 0;
    const char* begin = idText.data() + first;
    const char* end = idText.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, id);
    if (error != std::errc() || stop != end || id <= 0) return 0;
    char registered[256] = {};
    if (LRecordID_CLIENT(id, registered) != 0) return 0;
    if (registered[0] == '\0' || sjis::fieldText(registered, sizeof registered) != name) return 0;
    return id;
}

}  // namespace

HistorySave saveToHistory(bool historySwitch, const std::string& idText, const std::string& name,
                          std::span<const DrugRecord> entries) {
    if (!historySwitch) return HistorySave::kSwitchedOff;
    const int id = registeredId(idText, name);
    if (id == 0) return HistorySave::kNoMatch;
    const std::string stored = leaflet::historyText(leaflet::buildHistoryBlock(entries));
    return LRecordRIREKI(id, stored.c_str()) == 0 ? HistorySave::kStored : HistorySave::kFailed;
}

}  // namespace shell
