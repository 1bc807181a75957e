// The history side of the patient screen: the shown patient's history dates, newest first, the
// drugs of the date selected, and the deletion of a date after asking.
#pragma once

#include <QWidget>
#include <string>

#include "data/patient_register.h"
#include "patients/history_recall.h"
#include "ui/prompts.h"

class QListWidget;
class QTableView;

namespace desk {
class PrintListModel;
}

namespace patients {

class HistoryPanel : public QWidget {
    Q_OBJECT
  public:
    HistoryPanel(const data::PatientRegister& patients, const data::DrugCatalogue& drugs,
                 const std::filesystem::path& programFolder, ui::Prompts& prompts, QWidget* parent);

    // Lists the dates of patient `id` (0: none) and empties the drug list.
    void showDates(int id);
    // Empties both lists.
    void clear();
    // Lists the dates of the patient shown again; the selected date and its drugs stay when
    // that date is still stored, else the drug list empties.
    void refreshDates();
    HistoryRecall& recalled() { return recall_; }
    QListWidget* dateList() const { return dates_; }

    // Deletes the selected date when the operator agrees.
    void deleteDate();

  private:
    void listDates();
    void recallSelected();
    void recalledChanged();

    const data::PatientRegister& patients_;
    ui::Prompts& prompts_;
    HistoryRecall recall_;
    int patientId_ = 0;
    QListWidget* dates_;
    QTableView* drugList_;
    desk::PrintListModel* model_;
};

}  // namespace patients
