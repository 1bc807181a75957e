#include "shell/patient_row.h"

#include <QAction>
#include <QLineEdit>

#include "ui/command_action.h"
#include "ui/form_widgets.h"
#include "ui/text_convert.h"

namespace shell {

PatientRow::PatientRow(desk::Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
    setObjectName("patientRow");
    setGeometry(10, 10, 440, 26);
    ui::label(this, "ＩＤ", {0, 2, 30, 20});
    id_ = ui::lineEdit(this, "patientIdBox", {30, 0, 90, 24}, 9);
    ui::label(this, "患者の名前", {130, 2, 70, 20});
    name_ = ui::lineEdit(this, "patientNameBox", {200, 0, 240, 24}, 100);
    connect(id_, &QLineEdit::editingFinished, this, &PatientRow::idLeft);
    connect(id_, &QLineEdit::textChanged, &desk_, &desk::Desk::setIdText);
    connect(name_, &QLineEdit::textChanged, &desk_, &desk::Desk::setName);
    connect(&desk_, &desk::Desk::patientChanged, this, &PatientRow::patientChanged);
    patientChanged();
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

void PatientRow::patientChanged() {
    // Only a box whose text differs is set, so the cursor of the box being typed in stays.
    const desk::Patient& patient = desk_.patient();
    if (id_->text() != patient.idText) id_->setText(patient.idText);
    if (name_->text() != patient.name) name_->setText(patient.name);
}

void PatientRow::focusName() {
    name_->setFocus();
}

void PatientRow::focusId() {
    id_->setFocus();
}

void PatientRow::idLeft() {
    bool ok = false;
    const long long id = id_->text().trimmed().toLongLong(&ok);
    if (!ok || id <= 0 || id > INT32_MAX) return;
    // An unknown ID (or a register that cannot be read) keeps the current patient and the
    // name as typed. A known one fills the registered name, unless the print list belongs to
    // someone else and the operator keeps it (the desk then shows the list's patient again).
    std::string name;
    register_.nameOf(static_cast<int>(id), name);
    if (!name.empty()) desk_.changePatient(id_->text(), ui::fromCp932(name), window());
}

}  // namespace shell
