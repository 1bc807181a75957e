// The photo selection dialog: the seven candidate photographs of a drug side by side, a choice
// button for each and "参照" to take any JPEG file as the user photograph. In correct mode OK
// stores the choice at once; in register mode it travels in the record to the registration;
// in view mode nothing can be changed.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "data/drug_catalogue.h"
#include "drugs/drug_edit.h"
#include "drugs/photo_candidates.h"
#include "ui/prompts.h"

class QRadioButton;

namespace drugs {

class PhotoDialog : public QDialog {
    Q_OBJECT
  public:
    // `record` is the drug dialog's record: its PHOTO_HYOUJI and PHOTO_TOROKU are changed here.
    PhotoDialog(DrugDialogMode mode, DrugRecord& record, PhotoCandidates& candidates,
                const std::filesystem::path& programFolder, ui::Prompts& prompts, QWidget* parent);

    void accept() override;
    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void browse();
    // The candidate number (1-7) whose button is on; 0 when none is.
    int chosen() const;

    DrugDialogMode mode_;
    DrugRecord& record_;
    PhotoCandidates& candidates_;
    std::filesystem::path programFolder_;
    ui::Prompts& prompts_;
    data::DrugCatalogue catalogue_;
    std::array<QRadioButton*, PhotoCandidates::kCount> choices_{};
    bool userPhotoChanged_ = false;
};

}  // namespace drugs
