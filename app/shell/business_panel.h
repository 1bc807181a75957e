// The business data of the main window, printed on every leaflet: the business type (hospital
// or dispensing pharmacy), the prescriber, the pharmacy name, the pharmacist and the print
// colour. Each choice is stored in the settings and written at once; the typed pharmacy name is
// written when its box is left after a change. The prescriber and pharmacist lists have their own
// editors.
#pragma once

#include <QWidget>
#include <string>

#include "desk/desk.h"

class QAction;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace shell {

class BusinessPanel : public QWidget {
    Q_OBJECT
  public:
    BusinessPanel(desk::Desk& desk, QWidget* parent);

    // Copies the typed pharmacy name into the settings (not written here).
    void storePharmacyName();
    // The texts the prescriber and pharmacist lists show, also one typed over a chosen item,
    // as printed (CP932, at most 200 bytes); the stored lists stay as they are.
    std::string prescriber() const;
    std::string pharmacist() const;

    // Whether the prescriber list holds `text` (CP932) as one of its lines.
    bool listsPrescriber(const std::string& text) const;
    // Chooses `text` (CP932) in the prescriber box for the next leaflet. With `addToList` it
    // first becomes the last line of the stored prescriber list and the stored choice; without,
    // a text the list lacks is shown as an extra item that the stored list does not get.
    // False when the list could not take it (the reason has been shown).
    bool usePrescriber(const std::string& text, bool addToList);

    QAction* editPrescribersAction() const { return editPrescribers_; }
    QAction* editPharmacistsAction() const { return editPharmacists_; }

  private:
    void buildBusinessType();
    void buildPeople();
    void buildColour();
    // "お薬手帳QRを印刷する": the e-medication-handbook codes on every leaflet, saved at once.
    void buildHandbookSwitch();
    void buildListEditors();
    void applyBusinessType();
    QComboBox* combo(int list) const;
    // The settings' position of the chosen item of a list.
    int& storedChoice(int list);
    // Fills a list from its phrase table and chooses the stored position.
    void fillList(int list);
    void editList(int list);
    // Adds `text` (CP932) as the last line of the prescriber list as stored now, unless it is
    // there already; false, after a message, when it could not.
    bool addPrescriber(const std::string& text);

    desk::Desk& desk_;
    QRadioButton* hospital_ = nullptr;
    QRadioButton* pharmacy_ = nullptr;
    QComboBox* prescriber_ = nullptr;
    QComboBox* pharmacist_ = nullptr;
    QLineEdit* pharmacyName_ = nullptr;
    QRadioButton* monochrome_ = nullptr;
    QRadioButton* colourful_ = nullptr;
    QAction* editPrescribers_ = nullptr;
    QAction* editPharmacists_ = nullptr;
};

}  // namespace shell
