// The list editors of the five phrase lists: the list as plain text, one phrase per line.
// Opening reads the list again, so a change another terminal made shows. OK rebuilds the
// list's table from the text and stores it unless another terminal changed the list since it
// was read; then the editor shows that terminal's list and, when asked to, applies the
// operator's edit to it again. The owner refills its combo box after exec() either way.
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
    // After a save refused because the list changed elsewhere (`mine` the operator's text):
    // shows the list as now stored, tells what changed and offers to apply `mine` again.
    void takeChangeFromElsewhere(const std::string& mine);
    // Shows `text` (CP932, CR LF) in the box, the cursor at its end.
    void showText(const std::string& text);

    PhraseTables& tables_;
    int list_;
    PhraseTable base_;  // the list as read, which the operator's edit started from
    ui::Prompts& prompts_;
    QPlainTextEdit* text_;
};

}  // namespace dosage
