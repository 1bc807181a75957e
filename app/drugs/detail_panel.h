// The main window's detail panel: product name, maker, strength and unit, dosage form, the
// efficacy and caution texts and the photograph of the drug in hand.
#pragma once

#include <QImage>
#include <QWidget>
#include <filesystem>
#include <string>

#include "data/drug_catalogue.h"

class QLineEdit;
class QTextEdit;

namespace drugs {

class DetailPanel : public QWidget {
    Q_OBJECT
  public:
    // Fill: read the drug and fill every field; TextsOnly: the caller fills the four fields;
    // Clear: empty the texts and stop.
    enum class Mode { Fill = 0, TextsOnly = 1, Clear = 99 };

    explicit DetailPanel(QWidget* parent = nullptr);

    // Shows the drug with this YJ code (CP932). A drug that cannot be read leaves the texts empty
    // and the fields as they were. Returns whether the drug was read.
    bool show(Mode mode, const std::string& yjcode);
    // Fills the four fields from the record last read.
    void fillFields();
    // Puts the dosage form of the record back into its field (after a results dialog showed
    // other drugs there).
    void restoreForm();
    // Empties the four fields and hides the photograph.
    void clearFields();

    // The record of the drug last read; its photo flag tells whether its photograph is shown.
    const DrugRecord& record() const { return record_; }
    DrugRecord& record() { return record_; }
    const std::string& shownCode() const { return shownCode_; }
    bool photoShown() const { return photoShown_; }
    // The photograph of the drug last read (140 x 105), valid while photoShown().
    const QImage& photo() const { return photo_; }

    // The start directory, from which the photograph folders are found.
    void setProgramFolder(const std::filesystem::path& folder) { programFolder_ = folder; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void loadPhoto();

    QLineEdit* productName_;
    QLineEdit* maker_;
    QLineEdit* strength_;
    QLineEdit* form_;
    QTextEdit* efficacy_;
    QTextEdit* cautions_;
    DrugRecord record_{};
    std::string shownCode_;
    std::filesystem::path programFolder_;
    data::DrugCatalogue catalogue_;
    QImage photo_;
    bool photoShown_ = false;
};

// Panel geometry within the main window and the photograph's place within the panel.
inline constexpr QRect kDetailPanelRect{460, 142, 520, 289};
inline constexpr QRect kPhotoFrame{21, 156, 143, 108};
inline constexpr QPoint kPhotoOrigin{22, 157};

}  // namespace drugs
