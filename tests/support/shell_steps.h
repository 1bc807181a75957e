// Steps the main-window tests take again and again, as an operator takes them: a patient ID typed
// and left, a drug name typed, a phrase list edited, a drug put straight into the print list.
#pragma once

#include <QPlainTextEdit>

#include "drugbase.h"
#include "program_fixture.h"

class ShellTest : public ProgramTest {
  protected:
    // Types the ID into its box and leaves the box, which looks the patient up.
    void enterPatientId(const QString& id) {
        activate();
        auto* box = find<QLineEdit>("patientIdBox");
        box->setFocus();
        box->setText(id);
        find<QLineEdit>("nameSearchBox")->setFocus();
    }
    // Types into the drug-name search box, which keeps the focus.
    QLineEdit* searchName(const QString& typed) {
        auto* box = find<QLineEdit>("nameSearchBox");
        box->setFocus();
        type(box, typed);
        return box;
    }
    // Replaces a phrase list through the editor its button opens.
    void editPhrases(const char* button, const QString& text) {
        whenModal("phraseEditor", [text](QWidget* editor) {
            child<QPlainTextEdit>(editor, "phraseText")->setPlainText(text);
            child<QPushButton>(editor, "okButton")->click();
        });
        find<QPushButton>(button)->click();
    }
    // Puts a catalogue drug into the print list, with a morning amount.
    void addEntry(const char* yjcode, int morning = 0) {
        DrugRecord entry{};
        ASSERT_EQ(RecordDetail(&entry, yjcode), 0);
        entry.callerArea[1] = static_cast<char>(morning);
        ASSERT_TRUE(desk->append(entry, nullptr));
    }
    QString text(const char* box) { return find<QLineEdit>(box)->text(); }
};
