// The operator's desk: patient, drug list with its quick searches, detail panel, business
// data printed on every leaflet, and the buttons and function keys leading to every screen.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "dosage/dosage_host.h"
#include "dosage/dosage_window.h"

#include "drugs/drug_list_model.h"
#include "drugs/prefix_search.h"
#include "drugs/results_dialog.h"
#include "shell/app_state.h"
#include "shell/print_list_model.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableView;

namespace drugs {
class DetailPanel;
}
namespace leaflet {
class PrintTarget;
struct LeafletHeader;
}  // namespace leaflet

namespace shell {

class LeafletJob;

class MainWindow : public QDialog, private dosage::DosageHost {
    Q_OBJECT
  public:
    // Control ids of the window's buttons (they choose the buttons' colours).
    enum ControlId {
        kPatientFile = 1091,
        kDrugSearch = 1133,
        kDrugDetail = 1008,
        kSetDosage = 1005,
        kPreview = 101,
        kPrint = 1011,
        kCorrectDrug = 900,
        kRegisterDrug = 1088,
        kDeleteDrug = 1013,
        kSameKind = 1128,
        kComment = 1052,
        kBackup = 1189,
        kVersion = 1199,
        kHelp = 1200,
        kEditPrescribers = 1197,
        kEditPharmacists = 1187,
        kRemoveEntry = 1012,
        kClearEntries = 1010,
        kChangeDosage = 1014,
        kSaveHistory = 1016,
    };

    explicit MainWindow(AppState& state, QWidget* parent = nullptr);

    // Fills the drug list in the saved order; false (after the message) when the catalogue
    // could not be read.
    bool loadDrugList();

    drugs::DrugListModel& drugList() { return drugList_; }
    PrintListModel& printListModel() { return printListModel_; }
    drugs::DetailPanel& detailPanel() { return *detailPanel_; }
    // The first selected row of the drug list, or -1.
    int selectedDrugRow() const;
    // Selects a drug-list row, scrolls it into view and shows it in the detail panel.
    void selectDrugRow(int row, bool showInPanel = true);
    // Where printed pages go; null (the default) is the system's default printer.
    void setPrintTarget(leaflet::PrintTarget* target) { printTarget_ = target; }
    // The dosage window while it is open.
    dosage::DosageWindow* dosageWindow() const { return dosageWindow_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildPatientRow();
    void buildDrugList();
    void drugListMenu(const QPoint& at);
    void buildBusinessData();
    void buildButtons();
    void buildPrintList();
    void printListClicked();
    void removeEntry();
    void clearEntries();
    void bindFunctionKeys();
    QWidget* button(int id, const char* text, const QRect& geometry, void (MainWindow::*slot)());

    void searchNames(const QString& text);
    void searchCodes(const QString& text);
    void patientIdLeft();
    void orderChosen(int index);
    void applyBusinessType();
    void fillBusinessLists();
    void storeBusinessData();

    // Commands.
    void drugSearch();
    void deleteDrug();
    void sameKindSearch();
    void comment();
    void backup();
    void version();
    void help();
    void editPrescribers();
    void editPharmacists();
    void editBusinessList(int list);

    // The leaflet road.
    void setDosage();
    void changeDosage();
    void openDosageWindow(dosage::DosageWindow::Mode mode);
    void preview();
    void print();
    void printLeaflet(QWidget* owner);
    void saveHistory();
    leaflet::LeafletHeader leafletHeader();
    // A paginated job of the print list, or null after the pagination's message.
    std::unique_ptr<LeafletJob> makeJob(QWidget* owner);
    // As makeJob, after the checks printing and saving share (a patient name, entries).
    std::unique_ptr<LeafletJob> checkedJob(QWidget* owner);
    // Stores the job in the history when the switch is on; true when it was stored.
    bool storeHistory(QWidget* owner, const LeafletJob& job);

    // What the dosage window asks of this window.
    leaflet::PrintList& printList() override;
    void printListChanged() override;
    int firstSelectedEntry() const override;
    dosage::DrugReload reloadSelectedDrug(DrugRecord& record, QImage& photo) override;
    void clearSearchBoxes() override;
    void entryStored() override;
    bool autoUsage() const override;
    void setAutoUsage(bool on) override;

    drugs::ResultsDialog::Actions resultActions();
    bool requireSelectedDrug(const char* message);
    void databaseFailure();

    AppState& state_;
    drugs::DrugListModel drugList_;
    PrintListModel printListModel_;
    QTableView* printView_ = nullptr;
    drugs::PrefixSearch nameSearch_ = drugs::PrefixSearch::forNames();
    drugs::PrefixSearch codeSearch_ = drugs::PrefixSearch::forCodes();
    QLineEdit* patientId_ = nullptr;
    QLineEdit* patientName_ = nullptr;
    QLineEdit* codeSearchBox_ = nullptr;
    QLineEdit* nameSearchBox_ = nullptr;
    QComboBox* order_ = nullptr;
    QTableView* drugView_ = nullptr;
    drugs::DetailPanel* detailPanel_ = nullptr;
    QRadioButton* hospital_ = nullptr;
    QRadioButton* pharmacy_ = nullptr;
    QComboBox* prescriber_ = nullptr;
    QComboBox* pharmacist_ = nullptr;
    QLineEdit* pharmacyName_ = nullptr;
    QRadioButton* monochrome_ = nullptr;
    QRadioButton* colourful_ = nullptr;
    bool placed_ = false;  // centred on the work area at the first showing
    QPointer<dosage::DosageWindow> dosageWindow_;
    leaflet::PrintTarget* printTarget_ = nullptr;
};

// Texts of the window's messages.
inline constexpr const char* kDatabaseFailureText = "データベースに異常があります。";
inline constexpr const char* kErrorTitle = "エラー";
inline constexpr const char* kSelectTitle = "選択";

}  // namespace shell
