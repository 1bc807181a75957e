// The main window's leaflet commands: the preview (F5), printing (F6) with the question whether
// to clear the patient and the print list afterwards, and saving the leaflet to the patient's
// medication history. A leaflet is made from the patient row, the business data, the settings
// and the print list.
#pragma once

#include <QObject>
#include <memory>

#include "desk/desk.h"
#include "leaflet/leaflet_header.h"
#include "shell/history_save.h"

class QAction;
class QWidget;

namespace leaflet {
class LeafletJob;
class PrintTarget;
}  // namespace leaflet

namespace shell {

class BusinessPanel;
class PatientRow;

class LeafletCommands : public QObject {
    Q_OBJECT
  public:
    LeafletCommands(desk::Desk& desk, PatientRow& patient, BusinessPanel& business,
                    QWidget* window);

    QAction* preview() const { return preview_; }
    QAction* print() const { return print_; }
    QAction* saveHistory() const { return saveHistory_; }

    // Where printed pages go; null (the default) is the system's default printer.
    void setPrintTarget(leaflet::PrintTarget* target) { printTarget_ = target; }

    // The leaflet's header from the patient row, the business data and the settings.
    leaflet::LeafletHeader header();

  private:
    void showPreview();
    void printLeaflet(QWidget* owner);
    void storeInHistory();

    // A paginated job of the print list, or null after the pagination's message.
    std::unique_ptr<leaflet::LeafletJob> makeJob(QWidget* owner);
    // As makeJob, after the checks printing and saving share (a patient name, entries).
    std::unique_ptr<leaflet::LeafletJob> checkedJob(QWidget* owner);
    // Stores the job in the history when the switch is on; a mismatch has been shown.
    HistorySave storeHistory(QWidget* owner, const leaflet::LeafletJob& job);
    // Leaves the audit row of the job printed or saved as a PDF file (`action`).
    void noteOutput(std::string_view action, const leaflet::LeafletJob& job);

    desk::Desk& desk_;
    PatientRow& patient_;
    BusinessPanel& business_;
    QWidget* window_;
    leaflet::PrintTarget* printTarget_ = nullptr;
    QAction* preview_;
    QAction* print_;
    QAction* saveHistory_;
};

}  // namespace shell
