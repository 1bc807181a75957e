#include "shell/pharmacy_dialog.h"

#include <QLineEdit>

#include "ui/colour_button.h"
#include "ui/form_widgets.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

struct Box {
    const char* label;
    const char* name;
    std::size_t bytes;
    int width;
    const char* refusal;  // shown when the field is not of its shape
};

// In the store's field order.
constexpr Box kBoxes[data::kPharmacyFields] = {
    {"薬局名", "pharmacyNameEdit", 120, 360, "薬局名は全角６０文字以内で入力して下さい。"},
    {"都道府県番号", "prefectureEdit", 2, 40,
     "都道府県番号は０１～４７の２桁の数字で入力して下さい。"},
    {"医療機関コード", "institutionCodeEdit", 7, 90,
     "医療機関コードは７桁の数字で入力して下さい。"},
    {"郵便番号", "postalCodeEdit", 8, 90, "郵便番号は「123-4567」の形で入力して下さい。"},
    {"住所", "addressEdit", 200, 360, "住所は全角１００文字以内で入力して下さい。"},
    {"電話番号", "telephoneEdit", 13, 140,
     "電話番号は半角の数字と「-」で１３文字以内で入力して下さい。"},
};

constexpr const char* kTitle = "薬局情報";

}  // namespace

PharmacyDialog::PharmacyDialog(ui::Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setObjectName("pharmacyDialog");
    setWindowTitle(kTitle);
    data::PharmacyFields stored;
    data::PhraseStore().readPharmacy(stored);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const Box& b = kBoxes[i];
        const int y = 12 + static_cast<int>(i) * 32;
        ui::label(this, b.label, {16, y + 2, 110, 20});
        boxes_[i] = ui::lineEdit(this, b.name, {130, y, b.width, 24}, b.bytes);
        boxes_[i]->setText(ui::fromCp932(stored[i]));
    }
    ui::label(this, "薬局名が空欄のときは、メイン画面の薬局名を使います。", {16, 208, 480, 20});
    auto* ok = new ui::ColourButton(1, "ＯＫ", this);
    ok->setObjectName("okButton");
    ok->setGeometry(290, 236, 96, 30);
    auto* close = new ui::ColourButton(2, "閉じる", this);
    close->setObjectName("closeButton");
    close->setGeometry(394, 236, 96, 30);
    resize(510, 278);
    connect(ok, &QPushButton::clicked, this, &PharmacyDialog::store);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void PharmacyDialog::store() {
    data::PharmacyFields fields;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        fields[i] = ui::toCp932(boxes_[i]->text().trimmed());
    const data::PhraseStore store;
    if (const int refused = store.refusedPharmacyField(fields); refused >= 0) {
        prompts_.message(this, QString::fromUtf8(kBoxes[refused].refusal), kTitle,
                         ui::Icon::Warning);
        boxes_[static_cast<std::size_t>(refused)]->setFocus();
        return;
    }
    // The store shows its own message when it cannot keep the pharmacy.
    if (store.keepPharmacy(fields) == data::DataResult::kDone) accept();
}

}  // namespace shell
