// Drawing of the rows of the print list, the drug list and the patient lists: fill colours,
// per-column text colours, single-line cells cut with an ellipsis, fixed margins.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>

class QTableView;

namespace ui {

struct RowStyle {
    QColor selectedFill;
    std::function<QColor(int column)> textColour;  // of unselected rows
    std::function<bool(int column)> centred;
    int firstLeftMargin = 4;  // column 0
    int leftMargin = 6;       // the other columns
    int rightMargin = 3;
};

RowStyle printListStyle();
RowStyle drugListStyle();
RowStyle patientListStyle();

// Rows are 18 pixels high, as the lists of the program have always been.
inline constexpr int kRowHeight = 18;

// Makes `view` one of the program's lists: whole rows selected, no editing, rows 18 pixels
// high without a row header, grid lines, drawn in `style`.
void setUpListView(QTableView* view, const RowStyle& style, bool multipleSelection);

class RowDelegate : public QStyledItemDelegate {
  public:
    explicit RowDelegate(RowStyle style, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    RowStyle style_;
};

}  // namespace ui
