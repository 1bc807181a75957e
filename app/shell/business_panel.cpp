#include "shell/business_panel.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "data/audit_trail.h"
#include "dosagewindow/phrase_combo.h"
#include "dosagewindow/phrase_editor.h"
#include "dosagewindow/phrase_text.h"
#include "shell/control_ids.h"
#include "sjis/sjis.h"
#include "ui/colour_button.h"
#include "ui/command_action.h"
#include "ui/form_widgets.h"
#include "ui/text_convert.h"

namespace shell {
namespace {

const QColor kBusinessLabel(80, 50, 50);
const QColor kColourLabel(50, 50, 150);
constexpr std::size_t kBusinessTextBytes = 200;
// Saves of a prescriber line tried against a list that other terminals keep changing.
constexpr int kAddAttempts = 5;
constexpr const char* kListBusyMessage =
    "他の端末で処方医一覧の変更が続いているため、処方医を一覧に追加できませんでした。"
    "しばらくしてから、もう一度お試しください。";

QRadioButton* radio(QWidget* parent, const char* text, const char* name, const QRect& geometry) {
    auto* r = new QRadioButton(QString::fromUtf8(text), parent);
    r->setObjectName(name);
    r->setGeometry(geometry);
    return r;
}

QButtonGroup* group(QWidget* parent, QRadioButton* first, QRadioButton* second) {
    auto* g = new QButtonGroup(parent);
    g->addButton(first);
    g->addButton(second);
    return g;
}

}  // namespace

BusinessPanel::BusinessPanel(desk::Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
    setObjectName("businessPanel");
    setGeometry(460, 8, 500, 116);
    buildBusinessType();
    buildPeople();
    buildColour();
    buildHandbookSwitch();
    buildListEditors();
    applyBusinessType();
}

void BusinessPanel::buildBusinessType() {
    ui::label(this, "業務形態", {0, 2, 70, 20}, kBusinessLabel);
    hospital_ = radio(this, "病院（医院）", "hospitalRadio", {70, 2, 110, 20});
    pharmacy_ = radio(this, "調剤薬局", "pharmacyRadio", {180, 2, 90, 20});
    (desk_.settings.businessType == 1 ? pharmacy_ : hospital_)->setChecked(true);
    connect(group(this, hospital_, pharmacy_), &QButtonGroup::buttonClicked, this, [this] {
        desk_.settings.businessType = pharmacy_->isChecked() ? 1 : 0;
        applyBusinessType();
        desk_.saveSettings(this);
    });
}

void BusinessPanel::buildPeople() {
    ui::label(this, "処方医", {0, 32, 60, 20}, kBusinessLabel);
    prescriber_ = new QComboBox(this);
    prescriber_->setObjectName("prescriberList");
    prescriber_->setGeometry(70, 30, 180, 24);
    ui::label(this, "薬局名", {0, 62, 60, 20}, kBusinessLabel);
    pharmacyName_ = ui::lineEdit(this, "pharmacyNameBox", {70, 60, 180, 24}, 99);
    pharmacyName_->setText(ui::fromCp932(
        sjis::fieldText(desk_.settings.pharmacyName, sizeof desk_.settings.pharmacyName)));
    // A name typed is written when the box is left, so a crash later does not lose it.
    connect(pharmacyName_, &QLineEdit::editingFinished, this, [this] {
        if (!pharmacyName_->isModified()) return;
        pharmacyName_->setModified(false);
        storePharmacyName();
        desk_.saveSettings(window());
    });
    ui::label(this, "薬剤師名", {0, 92, 60, 20}, kBusinessLabel);
    pharmacist_ = new QComboBox(this);
    pharmacist_->setObjectName("pharmacistList");
    pharmacist_->setGeometry(70, 90, 180, 24);
    fillList(dosage::kPrescribers);
    fillList(dosage::kPharmacists);

    connect(prescriber_, &QComboBox::activated, this, [this](int index) {
        desk_.forgetPrescribedBy();  // a prescriber chosen by hand is no prescription's
        desk_.settings.prescriberIndex = index;
        desk_.saveSettings(this);
    });
    // Every audit row names the pharmacist the panel shows, chosen or typed.
    connect(pharmacist_, &QComboBox::currentTextChanged, this,
            [](const QString& name) { data::setAuditPharmacist(name.toStdString()); });
    connect(pharmacist_, &QComboBox::activated, this, [this](int index) {
        desk_.settings.pharmacistIndex = index;
        desk_.saveSettings(this);
    });
}

void BusinessPanel::buildColour() {
    ui::label(this, "印刷文字カラー>>", {320, 32, 120, 20}, kColourLabel);
    monochrome_ = radio(this, "モノクロ", "monochromeRadio", {320, 56, 90, 20});
    colourful_ = radio(this, "カラフル", "colourfulRadio", {410, 56, 90, 20});
    (desk_.settings.options[settings::kOptionPrintColour] == 0 ? monochrome_ : colourful_)
        ->setChecked(true);
    connect(group(this, monochrome_, colourful_), &QButtonGroup::buttonClicked, this, [this] {
        desk_.settings.options[settings::kOptionPrintColour] = monochrome_->isChecked() ? 0 : 1;
        desk_.saveSettings(this);
    });
}

void BusinessPanel::buildHandbookSwitch() {
    auto* codes = new QCheckBox("お薬手帳QRを印刷する", this);
    codes->setObjectName("handbookCodesCheck");
    codes->setGeometry(320, 86, 180, 22);
    codes->setChecked(settings::handbookCodesOn(desk_.settings));
    connect(codes, &QCheckBox::toggled, this, [this](bool on) {
        settings::setHandbookCodes(desk_.settings, on);
        desk_.saveSettings(this);
    });
}

// The editors' buttons come last in the focus order, after the colour choice.
void BusinessPanel::buildListEditors() {
    editPrescribers_ =
        ui::commandAction(this, "actionEditPrescribers", "編集", Qt::ALT | Qt::Key_P);
    editPharmacists_ =
        ui::commandAction(this, "actionEditPharmacists", "編集", Qt::ALT | Qt::Key_K);
    ui::commandButton(this, kEditPrescribers, "editPrescribersButton", "編集(P)", {255, 30, 56, 24},
                      editPrescribers_);
    ui::commandButton(this, kEditPharmacists, "editPharmacistsButton", "編集(K)", {255, 90, 56, 24},
                      editPharmacists_);
    connect(editPrescribers_, &QAction::triggered, this,
            [this] { editList(dosage::kPrescribers); });
    connect(editPharmacists_, &QAction::triggered, this,
            [this] { editList(dosage::kPharmacists); });
}

void BusinessPanel::applyBusinessType() {
    const bool pharmacy = pharmacy_->isChecked();
    pharmacist_->setEnabled(pharmacy);
    pharmacyName_->setEnabled(pharmacy);
}

QComboBox* BusinessPanel::combo(int list) const {
    return list == dosage::kPrescribers ? prescriber_ : pharmacist_;
}

int& BusinessPanel::storedChoice(int list) {
    return list == dosage::kPrescribers ? desk_.settings.prescriberIndex
                                        : desk_.settings.pharmacistIndex;
}

void BusinessPanel::fillList(int list) {
    dosage::fillPhraseCombo(combo(list), desk_.phrases[list], false);
    const int selected = storedChoice(list);
    if (selected >= 0 && selected < combo(list)->count()) combo(list)->setCurrentIndex(selected);
    if (list == dosage::kPharmacists)
        data::setAuditPharmacist(pharmacist_->currentText().toStdString());
}

void BusinessPanel::editList(int list) {
    // The editor reads the list again, so even a cancelled edit may bring another terminal's
    // change.
    const dosage::PhraseTable before = desk_.phrases[list];
    dosage::PhraseEditorDialog editor(desk_.phrases, list, desk_.prompts, window());
    if (editor.exec() != QDialog::Accepted && desk_.phrases[list] == before) return;
    // The person chosen stays chosen by name wherever the edit moved them, so that a line
    // inserted above never makes the same position print someone else.
    const QString chosen = combo(list)->currentText();
    fillList(list);
    const int moved = combo(list)->findText(chosen);
    if (moved < 0 || moved == storedChoice(list)) return;
    combo(list)->setCurrentIndex(moved);
    storedChoice(list) = moved;
    desk_.saveSettings(window());
}

bool BusinessPanel::listsPrescriber(const std::string& text) const {
    return prescriber_->findText(ui::fromCp932(text), Qt::MatchExactly) >= 0;
}

bool BusinessPanel::addPrescriber(const std::string& text) {
    // Added to the list as stored now, never to an older copy: a save at an old version is
    // refused, and the list is read again and the line added again.
    for (int attempt = 0; attempt < kAddAttempts; ++attempt) {
        // The store shows its own message when it cannot read or keep the list.
        if (desk_.phrases.reload(dosage::kPrescribers) != data::DataResult::kDone) return false;
        const dosage::PhraseTable& table = desk_.phrases[dosage::kPrescribers];
        const std::string listed = dosage::phraseText(table);
        if (("\r\n" + listed).find("\r\n" + text + "\r\n") != std::string::npos) return true;
        dosage::PhraseTable extended{};
        if (const dosage::TextFault fault =
                dosage::rebuildTable(listed + text + "\r\n", extended)) {
            desk_.prompts.message(window(), QString::fromStdString(dosage::faultMessage(fault)),
                                  "編集", ui::Icon::Warning);
            return false;
        }
        switch (desk_.phrases.keep(dosage::kPrescribers, extended)) {
            case data::PhraseKeep::kDone:
                return true;
            case data::PhraseKeep::kFailed:
                return false;
            case data::PhraseKeep::kChanged:
                break;
        }
    }
    desk_.prompts.message(window(), QString::fromUtf8(kListBusyMessage), "編集", ui::Icon::Warning);
    return false;
}

bool BusinessPanel::usePrescriber(const std::string& text, bool addToList) {
    if (addToList && !listsPrescriber(text)) {
        const bool added = addPrescriber(text);
        fillList(dosage::kPrescribers);
        if (!added) return false;
    }
    const QString shown = ui::fromCp932(text);
    int index = prescriber_->findText(shown, Qt::MatchExactly);
    if (index < 0) {
        prescriber_->addItem(shown);
        index = prescriber_->count() - 1;
    }
    prescriber_->setCurrentIndex(index);
    if (addToList) {
        desk_.settings.prescriberIndex = index;
        desk_.saveSettings(window());
    }
    return true;
}

void BusinessPanel::storePharmacyName() {
    sjis::copyField(desk_.settings.pharmacyName, sizeof desk_.settings.pharmacyName,
                    ui::toCp932(pharmacyName_->text()));
}

std::string BusinessPanel::prescriber() const {
    return ui::toCp932(prescriber_->currentText(), kBusinessTextBytes);
}

std::string BusinessPanel::pharmacist() const {
    return ui::toCp932(pharmacist_->currentText(), kBusinessTextBytes);
}

}  // namespace shell
