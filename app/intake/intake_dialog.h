// "処方箋読取": the text of a prescription QR code, typed by a keyboard-type scanner, pasted,
// read from a picture or received from a serial-type scanner, read and shown with every drug's
// match and dosage; a drug left unmatched takes the drug found by name in the dialog or the one
// selected in the main window's drug list; "印刷リストに追加" puts the chosen drugs into the print
// list and the prescription's patient and prescriber into the main window.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "desk/desk.h"
#include "prescriptionfill/intake.h"
#include "ui/prompts.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace intake {

class IntakeHost;
class IntakeView;
class SerialScanner;

class IntakeDialog : public QDialog {
    Q_OBJECT
  public:
    IntakeDialog(desk::Desk& desk, IntakeHost& host, QWidget* parent);

    // The size the dialog opens with where the screen has room: the match texts whole beside
    // the finder, and the whole window on a 1366 × 768 screen.
    static constexpr QSize kPreferredSize{1240, 680};
    ~IntakeDialog() override;

    // Reads the text now (it is read on its own shortly after typing stops); false when it was
    // refused, the reason shown in the dialog.
    bool readText();

  private:
    void buildCodeArea();
    void buildSerialRow();
    void readImage();
    void toggleSerial();
    void symbolReceived(const QString& text);
    void symbolDropped();
    // Matches the current drug row to the drug of `yjCode`, chosen in the main window's drug
    // list or the dialog's own finder; without one, `chooseFirst` tells where to choose it.
    void pickDrug(const std::string& yjCode, const char* chooseFirst);
    void addToPrintList();
    // False when the print list holds another patient's drugs and the operator kept them.
    bool takePatient();

    desk::Desk& desk_;
    ui::Prompts& prompts_;
    IntakeHost& host_;
    data::DrugCatalogue catalogue_;
    data::PatientRegister patients_;
    std::optional<prescription::Prescription> prescription_;
    prescription::Intake intake_;
    QString error_;  // the reader's message for the text shown, empty when it was read

    QPlainTextEdit* code_;
    QTimer* settle_;
    QLabel* errorLabel_;
    IntakeView* view_;
    QComboBox* port_;
    QComboBox* baudRate_;
    QPushButton* connect_;
    QLabel* serialState_;
    SerialScanner* scanner_;
};

}  // namespace intake
