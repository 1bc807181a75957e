#include "patients/history_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "desk/print_list_model.h"
#include "patients/patient_texts.h"
#include "ui/row_delegate.h"
#include "ui/text_convert.h"

namespace patients {
namespace {

// The history line a list item stands for: its text and the slot kept with it.
data::HistoryEntry entryOf(const QListWidgetItem& line) {
    return {ui::toCp932(line.text()), line.data(Qt::UserRole).toInt()};
}

}  // namespace

HistoryPanel::HistoryPanel(const data::PatientRegister& patients, const data::DrugCatalogue& drugs,
                           const std::filesystem::path& programFolder, ui::Prompts& prompts,
                           QWidget* parent)
    : QWidget(parent),
      patients_(patients),
      prompts_(prompts),
      recall_(patients, drugs, programFolder),
      dates_(new QListWidget(this)),
      drugList_(new QTableView(this)),
      model_(new desk::PrintListModel(recall_.drugs(), true, this)) {
    setObjectName("historyPanel");
    dates_->setObjectName("historyDateList");
    drugList_->setObjectName("recalledDrugList");
    drugList_->setModel(model_);
    ui::setUpListView(drugList_, ui::printListStyle(), false);
    for (int c = 0; c < desk::PrintListModel::kShortColumnCount; ++c)
        drugList_->setColumnWidth(c, desk::PrintListModel::columnWidth(c));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel("投薬日時", this));
    column->addWidget(dates_, 1);
    column->addWidget(new QLabel("投薬リスト", this));
    column->addWidget(drugList_, 2);
    connect(dates_, &QListWidget::currentRowChanged, this, &HistoryPanel::recallSelected);
}

void HistoryPanel::clear() {
    const QSignalBlocker quiet(dates_);
    dates_->clear();
    recall_.clear();
    recalledChanged();
}

void HistoryPanel::showDates(int id) {
    clear();
    patientId_ = id;
    listDates();
    const QSignalBlocker quiet(dates_);
    dates_->setCurrentRow(-1);
}

void HistoryPanel::refreshDates() {
    const QListWidgetItem* line = dates_->currentItem();
    const data::HistoryEntry kept = line ? entryOf(*line) : data::HistoryEntry{};
    listDates();
    const QSignalBlocker quiet(dates_);
    for (int row = 0; line && row < dates_->count(); ++row) {
        if (entryOf(*dates_->item(row)) == kept) {
            dates_->setCurrentRow(row);
            return;
        }
    }
    dates_->setCurrentRow(-1);
    recall_.clear();
    recalledChanged();
}

void HistoryPanel::listDates() {
    const QSignalBlocker quiet(dates_);
    dates_->clear();
    if (patientId_ <= 0) return;
    std::vector<data::HistoryEntry> entries;
    // A failure has been reported; the list stays empty.
    patients_.historyEntries(patientId_, entries);
    for (const data::HistoryEntry& entry : entries) {
        auto* line = new QListWidgetItem(ui::fromCp932(entry.stamp), dates_);
        line->setData(Qt::UserRole, entry.slot);
    }
}

void HistoryPanel::recallSelected() {
    QListWidgetItem* line = dates_->currentItem();
    if (!line || line->text().isEmpty()) return;
    recall_.recall(patientId_, entryOf(*line));
    recalledChanged();
}

void HistoryPanel::recalledChanged() {
    model_->listReplaced();
}

void HistoryPanel::deleteDate() {
    QListWidgetItem* line = dates_->currentItem();
    if (!line || !line->isSelected()) {
        prompts_.message(window(), kChooseDateToDelete.text, kChooseDateToDelete.title,
                         ui::Icon::Warning);
        return;
    }
    // One click must not erase a stored leaflet for good: the operator confirms first.
    const QString question = QString::fromUtf8(kAskDeleteDate.text).arg(line->text());
    if (!prompts_.askYesNo(window(), question, kAskDeleteDate.title, ui::Icon::Warning,
                           ui::Default::No))
        return;
    patients_.deleteHistory(patientId_, entryOf(*line));
    showDates(patientId_);
}

}  // namespace patients
