// The main window's dosage commands: setting the dosage of the drug selected in the drug list
// (F4, or a double click) as a new print-list entry, and changing the dosage of the selected
// print-list entry. Both open the dosage window, which asks this object for what it needs of
// the main window.
#pragma once

#include <QObject>
#include <QPointer>

#include "desk/desk.h"
#include "dosagewindow/dosage_host.h"
#include "dosagewindow/dosage_window.h"

class QAction;
class QWidget;

namespace drugs {
class DetailPanel;
}

namespace shell {

class DrugListPanel;
class PrintListPanel;

class DosageCommands : public QObject, private dosage::DosageHost {
    Q_OBJECT
  public:
    DosageCommands(desk::Desk& desk, DrugListPanel& drugList, drugs::DetailPanel& detail,
                   PrintListPanel& printList, QWidget* window);

    QAction* setDosage() const { return setDosage_; }
    QAction* changeDosage() const { return changeDosage_; }
    // The dosage window while it is open.
    dosage::DosageWindow* dosageWindow() const { return dosageWindow_; }

  private:
    void newEntry();
    void changeEntry();
    void openWindow(dosage::DosageWindow::Mode mode);

    int firstSelectedEntry() const override;
    dosage::DrugReload reloadSelectedDrug(DrugRecord& record, QImage& photo) override;
    void clearSearchBoxes() override;
    void entryStored() override;
    bool autoUsage() const override;
    void setAutoUsage(bool on) override;

    desk::Desk& desk_;
    DrugListPanel& drugList_;
    drugs::DetailPanel& detail_;
    PrintListPanel& printList_;
    QWidget* window_;
    QAction* setDosage_;
    QAction* changeDosage_;
    QPointer<dosage::DosageWindow> dosageWindow_;
};

}  // namespace shell
