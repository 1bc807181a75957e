#include "shell/print_list_panel.h"

#include <QAction>
#include <QMouseEvent>
#include <QTableView>

#include "drugs/detail_panel.h"
#include "leaflet/print_entry.h"
#include "ui/command_action.h"
#include "ui/row_delegate.h"

namespace shell {

void ClickReportingTable::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (clicked_) clicked_();
}

PrintListPanel::PrintListPanel(desk::Desk& desk, drugs::DetailPanel& detail, QWidget* parent)
    : QWidget(parent), desk_(desk), detail_(detail), model_(desk) {
    setObjectName("printListPanel");
    setGeometry(10, 540, 970, 116);
    view_ = new ClickReportingTable(this);
    view_->setObjectName("printList");
    view_->setGeometry(0, 0, 970, 116);
    view_->setModel(&model_);
    view_->setTabKeyNavigation(false);  // Tab leaves the list: one stop in the focus order
    ui::setUpListView(view_, ui::printListStyle(), true);
    for (int c = 0; c < desk::PrintListModel::kColumnCount; ++c)
        view_->setColumnWidth(c, desk::PrintListModel::columnWidth(c));
    view_->setClickHandler([this] { entryClicked(); });

    removeEntry_ = ui::commandAction(this, "actionRemoveEntry", "削除", Qt::ALT | Qt::Key_D);
    clearEntries_ = ui::commandAction(this, "actionClearEntries", "全て削除", Qt::ALT | Qt::Key_A);
    connect(removeEntry_, &QAction::triggered, this, &PrintListPanel::removeEntry);
    connect(clearEntries_, &QAction::triggered, this, &PrintListPanel::clearAfterAsking);
}

QWidget* PrintListPanel::listView() const {
    return view_;
}

int PrintListPanel::firstSelectedEntry() const {
    int first = -1;
    for (const QModelIndex& i : view_->selectionModel()->selectedRows())
        if (first < 0 || i.row() < first) first = i.row();
    return first < desk_.printList().count() ? first : -1;
}

void PrintListPanel::clearAfterAsking() {
    if (desk_.printList().empty()) return;
    if (!desk_.prompts.askYesNo(window(),
                                "印刷リストの薬剤をすべて削除します。\r\nよろしいですか？", "確認",
                                ui::Icon::Warning, ui::Default::No))
        return;
    desk_.clear();
}

void PrintListPanel::entryClicked() {
    if (desk_.printList().empty()) return;
    const int row = firstSelectedEntry();
    if (row < 0) {
        detail_.clearFields();
        return;
    }
    detail_.show(drugs::DetailPanel::Mode::Fill,
                 std::string(leaflet::field(desk_.printList().entry(row).YJCODE)));
}

void PrintListPanel::removeEntry() {
    const int row = firstSelectedEntry();
    if (row < 0) return;
    desk_.remove(row);
}

}  // namespace shell
