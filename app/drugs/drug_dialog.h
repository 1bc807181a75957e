// The drug dialog: every field and text of one drug with its photograph, in view, correct or
// register mode. OK in correct and register mode checks and stores the drug and stays open
// with the operator's input when that is refused or fails.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <filesystem>

#include "data/drug_catalogue.h"
#include "drugs/drug_edit.h"
#include "drugs/photo_candidates.h"
#include "ui/prompts.h"

class QLineEdit;
class QRadioButton;
class QTextEdit;

namespace drugs {

class DrugDialog : public QDialog {
    Q_OBJECT
  public:
    // In view and correct mode `record` is the drug as read; register mode starts empty.
    DrugDialog(DrugDialogMode mode, const DrugRecord& record,
               const std::filesystem::path& programFolder, ui::Prompts& prompts, QWidget* parent);

    // The drug as stored (after an accepted OK).
    const DrugRecord& record() const { return record_; }
    bool photoShown() const { return photoShown_; }
    const QImage& photo() const { return photo_; }

    void accept() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildFields();
    void buildTextBoxes();
    void buildChoices();
    void fillFromRecord();
    void takeIntoRecord();
    // The first character of a field or box that CP932 cannot hold; empty when all can.
    QString unstorableCharacter() const;
    void makeReadOnly();
    // Greys the user box of a pair that stands on the supplied text.
    void shadeUserBoxes();
    void choosePhoto();
    void showPhoto();

    DrugDialogMode mode_;
    DrugRecord record_;
    std::string oldYjcode_;
    std::filesystem::path programFolder_;
    ui::Prompts& prompts_;
    data::DrugCatalogue catalogue_;
    std::vector<QLineEdit*> fields_;
    std::vector<QTextEdit*> boxes_;
    QRadioButton* efficacySupplied_ = nullptr;
    QRadioButton* efficacyUser_ = nullptr;
    QRadioButton* cautionSupplied_ = nullptr;
    QRadioButton* cautionUser_ = nullptr;
    PhotoCandidates candidates_;
    QImage photo_;
    bool photoShown_ = false;
};

}  // namespace drugs
