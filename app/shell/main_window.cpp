#include "shell/main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QTableView>

#include "dosage/phrase_combo.h"
#include "drugs/detail_panel.h"
#include "leaflet/print_entry.h"
#include "patientbase.h"
#include "sjis/sjis.h"
#include "ui/byte_limit.h"
#include "ui/colour_button.h"
#include "ui/row_delegate.h"
#include "ui/text_convert.h"
#include "ui/window_placement.h"

namespace shell {
namespace {

const QColor kBackground(224, 200, 176);
const QColor kBusinessLabel(80, 50, 50);
const QColor kColourLabel(50, 50, 150);

QLabel* label(QWidget* parent, const char* text, const QRect& geometry,
              const QColor& colour = Qt::black) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(geometry);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

QLineEdit* edit(QWidget* parent, const char* name, const QRect& geometry, std::size_t maxBytes) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setGeometry(geometry);
    ui::limitBytes(e, maxBytes);
    return e;
}

}  // namespace

MainWindow::MainWindow(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state), printListModel_(state.printList) {
    setObjectName("mainWindow");
    setWindowTitle("ソラミド");
    setFixedSize(990, 700);
    setModal(false);
    buildPatientRow();
    buildDrugList();
    detailPanel_ = new drugs::DetailPanel(this);
    detailPanel_->setProgramFolder(state_.programFolder.string());
    buildBusinessData();
    buildButtons();
    buildPrintList();
    bindFunctionKeys();
}

void MainWindow::buildPatientRow() {
    label(this, "ＩＤ", {10, 12, 30, 20});
    patientId_ = edit(this, "patientIdBox", {40, 10, 90, 24}, 9);
    label(this, "患者の名前", {140, 12, 70, 20});
    patientName_ = edit(this, "patientNameBox", {210, 10, 240, 24}, 100);
    connect(patientId_, &QLineEdit::editingFinished, this, &MainWindow::patientIdLeft);
}

void MainWindow::buildDrugList() {
    label(this, "Ｎコード検索", {10, 46, 90, 20});
    codeSearchBox_ = edit(this, "codeSearchBox", {10, 66, 110, 24}, 16);
    label(this, "薬剤名検索", {130, 46, 90, 20});
    nameSearchBox_ = edit(this, "nameSearchBox", {130, 66, 200, 24}, 90);
    label(this, "並び替え", {340, 46, 90, 20});
    order_ = new QComboBox(this);
    order_->setObjectName("orderList");
    order_->setGeometry(340, 66, 110, 24);
    order_->addItems({"薬剤名順", "Ｎコード順"});
    order_->setCurrentIndex(state_.settings.options[kOptionDrugListOrder] == 1 ? 1 : 0);
    connect(order_, &QComboBox::activated, this, &MainWindow::orderChosen);
    connect(nameSearchBox_, &QLineEdit::textChanged, this, &MainWindow::searchNames);
    connect(codeSearchBox_, &QLineEdit::textChanged, this, &MainWindow::searchCodes);

    drugView_ = new QTableView(this);
    drugView_->setObjectName("drugList");
    drugView_->setGeometry(10, 96, 440, 436);
    drugView_->setModel(&drugList_);
    ui::setUpListView(drugView_, ui::drugListStyle(), false);
    drugView_->setColumnWidth(0, 100);
    drugView_->setColumnWidth(1, 294);
    connect(drugView_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() < drugList_.count() && !drugList_.row(index.row()).yjcode.empty())
            detailPanel_->show(drugs::DetailPanel::Mode::Fill, drugList_.row(index.row()).yjcode);
    });
    connect(drugView_, &QTableView::doubleClicked, this, &MainWindow::setDosage);
    drugView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(drugView_, &QWidget::customContextMenuRequested, this, &MainWindow::drugListMenu);
}

void MainWindow::drugListMenu(const QPoint& at) {
    const QModelIndex index = drugView_->indexAt(at);
    if (index.isValid()) drugView_->selectRow(index.row());
    QMenu menu(this);
    menu.setObjectName("drugListMenu");
    // Each item does what its button does and is offered exactly when the button is.
    const std::pair<const char*, int> items[] = {{"薬剤の詳細(&I)", kDrugDetail},
                                                 {"薬剤の訂正(&E)", kCorrectDrug},
                                                 {"薬剤の削除(&D)", kDeleteDrug},
                                                 {"薬剤の登録(&R)", kRegisterDrug},
                                                 {"用法の設定(&Y)", kSetDosage}};
    for (const auto& [text, id] : items) {
        QPushButton* b = findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
        menu.addAction(QString::fromUtf8(text), b, &QPushButton::click)->setEnabled(b->isEnabled());
    }
    menu.exec(drugView_->viewport()->mapToGlobal(at));
}

void MainWindow::buildBusinessData() {
    label(this, "業務形態", {460, 10, 70, 20}, kBusinessLabel);
    hospital_ = new QRadioButton("病院（医院）", this);
    hospital_->setObjectName("hospitalRadio");
    hospital_->setGeometry(530, 10, 110, 20);
    pharmacy_ = new QRadioButton("調剤薬局", this);
    pharmacy_->setObjectName("pharmacyRadio");
    pharmacy_->setGeometry(640, 10, 90, 20);
    auto* businessGroup = new QButtonGroup(this);
    businessGroup->addButton(hospital_);
    businessGroup->addButton(pharmacy_);
    (state_.settings.businessType == 1 ? pharmacy_ : hospital_)->setChecked(true);

    label(this, "処方医", {460, 40, 60, 20}, kBusinessLabel);
    prescriber_ = new QComboBox(this);
    prescriber_->setObjectName("prescriberList");
    prescriber_->setGeometry(530, 38, 180, 24);
    label(this, "薬局名", {460, 70, 60, 20}, kBusinessLabel);
    pharmacyName_ = edit(this, "pharmacyNameBox", {530, 68, 180, 24}, 99);
    pharmacyName_->setText(ui::fromCp932(
        sjis::fieldText(state_.settings.pharmacyName, sizeof state_.settings.pharmacyName)));
    label(this, "薬剤師名", {460, 100, 60, 20}, kBusinessLabel);
    pharmacist_ = new QComboBox(this);
    pharmacist_->setObjectName("pharmacistList");
    pharmacist_->setGeometry(530, 98, 180, 24);
    fillBusinessLists();

    label(this, "印刷文字カラー>>", {780, 40, 120, 20}, kColourLabel);
    monochrome_ = new QRadioButton("モノクロ", this);
    monochrome_->setObjectName("monochromeRadio");
    monochrome_->setGeometry(780, 64, 90, 20);
    colourful_ = new QRadioButton("カラフル", this);
    colourful_->setObjectName("colourfulRadio");
    colourful_->setGeometry(870, 64, 90, 20);
    auto* colourGroup = new QButtonGroup(this);
    colourGroup->addButton(monochrome_);
    colourGroup->addButton(colourful_);
    (state_.settings.options[kOptionPrintColour] == 0 ? monochrome_ : colourful_)->setChecked(true);
    applyBusinessType();

    connect(businessGroup, &QButtonGroup::buttonClicked, this, [this] {
        state_.settings.businessType = pharmacy_->isChecked() ? 1 : 0;
        applyBusinessType();
        state_.saveSettings(this);
    });
    connect(colourGroup, &QButtonGroup::buttonClicked, this, [this] {
        state_.settings.options[kOptionPrintColour] = monochrome_->isChecked() ? 0 : 1;
        state_.saveSettings(this);
    });
    connect(prescriber_, &QComboBox::activated, this, [this](int index) {
        state_.settings.prescriberIndex = index;
        state_.saveSettings(this);
    });
    connect(pharmacist_, &QComboBox::activated, this, [this](int index) {
        state_.settings.pharmacistIndex = index;
        state_.saveSettings(this);
    });
}

void MainWindow::fillBusinessLists() {
    const std::pair<QComboBox*, int> lists[] = {{prescriber_, dosage::kPrescribers},
                                                {pharmacist_, dosage::kPharmacists}};
    for (const auto& [combo, list] : lists) {
        dosage::fillPhraseCombo(combo, state_.phrases[list], false);
        const int selected = list == dosage::kPrescribers ? state_.settings.prescriberIndex
                                                          : state_.settings.pharmacistIndex;
        if (selected >= 0 && selected < combo->count()) combo->setCurrentIndex(selected);
    }
}

void MainWindow::applyBusinessType() {
    const bool pharmacy = pharmacy_->isChecked();
    pharmacist_->setEnabled(pharmacy);
    pharmacyName_->setEnabled(pharmacy);
}

QWidget* MainWindow::button(int id, const char* text, const QRect& geometry,
                            void (MainWindow::*slot)()) {
    auto* b = new ui::ColourButton(id, QString::fromUtf8(text), this);
    b->setObjectName(QStringLiteral("button%1").arg(id));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    if (slot) connect(b, &QPushButton::clicked, this, slot);
    return b;
}

void MainWindow::buildButtons() {
    // Buttons whose screens are not part of this build yet are shown disabled.
    const auto later = [this](int id, const char* text, const QRect& geometry) {
        button(id, text, geometry, nullptr)->setEnabled(false);
    };
    later(kPatientFile, "患者ファイル(F1)", {860, 8, 120, 30});
    button(kEditPrescribers, "編集", {715, 38, 50, 24}, &MainWindow::editPrescribers);
    button(kEditPharmacists, "編集", {715, 98, 50, 24}, &MainWindow::editPharmacists);
    const int y = 440;
    button(kDrugSearch, "薬剤検索(F2)", {460, y, 100, 30}, &MainWindow::drugSearch);
    later(kDrugDetail, "薬剤の詳細(F3)", {565, y, 100, 30});
    button(kSetDosage, "用法の設定(F4)", {670, y, 100, 30}, &MainWindow::setDosage);
    later(kCorrectDrug, "薬剤の訂正(F9)", {775, y, 100, 30});
    button(kSameKind, "同品種の検索", {880, y, 100, 30}, &MainWindow::sameKindSearch);
    // The second row holds six buttons in the width of the first row's five.
    const auto second = [y](int i) { return QRect(460 + i * 87, y + 36, 83, 30); };
    later(kRegisterDrug, "薬剤の登録", second(0));
    button(kDeleteDrug, "薬剤の削除", second(1), &MainWindow::deleteDrug);
    button(kComment, "コメント", second(2), &MainWindow::comment);
    button(kBackup, "データ保存", second(3), &MainWindow::backup);
    button(kVersion, "ﾊﾞｰｼﾞｮﾝ情報", second(4), &MainWindow::version);
    button(kHelp, "操作方法", second(5), &MainWindow::help);
}

void MainWindow::buildPrintList() {
    printView_ = new QTableView(this);
    printView_->setObjectName("printList");
    printView_->setGeometry(10, 540, 970, 116);
    printView_->setModel(&printListModel_);
    ui::setUpListView(printView_, ui::printListStyle(), true);
    for (int c = 0; c < PrintListModel::kColumnCount; ++c)
        printView_->setColumnWidth(c, PrintListModel::columnWidth(c));
    connect(printView_, &QTableView::clicked, this, &MainWindow::printListClicked);

    const int y = 662;
    button(kRemoveEntry, "削除", {10, y, 90, 30}, &MainWindow::removeEntry);
    button(kClearEntries, "全て削除", {105, y, 90, 30}, &MainWindow::clearEntries);
    button(kChangeDosage, "用法の変更", {200, y, 100, 30}, &MainWindow::changeDosage);
    button(kSaveHistory, "薬歴に保存", {305, y, 100, 30}, &MainWindow::saveHistory);
    button(kPreview, "プレビュー(F5)", {775, y, 100, 30}, &MainWindow::preview);
    button(kPrint, "印刷(F6)", {880, y, 100, 30}, &MainWindow::print);
}

void MainWindow::printListClicked() {
    if (state_.printList.empty()) return;
    const int row = firstSelectedEntry();
    if (row < 0) {
        detailPanel_->clearFields();
        return;
    }
    detailPanel_->show(drugs::DetailPanel::Mode::Fill,
                       std::string(leaflet::field(state_.printList.entry(row).YJCODE)));
}

void MainWindow::removeEntry() {
    const int row = firstSelectedEntry();
    if (row < 0) return;
    state_.printList.remove(row);
    printListModel_.refresh();
}

void MainWindow::clearEntries() {
    state_.printList.clear();
    printListModel_.refresh();
}

void MainWindow::bindFunctionKeys() {
    const std::pair<Qt::Key, int> keys[] = {{Qt::Key_F1, kPatientFile}, {Qt::Key_F2, kDrugSearch},
                                            {Qt::Key_F3, kDrugDetail},  {Qt::Key_F4, kSetDosage},
                                            {Qt::Key_F5, kPreview},     {Qt::Key_F6, kPrint},
                                            {Qt::Key_F9, kCorrectDrug}};
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] {
            if (auto* b = findChild<QPushButton*>(QStringLiteral("button%1").arg(id))) b->click();
        });
    }
}

bool MainWindow::loadDrugList() {
    const auto order = static_cast<drugs::DrugListModel::Order>(order_->currentIndex());
    if (drugList_.fill(order)) return true;
    databaseFailure();
    return false;
}

int MainWindow::selectedDrugRow() const {
    const QModelIndexList rows = drugView_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void MainWindow::selectDrugRow(int row, bool showInPanel) {
    if (row < 0 || row >= drugList_.count()) return;
    drugView_->selectRow(row);
    drugView_->scrollTo(drugList_.index(row, 0), QAbstractItemView::PositionAtTop);
    if (showInPanel) detailPanel_->show(drugs::DetailPanel::Mode::Fill, drugList_.row(row).yjcode);
}

void MainWindow::searchNames(const QString& text) {
    if (const auto row = nameSearch_.search(drugList_, ui::toCp932(text))) selectDrugRow(*row);
}

void MainWindow::searchCodes(const QString& text) {
    if (const auto row = codeSearch_.search(drugList_, ui::toCp932(text))) selectDrugRow(*row);
}

void MainWindow::patientIdLeft() {
    bool ok = false;
    const long long id = patientId_->text().trimmed().toLongLong(&ok);
    if (!ok || id <= 0 || id > INT32_MAX) return;
    char name[256] = {};
    LRecordID_CLIENT(static_cast<int>(id), name);
    patientName_->setText(ui::fromCp932(sjis::fieldText(name, sizeof name)));
    if (name[0] != '\0') state_.currentPatientId = static_cast<int>(id);
}

void MainWindow::orderChosen(int index) {
    state_.settings.options[kOptionDrugListOrder] = index == 1 ? 1 : 0;
    if (loadDrugList()) state_.saveSettings(this);
}

void MainWindow::storeBusinessData() {
    sjis::copyField(state_.settings.pharmacyName, sizeof state_.settings.pharmacyName,
                    ui::toCp932(pharmacyName_->text()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    storeBusinessData();
    state_.saveSettings(this);
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!placed_) {
        ui::centreOnWorkArea(this);
        placed_ = true;
    }
    QDialog::showEvent(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
}

bool MainWindow::requireSelectedDrug(const char* message) {
    if (selectedDrugRow() >= 0) return true;
    state_.prompts.message(this, QString::fromUtf8(message), kSelectTitle, ui::Icon::Warning);
    return false;
}

void MainWindow::databaseFailure() {
    state_.prompts.message(this, kDatabaseFailureText, kErrorTitle, ui::Icon::Warning);
}

}  // namespace shell
