#include "drugs/drug_dialog.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <cstddef>

#include "drugs/detail_texts.h"
#include "drugs/drug_dialog_texts.h"
#include "drugs/photo_dialog.h"
#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/edit_menu.h"
#include "ui/form_widgets.h"
#include "ui/mouse_guard.h"
#include "ui/text_convert.h"

namespace drugs {
namespace {

// A text slot of the record by its place and width.
struct Slot {
    std::size_t offset, width;
    char* in(DrugRecord& r) const { return reinterpret_cast<char*>(&r) + offset; }
    const char* in(const DrugRecord& r) const { return reinterpret_cast<const char*>(&r) + offset; }
};
#define DRUG_SLOT(column)                                        \
    Slot {                                                       \
        offsetof(DrugRecord, column), sizeof(DrugRecord::column) \
    }

struct FieldSpec {
    const char* label;
    const char* name;
    Slot slot;
    std::size_t maxBytes;  // 0: the slot's width less its terminator
};

// The shown fields in screen order; the other columns travel in the record unchanged.
const FieldSpec kFields[] = {
    {"薬剤名", "productNameEdit", DRUG_SLOT(PRODUCTNAME), 0},
    {"Ｎコード", "codeEdit", DRUG_SLOT(CODE), 16},
    {"ＹＪコード", "yjcodeEdit", DRUG_SLOT(YJCODE), 0},
    {"一般名", "generalNameEdit", DRUG_SLOT(GENERALNAME), 0},
    {"製造会社", "companyEdit", DRUG_SLOT(COMPANY), 0},
    {"薬効細分類コード", "classEdit", DRUG_SLOT(SAIBUNRUI), 0},
    {"規格単位", "strengthEdit", DRUG_SLOT(TANNI), 0},
    {"剤形", "formEdit", DRUG_SLOT(ZAIKEI), 0},
    {"投与経路", "routeEdit", DRUG_SLOT(TOUYOKEIRO), 0},
    {"薬価", "priceEdit", DRUG_SLOT(YAKUKA), 0},
    {"標準用法用量", "usageEdit", DRUG_SLOT(YOUHOU), 0},
};
constexpr std::size_t kYjcodeField = 2;

struct BoxSpec {
    const char* label;
    const char* name;
    Slot slot;
    QRect geometry;
};

const BoxSpec kBoxes[] = {
    {"作用Ａ", "efficacyABox", DRUG_SLOT(SAYOA), {323, 195, 192, 78}},
    {"ﾕｰｻﾞ登録", "efficacyUserBox", DRUG_SLOT(SAYO_TOROKU), {323, 285, 192, 78}},
    {"作用B", "efficacyBBox", DRUG_SLOT(SAYOB), {323, 375, 192, 78}},
    {"作用Ｃ-1", "efficacyC1Box", DRUG_SLOT(SAYOC1), {323, 465, 192, 78}},
    {"作用Ｃ-2", "efficacyC2Box", DRUG_SLOT(SAYOC2), {323, 555, 192, 78}},
    {"注意事項", "cautionBox", DRUG_SLOT(CYUUI), {611, 195, 192, 133}},
    {"ﾕｰｻﾞ登録", "cautionUserBox", DRUG_SLOT(CYUUI_TOROKU), {611, 340, 192, 133}},
    {"メモ", "memoBox", DRUG_SLOT(MEMO), {611, 485, 192, 62}},
};
#undef DRUG_SLOT
constexpr std::size_t kEfficacyUserBox = 1, kCautionUserBox = 6;
// The pairs' buttons stand in for these boxes' labels.
constexpr std::size_t kEfficacyABox = 0, kCautionBox = 5;

constexpr QRect kPhotoFrame{37, 199, 143, 108};
constexpr QPoint kPhotoAt{38, 200};

void setBase(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}

QString fieldText(const char* field, std::size_t width) {
    return ui::fromCp932(sjis::fieldText(field, width));
}

}  // namespace

DrugDialog::DrugDialog(DrugDialogMode mode, const DrugRecord& record,
                       const std::filesystem::path& programFolder, ui::Prompts& prompts,
                       QWidget* parent)
    : QDialog(parent),
      mode_(mode),
      record_(mode == DrugDialogMode::Register ? DrugRecord{} : record),
      oldYjcode_(yjcodeOf(record_)),
      programFolder_(programFolder),
      prompts_(prompts),
      photo_(140, 105, QImage::Format_RGB32) {
    setObjectName("drugDialog");
    setFixedSize(830, 690);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window,
               mode == DrugDialogMode::View ? texts::kViewBackground : texts::kEditBackground);
    setPalette(p);
    setWindowTitle(mode == DrugDialogMode::View      ? texts::kViewTitle
                   : mode == DrugDialogMode::Correct ? texts::kCorrectTitle
                                                     : texts::kRegisterTitle);
    buildFields();
    buildTextBoxes();
    buildChoices();

    auto* photoList = new QPushButton("一覧", this);
    photoList->setObjectName("photoListButton");
    photoList->setGeometry(37, 314, 80, 26);
    connect(photoList, &QPushButton::clicked, this, &DrugDialog::choosePhoto);
    auto* note = new QLabel(QString::fromUtf8(texts::kCorrectInViewNote), this);
    note->setObjectName("correctNote");
    note->setWordWrap(true);
    note->setGeometry(20, 560, 280, 70);
    note->setVisible(mode == DrugDialogMode::View);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("okButton");
    ok->setGeometry(620, 645, 85, 28);
    connect(ok, &QPushButton::clicked, this, &DrugDialog::accept);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setObjectName("cancelButton");
    cancel->setGeometry(718, 645, 85, 28);
    connect(cancel, &QPushButton::clicked, this, &DrugDialog::reject);

    if (mode == DrugDialogMode::Register) {
        efficacySupplied_->setChecked(true);
        cautionSupplied_->setChecked(true);
    } else {
        fillFromRecord();
        showPhoto();
    }
    if (mode == DrugDialogMode::View) makeReadOnly();
    // A supplied drug keeps the YJ code it was delivered with.
    if (mode == DrugDialogMode::Correct && record_.ORIDGINAL == 0)
        fields_[kYjcodeField]->setReadOnly(true);
    shadeUserBoxes();
}

void DrugDialog::buildFields() {
    int i = 0;
    for (const FieldSpec& field : kFields) {
        const int column = i % 2, line = i / 2;
        const int x = 10 + column * 400, y = 12 + line * 29;
        ui::label(this, field.label, {x, y + 3, 108, 20});
        const std::size_t limit = field.maxBytes ? field.maxBytes : field.slot.width - 1;
        fields_.push_back(ui::lineEdit(this, field.name, {x + 110, y, 280, 24}, limit));
        ++i;
    }
}

void DrugDialog::buildTextBoxes() {
    for (const BoxSpec& field : kBoxes) {
        auto* box = new QTextEdit(this);
        box->setObjectName(field.name);
        box->setAcceptRichText(false);
        box->setGeometry(field.geometry);
        box->setFont(QFont("ＭＳ ゴシック", 10));
        box->setTextColor(Qt::black);
        ui::installEditMenu(box);
        ui::limitBytes(box, {field.slot.width - 1}, QString::fromUtf8(field.label), prompts_);
        setBase(box, Qt::white);
        boxes_.push_back(box);
    }
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        if (i == kEfficacyABox || i == kEfficacyUserBox || i == kCautionBox || i == kCautionUserBox)
            continue;
        const QRect& g = kBoxes[i].geometry;
        ui::label(this, kBoxes[i].label, {g.x() - 90, g.y(), 86, 20});
    }
}

void DrugDialog::buildChoices() {
    auto pair = [this](const char* suppliedText, const char* suppliedName, const char* userName,
                       std::size_t suppliedBox, std::size_t userBox) {
        auto* group = new QButtonGroup(this);
        auto* supplied = new QRadioButton(QString::fromUtf8(suppliedText), this);
        supplied->setObjectName(suppliedName);
        const QRect& s = kBoxes[suppliedBox].geometry;
        supplied->setGeometry(s.x() - 92, s.y(), 90, 20);
        auto* user = new QRadioButton("ﾕｰｻﾞ登録", this);
        user->setObjectName(userName);
        const QRect& u = kBoxes[userBox].geometry;
        user->setGeometry(u.x() - 92, u.y(), 90, 20);
        group->addButton(supplied);
        group->addButton(user);
        connect(user, &QRadioButton::toggled, this, &DrugDialog::shadeUserBoxes);
        return std::pair{supplied, user};
    };
    std::tie(efficacySupplied_, efficacyUser_) = pair(
        "作用Ａ", "efficacySuppliedRadio", "efficacyUserRadio", kEfficacyABox, kEfficacyUserBox);
    std::tie(cautionSupplied_, cautionUser_) =
        pair("注意事項", "cautionSuppliedRadio", "cautionUserRadio", kCautionBox, kCautionUserBox);
}

void DrugDialog::fillFromRecord() {
    // The cautions are shown, and so stored again, without their marks.
    removeMarks(record_.CYUUI, sizeof record_.CYUUI);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const Slot& slot = kFields[i].slot;
        fields_[i]->setText(fieldText(slot.in(record_), slot.width));
        fields_[i]->setCursorPosition(0);
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Slot& slot = kBoxes[i].slot;
        boxes_[i]->setPlainText(fieldText(slot.in(record_), slot.width));
    }
    (record_.SAYO_HYOUJI == 1 ? efficacyUser_ : efficacySupplied_)->setChecked(true);
    (record_.CYUUI_HYOUJI == 1 ? cautionUser_ : cautionSupplied_)->setChecked(true);
}

void DrugDialog::takeIntoRecord() {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const Slot& slot = kFields[i].slot;
        sjis::copyField(slot.in(record_), slot.width,
                        ui::toCp932(fields_[i]->text(), slot.width - 1));
    }
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Slot& slot = kBoxes[i].slot;
        sjis::copyField(slot.in(record_), slot.width,
                        ui::toCp932(boxes_[i]->toPlainText(), slot.width - 1));
    }
    record_.SAYO_HYOUJI = efficacyUser_->isChecked() ? 1 : 0;
    record_.CYUUI_HYOUJI = cautionUser_->isChecked() ? 1 : 0;
}

void DrugDialog::makeReadOnly() {
    for (QLineEdit* field : fields_) field->setReadOnly(true);
    for (QTextEdit* box : boxes_) box->setReadOnly(true);
    for (QRadioButton* choice : {efficacySupplied_, efficacyUser_, cautionSupplied_, cautionUser_})
        ui::ignoreMouseClicks(choice);
}

void DrugDialog::shadeUserBoxes() {
    if (mode_ == DrugDialogMode::View) return;
    setBase(boxes_[kEfficacyUserBox],
            efficacyUser_->isChecked() ? QColor(Qt::white) : texts::kUnusedUserBox);
    setBase(boxes_[kCautionUserBox],
            cautionUser_->isChecked() ? QColor(Qt::white) : texts::kUnusedUserBox);
}

void DrugDialog::showPhoto() {
    photo_.fill(Qt::white);
    if (mode_ == DrugDialogMode::Register) {
        const std::string file(sjis::fieldText(record_.PHOTO_TOROKU, sizeof record_.PHOTO_TOROKU));
        photoShown_ = record_.PHOTO_HYOUJI == PhotoCandidates::kUserPhoto && !file.empty() &&
                      catalogue_.drawPhotoFile(std::filesystem::path(sjis::toUtf8(file)), photo_);
    } else {
        photoShown_ = catalogue_.drawPhoto(oldYjcode_, programFolder_, photo_);
    }
    update(kPhotoFrame);
}

void DrugDialog::choosePhoto() {
    PhotoDialog dialog(mode_, record_, candidates_, programFolder_, prompts_, this);
    if (dialog.exec() == QDialog::Accepted && mode_ != DrugDialogMode::View) showPhoto();
}

QString DrugDialog::unstorableCharacter() const {
    for (const QLineEdit* field : fields_)
        if (QString bad = ui::firstUnconvertible(field->text()); !bad.isEmpty()) return bad;
    for (const QTextEdit* box : boxes_)
        if (QString bad = ui::firstUnconvertible(box->toPlainText()); !bad.isEmpty()) return bad;
    return {};
}

void DrugDialog::accept() {
    if (mode_ == DrugDialogMode::View) return QDialog::accept();
    // A text put in without typing can still hold a character CP932 has not; stored, it would
    // silently become "?".
    if (const QString bad = unstorableCharacter(); !bad.isEmpty()) {
        prompts_.message(this, ui::unconvertibleMessage(bad), ui::kInputTitle, ui::Icon::Warning);
        return;
    }
    takeIntoRecord();
    const auto refusal = mode_ == DrugDialogMode::Correct
                             ? storeCorrection(catalogue_, record_, oldYjcode_)
                             : storeRegistration(catalogue_, record_);
    if (refusal) {
        prompts_.message(this, refusal->text, refusal->title, ui::Icon::Warning);
        return;
    }
    QDialog::accept();
}

void DrugDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(kPhotoFrame.adjusted(0, 0, -1, -1));
    if (photoShown_) p.drawImage(kPhotoAt, photo_);
}

}  // namespace drugs
