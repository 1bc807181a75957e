// "患者管理画面": the patient register listed by ID or name, one patient's data, the patient's
// history dates and recalled leaflet, and the commands that apply, register, correct, delete and
// search patients and move a recalled leaflet into the print list. The patient shown is always
// the current row's, whatever moved it. Modeless; the main window keeps at most one.
#pragma once

#include <QDialog>

#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "desk/desk.h"
#include "patients/patient_host.h"
#include "patients/patient_list_model.h"

class QAction;
class QComboBox;
class QLineEdit;
class QTableView;

namespace patients {

class HistoryPanel;
class PatientForm;
struct Notice;

class PatientScreen : public QDialog {
    Q_OBJECT
  public:
    PatientScreen(desk::Desk& desk, PatientHost& host, QWidget* parent);

    // Lists the register in the saved order and, when the main window's ID box holds an ID,
    // selects and shows the first patient whose ID begins with it. False (after the message)
    // when the register could not be read.
    bool load();

    // Shows patient `id` read from the register with the history dates.
    void showPatient(int id);
    // Shows `record` as it is, with the history dates of its ID.
    void showRecord(const PatientRecord& record);
    // Empties the details and both history lists.
    void clearPatient();
    // Lists the register in ID order and selects the row of `id`; false after the message.
    bool relistSelecting(int id);
    // Changes the name shown in the row of `id`.
    void renameRow(int id, const std::string& name);
    // Selects and shows the first row whose ID begins with the digits of `id` and scrolls it to
    // the top. Returns the row, or -1.
    int selectIdPrefix(const QString& id);
    // Selects and shows patient `id` (listing the register again when the row is missing).
    void choosePatient(int id);
    // The selected row's patient ID, or 0.
    int selectedId() const;
    // The current row's patient ID (selected or not), or 0.
    int currentId() const;
    // Shows the current row's patient afresh, or nothing when no row is current.
    void showCurrentRow();
    // Lists the register again in the order last listed, keeping the current patient when still
    // registered, and brings the details and history dates up to date without losing the
    // history date chosen. Runs whenever the window is activated.
    void refresh();

    PatientListModel& list() { return model_; }
    HistoryPanel& history() { return *history_; }

  private:
    void buildTop();
    void buildCommands();
    // Lists the register; `quiet` leaves a failure to the library's own message.
    bool fillList(data::PatientOrder order, bool quiet = false);
    // Makes `row` current and selected (-1: clears the selection only); true when the current
    // row moved, which shows the patient by itself.
    bool selectRow(int row);
    // selectRow, and shows the row's patient even when the row was already current.
    void selectShowing(int row);
    void say(const Notice& notice, bool warning = true);

    bool event(QEvent* e) override;
    // Selects the first row whose ID or name begins with `text`; kana that begin no name find
    // the first row, in list order, whose reading holds them.
    void searchTyped(PatientListModel::Column column, const QString& text);
    int firstWithReading(const QString& reading) const;
    void orderChosen(int order);
    void apply();
    void registerPatient();
    void correctPatient();
    void deletePatient();
    void transfer();
    void searchPatients();

    desk::Desk& desk_;
    PatientHost& host_;
    data::PatientRegister patients_;
    data::DrugCatalogue drugs_;
    PatientListModel model_;
    QLineEdit* idSearch_;
    QLineEdit* nameSearch_;
    QComboBox* order_;
    QTableView* view_;
    PatientForm* form_;
    HistoryPanel* history_;
    data::PatientOrder listed_ = data::PatientOrder::ById;  // the order of the rows shown
    bool refreshFailed_ = false;
    bool relisting_ = false;  // the list is being filled: the current row is not a choice
    QAction *search_, *apply_, *register_, *correct_, *delete_, *deleteDate_, *transfer_;
};

}  // namespace patients
