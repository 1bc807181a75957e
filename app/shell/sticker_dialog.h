// "お薬手帳シール": the roll width and the sticker printer of this terminal, and whether the
// sticker is printed or saved as a PDF file.
#pragma once

#include <QDialog>

class QComboBox;

namespace shell {

// The roll widths to choose from, `width` (millimetres) chosen.
QComboBox* stickerWidthBox(int width, QWidget* parent);

class StickerDialog : public QDialog {
    Q_OBJECT
  public:
    enum Output { kPrint = 1, kPdf = 2 };  // exec()'s result; 0 when cancelled

    // `width` in millimetres; `printer` empty for the system's default printer.
    StickerDialog(int width, const QString& printer, QWidget* parent);

    int width() const;
    QString printer() const;

  private:
    QComboBox* width_;
    QComboBox* printer_;
};

}  // namespace shell
