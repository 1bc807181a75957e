#include "shell/drug_list_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "shell/desk_messages.h"
#include "ui/form_widgets.h"
#include "ui/row_delegate.h"
#include "ui/text_convert.h"
#include "ui/wait_window.h"

namespace shell {

DrugListPanel::DrugListPanel(desk::Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
    setObjectName("drugListPanel");
    setGeometry(10, 60, 440, 472);  // below the patient row and its alert line
    ui::label(this, "Ｎコード検索", {0, 0, 90, 20});
    codeSearchBox_ = ui::lineEdit(this, "codeSearchBox", {0, 20, 110, 24}, 16);
    ui::label(this, "薬剤名検索", {120, 0, 90, 20});
    nameSearchBox_ = ui::lineEdit(this, "nameSearchBox", {120, 20, 200, 24}, 90);
    ui::label(this, "並び替え", {330, 0, 90, 20});
    order_ = new QComboBox(this);
    order_->setObjectName("orderList");
    order_->setGeometry(330, 20, 110, 24);
    order_->addItems({"薬剤名順", "Ｎコード順"});
    order_->setCurrentIndex(desk_.settings.options[settings::kOptionDrugListOrder] == 1 ? 1 : 0);
    connect(order_, &QComboBox::activated, this, &DrugListPanel::orderChosen);
    connect(nameSearchBox_, &QLineEdit::textChanged, this,
            [this](const QString& text) { search(nameSearch_, text); });
    connect(codeSearchBox_, &QLineEdit::textChanged, this,
            [this](const QString& text) { search(codeSearch_, text); });

    view_ = new QTableView(this);
    view_->setObjectName("drugList");
    view_->setGeometry(0, 50, 440, 422);
    view_->setModel(&model_);
    ui::setUpListView(view_, ui::drugListStyle(), false);
    view_->setColumnWidth(0, 100);
    view_->setColumnWidth(1, 294);
    view_->setTabKeyNavigation(false);  // Tab leaves the list: one stop in the focus order
    // The panel follows the current row however it moves: a click, the arrow keys, Home/End.
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (announce_ && index.isValid() && index.row() < model_.count() &&
                    !model_.row(index.row()).yjcode.empty())
                    emit drugShown(model_.row(index.row()).yjcode);
            });
    connect(view_, &QTableView::doubleClicked, this, &DrugListPanel::drugDoubleClicked);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &DrugListPanel::showMenu);
}

bool DrugListPanel::load() {
    if (model_.fill(static_cast<drugs::DrugListModel::Order>(order_->currentIndex()))) return true;
    showDatabaseFailure(desk_.prompts, window());
    return false;
}

int DrugListPanel::selectedRow() const {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void DrugListPanel::selectRow(int row, bool show) {
    if (row < 0 || row >= model_.count()) return;
    announce_ = false;  // announced below, or shown by the caller in a mode of its own
    view_->selectRow(row);
    announce_ = true;
    view_->scrollTo(model_.index(row, 0), QAbstractItemView::PositionAtTop);
    if (show) emit drugShown(model_.row(row).yjcode);
}

void DrugListPanel::search(drugs::PrefixSearch& prefixSearch, const QString& text) {
    if (const auto row = prefixSearch.search(model_, ui::toCp932(text))) {
        selectRow(*row, true);
    } else if (prefixSearch.missed()) {
        // Commands must not act on a drug the text no longer leads to.
        view_->clearSelection();
    }
}

QWidget* DrugListPanel::listView() const {
    return view_;
}

void DrugListPanel::clearSearchBoxes() {
    nameSearchBox_->clear();
    codeSearchBox_->clear();
}

void DrugListPanel::focusCodeSearch() {
    codeSearchBox_->setFocus();
}

void DrugListPanel::orderChosen(int index) {
    desk_.settings.options[settings::kOptionDrugListOrder] = index == 1 ? 1 : 0;
    bool loaded;
    {
        ui::WaitWindow wait(window());
        loaded = load();
    }
    if (loaded) desk_.saveSettings(window());
}

void DrugListPanel::showMenu(const QPoint& at) {
    const QModelIndex index = view_->indexAt(at);
    if (index.isValid()) view_->selectRow(index.row());
    // Each item is its command's action, so it is offered exactly when the button is.
    QMenu menu(this);
    menu.setObjectName("drugListMenu");
    menu.addActions(menuActions_);
    menu.exec(view_->viewport()->mapToGlobal(at));
}

}  // namespace shell
