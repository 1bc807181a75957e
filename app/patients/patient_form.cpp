#include "patients/patient_form.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <climits>

#include "patients/choice_buttons.h"
#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/text_convert.h"

namespace patients {
namespace {

const QColor kHistoryLabel(110, 40, 40);

template <std::size_t N>
void putField(char (&field)[N], const QString& text) {
    sjis::copyField(field, N, ui::toCp932(text, N - 1));
}

template <std::size_t N>
QString fieldText(const char (&field)[N]) {
    return ui::fromCp932(sjis::fieldText(field, N));
}

QString numberText(int value) {
    return value != 0 ? QString::number(value) : QString();
}

}  // namespace

int leadingNumber(const QString& text) {
    long long value = 0;
    int i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

PatientForm::PatientForm(Use use, QWidget* parent, ui::Prompts* prompts)
    : QWidget(parent), display_(use == Use::Display) {
    setObjectName("patientForm");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    const auto labelled = [&](const char* text, QWidget* w, bool historyLabel = false) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        if (historyLabel) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, kHistoryLabel);
            l->setPalette(p);
        }
        grid->addWidget(l, row, 0);
        grid->addWidget(w, row++, 1);
        return l;
    };
    const auto line = [&](const char* name, std::size_t maxBytes) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        ui::limitBytes(e, maxBytes);
        e->setReadOnly(display_);
        return e;
    };
    const auto digits = [&](const char* name) {
        QLineEdit* e = line(name, 9);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), e));
        return e;
    };
    const auto lines = [&](const char* name, const char* label) {
        auto* e = new QPlainTextEdit(this);
        e->setObjectName(name);
        e->setReadOnly(display_);
        // Line ends are stored as CR LF (see read()).
        if (prompts && label) ui::limitBytes(e, {249, true}, QString::fromUtf8(label), *prompts);
        e->setFixedHeight(display_ ? 40 : 52);
        return e;
    };

    id_ = digits("idBox");
    labelled("患者ＩＤ", id_);
    name_ = line("nameBox", 99);
    labelled("氏名", name_);
    reading_ = line("readingBox", 99);
    labelled("ふりがな", reading_);
    sex_ = new ChoiceButtons(sexChoices(display_ ? "指定なし" : nullptr), this);
    sex_->setObjectName("sexButtons");
    labelled("性別", sex_);
    era_ = new ChoiceButtons(eraChoices(nullptr), this);
    era_->setObjectName("eraButtons");
    labelled("生年月日", era_);
    auto* birth = new QWidget(this);
    auto* birthRow = new QHBoxLayout(birth);
    birthRow->setContentsMargins(0, 0, 0, 0);
    year_ = digits("yearBox");
    month_ = digits("monthBox");
    day_ = digits("dayBox");
    for (auto [box, unit] : {std::pair{year_, "年"}, {month_, "月"}, {day_, "日"}}) {
        box->setFixedWidth(48);
        birthRow->addWidget(box);
        birthRow->addWidget(new QLabel(QString::fromUtf8(unit), birth));
    }
    birthRow->addStretch();
    labelled("", birth);
    telephone_ = line("telephoneBox", 49);
    labelled("自宅の電話番号", telephone_);
    mobile_ = line("mobileBox", 49);
    labelled("携帯電話", mobile_);
    ward_ = line("wardBox", 249);
    labelled("病棟名", ward_);
    address_ = lines("addressBox", "住所");
    labelled("住所", address_);
    allergy_ = lines("allergyBox", "アレルギー歴");
    labelled("アレルギー歴", allergy_, true);
    effect_ = lines("effectBox", "副作用歴");
    labelled("副作用歴", effect_, true);
    // The memo box is kept out of sight, its label with it.
    memo_ = lines("memoBox", nullptr);
    labelled("メモ", memo_, true)->hide();
    memo_->hide();
    if (display_) {
        sex_->setDisplayOnly();
        era_->setDisplayOnly();
        // Read-only boxes keep a white ground, as editable ones have.
        for (QWidget* w : findChildren<QWidget*>()) {
            QPalette p = w->palette();
            p.setColor(QPalette::Base, Qt::white);
            w->setPalette(p);
        }
    }
}

void PatientForm::show(const PatientRecord& record) {
    clear();
    id_->setText(numberText(record.ID));
    name_->setText(fieldText(record.PATIENT));
    reading_->setText(fieldText(record.MEMO));
    sex_->setCode(record.SEX);
    era_->setCode(record.NENGO);
    year_->setText(numberText(record.YEAR));
    month_->setText(numberText(record.MONTH));
    day_->setText(numberText(record.DAY));
    telephone_->setText(fieldText(record.TELEPHONE));
    mobile_->setText(fieldText(record.TELEPHONE2));
    ward_->setText(fieldText(record.BYOUTO));
    const auto lf = [](QString text) { return text.replace("\r\n", "\n"); };
    address_->setPlainText(lf(fieldText(record.ADDRESS)));
    allergy_->setPlainText(lf(fieldText(record.ALLERGY)));
    effect_->setPlainText(lf(fieldText(record.EFFECT)));
    if (!display_) memo_->setPlainText(lf(fieldText(record.MEMO)));
}

void PatientForm::clear() {
    for (QLineEdit* e : {id_, name_, reading_, year_, month_, day_, telephone_, mobile_, ward_})
        e->clear();
    for (QPlainTextEdit* e : {address_, allergy_, effect_, memo_}) e->clear();
    // No button of either row has code -1: all unchecked.
    sex_->setCode(-1);
    era_->setCode(-1);
}

void PatientForm::read(PatientRecord& record) const {
    putField(record.PATIENT, name_->text());
    putField(record.MEMO, reading_->text());
    record.SEX = sex_->code();
    record.NENGO = era_->code();
    record.YEAR = leadingNumber(year_->text());
    record.MONTH = leadingNumber(month_->text());
    record.DAY = leadingNumber(day_->text());
    putField(record.TELEPHONE, telephone_->text());
    putField(record.TELEPHONE2, mobile_->text());
    putField(record.BYOUTO, ward_->text());
    // Multi-line texts are stored with CR LF line ends.
    const auto crlf = [](QPlainTextEdit* e) { return e->toPlainText().replace("\n", "\r\n"); };
    putField(record.ADDRESS, crlf(address_));
    putField(record.ALLERGY, crlf(allergy_));
    putField(record.EFFECT, crlf(effect_));
}

}  // namespace patients
