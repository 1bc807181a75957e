#include "intake/drug_finder.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/byte_limit.h"
#include "ui/text_convert.h"

namespace intake {
namespace {

constexpr int kNameBoxBytes = 89;
constexpr int kListWidth = 300;

}  // namespace

DrugFinder::DrugFinder(QWidget* parent) : QWidget(parent), model_(this) {
    setObjectName("drugFinder");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel("薬剤名で探す", this));
    box_ = new QLineEdit(this);
    box_->setObjectName("findNameBox");
    ui::limitBytes(box_, kNameBoxBytes);
    column->addWidget(box_);
    list_ = new QListView(this);
    list_->setObjectName("findList");
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setModel(&model_);
    list_->setModelColumn(drugs::DrugListModel::NameColumn);
    column->addWidget(list_, 1);
    setFixedWidth(kListWidth);
    model_.fill(drugs::DrugListModel::Order::ByName);

    box_->installEventFilter(this);
    list_->installEventFilter(this);
    connect(box_, &QLineEdit::textEdited, this, &DrugFinder::search);
    connect(list_, &QListView::doubleClicked, this, &DrugFinder::choose);
}

void DrugFinder::search(const QString& text) {
    if (const auto row = search_.search(model_, ui::toCp932(text))) {
        list_->setCurrentIndex(model_.index(*row, drugs::DrugListModel::NameColumn));
        list_->scrollTo(list_->currentIndex(), QAbstractItemView::PositionAtTop);
    } else if (search_.missed()) {
        list_->setCurrentIndex({});
    }
}

void DrugFinder::step(int by) {
    if (model_.count() == 0) return;
    const int row = std::clamp(list_->currentIndex().row() + by, 0, model_.count() - 1);
    list_->setCurrentIndex(model_.index(row, drugs::DrugListModel::NameColumn));
}

void DrugFinder::choose() {
    const QModelIndex current = list_->currentIndex();
    if (current.isValid()) emit chosen(std::string(model_.row(current.row()).yjcode));
}

bool DrugFinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        choose();
        return true;
    }
    if (watched == box_ && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        step(key == Qt::Key_Down ? 1 : -1);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace intake
