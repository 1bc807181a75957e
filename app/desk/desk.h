// The desk: the process-wide state of the program (its folders, the settings block, the phrase
// tables, the prompts), the print list and the patient it belongs to. Every change to the print
// list or the patient goes through the desk, which tells the windows by signals; no window
// refreshes another by hand.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>

#include "leaflet/leaflet_header.h"
#include "page/print_list.h"
#include "phrases/phrase_tables.h"
#include "settings/settings_block.h"
#include "ui/prompts.h"

class QImage;
class QWidget;

namespace desk {

// The patient the print list belongs to: the ID and name as registered (applied from the
// register) or as typed into the main window's boxes.
struct Patient {
    int id = 0;      // the registered patient leaflets are saved under; 0 = none
    QString idText;  // the ID as the ID box shows it
    QString name;
};

class Desk : public QObject {
    Q_OBJECT
  public:
    explicit Desk(ui::Prompts& prompts, QObject* parent = nullptr);

    std::filesystem::path programFolder;   // the start directory
    std::filesystem::path databaseFolder;  // programFolder / データベース
    std::filesystem::path settingsFile;    // programFolder / コンフィグ / Userfile.e
    settings::SettingsBlock settings{};
    dosage::PhraseTables phrases;
    ui::Prompts& prompts;

    // Writes the settings file; a failure is shown to the operator and changes nothing here.
    void saveSettings(QWidget* owner);

    // The drugs of the next leaflet; not kept between runs.
    const leaflet::PrintList& printList() const { return list_; }
    // As leaflet::PrintList's methods of the same names, each followed by its signals.
    bool append(const DrugRecord& entry, const QImage* photograph,
                std::optional<leaflet::Prescribed> prescribed = std::nullopt);
    bool replace(int row, const DrugRecord& entry, const QImage* photograph);
    void remove(int row);
    void clear();
    // Replaces the whole list (a recalled leaflet).
    void setList(const leaflet::PrintList& list);

    // The institution and doctor of the prescription code the print list was filled from, for
    // the e-medication-handbook codes; empty when the prescriber was chosen or typed by hand.
    // Forgotten as the list is cleared and when the prescriber box is changed by hand.
    const leaflet::PrescribedBy& prescribedBy() const { return prescribedBy_; }
    void setPrescribedBy(const leaflet::PrescribedBy& by) { prescribedBy_ = by; }
    void forgetPrescribedBy() { prescribedBy_ = {}; }

    const Patient& patient() const { return patient_; }
    // A registered patient chosen: ID text, name and the patient leaflets are saved under.
    void applyPatient(const QString& idText, const QString& name);
    // Every road that puts another patient into the main window comes here. While the print
    // list holds drugs put there for someone else, the operator is asked first (default No):
    // Yes empties the list and applies the patient; No leaves list and patient as they were
    // (the boxes show the list's patient again) and answers false. Without a question (the
    // same patient, an empty list, drugs put there for nobody) the patient is applied.
    bool changePatient(const QString& idText, const QString& name, QWidget* owner);
    // The patient leaflets are saved under, the boxes left as they are.
    void setPatientId(int id);
    // The texts of the ID and name boxes as the operator typed them.
    void setIdText(const QString& idText);
    void setName(const QString& name);

  signals:
    void entriesAboutToBeInserted(int first, int last);
    void entriesInserted(int first, int last);
    void entriesAboutToBeRemoved(int first, int last);
    void entriesRemoved(int first, int last);
    void entryChanged(int row);
    void listAboutToBeReset();
    void listReset();
    // After every change of the print list, once the row-level signal has gone out.
    void printListChanged();
    void patientChanged();

  private:
    void setPatient(const Patient& patient);

    leaflet::PrintList list_;
    Patient patient_;
    Patient owner_;  // recorded as the first drug goes in, forgotten as the list empties
    leaflet::PrescribedBy prescribedBy_;
};

}  // namespace desk
