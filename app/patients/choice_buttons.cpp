#include "patients/choice_buttons.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

#include "era/era.h"

namespace patients {

ChoiceButtons::ChoiceButtons(const std::vector<Choice>& choices, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    for (const Choice& c : choices) {
        auto* button = new QRadioButton(QString::fromUtf8(c.text), this);
        button->setObjectName(c.objectName);
        group_->addButton(button, c.code);
        row->addWidget(button);
    }
    row->addStretch();
}

int ChoiceButtons::code() const {
    const int id = group_->checkedId();
    return id < 0 ? 0 : id;
}

void ChoiceButtons::setCode(int code) {
    // An exclusive group cannot uncheck its last checked button.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons()) b->setChecked(group_->id(b) == code);
    group_->setExclusive(true);
}

void ChoiceButtons::setDisplayOnly() {
    for (QAbstractButton* b : group_->buttons()) {
        b->setAttribute(Qt::WA_TransparentForMouseEvents);
        b->setFocusPolicy(Qt::NoFocus);
    }
}

std::vector<ChoiceButtons::Choice> sexChoices(const char* noneText) {
    std::vector<ChoiceButtons::Choice> c{{1, "男性", "maleButton"}, {2, "女性", "femaleButton"}};
    if (noneText) c.push_back({0, noneText, "noSexButton"});
    return c;
}

std::vector<ChoiceButtons::Choice> eraChoices(const char* noneText) {
    static const char* const names[era::kEras.size()] = {
        "meijiButton", "taishoButton", "showaButton", "heiseiButton", "reiwaButton"};
    std::vector<ChoiceButtons::Choice> c;
    for (const era::Era& e : era::kEras) c.push_back({e.code, e.name, names[e.code - 1]});
    if (noneText) c.push_back({0, noneText, "noEraButton"});
    return c;
}

}  // namespace patients
