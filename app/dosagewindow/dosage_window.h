// "用法設定画面": the dosage settings of one drug (the amounts per timing, the meal timing, the
// usage, amount and days texts), put into the print list as a new entry or written back over
// the entry it was opened for. Modeless; it works on its own current entry and reaches the
// main window only through DosageHost.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <string>

#include "desk/desk.h"
#include "dosage/timing_rules.h"
#include "dosagewindow/dosage_host.h"
#include "drugbase.h"
#include "leaflet/print_entry.h"
#include "phrases/phrase_tables.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace ui {
class Prompts;
}

namespace dosage {

class TimingBox;

class DosageWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Mode { kNewEntry, kChange };

    // New entry: the drug in hand is `currentDrug` with `currentPhoto` (used when its photo
    // flag is 1). Change: the window works on the first selected print-list entry and writes
    // back to that position only. The print list, phrases and prompts are the desk's.
    DosageWindow(desk::Desk& desk, DosageHost& host, Mode mode, const DrugRecord& currentDrug,
                 const QImage& currentPhoto, QWidget* parent);

    Mode mode() const { return mode_; }
    // The entry as the window holds it (the drug record and its dosage settings).
    const DrugRecord& currentEntry() const { return entry_; }

  private:
    // "OK" (also Enter) and "印刷リスト内の用法を適用".
    void confirm();
    void applyFromList();

    void buildControls();
    QComboBox* phraseCombo(const char* name, const char* label, int list, std::size_t maxBytes,
                           int y, int editButtonId, const char* editButtonName);
    void openChangeEntry();
    void showTimings();
    // The entry's timings, meal timing, usage and days texts, and its amount text when asked.
    void showDosage(bool withAmountText);
    void showDrugName();
    DosageControls controls() const;

    // Every rule works on the entry with the amounts and texts the controls show; the combo
    // boxes then show the texts the rule composed.
    void takeControls();
    // The first selected print-list entry, or -1 after the message that there is none.
    int selectedEntryOrSay();
    // Applies an amount typed into timing `t`'s box as a spin move would: with the automatic
    // usage switch on the composed texts follow it, so a printed usage text never disagrees
    // with the amounts beside it; with the switch off the texts stay as typed.
    void applyTypedAmount(int t);
    void runRule(const std::function<Notice()>& rule);
    void notify(Notice notice);

    void editPhrases(int list, QComboBox* combo);

    // New entry mode: the drug selected in the main window, read again. False when the action
    // must end here.
    bool reloadDrug();
    // Whether the print list still holds the entry this window was opened for.
    bool changeTargetKept() const;

    desk::Desk& desk_;
    DosageHost& host_;
    PhraseTables& phrases_;
    ui::Prompts& prompts_;
    const Mode mode_;
    DrugRecord entry_{};
    QImage photo_;
    // Change mode: the position and YJ code of the entry being changed (-1: none).
    int changePosition_ = -1;
    std::string changeCode_;

    QLabel* drugName_ = nullptr;
    std::array<TimingBox*, leaflet::kTimingCount> timings_{};
    QComboBox* meal_ = nullptr;
    QCheckBox* autoUsage_ = nullptr;
    QComboBox* usage_ = nullptr;
    QComboBox* amount_ = nullptr;
    QComboBox* days_ = nullptr;
};

}  // namespace dosage
