// "患者検索": the conditions of a combined patient search. A search that finds patients closes
// the dialog (accepted) with the patients found.
#pragma once

#include <QDialog>
#include <vector>

#include "data/patient_register.h"
#include "ui/prompts.h"

class QLineEdit;

namespace patients {

class ChoiceButtons;

class PatientSearchDialog : public QDialog {
    Q_OBJECT
  public:
    PatientSearchDialog(const data::PatientRegister& patients, ui::Prompts& prompts,
                        QWidget* parent);

    const std::vector<data::PatientRow>& found() const { return found_; }
    // The conditions as the boxes hold them.
    data::PatientSearch conditions() const;

  private:
    void search();

    const data::PatientRegister& patients_;
    ui::Prompts& prompts_;
    QLineEdit *name_, *reading_, *ward_, *year_, *month_, *day_, *telephone_, *mobile_;
    ChoiceButtons *sex_, *era_;
    std::vector<data::PatientRow> found_;
};

}  // namespace patients
