// "検索結果": the patients a search found, in ID order. Moving to a row (click or keys) shows the
// patient on the patient screen; a double click, "選択" or Enter selects that patient's row there
// and closes; closing otherwise shows the screen's current row again.
#pragma once

#include <QDialog>
#include <vector>

#include "data/patient_register.h"
#include "patients/patient_list_model.h"
#include "ui/prompts.h"

class QTableView;

namespace patients {

class PatientScreen;

class SearchResultsDialog : public QDialog {
    Q_OBJECT
  public:
    SearchResultsDialog(const std::vector<data::PatientRow>& found, ui::Prompts& prompts,
                        PatientScreen& screen);

    void reject() override;

  private:
    void rowCurrent(const QModelIndex& index);
    void choose();

    PatientScreen& screen_;
    ui::Prompts& prompts_;
    PatientListModel model_;
    QTableView* view_;
};

}  // namespace patients
