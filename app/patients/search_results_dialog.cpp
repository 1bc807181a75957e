#include "patients/search_results_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "patients/history_panel.h"
#include "patients/patient_screen.h"
#include "patients/patient_texts.h"
#include "patients/row_keys.h"
#include "ui/row_delegate.h"

namespace patients {

SearchResultsDialog::SearchResultsDialog(const std::vector<data::PatientRow>& found,
                                         ui::Prompts& prompts, PatientScreen& screen)
    : QDialog(&screen),
      screen_(screen),
      prompts_(prompts),
      model_("患者名", this),
      view_(new QTableView(this)) {
    setObjectName("searchResultsDialog");
    setWindowTitle("検索結果");
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(200, 227, 210));
    setPalette(p);
    setAutoFillBackground(true);
    model_.setRows(found);
    auto* count = new QLabel(
        QStringLiteral("全部で %1 件のデータがみつかりました。").arg(found.size()), this);
    count->setObjectName("countLabel");
    view_->setObjectName("resultList");
    view_->setModel(&model_);
    ui::setUpListView(view_, ui::patientListStyle(), false);
    new RowKeys(view_);
    view_->setColumnWidth(0, 67);
    view_->setColumnWidth(1, 132);
    auto* choose = new QPushButton("選択", this);
    choose->setObjectName("chooseButton");
    auto* close = new QPushButton("閉じる", this);
    close->setObjectName("closeButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(count);
    column->addWidget(view_);
    column->addLayout(buttons);
    resize(260, 360);
    choose->setDefault(true);  // Enter in the list chooses
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SearchResultsDialog::rowCurrent);
    connect(view_, &QTableView::doubleClicked, this, &SearchResultsDialog::choose);
    connect(choose, &QPushButton::clicked, this, &SearchResultsDialog::choose);
    connect(close, &QPushButton::clicked, this, &SearchResultsDialog::reject);
}

void SearchResultsDialog::rowCurrent(const QModelIndex& index) {
    if (index.isValid())
        screen_.showPatient(model_.row(index.row()).id);
    else
        screen_.clearPatient();
}

void SearchResultsDialog::choose() {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        prompts_.message(this, kChooseResult.text, kChooseResult.title, ui::Icon::Warning);
        return;
    }
    screen_.choosePatient(model_.row(rows.first().row()).id);
    accept();
}

void SearchResultsDialog::reject() {
    // Closed without a choice (閉じる, Esc, the title bar): the screen's row is shown again.
    screen_.showCurrentRow();
    QDialog::reject();
}

}  // namespace patients
