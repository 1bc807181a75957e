// What the prescription intake dialog asks of the window that opens it (the main window), so
// that it does not depend on that window's class.
#pragma once

#include <QString>
#include <string>

namespace intake {

class IntakeHost {
  public:
    virtual ~IntakeHost() = default;
    // Entries were added to the print list: its view must show them.
    virtual void printListChanged() = 0;
    // Puts the patient into the main window's ID and name boxes.
    virtual void applyPatient(const QString& id, const QString& name) = 0;
    // Puts the prescriber text (CP932) into the prescriber box for the next leaflet.
    virtual void usePrescriber(const std::string& text) = 0;
    // The YJ code of the drug selected in the main window's drug list; empty when none is.
    virtual std::string selectedDrugYjCode() const = 0;
};

}  // namespace intake
