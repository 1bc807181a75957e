#include "patients/patient_info_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "patients/patient_form.h"
#include "patients/patient_screen.h"
#include "patients/patient_texts.h"

namespace patients {

PatientInfoDialog::PatientInfoDialog(const data::PatientRegister& patients, ui::Prompts& prompts,
                                     EntryMode mode, int patientId, PatientScreen& screen)
    : QDialog(&screen), patients_(patients), prompts_(prompts), mode_(mode), screen_(&screen) {
    build();
    if (mode_ == EntryMode::Register) {
        proposeId();
    } else {
        oldId_ = patientId;
        if (patients_.detail(patientId, record_) == data::DataResult::kFailed)
            prompts_.message(nullptr, kDatabaseFault.text, kDatabaseFault.title, ui::Icon::Warning);
        else
            form_->show(record_);
    }
    form_->nameBox()->setFocus();
}

PatientInfoDialog::PatientInfoDialog(const data::PatientRegister& patients, ui::Prompts& prompts,
                                     const PatientRecord& prefill, QWidget* parent)
    : QDialog(parent),
      patients_(patients),
      prompts_(prompts),
      mode_(EntryMode::Register),
      screen_(nullptr) {
    build();
    form_->show(prefill);
    proposeId();
    form_->nameBox()->setFocus();
}

void PatientInfoDialog::build() {
    setObjectName("patientInfoDialog");
    setWindowTitle("患者情報");
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(200, 227, 210));
    setPalette(p);
    setAutoFillBackground(true);
    form_ = new PatientForm(PatientForm::Use::Edit, this, &prompts_);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setObjectName("cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(form_);
    column->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PatientInfoDialog::store);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PatientInfoDialog::proposeId() {
    int proposed = 0;
    if (patients_.freeId(proposed) == data::DataResult::kDone)
        form_->idBox()->setText(QString::number(proposed));
}

void PatientInfoDialog::store() {
    form_->read(record_);
    const PatientEntry entry(patients_, mode_, oldId_);
    const Notice* refusal = entry.check(form_->idBox()->text(), record_);
    if (!refusal && entry.takesFormerId(record_) &&
        !prompts_.askYesNo(this, QString::fromUtf8(kAskFormerId.text).arg(record_.ID),
                           kAskFormerId.title, ui::Icon::Warning, ui::Default::No))
        return;
    if (!refusal) refusal = entry.write(record_);
    if (refusal) {
        prompts_.message(this, refusal->text, refusal->title, ui::Icon::Warning);
        return;
    }
    if (!screen_) return accept();
    if (entry.movesRow(record_)) {
        if (!screen_->relistSelecting(record_.ID)) return;
    } else {
        screen_->renameRow(record_.ID, record_.PATIENT);
    }
    screen_->showRecord(record_);
    accept();
}

}  // namespace patients
