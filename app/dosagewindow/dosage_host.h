// What the dosage window asks of the window that opens it (the main window), so that it does
// not depend on that window's class. The print list itself is the desk's.
#pragma once

#include <QImage>

#include "drugbase.h"

namespace dosage {

// What became of reading the drug selected in the main window's drug list again.
enum class DrugReload { kNoDrugList, kEmptyCode, kNoSelection, kReloaded, kFailed };

class DosageHost {
  public:
    virtual ~DosageHost() = default;
    // The first selected print-list row, or -1.
    virtual int firstSelectedEntry() const = 0;
    // The drug selected in the drug list, read again (detail panel, record and photograph).
    // kReloaded fills `record` (photoFlag 1 when `photo` holds its 140 x 105 photograph);
    // kNoSelection: nothing is selected and the caller keeps its current entry.
    virtual DrugReload reloadSelectedDrug(DrugRecord& record, QImage& photo) = 0;
    // Empties the N-code and drug-name search boxes.
    virtual void clearSearchBoxes() = 0;
    // An entry was stored: the focus goes to the N-code search box.
    virtual void entryStored() = 0;
    // 自動用法作成; setting it stores and writes the settings at once.
    virtual bool autoUsage() const = 0;
    virtual void setAutoUsage(bool on) = 0;
};

}  // namespace dosage
