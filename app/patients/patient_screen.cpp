#include "patients/patient_screen.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QTableView>
#include <utility>

#include "patients/history_panel.h"
#include "patients/patient_form.h"
#include "patients/patient_info_dialog.h"
#include "patients/patient_search_dialog.h"
#include "patients/patient_texts.h"
#include "patients/row_keys.h"
#include "patients/search_results_dialog.h"
#include "ui/colour_button.h"
#include "ui/command_action.h"
#include "ui/form_widgets.h"
#include "ui/row_delegate.h"
#include "ui/text_convert.h"

namespace patients {
namespace {

enum ControlId {
    kSearchButton = 40018,
    kApplyButton = 1109,
    kRegisterButton = 1106,
    kCorrectButton = 1107,
    kDeleteButton = 1108,
    kDeleteDateButton = 40019,
    kTransferButton = 40020,
    kCloseButton = 1,
};

const QColor kBackground(200, 227, 210);

// Kana in any script or width, the long-vowel mark and blanks: what a reading is typed in.
bool looksLikeReading(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kana = (u >= 0x3041 && u <= 0x30FF) || (u >= 0xFF66 && u <= 0xFF9F);
        if (!kana && u != 0x3000 && u != u' ') return false;
    }
    return !text.trimmed().isEmpty();
}

}  // namespace

PatientScreen::PatientScreen(desk::Desk& desk, PatientHost& host, QWidget* parent)
    : QDialog(parent), desk_(desk), host_(host), model_("名前", this) {
    setObjectName("patientScreen");
    setWindowTitle("患者管理画面");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette p = palette();
    p.setColor(QPalette::Window, kBackground);
    setPalette(p);
    setAutoFillBackground(true);
    buildTop();
    buildCommands();
}

void PatientScreen::buildTop() {
    auto* grid = new QGridLayout(this);
    idSearch_ = ui::lineEdit(this, "idSearchBox", {}, 9);
    idSearch_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), idSearch_));
    nameSearch_ = ui::lineEdit(this, "nameSearchBox", {}, 100);
    order_ = new QComboBox(this);
    order_->setObjectName("orderBox");
    order_->addItems({"患者ID", "患者名"});
    auto* searchRow = new QHBoxLayout;
    for (auto [text, w] : {std::pair<const char*, QWidget*>{"検索するＩＤ", idSearch_},
                           {"検索する患者名", nameSearch_},
                           {"並び替え", order_}}) {
        searchRow->addWidget(new QLabel(QString::fromUtf8(text), this));
        searchRow->addWidget(w);
    }
    grid->addLayout(searchRow, 0, 0, 1, 3);

    view_ = new QTableView(this);
    view_->setObjectName("patientList");
    view_->setModel(&model_);
    ui::setUpListView(view_, ui::patientListStyle(), false);
    new RowKeys(view_);
    view_->setColumnWidth(0, 67);
    view_->setColumnWidth(1, 132);
    view_->setMinimumWidth(230);
    grid->addWidget(view_, 1, 0, 2, 1);

    form_ = new PatientForm(PatientForm::Use::Display, this);
    grid->addWidget(form_, 1, 1);
    history_ = new HistoryPanel(patients_, drugs_, desk_.programFolder, desk_.prompts, this);
    history_->setMinimumWidth(420);
    grid->addWidget(history_, 1, 2);
    resize(1060, 640);

    // Keys, clicks and searches all move the current row; the details follow it.
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &PatientScreen::showCurrentRow);
    connect(idSearch_, &QLineEdit::textEdited, this,
            [this](const QString& t) { searchTyped(PatientListModel::kIdColumn, t); });
    connect(nameSearch_, &QLineEdit::textEdited, this,
            [this](const QString& t) { searchTyped(PatientListModel::kNameColumn, t); });
}

void PatientScreen::buildCommands() {
    search_ = ui::commandAction(this, "actionPatientSearch", "患者検索", Qt::Key_F1);
    apply_ = ui::commandAction(this, "actionApplyPatient", "患者名に適用(&O)", Qt::Key_F2);
    register_ = ui::commandAction(this, "actionRegisterPatient", "患者の登録(&T)", Qt::Key_F3);
    correct_ = ui::commandAction(this, "actionCorrectPatient", "患者情報の訂正(&E)", Qt::Key_F4);
    delete_ = ui::commandAction(this, "actionDeletePatient", "患者項目の削除(&X)");
    deleteDate_ = ui::commandAction(this, "actionDeleteDate", "削除");
    transfer_ = ui::commandAction(this, "actionTransfer", "印刷リストに転送", Qt::Key_F5);
    addActions({search_, apply_, register_, correct_, transfer_});
    connect(search_, &QAction::triggered, this, &PatientScreen::searchPatients);
    connect(apply_, &QAction::triggered, this, &PatientScreen::apply);
    connect(register_, &QAction::triggered, this, &PatientScreen::registerPatient);
    connect(correct_, &QAction::triggered, this, &PatientScreen::correctPatient);
    connect(delete_, &QAction::triggered, this, &PatientScreen::deletePatient);
    connect(deleteDate_, &QAction::triggered, history_, &HistoryPanel::deleteDate);
    connect(transfer_, &QAction::triggered, this, &PatientScreen::transfer);
    connect(view_, &QTableView::doubleClicked, apply_, &QAction::trigger);
    connect(order_, &QComboBox::activated, this, &PatientScreen::orderChosen);

    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.setObjectName("patientMenu");
        menu.addActions({apply_, register_, correct_, delete_});
        menu.exec(view_->viewport()->mapToGlobal(at));
    });

    auto* grid = static_cast<QGridLayout*>(layout());
    const auto button = [this](int id, const char* name, const char* text, QAction* action) {
        return ui::commandButton(this, id, name, text, {}, action);
    };
    auto* listButtons = new QGridLayout;
    listButtons->addWidget(button(kSearchButton, "patientSearchButton", "患者検索(F1)", search_), 0,
                           0);
    listButtons->addWidget(button(kApplyButton, "applyButton", "患者名に適用(F2)", apply_), 0, 1);
    listButtons->addWidget(button(kRegisterButton, "registerButton", "患者の登録(F3)", register_),
                           1, 0);
    listButtons->addWidget(button(kCorrectButton, "correctButton", "患者の訂正(F4)", correct_), 1,
                           1);
    listButtons->addWidget(button(kDeleteButton, "deletePatientButton", "患者項目の削除", delete_),
                           2, 0);
    grid->addLayout(listButtons, 3, 0);

    auto* historyButtons = new QHBoxLayout;
    historyButtons->addWidget(button(kDeleteDateButton, "deleteDateButton", "削除", deleteDate_));
    auto* save = new QCheckBox("投薬履歴を保存する", this);
    save->setObjectName("saveHistoryBox");
    save->setChecked(desk_.settings.saveHistory == 1);
    connect(save, &QCheckBox::clicked, this, [this](bool on) {
        desk_.settings.saveHistory = on ? 1 : 0;
        desk_.saveSettings(this);
    });
    historyButtons->addWidget(save);
    historyButtons->addWidget(
        button(kTransferButton, "transferButton", "印刷リストに転送(F5)", transfer_));
    grid->addLayout(historyButtons, 2, 2);

    auto* close = new ui::ColourButton(kCloseButton, "閉じる", this);
    close->setObjectName("closeButton");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(close, 3, 2, Qt::AlignRight);
}

void PatientScreen::say(const Notice& notice, bool warning) {
    desk_.prompts.message(this, QString::fromUtf8(notice.text), QString::fromUtf8(notice.title),
                          warning ? ui::Icon::Warning : ui::Icon::Information);
}

bool PatientScreen::fillList(data::PatientOrder order, bool quiet) {
    const int kept = currentId();
    const bool selected = kept != 0 && selectedId() == kept;
    std::vector<data::PatientRow> rows;
    const bool read = patients_.list(order, rows) == data::DataResult::kDone;
    listed_ = order;
    model_.setRows(read ? std::move(rows) : std::vector<data::PatientRow>{});
    if (!read && !quiet) say(kDatabaseFault);
    // The patient shown stays current where still listed (the caller refreshes the details);
    // a patient no longer listed is no longer shown.
    const int row = model_.rowOf(kept);
    if (row < 0) {
        clearPatient();
        return read;
    }
    const QScopedValueRollback still(relisting_, true);
    view_->selectionModel()->setCurrentIndex(
        model_.index(row, 0), selected
                                  ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                  : QItemSelectionModel::NoUpdate);
    view_->scrollTo(model_.index(row, 0));
    return read;
}

int PatientScreen::currentId() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? model_.row(current.row()).id : 0;
}

void PatientScreen::showCurrentRow() {
    if (relisting_) return;
    if (const int id = currentId())
        showPatient(id);
    else
        clearPatient();
}

void PatientScreen::refresh() {
    const bool failedBefore = std::exchange(refreshFailed_, false);
    if (failedBefore) return;  // activated again by the failure's own message
    refreshFailed_ = !fillList(listed_, true);
    const int id = currentId();
    PatientRecord record{};
    if (id == 0 || patients_.detail(id, record) != data::DataResult::kDone || record.ID == 0)
        return;
    form_->show(record);
    history_->refreshDates();
}

bool PatientScreen::event(QEvent* e) {
    // Another terminal or leafletadmin may have changed the register meanwhile.
    if (e->type() == QEvent::WindowActivate) refresh();
    return QDialog::event(e);
}

bool PatientScreen::load() {
    const int order = desk_.settings.patientOrder == 1 ? 1 : 0;
    order_->setCurrentIndex(order);
    if (!fillList(static_cast<data::PatientOrder>(order))) return false;
    const QString wanted = desk_.patient().idText.trimmed();
    if (leadingNumber(wanted) >= 1) selectIdPrefix(wanted);
    return true;
}

bool PatientScreen::selectRow(int row) {
    view_->clearSelection();
    if (row < 0) return false;
    const QModelIndex index = model_.index(row, 0);
    const bool moved = index != view_->currentIndex();
    view_->setCurrentIndex(index);
    view_->selectRow(row);
    view_->scrollTo(index, QAbstractItemView::PositionAtTop);
    return moved;
}

void PatientScreen::selectShowing(int row) {
    // A move shows the patient by itself; the row already current may show someone else.
    if (!selectRow(row) && row >= 0) showPatient(model_.row(row).id);
}

int PatientScreen::selectIdPrefix(const QString& id) {
    const int row = model_.findPrefix(PatientListModel::kIdColumn, id);
    selectShowing(row);
    return row;
}

void PatientScreen::choosePatient(int id) {
    // Found by a search, the patient may have been registered since the list was read.
    if (model_.rowOf(id) < 0) fillList(listed_);
    selectShowing(model_.rowOf(id));
}

int PatientScreen::selectedId() const {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model_.row(rows.first().row()).id;
}

void PatientScreen::clearPatient() {
    form_->clear();
    history_->clear();
}

void PatientScreen::showPatient(int id) {
    PatientRecord record{};
    if (patients_.detail(id, record) == data::DataResult::kFailed) say(kDatabaseFault);
    showRecord(record);
    if (record.ID == 0) history_->showDates(id);
}

void PatientScreen::showRecord(const PatientRecord& record) {
    form_->show(record);
    // The patient shown is the one leaflets are saved under.
    if (record.ID > 0) desk_.setPatientId(record.ID);
    history_->showDates(record.ID);
}

void PatientScreen::searchTyped(PatientListModel::Column column, const QString& text) {
    if (text.isEmpty()) return;
    int row = model_.findPrefix(column, text);
    if (row < 0 && column == PatientListModel::kNameColumn && looksLikeReading(text))
        row = firstWithReading(text);
    selectRow(row);
}

int PatientScreen::firstWithReading(const QString& reading) const {
    // The register's name search also matches kana against the reading, in any script.
    data::PatientSearch conditions;
    conditions.name = ui::toCp932(reading, 99);
    std::vector<data::PatientRow> found;
    if (patients_.search(conditions, found) != data::DataResult::kDone) return -1;
    int first = -1;
    for (const data::PatientRow& p : found)
        if (const int row = model_.rowOf(p.id); row >= 0 && (first < 0 || row < first)) first = row;
    return first;
}

void PatientScreen::orderChosen(int order) {
    desk_.settings.patientOrder = order;
    if (fillList(static_cast<data::PatientOrder>(order))) desk_.saveSettings(this);
}

bool PatientScreen::relistSelecting(int id) {
    if (!fillList(data::PatientOrder::ById)) return false;
    selectRow(model_.rowOf(id));
    return true;
}

void PatientScreen::renameRow(int id, const std::string& name) {
    model_.rename(id, name);
}

void PatientScreen::apply() {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        say(kChoosePatientToApply);
        return;
    }
    const int row = rows.first().row();
    const QString id = QString::number(model_.row(row).id);
    const QString name = ui::fromCp932(model_.row(row).name);
    if (!desk_.changePatient(id, name, this)) return;  // the print list stays its patient's
    close();
    host_.patientApplied();
}

void PatientScreen::registerPatient() {
    PatientInfoDialog dialog(patients_, desk_.prompts, EntryMode::Register, 0, *this);
    dialog.exec();
}

void PatientScreen::correctPatient() {
    const int id = selectedId();
    if (id == 0) {
        say(kChoosePatientToCorrect);
        return;
    }
    PatientInfoDialog dialog(patients_, desk_.prompts, EntryMode::Correct, id, *this);
    dialog.exec();
}

void PatientScreen::deletePatient() {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        say(kChoosePatientToDelete);
        return;
    }
    const data::PatientRow patient = model_.row(rows.first().row());
    const QString question = QString::fromUtf8(kAskDeletePatient.text)
                                 .arg(QString::number(patient.id), ui::fromCp932(patient.name));
    if (!desk_.prompts.askYesNo(this, question, kAskDeletePatient.title, ui::Icon::Warning,
                                ui::Default::No))
        return;
    form_->clear();
    if (patients_.remove(patient.id) != data::DataResult::kDone) {
        say(kDatabaseFault);
        return;
    }
    if (desk_.patient().id == patient.id) desk_.setPatientId(0);
    fillList(data::PatientOrder::ById);
}

void PatientScreen::transfer() {
    if (history_->recalled().empty()) {
        say(kNothingToTransfer, false);
        return;
    }
    if (selectedId() == 0) {
        say(kChoosePatientToApply);
        return;
    }
    switch (history_->recalled().replacePrintList(desk_, this)) {
        case patients::HistoryRecall::Transfer::kDone:
            apply();
            break;
        case patients::HistoryRecall::Transfer::kFailed:
            say(kRecallFault);
            break;
        case patients::HistoryRecall::Transfer::kDeclined:
            break;
    }
}

void PatientScreen::searchPatients() {
    PatientSearchDialog search(patients_, desk_.prompts, this);
    if (search.exec() != QDialog::Accepted) return;
    {
        SearchResultsDialog results(search.found(), desk_.prompts, *this);
        results.exec();
    }
    // Gone with the results dialog, whatever the drug panel showed meanwhile.
    host_.restoreDosageForm();
}

}  // namespace patients
