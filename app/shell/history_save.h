// Saving a leaflet into a patient's medication history. A leaflet is stored only for the
// patient whose registered ID stands in the main window's ID box and whose registered name
// stands in its name box, so a leaflet made out for a name typed by hand never lands in the
// history of whichever patient was looked up last.
#pragma once

#include <span>
#include <string>

#include "drugbase.h"

namespace shell {

enum class HistorySave {
    kStored,
    kSwitchedOff,  // the history switch of the settings is off: nothing to do
    kNoMatch,      // the ID is not registered, or the name is not that patient's
    kFailed,       // patientbase refused; it has shown its message
};

// The registered patient ID the ID box holds (surrounding spaces allowed) when the name box
// holds that patient's registered name; else 0. `idText` and `name` are CP932.
int registeredPatientId(const std::string& idText, const std::string& name);

// `idText` and `name` (CP932) are the contents of the ID and name boxes.
HistorySave saveToHistory(bool historySwitch, const std::string& idText, const std::string& name,
                          std::span<const DrugRecord> entries);

// The warning shown for kNoMatch (title "確認").
inline constexpr const char* kHistoryNotSavedText =
    "薬歴は保存されませんでした。患者ＩＤと患者名が登録内容と一致しません。";

}  // namespace shell
