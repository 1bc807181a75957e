#include "ui/row_delegate.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace ui {

RowStyle printListStyle() {
    RowStyle s;
    s.selectedFill = QColor(40, 40, 129);
    s.textColour = [](int column) {
        if (column == 0) return QColor(0, 0, 160);
        if (column == 9) return QColor(0, 94, 0);      // 薬の効能
        if (column == 10) return QColor(133, 23, 33);  // 注意事項
        return QColor(Qt::black);
    };
    s.centred = [](int column) { return column >= 1 && column <= 5; };  // the five timings
    return s;
}

RowStyle drugListStyle() {
    RowStyle s;
    s.selectedFill = QColor(40, 40, 120);
    s.textColour = [](int column) { return column == 1 ? QColor(0, 0, 160) : QColor(Qt::black); };
    s.centred = [](int) { return false; };
    return s;
}

RowStyle patientListStyle() {
    RowStyle s;
    s.selectedFill = QColor(80, 80, 220);
    s.textColour = [](int column) { return column == 0 ? QColor(0, 0, 150) : QColor(Qt::black); };
    s.centred = [](int) { return false; };
    s.firstLeftMargin = 5;
    s.leftMargin = 9;
    s.rightMargin = 1;
    return s;
}

void setUpListView(QTableView* view, const RowStyle& style, bool multipleSelection) {
    view->setItemDelegate(new RowDelegate(style, view));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(multipleSelection ? QAbstractItemView::ExtendedSelection
                                             : QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(kRowHeight);
    view->setShowGrid(true);
}

RowDelegate::RowDelegate(RowStyle style, QObject* parent)
    : QStyledItemDelegate(parent), style_(std::move(style)) {}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    const int column = index.column();
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(option.rect,
                      selected ? style_.selectedFill : option.palette.color(QPalette::Base));
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : style_.textColour(column));
    painter->setFont(option.font);
    const int left = column == 0 ? style_.firstLeftMargin : style_.leftMargin;
    const QRect textRect = option.rect.adjusted(left, 0, -style_.rightMargin, 0);
    const QString text = painter->fontMetrics().elidedText(index.data(Qt::DisplayRole).toString(),
                                                           Qt::ElideRight, textRect.width());
    const Qt::Alignment horizontal = style_.centred(column) ? Qt::AlignHCenter : Qt::AlignLeft;
    painter->drawText(textRect, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kRowHeight};
}

}  // namespace ui
