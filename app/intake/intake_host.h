// What the prescription intake dialog asks of the window that opens it (the main window), so
// that it does not depend on that window's class.
#pragma once

#include <string>

namespace intake {

class IntakeHost {
  public:
    virtual ~IntakeHost() = default;
    // Puts the prescriber text (CP932) into the prescriber box for the next leaflet.
    virtual void usePrescriber(const std::string& text) = 0;
    // The YJ code of the drug selected in the main window's drug list; empty when none is.
    virtual std::string selectedDrugYjCode() const = 0;
};

}  // namespace intake
