// The patient row of the main window: the patient's ID and name, and the patient file command.
// Leaving the ID box looks the name up in the register; a registered patient becomes the
// patient leaflets are saved under.
#pragma once

#include <QWidget>

#include "data/patient_register.h"
#include "shell/app_state.h"

class QAction;
class QLineEdit;

namespace shell {

class PatientRow : public QWidget {
    Q_OBJECT
  public:
    PatientRow(AppState& state, QWidget* parent);

    // The ID box's text as typed, and the name.
    QString idText() const;
    QString name() const;
    // Empties both boxes.
    void clear();
    // Puts a patient's ID and name into the boxes.
    void setPatient(const QString& id, const QString& name);
    // Puts the focus into the name box (a leaflet needs a name).
    void focusName();

    // Opens the patient file.
    QAction* patientFileAction() const { return patientFile_; }

  private:
    void idLeft();

    AppState& state_;
    data::PatientRegister register_;
    QLineEdit* id_;
    QLineEdit* name_;
    QAction* patientFile_;
};

}  // namespace shell
