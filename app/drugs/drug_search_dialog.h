// "薬剤検索": finds drugs by parts of their names, maker and YJ code, a route and a dosage form.
#pragma once

#include "drugs/results_dialog.h"

class QComboBox;
class QLineEdit;

namespace drugs {

class DrugSearchDialog : public ResultsDialog {
    Q_OBJECT
  public:
    DrugSearchDialog(ui::Prompts& prompts, Actions actions, QWidget* parent);

    // Runs the search with the current conditions (the "左記条件で検索 " button).
    void search();

  private:
    QLineEdit* productName_;
    QLineEdit* generalName_;
    QLineEdit* maker_;
    QLineEdit* yjcode_;
    QComboBox* route_;
    QComboBox* form_;
};

}  // namespace drugs
