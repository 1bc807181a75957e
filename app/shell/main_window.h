// The operator's desk: the patient row with its alert line, the drug list with its searches, the
// detail panel, the business data printed on every leaflet, the print list, and the buttons and
// function keys of the commands leading to every screen. The window lays its parts out and binds
// the commands' actions to buttons, keys and the drug list's pop-up menu; the parts do the work.
#pragma once

#include <QDialog>

#include "desk/desk.h"
#include "desk/print_list_model.h"
#include "dosagewindow/dosage_window.h"
#include "drugs/drug_list_model.h"

namespace drugs {
class DetailPanel;
}
namespace leaflet {
class PrintTarget;
}

namespace shell {

class BusinessPanel;
class CatalogueCommands;
class DosageCommands;
class DrugListPanel;
class LeafletCommands;
class PatientFileCommand;
class PatientRow;
class PrescriptionCommand;
class PrintListPanel;
class RepeatCommand;
class StickerCommand;
class ToolCommands;

class MainWindow : public QDialog {
    Q_OBJECT
  public:
    explicit MainWindow(desk::Desk& desk, QWidget* parent = nullptr);

    // Fills the drug list in the saved order; false (after the message) when the catalogue
    // could not be read.
    bool loadDrugList();

    drugs::DrugListModel& drugList();
    desk::PrintListModel& printListModel();
    drugs::DetailPanel& detailPanel() { return *detailPanel_; }
    // The first selected row of the drug list, or -1.
    int selectedDrugRow() const;
    // Selects a drug-list row, scrolls it into view and shows it in the detail panel.
    void selectDrugRow(int row, bool showInPanel = true);
    // Where printed pages go; null (the default) is the system's default printer.
    void setPrintTarget(leaflet::PrintTarget* target);
    // The dosage window while it is open.
    dosage::DosageWindow* dosageWindow() const;
    PatientFileCommand& patientFile() { return *patientFile_; }
    PrescriptionCommand& prescription() { return *prescription_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildButtons();
    void bindCommands();

    desk::Desk& desk_;
    PatientRow* patientRow_;
    DrugListPanel* drugListPanel_;
    drugs::DetailPanel* detailPanel_;
    BusinessPanel* businessPanel_;
    PrintListPanel* printListPanel_;
    CatalogueCommands* catalogue_;
    DosageCommands* dosage_;
    LeafletCommands* leaflet_;
    ToolCommands* tools_;
    PatientFileCommand* patientFile_;
    PrescriptionCommand* prescription_;
    StickerCommand* sticker_;
    RepeatCommand* repeat_;
    bool placed_ = false;  // centred on the work area at the first showing
};

}  // namespace shell
