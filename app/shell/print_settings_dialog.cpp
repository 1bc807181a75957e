#include "shell/print_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "shell/sticker_dialog.h"
#include "sticker/sticker_layout.h"

namespace shell {

namespace {

QCheckBox* switchBox(const char* name, const char* text, bool on, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(name);
    box->setChecked(on);
    return box;
}

}  // namespace

PrintSettingsDialog::PrintSettingsDialog(const settings::SettingsBlock& settings, QWidget* parent)
    : QDialog(parent) {
    setObjectName("printSettingsDialog");
    setWindowTitle("印刷の設定");
    const auto on = [&](int option) { return settings.options[option] == 1; };
    pictograms_ =
        switchBox("pictogramsBox", "用法の絵表示(&P)", on(settings::kOptionPictograms), this);
    genericInfo_ =
        switchBox("genericInfoBox", "後発医薬品の情報(&G)", on(settings::kOptionGenericInfo), this);
    largePrint_ =
        switchBox("largePrintBox", "大きな文字(&L)", on(settings::kOptionLargePrint), this);
    stickerWidth_ =
        stickerWidthBox(sticker::widthOf(settings.options[settings::kOptionStickerWidth]), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(pictograms_);
    form->addRow(genericInfo_);
    form->addRow(largePrint_);
    form->addRow("お薬手帳シールの幅", stickerWidth_);
    form->addRow(buttons);
}

bool PrintSettingsDialog::applyTo(settings::SettingsBlock& settings) const {
    bool changed = false;
    const auto put = [&](int option, int value) {
        changed = changed || settings.options[option] != value;
        settings.options[option] = value;
    };
    put(settings::kOptionPictograms, pictograms_->isChecked() ? 1 : 0);
    put(settings::kOptionGenericInfo, genericInfo_->isChecked() ? 1 : 0);
    put(settings::kOptionLargePrint, largePrint_->isChecked() ? 1 : 0);
    put(settings::kOptionStickerWidth, sticker::storedWidth(stickerWidth_->currentData().toInt()));
    return changed;
}

}  // namespace shell
