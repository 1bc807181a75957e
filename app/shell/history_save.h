// Saving a leaflet into a patient's medication history. A leaflet is stored only for the
// patient registered, at the moment of the store, with the ID in the main window's ID box and
// the name in its name box, so a leaflet made out for a name typed by hand, or for a patient
// another terminal has deleted or renumbered since, never lands in another patient's history.
#pragma once

#include <span>
#include <string>

#include "drugbase.h"

namespace shell {

enum class HistorySave {
    kStored,
    kSwitchedOff,  // the history switch of the settings is off: nothing to do
    kNoMatch,      // the ID is not (or no longer) registered, or not under that name
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
    "薬歴は保存されませんでした。患者ＩＤと患者名が現在の登録内容と一致しません。"
    "他の端末で患者が削除されたか、患者ＩＤまたは患者名が変更された可能性があります。"
    "患者を選び直してから保存して下さい。";

}  // namespace shell
