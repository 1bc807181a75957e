// The fields of one patient: ID, name, reading, sex, birth date, telephones, ward, address,
// allergy and side-effect history. The information dialog edits them; the patient screen shows
// them read-only, with a third sex button for "not specified". A hidden memo box takes the memo
// when the information dialog opens on a patient; nothing reads it back.
#pragma once

#include <QWidget>

#include "patientbase.h"

class QLineEdit;
class QPlainTextEdit;

namespace ui {
class Prompts;
}

namespace patients {

class ChoiceButtons;

class PatientForm : public QWidget {
    Q_OBJECT
  public:
    enum class Use { Edit, Display };
    // An editing form tells the operator through `prompts` why input was refused.
    PatientForm(Use use, QWidget* parent, ui::Prompts* prompts = nullptr);

    // Fills the fields from `record` (birth numbers only when not 0); when editing, the hidden
    // memo box too.
    void show(const PatientRecord& record);
    // Empties every field and unchecks every button.
    void clear();
    // Reads every field but the ID into `record` (texts cut to their fields; empty numbers 0).
    void read(PatientRecord& record) const;

    QLineEdit* idBox() const { return id_; }
    QLineEdit* nameBox() const { return name_; }

  private:
    QLineEdit *id_, *name_, *reading_, *year_, *month_, *day_, *telephone_, *mobile_, *ward_;
    QPlainTextEdit *address_, *allergy_, *effect_, *memo_;
    bool display_;
    ChoiceButtons *sex_, *era_;
};

// The decimal value of the leading digits of `text` (blanks before them skipped); 0 when there
// are none, and at most INT32_MAX.
int leadingNumber(const QString& text);

}  // namespace patients
