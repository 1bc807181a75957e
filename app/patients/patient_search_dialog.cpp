#include "patients/patient_search_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "patients/choice_buttons.h"
#include "patients/patient_texts.h"
#include "ui/form_widgets.h"
#include "ui/text_convert.h"
#include "ui/wait_window.h"

namespace patients {

PatientSearchDialog::PatientSearchDialog(const data::PatientRegister& patients,
                                         ui::Prompts& prompts, QWidget* parent)
    : QDialog(parent), patients_(patients), prompts_(prompts) {
    setObjectName("patientSearchDialog");
    setWindowTitle("患者検索");
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(200, 227, 210));
    setPalette(p);
    setAutoFillBackground(true);
    auto* form = new QFormLayout(this);
    const auto box = [&](const char* label, const char* name, std::size_t bytes) {
        QLineEdit* e = ui::lineEdit(this, name, {}, bytes);
        form->addRow(QString::fromUtf8(label), e);
        return e;
    };
    const auto digits = [&](const char* label, const char* name) {
        QLineEdit* e = box(label, name, 9);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), e));
        return e;
    };
    name_ = box("患者名", "nameBox", 99);
    reading_ = box("ふりがな", "readingBox", 99);
    ward_ = box("病棟名", "wardBox", 199);
    sex_ = new ChoiceButtons(sexChoices("条件なし"), this);
    sex_->setObjectName("sexButtons");
    form->addRow("性別", sex_);
    era_ = new ChoiceButtons(eraChoices("条件なし"), this);
    era_->setObjectName("eraButtons");
    form->addRow("生年月日", era_);
    year_ = digits("年", "yearBox");
    month_ = digits("月", "monthBox");
    day_ = digits("日", "dayBox");
    telephone_ = box("自宅の電話番号", "telephoneBox", 199);
    mobile_ = box("携帯電話", "mobileBox", 199);
    auto* note = new QLabel(
        "空欄や「条件なし」の項目は無視されます。部分的なキーワード入力も、そのワードが含まれる名称"
        "を全て検索します。",
        this);
    note->setWordWrap(true);
    form->addRow(note);
    auto* search = new QPushButton("上記条件で検索", this);
    search->setObjectName("searchButton");
    search->setDefault(true);
    auto* close = new QPushButton("閉じる", this);
    close->setObjectName("closeButton");
    form->addRow(search, close);
    connect(search, &QPushButton::clicked, this, &PatientSearchDialog::search);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    sex_->setCode(0);
    era_->setCode(0);
}

data::PatientSearch PatientSearchDialog::conditions() const {
    data::PatientSearch c;
    // The name condition also matches the reading, so either box can carry it; the name box
    // wins when both are filled.
    c.name = ui::toCp932(name_->text().isEmpty() ? reading_->text() : name_->text(), 99);
    c.ward = ui::toCp932(ward_->text(), 199);
    c.telephone = ui::toCp932(telephone_->text(), 199);
    c.mobile = ui::toCp932(mobile_->text(), 199);
    c.sex = sex_->code();
    c.era = era_->code();
    c.birthYear = ui::toCp932(year_->text());
    c.birthMonth = ui::toCp932(month_->text());
    c.birthDay = ui::toCp932(day_->text());
    return c;
}

void PatientSearchDialog::search() {
    data::DataResult result;
    {
        const ui::WaitWindow busy(parentWidget());
        result = patients_.search(conditions(), found_);
    }
    if (result != data::DataResult::kDone) {
        reject();
        prompts_.message(parentWidget(), kDatabaseFault.text, kDatabaseFault.title,
                         ui::Icon::Warning);
        return;
    }
    if (found_.empty()) {
        prompts_.message(this, kNoPatientFound.text, kNoPatientFound.title, ui::Icon::Warning);
        return;
    }
    accept();
}

}  // namespace patients
