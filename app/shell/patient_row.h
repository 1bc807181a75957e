// The patient row of the main window: the desk's patient's ID and name, and the patient file
// command. The boxes follow the desk's patient and tell the desk what is typed into them.
// Leaving the ID box looks the name up in the register; a registered patient is applied.
#pragma once

#include <QWidget>

#include "data/patient_register.h"
#include "desk/desk.h"

class QAction;
class QLineEdit;

namespace shell {

class PatientRow : public QWidget {
    Q_OBJECT
  public:
    PatientRow(desk::Desk& desk, QWidget* parent);

    // The ID box's text as typed, and the name.
    QString idText() const;
    QString name() const;
    // Empties both boxes.
    void clear();
    // Puts the focus into the name box (a leaflet needs a name).
    void focusName();
    // Puts the focus into the ID box, where a leaflet begins.
    void focusId();

    // Opens the patient file.
    QAction* patientFileAction() const { return patientFile_; }

  private:
    void idLeft();
    void patientChanged();

    desk::Desk& desk_;
    data::PatientRegister register_;
    QLineEdit* id_;
    QLineEdit* name_;
    QAction* patientFile_;
};

}  // namespace shell
