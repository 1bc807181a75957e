#include "drugs/detail_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextEdit>
#include <cstring>

#include "drugs/detail_texts.h"
#include "sjis/sjis.h"
#include "ui/edit_menu.h"
#include "ui/text_convert.h"

namespace drugs {
namespace {

const QColor kPanelFill(204, 188, 176), kPanelPen(164, 142, 116);

QLineEdit* readOnlyField(QWidget* parent, const char* name, const QRect& geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setGeometry(geometry);
    QPalette p = field->palette();
    p.setColor(QPalette::Base, Qt::white);
    field->setPalette(p);
    return field;
}

QTextEdit* textBox(QWidget* parent, const char* name, const QRect& geometry) {
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAcceptRichText(false);
    box->setGeometry(geometry);
    box->setFont(QFont("ＭＳ ゴシック", 10));
    ui::installEditMenu(box);
    return box;
}

void label(QWidget* parent, const char* text, const QRect& geometry) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
}

QString text(const char* field, std::size_t width) {
    return ui::fromCp932(sjis::fieldText(field, width));
}

}  // namespace

DetailPanel::DetailPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("detailPanel");
    label(this, "製品名", {10, 10, 60, 20});
    productName_ = readOnlyField(this, "productNameField", {72, 10, 220, 22});
    label(this, "製造会社", {10, 40, 60, 20});
    maker_ = readOnlyField(this, "makerField", {72, 40, 220, 22});
    label(this, "規格単位", {10, 70, 60, 20});
    strength_ = readOnlyField(this, "strengthField", {72, 70, 220, 22});
    label(this, "剤形", {10, 100, 60, 20});
    form_ = readOnlyField(this, "formField", {72, 100, 220, 22});
    label(this, "写真", {21, 134, 60, 20});
    label(this, "効能効果", {301, 10, 100, 20});
    efficacy_ = textBox(this, "efficacyBox", {301, 31, 192, 78});
    label(this, "注意事項", {301, 116, 100, 20});
    cautions_ = textBox(this, "cautionsBox", {301, 137, 192, 133});
    photo_ = QImage(140, 105, QImage::Format_RGB32);
    setGeometry(kDetailPanelRect);
}

bool DetailPanel::show(Mode mode, const std::string& yjcode) {
    efficacy_->clear();
    cautions_->clear();
    if (mode == Mode::Clear) return false;
    shownCode_ = yjcode;
    if (catalogue_.detail(yjcode, record_) != data::DataResult::kDone) return false;
    if (mode == Mode::Fill) fillFields();
    // The record is what a print-list entry is made from: its cautions lose their marks here.
    removeMarks(record_.CYUUI, sizeof record_.CYUUI);
    efficacy_->setPlainText(ui::fromCp932(efficacyText(record_)));
    cautions_->setPlainText(ui::fromCp932(cautionText(record_)));
    loadPhoto();
    return true;
}

void DetailPanel::fillFields() {
    productName_->setText(text(record_.PRODUCTNAME, sizeof record_.PRODUCTNAME));
    maker_->setText(text(record_.COMPANY, sizeof record_.COMPANY));
    strength_->setText(text(record_.TANNI, sizeof record_.TANNI));
    form_->setText(text(record_.ZAIKEI, sizeof record_.ZAIKEI));
    // A name longer than its field shows from its start.
    for (QLineEdit* field : {productName_, maker_, strength_, form_}) field->setCursorPosition(0);
}

void DetailPanel::restoreForm() {
    form_->setText(text(record_.ZAIKEI, sizeof record_.ZAIKEI));
}

void DetailPanel::clearFields() {
    for (QLineEdit* field : {productName_, maker_, strength_, form_}) field->clear();
    efficacy_->clear();
    cautions_->clear();
    photoShown_ = false;
    record_.photoFlag = 0;
    update();
}

void DetailPanel::loadPhoto() {
    photo_.fill(Qt::white);
    photoShown_ = catalogue_.drawPhoto(shownCode_, programFolder_, photo_);
    record_.photoFlag = photoShown_ ? 1 : 0;
    update(kPhotoFrame);
}

void DetailPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(kPanelPen);
    p.setBrush(kPanelFill);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(kPhotoFrame.adjusted(0, 0, -1, -1));
    if (photoShown_) p.drawImage(kPhotoOrigin, photo_);
}

}  // namespace drugs
