#include "shell/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QPainter>

#include "drugs/detail_panel.h"
#include "shell/business_panel.h"
#include "shell/catalogue_commands.h"
#include "shell/control_ids.h"
#include "shell/dosage_commands.h"
#include "shell/drug_list_panel.h"
#include "shell/leaflet_commands.h"
#include "shell/patient_alerts.h"
#include "shell/patient_file_command.h"
#include "shell/patient_row.h"
#include "shell/prescription_command.h"
#include "shell/print_list_panel.h"
#include "shell/repeat_command.h"
#include "shell/sticker_command.h"
#include "shell/tool_commands.h"
#include "ui/colour_button.h"
#include "ui/command_action.h"
#include "ui/window_placement.h"

namespace shell {
namespace {

const QColor kBackground(224, 200, 176);

}  // namespace

MainWindow::MainWindow(desk::Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName("mainWindow");
    setWindowTitle("ソラミド");
    setFixedSize(990, 700);
    setModal(false);
    patientRow_ = new PatientRow(desk_, this);
    new PatientAlerts(desk_, this);
    drugListPanel_ = new DrugListPanel(desk_, this);
    detailPanel_ = new drugs::DetailPanel(this);
    detailPanel_->setProgramFolder(desk_.programFolder);
    businessPanel_ = new BusinessPanel(desk_, this);
    printListPanel_ = new PrintListPanel(desk_, *detailPanel_, this);
    catalogue_ = new CatalogueCommands(desk_, *drugListPanel_, *detailPanel_, this);
    dosage_ = new DosageCommands(desk_, *drugListPanel_, *detailPanel_, *printListPanel_, this);
    leaflet_ = new LeafletCommands(desk_, *patientRow_, *businessPanel_, this);
    tools_ = new ToolCommands(desk_, this);
    patientFile_ = new PatientFileCommand(desk_, *patientRow_, *detailPanel_, this);
    prescription_ = new PrescriptionCommand(desk_, *drugListPanel_, *businessPanel_, this);
    sticker_ = new StickerCommand(
        desk_, [this] { return leaflet_->header(); }, this);
    repeat_ = new RepeatCommand(desk_, this);
    buildButtons();
    bindCommands();
}

void MainWindow::buildButtons() {
    struct Button {
        int id;
        const char* name;
        const char* text;
        QRect geometry;
        QAction* action;
    };
    const auto button = [this](const Button& b) {
        return ui::commandButton(this, b.id, b.name, b.text, b.geometry, b.action);
    };
    button({kPatientFile,
            "patientFileButton",
            "患者ファイル(F1)",
            {860, 8, 120, 30},
            patientRow_->patientFileAction()});
    button({kReadPrescription,
            "readPrescriptionButton",
            "処方箋読取(F7)",
            {735, 8, 120, 30},
            prescription_->readPrescription()});
    // Beside the pharmacy name box of the business panel, whose name it may replace in the codes.
    button(
        {kPharmacyInfo, "pharmacyInfoButton", "薬局情報", {715, 68, 56, 24}, tools_->pharmacy()});
    button({kAuditLog, "auditLogButton", "監査ログ", {630, 8, 100, 30}, tools_->auditLog()});
    button({kPrintSettings,
            "printSettingsButton",
            "印刷の設定(F12)",
            {525, 8, 100, 30},
            tools_->printSettings()});
    const int y = 440;
    const Button firstRow[] = {
        {kDrugSearch, "drugSearchButton", "薬剤検索(F2)", {}, catalogue_->drugSearch()},
        {kDrugDetail, "drugDetailButton", "薬剤の詳細(F3)", {}, catalogue_->drugDetail()},
        {kSetDosage, "setDosageButton", "用法の設定(F4)", {}, dosage_->setDosage()},
        {kCorrectDrug, "correctDrugButton", "薬剤の訂正(F9)", {}, catalogue_->correctDrug()},
        {kSameKind, "sameKindButton", "同品種の検索", {}, catalogue_->sameKind()}};
    for (int i = 0; i < 5; ++i) {
        Button b = firstRow[i];
        b.geometry = {460 + i * 105, y, 100, 30};
        button(b);
    }
    // The second row holds six buttons in the width of the first row's five.
    const Button secondRow[] = {
        {kRegisterDrug, "registerDrugButton", "薬剤の登録", {}, catalogue_->registerDrug()},
        {kDeleteDrug, "deleteDrugButton", "薬剤の削除", {}, catalogue_->deleteDrug()},
        {kComment, "commentButton", "コメント", {}, tools_->comment()},
        {kBackup, "backupButton", "データ保存", {}, tools_->backup()},
        {kVersion, "versionButton", "ﾊﾞｰｼﾞｮﾝ情報", {}, tools_->version()},
        {kHelp, "helpButton", "操作方法", {}, tools_->help()}};
    for (int i = 0; i < 6; ++i) {
        Button b = secondRow[i];
        b.geometry = {460 + i * 87, y + 36, 83, 30};
        button(b);
    }
    const int bottom = 662;
    const Button printListRow[] = {
        {kRemoveEntry,
         "removeEntryButton",
         "削除(D)",
         {10, bottom, 90, 30},
         printListPanel_->removeEntryAction()},
        {kClearEntries,
         "clearEntriesButton",
         "全て削除(A)",
         {105, bottom, 90, 30},
         printListPanel_->clearEntriesAction()},
        {kChangeDosage,
         "changeDosageButton",
         "用法の変更(C)",
         {200, bottom, 100, 30},
         dosage_->changeDosage()},
        {kSaveHistory,
         "saveHistoryButton",
         "薬歴に保存(S)",
         {305, bottom, 100, 30},
         leaflet_->saveHistory()},
        {kRepeatLast,
         "repeatLastButton",
         "前回Do(F8)",
         {520, bottom, 100, 30},
         repeat_->repeatLast()},
        {kSticker,
         "stickerButton",
         "お薬手帳シール(F11)",
         {625, bottom, 145, 30},
         sticker_->sticker()},
        {kPreview, "previewButton", "プレビュー(F5)", {775, bottom, 100, 30}, leaflet_->preview()},
        {kPrint, "printButton", "印刷(F6)", {880, bottom, 100, 30}, leaflet_->print()}};
    // The print list follows the drug list in the focus order, and its buttons follow it.
    QWidget* previous = printListPanel_->listView();
    setTabOrder(drugListPanel_->listView(), previous);
    for (const Button& b : printListRow) {
        QWidget* next = button(b);
        setTabOrder(previous, next);
        previous = next;
    }
}

// The function and Alt keys work through the actions added to the window; the drug list's pop-up
// menu offers the catalogue commands and the dosage setting.
void MainWindow::bindCommands() {
    addActions({patientRow_->patientFileAction(), catalogue_->drugSearch(),
                catalogue_->drugDetail(), dosage_->setDosage(), leaflet_->preview(),
                leaflet_->print(), catalogue_->correctDrug(), prescription_->readPrescription(),
                printListPanel_->removeEntryAction(), printListPanel_->clearEntriesAction(),
                dosage_->changeDosage(), leaflet_->saveHistory(), sticker_->sticker(),
                repeat_->repeatLast(), tools_->printSettings(),
                businessPanel_->editPrescribersAction(), businessPanel_->editPharmacistsAction()});
    drugListPanel_->setMenuActions({catalogue_->drugDetail(), catalogue_->correctDrug(),
                                    catalogue_->deleteDrug(), catalogue_->registerDrug(),
                                    dosage_->setDosage()});
    connect(drugListPanel_, &DrugListPanel::drugShown, this, [this](const std::string& yjcode) {
        detailPanel_->show(drugs::DetailPanel::Mode::Fill, yjcode);
    });
    connect(drugListPanel_, &DrugListPanel::drugDoubleClicked, dosage_->setDosage(),
            &QAction::trigger);
}

bool MainWindow::loadDrugList() {
    return drugListPanel_->load();
}

drugs::DrugListModel& MainWindow::drugList() {
    return drugListPanel_->model();
}

desk::PrintListModel& MainWindow::printListModel() {
    return printListPanel_->model();
}

int MainWindow::selectedDrugRow() const {
    return drugListPanel_->selectedRow();
}

void MainWindow::selectDrugRow(int row, bool showInPanel) {
    drugListPanel_->selectRow(row, showInPanel);
}

void MainWindow::setPrintTarget(leaflet::PrintTarget* target) {
    leaflet_->setPrintTarget(target);
}

dosage::DosageWindow* MainWindow::dosageWindow() const {
    return dosage_->dosageWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The print list is not kept between runs.
    if (!desk_.printList().empty() &&
        !desk_.prompts.askYesNo(this, "印刷リストに薬剤が残っています。\r\n終了しますか？", "確認",
                                ui::Icon::Warning, ui::Default::No))
        return event->ignore();
    businessPanel_->storePharmacyName();
    desk_.saveSettings(this);
    event->accept();
}

// Esc would end the program without the question and the settings save that closing makes;
// in this window it does nothing.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) return event->accept();
    QDialog::keyPressEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!placed_) {
        ui::centreOnWorkArea(this);
        patientRow_->focusId();  // the keyboard starts with the patient
        placed_ = true;
    }
    QDialog::showEvent(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kBackground);
}

}  // namespace shell
