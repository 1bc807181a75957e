#include "drugs/results_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>

#include "ui/colour_button.h"
#include "ui/text_convert.h"

namespace drugs {

QString countText(std::size_t n) {
    return QStringLiteral("全部で %1 件のデータがみつかりました。").arg(n);
}

ResultsDialog::ResultsDialog(ui::Prompts& prompts, Actions actions, QWidget* parent)
    : QDialog(parent), prompts_(prompts), actions_(std::move(actions)) {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(200, 226, 200));
    setPalette(p);
    setAutoFillBackground(true);
    list_ = new QListWidget(this);
    list_->setObjectName("resultList");
    list_->setMinimumSize(420, 220);
    count_ = new QLabel("検索結果", this);
    count_->setObjectName("countLine");
    auto* choose = new ui::ColourButton(1005, "選択", this);
    choose->setObjectName("chooseButton");
    auto* close = new ui::ColourButton(105, "閉じる", this);
    close->setObjectName("closeButton");
    for (auto* button : {choose, close}) {
        button->setAutoDefault(false);
        button->setFixedSize(96, 30);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(choose);
    buttons->addWidget(close);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(10, 10, 10, 10);
    layout_->addWidget(count_);
    layout_->addWidget(list_, 1);
    layout_->addLayout(buttons);
    choose->setFocus();

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= static_cast<int>(results_.size()) || !actions_.preview) return;
        actions_.preview(results_[static_cast<std::size_t>(row)].yjcode);
        previewed_ = true;
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &ResultsDialog::applyChosen);
    connect(choose, &QPushButton::clicked, this, &ResultsDialog::applyChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ResultsDialog::addConditions(QLayout* conditions) {
    layout_->insertLayout(0, conditions);
    layout_->insertSpacing(1, 8);
}

void ResultsDialog::setResults(std::vector<DrugResult> results) {
    results_ = std::move(results);
    list_->clear();
    for (const DrugResult& r : results_) list_->addItem(ui::fromCp932(r.listName));
    count_->setText(countText(results_.size()));
}

void ResultsDialog::applyChosen() {
    const int row = list_->currentRow();
    if (row < 0 || list_->selectedItems().isEmpty()) {
        prompts_.message(this, "リストから適用する薬剤を選択して下さい。", "選択",
                         ui::Icon::Warning);
        return;
    }
    if (actions_.apply) actions_.apply(results_[static_cast<std::size_t>(row)].yjcode);
    accept();
}

void ResultsDialog::done(int result) {
    if (result == QDialog::Rejected && previewed_ && restore_) restore_();
    previewed_ = false;
    QDialog::done(result);
}

}  // namespace drugs
