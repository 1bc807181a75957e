#include "shell/patient_row.h"

#include <QAction>
#include <QLineEdit>

#include "ui/command_action.h"
#include "ui/form_widgets.h"
#include "ui/text_convert.h"

namespace shell {

PatientRow::PatientRow(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("patientRow");
    setGeometry(10, 10, 440, 26);
    ui::label(this, "ＩＤ", {0, 2, 30, 20});
    id_ = ui::lineEdit(this, "patientIdBox", {30, 0, 90, 24}, 9);
    ui::label(this, "患者の名前", {130, 2, 70, 20});
    name_ = ui::lineEdit(this, "patientNameBox", {200, 0, 240, 24}, 100);
    connect(id_, &QLineEdit::editingFinished, this, &PatientRow::idLeft);
    patientFile_ = ui::commandAction(this, "actionPatientFile", "患者ファイル", Qt::Key_F1);
}

QString PatientRow::idText() const {
    return id_->text();
}

QString PatientRow::name() const {
    return name_->text();
}

void PatientRow::clear() {
    id_->clear();
    name_->clear();
}

void PatientRow::setPatient(const QString& id, const QString& name) {
    id_->setText(id);
    name_->setText(name);
}

void PatientRow::focusName() {
    name_->setFocus();
}

void PatientRow::idLeft() {
    bool ok = false;
    const long long id = id_->text().trimmed().toLongLong(&ok);
    if (!ok || id <= 0 || id > INT32_MAX) return;
    // An unknown ID (or a register that cannot be read) empties the name and keeps the
    // current patient.
    std::string name;
    register_.nameOf(static_cast<int>(id), name);
    name_->setText(ui::fromCp932(name));
    if (!name.empty()) state_.currentPatientId = static_cast<int>(id);
}

}  // namespace shell
