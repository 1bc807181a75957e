// The list editors of the five phrase lists: the list as plain text, one phrase per line.
// OK rebuilds the list's table from the text and hands it to the phrase store; the owner
// refills its combo box when exec() returns Accepted.
#pragma once

#include <QDialog>

#include "phrases/phrase_tables.h"

class QPlainTextEdit;

namespace ui {
class Prompts;
}

namespace dosage {

class PhraseEditorDialog : public QDialog {
    Q_OBJECT
  public:
    PhraseEditorDialog(PhraseTables& tables, int list, ui::Prompts& prompts, QWidget* parent);

    QPlainTextEdit* textBox() const { return text_; }

  private:
    // Rebuilds and stores the table; true when the store kept it. A refused text or a failed
    // store leaves the table in memory as it was.
    bool store();

    PhraseTables& tables_;
    int list_;
    ui::Prompts& prompts_;
    QPlainTextEdit* text_;
};

}  // namespace dosage
