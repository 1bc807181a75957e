#include "dosagewindow/dosage_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "dosage/dosage_forms.h"
#include "dosagewindow/phrase_combo.h"
#include "dosagewindow/phrase_editor.h"
#include "dosagewindow/timing_box.h"
#include "ui/byte_limit.h"
#include "ui/colour_button.h"
#include "ui/prompts.h"
#include "ui/text_convert.h"

namespace dosage {

namespace {

// Control ids of the window's template (the buttons' colours follow them).
enum ControlId {
    kPlusMorningNoonEveningId = 40024,
    kPlusMorningNoonId = 1009,
    kPlusMorningEveningId = 40025,
    kResetId = 40026,
    kEditUsageId = 1186,
    kEditAmountId = 1184,
    kEditDaysId = 1185,
    kApplyFromListId = 1188,
    kOkId = 1207,
    kCancelId = 2,
};

const QColor kBackground(205, 233, 215);
const QColor kLabelText(0, 0, 20);

constexpr const char* kTimingNames[leaflet::kTimingCount] = {"waking", "morning", "noon", "evening",
                                                             "bedtime"};
constexpr const char* kTimingLabels[leaflet::kTimingCount] = {"起床", "朝", "昼", "夕", "寝前"};
constexpr const char* kMealItems[] = {"", "食前", "食間", "食後"};

QLabel* label(QWidget* parent, const char* text, const QRect& geometry,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
    l->setAlignment(align);
    return l;
}

// A button that Enter does not press: Enter stands for "OK" everywhere in the window.
ui::ColourButton* button(QWidget* parent, int id, const char* text, const char* name,
                         const QRect& geometry) {
    auto* b = new ui::ColourButton(id, QString::fromUtf8(text), parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

DosageWindow::DosageWindow(desk::Desk& desk, DosageHost& host, Mode mode,
                           const DrugRecord& currentDrug, const QImage& currentPhoto,
                           QWidget* parent)
    : QDialog(parent),
      desk_(desk),
      host_(host),
      phrases_(desk.phrases),
      prompts_(desk.prompts),
      mode_(mode) {
    setObjectName("dosageWindow");
    setWindowTitle("用法設定画面");
    setModal(false);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    p.setColor(QPalette::WindowText, kLabelText);
    setPalette(p);
    setAutoFillBackground(true);
    buildControls();

    if (mode_ == Mode::kNewEntry) {
        entry_ = currentDrug;
        std::fill(std::begin(entry_.callerArea), std::end(entry_.callerArea), 0);
        if (entry_.photoFlag == 1 && !currentPhoto.isNull()) photo_ = currentPhoto;
        beginNewEntry(entry_);
        const QSignalBlocker quiet(meal_);
        meal_->setCurrentIndex(leaflet::kAfterMeals);
    } else {
        openChangeEntry();
    }
    showDrugName();
}

void DosageWindow::buildControls() {
    drugName_ = label(this, "", {20, 10, 500, 24});
    drugName_->setObjectName("drugNameLabel");

    for (int t = 0; t < leaflet::kTimingCount; ++t) {
        const int x = 20 + t * 90;
        label(this, kTimingLabels[t], {x, 42, 63, 18}, Qt::AlignCenter);
        timings_[t] = new TimingBox(this, kTimingNames[t], x, 60);
        connect(timings_[t], &TimingBox::typed, this, [this, t] { applyTypedAmount(t); });
        connect(timings_[t], &TimingBox::moved, this, [this, t](int position) {
            runRule([this, t, position] {
                int shown = position;
                const Notice notice = dosage::spinMoved(entry_, controls(), t, shown);
                timings_[t]->show(shown);
                return notice;
            });
        });
    }

    const struct {
        int id;
        const char* text;
        const char* name;
        GroupButton group;
        QRect geometry;
    } groups[] = {
        {kPlusMorningNoonEveningId,
         "朝昼夕 +１",
         "plusMorningNoonEvening",
         GroupButton::kMorningNoonEvening,
         {20, 114, 110, 26}},
        {kPlusMorningNoonId,
         "朝昼 +１",
         "plusMorningNoon",
         GroupButton::kMorningNoon,
         {136, 114, 110, 26}},
        {kPlusMorningEveningId,
         "朝夕 +１",
         "plusMorningEvening",
         GroupButton::kMorningEvening,
         {252, 114, 110, 26}},
        {kResetId, "リセット", "resetButton", GroupButton::kReset, {388, 114, 90, 26}},
    };
    for (const auto& g : groups) {
        connect(button(this, g.id, g.text, g.name, g.geometry), &QPushButton::clicked, this,
                [this, group = g.group] {
                    runRule([this, group] {
                        const Notice notice = pressGroupButton(entry_, controls(), group);
                        if (notice == Notice::kNone) showTimings();
                        return notice;
                    });
                });
    }

    meal_ = new QComboBox(this);
    meal_->setObjectName("mealTimingList");
    for (const char* item : kMealItems) meal_->addItem(QString::fromUtf8(item));
    meal_->setGeometry(20, 154, 80, 24);
    label(this, "に服用", {106, 154, 60, 24});
    connect(meal_, &QComboBox::currentIndexChanged, this, [this] {
        runRule([this] {
            dosage::mealChosen(entry_, controls());
            return Notice::kNone;
        });
    });

    autoUsage_ = new QCheckBox("自動用法作成", this);
    autoUsage_->setObjectName("autoUsageCheck");
    autoUsage_->setGeometry(200, 154, 140, 24);
    autoUsage_->setChecked(host_.autoUsage());
    connect(autoUsage_, &QCheckBox::clicked, this, [this](bool on) { host_.setAutoUsage(on); });

    usage_ =
        phraseCombo("usageCombo", "用法", kUsagePhrases, 60, 192, kEditUsageId, "editUsageButton");
    amount_ = phraseCombo("amountCombo", "用量", kAmountPhrases, 20, 224, kEditAmountId,
                          "editAmountButton");
    days_ = phraseCombo("daysCombo", "日数（数量）", kDaysPhrases, 20, 256, kEditDaysId,
                        "editDaysButton");

    connect(button(this, kApplyFromListId, "印刷リスト内の用法を適用", "applyFromListButton",
                   {20, 300, 220, 30}),
            &QPushButton::clicked, this, &DosageWindow::applyFromList);
    auto* ok = button(this, kOkId, "OK", "okButton", {338, 300, 86, 30});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &DosageWindow::confirm);
    connect(button(this, kCancelId, "ｷｬﾝｾﾙ", "cancelButton", {432, 300, 86, 30}),
            &QPushButton::clicked, this, &QDialog::reject);
    resize(538, 344);
}

QComboBox* DosageWindow::phraseCombo(const char* name, const char* text, int list,
                                     std::size_t maxBytes, int y, int editButtonId,
                                     const char* editButtonName) {
    label(this, text, {20, y, 90, 24});
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setGeometry(112, y, 340, 24);
    ui::limitBytes(combo->lineEdit(), maxBytes);
    fillPhraseCombo(combo, phrases_[list], true);
    // A phrase longer than the entry's field is shown as the field will hold it, so that what
    // is seen is what is stored and the text can still be edited within the limit.
    connect(combo, &QComboBox::textActivated, this, [combo, maxBytes](const QString& text) {
        const QString held = ui::fromCp932(ui::toCp932(text, maxBytes));
        if (held != text) combo->setEditText(held);
    });
    connect(button(this, editButtonId, "編集", editButtonName, {458, y, 60, 24}),
            &QPushButton::clicked, this, [this, list, combo] { editPhrases(list, combo); });
    return combo;
}

void DosageWindow::showDrugName() {
    drugName_->setText("『 " + ui::fromCp932(leaflet::field(entry_.PRODUCTNAME)) + " 』");
}

void DosageWindow::showTimings() {
    const leaflet::DosageSettings dosage = leaflet::dosageOf(entry_);
    for (int t = 0; t < leaflet::kTimingCount; ++t) timings_[t]->show(dosage.timings[t]);
}

void DosageWindow::showDosage(bool withAmountText) {
    showTimings();
    const leaflet::DosageSettings dosage = leaflet::dosageOf(entry_);
    {
        const QSignalBlocker quiet(meal_);
        meal_->setCurrentIndex(dosage.mealTiming < std::size(kMealItems) ? dosage.mealTiming : 0);
    }
    usage_->setEditText(ui::fromCp932(leaflet::field(dosage.usageText)));
    days_->setEditText(ui::fromCp932(leaflet::field(dosage.daysText)));
    if (withAmountText) amount_->setEditText(ui::fromCp932(leaflet::field(dosage.amountText)));
}

DosageControls DosageWindow::controls() const {
    return {autoUsage_->isChecked(), static_cast<std::uint8_t>(std::max(0, meal_->currentIndex()))};
}

void DosageWindow::takeControls() {
    leaflet::DosageSettings dosage = leaflet::dosageOf(entry_);
    for (int t = 0; t < leaflet::kTimingCount; ++t)
        dosage.timings[t] = static_cast<std::uint8_t>(timings_[t]->confirmed());
    leaflet::setEntryText(dosage.usageText, ui::toCp932(usage_->currentText()));
    leaflet::setEntryText(dosage.amountText, ui::toCp932(amount_->currentText()));
    leaflet::setEntryText(dosage.daysText, ui::toCp932(days_->currentText()));
    leaflet::setDosage(entry_, dosage);
}

void DosageWindow::applyTypedAmount(int t) {
    const int typed = timings_[t]->confirmed();
    if (typed == leaflet::dosageOf(entry_).timings[t]) return;
    runRule([this, t, typed] { return dosage::setTiming(entry_, controls(), t, typed); });
}

void DosageWindow::runRule(const std::function<Notice()>& rule) {
    takeControls();
    const std::string usage(leaflet::usageText(entry_));
    const std::string amount(leaflet::amountText(entry_));
    const Notice notice = rule();
    if (leaflet::usageText(entry_) != usage)
        usage_->setEditText(ui::fromCp932(leaflet::usageText(entry_)));
    if (leaflet::amountText(entry_) != amount)
        amount_->setEditText(ui::fromCp932(leaflet::amountText(entry_)));
    notify(notice);
}

void DosageWindow::notify(Notice notice) {
    switch (notice) {
        case Notice::kNotForTaking:
            prompts_.message(this,
                             QString::fromStdString(refusalMessage(leaflet::field(entry_.ZAIKEI))),
                             QString::fromUtf8(kRefusalTitle), ui::Icon::Warning);
            break;
        case Notice::kBelowZero:
            prompts_.message(this, QString::fromUtf8(kBelowZeroMessage),
                             QString::fromUtf8(kBelowZeroTitle), ui::Icon::Warning);
            break;
        case Notice::kNone:
            break;
    }
}

void DosageWindow::editPhrases(int list, QComboBox* combo) {
    // The editor reads the list again, so even a cancelled edit may bring another terminal's
    // change.
    const PhraseTable before = phrases_[list];
    PhraseEditorDialog editor(phrases_, list, prompts_, this);
    if (editor.exec() == QDialog::Accepted || phrases_[list] != before)
        fillPhraseCombo(combo, phrases_[list], true);
}

}  // namespace dosage
