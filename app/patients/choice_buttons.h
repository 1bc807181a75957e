// A row of radio buttons that stands for one code (sex, era): each button has its code, and
// none checked is code 0. On the patient screen the row only shows a code and ignores clicks.
#pragma once

#include <QWidget>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace patients {

class ChoiceButtons : public QWidget {
    Q_OBJECT
  public:
    struct Choice {
        int code;
        const char* text;
        const char* objectName;
    };
    ChoiceButtons(const std::vector<Choice>& choices, QWidget* parent);

    // The code of the checked button, 0 when none is.
    int code() const;
    // Checks the button with this code; a code no button has leaves every button unchecked.
    void setCode(int code);
    // Display only: the buttons show the code and take no clicks or focus.
    void setDisplayOnly();

  private:
    QButtonGroup* group_;
};

// The patient's sex: 男性 1, 女性 2, and a third button for 0 when `noneText` is given.
std::vector<ChoiceButtons::Choice> sexChoices(const char* noneText);
// The birth date's era, 明治 1 … 令和 5, and a button for 0 when `noneText` is given.
std::vector<ChoiceButtons::Choice> eraChoices(const char* noneText);

}  // namespace patients
