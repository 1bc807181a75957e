// The line under the main window's patient row that shows the applied patient's allergy and
// side-effect history in red, so the pharmacist sees them while choosing drugs. It follows the
// desk's patient; a patient whose ID and name are not registered together has no line. A text
// too long for the line is cut with "…" and shown whole as the tooltip.
#pragma once

#include <QLabel>

#include "desk/desk.h"

namespace shell {

class PatientAlerts : public QLabel {
    Q_OBJECT
  public:
    PatientAlerts(desk::Desk& desk, QWidget* parent);

  private:
    void patientChanged();

    desk::Desk& desk_;
};

}  // namespace shell
